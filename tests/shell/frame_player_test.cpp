#include "shell/frame_player.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "platform/fake_media_player.h"
#include "platform/recording_message_sink.h"
#include "shell/command_update.h"
#include "sound/wave_file.h"

namespace kalvora {
namespace {

namespace fs = std::filesystem;
using platform::Completion;
using platform::PlayerMode;

// A wave document as the player sees it.
class TestTarget final : public RecordTarget {
  public:
    void Fill(std::int64_t samples) { samples_ = samples; }
    explicit TestTarget(waveFileProps format = {44100, 1, 2}, std::int64_t samples = 0)
        : format_(format), samples_(samples) {}
    waveFileProps RecordFormat() const override { return format_; }
    std::int64_t RecordSampleCount() const override { return samples_; }
    void TakeRecording(std::unique_ptr<Sound> sound) override {
        ++takes;
        taken = std::move(sound);
    }
    int takes = 0;
    std::unique_ptr<Sound> taken;

  private:
    waveFileProps format_;
    std::int64_t samples_;
};

// n samples of a ramp 0, step, 2·step ... in every channel.
std::unique_ptr<Sound> Ramp(const waveFileProps& format, std::int32_t n, int step) {
    ErrorFlag error = 0;
    std::unique_ptr<Sound> sound = MakeEmptySound(format)->MakeSilence(&error, n);
    for (int c = 0; c < format.MoSt; ++c) {
        const Wave& wave = c == 0 ? sound->GetLeftWave() : sound->GetRightWave();
        for (std::int32_t i = 0; i < n; ++i)
            wave.wave[i] = static_cast<std::int16_t>(i * step);
    }
    return sound;
}

// Writes what the fake device "recorded": n samples of a ramp in format.
std::function<bool(const fs::path&)> Recorded(waveFileProps format, std::int32_t n) {
    return [format, n](const fs::path& file) {
        ErrorFlag error = 0;
        return WriteWaveFile(*Ramp(format, n, 3), &error, file, 0, n);
    };
}

std::unique_ptr<Sound> ReadBack(const fs::path& file) {
    std::unique_ptr<Sound> sound;
    std::string errorText;
    EXPECT_TRUE(ReadWaveFile(file, sound, errorText)) << errorText;
    return sound;
}

class FramePlayerTest : public ::testing::Test {
  protected:
    FramePlayerTest() {
        std::string pattern = (fs::temp_directory_path() / "kalvora-player-test-XXXXXX").string();
        folder_ = ::mkdtemp(pattern.data());
        player_ = std::make_unique<FramePlayer>(media_, folder_, true);
        sound_ = Ramp({44100, 2, 2}, 1000, 10);
    }
    ~FramePlayerTest() override {
        player_.reset();
        fs::remove_all(folder_);
    }

    PlayerFacts Facts() const { return player_->Facts(); }
    // The commands' states as the frame shows them, with a wave window active.
    CommandStates States(std::int64_t samples = 1000) const {
        FrameSnapshot snapshot;
        snapshot.activeKind = WindowKind::wave;
        snapshot.wave.sampleCount = samples;
        snapshot.player = Facts();
        return ComputeCommandStates(snapshot);
    }
    bool Enabled(CommandId id) const { return States()[Index(id)].enabled; }
    std::string Messages() const {
        std::string text;
        for (const auto& message : messages_.Messages())
            text += message.caption + ": " + message.text + "\n";
        return text;
    }
    void StartPlay(bool maximal = false) {
        ASSERT_TRUE(player_->PlaySound(*sound_, 0, 1000, maximal));
    }

