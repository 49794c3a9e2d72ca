// Split and merge: the parts a cut gives, the channel and rate conversions of a merge, and
// the rules that make two channels equally long.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "sound/merge_split.h"
#include "wave_samples.h"

namespace kalvora {
namespace {

using ::testing::ElementsAre;
using testing::MakeWave;
using testing::Ramp;
using testing::Samples;

using Samples16 = std::vector<std::int16_t>;

using testing::Mono;
using testing::Stereo;

TEST(SplitVertically, GivesTwoMonoSoundsOfTheirOwn) {
    ErrorFlag error = 0;
    auto source = std::make_unique<StereoSound>(MakeWave({1, 2, 3}), MakeWave({4, 5, 6}), 22050, 1);
    TSplitVerticalSounds parts = SplitVertically(&error, *source);
    ASSERT_TRUE(parts.left && parts.right);
    source.reset();  // the source document goes; its parts stay whole
    EXPECT_THAT(Samples(parts.left->GetLeftWave()), ElementsAre(1, 2, 3));
    EXPECT_THAT(Samples(parts.right->GetLeftWave()), ElementsAre(4, 5, 6));
    for (const auto* part : {parts.left.get(), parts.right.get()}) {
        EXPECT_EQ(part->MoSt, 1);
        EXPECT_EQ(part->Freq, 22050);
        EXPECT_EQ(part->BytesPSample, 1);
    }
}

TEST(SplitVertically, StopsOnASetFlag) {
    ErrorFlag error = 1;
    StereoSound source = Stereo({1}, {2});
    EXPECT_FALSE(SplitVertically(&error, source).left);
}

struct RangesCase {
    std::int32_t begin, end;
    TSplitHorResult result;
    std::vector<TSplitRange> parts;
};

TEST(SplitHorizontalRanges, FollowTheChoiceForASelectionAndCutAtACursor) {
    using R = TSplitHorResult;
    const RangesCase cases[] = {
        {0, 0, R::threeParts, {{0, 0}, {0, 1000}}},  // cursor at 0: empty first part
        {400, 400, R::bothInclusive, {{0, 400}, {400, 1000}}},
        {1000, 1000, R::threeParts, {{0, 1000}, {1000, 1000}}},
        {100, 200, R::threeParts, {{0, 100}, {100, 200}, {200, 1000}}},
        {100, 200, R::bothInclusive, {{0, 200}, {100, 1000}}},
        {100, 200, R::bothExclusive, {{0, 100}, {200, 1000}}},
    };
    for (const RangesCase& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.begin) + ":" + ::testing::PrintToString(c.end));
        EXPECT_EQ(SplitHorizontalRanges(1000, c.begin, c.end, c.result), c.parts);
    }
    const TSplitCuts cuts = SplitCutsOf(SplitHorizontalRanges(1000, 100, 200, R::bothInclusive));
    EXPECT_EQ(cuts.firstEnd, 200);
    EXPECT_EQ(cuts.lastBegin, 100);
}

TEST(SplitHorizontally, AtCursorZeroGivesAnEmptySoundAndACopy) {
    ErrorFlag error = 0;
    StereoSound source = Stereo({1, 2, 3}, {4, 5, 6});
    auto parts = SplitHorizontally(&error, source, SplitHorizontalRanges(3, 0, 0, {}));
    ASSERT_EQ(parts.size(), 2u);
    EXPECT_EQ(parts[0]->GetValues(), 0);
    EXPECT_EQ(parts[0]->MoSt, 2);
    EXPECT_THAT(Samples(parts[1]->GetRightWave()), ElementsAre(4, 5, 6));
}

TEST(SplitHorizontally, BothInclusiveSharesTheSelection) {
    ErrorFlag error = 0;
    MonoSound source = Mono(Ramp(1000));
    auto parts = SplitHorizontally(
        &error, source, SplitHorizontalRanges(1000, 100, 200, TSplitHorResult::bothInclusive));
    ASSERT_EQ(parts.size(), 2u);
    EXPECT_EQ(parts[0]->GetValues(), 200);
    EXPECT_EQ(parts[1]->GetValues(), 900);
    EXPECT_EQ(parts[1]->GetLeftWave().wave[0], 100);
}

TEST(MergeHorizontally, MonoChosenAveragesTheStereoSource) {
    ErrorFlag error = 0;
    MonoSound first = Mono({10, 20});
    StereoSound last = Stereo({100, 200}, {300, 0});
    auto merged = MergeHorizontally(&error, first, last, {100, 1, 2});
    ASSERT_TRUE(merged);
    EXPECT_EQ(merged->MoSt, 1);
    EXPECT_THAT(Samples(merged->GetLeftWave()), ElementsAre(10, 20, 200, 100));
}

TEST(MergeHorizontally, StereoChosenDoublesTheMonoSourceAndTakesTheWidth) {
    ErrorFlag error = 0;
    MonoSound first = Mono({10, 20});
    StereoSound last = Stereo({1}, {2});
    auto merged = MergeHorizontally(&error, first, last, {100, 2, 1});
    ASSERT_TRUE(merged);
    EXPECT_THAT(Samples(merged->GetLeftWave()), ElementsAre(10, 20, 1));
    EXPECT_THAT(Samples(merged->GetRightWave()), ElementsAre(10, 20, 2));
    EXPECT_EQ(merged->BytesPSample, 1);
}

