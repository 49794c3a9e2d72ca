// The dice and the random echo.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "sound/dicer.h"
#include "sound/random_echo.h"
#include "sound/random_source.h"
#include "sound/sound.h"
#include "wave_samples.h"

namespace kalvora {
namespace {

using ::testing::Each;
using ::testing::ElementsAre;
using testing::Mono;
using testing::Ramp;
using testing::Samples;
using testing::Stereo;

using Samples16 = std::vector<std::int16_t>;

// A source that always gives the same value.
std::function<int()> Always(int value) {
    return [value] { return value; };
}

// A source counting start, start + 1, ...
std::function<int()> Counting(int start = 0) {
    return [next = start]() mutable { return next++ % 32768; };
}

TEST(DicerTest, ADieIsMadeOfTwoSuccessiveValues) {
    Dicer dicer(Counting());
    dicer.Roll();
    for (int d = 0; d < Dicer::DICES; ++d)
        EXPECT_EQ(dicer.Die(d), 2 * d * 32768 + 2 * d + 1) << d;
    dicer.Roll();
    EXPECT_EQ(dicer.Die(0), 12 * 32768 + 13);
}

TEST(DicerTest, ValueRunsFromBToAAndTheLargestDieLeadsPastA) {
    Dicer zero(Always(0));
    zero.Roll();
    EXPECT_EQ(zero.Value(3, 10, -2), -2);
    Dicer largest(Always(RandomSource::kMaximum));
    largest.Roll();
    const double value = largest.Value(5, 1, 0);
    EXPECT_GT(value, 1);
    EXPECT_LT(value, 1.0001);
}

TEST(DicerTest, EqualSeedsGiveEqualDice) {
    RandomSource source;
    Dicer first(source, 7);
    first.Roll();
    const std::int32_t die = first.Die(2);
    source.Next();
    Dicer again(source, 7);
    again.Roll();
    EXPECT_EQ(again.Die(2), die);
}

// One sample per hundredth of a second, so that a time difference of 1 s is M = 100.
constexpr std::int32_t kRate = 100;

RandomEchoSettings OneEcho(double timeDifference) {
    RandomEchoSettings settings;
    settings.count = 1;
    settings.timeDifference = timeDifference;
    return settings;
}

TEST(RandomEchoTest, AnUnchangedEchoLandsAtTheDrawnTime) {
    const MonoSound sound = Mono({1, 2, 3, 4}, kRate);
    Dicer dicer(Always(16384));  // every value just above one half
    ErrorFlag error = 0;
    const auto result = RandomEcho(&error, sound, OneEcho(1.0), dicer);
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->MoSt, 1);
    // n + M + 1 + Freq/3400 = 4 + 100 + 1 + 0.03
    ASSERT_EQ(result->GetValues(), 105);
    const Samples16 out = Samples(result->GetLeftWave());
    // t = 0.50003·trunc(M) = 50.003
    EXPECT_THAT(Samples16(out.begin() + 50, out.begin() + 54), ElementsAre(1, 2, 3, 4));
    EXPECT_EQ(std::count(out.begin(), out.end(), 0), 101);
}

TEST(RandomEchoTest, ManipulationsReadingOneDieMoveTogether) {
    const MonoSound sound = Mono(Samples16(5, 10000), kRate);
    RandomEchoSettings settings = OneEcho(1.0);
    settings.volume = {RandomEchoDraw::linear, nullptr, 0};
    settings.time = {RandomEchoDraw::linear, nullptr, 0};
    Dicer dicer(Counting(20000));
    Dicer twin(Counting(20000));
    twin.Roll();
    const double u = twin.Value(0, 1, 0);
    ErrorFlag error = 0;
    const auto result = RandomEcho(&error, sound, settings, dicer);
    ASSERT_NE(result, nullptr);
    const Samples16 out = Samples(result->GetLeftWave());
    const auto first = std::find_if(out.begin(), out.end(), [](std::int16_t s) { return s != 0; });
    ASSERT_NE(first, out.end());
    EXPECT_EQ(first - out.begin(), static_cast<std::int32_t>(u * 100));
    EXPECT_EQ(*first, static_cast<std::int16_t>(10000 * u));
}

TEST(RandomEchoTest, TheSameSeedGivesTheSameEchoes) {
    const MonoSound sound = Mono(Ramp(300, 97), 8000);
    const MonoSound shape = Mono({-32768, -1000, 20000, 32767}, 8000);
    RandomEchoSettings settings;
    settings.count = 6;
    settings.timeDifference = 0.05;
    settings.time = {RandomEchoDraw::envelope, &shape, 0};
    settings.volume = {RandomEchoDraw::linear, nullptr, 1};
    settings.length = {RandomEchoDraw::envelope, &shape, 2};
    settings.balance = {RandomEchoDraw::envelope, &shape, 3};
    settings.pitch = {RandomEchoDraw::envelope, &shape, 4};
    settings.tempo = {RandomEchoDraw::envelope, &shape, 5};
    settings.quality = 1;
    settings.blockSize = 0.004;
    auto run = [&](std::uint32_t seed) {
        Dicer dicer(SharedRandomSource(), seed);
        ErrorFlag error = 0;
        auto result = RandomEcho(&error, sound, settings, dicer);
        EXPECT_EQ(error, 0);
        return result ? Samples(result->GetLeftWave()) : Samples16{};
    };
    const Samples16 first = run(42);
    ASSERT_FALSE(first.empty());
    EXPECT_EQ(run(42), first);
    EXPECT_NE(run(43), first);
}

TEST(RandomEchoTest, CyclableKeepsMPlusOneSamplesAndWrapsAroundTheStart) {
    // M = 99.999: 100 samples. The largest die leads past M, to 100.005: the echo is held
    // at the last sample and its rest wraps to the start.
    const MonoSound sound = Mono(Ramp(10, 1), 1000);
    RandomEchoSettings settings = OneEcho(0.099999);
    settings.cyclable = true;
    Dicer dicer(Always(RandomSource::kMaximum));
    ErrorFlag error = 0;
    const auto result = RandomEcho(&error, sound, settings, dicer);
    ASSERT_NE(result, nullptr);
    ASSERT_EQ(result->GetValues(), 100);
    const Samples16 out = Samples(result->GetLeftWave());
    EXPECT_EQ(out[99], 0);
    EXPECT_THAT(Samples16(out.begin(), out.begin() + 10),
                ElementsAre(1, 2, 3, 4, 5, 6, 7, 8, 9, 0));
}

TEST(RandomEchoTest, CyclableEchoesLongerThanTheResultWrapMoreThanOnce) {
    const MonoSound sound = Mono(Samples16(10, 100), kRate);
    RandomEchoSettings settings = OneEcho(0.03);  // M = 3: 4 samples
    settings.cyclable = true;
    Dicer dicer(Always(0));
    ErrorFlag error = 0;
    const auto result = RandomEcho(&error, sound, settings, dicer);
    ASSERT_NE(result, nullptr);
    EXPECT_THAT(Samples(result->GetLeftWave()), ElementsAre(300, 300, 200, 200));
}

TEST(RandomEchoTest, ATinyTimeDifferenceWithBalanceStaysInsideTheResult) {
    // The balance takes Freq/3400 samples of room: below zero here, and the largest die
    // leads further; the echo is placed at the start.
    const MonoSound sound = Mono(Ramp(50, 300), 44100);
    for (const bool cyclable : {false, true}) {
        RandomEchoSettings settings = OneEcho(0.00001);
        settings.count = 3;
        settings.cyclable = cyclable;
        settings.balance = {RandomEchoDraw::linear, nullptr, 3};
        Dicer dicer(Always(RandomSource::kMaximum));
        ErrorFlag error = 0;
        const auto result = RandomEcho(&error, sound, settings, dicer);
        ASSERT_NE(result, nullptr);
        EXPECT_EQ(result->MoSt, 2);
        EXPECT_EQ(result->GetValues(), cyclable ? 1 : 64) << cyclable;
    }
}

TEST(RandomEchoTest, ALengthOfMinusOneReversesTheEcho) {
    const MonoSound sound = Mono({1, 2, 3}, kRate);
    const MonoSound backwards = Mono({-32768}, kRate);
    RandomEchoSettings settings = OneEcho(0.0);
    settings.length = {RandomEchoDraw::envelope, &backwards, 2};
    Dicer dicer(Always(0));
    ErrorFlag error = 0;
    const auto result = RandomEcho(&error, sound, settings, dicer);
    ASSERT_NE(result, nullptr);
    EXPECT_THAT(Samples(result->GetLeftWave()), ElementsAre(3, 2, 1, 0));
}

TEST(RandomEchoTest, ATempoOfZeroLeavesTheEchoOut) {
    const MonoSound sound = Mono({500, 600, 700}, 1000);
    // Halfway between -1 and 0 the envelope maps to a tempo of exactly 0.
    const MonoSound still = Mono({-1, 0}, 1000);
    RandomEchoSettings settings = OneEcho(0.0);
    settings.tempo = {RandomEchoDraw::envelope, &still, 5};
    // Dice of 16383·32768 + 16384: the place 1/2.
    Dicer dicer([next = 0]() mutable { return next++ % 2 == 0 ? 16383 : 16384; });
    ErrorFlag error = 0;
    auto result = RandomEcho(&error, sound, settings, dicer);
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->GetValues(), 4);
    EXPECT_THAT(Samples(result->GetLeftWave()), Each(0));
}

TEST(RandomEchoTest, StereoSoundsEchoBothChannels) {
    const StereoSound sound = Stereo({100, 200}, {-100, -200}, kRate);
    Dicer dicer(Always(0));
    ErrorFlag error = 0;
    const auto result = RandomEcho(&error, sound, OneEcho(0.02), dicer);
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->MoSt, 2);
    EXPECT_THAT(Samples(result->GetRightWave()), ElementsAre(-100, -200, 0, 0, 0));
}

TEST(RandomEchoTest, ASetFlagGivesNothing) {
    const MonoSound sound = Mono({1, 2}, kRate);
    Dicer dicer(Always(0));
    ErrorFlag error = 1;
    EXPECT_EQ(RandomEcho(&error, sound, OneEcho(1.0), dicer), nullptr);
}

}  // namespace
}  // namespace kalvora
