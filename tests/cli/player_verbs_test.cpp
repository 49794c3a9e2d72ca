#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QTimer>
#include <cstdlib>
#include <sstream>

#include "cli/cli.h"
#include "platform/qt/qt_media_player.h"
#include "platform/qt/sound_server_support.h"

namespace kalvora::cli {
namespace {

namespace fs = std::filesystem;
using kalvora::testing::FindTone;
using kalvora::testing::WriteTone;
using ::testing::HasSubstr;

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

CliRun Cli(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = RunCli(args, out, err);
    return {status, out.str(), err.str()};
}

class PlayerVerbsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "kalvora-player-verbs-XXXXXX").string();
        folder_ = ::mkdtemp(pattern.data());
        tone_ = (folder_ / "tone.wav").string();
        WriteTone(tone_, {44100, 1, 2}, 0.3, 1000, 16000);
        out_ = (folder_ / "out.wav").string();
    }
    void TearDown() override { fs::remove_all(folder_); }

    fs::path folder_;
    std::string tone_;
    std::string out_;
};

TEST_F(PlayerVerbsTest, RefusedCommandLinesSayWhyAndTouchNothing) {
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string message;
    };
    const std::vector<Case> cases = {
        {{"play"}, exitUsageError, "usage: kalvora-cli play FILE.wav"},
        {{"play", tone_, "--loud", "yes"}, exitUsageError, "usage: kalvora-cli play"},
        {{"play", (folder_ / "missing.wav").string()}, exitFileError, "Cannot open File."},
        {{"play", tone_, "--select", "0:1s"},
         exitUsageError,
         "In --select: 0:44100 is not a range inside the wave of 13230 samples."},
        {{"record", out_}, exitUsageError, "usage: kalvora-cli record OUT.wav --length TIME"},
        {{"record", out_, "--length", "5"}, exitUsageError, "In --length: Wrong unit used"},
        {{"record", out_, "--length", "0s"}, exitUsageError, "In --length: "},
        {{"record", out_, "--length", "1ms", "--rate", "100"},
         exitUsageError,
         "In --length: the recording must hold at least one sample."},
        {{"record", out_, "--length", "1s", "--rate", "0"}, exitUsageError, "In --rate: "},
        {{"record", out_, "--length", "1s", "--channels", "3"},
         exitUsageError,
         "In --channels: the channel count must be 1 or 2."},
        {{"record", out_, "--length", "1s", "--bits", "12"},
         exitUsageError,
         "In --bits: the sample width must be 8 or 16."},
    };
    for (const Case& c : cases) {
        const CliRun run = Cli(c.args);
        EXPECT_EQ(run.status, c.status) << c.args.back();
        EXPECT_THAT(run.err, HasSubstr(c.message)) << c.args.back();
    }
    EXPECT_FALSE(fs::exists(out_));
}

TEST_F(PlayerVerbsTest, PlayReturnsWhenThePlayHasEnded) {
    KALVORA_REQUIRE_SOUND_SERVER();
    const CliRun whole = Cli({"play", tone_});
    EXPECT_EQ(whole.status, exitSuccess) << whole.err;
    EXPECT_EQ(whole.out, "played: 13230 samples, 0.300 s\n");
    const CliRun part = Cli({"play", tone_, "--select", "10%:50%", "--maximal"});
    EXPECT_EQ(part.status, exitSuccess) << part.err;
    EXPECT_EQ(part.out, "played: 5292 samples, 0.120 s\n");
}

TEST_F(PlayerVerbsTest, RecordCatchesWhatIsPlayedMeanwhile) {
    KALVORA_REQUIRE_SOUND_SERVER();
    kalvora::testing::EnsureApplication();
    const fs::path toneFile = folder_ / "long-tone.wav";
    WriteTone(toneFile, {44100, 1, 2}, 0.5, 1000, 16000);
    platform::QtMediaPlayer speaker;
    speaker.SetFileName(toneFile);
    ASSERT_TRUE(speaker.Open());
    // The tone starts while the recording runs.
    QTimer::singleShot(400, [&] { speaker.Play(); });
    const CliRun run = Cli({"record", out_, "--length", "1.5s", "--channels", "1"});
    ASSERT_EQ(run.status, exitSuccess) << run.err;
    EXPECT_EQ(run.out, "recorded: 66150 samples, 1.500 s\n");
    std::unique_ptr<Sound> recording;
    std::string errorText;
    ASSERT_TRUE(ReadWaveFile(out_, recording, errorText)) << errorText;
    EXPECT_EQ(recording->GetWaveFileProps(), (waveFileProps{44100, 1, 2}));
    EXPECT_EQ(recording->GetValues(), 66150);
    const kalvora::testing::ToneSpan tone = FindTone(*recording, 8000);
    EXPECT_GT(tone.peak, 14000);
    EXPECT_LT(tone.peak, 20000);
    EXPECT_NEAR(tone.Seconds(44100), 0.5, 0.1);
    EXPECT_GT(tone.first, 44100 / 10);
}

TEST_F(PlayerVerbsTest, RecordKeepsTheFormatAskedFor) {
    KALVORA_REQUIRE_SOUND_SERVER();
    const CliRun run = Cli({"record", out_, "--length", "250ms", "--rate", "8000", "--bits", "8"});
    ASSERT_EQ(run.status, exitSuccess) << run.err;
    std::unique_ptr<Sound> recording;
    std::string errorText;
    ASSERT_TRUE(ReadWaveFile(out_, recording, errorText)) << errorText;
    EXPECT_EQ(recording->GetWaveFileProps(), (waveFileProps{8000, 2, 1}));
    EXPECT_EQ(recording->GetValues(), 2000);
    EXPECT_EQ(fs::file_size(out_), 44u + 2u * 2000u);
}

// Registered a second time with the sound server out of reach.
TEST(NoSoundDevice, PlayAndRecordFailWithAClearMessage) {
    if (std::getenv("KALVORA_TEST_NO_SOUND_DEVICE") == nullptr) {
        GTEST_SKIP() << "runs only as cli_tests_without_sound_device";
    }
    std::string pattern = (fs::temp_directory_path() / "kalvora-cli-no-device-XXXXXX").string();
    const fs::path folder = ::mkdtemp(pattern.data());
    WriteTone(folder / "tone.wav", {44100, 1, 2}, 0.1, 440, 10000);
    const CliRun play = Cli({"play", (folder / "tone.wav").string()});
    EXPECT_EQ(play.status, exitFileError);
    EXPECT_THAT(play.err, HasSubstr("Cannot play: no sound output device was found."));
    const CliRun record = Cli({"record", (folder / "out.wav").string(), "--length", "1s"});
    EXPECT_EQ(record.status, exitFileError);
    EXPECT_THAT(record.err, HasSubstr("Cannot record: no sound input device was found."));
    EXPECT_FALSE(fs::exists(folder / "out.wav"));
    fs::remove_all(folder);
}

}  // namespace
}  // namespace kalvora::cli
