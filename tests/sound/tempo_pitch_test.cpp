// Tempo and pitch by blocks, low and high quality, with and without envelopes.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "sound/sound.h"
#include "sound/tempo_pitch.h"
#include "wave_samples.h"

namespace kalvora {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using testing::MakeWave;
using testing::Ramp;
using testing::Samples;

using Samples16 = std::vector<std::int16_t>;

TempoPitchSettings Settings(double speed, double freqFactor, double lengthFactor,
                            std::int64_t block, bool high = false) {
    TempoPitchSettings settings;
    settings.speed = speed;
    settings.freqFactor = freqFactor;
    settings.lengthFactor = lengthFactor;
    settings.block = block;
    settings.highQuality = high;
    return settings;
}

Samples16 Made(const Samples16& input, const TempoPitchSettings& settings, std::int32_t begin = 0,
               std::int32_t end = -1) {
    const Wave wave = MakeWave(input);
    ErrorFlag error = 0;
    if (end < 0) end = wave.values;
    auto result = TempoPitchWave(&error, wave, settings, begin, end);
    EXPECT_NE(result, nullptr);
    return Samples(result);
}

TEST(TempoPitchTest, IdentityKeepsTheInput) {
    const Samples16 input = Ramp(23, 10);
    for (const std::int64_t block : {1, 2, 4, 7}) {
        SCOPED_TRACE(block);
        EXPECT_THAT(Made(input, Settings(1, 1, 1, block)), ElementsAreArray(input));
        // High quality truncates the first head's share: exact only where the weights are.
        if (block == 2 || block == 4) {
            EXPECT_THAT(Made(input, Settings(1, 1, 1, block, true)), ElementsAreArray(input));
        }
    }
}

TEST(TempoPitchTest, DoubleFrequencyReadsEveryBlockTwiceAsFast) {
    const Samples16 out = Made(Ramp(20, 10), Settings(1, 2, 1, 4));
    ASSERT_EQ(out.size(), 20U);
    // Blocks restart on the time line: 0, 4, 8, ...
    EXPECT_THAT(Samples16(out.begin(), out.begin() + 8),
                ElementsAre(0, 20, 40, 60, 40, 60, 80, 100));
}

TEST(TempoPitchTest, HalfSpeedDoubleLengthKeepsThePitch) {
    const Samples16 out = Made(Ramp(10, 10), Settings(0.5, 1, 2, 4));
    // Blocks of four start at 0, 2, 4, 6, 8; the source ends at sample 9.
    EXPECT_THAT(out, ElementsAre(0, 10, 20, 30, 20, 30, 40, 50, 40, 50, 60, 70, 60, 70, 80, 90, 80,
                                 90, 0, 0));
}

TEST(TempoPitchTest, NegativeSpeedRunsBackwardsByBlocksWrappingAtTheBeginning) {
    EXPECT_THAT(Made(Ramp(6, 10), Settings(-1, 1, 1, 2)), ElementsAre(0, 10, 40, 50, 20, 30));
}

TEST(TempoPitchTest, HighQualityWithTwoSampleBlocksAlternatesTheHeads) {
    // t is 1 on even samples (first head only) and 0 on odd ones (second head only): with a
    // frequency factor of 3 the heads sit one block apart and the output shows both.
    const Samples16 out = Made(Ramp(12, 10), Settings(1, 3, 1, 2, true));
    ASSERT_EQ(out.size(), 12U);
    // g = (1 - 3)·2/2 = -2. Sample 0: the first head at 0. Sample 1: the second head, which
    // started at -2 and moved on by 3. Sample 2: the first head, restarted at wrap(-1) = 11
    // and moved on to 14, past the end of the wave.
    EXPECT_EQ(out[0], 0);
    EXPECT_EQ(out[1], 10);
    EXPECT_EQ(out[2], 0);
    // Sample 3: the second head, restarted at wrap(0) = 0 and moved on by 3.
    EXPECT_EQ(out[3], 30);
}

TEST(TempoPitchTest, WorksOnTheRangeOnly) {
    const Wave wave = MakeWave(Ramp(10, 10));
    ErrorFlag error = 0;
    std::int32_t end = 6;
    auto result = TempoPitchWave(&error, wave, Settings(1, 1, 0.5, 2), 2, end);
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(end, 4);
    EXPECT_THAT(Samples(result), ElementsAre(0, 10, 20, 30, 60, 70, 80, 90));
}

TEST(TempoPitchTest, FullSpeedEnvelopeEqualsTheConstantSpeed) {
    const Samples16 input = Ramp(30, 10);
    const Wave full = MakeWave({32767, 32767});
    for (const bool high : {false, true}) {
        SCOPED_TRACE(high);
        TempoPitchSettings settings = Settings(0.5, 1, 2, 4, high);
        const Samples16 constant = Made(input, settings);
        settings.speedEnvelope = &full;
        EXPECT_THAT(Made(input, settings), ElementsAreArray(constant));
    }
}

TEST(TempoPitchTest, HalfFrequencyEnvelopeEqualsHalfTheFactor) {
    const Samples16 input = Ramp(30, 100);
    const Wave half = MakeWave({16384, 16384, 16384});
    TempoPitchSettings settings = Settings(1, 1, 1, 6);
    settings.freqEnvelope = &half;
    const Samples16 withEnvelope = Made(input, settings);
    const Samples16 constant = Made(input, Settings(1, 16384.0 / 32767, 1, 6));
    EXPECT_THAT(withEnvelope, ElementsAreArray(constant));
}

TEST(TempoPitchTest, OneSampleOutputWithEnvelopesDividesByNothing) {
    const Wave envelope = MakeWave({1000, 32767, -5});
    for (const bool high : {false, true}) {
        TempoPitchSettings settings = Settings(2, 1, 0.2, 2, high);
        settings.freqEnvelope = &envelope;
        settings.speedEnvelope = &envelope;
        EXPECT_EQ(Made(Ramp(5, 10), settings).size(), 1U);
    }
}

TEST(TempoPitchTest, SoundConvertsTheBlockTimeAndKeepsChannelsEqual) {
    StereoSound sound(MakeWave(Ramp(40, 10)), MakeWave(Ramp(40, -10)), 100, 2);
    ErrorFlag error = 0;
    auto result = sound.TempoPitch(&error, 1.25, 0, 0.8, 1, 0.04, 1);
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->GetValues(), 32);
    EXPECT_EQ(result->GetLeftWave().wave[0], 0);
    EXPECT_EQ(result->GetRightWave().wave[5], -result->GetLeftWave().wave[5]);
}

}  // namespace
}  // namespace kalvora