TEST(MergeHorizontally, ResamplesASourceOfAnotherRate) {
    ErrorFlag error = 0;
    MonoSound first = Mono(Ramp(11, 10), 100);
    MonoSound last = Mono(Ramp(21, 5), 200);
    auto merged = MergeHorizontally(&error, first, last, {100, 1, 2});
    ASSERT_TRUE(merged);
    EXPECT_EQ(merged->Freq, 100);
    EXPECT_EQ(merged->GetValues(), 11 + 11);
}

TEST(MergeHorizontally, CopiesSourcesOfTheRightFormat) {
    ErrorFlag error = 0;
    auto first = std::make_unique<MonoSound>(MakeWave({1, 2}), 100, 2);
    auto last = std::make_unique<MonoSound>(MakeWave({3}), 100, 2);
    auto merged = MergeHorizontally(&error, *first, *last, {100, 1, 2});
    first.reset();
    last.reset();
    ASSERT_TRUE(merged);
    EXPECT_THAT(Samples(merged->GetLeftWave()), ElementsAre(1, 2, 3));
}

TEST(MergeVertically, SilenceAtTheEndOfTheShorter) {
    ErrorFlag error = 0;
    MonoSound second(Wave(&error, 22050), 44100, 2);
    second.WaveMiddle.clearPart(&error, 0, 22050);
    for (std::int32_t i = 0; i < 22050; ++i)
        second.WaveMiddle.wave[i] = 7;
    MonoSound one(Wave(&error, 44100), 44100, 2);
    one.WaveMiddle.clearPart(&error, 0, 44100);
    auto merged = MergeVertically(&error, one, second, 44100, 2, TMakeLengthsEqual::silenceAtEnd);
    ASSERT_TRUE(merged);
    EXPECT_EQ(merged->GetValues(), 44100);
    EXPECT_EQ(merged->GetRightWave().wave[22049], 7);
    EXPECT_EQ(merged->GetRightWave().wave[22050], 0);
    EXPECT_EQ(merged->GetRightWave().wave[44099], 0);
}

struct LengthsCase {
    TMakeLengthsEqual rule;
    Samples16 left, right;
};

TEST(MergeVertically, EachRuleMakesTheChannelsEqual) {
    using M = TMakeLengthsEqual;
    const LengthsCase cases[] = {
        {M::silenceAtBegin, {1, 2, 3, 4}, {0, 0, 5, 6}},
        {M::silenceAtEnd, {1, 2, 3, 4}, {5, 6, 0, 0}},
        {M::stretchShortest, {1, 2, 3, 4}, {5, 5, 6, 6}},
        {M::stretchLongest, {1, 3}, {5, 6}},
    };
    for (const LengthsCase& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.rule));
        ErrorFlag error = 0;
        MonoSound a = Mono({1, 2, 3, 4});
        MonoSound b = Mono({5, 6});
        auto merged = MergeVertically(&error, a, b, 100, 2, c.rule);
        ASSERT_TRUE(merged);
        EXPECT_EQ(Samples(merged->GetLeftWave()), c.left);
        EXPECT_EQ(Samples(merged->GetRightWave()), c.right);
    }
}

TEST(MergeVertically, AnEmptySourceAtAnotherRateGivesAnEmptyChannel) {
    using M = TMakeLengthsEqual;
    const std::pair<M, std::int32_t> cases[] = {{M::silenceAtBegin, 3},
                                                {M::silenceAtEnd, 3},
                                                {M::stretchShortest, 3},
                                                {M::stretchLongest, 0}};
    for (const auto& [rule, length] : cases) {
        SCOPED_TRACE(static_cast<int>(rule));
        ErrorFlag error = 0;
        MonoSound a = Mono({1, 2, 3}, 100);
        MonoSound empty(300, 2);
        auto merged = MergeVertically(&error, a, empty, 100, 2, rule);
        ASSERT_TRUE(merged);
        EXPECT_EQ(merged->GetValues(), length);
        if (length > 0) {
            EXPECT_THAT(Samples(merged->GetRightWave()), ElementsAre(0, 0, 0));
        }
    }
}

TEST(MergeVertically, EqualDurationsAtDifferentRatesStillGiveEqualChannels) {
    // 1000 samples at 22050 Hz and 500 at 11025 Hz last as long, but the second maps to
    // trunc(2·499 + 1) = 999 samples at 22050 Hz.
    ErrorFlag error = 0;
    MonoSound a = Mono(Samples16(1000, 1), 22050);
    MonoSound b = Mono(Samples16(500, 2), 11025);
    auto merged = MergeVertically(&error, a, b, 22050, 2, TMakeLengthsEqual::silenceAtEnd);
    ASSERT_TRUE(merged);
    EXPECT_EQ(merged->GetLeftWave().values, 1000);
    EXPECT_EQ(merged->GetRightWave().values, 1000);
    EXPECT_EQ(merged->GetRightWave().wave[999], 0);
}

TEST(MergeVertically, StereoSourcesGiveTheirAverage) {
    ErrorFlag error = 0;
    StereoSound a = Stereo({10, 20}, {30, 40});
    MonoSound b = Mono({1, 2});
    auto merged = MergeVertically(&error, a, b, 100, 1, TMakeLengthsEqual::silenceAtEnd);
    ASSERT_TRUE(merged);
    EXPECT_THAT(Samples(merged->GetLeftWave()), ElementsAre(20, 30));
    EXPECT_THAT(Samples(merged->GetRightWave()), ElementsAre(1, 2));
    EXPECT_EQ(merged->BytesPSample, 1);
}

}  // namespace
}  // namespace kalvora