    fs::path folder_;
    platform::RecordingMessageSink messages_;
    platform::FakeMediaPlayer media_;
    std::unique_ptr<FramePlayer> player_;
    std::unique_ptr<Sound> sound_;
};

// --- idle and playing ------------------------------------------------------------------------

TEST_F(FramePlayerTest, PlayWritesTheSelectionToThePlayFileAndPlaysIt) {
    ASSERT_TRUE(player_->PlaySound(*sound_, 100, 250, false));
    EXPECT_EQ(media_.CallsText(), "Close SetFileName Open Play");
    EXPECT_EQ(media_.OpenFileName(), folder_ / "kvtempplaywave.wav");
    EXPECT_EQ(media_.Mode(), PlayerMode::playing);
    EXPECT_TRUE(Facts().playChecked);
    EXPECT_FALSE(Facts().playMaxChecked);
    EXPECT_TRUE(Enabled(CommandId::FileStop));
    std::unique_ptr<Sound> played = ReadBack(player_->PlayFile());
    ASSERT_EQ(played->GetValues(), 150);
    EXPECT_EQ(played->GetWaveFileProps(), sound_->GetWaveFileProps());
    EXPECT_EQ(played->GetLeftWave().wave[0], 1000);
    EXPECT_EQ(played->GetRightWave().wave[149], 2490);
}

TEST_F(FramePlayerTest, PlayOfASoundPlaysItWhole) {
    ASSERT_TRUE(player_->Play(*sound_, false));
    EXPECT_EQ(ReadBack(player_->PlayFile())->GetValues(), 1000);
}

TEST_F(FramePlayerTest, PlayMaximalPlaysTheRangeAtFullScaleAndLeavesTheSoundAlone) {
    ASSERT_TRUE(player_->PlaySound(*sound_, 0, 100, true));
    EXPECT_TRUE(Facts().playMaxChecked);
    EXPECT_FALSE(Facts().playChecked);
    std::unique_ptr<Sound> played = ReadBack(player_->PlayFile());
    ASSERT_EQ(played->GetValues(), 100);
    EXPECT_EQ(played->GetLeftWave().wave[99], 32767);  // 990 was the peak of the range
    EXPECT_EQ(sound_->GetLeftWave().wave[99], 990);
}

TEST_F(FramePlayerTest, EndOfPlayClosesThePlayerAndUnchecksTheCommand) {
    StartPlay();
    media_.EndCurrent();
    EXPECT_TRUE(Facts().playChecked);  // the notification has not arrived yet
    int changes = 0;
    player_->SetChangeListener([&] { ++changes; });
    media_.DeliverCompletions();
    EXPECT_FALSE(Facts().playChecked);
    EXPECT_EQ(media_.Mode(), PlayerMode::notReady);
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(Enabled(CommandId::FileStop));
}

TEST_F(FramePlayerTest, StopEndsThePlayAndALateNotificationIsIgnored) {
    StartPlay();
    platform::OperationId play = media_.CurrentOperation();
    player_->Stop();
    EXPECT_EQ(media_.Mode(), PlayerMode::notReady);
    EXPECT_FALSE(Facts().playChecked);
    StartPlay();
    media_.QueueCompletion(play, Completion::ended);
    media_.DeliverCompletions();
    EXPECT_TRUE(Facts().playChecked);
    EXPECT_EQ(media_.Mode(), PlayerMode::playing);
}

TEST_F(FramePlayerTest, PlayAgainRestartsAndTheInterruptedPlaysNotificationIsIgnored) {
    StartPlay();
    media_.EndCurrent();                                      // its end is already on the way ...
    ASSERT_TRUE(player_->PlaySound(*sound_, 0, 500, false));  // ... when Play is pressed again
    media_.DeliverCompletions();
    EXPECT_TRUE(Facts().playChecked);
    EXPECT_EQ(media_.Mode(), PlayerMode::playing);
    EXPECT_EQ(ReadBack(player_->PlayFile())->GetValues(), 500);
}

TEST_F(FramePlayerTest, TheOtherPlayCommandTakesOverTheCheckAndIgnoresTheOldEnd) {
    StartPlay(false);
    media_.EndCurrent();
    StartPlay(true);
    media_.DeliverCompletions();
    EXPECT_FALSE(Facts().playChecked);
    EXPECT_TRUE(Facts().playMaxChecked);
    EXPECT_EQ(media_.Mode(), PlayerMode::playing);
}

TEST_F(FramePlayerTest, PauseHaltsAPlayAndPlaysOnWithANewIdentity) {
    StartPlay();
    platform::OperationId first = media_.CurrentOperation();
    player_->Pause();
    EXPECT_EQ(media_.Mode(), PlayerMode::paused);
    EXPECT_TRUE(Facts().pauseChecked);
    EXPECT_TRUE(Facts().playChecked);
    player_->Pause();
    EXPECT_EQ(media_.Mode(), PlayerMode::playing);
    EXPECT_FALSE(Facts().pauseChecked);
    EXPECT_NE(media_.CurrentOperation(), first);
    // Only the end of the play that runs now counts.
    media_.QueueCompletion(first, Completion::ended);
    media_.DeliverCompletions();
    EXPECT_TRUE(Facts().playChecked);
    media_.EndCurrent();
    media_.DeliverCompletions();
    EXPECT_FALSE(Facts().playChecked);
}

TEST_F(FramePlayerTest, StopOfAPausedPlayLeavesPauseArmed) {
    StartPlay();
    player_->Pause();
    player_->Stop();
    EXPECT_FALSE(Facts().playChecked);
    EXPECT_TRUE(Facts().pauseChecked);
    EXPECT_TRUE(player_->Paused());
    StartPlay();  // waits for Pause
    EXPECT_TRUE(player_->PlayPending());
    EXPECT_EQ(media_.Mode(), PlayerMode::open);
}

TEST_F(FramePlayerTest, APausedPlayCutOffByANewPlayNoLongerShowsPause) {
    StartPlay();
    player_->Pause();
    StartPlay();
    EXPECT_EQ(media_.Mode(), PlayerMode::playing);
    EXPECT_FALSE(Facts().pauseChecked);
    EXPECT_FALSE(player_->Paused());
}

// --- armed pause and pending plays ----------------------------------------------------------

TEST_F(FramePlayerTest, PauseWhileIdleArmsAndDisarmsTheDelay) {
    player_->Pause();
    EXPECT_TRUE(player_->Paused());
    EXPECT_TRUE(Facts().pauseChecked);
    EXPECT_TRUE(media_.Calls().empty());  // nothing is open
    player_->Pause();
    EXPECT_FALSE(player_->Paused());
    EXPECT_FALSE(Facts().pauseChecked);
}

TEST_F(FramePlayerTest, StopKeepsAnArmedPauseArmed) {
    player_->Pause();
    player_->Stop();
    EXPECT_TRUE(player_->Paused());
    EXPECT_TRUE(Facts().pauseChecked);
}

TEST_F(FramePlayerTest, PlayWhileArmedOpensTheFileAndPauseStartsIt) {
    player_->Pause();
    StartPlay();
    EXPECT_EQ(media_.CallsText(), "Close SetFileName Open");
    EXPECT_EQ(media_.Mode(), PlayerMode::open);
    EXPECT_TRUE(player_->PlayPending());
    EXPECT_TRUE(Facts().playChecked);
    EXPECT_TRUE(Facts().pauseChecked);
    EXPECT_TRUE(Enabled(CommandId::FileStop));
    player_->Pause();
    EXPECT_EQ(media_.Mode(), PlayerMode::playing);
    EXPECT_FALSE(player_->PlayPending());
    EXPECT_FALSE(player_->Paused());
    EXPECT_FALSE(Facts().pauseChecked);
    EXPECT_TRUE(Facts().playChecked);
}

TEST_F(FramePlayerTest, StopDropsAPendingPlayAndStaysArmed) {
    player_->Pause();
    StartPlay();
    player_->Stop();
    EXPECT_FALSE(player_->PlayPending());
    EXPECT_FALSE(Facts().playChecked);
    EXPECT_EQ(media_.Mode(), PlayerMode::notReady);
    EXPECT_TRUE(player_->Paused());
}

TEST_F(FramePlayerTest, AnotherPlayReplacesAPendingOne) {
    player_->Pause();
    StartPlay(false);
    ASSERT_TRUE(player_->PlaySound(*sound_, 0, 10, true));
    EXPECT_TRUE(player_->PlayPending());
    EXPECT_FALSE(Facts().playChecked);
    EXPECT_TRUE(Facts().playMaxChecked);
    EXPECT_EQ(ReadBack(player_->PlayFile())->GetValues(), 10);
}

// --- recording ------------------------------------------------------------------------------

TEST_F(FramePlayerTest, RecordPreparesAnEmptyFileInTheDocumentsFormatAndRecords) {
    TestTarget wave({22050, 2, 1});
    player_->Record(&wave);
    EXPECT_EQ(media_.CallsText(), "Close SetFileName Open StartRecording");
    EXPECT_EQ(media_.OpenFileName(), folder_ / "kvtemprecwave.wav");
    std::unique_ptr<Sound> prepared = ReadBack(player_->RecordFile());
    EXPECT_EQ(prepared->GetValues(), 0);
    EXPECT_EQ(prepared->GetWaveFileProps(), (waveFileProps{22050, 2, 1}));
    EXPECT_TRUE(Facts().recordChecked);
    EXPECT_TRUE(player_->IsRecordingInto(&wave));
    EXPECT_FALSE(Enabled(CommandId::FilePause));  // a running recording is not paused
    EXPECT_TRUE(Enabled(CommandId::FileStop));
}

TEST_F(FramePlayerTest, StopTakesTheRecordingIntoTheDocument) {
    TestTarget wave({44100, 1, 2});
    media_.onSave = Recorded({44100, 1, 2}, 300);
    player_->Record(&wave);
    media_.ClearCalls();
    player_->Stop();
    EXPECT_EQ(media_.CallsText(), "Stop Save Close");
    ASSERT_EQ(wave.takes, 1);
    EXPECT_EQ(wave.taken->GetValues(), 300);
    EXPECT_EQ(wave.taken->GetWaveFileProps(), (waveFileProps{44100, 1, 2}));
    EXPECT_EQ(wave.taken->GetLeftWave().wave[2], 6);
    EXPECT_FALSE(Facts().recordChecked);
    EXPECT_FALSE(player_->IsRecordingInto(&wave));
    EXPECT_TRUE(messages_.Messages().empty()) << Messages();
}

TEST_F(FramePlayerTest, RecordWhileRecordingEndsTheRecordingLikeStop) {
    TestTarget wave;
    media_.onSave = Recorded({44100, 1, 2}, 10);
    player_->Record(&wave);
    TestTarget other;
    player_->Record(&other);
    EXPECT_EQ(wave.takes, 1);
    EXPECT_EQ(other.takes, 0);
    EXPECT_FALSE(Facts().recordChecked);
    EXPECT_EQ(media_.Mode(), PlayerMode::notReady);
}

TEST_F(FramePlayerTest, RecordNeedsAnEmptyActiveWaveAndOtherwiseLeavesEverythingAlone) {
    StartPlay();
    media_.ClearCalls();
    TestTarget full({44100, 2, 2}, 5);
    player_->Record(&full);
    player_->Record(nullptr);
    EXPECT_TRUE(media_.Calls().empty());
    EXPECT_TRUE(Facts().playChecked);
    EXPECT_FALSE(Facts().recordChecked);
    EXPECT_EQ(media_.Mode(), PlayerMode::playing);
}

TEST_F(FramePlayerTest, RecordCutsOffAPlayAndIgnoresItsEnd) {
    StartPlay();
    media_.EndCurrent();
    TestTarget wave;
    player_->Record(&wave);
    media_.DeliverCompletions();  // the play's end must not stop the recording
    EXPECT_FALSE(Facts().playChecked);
    EXPECT_TRUE(Facts().recordChecked);
    EXPECT_EQ(media_.Mode(), PlayerMode::recording);
}

TEST_F(FramePlayerTest, PlayWhileRecordingKeepsTheRecording) {
    TestTarget wave;
    media_.onSave = Recorded({44100, 1, 2}, 50);
    player_->Record(&wave);
    StartPlay();
    EXPECT_EQ(wave.takes, 1);
    EXPECT_FALSE(Facts().recordChecked);
    EXPECT_TRUE(Facts().playChecked);
    EXPECT_EQ(media_.Mode(), PlayerMode::playing);
}

TEST_F(FramePlayerTest, RecordWhileArmedWaitsForPause) {
    player_->Pause();
    TestTarget wave;
    player_->Record(&wave);
    EXPECT_EQ(media_.Mode(), PlayerMode::open);
    EXPECT_TRUE(player_->RecordPending());
    EXPECT_TRUE(Facts().recordChecked);
    EXPECT_TRUE(Enabled(CommandId::FilePause));  // it waits for Pause
    player_->Pause();
    EXPECT_EQ(media_.Mode(), PlayerMode::recording);
    EXPECT_FALSE(player_->RecordPending());
    EXPECT_FALSE(Facts().pauseChecked);
    EXPECT_FALSE(Enabled(CommandId::FilePause));
}

TEST_F(FramePlayerTest, StopDropsAPendingRecording) {
    player_->Pause();
    TestTarget wave;
    player_->Record(&wave);
    player_->Stop();
    EXPECT_FALSE(Facts().recordChecked);
    EXPECT_FALSE(player_->IsRecordingInto(&wave));
    EXPECT_EQ(wave.takes, 0);
    EXPECT_TRUE(player_->Paused());
    EXPECT_FALSE(Enabled(CommandId::FileStop));
}

TEST_F(FramePlayerTest, RecordDropsAPendingPlay) {
    player_->Pause();
    StartPlay();
    TestTarget wave;
    player_->Record(&wave);
    EXPECT_FALSE(player_->PlayPending());
    EXPECT_FALSE(Facts().playChecked);
    EXPECT_TRUE(player_->RecordPending());
    player_->Pause();
    EXPECT_EQ(media_.Mode(), PlayerMode::recording);
    EXPECT_EQ(media_.OpenFileName(), player_->RecordFile());
}

TEST_F(FramePlayerTest, ClosingTheRecordedWindowEndsAndDiscardsTheRecording) {
    TestTarget wave;
    TestTarget other;
    media_.onSave = Recorded({44100, 1, 2}, 10);
    player_->Record(&wave);
    player_->TargetClosing(&other);
    EXPECT_TRUE(Facts().recordChecked);
    media_.ClearCalls();
    player_->TargetClosing(&wave);
    EXPECT_EQ(media_.CallsText(), "Close");
    EXPECT_EQ(wave.takes, 0);
    EXPECT_FALSE(Facts().recordChecked);
    EXPECT_FALSE(player_->IsRecordingInto(&wave));
    player_->Stop();  // nothing left to write into
    EXPECT_EQ(wave.takes, 0);
}

TEST_F(FramePlayerTest, ARecordingTheDeviceEndsIsKept) {
    TestTarget wave;
    media_.onSave = Recorded({44100, 1, 2}, 20);
    player_->Record(&wave);
    media_.EndCurrent(Completion::failed);
    media_.DeliverCompletions();
    EXPECT_EQ(wave.takes, 1);
    EXPECT_FALSE(Facts().recordChecked);
    EXPECT_EQ(Messages(), "Error: The fake device failed.\n");
}

// The device decides the format it records in; the document keeps its own.
TEST_F(FramePlayerTest, ARecordingInAnotherFormatIsConverted) {
    struct Case {
        waveFileProps device;
        waveFileProps document;
        std::int32_t recorded;
        std::int32_t expected;
    };
    const Case cases[] = {
        {{44100, 2, 2}, {44100, 1, 2}, 100, 100},  // channels
        {{44100, 1, 2}, {44100, 2, 2}, 100, 100}, {{22050, 1, 2}, {44100, 1, 2}, 100, 199},  // rate
        {{44100, 1, 1}, {44100, 1, 2}, 100, 100},  // width
        {{48000, 2, 2}, {24000, 1, 1}, 100, 50},   // all three
        {{8000, 1, 2}, {44100, 2, 1}, 0, 0},       // nothing recorded
    };
    for (const Case& c : cases) {
        TestTarget wave(c.document);
        media_.onSave = Recorded(c.device, c.recorded);
        player_->Record(&wave);
        player_->Stop();
        ASSERT_EQ(wave.takes, 1);
        EXPECT_EQ(wave.taken->GetWaveFileProps(), c.document);
        EXPECT_EQ(wave.taken->GetValues(), c.expected);
    }
    EXPECT_TRUE(messages_.Messages().empty()) << Messages();
}

TEST_F(FramePlayerTest, ARecordingIsNeverForcedOverSamplesTheWaveGotMeanwhile) {
    TestTarget wave;
    media_.onSave = Recorded({44100, 1, 2}, 10);
    player_->Record(&wave);
    wave.Fill(5);  // only a fault elsewhere could do this: every editing command is locked
    player_->Stop();
    EXPECT_EQ(wave.takes, 0);
    EXPECT_FALSE(Facts().recordChecked);
    EXPECT_EQ(Messages(),
              "Error: The recording was not put into the wave: the wave is no longer empty.\n");
}

TEST_F(FramePlayerTest, AnUnreadableRecordingIsReportedAndTheDocumentStaysEmpty) {
    TestTarget wave;
    media_.onSave = [](const fs::path& file) {
        std::FILE* out = std::fopen(file.c_str(), "wb");
        std::fputs("not a wave", out);
        std::fclose(out);
        return true;
    };
    player_->Record(&wave);
    player_->Stop();
    EXPECT_EQ(wave.takes, 0);
    EXPECT_FALSE(Facts().recordChecked);
    ASSERT_EQ(messages_.Messages().size(), 1u);
    EXPECT_EQ(
        messages_.Messages()[0].text,
        "Cannot read the file: \"" + player_->RecordFile().string() + "\", \"RIFF\" not found.");
    EXPECT_EQ(messages_.Messages()[0].caption, "File Error");
    EXPECT_EQ(messages_.Messages()[0].icon, platform::MessageIcon::information);
}

TEST_F(FramePlayerTest, AFailedSaveIsReportedAndNothingIsRead) {
    TestTarget wave;
    media_.saveFails = true;
    player_->Record(&wave);
    player_->Stop();
    EXPECT_EQ(wave.takes, 0);
    EXPECT_FALSE(Facts().recordChecked);
    EXPECT_EQ(Messages(), "File Error: The fake device failed.\n");
}

// --- failures -------------------------------------------------------------------------------

TEST_F(FramePlayerTest, WithoutADeviceNothingIsCheckedAndTheReasonIsShown) {
    media_.playFails = true;
    media_.recordFails = true;
    media_.failureText = "Cannot play: no sound output device was found.";
    EXPECT_FALSE(player_->PlaySound(*sound_, 0, 10, false));
    EXPECT_FALSE(Facts().playChecked);
    EXPECT_EQ(media_.Mode(), PlayerMode::notReady);
    TestTarget wave;
    player_->Record(&wave);
    EXPECT_FALSE(Facts().recordChecked);
    EXPECT_FALSE(player_->IsRecordingInto(&wave));
    ASSERT_EQ(messages_.Messages().size(), 2u);
    EXPECT_EQ(messages_.Messages()[0].caption, "Error");
    EXPECT_EQ(messages_.Messages()[0].text, "Cannot play: no sound output device was found.");
}

TEST_F(FramePlayerTest, AFileThePlayerCannotOpenIsReported) {
    media_.openFails = true;
    EXPECT_FALSE(player_->PlaySound(*sound_, 0, 10, false));
    EXPECT_FALSE(Facts().playChecked);
    EXPECT_EQ(Messages(), "Error: The fake device failed.\n");
}

TEST_F(FramePlayerTest, WhenThePlayFileCannotBeWrittenWhatRunsGoesOn) {
    StartPlay();
    fs::remove_all(folder_);  // the folder vanished under the program
    media_.ClearCalls();
    EXPECT_FALSE(player_->PlaySound(*sound_, 0, 10, true));
    EXPECT_TRUE(media_.Calls().empty());
    EXPECT_TRUE(Facts().playChecked);
    EXPECT_FALSE(Facts().playMaxChecked);
    ASSERT_EQ(messages_.Messages().size(), 1u);
    EXPECT_EQ(messages_.Messages()[0].caption, "FileError");
    fs::create_directories(folder_);
}

TEST_F(FramePlayerTest, APlayTheDeviceBreaksOffIsReportedAndEnds) {
    StartPlay();
    media_.failureText = "The sound output device stopped with an error.";
    media_.EndCurrent(Completion::failed);
    media_.DeliverCompletions();
    EXPECT_FALSE(Facts().playChecked);
    EXPECT_EQ(Messages(), "Error: The sound output device stopped with an error.\n");
}

TEST_F(FramePlayerTest, WithoutTheTemporaryFolderNothingPlaysOrRecords) {
    FramePlayer disabled(media_, folder_, false);
    media_.ClearCalls();
    EXPECT_FALSE(disabled.Play(*sound_, false));
    TestTarget wave;
    disabled.Record(&wave);
    disabled.Pause();
    EXPECT_TRUE(media_.Calls().empty());
    EXPECT_FALSE(disabled.Facts().playEnabled);
    EXPECT_FALSE(disabled.Paused());
}

}  // namespace
}  // namespace kalvora
