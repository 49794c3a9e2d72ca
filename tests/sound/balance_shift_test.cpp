// Balance, channel mixing and shift, and the reader they share.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

#include "sound/balance.h"
#include "sound/bounded_reader.h"
#include "sound/sound.h"
#include "wave_samples.h"

namespace kalvora {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using testing::MakeWave;
using testing::Ramp;
using testing::Samples;

using Samples16 = std::vector<std::int16_t>;

MonoSound Mono(const Samples16& samples, std::int32_t freq) {
    return MonoSound(MakeWave(samples), freq, 2);
}

StereoSound Stereo(const Samples16& left, const Samples16& right, std::int32_t freq = 64) {
    return StereoSound(MakeWave(left), MakeWave(right), freq, 2);
}

// Something with high frequencies in it, for the direction filter.
Samples16 Rough(std::int32_t n) {
    Samples16 samples(n);
    for (std::int32_t i = 0; i < n; ++i)
        samples[i] = static_cast<std::int16_t>((i % 2 == 0 ? 1 : -1) * (1000 + 37 * (i % 11)));
    return samples;
}

TEST(BoundedWaveReaderTest, InterpolatesInsideAndReadsZeroOutside) {
    const Wave wave = MakeWave({10, 20, 30, 40});
    const BoundedWaveReader whole(wave);
    EXPECT_EQ(whole.At(0), 10);
    EXPECT_EQ(whole.At(1.5), 25);
    EXPECT_EQ(whole.At(3), 40);
    EXPECT_EQ(whole.At(3.01), 0);
    EXPECT_EQ(whole.At(-0.01), 0);
    EXPECT_EQ(whole.At(std::nan("")), 0);
    const BoundedWaveReader inner(wave, 1, 2);
    EXPECT_EQ(inner.At(0.5), 0);
    EXPECT_EQ(inner.At(1.5), 25);
    EXPECT_EQ(inner.At(2.5), 0);
    const Wave empty;
    EXPECT_EQ(BoundedWaveReader(empty).At(0), 0);
}

TEST(BalanceTest, CentreWithVolumeOnlyHalvesBothChannels) {
    ErrorFlag error = 0;
    const auto result = Mono({1000, -2001, 3, 0}, 44100).Balance(&error, 0, false, true, false);
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->MoSt, 2);
    EXPECT_THAT(Samples(result->GetLeftWave()), ElementsAre(500, -1000, 1, 0));
    EXPECT_THAT(Samples(result->GetRightWave()), ElementsAre(500, -1000, 1, 0));
}

TEST(BalanceTest, FullRightSilencesAndDelaysTheLeftEar) {
    // At 3400 Hz the far ear is two samples late; both channels grow by three.
    ErrorFlag error = 0;
    const auto result = Mono({100, 200, 300}, 3400).Balance(&error, 1, true, true, false);
    ASSERT_NE(result, nullptr);
    EXPECT_THAT(Samples(result->GetLeftWave()), ElementsAre(0, 0, 0, 0, 0, 0));
    EXPECT_THAT(Samples(result->GetRightWave()), ElementsAre(100, 200, 300, 0, 0, 0));
}

TEST(BalanceTest, TimeDifferenceAloneDelaysOnlyTheFarEar) {
    ErrorFlag error = 0;
    const auto result = Mono({100, 200, 300}, 3400).Balance(&error, 1, true, false, false);
    ASSERT_NE(result, nullptr);
    EXPECT_THAT(Samples(result->GetLeftWave()), ElementsAre(0, 0, 100, 200, 300, 0));
    EXPECT_THAT(Samples(result->GetRightWave()), ElementsAre(100, 200, 300, 0, 0, 0));
}

TEST(BalanceTest, DirectionTableRunsFromHighToLowCutoffs) {
    ErrorFlag error = 0;
    const auto table = MakeDirectionTable(&error, 44100);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->values, kDirectionTableValues);
    EXPECT_NEAR(EnvelopeFrequency(DirectionTableValue(*table, -1)), 20000, 500);
    EXPECT_NEAR(EnvelopeFrequency(DirectionTableValue(*table, 1)), 350, 5);
    // Directions beyond the ends read the ends.
    EXPECT_EQ(DirectionTableValue(*table, 1.001), DirectionTableValue(*table, 1));
    EXPECT_EQ(DirectionTableValue(*table, -1.5), DirectionTableValue(*table, -1));
}

TEST(BalanceTest, RatesBelowTheTableCornersGiveTheTopValue) {
    EXPECT_EQ(DirectionPointValue(5512, 20000), 32767);
    EXPECT_EQ(DirectionPointValue(11025, 20000), 32767);
    EXPECT_LT(DirectionPointValue(11025, 3500), 32767);
}

