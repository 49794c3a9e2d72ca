// Period echo in its four variants.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "sound/sample.h"
#include "sound/sound.h"
#include "wave_samples.h"

namespace kalvora {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using testing::Mono;
using testing::Ramp;
using testing::Samples;
using testing::Stereo;

using Samples16 = std::vector<std::int16_t>;

// A sound at 1000 Hz, so that a time of 0.1 s is 100 samples.
constexpr std::int32_t kRate = 1000;

Samples16 Noisy(std::int32_t n) {
    Samples16 samples(n);
    for (std::int32_t i = 0; i < n; ++i)
        samples[i] = static_cast<std::int16_t>((i * 7919) % 20001 - 10000);
    return samples;
}

TEST(PeriodEchoTest, TwoEchoesOfAWholeWaveAddHalfAndQuarter) {
    const Samples16 input = Noisy(1000);
    const MonoSound sound = Mono(input, kRate);
    ErrorFlag error = 0;
    std::int32_t begin = 0;
    std::int32_t end = 1000;
    const auto result = sound.PeriodEcho(&error, 0.1, 0.5, 2, begin, end);
    ASSERT_NE(result, nullptr);
    ASSERT_EQ(result->GetValues(), 1202);
    EXPECT_EQ(begin, 0);
    EXPECT_EQ(end, 1202);
    auto in = [&](std::int32_t p) -> double { return p >= 0 && p < 1000 ? input[p] : 0; };
    const Samples16 out = Samples(result->GetLeftWave());
    for (std::int32_t p = 0; p < 1202; ++p) {
        const double expected = in(p) + 0.5 * in(p - 100) + 0.25 * in(p - 200);
        ASSERT_EQ(out[p], ToSample(expected)) << "at " << p;
    }
}

TEST(PeriodEchoTest, NegativeDelayGrowsTheFrontAndMovesTheRange) {
    // Echoes of samples 2 .. 3, one sample earlier each: the region starts at
    // 2 + 2·trunc(-1 - 1) = -2, so the wave grows by two samples at the front.
    const MonoSound sound = Mono({1, 2, 100, 200, 5}, 100);
    ErrorFlag error = 0;
    std::int32_t begin = 2;
    std::int32_t end = 4;
    const auto result = sound.PeriodEcho(&error, -0.01, 1.0, 2, begin, end);
    ASSERT_NE(result, nullptr);
    EXPECT_THAT(Samples(result->GetLeftWave()), ElementsAre(0, 0, 101, 302, 300, 200, 5));
    EXPECT_EQ(begin, 0);
    EXPECT_EQ(end, 6);
}

TEST(PeriodEchoTest, EchoesStayInsideTheRangeTheyCopy) {
    // Only 2 .. 4 is echoed; the samples around it are read as silence.
    const MonoSound sound = Mono({1000, 1000, 10, 20, 30, 1000, 1000, 1000}, 100);
    ErrorFlag error = 0;
    std::int32_t begin = 2;
    std::int32_t end = 5;
    const auto result = sound.PeriodEcho(&error, 0.02, 1.0, 1, begin, end);
    ASSERT_NE(result, nullptr);
    EXPECT_THAT(Samples(result->GetLeftWave()),
                ElementsAre(1000, 1000, 10, 20, 40, 1020, 1030, 1000));
    EXPECT_EQ(begin, 2);
    EXPECT_EQ(end, 8);
}

TEST(PeriodEchoTest, FractionalDelayInterpolates) {
    const MonoSound sound = Mono({0, 100, 200, 300}, 100);
    ErrorFlag error = 0;
    std::int32_t begin = 0;
    std::int32_t end = 4;
    // a = 0.5 samples: the region grows by trunc(1.5) = 1 sample.
    const auto result = sound.PeriodEcho(&error, 0.005, 1.0, 1, begin, end);
    ASSERT_NE(result, nullptr);
    EXPECT_THAT(Samples(result->GetLeftWave()), ElementsAre(0, 150, 350, 550, 0));
}

TEST(PeriodEchoTest, TheSumIsConvertedOnceNotPerEcho) {
    // Each of the three echoes adds 0.6: per echo they would be lost to truncation,
    // together they make one.
    const MonoSound sound = Mono({1, 0, 0, 0}, 100);
    ErrorFlag error = 0;
    std::int32_t begin = 0;
    std::int32_t end = 1;
    const auto result = sound.PeriodEcho(&error, 0.0, 0.6, 3, begin, end);
    ASSERT_NE(result, nullptr);
    // 1 + 0.6 + 0.36 + 0.216 = 2.176
    EXPECT_EQ(result->GetLeftWave().wave[0], 2);
    // A sum beyond 16 bits wraps like every computed value.
    const MonoSound loud = Mono({30000, 0}, 100);
    const auto wrapped = loud.PeriodEcho(&error, 0.0, 1.0, 1, begin, end);
    ASSERT_NE(wrapped, nullptr);
    EXPECT_EQ(wrapped->GetLeftWave().wave[0], -5536);
}

TEST(PeriodEchoTest, ZeroDelayWithManyEchoesIsASum) {
    const MonoSound sound = Mono({1000, 2000}, 100);
    ErrorFlag error = 0;
    std::int32_t begin = 0;
    std::int32_t end = 2;
    const auto result = sound.PeriodEcho(&error, 0.0, 0.5, 1'000'000, begin, end);
    ASSERT_NE(result, nullptr);
    EXPECT_THAT(Samples(result->GetLeftWave()), ElementsAre(2000, 4000));
}

TEST(PeriodEchoTest, OneSampleRangeReadsNothingOutsideIt) {
    const MonoSound sound = Mono({7, 100, 9}, 2);
    ErrorFlag error = 0;
    std::int32_t begin = 1;
    std::int32_t end = 2;
    const auto result = sound.PeriodEcho(&error, 0.75, 1.0, 2, begin, end);
    ASSERT_NE(result, nullptr);
    // a = 1.5: the echoes fall at 2.5 and 4; only the second lands on a sample, and the
    // neighbours of the range are never read.
    EXPECT_THAT(Samples(result->GetLeftWave()), ElementsAre(7, 100, 9, 0, 100, 0));
    EXPECT_EQ(begin, 1);
    EXPECT_EQ(end, 6);
}

TEST(PeriodEchoTest, StereoEchoesEachChannel) {
    const StereoSound sound = Stereo({100, 0, 0}, {0, -100, 0}, 100);
    ErrorFlag error = 0;
    std::int32_t begin = 0;
    std::int32_t end = 3;
    const auto result = sound.PeriodEcho(&error, 0.01, 0.5, 1, begin, end);
    ASSERT_NE(result, nullptr);
    EXPECT_THAT(Samples(result->GetLeftWave()), ElementsAre(100, 50, 0, 0, 0));
    EXPECT_THAT(Samples(result->GetRightWave()), ElementsAre(0, -100, -50, 0, 0));
}

TEST(PeriodEchoTest, VolumeEnvelopeGivesTheGainOfEveryPlace) {
    // Region 0 .. 4 (a = 1, one echo): the envelope rises from 0 to 32767 over it.
    const MonoSound sound = Mono({1000, 1000, 1000}, 100);
    const MonoSound envelope = Mono({0, 32767}, 100);
    ErrorFlag error = 0;
    std::int32_t begin = 0;
    std::int32_t end = 3;
    const auto result = sound.PeriodEcho(&error, 0.01, envelope, 1, begin, end);
    ASSERT_NE(result, nullptr);
    // Gain at position k is k/4: 0, 0.25, 0.5, 0.75, 1.
    EXPECT_THAT(Samples(result->GetLeftWave()), ElementsAre(1000, 1250, 1500, 750, 0));
    EXPECT_EQ(end, 5);
}

TEST(PeriodEchoTest, VolumeEnvelopeRaisesItsGainToThePowerOfTheEcho) {
    const MonoSound sound = Mono({1000, 0, 0}, 100);
    const MonoSound half = Mono({16383, 16383}, 100);
    ErrorFlag error = 0;
    std::int32_t begin = 0;
    std::int32_t end = 1;
    const auto result = sound.PeriodEcho(&error, 0.01, half, 2, begin, end);
    ASSERT_NE(result, nullptr);
    // 1000·16383/32767 = 499.98..., squared 249.98...
    EXPECT_THAT(Samples(result->GetLeftWave()), ElementsAre(1000, 499, 249, 0, 0));
}

TEST(PeriodEchoTest, TimeEnvelopeGrowsBothSidesAndScalesTheDelay) {
    // a = 2, count 1: e = trunc(3) = 3 on either side. A constant envelope of 32767 gives
    // the full delay, -32767 the full delay backwards.
    const Samples16 input{500, 600};
    const MonoSound sound = Mono(input, 100);
    ErrorFlag error = 0;
    struct Case {
        std::int16_t envelope;
        Samples16 expected;
    };
    const std::vector<Case> cases{
        {32767, {0, 0, 0, 500, 600, 500, 600, 0}},
        {-32767, {0, 500, 600, 500, 600, 0, 0, 0}},
        {0, {0, 0, 0, 1000, 1200, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        const MonoSound envelope = Mono({c.envelope}, 100);
        std::int32_t begin = 0;
        std::int32_t end = 2;
        const auto result = sound.PeriodEcho(&error, 0.02, envelope, 1.0, 1, begin, end);
        ASSERT_NE(result, nullptr);
        EXPECT_THAT(Samples(result->GetLeftWave()), ElementsAreArray(c.expected))
            << "envelope " << c.envelope;
        EXPECT_EQ(begin, 0);
        EXPECT_EQ(end, 8);
    }
}

TEST(PeriodEchoTest, TimeEnvelopeInsideTheWaveGrowsOnlyWhereItLeavesIt) {
    const MonoSound sound = Mono({1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 100);
    const MonoSound envelope = Mono({32767}, 100);
    ErrorFlag error = 0;
    std::int32_t begin = 4;
    std::int32_t end = 6;
    const auto result = sound.PeriodEcho(&error, 0.01, envelope, 1.0, 1, begin, end);
    ASSERT_NE(result, nullptr);
    // e = 2: region 2 .. 8, inside the wave.
    EXPECT_EQ(result->GetValues(), 10);
    EXPECT_EQ(begin, 2);
    EXPECT_EQ(end, 8);
    EXPECT_THAT(Samples(result->GetLeftWave()), ElementsAre(1, 2, 3, 4, 5, 11, 13, 8, 9, 10));
}

TEST(PeriodEchoTest, BothEnvelopesTogether) {
    const MonoSound sound = Mono({1000, 0}, 100);
    const MonoSound time = Mono({32767}, 100);
    const MonoSound volume = Mono({16383}, 100);
    ErrorFlag error = 0;
    std::int32_t begin = 0;
    std::int32_t end = 1;
    const auto result = sound.PeriodEcho(&error, 0.01, time, volume, 1, begin, end);
    ASSERT_NE(result, nullptr);
    // e = 2: two zeros at the front; the echo lands one sample later at half volume.
    EXPECT_THAT(Samples(result->GetLeftWave()), ElementsAre(0, 0, 1000, 499, 0));
}

TEST(PeriodEchoTest, ASetFlagOrAnOversizedRegionGivesNothing) {
    const MonoSound sound = Mono({1, 2, 3}, 44100);
    std::int32_t begin = 0;
    std::int32_t end = 3;
    ErrorFlag set = 1;
    EXPECT_EQ(sound.PeriodEcho(&set, 0.1, 0.5, 2, begin, end), nullptr);
    ErrorFlag error = 0;
    EXPECT_EQ(sound.PeriodEcho(&error, 1000.0, 0.5, 100000, begin, end), nullptr);
    EXPECT_EQ(error, 1);
    EXPECT_EQ(begin, 0);
    EXPECT_EQ(end, 3);
}

}  // namespace
}  // namespace kalvora
