#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "sound/sound.h"
#include "wave_samples.h"

namespace kalvora {
namespace {

using ::testing::Each;
using ::testing::ElementsAre;
using testing::MakeWave;
using testing::Samples;

class SinusGeneratorTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(CreateSinus()); }
    void TearDown() override { ReleaseSinus(); }

    std::unique_ptr<Sound> Make(const Sound& sound, double a, double b, double period,
                                double periods, double start = 0) {
        begin = 0;
        end = 0;
        return sound.Sinus(&error, a, b, period, periods, start, begin, end);
    }

    ErrorFlag error = 0;
    std::int32_t begin = 0;
    std::int32_t end = 0;
};

TEST_F(SinusGeneratorTest, At441HzRepeatsEvery100SamplesWithPeakAbout16382) {
    const MonoSound empty(44100, 2);
    auto made = Make(empty, 16383, -16383, 1.0 / 441, 441);
    ASSERT_TRUE(made);
    const auto samples = Samples(made->GetLeftWave());
    ASSERT_EQ(samples.size(), 44100u);
    for (std::size_t k = 0; k + 100 < samples.size(); ++k) {
        ASSERT_EQ(samples[k], samples[k + 100]) << "at " << k;
    }
    EXPECT_EQ(samples[0], 0);
    EXPECT_EQ(*std::max_element(samples.begin(), samples.end()), 16382);
    EXPECT_EQ(*std::min_element(samples.begin(), samples.end()), -16382);
    EXPECT_EQ(samples[25], 16382);  // a quarter period
}

TEST_F(SinusGeneratorTest, CentreIsTheTruncatedMiddleOfBothValues) {
    const MonoSound empty(4, 2);
    // Period of 4 samples: phases 0, .25, .5, .75 read the table at 0, 2249.75, 4499.5,
    // 6749.25; the centre is trunc(1001 / 2) = 500.
    auto made = Make(empty, 1001, 0, 1.0, 1);
    ASSERT_TRUE(made);
    EXPECT_THAT(Samples(made->GetLeftWave()), ElementsAre(500, 1000, 500, 0));
}

TEST_F(SinusGeneratorTest, NumberOfSamplesIsPeriodTimesCountAtLeastOne) {
    const MonoSound empty(4, 2);
    auto made = Make(empty, 100, -100, 1.0, 2.6);
    ASSERT_TRUE(made);
    EXPECT_EQ(made->GetValues(), 10);  // 4 · 2.6 = 10.4
    made = Make(empty, 100, -100, 1.0, 0);
    ASSERT_TRUE(made);
    EXPECT_EQ(made->GetValues(), 1);
    EXPECT_EQ(end, 1);
}

TEST_F(SinusGeneratorTest, StartPhaseShiftsTheWave) {
    const MonoSound empty(4, 2);
    auto made = Make(empty, 16383, -16383, 1.0, 1, 0.25);
    ASSERT_TRUE(made);
    // Half a period reads the table at 4499.5, half way between 22 and 0: (11 · 32766) /
    // 65535, truncated.
    EXPECT_THAT(Samples(made->GetLeftWave()), ElementsAre(16382, 5, -16382, 0));
}

TEST_F(SinusGeneratorTest, ReplacesTheSelectionWithTheSameSamplesInBothChannels) {
    const StereoSound sound(MakeWave({1, 2, 3, 4, 5, 6}), MakeWave({-1, -2, -3, -4, -5, -6}), 4, 2);
    begin = 2;
    end = 3;
    auto made = sound.Sinus(&error, 100, -100, 1.0, 1, 0, begin, end);
    ASSERT_TRUE(made);
    EXPECT_EQ(begin, 2);
    EXPECT_EQ(end, 6);
    // Length 6 - 1 + 4.
    EXPECT_THAT(Samples(made->GetLeftWave()), ElementsAre(1, 2, 0, 99, 0, -99, 4, 5, 6));
    EXPECT_THAT(Samples(made->GetRightWave()), ElementsAre(-1, -2, 0, 99, 0, -99, -4, -5, -6));
}

TEST_F(SinusGeneratorTest, SetFlagMakesNothing) {
    const MonoSound empty(4, 2);
    error = 1;
    EXPECT_FALSE(Make(empty, 100, -100, 1.0, 1));
}

}  // namespace
}  // namespace kalvora
