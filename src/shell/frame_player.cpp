#include "shell/frame_player.h"

#include <string>
#include <utility>

#include "platform/assertion.h"
#include "platform/messages.h"
#include "shell/temp_folder.h"
#include "sound/error_flag.h"
#include "sound/wave_file.h"

namespace kalvora {
namespace {

using platform::PlayerMode;

constexpr std::string_view kCannotConvertText =
    "the recorded sound cannot be converted to the format of the wave.";
constexpr std::string_view kNotEmptyText =
    "The recording was not put into the wave: the wave is no longer empty.";

// The device decides the format it really records in; the document needs its own. Brings
// channels, rate and width of the recording to format. False when that cannot be done (an
// allocation failed and has been reported).
bool ConformToFormat(std::unique_ptr<Sound>& sound, const waveFileProps& format) {
    if (sound->GetValues() == 0) {
        sound = MakeEmptySound(format);
        return true;
    }
    ErrorFlag error = 0;
    if (sound->MoSt != format.MoSt) {
        std::unique_ptr<Sound> converted;
        if (format.MoSt == 1) {
            converted = std::make_unique<MonoSound>(&error, *sound);
        } else {
            converted = std::make_unique<StereoSound>(&error, *sound);
        }
        if (ErrorIsSet(&error)) return false;
        sound = std::move(converted);
    }
    if (sound->Freq != format.Freq) {
        std::unique_ptr<Sound> converted = sound->ChangeFreq(&error, format.Freq);
        if (!converted || ErrorIsSet(&error)) return false;
        sound = std::move(converted);
    }
    sound->BytesPSample = format.BytesPSample;
    return true;
}

}  // namespace

std::string RecordFileMessage(const std::filesystem::path& file, std::string_view reason) {
    return "Cannot read the file: \"" + file.string() + "\", " + std::string(reason);
}

FramePlayer::FramePlayer(platform::MediaPlayer& player, std::filesystem::path folder,
                         bool playEnabled)
    : player_(player), folder_(std::move(folder)), playEnabled_(playEnabled) {
    player_.SetCompletionHandler(
        [this](platform::OperationId operation, platform::Completion completion) {
            OnCompletion(operation, completion);
        });
}

FramePlayer::~FramePlayer() {
    player_.SetCompletionHandler(nullptr);
    player_.Close();
}

std::filesystem::path FramePlayer::PlayFile() const {
    return folder_ / kPlayFileName;
}

std::filesystem::path FramePlayer::RecordFile() const {
    return folder_ / kRecordFileName;
}

PlayerFacts FramePlayer::Facts() const {
    PlayerFacts facts;
    facts.playEnabled = playEnabled_;
    facts.playChecked = playing_ == Playing::play;
    facts.playMaxChecked = playing_ == Playing::playMax;
    facts.recordChecked = recordChecked_;
    facts.recordPending = recordPending_;
    facts.pauseChecked = pauseChecked_;
    return facts;
}

bool FramePlayer::IsRecordingInto(const RecordTarget* target) const {
    return target != nullptr && target == recordTarget_;
}

// --- Play and Play Maximal ----------------------------------------------------------------

bool FramePlayer::Play(const Sound& sound, bool maximal) {
    return PlaySound(sound, 0, sound.GetValues(), maximal);
}

bool FramePlayer::PlaySound(const Sound& sound, std::int32_t begin, std::int32_t end,
                            bool maximal) {
    if (!playEnabled_) return false;
    KALVORA_ASSERT(0 <= begin && begin <= end && end <= sound.GetValues());
    // The file is written before anything is cut off: when writing fails, what runs goes on
    // and the commands keep their states.
    if (!WritePlayFile(sound, begin, end, maximal)) return false;
    EndAllForNewOperation();
    player_.SetFileName(PlayFile());
    if (!player_.Open()) {
        ShowPlayerError();
        return false;
    }
    if (paused_) {
        playPending_ = true;
    } else if (!StartOperation(false)) {
        player_.Close();
        return false;
    }
    playing_ = maximal ? Playing::playMax : Playing::play;
    return true;
}

bool FramePlayer::WritePlayFile(const Sound& sound, std::int32_t begin, std::int32_t end,
                                bool maximal) {
    ErrorFlag error = 0;
    if (!maximal || begin == end) return WriteWaveFile(sound, &error, PlayFile(), begin, end);
    // Only the range is copied and brought to full scale; the document stays as it is.
    std::unique_ptr<Sound> loud = sound.Extract(&error, begin, end);
    if (!loud || ErrorIsSet(&error)) return false;
    loud->MaxVolumeInPlace(&error, 0, loud->GetValues());
    if (ErrorIsSet(&error)) return false;
    return WriteWaveFile(*loud, &error, PlayFile(), 0, loud->GetValues());
}

// --- Record ---------------------------------------------------------------------------------

void FramePlayer::Record(RecordTarget* target) {
    if (!playEnabled_) return;
    // The command toggles: while recording it ends the recording.
    if (player_.Mode() == PlayerMode::recording || RecordingRuns()) {
        Stop();
        return;
    }
    if (target == nullptr || target->RecordSampleCount() != 0) return;
    // An empty file in the document's format fixes the format of the recording.
    const waveFileProps format = target->RecordFormat();
    std::unique_ptr<Sound> empty = MakeEmptySound(format);
    ErrorFlag error = 0;
    if (!WriteWaveFile(*empty, &error, RecordFile(), 0, 0)) return;
    EndAllForNewOperation();
    player_.SetFileName(RecordFile());
    if (!player_.Open()) {
        ShowPlayerError();
        return;
    }
    recordTarget_ = target;
    if (paused_) {
        recordPending_ = true;
    } else if (!StartOperation(true)) {
        player_.Close();
        recordTarget_ = nullptr;
        return;
    }
    recordChecked_ = true;
}

// --- Stop -----------------------------------------------------------------------------------

void FramePlayer::Stop() {
    const PlayerMode mode = player_.Mode();
    playPending_ = false;
    const bool recordingWaited = recordPending_;
    recordPending_ = false;
    paused_ = pauseChecked_;
    if (mode == PlayerMode::recording || (recordTarget_ != nullptr && !recordingWaited)) {
        FinishRecording();
        return;
    }
    player_.Close();
    operation_ = 0;
    playing_ = Playing::none;
    // A recording that waited for Pause is dropped with the rest.
    if (recordTarget_ != nullptr) DropRecording();
}

bool FramePlayer::RecordingRuns() const {
    return recordTarget_ != nullptr && !recordPending_;
}

void FramePlayer::FinishRecording() {
    RecordTarget* target = recordTarget_;
    player_.Stop();
    const bool saved = player_.Save();
    if (!saved && !player_.ErrorText().empty()) {
        platform::ShowMessage(player_.ErrorText(), platform::caption::fileError,
                              platform::MessageIcon::information);
    }
    player_.Close();
    operation_ = 0;
    recordTarget_ = nullptr;
    recordChecked_ = false;
    recordPending_ = false;
    if (saved && target != nullptr) TakeRecordFile(*target);
}

void FramePlayer::TakeRecordFile(RecordTarget& target) {
    std::unique_ptr<Sound> recorded;
    std::string errorText;
    if (!ReadWaveFile(RecordFile(), recorded, errorText)) {
        platform::ShowMessage(RecordFileMessage(RecordFile(), errorText),
                              platform::caption::fileError, platform::MessageIcon::information);
        return;
    }
    // Nothing may change the wave while it is recorded into; should it have been filled all
    // the same, its samples are kept and the recording is not forced over them.
    if (target.RecordSampleCount() != 0) {
        platform::ShowMessage(kNotEmptyText, platform::caption::error,
                              platform::MessageIcon::warning);
        return;
    }
    if (!ConformToFormat(recorded, target.RecordFormat())) {
        platform::ShowMessage(RecordFileMessage(RecordFile(), kCannotConvertText),
                              platform::caption::fileError, platform::MessageIcon::information);
        return;
    }
    target.TakeRecording(std::move(recorded));
}

void FramePlayer::DropRecording() {
    player_.Close();
    operation_ = 0;
    recordTarget_ = nullptr;
    recordChecked_ = false;
    recordPending_ = false;
}

void FramePlayer::EndAllForNewOperation() {
    if (RecordingRuns()) {
        FinishRecording();
    } else if (recordTarget_ != nullptr) {
        DropRecording();
    }
    player_.Close();
    operation_ = 0;
    playPending_ = false;
    playing_ = Playing::none;
    // Nothing is paused in the player any more; Pause stays checked only while it is armed.
    pauseChecked_ = paused_;
}

// --- Pause ----------------------------------------------------------------------------------

void FramePlayer::Pause() {
    if (!playEnabled_) return;
    if (playPending_) {
        playPending_ = false;
        pauseChecked_ = false;
        paused_ = false;
        if (!StartOperation(false)) CloseAfterPlay();
        return;
    }
    if (recordPending_) {
        recordPending_ = false;
        pauseChecked_ = false;
        paused_ = false;
        if (!StartOperation(true)) DropRecording();
        return;
    }
    // A running recording cannot be paused (the command is not offered then).
    if (RecordingRuns()) return;
    const PlayerMode mode = player_.Mode();
    if (mode == PlayerMode::playing || mode == PlayerMode::paused) {
        if (pauseChecked_) {
            if (!StartOperation(false)) CloseAfterPlay();
        } else {
            player_.Pause();
        }
        pauseChecked_ = player_.Mode() == PlayerMode::paused;
        return;
    }
    // Nothing open or stopped: arm or disarm the delay.
    paused_ = !paused_;
    pauseChecked_ = paused_;
}

// --- the player's side ----------------------------------------------------------------------

bool FramePlayer::StartOperation(bool recording) {
    const platform::OperationId operation = recording ? player_.StartRecording() : player_.Play();
    if (operation == 0) {
        ShowPlayerError();
        return false;
    }
    operation_ = operation;
    return true;
}

void FramePlayer::CloseAfterPlay() {
    player_.Close();
    operation_ = 0;
    playing_ = Playing::none;
}

void FramePlayer::OnCompletion(platform::OperationId operation, platform::Completion completion) {
    // A completion of an operation that has been cut off or replaced meanwhile.
    if (operation == 0 || operation != operation_) return;
    operation_ = 0;
    if (completion == platform::Completion::failed) ShowPlayerError();
    if (RecordingRuns()) {
        // The device ended the recording: keep what it recorded.
        FinishRecording();
    } else {
        const PlayerMode mode = player_.Mode();
        if (mode == PlayerMode::stopped || mode == PlayerMode::playing) {
            CloseAfterPlay();
            paused_ = false;
            pauseChecked_ = false;
        }
    }
    Changed();
}

void FramePlayer::TargetClosing(const RecordTarget* target) {
    if (!IsRecordingInto(target)) return;
    DropRecording();
    Changed();
}

void FramePlayer::ShowPlayerError() const {
    if (player_.ErrorText().empty()) return;
    platform::ShowMessage(player_.ErrorText(), platform::caption::error,
                          platform::MessageIcon::warning);
}

void FramePlayer::Changed() {
    if (listener_) listener_();
}

}  // namespace kalvora
