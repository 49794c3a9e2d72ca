// The frame's player: the state behind the commands Play, Play Maximal, Stop, Pause and Record,
// and Play of a sound for the rest of the program. It talks to the audio player through files
// in the private temporary folder: a play writes the samples to the play file and plays it; a
// recording prepares an empty record file in the document's format, records into it, saves it
// and reads it back as the document's sound. Standard C++, the sound engine and the platform.
//
// State (besides the player's own mode):
//   armed pause   Pause while nothing runs: the next play or recording only opens its file
//   pending       a play or recording opened while pause was armed, waiting for Pause
//   checked       Play / Play Maximal while their play runs, Record while a recording runs or
//                 waits, Pause while pause is armed or the player is paused
// Every started play or recording has an identity; a completion that does not carry the
// identity of what runs now belongs to an operation already cut off, and is ignored.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>

#include "platform/media_player.h"
#include "shell/frame_snapshot.h"
#include "shell/record_target.h"
#include "sound/sound.h"

namespace kalvora {

class FramePlayer {
  public:
    // folder: the private temporary folder; playEnabled false when it could not be made, which
    // disables playing and recording for the whole run. The player must outlive this object.
    FramePlayer(platform::MediaPlayer& player, std::filesystem::path folder, bool playEnabled);
    // Closes the player: a recording that was not stopped is discarded.
    ~FramePlayer();
    FramePlayer(const FramePlayer&) = delete;
    FramePlayer& operator=(const FramePlayer&) = delete;

    bool PlayEnabled() const { return playEnabled_; }
    std::filesystem::path PlayFile() const;
    std::filesystem::path RecordFile() const;

    // The facts the command update reads.
    PlayerFacts Facts() const;
    // Whether target is being recorded into, or waits for Pause to be.
    bool IsRecordingInto(const RecordTarget* target) const;
    bool Paused() const { return paused_; }
    bool PlayPending() const { return playPending_; }
    bool RecordPending() const { return recordPending_; }

    // Called after a completion changed the state, so that the frame updates its commands
    // at once (the commands themselves are followed by an update anyway).
    void SetChangeListener(std::function<void()> listener) { listener_ = std::move(listener); }

    // --- the commands
    // Plays samples begin .. end - 1 of sound (maximal: scaled so that the largest sample of
    // the range reaches full scale; the sound itself is unchanged). Any play or recording
    // that runs is ended first (a recording is kept, as by Stop). False when nothing could be
    // started; the reason has been shown.
    bool PlaySound(const Sound& sound, std::int32_t begin, std::int32_t end, bool maximal);
    // The whole sound.
    bool Play(const Sound& sound, bool maximal);
    // Record with target the active wave document (nullptr when none is active). While a
    // recording runs, ends it as Stop does. Otherwise records into target when it is empty,
    // and does nothing when it is not.
    void Record(RecordTarget* target);
    void Stop();
    void Pause();

    // --- hooks of the wave windows
    // The window of target closes: a recording into it ends and is discarded first.
    void TargetClosing(const RecordTarget* target);

  private:
    enum class Playing : std::uint8_t { none, play, playMax };

    void OnCompletion(platform::OperationId operation, platform::Completion completion);
    bool WritePlayFile(const Sound& sound, std::int32_t begin, std::int32_t end, bool maximal);
    bool RecordingRuns() const;
    // Closes the player after a play, leaving a running recording alone.
    void CloseAfterPlay();
    // Ends whatever the player holds before a new play or recording: a running recording
    // is taken as by Stop, a pending one and any play are dropped.
    void EndAllForNewOperation();
    // Stops and saves the running recording, closes the player and hands the result to the
    // document (or reports why it cannot).
    void FinishRecording();
    void DropRecording();
    void TakeRecordFile(RecordTarget& target);
    bool StartOperation(bool recording);
    void ShowPlayerError() const;
    void Changed();

    platform::MediaPlayer& player_;
    std::filesystem::path folder_;
    bool playEnabled_;
    std::function<void()> listener_;

    bool paused_ = false;  // pause is armed
    bool playPending_ = false;
    bool recordPending_ = false;
    Playing playing_ = Playing::none;  // which play command is checked
    bool recordChecked_ = false;
    bool pauseChecked_ = false;
    RecordTarget* recordTarget_ = nullptr;
    platform::OperationId operation_ = 0;  // the play or recording that runs now
};

// The message for a record file that cannot be read:
// "Cannot read the file: "<file>", <reason>"
std::string RecordFileMessage(const std::filesystem::path& file, std::string_view reason);

}  // namespace kalvora
