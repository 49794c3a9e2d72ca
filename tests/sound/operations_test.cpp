// The simple operations: volume, reverse, vertical moves, block, rotate, roll in and out,
// length and distort, with the arguments a document derives for them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <numeric>

#include "platform/recording_message_sink.h"
#include "sound/operation_arguments.h"
#include "sound/sample_memory.h"
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

using testing::Mono;
using testing::Stereo;

Samples16 Mid(const std::unique_ptr<Sound>& sound) {
    EXPECT_NE(sound, nullptr);
    return sound ? Samples(sound->GetLeftWave()) : Samples16{};
}

Samples16 Left(const std::unique_ptr<Sound>& sound) {
    return Mid(sound);
}

Samples16 Right(const std::unique_ptr<Sound>& sound) {
    EXPECT_NE(sound, nullptr);
    return sound ? Samples(sound->GetRightWave()) : Samples16{};
}

class OperationsTest : public ::testing::Test {
  protected:
    ErrorFlag error = 0;
    platform::RecordingMessageSink messages;
};

TEST_F(OperationsTest, ScaleWrapsAroundAndKeepsHeadAndTail) {
    const MonoSound mono = Mono({20000, 20000, 20000, -3});
    // 2·20000 = 40000 keeps its low 16 bits: -25536.
    EXPECT_THAT(Mid(mono.Scale(&error, 2, 1, 3)), ElementsAre(20000, -25536, -25536, -3));
    EXPECT_THAT(Mid(mono.Scale(&error, 0.5, 0, 4)), ElementsAre(10000, 10000, 10000, -1));
    // Factors too large for the fast path still wrap like ToSample.
    EXPECT_THAT(Mid(Mono({1, 2}).Scale(&error, 70000, 0, 2)), ElementsAre(4464, 8928));
    EXPECT_EQ(error, 0);
}

TEST_F(OperationsTest, MaxVolumeOfAPeakOf16384ReachesFullScale) {
    const StereoSound stereo = Stereo({16384, 100, -8192}, {-16384, 1, 0});
    auto max = stereo.MaxVolume(&error, 0, 3);
    // Every sample times 32767/16384.
    EXPECT_THAT(Left(max), ElementsAre(32767, 199, -16383));
    EXPECT_THAT(Right(max), ElementsAre(-32767, 1, 0));
}

TEST_F(OperationsTest, ScaleByEnvelopeStretchesTheEnvelopeOverTheRange) {
    const MonoSound envelope = Mono({0, 32767});
    const MonoSound mono = Mono({9, 1000, 1000, 1000, 9});
    // Over 3 samples the envelope is read at 0, 0.5 and 1: 0, 16383.5, 32767.
    EXPECT_THAT(Mid(mono.ScaleByEnvelope(&error, envelope, 1, 4)), ElementsAre(9, 0, 500, 1000, 9));
    // A range of one sample uses the first envelope value only.
    EXPECT_THAT(Mid(mono.ScaleByEnvelope(&error, Mono({32767, 0}), 2, 3)),
                ElementsAre(9, 1000, 1000, 1000, 9));

    // Channels are matched: a stereo envelope feeds left and right separately, and is
    // averaged for a mono sound.
    const StereoSound stereoEnvelope = Stereo({32767, 32767}, {0, 0});
    auto stereo = Stereo({100, 100}, {100, 100}).ScaleByEnvelope(&error, stereoEnvelope, 0, 2);
    EXPECT_THAT(Left(stereo), ElementsAre(100, 100));
    EXPECT_THAT(Right(stereo), ElementsAre(0, 0));
    EXPECT_THAT(Mid(Mono({100, 100}).ScaleByEnvelope(&error, stereoEnvelope, 0, 2)),
                ElementsAre(49, 49));
    EXPECT_EQ(error, 0);
}

