#include "platform/qt/qt_media_player.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/qt/sound_server_support.h"
#include "platform/recording_message_sink.h"
#include "shell/frame_player.h"

namespace kalvora::platform {
namespace {

namespace fs = std::filesystem;
using testing::FindTone;
using testing::Idle;
using testing::WaitFor;
using testing::WriteTone;

struct Delivered {
    OperationId operation;
    Completion completion;
};

class QtMediaPlayerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "kalvora-qt-player-XXXXXX").string();
        folder_ = ::mkdtemp(pattern.data());
        player_.SetCompletionHandler([this](OperationId operation, Completion completion) {
            delivered_.push_back({operation, completion});
        });
    }
    void TearDown() override {
        player_.Close();
        fs::remove_all(folder_);
    }

    // Opens a prepared empty file of format for recording.
    void OpenForRecording(QtMediaPlayer& player, const fs::path& file,
                          const waveFileProps& format) {
        ErrorFlag error = 0;
        ASSERT_TRUE(WriteWaveFile(*MakeEmptySound(format), &error, file, 0, 0));
        player.SetFileName(file);
        ASSERT_TRUE(player.Open()) << player.ErrorText();
    }

    std::unique_ptr<Sound> Read(const fs::path& file) {
        std::unique_ptr<Sound> sound;
        std::string errorText;
        EXPECT_TRUE(ReadWaveFile(file, sound, errorText)) << errorText;
        return sound;
    }

    fs::path folder_;
    QtMediaPlayer player_;
    std::vector<Delivered> delivered_;
};

TEST_F(QtMediaPlayerTest, PlaysPausesContinuesAndStops) {
    KALVORA_REQUIRE_SOUND_SERVER();
    const fs::path file = folder_ / "tone.wav";
    WriteTone(file, {44100, 1, 2}, 3.0, 440, 10000);
    player_.SetFileName(file);
    ASSERT_TRUE(player_.Open()) << player_.ErrorText();
    EXPECT_EQ(player_.Mode(), PlayerMode::open);

    const OperationId first = player_.Play();
    ASSERT_NE(first, 0u) << player_.ErrorText();
    EXPECT_EQ(player_.Mode(), PlayerMode::playing);
    ASSERT_TRUE(WaitFor([&] { return player_.Seconds() > 0.2; }, 5));

    player_.Pause();
    EXPECT_EQ(player_.Mode(), PlayerMode::paused);
    const double pausedAt = player_.Seconds();
    Idle(0.3);
    EXPECT_LT(player_.Seconds() - pausedAt, 0.05);  // nothing more is played

    const OperationId second = player_.Play();
    EXPECT_NE(second, 0u);
    EXPECT_NE(second, first);
    EXPECT_EQ(player_.Mode(), PlayerMode::playing);
    EXPECT_TRUE(WaitFor([&] { return player_.Seconds() > pausedAt + 0.2; }, 5));

    player_.Stop();
    EXPECT_EQ(player_.Mode(), PlayerMode::stopped);
    Idle(0.3);
    EXPECT_TRUE(delivered_.empty());  // a stopped play does not notify
    player_.Close();
    EXPECT_EQ(player_.Mode(), PlayerMode::notReady);
}

TEST_F(QtMediaPlayerTest, TheEndOfAPlayIsNotifiedOnceWithItsIdentity) {
    KALVORA_REQUIRE_SOUND_SERVER();
    const fs::path file = folder_ / "short.wav";
    WriteTone(file, {22050, 2, 1}, 0.4, 880, 20000);  // 8-bit stereo plays too
    player_.SetFileName(file);
    ASSERT_TRUE(player_.Open()) << player_.ErrorText();
    QElapsedTimer clock;
    clock.start();
    const OperationId play = player_.Play();
    ASSERT_NE(play, 0u) << player_.ErrorText();
    ASSERT_TRUE(WaitFor([&] { return !delivered_.empty(); }, 10));
    EXPECT_GE(clock.elapsed(), 200);  // the device played it, it did not just take it
    EXPECT_EQ(delivered_[0].operation, play);
    EXPECT_EQ(delivered_[0].completion, Completion::ended);
    EXPECT_EQ(player_.Mode(), PlayerMode::stopped);
    Idle(0.2);
    EXPECT_EQ(delivered_.size(), 1u);
}

TEST_F(QtMediaPlayerTest, RecordsWhilePlayingAndTheToneIsInTheRecording) {
    KALVORA_REQUIRE_SOUND_SERVER();
    const fs::path recordFile = folder_ / "recorded.wav";
    OpenForRecording(player_, recordFile, {44100, 1, 2});
    ASSERT_NE(player_.StartRecording(), 0u) << player_.ErrorText();
    EXPECT_EQ(player_.Mode(), PlayerMode::recording);
    ASSERT_TRUE(WaitFor([&] { return player_.Seconds() >= 0.3; }, 5));

    const fs::path toneFile = folder_ / "tone.wav";
    WriteTone(toneFile, {44100, 1, 2}, 0.5, 1000, 16000);
    QtMediaPlayer speaker;
    bool played = false;
    speaker.SetCompletionHandler([&](OperationId, Completion) { played = true; });
    speaker.SetFileName(toneFile);
    ASSERT_TRUE(speaker.Open());
    ASSERT_NE(speaker.Play(), 0u) << speaker.ErrorText();
    ASSERT_TRUE(WaitFor([&] { return played; }, 10));
    const double heard = player_.Seconds();
    ASSERT_TRUE(WaitFor([&] { return player_.Seconds() >= heard + 0.3; }, 5));

    player_.Stop();
    ASSERT_TRUE(player_.Save()) << player_.ErrorText();
    player_.Close();
    std::unique_ptr<Sound> recording = Read(recordFile);
    ASSERT_TRUE(recording);
    EXPECT_EQ(recording->GetWaveFileProps(), (waveFileProps{44100, 1, 2}));
    EXPECT_GE(recording->GetValues(), 44100);  // at least the second waited for
    const testing::ToneSpan tone = FindTone(*recording, 8000);
    EXPECT_GT(tone.peak, 14000);
    EXPECT_LT(tone.peak, 20000);
    EXPECT_NEAR(tone.Seconds(44100), 0.5, 0.1);
    EXPECT_GT(tone.first, 44100 / 10);  // after the silence recorded before it
    EXPECT_TRUE(delivered_.empty());
    EXPECT_FALSE(fs::exists(folder_ / "recorded.wav.part"));
}

