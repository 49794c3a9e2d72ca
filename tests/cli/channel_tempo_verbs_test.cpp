// kalvora-cli apply with Balance, MixLeftRight, MoveH and TempoPitch: the preset field, the
// channel fields of mono files, and the files a command does not apply to.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "cli/cli.h"
#include "cli/cli_fixture.h"
#include "sound/wave_file.h"

namespace kalvora::cli {
namespace {

using ::testing::HasSubstr;

using Samples = std::vector<std::int16_t>;

class ChannelTempoVerbsTest : public CliFolderTest {
  protected:
    // Writes a mono (right empty) or stereo 16-bit file at 1000 Hz.
    void Write(const std::string& name, const Samples& left, const Samples& right = {}) {
        ErrorFlag error = 0;
        auto wave = [&](const Samples& samples) {
            Wave made(&error, static_cast<std::int32_t>(samples.size()));
            std::copy(samples.begin(), samples.end(), made.wave);
            return made;
        };
        std::unique_ptr<Sound> sound;
        if (right.empty()) {
            sound = std::make_unique<MonoSound>(wave(left), 1000, 2);
        } else {
            sound = std::make_unique<StereoSound>(wave(left), wave(right), 1000, 2);
        }
        ASSERT_TRUE(WriteWaveFile(*sound, &error, Path(name), 0, sound->GetValues()));
    }

    static Samples Of(const Wave& wave) { return Samples(wave.wave, wave.wave + wave.values); }
};

TEST_F(ChannelTempoVerbsTest, MixTakesAPresetByItsLabelWithoutBlanks) {
    Write("in.wav", {100, 200}, {300, -200});
    ASSERT_EQ(Run({"apply", Path("in.wav"), Path("out.wav"), "MixLeftRight", "example=Mono"}),
              exitSuccess)
        << err.str();
    auto out = Read("out.wav");
    EXPECT_EQ(Of(out->GetLeftWave()), (Samples{200, 0}));
    EXPECT_EQ(Of(out->GetRightWave()), (Samples{200, 0}));

    EXPECT_EQ(Run({"apply", Path("in.wav"), Path("bad.wav"), "MixLeftRight", "example=Mono",
                   "leftToLeft=1"}),
              exitUsageError);
    EXPECT_THAT(err.str(), HasSubstr("cannot be given together"));
    EXPECT_EQ(Run({"apply", Path("in.wav"), Path("bad.wav"), "MixLeftRight", "example=Loud"}),
              exitUsageError);
    EXPECT_THAT(err.str(), HasSubstr("Normal, Swapped, ExtraStereo"));
}

TEST_F(ChannelTempoVerbsTest, CommandsRefuseFilesTheyDoNotApplyTo) {
    Write("mono.wav", {1, 2, 3});
    Write("stereo.wav", {1, 2, 3}, {4, 5, 6});
    EXPECT_EQ(Run({"apply", Path("stereo.wav"), Path("out.wav"), "Balance"}), exitUsageError);
    EXPECT_THAT(err.str(), HasSubstr("Balance works on a mono wave"));
    EXPECT_EQ(Run({"apply", Path("mono.wav"), Path("out.wav"), "MixLeftRight"}), exitUsageError);
    EXPECT_THAT(err.str(), HasSubstr("works on a stereo wave"));
    EXPECT_EQ(Run({"apply", Path("mono.wav"), Path("out.wav"), "MoveH", "timeLeft=1ms"}),
              exitUsageError);
    EXPECT_THAT(err.str(), HasSubstr("In Time Left: a mono wave has no such channel."));
}

TEST_F(ChannelTempoVerbsTest, BalanceMakesAStereoFile) {
    Write("mono.wav", {1000, 2000, 3000});
    ASSERT_EQ(Run({"apply", Path("mono.wav"), Path("out.wav"), "Balance", "direction=-1",
                   "timeDifference=off"}),
              exitSuccess)
        << err.str();
    auto out = Read("out.wav");
    EXPECT_EQ(out->MoSt, 2);
    EXPECT_EQ(Of(out->GetLeftWave()), (Samples{1000, 2000, 3000}));
    EXPECT_EQ(Of(out->GetRightWave()), (Samples{0, 0, 0}));
}

TEST_F(ChannelTempoVerbsTest, MiddleTimeMovesBothChannelsUnlessOneIsGiven) {
    Write("stereo.wav", {1, 2, 3, 4}, {5, 6, 7, 8});
    ASSERT_EQ(Run({"apply", Path("stereo.wav"), Path("out.wav"), "MoveH", "timeRight=0s",
                   "timeMiddle=2ms", "--select", "0:2"}),
              exitSuccess)
        << err.str();
    auto out = Read("out.wav");
    EXPECT_EQ(Of(out->GetLeftWave()), (Samples{0, 0, 3 + 1, 4 + 2}));
    EXPECT_EQ(Of(out->GetRightWave()), (Samples{5, 6, 7, 8}));
}

TEST_F(ChannelTempoVerbsTest, TempoPitchShortensAndRefusesTinyBlocks) {
    Write("in.wav", Samples(1000, 100), Samples(1000, -100));
    ASSERT_EQ(Run({"apply", Path("in.wav"), Path("out.wav"), "TempoPitch", "speedFactor=1.25",
                   "lengthFactor=0.8", "quality=High"}),
              exitSuccess)
        << err.str();
    EXPECT_EQ(Read("out.wav")->GetValues(), 800);
    EXPECT_EQ(Run({"apply", Path("in.wav"), Path("out2.wav"), "TempoPitch", "quality=High",
                   "blockSize=1ms"}),
              exitUsageError);
    EXPECT_THAT(err.str(), HasSubstr("In Block Size: Block Size may not be shorter than two"));
}

}  // namespace
}  // namespace kalvora::cli