TEST_F(OperationsTest, ReverseAndVerticalMoves) {
    const StereoSound stereo = Stereo({1, 2, 3, 4, 5}, {10, 20, 30, 40, 50});
    auto reversed = stereo.Reverse(&error, 1, 4);
    EXPECT_THAT(Left(reversed), ElementsAre(1, 4, 3, 2, 5));
    EXPECT_THAT(Right(reversed), ElementsAre(10, 40, 30, 20, 50));

    // Reverse across several runs of the error-flag loop.
    const Samples16 ramp = Ramp(2500);
    Samples16 backwards(ramp.rbegin(), ramp.rend());
    EXPECT_THAT(Mid(Mono(ramp).Reverse(&error, 0, 2500)), ElementsAreArray(backwards));

    EXPECT_THAT(Mid(Mono({32767, 0, -32768}).MoveVertically(&error, 1, 0, 3)),
                ElementsAre(-32768, 1, -32767));
    EXPECT_THAT(Mid(Mono({5, 5}).MoveVertically(&error, -16383, 1, 2)), ElementsAre(5, -16378));

    // The mean, truncated toward zero, is removed from each channel on its own.
    auto normalized = Stereo({1, 2}, {-1, -2}).NormalizeVertically(&error, 0, 2);
    EXPECT_THAT(Left(normalized), ElementsAre(0, 1));
    EXPECT_THAT(Right(normalized), ElementsAre(0, -1));
    // A mean of -32768 moves up by 32768, which wraps like any 16-bit addition.
    EXPECT_THAT(Mid(Mono({-32768}).NormalizeVertically(&error, 0, 1)), ElementsAre(0));
    EXPECT_EQ(error, 0);
}

TEST_F(OperationsTest, BlockMakesBlocksOfTruncatedMeansAndQuantisesThem) {
    const Samples16 ten = {1, 2, 3, 4, 6, -1, -2, -2, -2, -2};
    const MonoSound mono = Mono(ten, 10);  // 1 s
    // Horizontal count 2: blocks of S/2 = 0.5 s = 5 samples; means 16/5 and -9/5.
    const double half = BlockTimeOf(BlockHorizontalKind::count, 2, 0.01, mono.GetSeconds());
    EXPECT_DOUBLE_EQ(half, 0.5);
    EXPECT_THAT(Mid(mono.Block(&error, half, 0, 0, 10)),
                ElementsAre(3, 3, 3, 3, 3, -1, -1, -1, -1, -1));
    // Blocks end at floor(k·x): 2.5 samples give blocks of 2, 3, 2 and 3.
    EXPECT_THAT(Mid(mono.Block(&error, 0.25, 0, 0, 10)),
                ElementsAre(1, 1, 4, 4, 4, -1, -1, -2, -2, -2));
    // No horizontal change and no levels leave the range as it is.
    EXPECT_THAT(Mid(mono.Block(&error, 0, 0, 0, 10)), ElementsAreArray(ten));

    // Vertical count 2: below 0 becomes -32768, everything else 32767.
    const MonoSound values = Mono({-1, 0, 1, -32768, 32767, -20000});
    EXPECT_THAT(Mid(values.Block(&error, 0, 2, 0, 6)),
                ElementsAre(-32768, 32767, 32767, -32768, 32767, -32768));
    // One level silences the range.
    EXPECT_THAT(Mid(values.Block(&error, 0, 1, 1, 5)), ElementsAre(-1, 0, 0, 0, 0, -20000));
    // Three levels: -32768, -0.5 (truncated to 0) and 32767.
    EXPECT_THAT(Mid(values.Block(&error, 0, 3, 0, 6)), ElementsAre(0, 0, 0, -32768, 32767, -32768));

    EXPECT_EQ(BlockLevelsOf(BlockVerticalKind::height, 20, 3277), 9);  // 32768 div 3277
    EXPECT_EQ(BlockLevelsOf(BlockVerticalKind::count, 20, 3277), 20);
    EXPECT_EQ(BlockLevelsOf(BlockVerticalKind::noChange, 20, 3277), 0);
    EXPECT_DOUBLE_EQ(BlockTimeOf(BlockHorizontalKind::time, 20, 0.01, 1), 0.01);
    EXPECT_DOUBLE_EQ(BlockTimeOf(BlockHorizontalKind::noChange, 20, 0.01, 1), 0);
    EXPECT_EQ(error, 0);
}

TEST_F(OperationsTest, RotateLeftAndRight) {
    const MonoSound mono = Mono(Ramp(100), 100);  // 1 s
    const double S = mono.GetSeconds();
    // Right by a factor of 0.25 is left by 75.
    const double seconds = RotateSecondsOf(true, true, 0.25, 0.1, S);
    EXPECT_DOUBLE_EQ(seconds, 0.75);
    const Samples16 rotated = Mid(mono.Rotate(&error, seconds, 0, 100));
    EXPECT_EQ(rotated[0], 75);
    EXPECT_EQ(rotated[24], 99);
    EXPECT_EQ(rotated[25], 0);
    EXPECT_EQ(rotated[99], 74);

    EXPECT_THAT(Mid(Mono({1, 2, 3, 4, 5}).Rotate(&error, 0.02, 1, 5)), ElementsAre(1, 4, 5, 2, 3));
    // A shift of the whole range, or of none, leaves it as it is.
    EXPECT_THAT(Mid(Mono({1, 2, 3}).Rotate(&error, 0.03, 0, 3)), ElementsAre(1, 2, 3));

    EXPECT_DOUBLE_EQ(RotateSecondsOf(false, false, 0.1, 0.25, S), 0.25);
    EXPECT_DOUBLE_EQ(RotateSecondsOf(true, false, 0.1, 0.25, S), 0.75);
    EXPECT_DOUBLE_EQ(RotateSecondsOf(false, false, 0.1, -0.25, S), 0.75);  // wrapped
    EXPECT_DOUBLE_EQ(RotateSecondsOf(false, true, 1.0, 0.1, S), 0);
    EXPECT_EQ(error, 0);
}

