#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/recording_message_sink.h"
#include "sound/sound.h"
#include "wave_samples.h"

namespace kalvora {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using testing::MakeWave;
using testing::Samples;

using Samples16 = std::vector<std::int16_t>;

// Rate 8 and a period of 0.5 s: four samples a period, phases 0, 0.25, 0.5, 0.75.
constexpr std::int32_t kRate = 8;
constexpr double kPeriod = 0.5;

struct ShapeCase {
    const char* name;
    bool triangle;
    double middle;
    double start;
    Samples16 expected;  // one second: two periods
};

class BlockTriangleShapes : public ::testing::TestWithParam<ShapeCase> {};

TEST_P(BlockTriangleShapes, OnePeriodRepeats) {
    const ShapeCase& c = GetParam();
    ErrorFlag error = 0;
    const MonoSound empty(kRate, 2);
    std::int32_t begin = 0;
    std::int32_t end = 0;
    // Height 1 (the second height B) 1000, height 2 (the first height A) -1000.
    auto made = empty.BlockTriangle(&error, 1000, -1000, kPeriod, c.middle, 1.0, c.start,
                                    c.triangle, begin, end);
    ASSERT_TRUE(made);
    EXPECT_EQ(end, 8);
    EXPECT_THAT(Samples(made->GetLeftWave()), ElementsAreArray(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BlockTriangleShapes,
    ::testing::Values(
        // The first part of the period has the first height (height 2).
        ShapeCase{"Block", false, 0.5, 0, {-1000, -1000, 1000, 1000, -1000, -1000, 1000, 1000}},
        // Starting half way with the middle half way begins with the second height.
        ShapeCase{"BlockStartHalf",
                  false,
                  0.5,
                  0.5,
                  {1000, 1000, -1000, -1000, 1000, 1000, -1000, -1000}},
        ShapeCase{"BlockMiddle0", false, 0, 0, {1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000}},
        ShapeCase{"Triangle", true, 0.5, 0, {-1000, 0, 1000, 0, -1000, 0, 1000, 0}},
        // Middle 0: no rising slope, the wave falls from B to A over every period.
        ShapeCase{"TriangleMiddle0", true, 0, 0, {1000, 500, 0, -500, 1000, 500, 0, -500}},
        // Middle 1: no falling slope, the wave rises from A towards B.
        ShapeCase{"TriangleMiddle1", true, 1, 0, {-1000, -500, 0, 500, -1000, -500, 0, 500}},
        ShapeCase{"TriangleStartQuarter", true, 0.5, 0.25, {0, 1000, 0, -1000, 0, 1000, 0, -1000}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BlockTriangle, TruncatesTriangleValues) {
    ErrorFlag error = 0;
    const MonoSound empty(3, 2);
    std::int32_t begin = 0;
    std::int32_t end = 0;
    // Three samples a period: phases 0, 1/3, 2/3 with the middle at 1/2.
    auto made = empty.BlockTriangle(&error, 100, 0, 1.0, 0.5, 1.0, 0, true, begin, end);
    ASSERT_TRUE(made);
    EXPECT_THAT(Samples(made->GetLeftWave()), ElementsAre(0, 66, 66));
}

TEST(BlockTriangle, ReplacesTheRangeInEveryChannel) {
    ErrorFlag error = 0;
    const StereoSound sound(MakeWave({1, 2, 3, 4, 5}), MakeWave({-1, -2, -3, -4, -5}), kRate, 2);
    std::int32_t begin = 1;
    std::int32_t end = 4;
    auto made = sound.BlockTriangle(&error, 7, -7, kPeriod, 0.5, 0.25, 0, false, begin, end);
    ASSERT_TRUE(made);
    EXPECT_EQ(begin, 1);
    EXPECT_EQ(end, 3);
    EXPECT_THAT(Samples(made->GetLeftWave()), ElementsAre(1, -7, -7, 5));
    EXPECT_THAT(Samples(made->GetRightWave()), ElementsAre(-1, -7, -7, -5));
    EXPECT_EQ(made->Freq, kRate);
    EXPECT_EQ(made->MoSt, 2);
}

TEST(BlockTriangle, PeriodOfFractionalSamplesKeepsItsPhase) {
    ErrorFlag error = 0;
    const MonoSound empty(10, 2);
    std::int32_t begin = 0;
    std::int32_t end = 0;
    // 2.5 samples a period: phases 0, 0.4, 0.8, 0.2, 0.6, 0, ...
    auto made = empty.BlockTriangle(&error, 1, -1, 0.25, 0.5, 1.0, 0, false, begin, end);
    ASSERT_TRUE(made);
    EXPECT_THAT(Samples(made->GetLeftWave()), ElementsAre(-1, -1, 1, -1, 1, -1, -1, 1, -1, 1));
}

TEST(BlockTriangleEnvelope, MiddleFollowsTheEnvelopeOfEachChannel) {
    ErrorFlag error = 0;
    const StereoSound empty(kRate, 2);
    // Left: the lowest sample puts the middle just below 0 (all second height); right: the
    // highest puts it just below 1 (all first height).
    const StereoSound envelope(MakeWave({-32768, -32768}), MakeWave({32767, 32767}), 100, 2);
    std::int32_t begin = 0;
    std::int32_t end = 0;
    auto made = empty.BlockTriangleEnvelope(&error, 1000, -1000, kPeriod, envelope, 0.5, 0, false,
                                            begin, end);
    ASSERT_TRUE(made);
    EXPECT_THAT(Samples(made->GetLeftWave()), ElementsAre(1000, 1000, 1000, 1000));
    EXPECT_THAT(Samples(made->GetRightWave()), ElementsAre(-1000, -1000, -1000, -1000));
}

TEST(BlockTriangleEnvelope, EnvelopeIsStretchedOverTheLength) {
    ErrorFlag error = 0;
    const MonoSound empty(kRate, 2);
    // From the middle just below 0 to just below 1 over the whole length.
    const MonoSound envelope(MakeWave({-32768, 32767}), 100, 2);
    std::int32_t begin = 0;
    std::int32_t end = 0;
    auto made =
        empty.BlockTriangleEnvelope(&error, 1, -1, kPeriod, envelope, 1.0, 0, false, begin, end);
    ASSERT_TRUE(made);
    // Middles about k / 7 at phases 0, .25, .5, .75, 0, ...: the phase is below the middle
    // (the first height) from sample 4 on.
    EXPECT_THAT(Samples(made->GetLeftWave()), ElementsAre(1, 1, 1, 1, -1, -1, -1, -1));
}

TEST(BlockTriangleEnvelope, MonoDocumentReadsTheMonoWaveOfAStereoEnvelope) {
    ErrorFlag error = 0;
    const MonoSound empty(kRate, 2);
    // The mean of both channels is 0: the middle is 0.5.
    const StereoSound envelope(MakeWave({-20000, -20000}), MakeWave({20000, 20000}), 100, 2);
    std::int32_t begin = 0;
    std::int32_t end = 0;
    auto made = empty.BlockTriangleEnvelope(&error, 1000, -1000, kPeriod, envelope, 0.5, 0, true,
                                            begin, end);
    ASSERT_TRUE(made);
    EXPECT_THAT(Samples(made->GetLeftWave()), ElementsAre(-1000, 0, 1000, 0));
}

TEST(BlockTriangle, LengthBeyondAWaveFailsLikeExhaustedMemory) {
    platform::RecordingMessageSink messages;
    ErrorFlag error = 0;
    const MonoSound empty(44100, 2);
    std::int32_t begin = 0;
    std::int32_t end = 0;
    EXPECT_FALSE(empty.BlockTriangle(&error, 1, -1, 0.001, 0.5, 1e6, 0, false, begin, end));
    EXPECT_TRUE(ErrorIsSet(&error));
    EXPECT_EQ(messages.Messages().size(), 1u);
}

}  // namespace
}  // namespace kalvora