TEST(BalanceTest, FilterAtLowRatesGivesEqualChannels) {
    for (const std::int32_t freq : {5512, 11025, 44100}) {
        for (const bool timeDifference : {false, true}) {
            SCOPED_TRACE(freq);
            ErrorFlag error = 0;
            const auto result =
                Mono(Rough(300), freq).Balance(&error, 0.4, timeDifference, false, true);
            ASSERT_NE(result, nullptr);
            EXPECT_EQ(result->GetLeftWave().values, result->GetRightWave().values);
            EXPECT_GE(result->GetValues(), 300);
        }
    }
}

TEST(BalanceTest, FilterDullsTheFarEar) {
    ErrorFlag error = 0;
    const auto result = Mono(Rough(400), 44100).Balance(&error, 1, false, false, true);
    ASSERT_NE(result, nullptr);
    ErrorFlag scan = 0;
    // The right ear faces the source: it keeps nearly everything; the left hears 350 Hz.
    EXPECT_GT(result->GetRightWave().getMaxAbs(&scan, 100, 400),
              4 * result->GetLeftWave().getMaxAbs(&scan, 100, 400));
}

TEST(BalanceEnvelopeTest, FullLeftTurnsTheChannelsOppositeWays) {
    // -32768 negated for the right side is +32768, not -32768 again.
    const MonoSound envelope = Mono({-32768}, 44100);
    ErrorFlag error = 0;
    const auto volume =
        Mono({1000, 2000}, 44100).BalanceEnvelope(&error, envelope, false, true, false);
    ASSERT_NE(volume, nullptr);
    EXPECT_THAT(Samples(volume->GetLeftWave()), ElementsAre(1000, 2000));
    EXPECT_THAT(Samples(volume->GetRightWave()), ElementsAre(0, 0));

    const auto filtered =
        Mono(Rough(400), 44100).BalanceEnvelope(&error, envelope, false, false, true);
    ASSERT_NE(filtered, nullptr);
    ErrorFlag scan = 0;
    EXPECT_GT(filtered->GetLeftWave().getMaxAbs(&scan, 100, 400),
              4 * filtered->GetRightWave().getMaxAbs(&scan, 100, 400));
}

TEST(BalanceEnvelopeTest, TimeDifferencePadsBothEndsAndLeansWithTheEnvelope) {
    // At 3400 Hz: b = 1, c = 2; full right (32767) reads j - 3 on the left, j - 1 on the
    // right.
    ErrorFlag error = 0;
    const auto result = Mono({100, 200, 300}, 3400)
                            .BalanceEnvelope(&error, Mono({32767}, 3400), true, false, false);
    ASSERT_NE(result, nullptr);
    EXPECT_THAT(Samples(result->GetLeftWave()), ElementsAre(0, 0, 0, 100, 200, 300, 0));
    EXPECT_THAT(Samples(result->GetRightWave()), ElementsAre(0, 100, 200, 300, 0, 0, 0));
}

TEST(BalanceEnvelopeTest, LongEnvelopesOverShortWavesStayInside) {
    // An 11-sample envelope over 300 samples overshoots its last index by rounding.
    ErrorFlag error = 0;
    const auto result =
        Mono(Rough(300), 11025)
            .BalanceEnvelope(&error, Mono(Ramp(11, 3000), 11025), true, false, true);
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->GetLeftWave().values, result->GetRightWave().values);
}

TEST(MixLeftRightTest, PresetsMixTheChannels) {
    const StereoSound sound = Stereo({100, 200, 300}, {300, -200, 50});
    ErrorFlag error = 0;
    const auto mono = sound.MixLeftRight(&error, 0.5, 0.5, 0.5, 0.5, 0, 3);
    ASSERT_NE(mono, nullptr);
    EXPECT_THAT(Samples(mono->GetLeftWave()), ElementsAre(200, 0, 175));
    EXPECT_THAT(Samples(mono->GetRightWave()), ElementsAre(200, 0, 175));
    // Swapped, over the middle sample only: head and tail stay.
    const auto swapped = sound.MixLeftRight(&error, 0, 1, 1, 0, 1, 2);
    ASSERT_NE(swapped, nullptr);
    EXPECT_THAT(Samples(swapped->GetLeftWave()), ElementsAre(100, -200, 300));
    EXPECT_THAT(Samples(swapped->GetRightWave()), ElementsAre(300, 200, 50));
}

TEST(ShiftTest, ForwardInsideTheWaveKeepsItsLength) {
    // +10 samples at 64 Hz: the range 10 .. 20 is lifted out and added onto 20 .. 30.
    const Samples16 input = Ramp(40, 1);
    ErrorFlag error = 0;
    std::int32_t begin = 10;
    std::int32_t end = 20;
    const auto result = Mono(input, 64).Shift(&error, 10 / 64.0, 10 / 64.0, begin, end);
    ASSERT_NE(result, nullptr);
    Samples16 expected = input;
    for (int k = 10; k < 20; ++k)
        expected[k] = 0;
    for (int k = 20; k < 30; ++k)
        expected[k] = static_cast<std::int16_t>(input[k] + input[k - 10]);
    EXPECT_THAT(Samples(result->GetLeftWave()), ElementsAreArray(expected));
    EXPECT_EQ(begin, 20);
    EXPECT_EQ(end, 30);
}

