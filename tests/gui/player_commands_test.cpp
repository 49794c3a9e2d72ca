#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>

#include "documents/undo.h"
#include "documents/wave_creation.h"
#include "gui/fake_document.h"
#include "gui/main_form.h"
#include "gui/mdi_child_wave.h"
#include "gui/wave_test_support.h"
#include "platform/fake_media_player.h"
#include "platform/qt/qt_media_player.h"
#include "platform/qt/sound_server_support.h"
#include "platform/recording_message_sink.h"
#include "sound/wave_file.h"

namespace kalvora::gui {
namespace {

using C = CommandId;
using platform::PlayerMode;

// The frame's play and record commands over a fake player.
class PlayerCommandsTest : public ::testing::Test {
  protected:
    PlayerCommandsTest() {
        auto media = std::make_unique<platform::FakeMediaPlayer>();
        media_ = media.get();
        frame_ = std::make_unique<TMainForm>(std::move(media));
        frame_->show();
        QApplication::processEvents();
    }

    FakeDocument* AddWave(std::int32_t samples, int channels = 2, int rate = 44100) {
        auto document = std::make_unique<FakeDocument>();
        FakeDocument* raw = document.get();
        raw->wave.sampleCount = samples;
        raw->wave.channels = channels;
        raw->wave.rate = rate;
        if (samples > 0) {
            ErrorFlag error = 0;
            raw->sound = MakeEmptySound({rate, static_cast<std::int16_t>(channels), 2})
                             ->MakeSilence(&error, samples);
        }
        frame_->AddDocumentWindow(std::move(document));
        Settle();
        return raw;
    }
    void Settle() {
        QApplication::processEvents();
        frame_->UpdateCommands();
    }
    bool Checked(CommandId id) { return frame_->Action(id)->isChecked(); }
    bool Enabled(CommandId id) { return frame_->Action(id)->isEnabled(); }