TEST_F(OperationsTest, RollInFoldsTheRangeOntoTheRegion) {
    const MonoSound mono = Mono({-1, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, -2}, 100);
    std::int32_t begin = 1;
    std::int32_t end = 11;
    // n = 4 from target 0: s0+s4+s8, s1+s5+s9, s2+s6, s3+s7.
    auto folded = mono.RollIn(&error, 0.04, 0, begin, end);
    EXPECT_THAT(Mid(folded), ElementsAre(-1, 15, 18, 10, 12, -2));
    EXPECT_EQ(begin, 1);
    EXPECT_EQ(end, 5);

    // A range shorter than the region leaves zeros; the target wraps around the region.
    begin = 0;
    end = 3;
    EXPECT_THAT(Mid(Mono({1, 2, 3}).RollIn(&error, 0.05, 3, begin, end)),
                ElementsAre(3, 0, 0, 1, 2));
    EXPECT_EQ(end, 5);

    // Stereo: both channels, one new range.
    begin = 0;
    end = 4;
    auto stereo = Stereo({1, 2, 3, 4}, {5, 6, 7, 8}).RollIn(&error, 0.02, 1, begin, end);
    EXPECT_THAT(Left(stereo), ElementsAre(6, 4));
    EXPECT_THAT(Right(stereo), ElementsAre(14, 12));
    EXPECT_EQ(end, 2);

    // The sums wrap at 16 bits.
    begin = 0;
    end = 2;
    EXPECT_THAT(Mid(Mono({30000, 30000}).RollIn(&error, 0.01, 0, begin, end)), ElementsAre(-5536));
    EXPECT_EQ(error, 0);
}

TEST_F(OperationsTest, RollInArguments) {
    EXPECT_DOUBLE_EQ(RollInSamples(44100, 1.0), 44100);
    EXPECT_DOUBLE_EQ(RollInSamples(44100, 0.00002), 0);  // below one sample: refused
    // "Start at" 0.25 s of a 1 s region at 100 Hz: position 25.
    EXPECT_EQ(RollInTarget(false, 0.25, 0, 100, 100, 10, 30), 25);
    EXPECT_EQ(RollInTarget(false, 1.5, 0, 100, 100, 10, 30), 50);  // wrapped
    // "End at" 0.25 s: the range of 20 samples ends there, so it starts at 5.
    EXPECT_EQ(RollInTarget(true, 0, 0.25, 100, 100, 10, 30), 5);
    // Ending at 0.1 s: starting 10 samples before the region's start, at 90.
    EXPECT_EQ(RollInTarget(true, 0, 0.1, 100, 100, 10, 30), 90);
}

