// The generators of silence, lines and noise, on waves and on sounds.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

#include "platform/recording_message_sink.h"
#include "sound/random_source.h"
#include "sound/sound.h"
#include "wave_samples.h"

namespace kalvora {
namespace {

using ::testing::Each;
using ::testing::ElementsAre;
using testing::MakeWave;
using testing::Samples;

using Samples16 = std::vector<std::int16_t>;

class GeneratorTest : public ::testing::Test {
  protected:
    ErrorFlag error = 0;
    platform::RecordingMessageSink messages;
};

StereoSound Stereo(const Samples16& left, const Samples16& right, std::int32_t freq) {
    return StereoSound(MakeWave(left), MakeWave(right), freq, 2);
}

TEST_F(GeneratorTest, SilenceOfATenthOfASecondAt44100HzInserts4411Zeros) {
    const StereoSound sound = Stereo({1, 2, 3}, {4, 5, 6}, 44100);
    std::int32_t begin = 1;
    std::int32_t end = 1;
    auto result = sound.InsertSilence(&error, 0.1, begin, end);
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(begin, 1);
    EXPECT_EQ(end, 4412);
    EXPECT_EQ(result->GetValues(), 3 + 4411);
    for (const Wave* wave : {&result->GetLeftWave(), &result->GetRightWave()}) {
        const Samples16 samples = Samples(*wave);
        EXPECT_EQ(samples.front(), wave == &result->GetLeftWave() ? 1 : 4);
        EXPECT_THAT(Samples16(samples.begin() + 1, samples.begin() + 4412), Each(0));
        EXPECT_EQ(samples[4412], wave == &result->GetLeftWave() ? 2 : 5);
    }
}

TEST_F(GeneratorTest, GeneratingOverASelectionReplacesExactlyTheSelectedSamples) {
    const MonoSound sound(MakeWave({1, 2, 3, 4, 5, 6}), 10, 2);
    std::int32_t begin = 1;
    std::int32_t end = 5;
    auto result = sound.InsertSilence(&error, 0.1, begin, end);  // n = 2
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(end, 3);
    EXPECT_EQ(result->GetValues(), 6 + 2 - (5 - 1));
    EXPECT_THAT(Samples(result->GetLeftWave()), ElementsAre(1, 0, 0, 6));
    EXPECT_THAT(Samples(sound.WaveMiddle), ElementsAre(1, 2, 3, 4, 5, 6));  // untouched
}

TEST_F(GeneratorTest, ALinearLineOfOneSampleGivesItsTwoEndValues) {
    const MonoSound sound(MakeWave({7, 8}), 44100, 2);
    std::int32_t begin = 1;
    std::int32_t end = 1;
    auto result = sound.Line(&error, 16383, -16384, 0.0, false, begin, end);
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(end, 3);
    EXPECT_THAT(Samples(result->GetLeftWave()), ElementsAre(7, 16383, -16384, 8));
}

TEST_F(GeneratorTest, ALinearLineRunsFromBeginToEndValueInclusive) {
    const MonoSound sound(10, 2);
    std::int32_t begin = 0;
    std::int32_t end = 0;
    auto result = sound.Line(&error, 0, 100, 1.0, false, begin, end);  // n = 11
    ASSERT_NE(result, nullptr);
    EXPECT_THAT(Samples(result->GetLeftWave()),
                ElementsAre(0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100));
    // Values are truncated toward zero.
    begin = end = 0;
    result = sound.Line(&error, 0, -1, 0.2, false, begin, end);  // n = 3, step -0.5
    EXPECT_THAT(Samples(result->GetLeftWave()), ElementsAre(0, 0, -1));
}

TEST_F(GeneratorTest, ALongLineCrossesTheRunsWithoutLosingItsEnd) {
    const MonoSound sound(1000, 2);
    std::int32_t begin = 0;
    std::int32_t end = 0;
    auto result = sound.Line(&error, -30000, 30000, 2.5, false, begin, end);  // n = 2501
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(end, 2501);
    EXPECT_EQ(result->GetLeftWave().wave[0], -30000);
    EXPECT_EQ(result->GetLeftWave().wave[1250], 0);
    EXPECT_NEAR(result->GetLeftWave().wave[2500], 30000, 1);
}

TEST_F(GeneratorTest, AnExponentialLineMultipliesAndStopsShortOfTheEndValue) {
    const StereoSound sound(10, 2);
    for (const double sign : {1.0, -1.0}) {
        std::int32_t begin = 0;
        std::int32_t end = 0;
        // n = 2: r = (256 / 16)^(1/2) = 4, so 16, 64 and never 256.
        auto result = sound.Line(&error, sign * 16, sign * 256, 0.1, true, begin, end);
        ASSERT_NE(result, nullptr);
        EXPECT_THAT(Samples(result->GetRightWave()), ElementsAre(sign * 16, sign * 64));
    }
    std::int32_t begin = 0;
    std::int32_t end = 0;
    auto result = sound.Line(&error, 1000, 2000, 1.0, true, begin, end);  // n = 11
    const Samples16 samples = Samples(result->GetLeftWave());
    EXPECT_EQ(samples.front(), 1000);
    EXPECT_EQ(samples.back(), static_cast<int>(1000 * std::pow(2.0, 10.0 / 11)));
    EXPECT_LT(samples.back(), 2000);
}

TEST_F(GeneratorTest, NoiseScalesTheSharedSequenceByTheVolume) {
    const StereoSound sound(Stereo({1, 2}, {3, 4}, 100));
    SharedRandomSource().Seed(77);
    RandomSource reference(77);
    std::int32_t begin = 1;
    std::int32_t end = 1;
    auto result = sound.Noise(&error, 8192, 0.05, begin, end);  // n = 5
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(end, 6);
    // The left channel draws first, then the right one.
    for (const Wave* wave : {&result->GetLeftWave(), &result->GetRightWave()}) {
        for (int k = 1; k <= 5; ++k) {
            const double r = reference.Next();
            EXPECT_EQ(wave->wave[k], static_cast<int>(0.5 * (r - 16384))) << k;
        }
    }
    EXPECT_EQ(result->GetLeftWave().wave[6], 2);
    EXPECT_EQ(result->GetRightWave().wave[0], 3);
}

TEST_F(GeneratorTest, NoiseShorterThanOneSampleRemovesTheSelection) {
    const MonoSound sound(MakeWave({1, 2, 3, 4}), 100, 2);
    std::int32_t begin = 1;
    std::int32_t end = 3;
    auto result = sound.Noise(&error, 16383, 0.005, begin, end);
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(end, 1);
    EXPECT_THAT(Samples(result->GetLeftWave()), ElementsAre(1, 4));
}

TEST_F(GeneratorTest, NoiseOfFullVolumeStaysInsideTheSampleRange) {
    const MonoSound sound(44100, 2);
    std::int32_t begin = 0;
    std::int32_t end = 0;
    auto result = sound.Noise(&error, 16384, 1.0, begin, end);
    ASSERT_NE(result, nullptr);
    const Samples16 samples = Samples(result->GetLeftWave());
    ASSERT_EQ(samples.size(), 44100u);
    double sum = 0;
    for (std::int16_t s : samples)
        sum += s;
    EXPECT_GE(*std::min_element(samples.begin(), samples.end()), -16384);
    EXPECT_LE(*std::max_element(samples.begin(), samples.end()), 16383);
    EXPECT_NEAR(sum / samples.size(), 0, 300);
}

TEST_F(GeneratorTest, ASetFlagOrAnImpossibleLengthGivesNoSound) {
    const MonoSound sound(MakeWave({1}), 44100, 2);
    std::int32_t begin = 0;
    std::int32_t end = 0;
    ErrorFlag set = 1;
    EXPECT_EQ(sound.InsertSilence(&set, 1.0, begin, end), nullptr);
    EXPECT_EQ(end, 0);
    EXPECT_TRUE(messages.Messages().empty());

    EXPECT_EQ(sound.Line(&error, 1, 2, 1e6, false, begin, end), nullptr);
    EXPECT_TRUE(ErrorIsSet(&error));
    EXPECT_EQ(end, 0);
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(messages.Messages()[0].caption, "System Error");
}

TEST(RandomSourceTest, EqualSeedsGiveEqualSequencesInsideTheRange) {
    RandomSource a(5);
    RandomSource b(6);
    std::vector<int> first;
    bool differs = false;
    for (int i = 0; i < 1000; ++i) {
        const int value = a.Next();
        first.push_back(value);
        differs = differs || value != b.Next();
        EXPECT_GE(value, 0);
        EXPECT_LE(value, RandomSource::kMaximum);
    }
    EXPECT_TRUE(differs);
    a.Seed(5);
    for (int expected : first)
        EXPECT_EQ(a.Next(), expected);
}

}  // namespace
}  // namespace kalvora