TEST_F(QtMediaPlayerTest, RecordsInThePreparedFormat) {
    KALVORA_REQUIRE_SOUND_SERVER();
    const fs::path recordFile = folder_ / "recorded.wav";
    OpenForRecording(player_, recordFile, {22050, 2, 1});
    ASSERT_NE(player_.StartRecording(), 0u) << player_.ErrorText();
    ASSERT_TRUE(WaitFor([&] { return player_.Seconds() >= 0.3; }, 5));
    player_.Stop();
    const double seconds = player_.Seconds();
    ASSERT_TRUE(player_.Save()) << player_.ErrorText();
    std::unique_ptr<Sound> recording = Read(recordFile);
    ASSERT_TRUE(recording);
    EXPECT_EQ(recording->GetWaveFileProps(), (waveFileProps{22050, 2, 1}));
    EXPECT_EQ(recording->GetValues(), static_cast<std::int32_t>(seconds * 22050 + 0.5));
    // The header and one byte per sample of each channel.
    EXPECT_EQ(fs::file_size(recordFile), 44u + 2u * recording->GetValues());
}

TEST_F(QtMediaPlayerTest, ClosingDiscardsAnUnsavedRecording) {
    KALVORA_REQUIRE_SOUND_SERVER();
    const fs::path recordFile = folder_ / "recorded.wav";
    OpenForRecording(player_, recordFile, {44100, 2, 2});
    ASSERT_NE(player_.StartRecording(), 0u) << player_.ErrorText();
    ASSERT_TRUE(WaitFor([&] { return player_.Seconds() >= 0.1; }, 5));
    EXPECT_TRUE(fs::exists(folder_ / "recorded.wav.part"));
    player_.Close();
    EXPECT_FALSE(fs::exists(folder_ / "recorded.wav.part"));
    EXPECT_EQ(Read(recordFile)->GetValues(), 0);  // the prepared file is as it was
}

TEST_F(QtMediaPlayerTest, AFileThatIsNoWaveIsRefused) {
    const fs::path file = folder_ / "broken.wav";
    std::FILE* out = std::fopen(file.c_str(), "wb");
    std::fputs("this is no wave", out);
    std::fclose(out);
    player_.SetFileName(file);
    EXPECT_FALSE(player_.Open());
    EXPECT_EQ(player_.ErrorText(),
              "Cannot open the file: \"" + file.string() + "\", \"RIFF\" not found.");
    EXPECT_EQ(player_.Mode(), PlayerMode::notReady);
    EXPECT_EQ(player_.Play(), 0u);
    EXPECT_EQ(player_.ErrorText(), "No file is open.");
}

// Registered a second time with the sound server out of reach.
TEST(NoSoundDevice, PlayingAndRecordingFailWithAClearMessage) {
    if (std::getenv("KALVORA_TEST_NO_SOUND_DEVICE") == nullptr) {
        GTEST_SKIP() << "runs only as platform_qt_tests_without_sound_device";
    }
    std::string pattern = (fs::temp_directory_path() / "kalvora-no-device-XXXXXX").string();
    const fs::path folder = ::mkdtemp(pattern.data());
    WriteTone(folder / "tone.wav", {44100, 1, 2}, 0.2, 440, 10000);
    {
        QtMediaPlayer player;
        player.SetFileName(folder / "tone.wav");
        ASSERT_TRUE(player.Open());
        EXPECT_EQ(player.Play(), 0u);
        EXPECT_EQ(player.ErrorText(), "Cannot play: no sound output device was found.");
        EXPECT_EQ(player.StartRecording(), 0u);
        EXPECT_EQ(player.ErrorText(), "Cannot record: no sound input device was found.");

        // The frame's commands show the reason and leave nothing checked.
        RecordingMessageSink messages;
        FramePlayer frame(player, folder, true);
        std::unique_ptr<Sound> tone = testing::Tone({44100, 1, 2}, 0.1, 440, 10000);
        EXPECT_FALSE(frame.Play(*tone, false));
        EXPECT_FALSE(frame.Facts().playChecked);
        ASSERT_EQ(messages.Messages().size(), 1u);
        EXPECT_EQ(messages.Messages()[0].text, "Cannot play: no sound output device was found.");
        EXPECT_EQ(messages.Messages()[0].caption, "Error");
    }
    fs::remove_all(folder);
}

}  // namespace
}  // namespace kalvora::platform