TEST_F(OperationsTest, RollOutLoopsTheRangeForwardsAndBackwards) {
    const MonoSound mono = Mono({0, 100, 200, 300}, 100);
    const double S = mono.GetSeconds();
    // Speed 1, length factor 2: a period of S, two periods long, read at (L - 1)·phase.
    auto forwards = RollOutArgumentsOf(RollOutLengthKind::factor, 2, 0, 0, 0, 1, 0, S);
    EXPECT_DOUBLE_EQ(forwards.per, S);
    EXPECT_DOUBLE_EQ(forwards.lengthScale, 2);
    std::int32_t begin = 0;
    std::int32_t end = 4;
    EXPECT_THAT(
        Mid(mono.RollOut(&error, forwards.per, forwards.lengthScale, forwards.start, begin, end)),
        ElementsAre(0, 75, 150, 225, 0, 75, 150, 225));
    EXPECT_EQ(end, 8);

    // Speed -1 plays the loop backwards.
    auto backwards = RollOutArgumentsOf(RollOutLengthKind::factor, 2, 0, 0, 0, -1, 0, S);
    EXPECT_DOUBLE_EQ(backwards.per, -S);
    begin = 0;
    end = 4;
    EXPECT_THAT(Mid(mono.RollOut(&error, backwards.per, backwards.lengthScale, backwards.start,
                                 begin, end)),
                ElementsAre(0, 225, 150, 75, 0, 225, 150, 75));

    // Start half way, speed 2 for "Count" 3 periods: 3/2 length factor, 6 samples.
    auto counted = RollOutArgumentsOf(RollOutLengthKind::count, 1, 0, 0, 3, 2, S / 2, S);
    EXPECT_DOUBLE_EQ(counted.lengthFactor, 1.5);
    EXPECT_DOUBLE_EQ(counted.start, 0.5);
    begin = 0;
    end = 4;
    EXPECT_THAT(
        Mid(mono.RollOut(&error, counted.per, counted.lengthScale, counted.start, begin, end)),
        ElementsAre(150, 0, 150, 0, 150, 0));

    EXPECT_DOUBLE_EQ(
        RollOutArgumentsOf(RollOutLengthKind::newLength, 1, 2, 0, 0, 1, 0, 4).lengthFactor, 0.5);
    EXPECT_DOUBLE_EQ(
        RollOutArgumentsOf(RollOutLengthKind::sameAs, 1, 2, 8, 0, 1, 0, 4).lengthFactor, 2);
    EXPECT_EQ(error, 0);
}

TEST_F(OperationsTest, RollOutWithASpeedEnvelope) {
    const MonoSound mono = Mono({0, 100, 200, 300}, 100);
    // Full positive envelope, speed 1: one sample on per output sample, the first output one
    // step in; after the last sample comes the first.
    std::int32_t begin = 0;
    std::int32_t end = 4;
    EXPECT_THAT(Mid(mono.RollOutEnvelope(&error, Mono({32767}), 2, 1, 0, begin, end)),
                ElementsAre(100, 200, 300, 0, 100, 200, 300, 0));
    EXPECT_EQ(end, 8);
    // A negative envelope runs backwards; half speed interpolates, also across the loop's
    // end (between 300 and 0).
    begin = 0;
    end = 4;
    EXPECT_THAT(Mid(mono.RollOutEnvelope(&error, Mono({-32767, -32767}), 1, 0.5, 0, begin, end)),
                ElementsAre(150, 300, 250, 200));
    EXPECT_EQ(error, 0);
}

TEST_F(OperationsTest, LengthStretchesAndMinusOneReversesExactly) {
    const Samples16 ramp = {5, -7, 300, 12000, -32768, 32767, 1};
    const MonoSound mono = Mono(ramp);
    std::int32_t begin = 0;
    std::int32_t end = 7;
    Samples16 reversed(ramp.rbegin(), ramp.rend());
    EXPECT_THAT(Mid(mono.Length(&error, -1, begin, end)), ElementsAreArray(reversed));
    EXPECT_EQ(end, 7);

    // Factor 3 over 2 samples: 3·(2 - 1) + 1 = 4 samples a half sample apart; the last one
    // reaches half way to the sample after the range.
    begin = 1;
    end = 3;
    EXPECT_THAT(Mid(Mono({7, 0, 100, 9}).Length(&error, 3, begin, end)),
                ElementsAre(7, 0, 50, 100, 54, 9));
    EXPECT_EQ(end, 5);

    EXPECT_DOUBLE_EQ(LengthFactorOf(LengthKind::factor, 0.5, 2, 3, 4), 0.5);
    EXPECT_DOUBLE_EQ(LengthFactorOf(LengthKind::newLength, 0.5, 2, 3, 4), 0.5);
    EXPECT_DOUBLE_EQ(LengthFactorOf(LengthKind::sameAs, 0.5, 2, 3, 4), 0.75);
    EXPECT_EQ(error, 0);
}

TEST_F(OperationsTest, DistortThroughIdentityAndInvertingCurves) {
    const Samples16 input = {-32768, -100, 0, 1, 100, 32767};
    const MonoSound mono = Mono(input);
    // (-32768, 32767): s - 0.5 truncated toward zero, so positive samples lose 1; -32768
    // reads a hair before the curve's start, which is taken as its start.
    EXPECT_THAT(Mid(mono.Distort(&error, Mono({-32768, 32767}), 0, 6)),
                ElementsAre(-32768, -100, 0, 0, 99, 32766));
    // (32767, -32768): -s - 0.5, the inverse.
    EXPECT_THAT(Mid(mono.Distort(&error, Mono({32767, -32768}), 0, 6)),
                ElementsAre(32767, 99, 0, -1, -100, -32767));
    // A one-sample curve maps everything to its value.
    EXPECT_THAT(Mid(mono.Distort(&error, Mono({42}), 1, 5)),
                ElementsAre(-32768, 42, 42, 42, 42, 32767));
    EXPECT_EQ(error, 0);
}

