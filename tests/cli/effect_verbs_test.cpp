// kalvora-cli generate, apply and help COMMAND: the commands of the effect table on files.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>

#include "cli/cli.h"
#include "cli/cli_fixture.h"
#include "documents/effect_assignments.h"
#include "documents/effect_table.h"
#include "shell/command_table.h"
#include "sound/wave_file.h"

namespace kalvora::cli {
namespace {

using ::testing::Each;
using ::testing::HasSubstr;

std::vector<std::int16_t> Samples(const Wave& wave) {
    return std::vector<std::int16_t>(wave.wave, wave.wave + wave.values);
}

class EffectVerbsTest : public CliFolderTest {};

TEST_F(EffectVerbsTest, GeneratesSilenceLinesAndNoise) {
    ASSERT_EQ(Run({"generate", Path("silence.wav"), "MakeSilence"}), exitSuccess) << err.str();
    auto silence = Read("silence.wav");
    EXPECT_EQ(silence->GetWaveFileProps(), (waveFileProps{44100, 2, 2}));
    EXPECT_EQ(silence->GetValues(), 4411);
    EXPECT_THAT(Samples(silence->GetRightWave()), Each(0));

    ASSERT_EQ(Run({"generate", Path("line.wav"), "makeline", "--rate", "1000", "--channels", "1",
                   "beginValue=1000$", "endValue=0.5", "length=4ms"}),
              exitSuccess)
        << err.str();
    auto line = Read("line.wav");
    EXPECT_EQ(line->GetWaveFileProps(), (waveFileProps{1000, 1, 2}));
    EXPECT_EQ(Samples(line->GetLeftWave()),
              (std::vector<std::int16_t>{1000, 4845, 8691, 12537, 16383}));

    ASSERT_EQ(Run({"generate", Path("exp.wav"), "MakeLine", "--rate", "10", "kind=exponential",
                   "beginValue=16$", "endValue=256$", "length=0.1s"}),
              exitSuccess)
        << err.str();
    EXPECT_EQ(Samples(Read("exp.wav")->GetLeftWave()), (std::vector<std::int16_t>{16, 64}));

    ASSERT_EQ(Run({"generate", Path("noise.wav"), "MakeNoise", "--bits", "8", "--rate", "8000",
                   "length=0.25s", "volume=25%"}),
              exitSuccess)
        << err.str();
    auto noise = Read("noise.wav");
    EXPECT_EQ(noise->GetWaveFileProps(), (waveFileProps{8000, 2, 1}));
    EXPECT_EQ(noise->GetValues(), 2000);
    ErrorFlag error = 0;
    EXPECT_LE(noise->GetLeftWave().getMaxAbs(&error, 0, 2000), 8192 + 256);
}

TEST_F(EffectVerbsTest, ARefusedValueGivesTheDialogsMessageAndWritesNothing) {
    EXPECT_EQ(Run({"generate", Path("out.wav"), "MakeSilence", "length=5"}), exitUsageError);
    EXPECT_EQ(err.str(), "In Length: Wrong unit used, use: 's', 'ms', 'Hz', 'kHz'.\n");
    EXPECT_EQ(Run({"generate", Path("out.wav"), "MakeNoise", "volume=2", "length=x"}),
              exitUsageError);
    EXPECT_EQ(err.str(), "In Volume: Wave Value is too high. (maximum: 1)\n");  // the first only
    EXPECT_EQ(Run({"generate", Path("out.wav"), "MakeLine", "kind=Exponential"}), exitUsageError);
    EXPECT_EQ(err.str(), "Exponential Line may not contain value 0.\n");
    EXPECT_FALSE(std::filesystem::exists(Path("out.wav")));
}

TEST_F(EffectVerbsTest, ApplyGeneratesOverTheSelection) {
    ASSERT_EQ(Run({"generate", Path("in.wav"), "MakeLine", "--rate", "1000", "length=1s",
                   "beginValue=0$", "endValue=1000$"}),
              exitSuccess);  // 1001 samples, sample k = k
    struct Case {
        std::string select;
        std::int32_t begin;
        std::int32_t end;
    };
    for (const Case& c : {Case{"100:300", 100, 300}, Case{"10%:0.5s", 100, 500},
                          Case{"250ms:250ms", 250, 250}, Case{"1001:1001", 1001, 1001}}) {
        ASSERT_EQ(Run({"apply", Path("in.wav"), Path("out.wav"), "MakeSilence", "length=9ms",
                       "--select", c.select}),
                  exitSuccess)
            << c.select << ": " << err.str();
        auto result = Read("out.wav");
        const std::int32_t n = 10;
        EXPECT_EQ(result->GetValues(), 1001 + n - (c.end - c.begin)) << c.select;
        const std::vector<std::int16_t> samples = Samples(result->GetLeftWave());
        EXPECT_EQ(samples[static_cast<std::size_t>(c.begin + n - 1)], 0) << c.select;
        if (c.end < 1001) {
            EXPECT_EQ(samples[static_cast<std::size_t>(c.begin + n)], c.end);
        }
    }
    // Without a selection a generator inserts at the start.
    ASSERT_EQ(Run({"apply", Path("in.wav"), Path("out.wav"), "MakeSilence", "length=1ms"}),
              exitSuccess);
    EXPECT_EQ(Samples(Read("out.wav")->GetLeftWave())[2], 0);
    EXPECT_EQ(Samples(Read("out.wav")->GetLeftWave())[3], 1);
}

TEST_F(EffectVerbsTest, UsageAndFileErrors) {
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string error;
    };
    ASSERT_EQ(Run({"generate", Path("in.wav"), "MakeSilence", "--rate", "100"}), exitSuccess);
    const std::vector<Case> cases = {
        {{"generate", Path("a.wav"), "MakeWaves"},
         exitUsageError,
         "Unknown command \"MakeWaves\". Try \"kalvora-cli help\".\n"},
        {{"generate", Path("a.wav"), "MakeLine", "colour=red"},
         exitUsageError,
         "Unknown field \"colour\" for MakeLine. Try \"kalvora-cli help MakeLine\".\n"},
        {{"generate", Path("a.wav"), "MakeLine", "kind=Curved"},
         exitUsageError,
         "In Kind: \"Curved\" is not one of: Linear, Exponential.\n"},
        {{"generate", Path("a.wav"), "MakeLine", "--rate", "0"},
         exitUsageError,
         "In --rate: the rate must be a positive number of samples per second.\n"},
        {{"generate", Path("a.wav"), "MakeLine", "--channels", "3"},
         exitUsageError,
         "In --channels: the channel count must be 1 or 2.\n"},
        {{"generate", Path("a.wav"), "MakeLine", "--select", "1:2"},
         exitUsageError,
         "usage: kalvora-cli generate OUT.wav COMMAND [FIELD=TEXT ...] [--rate N] "
         "[--channels 1|2] [--bits 8|16]\n"},
        {{"apply", Path("in.wav"), Path("a.wav"), "MakeNoise", "--select", "5:2"},
         exitUsageError,
         "In --select: 5:2 is not a range inside the wave of 11 samples.\n"},
        {{"apply", Path("in.wav"), Path("a.wav"), "MakeNoise", "--select", "0:12"},
         exitUsageError,
         "In --select: 0:12 is not a range inside the wave of 11 samples.\n"},
        {{"apply", Path("in.wav"), Path("a.wav"), "MakeNoise", "--select", "2"},
         exitUsageError,
         "In --select: use BEGIN:END, each a sample index, a time (\"1.5s\", \"250ms\") or a "
         "share of the length (\"25%\").\n"},
        {{"apply", Path("missing.wav"), Path("a.wav"), "MakeNoise"},
         exitFileError,
         Path("missing.wav") + ": Cannot open File.\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Run(c.args), c.status) << c.args[2];
        EXPECT_EQ(err.str(), c.error);
    }
    EXPECT_FALSE(std::filesystem::exists(Path("a.wav")));
    EXPECT_EQ(Run({"generate", Path("dir/a.wav"), "MakeNoise"}), exitFileError);
    EXPECT_THAT(err.str(), HasSubstr("Cannot save Wave"));
}

TEST_F(EffectVerbsTest, HelpListsTheCommandsAndTheFieldsOfOne) {
    ASSERT_EQ(Run({"help"}), exitSuccess);
    for (const TEffectEntry& entry : EffectTable())
        EXPECT_THAT(out.str(), HasSubstr(std::string(entry.command)));
    ASSERT_EQ(Run({"help", "makenoise"}), exitSuccess);
    EXPECT_EQ(out.str(),
              "MakeNoise: Make Noise - noise of the given volume and length\n"
              "  volume=0.5  Volume\n"
              "  length=0.5s  Length\n");
    ASSERT_EQ(Run({"help", "apply"}), exitSuccess);
    EXPECT_THAT(out.str(), HasSubstr("usage: kalvora-cli apply IN.wav"));
    EXPECT_EQ(Run({"help", "MakeMusic"}), exitUsageError);
    EXPECT_EQ(err.str(), "Unknown command \"MakeMusic\". Try \"kalvora-cli help\".\n");
}

TEST(EffectTableCommandsTest, EveryEntryIsACommandOfTheFrame) {
    for (const TEffectEntry& entry : EffectTable()) {
        const auto id = FindCommandByName(entry.command);
        ASSERT_TRUE(id.has_value()) << entry.command;
        EXPECT_EQ(Command(*id).name, entry.command);
    }
}

}  // namespace
}  // namespace kalvora::cli
