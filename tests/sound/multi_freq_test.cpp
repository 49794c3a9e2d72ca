#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "sound/sound.h"
#include "wave_samples.h"

namespace kalvora {
namespace {

using ::testing::Each;
using ::testing::ElementsAre;
using testing::MakeWave;
using testing::Samples;

FreqPartial Partial(double volume, double period, double angle = 0, double factor = 1,
                    double factorTime = 1) {
    return FreqPartial{volume, period, angle, factor, factorTime};
}

class MultiFreqTest : public ::testing::Test {
  protected:
    std::vector<std::int16_t> FromWaveForm(const Sound& sound, double length,
                                           std::vector<FreqPartial> partials,
                                           const Sound& waveForm) {
        begin = 0;
        end = 0;
        auto made = sound.MultiFreqEnvelope(&error, length, partials, waveForm, begin, end);
        if (!made) return {};
        return Samples(made->GetLeftWave());
    }

    ErrorFlag error = 0;
    std::int32_t begin = 0;
    std::int32_t end = 0;
};

TEST_F(MultiFreqTest, VolumeHalvesEverySecondWithFactorHalfAtOneSecond) {
    const MonoSound empty(100, 2);
    const MonoSound constant(MakeWave({10000, 10000}), 100, 2);
    const auto samples = FromWaveForm(empty, 3.0, {Partial(0.5, 0.01, 0, 0.5, 1.0)}, constant);
    ASSERT_EQ(samples.size(), 300u);
    EXPECT_EQ(samples[0], 5000);
    EXPECT_NEAR(samples[100], 2500, 1);
    EXPECT_NEAR(samples[200], 1250, 1);
    EXPECT_NEAR(samples[50], 5000 / std::sqrt(2.0), 1);
}

TEST_F(MultiFreqTest, VolumeFactorOneKeepsTheStartVolume) {
    const MonoSound empty(100, 2);
    const MonoSound constant(MakeWave({10000, 10000}), 100, 2);
    const auto samples = FromWaveForm(empty, 3.0, {Partial(0.5, 0.01, 0, 1.0, 0.2)}, constant);
    ASSERT_EQ(samples.size(), 300u);
    EXPECT_THAT(samples, Each(5000));
}

TEST_F(MultiFreqTest, EachPartialIsTruncatedAndWrappedInTurn) {
    const MonoSound empty(10, 2);
    const MonoSound big(MakeWave({20000, 20000}), 10, 2);
    EXPECT_THAT(FromWaveForm(empty, 0.2, {Partial(1, 0.5), Partial(1, 0.5)}, big),
                ElementsAre(-25536, -25536));
    const MonoSound three(MakeWave({3, 3}), 10, 2);
    // 1.5 truncated to 1, then 1.5 + 1 truncated to 2 (not 3).
    EXPECT_THAT(FromWaveForm(empty, 0.1, {Partial(0.5, 0.5), Partial(0.5, 0.5)}, three),
                ElementsAre(2));
    // In order: -1.5 to -1, then 3 - 1 = 2; the other way: 3, then 3 - 1.5 to 1.
    EXPECT_THAT(FromWaveForm(empty, 0.1, {Partial(-0.5, 0.5), Partial(1, 0.5)}, three),
                ElementsAre(2));
    EXPECT_THAT(FromWaveForm(empty, 0.1, {Partial(1, 0.5), Partial(-0.5, 0.5)}, three),
                ElementsAre(1));
}

TEST_F(MultiFreqTest, WaveFormWithoutItsLastSampleIsOnePeriod) {
    const MonoSound empty(3, 2);
    // Three samples: a period of two, read at 3·angle and advanced by 3 / 3 = 1 a sample.
    const MonoSound ramp(MakeWave({0, 100, 200}), 3, 2);
    EXPECT_THAT(FromWaveForm(empty, 4.0 / 3, {Partial(1, 1.0, 0.5)}, ramp),
                ElementsAre(150, 50, 150, 50));
    // A start beyond the last sample reads 0 until the position wraps.
    EXPECT_THAT(FromWaveForm(empty, 5.0 / 3, {Partial(1, 1.0, 0.9)}, ramp),
                ElementsAre(0, 170, 70, 170, 70));
}

TEST_F(MultiFreqTest, StereoWaveFormIsReadAsItsMonoWave) {
    const MonoSound empty(10, 2);
    const StereoSound waveForm(MakeWave({1000, 1000}), MakeWave({3000, 3000}), 10, 2);
    EXPECT_THAT(FromWaveForm(empty, 0.2, {Partial(1, 0.5)}, waveForm), ElementsAre(2000, 2000));
}

TEST_F(MultiFreqTest, SinusPartialAt441Hz) {
    ASSERT_TRUE(CreateSinus());
    const StereoSound sound(MakeWave({7, 7}), MakeWave({8, 8}), 44100, 2);
    begin = 1;
    end = 1;
    const std::vector<FreqPartial> partials = {Partial(0.5, 1.0 / 441)};
    auto made = sound.MultiFreq(&error, 1.0, partials, begin, end);
    ReleaseSinus();
    ASSERT_TRUE(made);
    EXPECT_EQ(end, 44101);
    const auto left = Samples(made->GetLeftWave());
    const auto right = Samples(made->GetRightWave());
    EXPECT_EQ(left.front(), 7);
    EXPECT_EQ(right.back(), 8);
    EXPECT_TRUE(std::equal(left.begin() + 1, left.end() - 1, right.begin() + 1));
    EXPECT_EQ(left[1], 0);
    EXPECT_EQ(*std::max_element(left.begin() + 1, left.end() - 1), 16383);
    // 441 periods: about 882 changes of sign.
    int crossings = 0;
    for (std::size_t k = 2; k + 1 < left.size(); ++k)
        crossings += (left[k - 1] < 0) != (left[k] < 0);
    EXPECT_NEAR(crossings, 882, 2);
}

TEST_F(MultiFreqTest, LengthBelowOneSampleRemovesTheSelection) {
    const MonoSound sound(MakeWave({1, 2, 3, 4}), 10, 2);
    const MonoSound constant(MakeWave({100, 100}), 10, 2);
    begin = 1;
    end = 3;
    const std::vector<FreqPartial> partials = {Partial(1, 0.5)};
    auto made = sound.MultiFreqEnvelope(&error, 0.05, partials, constant, begin, end);
    ASSERT_TRUE(made);
    EXPECT_EQ(end, 1);
    EXPECT_THAT(Samples(made->GetLeftWave()), ElementsAre(1, 4));
}

}  // namespace
}  // namespace kalvora