TEST_F(OperationsTest, DistortOfLongRangesGivesThePerSampleValues) {
    // Long ranges go through a table of every sample value: it must agree with the
    // per-sample computation of short ranges.
    Samples16 every(65536);
    std::iota(every.begin(), every.end(), std::int16_t{-32768});
    const MonoSound curve = Mono({-32768, 1000, -5, 32767, 7, 20000, -20000});
    const Samples16 whole = Mid(Mono(every).Distort(&error, curve, 0, 65536));
    for (std::int32_t from = 0; from < 65536; from += 8192) {
        const Samples16 part = Mid(Mono(every).Distort(&error, curve, from, from + 4096));
        for (std::int32_t k = from; k < from + 4096; ++k)
            ASSERT_EQ(part[k], whole[k]) << "sample " << every[k];
    }
}

TEST_F(OperationsTest, QuantisingLongRangesGivesThePerSampleValues) {
    // Blocks of one sample over a long range go through a table of every sample value.
    Samples16 every(65536);
    std::iota(every.begin(), every.end(), std::int16_t{-32768});
    const Samples16 whole = Mid(Mono(every).Block(&error, 0, 7, 0, 65536));
    for (std::int32_t from = 0; from < 65536; from += 8192) {
        const Samples16 part = Mid(Mono(every).Block(&error, 0, 7, from, from + 4096));
        for (std::int32_t k = from; k < from + 4096; ++k)
            ASSERT_EQ(part[k], whole[k]) << "sample " << every[k];
    }
}

// Every operation, with the error flag set on entry, returns nothing.
TEST_F(OperationsTest, NothingHappensWithTheFlagSet) {
    const StereoSound stereo = Stereo({1, 2, 3, 4}, {5, 6, 7, 8});
    const MonoSound envelope = Mono({1, 2});
    error = 1;
    std::int32_t begin = 0;
    std::int32_t end = 4;
    const std::vector<std::function<std::unique_ptr<Sound>()>> operations = {
        [&] { return stereo.Scale(&error, 2, 0, 4); },
        [&] { return stereo.ScaleByEnvelope(&error, envelope, 0, 4); },
        [&] { return stereo.MaxVolume(&error, 0, 4); },
        [&] { return stereo.Reverse(&error, 0, 4); },
        [&] { return stereo.MoveVertically(&error, 5, 0, 4); },
        [&] { return stereo.NormalizeVertically(&error, 0, 4); },
        [&] { return stereo.Block(&error, 0.02, 3, 0, 4); },
        [&] { return stereo.Rotate(&error, 0.01, 0, 4); },
        [&] { return stereo.RollIn(&error, 0.02, 0, begin, end); },
        [&] { return stereo.RollOut(&error, 0.04, 2, 0, begin, end); },
        [&] { return stereo.RollOutEnvelope(&error, envelope, 2, 1, 0, begin, end); },
        [&] { return stereo.Length(&error, 2, begin, end); },
        [&] { return stereo.Distort(&error, envelope, 0, 4); },
    };
    for (const auto& operation : operations) {
        EXPECT_EQ(operation(), nullptr);
        EXPECT_EQ(begin, 0);
        EXPECT_EQ(end, 4);
    }
    EXPECT_TRUE(messages.Messages().empty());
}

TEST_F(OperationsTest, AnAllocationFailureIsReportedOnceAndGivesNothing) {
    const StereoSound stereo = Stereo({1, 2, 3, 4}, {5, 6, 7, 8});
    std::int32_t begin = 0;
    std::int32_t end = 4;
    {
        SampleAllocationLimit limit(5);  // the left channel fits, the right does not
        EXPECT_EQ(stereo.RollOut(&error, 0.04, 1, 0, begin, end), nullptr);
    }
    EXPECT_EQ(error, 1);
    EXPECT_EQ(end, 4);
    EXPECT_EQ(messages.Messages().size(), 1u);

    // A result longer than a wave can hold fails the same way.
    error = 0;
    EXPECT_EQ(stereo.RollOut(&error, 0.04, 1e9, 0, begin, end), nullptr);
    EXPECT_EQ(error, 1);
    EXPECT_EQ(messages.Messages().size(), 2u);
}

}  // namespace
}  // namespace kalvora
