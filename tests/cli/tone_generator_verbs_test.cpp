// kalvora-cli generate with Block, Triangle, Sinus and Multi Frequency, the partials given as
// indexed fields.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "cli/cli.h"
#include "cli/cli_fixture.h"
#include "sound/sound.h"
#include "sound/wave_file.h"

namespace kalvora::cli {
namespace {

using ::testing::HasSubstr;

std::vector<std::int16_t> Samples(const Wave& wave) {
    return std::vector<std::int16_t>(wave.wave, wave.wave + wave.values);
}

class ToneGeneratorVerbsTest : public CliFolderTest {
  protected:
    // What the engine makes of the partials over an empty mono sound at 1000 Hz.
    static std::vector<std::int16_t> Expected(double length,
                                              const std::vector<FreqPartial>& partials) {
        ErrorFlag error = 0;
        std::int32_t begin = 0;
        std::int32_t end = 0;
        auto sound = MonoSound(1000, 2).MultiFreq(&error, length, partials, begin, end);
        return sound ? Samples(sound->GetLeftWave()) : std::vector<std::int16_t>{};
    }
};

TEST_F(ToneGeneratorVerbsTest, SinusAt441HzRepeatsEvery100Samples) {
    ASSERT_EQ(Run({"generate", Path("sine.wav"), "MakeSinus", "frequency=441Hz", "length=1s"}),
              exitSuccess)
        << err.str();
    auto sound = Read("sine.wav");
    ASSERT_EQ(sound->GetValues(), 44100);
    const auto left = Samples(sound->GetLeftWave());
    EXPECT_EQ(left, Samples(sound->GetRightWave()));
    EXPECT_TRUE(std::equal(left.begin(), left.end() - 100, left.begin() + 100));
    EXPECT_EQ(*std::max_element(left.begin(), left.end()), 16382);
}

TEST_F(ToneGeneratorVerbsTest, BlockAndTriangleTakeTheirAlternatives) {
    ASSERT_EQ(Run({"generate", Path("block.wav"), "MakeBlock", "height1=100$", "height2=-100$",
                   "time1=1ms", "time2=3ms", "count=2", "--rate", "1000", "--channels", "1"}),
              exitSuccess)
        << err.str();
    EXPECT_EQ(Samples(Read("block.wav")->GetLeftWave()),
              (std::vector<std::int16_t>{-100, 100, 100, 100, -100, 100, 100, 100}));
    ASSERT_EQ(Run({"generate", Path("triangle.wav"), "MakeTriangle", "height1=100$",
                   "height2=-100$", "frequency=250Hz", "middle=0", "newLength=4ms",
                   "startPosition=0.5", "--rate", "1000", "--channels", "1"}),
              exitSuccess)
        << err.str();
    EXPECT_EQ(Samples(Read("triangle.wav")->GetLeftWave()),
              (std::vector<std::int16_t>{0, -50, 100, 50}));
}

TEST_F(ToneGeneratorVerbsTest, PartialsAreIndexedFields) {
    ASSERT_EQ(
        Run({"generate", Path("mfreq.wav"), "MakeMFreq", "length=20ms", "volume.1=0.5",
             "frequency.1=100Hz", "volumeFactor.1=1", "volume.2=0.25", "volumeFactorTime.2=10ms",
             "angle.3=25%", "frequency.3=250Hz", "--rate", "1000", "--channels", "1"}),
        exitSuccess)
        << err.str();
    // Entry 2 keeps the frequency of entry 1 ("Default" is off for it), entry 3 takes the
    // other defaults.
    EXPECT_EQ(
        Samples(Read("mfreq.wav")->GetLeftWave()),
        Expected(0.02,
                 {{0.5, 0.01, 0, 1, 1}, {0.25, 0.01, 0, 0.1, 0.01}, {0.5, 0.004, 0.25, 0.1, 1}}));
    // With its "Default" on, a new entry starts at the default frequency.
    ASSERT_EQ(
        Run({"generate", Path("mfreq2.wav"), "MakeMFreq", "length=20ms", "defaultFrequency=on",
             "frequency.1=100Hz", "volume.2=0.25", "--rate", "1000", "--channels", "1"}),
        exitSuccess)
        << err.str();
    EXPECT_EQ(Samples(Read("mfreq2.wav")->GetLeftWave()),
              Expected(0.02, {{0.5, 0.01, 0, 0.1, 1}, {0.25, 0.001, 0, 0.1, 1}}));
}

TEST_F(ToneGeneratorVerbsTest, WrongPartialsAreRefused) {
    EXPECT_EQ(Run({"generate", Path("x.wav"), "MakeMFreq", "volume.1=0.5", "volume.3=0.5"}),
              exitUsageError);
    EXPECT_EQ(err.str(),
              "Entry 2 of \"frequencies\" is missing: number the entries 1, 2, 3, ...\n");
    EXPECT_EQ(Run({"generate", Path("x.wav"), "MakeMFreq", "volume.1=loud", "volume.2=0.5"}),
              exitUsageError);
    EXPECT_EQ(err.str(),
              "In Start Volume: Input has no value.\n"
              "The values of entry 1 of \"frequencies\" were refused.\n");
    EXPECT_EQ(Run({"generate", Path("x.wav"), "MakeMFreq", "volume.1=0.5", "volume.1=0.2"}),
              exitUsageError);
    EXPECT_THAT(err.str(), HasSubstr("is given twice"));
    EXPECT_EQ(Run({"generate", Path("x.wav"), "MakeMFreq", "frequencies=2"}), exitUsageError);
    EXPECT_THAT(err.str(), HasSubstr("In Frequency: give its entries as FIELD.N=TEXT"));
    EXPECT_EQ(Run({"generate", Path("x.wav"), "MakeMFreq", "loudness.1=2"}), exitUsageError);
    EXPECT_THAT(err.str(), HasSubstr("Unknown field \"loudness.1\""));
    EXPECT_EQ(Run({"generate", Path("x.wav"), "MakeMFreq", "volume.1=0.5", "frequency.2=50kHz",
                   "--rate", "44100"}),
              exitUsageError);
    EXPECT_EQ(err.str(),
              "In Frequency: The frequency of entry 2 is above the sample rate (44100 Hz).\n");
    EXPECT_FALSE(std::filesystem::exists(Path("x.wav")));
}

TEST_F(ToneGeneratorVerbsTest, WaveFormOfOneSampleAndPeriodsBelowASampleAreRefused) {
    ASSERT_EQ(Run({"generate", Path("one.wav"), "MakeSilence", "length=0s", "--channels", "1"}),
              exitSuccess);
    EXPECT_EQ(Run({"generate", Path("x.wav"), "MakeMFreq", "waveForm=" + Path("one.wav")}),
              exitUsageError);
    EXPECT_THAT(err.str(), HasSubstr("has only one sample; a wave form needs at least two."));
    EXPECT_EQ(Run({"generate", Path("x.wav"), "MakeBlock", "frequency=50kHz"}), exitUsageError);
    EXPECT_EQ(err.str(), "In Frequency: The frequency is above the sample rate (44100 Hz).\n");
}

TEST_F(ToneGeneratorVerbsTest, HelpListsTheIndexedFields) {
    ASSERT_EQ(Run({"help", "MakeMFreq"}), exitSuccess);
    EXPECT_THAT(out.str(), HasSubstr("frequencies  Frequency: entries given as FIELD.N=TEXT"));
    EXPECT_THAT(out.str(), HasSubstr("    volume.N=0.5  Start Volume"));
    EXPECT_THAT(out.str(), HasSubstr("    frequency.N=1000Hz  Frequency"));
    EXPECT_THAT(out.str(), HasSubstr("  defaultFrequency=off  Default"));
    ASSERT_EQ(Run({"help", "MakeTriangle"}), exitSuccess);
    EXPECT_THAT(out.str(), HasSubstr("bloTriHorKind=Frequency  bloTriHorKind: Frequency | "
                                     "WaveinTime"));
}

}  // namespace
}  // namespace kalvora::cli