TEST(ShiftTest, BackwardPastTheStartGrowsTheFront) {
    const Samples16 input = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    ErrorFlag error = 0;
    std::int32_t begin = 2;
    std::int32_t end = 6;
    const auto result = Mono(input, 64).Shift(&error, -5 / 64.0, 0, begin, end);
    ASSERT_NE(result, nullptr);
    EXPECT_THAT(Samples(result->GetLeftWave()),
                ElementsAre(3, 4, 5, 6 + 1, 2, 0, 0, 0, 0, 7, 8, 9, 10));
    EXPECT_EQ(begin, 0);
    EXPECT_EQ(end, 4);
}

TEST(ShiftTest, FractionalShiftInterpolates) {
    ErrorFlag error = 0;
    std::int32_t begin = 0;
    std::int32_t end = 2;
    const auto result = Mono({100, 200, 0, 0}, 64).Shift(&error, 0.5 / 64, 0, begin, end);
    ASSERT_NE(result, nullptr);
    // p - 0.5 reads 0 before the range and past its last sample: only 150 lands.
    EXPECT_THAT(Samples(result->GetLeftWave()), ElementsAre(0, 150, 0, 0));
}

TEST(ShiftTest, StereoChannelsMovedApartLeaveACursor) {
    ErrorFlag error = 0;
    std::int32_t begin = 10;
    std::int32_t end = 12;
    const auto result =
        Stereo(Ramp(40, 1), Ramp(40, 1)).Shift(&error, 5 / 64.0, -5 / 64.0, begin, end);
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->GetValues(), 40);
    EXPECT_EQ(begin, end);
    EXPECT_EQ(begin, 15);
}

TEST(ShiftTest, StereoSelectsWhereBothMovedRangesOverlap) {
    ErrorFlag error = 0;
    std::int32_t begin = 10;
    std::int32_t end = 20;
    const auto result =
        Stereo(Ramp(40, 1), Ramp(40, 1)).Shift(&error, 2 / 64.0, -3 / 64.0, begin, end);
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(begin, 12);
    EXPECT_EQ(end, 17);
}

TEST(ShiftEnvelopeTest, SilentEnvelopeKeepsTheRangeAndClearsItsMargins) {
    const Samples16 input = Ramp(20, 1);
    ErrorFlag error = 0;
    std::int32_t begin = 8;
    std::int32_t end = 12;
    const auto result =
        Mono(input, 64).ShiftEnvelope(&error, 2 / 64.0, 2 / 64.0, Mono({0, 0, 0}, 64), begin, end);
    ASSERT_NE(result, nullptr);
    Samples16 expected = input;
    for (int k : {6, 7, 12, 13})
        expected[k] = 0;
    EXPECT_THAT(Samples(result->GetLeftWave()), ElementsAreArray(expected));
    EXPECT_EQ(begin, 6);
    EXPECT_EQ(end, 14);
}

TEST(ShiftEnvelopeTest, FullEnvelopeMovesBackAndGrowsTheFront) {
    // E = -32768 moves the range x samples earlier: output p reads the old p + x.
    ErrorFlag error = 0;
    std::int32_t begin = 1;
    std::int32_t end = 3;
    const auto result =
        Mono({1, 2, 3, 4}, 64).ShiftEnvelope(&error, 2 / 64.0, 0, Mono({-32768}, 64), begin, end);
    ASSERT_NE(result, nullptr);
    // before = 1: the old range 1 .. 3 appears 2 samples earlier, at new positions 0 .. 2.
    EXPECT_THAT(Samples(result->GetLeftWave()), ElementsAre(2, 3, 0, 0, 0, 0));
    EXPECT_EQ(begin, 0);
    EXPECT_EQ(end, 6);
}

TEST(ShiftEnvelopeTest, StereoChannelsWithDifferentAmountsStayEqualInLength) {
    ErrorFlag error = 0;
    std::int32_t begin = 2;
    std::int32_t end = 8;
    const auto result = Stereo(Ramp(10, 1), Ramp(10, 1))
                            .ShiftEnvelope(&error, 1 / 64.0, 6 / 64.0,
                                           Stereo({32767, -32768}, {-32768, 32767}), begin, end);
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->GetLeftWave().values, result->GetRightWave().values);
    EXPECT_EQ(result->GetValues(), 10 + 4 + 4);
    EXPECT_EQ(begin, 0);
    EXPECT_EQ(end, 18);
}

}  // namespace
}  // namespace kalvora
