#include "sound/wave.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/recording_message_sink.h"
#include "sound/sample_memory.h"
#include "wave_samples.h"

namespace kalvora {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using testing::MakeWave;
using testing::Ramp;
using testing::Samples;

using Samples16 = std::vector<std::int16_t>;

class WaveTest : public ::testing::Test {
  protected:
    ErrorFlag error = 0;
    platform::RecordingMessageSink messages;
};

TEST_F(WaveTest, ConstructionAndCopy) {
    Wave empty;
    EXPECT_EQ(empty.getValues(), 0);
    EXPECT_EQ(empty.wave, nullptr);

    Wave sized(&error, 5);
    EXPECT_EQ(sized.getValues(), 5);
    EXPECT_NE(sized.wave, nullptr);

    Wave zero(&error, 0);
    EXPECT_EQ(zero.wave, nullptr);

    const Wave source = MakeWave(Ramp(2500));
    Wave copy(&error, source);
    EXPECT_EQ(Samples(copy), Samples(source));
    EXPECT_NE(copy.wave, source.wave);

    Wave emptyCopy(&error, empty);
    EXPECT_EQ(emptyCopy.getValues(), 0);

    auto* array = AllocateSamples(&error, 3);
    Wave adopted(array, 3);
    EXPECT_EQ(adopted.wave, array);
    EXPECT_EQ(error, 0);
    EXPECT_TRUE(messages.Messages().empty());
}

TEST_F(WaveTest, FailedAllocationSetsTheFlagAndShowsTheMessage) {
    const Wave source = MakeWave(Ramp(10));
    SampleAllocationLimit limit(9);
    auto result = source.extract(&error, 0, 10);
    EXPECT_EQ(result, nullptr);
    EXPECT_EQ(error, 1);
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(messages.Messages()[0].text, "There is not enough memmory for this operation.");
    EXPECT_EQ(messages.Messages()[0].caption, "System Error");
    EXPECT_EQ(messages.Messages()[0].icon, platform::MessageIcon::information);

    // The flag stays set: later operations do nothing, even those that would fit.
    EXPECT_EQ(source.extract(&error, 0, 2), nullptr);
    EXPECT_EQ(messages.Messages().size(), 1u);
}

TEST_F(WaveTest, ResultsLongerThanAWaveCanHoldFailLikeExhaustedMemory) {
    const Wave wave = MakeWave({1, 2, 3});
    EXPECT_EQ(wave.resample(&error, 2e9), nullptr);
    EXPECT_EQ(error, 1);
    error = 0;
    EXPECT_EQ(wave.mix(&error, wave, 2147483647 - 1, -1, false), nullptr);
    EXPECT_EQ(error, 1);
    ASSERT_EQ(messages.Messages().size(), 2u);
    EXPECT_EQ(messages.Messages()[1].text, "There is not enough memmory for this operation.");
}

// The count of held bytes is what the soak test's memory check reads: it follows every
// array alive, small ones exactly and huge-page ones by their rounded size.
TEST_F(WaveTest, HeldSampleBytesFollowTheArraysAlive) {
    const std::int64_t before = SampleBytesHeld();
    {
        Wave small(&error, 1000);
        EXPECT_GE(SampleBytesHeld() - before, SampleBytesFor(1000));
        EXPECT_EQ(SampleBytesFor(1000), 2000);
        Wave large(&error, 1100000);  // 2.2 MB: two huge pages
        EXPECT_EQ(SampleBytesFor(1100000), std::int64_t{4} << 20);
        EXPECT_GE(SampleBytesHeld() - before, SampleBytesFor(1000) + SampleBytesFor(1100000));
        EXPECT_LE(SampleBytesHeld() - before, SampleBytesFor(1000) + SampleBytesFor(1100000) + 128);
    }
    EXPECT_EQ(SampleBytesHeld(), before);
    EXPECT_EQ(SampleBytesFor(0), 0);
}

TEST_F(WaveTest, SizedConstructionFailureLeavesAnEmptyWave) {
    SampleAllocationLimit limit(4);
    Wave wave(&error, 5);
    EXPECT_EQ(error, 1);
    EXPECT_EQ(wave.getValues(), 0);
    EXPECT_EQ(wave.wave, nullptr);
}

TEST_F(WaveTest, WithTheFlagSetEveryOperationReturnsNullAndLeavesItsInputs) {
    const Samples16 original = Ramp(3000, 7);
    Wave wave = MakeWave(original);
    const Wave other = MakeWave(Ramp(3000, 3));
    error = 1;
    std::int32_t begin = 10;
    std::int32_t end = 20;
    const std::vector<std::pair<std::string, std::function<std::unique_ptr<Wave>()>>> makers = {
        {"extract", [&] { return wave.extract(&error, 0, 5); }},
        {"remove", [&] { return wave.remove(&error, 0, 5); }},
        {"replace", [&] { return wave.replace(&error, other, 0, 5); }},
        {"append", [&] { return wave.append(&error, other); }},
        {"combine", [&] { return wave.combine(&error, 1, other, 1, 0, 5); }},
        {"average", [&] { return wave.average(&error, other); }},
        {"resample", [&] { return wave.resample(&error, 2); }},
        {"resamplePart", [&] { return wave.resamplePart(&error, 2, begin, end); }},
        {"stretchPart", [&] { return wave.stretchPart(&error, 3, false, begin, end); }},
        {"mix", [&] { return wave.mix(&error, other, 3, -1, false); }},
        {"mixAlignEnd", [&] { return wave.mixAlignEnd(&error, other, 3, -1); }},
        {"mixStretched", [&] { return wave.mixStretched(&error, other, 0, 5); }},
    };
    for (const auto& [name, make] : makers)
        EXPECT_EQ(make(), nullptr) << name;
    EXPECT_EQ(begin, 10);
    EXPECT_EQ(end, 20);

    wave.copyPart(&error, other, 0, 100, 0);
    wave.clearPart(&error, 0, 100);
    wave.addPart(&error, other, 0, 100, 0);
    wave.drawLine(&error, 0, 5, 100, 5);
    wave.scaleInPlace(&error, 2, 0, 100);
    wave.mixAfter(&error, other, 0);
    wave.mixAfter(&error, other, 0, 2.0);
    wave.mixCycleAfter(&error, other, 0);
    EXPECT_EQ(wave.getMaxAbs(&error, 0, 100), 0);
    Wave copy(&error, wave);
    EXPECT_EQ(copy.getValues(), 0);

    EXPECT_EQ(Samples(wave), original);
    EXPECT_EQ(error, 1);  // never cleared
    EXPECT_TRUE(messages.Messages().empty());
}

TEST_F(WaveTest, InPlacePartOperations) {
    Wave wave = MakeWave({1, 2, 3, 4, 5, 6});
    const Wave from = MakeWave({30000, 10, 20});
    wave.copyPart(&error, from, 1, 3, 4);
    EXPECT_THAT(Samples(wave), ElementsAre(1, 2, 3, 4, 10, 20));
    wave.clearPart(&error, 1, 3);
    EXPECT_THAT(Samples(wave), ElementsAre(1, 0, 0, 4, 10, 20));
    wave.addPart(&error, from, 0, 2, 3);
    EXPECT_THAT(Samples(wave), ElementsAre(1, 0, 0, 30004, 20, 20));
    wave.addPart(&error, from, 0, 1, 3);  // 30004 + 30000 wraps
    EXPECT_EQ(wave.wave[3], -5532);
    wave.clearPart(&error, 2, 2);  // empty range
    EXPECT_EQ(error, 0);
}

TEST_F(WaveTest, CopyPartWithinTheSameWaveMovesOverlappingRanges) {
    Wave wave = MakeWave(Ramp(3000));
    wave.copyPart(&error, wave, 0, 2500, 500);
    EXPECT_EQ(wave.wave[500], 0);
    EXPECT_EQ(wave.wave[2999], 2499);
    Wave back = MakeWave(Ramp(3000));
    back.copyPart(&error, back, 500, 3000, 0);
    EXPECT_EQ(back.wave[0], 500);
    EXPECT_EQ(back.wave[2499], 2999);
}

TEST_F(WaveTest, GetMaxAbs) {
    const Wave wave = MakeWave({3, -32768, 5, -7, 32767});
    EXPECT_EQ(wave.getMaxAbs(&error, 0, 5), 32768);
    EXPECT_EQ(wave.getMaxAbs(&error, 2, 4), 7);
    EXPECT_EQ(wave.getMaxAbs(&error, 2, 3), 5);
    EXPECT_EQ(wave.getMaxAbs(&error, 3, 3), 0);
    Samples16 long_(5000, -3);
    long_[4321] = 1234;
    EXPECT_EQ(MakeWave(long_).getMaxAbs(&error, 0, 5000), 1234);
}

TEST_F(WaveTest, ExtractRemoveReplaceAppend) {
    const Wave wave = MakeWave({1, 2, 3, 4, 5});
    const Wave other = MakeWave({8, 9});
    EXPECT_THAT(Samples(wave.extract(&error, 1, 3)), ElementsAre(2, 3));
    EXPECT_THAT(Samples(wave.remove(&error, 1, 3)), ElementsAre(1, 4, 5));
    EXPECT_EQ(wave.remove(&error, 0, 5)->getValues(), 0);
    EXPECT_THAT(Samples(wave.replace(&error, other, 1, 4)), ElementsAre(1, 8, 9, 5));
    EXPECT_THAT(Samples(wave.replace(&error, other, 2, 2)), ElementsAre(1, 2, 8, 9, 3, 4, 5));
    EXPECT_THAT(Samples(wave.replace(&error, Wave(), 1, 3)), Samples(wave.remove(&error, 1, 3)));
    EXPECT_THAT(Samples(wave.append(&error, other)), ElementsAre(1, 2, 3, 4, 5, 8, 9));
    EXPECT_THAT(Samples(Wave().append(&error, other)), ElementsAre(8, 9));
    EXPECT_EQ(error, 0);
}

TEST_F(WaveTest, DrawLine) {
    Wave wave = MakeWave(Samples16(8, 99));
    wave.drawLine(&error, 1, 0, 6, 100);
    EXPECT_THAT(Samples(wave), ElementsAre(99, 0, 25, 50, 75, 100, 99, 99));
    wave.drawLine(&error, 0, 10, 3, -10.5);
    EXPECT_THAT(Samples(wave), ElementsAre(10, 0, -10, 50, 75, 100, 99, 99));

    struct Case {
        double a, b;
        std::int16_t expected;
    };
    // One sample: the truncated mean of the two ends.
    for (const Case& c : {Case{3, 4, 3}, Case{-3, -4, -3}, Case{40000, 40000, -25536}}) {
        Wave one = MakeWave({7});
        one.drawLine(&error, 0, c.a, 1, c.b);
        EXPECT_EQ(one.wave[0], c.expected) << c.a << " " << c.b;
    }
}

TEST_F(WaveTest, ScaleInPlaceWrapsInsteadOfClipping) {
    Wave wave = MakeWave({30000, -3, 7, 100});
    wave.scaleInPlace(&error, 2, 0, 3);
    EXPECT_THAT(Samples(wave), ElementsAre(-5536, -6, 14, 100));
    wave.scaleInPlace(&error, 0.5, 1, 3);
    EXPECT_THAT(Samples(wave), ElementsAre(-5536, -3, 7, 100));
    wave.scaleInPlace(&error, -0.7, 1, 3);  // truncation toward zero
    EXPECT_THAT(Samples(wave), ElementsAre(-5536, 2, -4, 100));
    wave.scaleInPlace(&error, 1e12, 2, 2);  // empty range: nothing
    wave.scaleInPlace(&error, 1e12, 3, 4);  // saturates at 32 bits, then the low 16 bits
    EXPECT_EQ(wave.wave[3], -1);
}

TEST_F(WaveTest, CombineAndAverage) {
    const Wave wave = MakeWave({10, -3, 30000, 4});
    const Wave other = MakeWave({20, 0, 30000, 8});
    EXPECT_THAT(Samples(wave.combine(&error, 1, other, 1, 1, 3)), ElementsAre(10, -3, -5536, 4));
    EXPECT_THAT(Samples(wave.combine(&error, 2, other, -0.5, 0, 4)),
                ElementsAre(10, -6, -20536, 4));
    EXPECT_THAT(Samples(wave.average(&error, other)), ElementsAre(15, -1, 30000, 6));
}

TEST_F(WaveTest, ResampleByOneKeepsTheRangeAndByTwoInterpolates) {
    const Wave wave = MakeWave({0, 10, 20, 31, 7});
    std::int32_t begin = 1;
    std::int32_t end = 4;
    EXPECT_THAT(Samples(wave.resamplePart(&error, 1, begin, end)), ElementsAre(0, 10, 20, 31, 7));
    EXPECT_EQ(end, 4);

    auto doubled = wave.resamplePart(&error, 2, begin, end);
    EXPECT_EQ(end, 1 + 5);  // 2·(3 − 1) + 1 samples
    // Step 3/5: positions 0, 0.6, 1.2, 1.8, 2.4 of (10, 20, 31), the last leaning on the 7.
    EXPECT_THAT(Samples(doubled), ElementsAre(0, 10, 16, 22, 28, 21, 7));

    EXPECT_EQ(wave.resample(&error, 2)->getValues(), 9);
    EXPECT_EQ(wave.resample(&error, 0.5)->getValues(), 3);
    EXPECT_EQ(wave.resample(&error, 0)->getValues(), 1);
}

TEST_F(WaveTest, ResampleByMinusOneReversesExactly) {
    const Samples16 samples = Ramp(2345, 3);
    const Wave wave = MakeWave(samples);
    const Samples16 reversed(samples.rbegin(), samples.rend());
    EXPECT_EQ(Samples(wave.resample(&error, -1)), reversed);

    std::int32_t begin = 100;
    std::int32_t end = 200;
    auto part = wave.resamplePart(&error, -1, begin, end);
    EXPECT_EQ(end, 200);
    ASSERT_EQ(part->getValues(), 2345);
    for (int k = 0; k < 100; ++k)
        EXPECT_EQ(part->wave[100 + k], samples[199 - k]);
    EXPECT_EQ(part->wave[99], samples[99]);
    EXPECT_EQ(part->wave[200], samples[200]);
}

TEST_F(WaveTest, BackwardsStretchMirrorsTheForwardPositions) {
    // Forwards the last positions lean on the sample after the range, backwards on the
    // sample before it; at the ends of the wave the end sample itself is read.
    const Wave wave = MakeWave({100, 0, 40, 80, 200});
    std::int32_t begin = 1;
    std::int32_t end = 4;
    auto forwards = wave.stretchPart(&error, 6, false, begin, end);
    EXPECT_EQ(end, 7);
    EXPECT_THAT(Samples(forwards), ElementsAre(100, 0, 20, 40, 60, 80, 140, 200));
    end = 4;
    auto backwards = wave.stretchPart(&error, 6, true, begin, end);
    EXPECT_THAT(Samples(backwards), ElementsAre(100, 80, 60, 40, 20, 0, 50, 200));

    const Wave whole = MakeWave({0, 40, 80});
    begin = 0;
    end = 3;
    EXPECT_THAT(Samples(whole.stretchPart(&error, 6, false, begin, end)),
                ElementsAre(0, 20, 40, 60, 80, 80));
    end = 3;
    EXPECT_THAT(Samples(whole.stretchPart(&error, 6, true, begin, end)),
                ElementsAre(80, 60, 40, 20, 0, 0));
}

TEST_F(WaveTest, ResampleOfAnEmptyRangeChangesNothing) {
    const Wave wave = MakeWave({1, 2, 3});
    for (double factor : {2.0, -3.0, 0.5, 0.0}) {
        std::int32_t begin = 1;
        std::int32_t end = 1;
        EXPECT_THAT(Samples(wave.resamplePart(&error, factor, begin, end)), ElementsAre(1, 2, 3))
            << factor;
        EXPECT_EQ(end, 1);
    }
    EXPECT_EQ(Wave().resample(&error, 2)->getValues(), 0);
    EXPECT_EQ(error, 0);
}

TEST_F(WaveTest, MixAfter) {
    Wave wave = MakeWave({1, 2, 3, 30000});
    wave.mixAfter(&error, MakeWave({10, 20, 30000, 99}), 1);
    EXPECT_THAT(Samples(wave), ElementsAre(1, 12, 23, -5536));
    wave.mixAfter(&error, MakeWave({10, 10}), 0, -1.5);
    EXPECT_THAT(Samples(wave), ElementsAre(-14, -3, 23, -5536));
    wave.mixAfter(&error, MakeWave({-30000}), 3, 1.0);  // -35536 wraps
    EXPECT_EQ(wave.wave[3], 30000);
}

TEST_F(WaveTest, MixCycleAfterWrapsAroundTheStartAsOftenAsNeeded) {
    Wave wave = MakeWave({0, 0, 0});
    wave.mixCycleAfter(&error, MakeWave({1, 2, 3, 4, 5, 6, 7}), 2);
    // Positions 2, 0, 1, 2, 0, 1, 2 receive 1 .. 7.
    EXPECT_THAT(Samples(wave), ElementsAre(2 + 5, 3 + 6, 1 + 4 + 7));
    wave.mixCycleAfter(&error, Wave(), 0);
    EXPECT_THAT(Samples(wave), ElementsAre(7, 9, 12));
}

TEST_F(WaveTest, MixPlacesTheOtherWaveAndGrowsWhereNeeded) {
    const Wave wave = MakeWave({1, 2, 3, 4});
    const Wave other = MakeWave({10, 20, 30});
    struct Case {
        std::int32_t at, length;
        bool fromEnd;
        Samples16 expected;
    };
    const Case cases[] = {
        {1, -1, false, {1, 12, 23, 34}},
        {2, -1, false, {1, 2, 13, 24, 30}},
        {6, -1, false, {1, 2, 3, 4, 0, 0, 10, 20, 30}},
        {-2, -1, false, {10, 20, 31, 2, 3, 4}},
        {-5, -1, false, {10, 20, 30, 0, 0, 1, 2, 3, 4}},
        {0, 2, false, {11, 22, 3, 4}},
        {0, 2, true, {21, 32, 3, 4}},
        {3, 9, false, {1, 2, 3, 14, 20, 30}},
        {1, 0, false, {1, 2, 3, 4}},
        {5, 0, false, {1, 2, 3, 4, 0}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Samples(wave.mix(&error, other, c.at, c.length, c.fromEnd)), c.expected)
            << "at " << c.at << " length " << c.length << " fromEnd " << c.fromEnd;
    }
    // at = -10: ten samples longer at the front, this shifted by 10.
    const auto shifted = wave.mix(&error, MakeWave({5}), -10, -1, false);
    ASSERT_EQ(shifted->getValues(), 14);
    EXPECT_EQ(shifted->wave[0], 5);
    EXPECT_THAT(Samples16(shifted->wave + 10, shifted->wave + 14), ElementsAre(1, 2, 3, 4));
}

TEST_F(WaveTest, MixAlignEndEndsTheUsedPartAtThePosition) {
    const Wave wave = MakeWave({1, 2, 3, 4});
    const Wave other = MakeWave({10, 20, 30});
    EXPECT_THAT(Samples(wave.mixAlignEnd(&error, other, 4, -1)), ElementsAre(1, 12, 23, 34));
    EXPECT_THAT(Samples(wave.mixAlignEnd(&error, other, 3, 2)), ElementsAre(1, 22, 33, 4));
    EXPECT_THAT(Samples(wave.mixAlignEnd(&error, other, 1, -1)), ElementsAre(10, 20, 31, 2, 3, 4));
}

TEST_F(WaveTest, MixStretchedReadsTheOtherWithTheRangeLengthPlusOne) {
    const Wave wave = MakeWave({1, 1, 1, 1, 1, 1});
    const Wave other = MakeWave({0, 100, 200, 300, 400});
    // Range of 3: positions k·4/4 = 0, 1, 2; the last sample of other is never reached.
    EXPECT_THAT(Samples(wave.mixStretched(&error, other, 2, 5)), ElementsAre(1, 1, 1, 101, 201, 1));
    // Range of 5: positions k·4/6.
    EXPECT_THAT(Samples(wave.mixStretched(&error, other, 0, 5)),
                ElementsAre(1, 67, 134, 201, 267, 1));
    EXPECT_THAT(Samples(wave.mixStretched(&error, Wave(), 0, 5)), Samples(wave));
}

TEST_F(WaveTest, InterpolatedValues) {
    const Wave wave = MakeWave({0, 100, -100});
    EXPECT_DOUBLE_EQ(wave.getInterpolated(0), 0);
    EXPECT_DOUBLE_EQ(wave.getInterpolated(0.25), 25);
    EXPECT_DOUBLE_EQ(wave.getInterpolated(1.5), 0);
    EXPECT_DOUBLE_EQ(wave.getInterpolated(2), -100);
    EXPECT_DOUBLE_EQ(wave.getInterpolated(2.5), -100);  // never past the array
}

TEST(SinusTest, OnePeriodOf9000Samples) {
    ASSERT_TRUE(CreateSinus());
    ASSERT_EQ(sinus.getValues(), 9000);
    EXPECT_EQ(sinus.wave[0], 0);
    EXPECT_EQ(sinus.wave[2250], 32767);
    EXPECT_EQ(sinus.wave[4500], 0);
    EXPECT_EQ(sinus.wave[6750], -32767);
    EXPECT_EQ(sinus.wave[750], 16383);  // sin(30°)·32767 = 16383.5, truncated
    ReleaseSinus();
    EXPECT_EQ(sinus.getValues(), 0);
}

TEST(SinusTest, FailureIsReported) {
    platform::RecordingMessageSink messages;
    SampleAllocationLimit limit(100);
    EXPECT_FALSE(CreateSinus());
    ASSERT_FALSE(messages.Messages().empty());
    EXPECT_EQ(messages.Messages().back().text, "Could not create sinus.");
    EXPECT_EQ(messages.Messages().back().caption, "System Error");
    EXPECT_EQ(messages.Messages().back().icon, platform::MessageIcon::stop);
}

}  // namespace
}  // namespace kalvora