    platform::RecordingMessageSink messages_;
    platform::FakeMediaPlayer* media_ = nullptr;
    std::unique_ptr<TMainForm> frame_;
};

TEST_F(PlayerCommandsTest, PlayPlaysTheSelectionAndTheEndUnchecksIt) {
    FakeDocument* wave = AddWave(1000);
    wave->wave.selectionFirst = 300;
    wave->wave.selectionSecond = 100;
    ASSERT_TRUE(frame_->RunCommand(C::FilePlay));
    Settle();
    EXPECT_EQ(media_->Mode(), PlayerMode::playing);
    EXPECT_TRUE(Checked(C::FilePlay));
    EXPECT_TRUE(Enabled(C::FileStop));
    std::unique_ptr<Sound> played;
    std::string errorText;
    ASSERT_TRUE(ReadWaveFile(frame_->Player().PlayFile(), played, errorText)) << errorText;
    EXPECT_EQ(played->GetValues(), 200);
    media_->EndCurrent();
    media_->DeliverCompletions();
    QApplication::processEvents();  // the end updates the commands without any input
    EXPECT_FALSE(Checked(C::FilePlay));
    EXPECT_FALSE(Enabled(C::FileStop));
}

TEST_F(PlayerCommandsTest, PauseBeforePlayArmsTheDelay) {
    AddWave(1000);
    ASSERT_TRUE(frame_->RunCommand(C::FilePause));
    Settle();
    EXPECT_TRUE(Checked(C::FilePause));
    ASSERT_TRUE(frame_->RunCommand(C::FilePlayMax));
    Settle();
    EXPECT_EQ(media_->Mode(), PlayerMode::open);
    EXPECT_TRUE(Checked(C::FilePlayMax));
    ASSERT_TRUE(frame_->RunCommand(C::FilePause));
    Settle();
    EXPECT_EQ(media_->Mode(), PlayerMode::playing);
    EXPECT_FALSE(Checked(C::FilePause));
    ASSERT_TRUE(frame_->RunCommand(C::FileStop));
    Settle();
    EXPECT_FALSE(Checked(C::FilePlayMax));
}

TEST_F(PlayerCommandsTest, RecordFillsAnEmptyDocument) {
    FakeDocument* wave = AddWave(0, 1, 22050);
    media_->onSave = [](const std::filesystem::path& file) {
        ErrorFlag error = 0;
        auto recorded = MakeEmptySound({22050, 1, 2})->MakeSilence(&error, 441);
        return WriteWaveFile(*recorded, &error, file, 0, 441);
    };
    ASSERT_TRUE(frame_->RunCommand(C::FileRecord));
    Settle();
    EXPECT_EQ(media_->Mode(), PlayerMode::recording);
    EXPECT_TRUE(Checked(C::FileRecord));
    EXPECT_FALSE(Enabled(C::FilePause));
    ASSERT_TRUE(frame_->RunCommand(C::FileStop));
    Settle();
    ASSERT_TRUE(wave->recorded);
    EXPECT_EQ(wave->recorded->GetWaveFileProps(), (waveFileProps{22050, 1, 2}));
    EXPECT_EQ(wave->recorded->GetValues(), 441);
    EXPECT_FALSE(Checked(C::FileRecord));
    EXPECT_FALSE(Enabled(C::FileRecord));  // the wave is not empty any more
}

TEST_F(PlayerCommandsTest, OtherPartsPlayAWholeSound) {
    ErrorFlag error = 0;
    auto sound = MakeEmptySound({8000, 1, 1})->MakeSilence(&error, 80);
    EXPECT_TRUE(frame_->Play(*sound, false));
    Settle();
    EXPECT_TRUE(Checked(C::FilePlay));
    EXPECT_FALSE(frame_->Play(*MakeEmptySound({8000, 1, 1}), false));  // nothing to play
}

// The same with the program's own wave documents.
TEST_F(PlayerCommandsTest, AWaveDocumentPlaysItsSelection) {
    TMDIChildWave* window =
        frame_->AddWaveWindow(NamedWave(frame_->Workspace(), testing::StereoSine(1000)));
    window->Wave().SetSelection(100, 300);
    Settle();
    ASSERT_TRUE(frame_->RunCommand(C::FilePlayMax));
    std::unique_ptr<Sound> played;
    std::string errorText;
    ASSERT_TRUE(ReadWaveFile(frame_->Player().PlayFile(), played, errorText)) << errorText;
    EXPECT_EQ(played->GetValues(), 200);
    EXPECT_EQ(played->GetWaveFileProps(), window->Wave().GetWaveFileProps());
    window->Wave().SetCursor(10);  // no selection: the whole wave
    ASSERT_TRUE(frame_->RunCommand(C::FilePlay));
    ASSERT_TRUE(ReadWaveFile(frame_->Player().PlayFile(), played, errorText)) << errorText;
    EXPECT_EQ(played->GetValues(), 1000);
}

TEST_F(PlayerCommandsTest, RecordFillsANewWaveDocument) {
    TMDIChildWave* window = frame_->AddWaveWindow(NewWave(frame_->Workspace(), {11025, 1, 1}));
    Settle();
    EXPECT_TRUE(Enabled(C::FileRecord));
    EXPECT_FALSE(Enabled(C::FilePlay));
    media_->onSave = [](const std::filesystem::path& file) {
        ErrorFlag error = 0;
        auto recorded = testing::StereoSine(2205, 22050);  // the device's own format
        return WriteWaveFile(*recorded, &error, file, 0, 2205);
    };
    EXPECT_TRUE(Enabled(C::DrawWaveLin));
    ASSERT_TRUE(frame_->RunCommand(C::FileRecord));
    Settle();
    EXPECT_TRUE(window->RecordedInto());
    EXPECT_FALSE(Enabled(C::DrawWaveLin));  // nothing may change the wave meanwhile
    EXPECT_FALSE(Enabled(C::FileProperties));
    ASSERT_TRUE(frame_->RunCommand(C::FileStop));
    Settle();
    EXPECT_FALSE(window->RecordedInto());
    TUnitWave& wave = window->Wave();
    EXPECT_EQ(wave.GetWaveFileProps(), (waveFileProps{11025, 1, 1}));
    EXPECT_NEAR(wave.GetValues(), 1102, 1);
    EXPECT_TRUE(wave.SoundChanged());
    EXPECT_FALSE(frame_->Workspace().Undo().Record());  // nothing to undo: it was empty
    EXPECT_FALSE(Enabled(C::FileRecord));
    EXPECT_TRUE(Enabled(C::FilePlay));
    EXPECT_TRUE(messages_.Messages().empty());
}

TEST_F(PlayerCommandsTest, ClosingTheRecordedWindowDiscardsTheRecording) {
    frame_->AddWaveWindow(NewWave(frame_->Workspace(), {44100, 2, 2}));
    Settle();
    ASSERT_TRUE(frame_->RunCommand(C::FileRecord));
    media_->ClearCalls();
    ASSERT_TRUE(frame_->RunCommand(C::FileClose));
    Settle();
    EXPECT_EQ(media_->CallsText(), "Close");  // not saved, not read back
    EXPECT_TRUE(frame_->DocumentWindows().isEmpty());
    EXPECT_FALSE(frame_->Player().Facts().recordChecked);
    EXPECT_FALSE(Checked(C::FileRecord));
}

TEST_F(PlayerCommandsTest, UndoCannotRefillAWaveWhileItIsRecordedInto) {
    TMDIChildWave* window =
        frame_->AddWaveWindow(NamedWave(frame_->Workspace(), testing::StereoSine(100)));
    ASSERT_TRUE(window->Wave().Delete());  // emptied, with an undo record
    Settle();
    EXPECT_TRUE(Enabled(C::Undo));
    ASSERT_TRUE(frame_->RunCommand(C::FileRecord));
    Settle();
    EXPECT_FALSE(Enabled(C::Undo));
    ASSERT_TRUE(frame_->RunCommand(C::FileStop));
    Settle();
    EXPECT_TRUE(Enabled(C::Undo));
}

// The program's own player against the private sound server: Record on a new wave, a tone
// played meanwhile, Stop, and the tone is in the wave.
TEST(ProgramPlayerTest, RecordOnANewWaveFillsItWithWhatWasHeard) {
    KALVORA_REQUIRE_SOUND_SERVER();
    platform::RecordingMessageSink messages;
    auto firstMessage = [&] {
        return messages.Messages().empty() ? std::string() : messages.Messages()[0].text;
    };
    TMainForm frame;
    frame.show();
    TMDIChildWave* window = frame.AddWaveWindow(NewWave(frame.Workspace(), {44100, 1, 2}));
    QApplication::processEvents();
    ASSERT_TRUE(frame.RunCommand(C::FileRecord));
    ASSERT_TRUE(frame.Player().Facts().recordChecked) << firstMessage();
    QTemporaryDir folder;
    const std::filesystem::path toneFile = FileNameToCore(folder.filePath("tone.wav"));
    kalvora::testing::WriteTone(toneFile, {44100, 1, 2}, 0.5, 1000, 16000);
    platform::QtMediaPlayer speaker;
    bool played = false;
    speaker.SetCompletionHandler(
        [&](platform::OperationId, platform::Completion) { played = true; });
    speaker.SetFileName(toneFile);
    ASSERT_TRUE(speaker.Open());
    kalvora::testing::Idle(0.3);
    ASSERT_NE(speaker.Play(), 0u) << speaker.ErrorText();
    ASSERT_TRUE(kalvora::testing::WaitFor([&] { return played; }, 10));
    kalvora::testing::Idle(0.3);
    ASSERT_TRUE(frame.RunCommand(C::FileStop));
    EXPECT_TRUE(messages.Messages().empty()) << firstMessage();
    const TUnitWave& wave = window->Wave();
    EXPECT_GT(wave.GetValues(), 44100);
    const kalvora::testing::ToneSpan tone = kalvora::testing::FindTone(wave.TheSound(), 8000);
    EXPECT_GT(tone.peak, 14000);
    EXPECT_NEAR(tone.Seconds(44100), 0.5, 0.1);
    EXPECT_TRUE(wave.SoundChanged());
}

}  // namespace
}  // namespace kalvora::gui
