// The filters: low and high cascades, resonant and notch oscillators, block filters, and the
// checks that keep the oscillator's period at one sample or more.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>

#include "platform/recording_message_sink.h"
#include "sound/filter.h"
#include "sound/operation_arguments.h"
#include "sound/sound.h"
#include "wave_samples.h"

namespace kalvora {
namespace {

using ::testing::Each;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using testing::MakeWave;
using testing::Samples;

using Samples16 = std::vector<std::int16_t>;

MonoSound Mono(const Samples16& samples, std::int32_t freq) {
    return MonoSound(MakeWave(samples), freq, 2);
}

Samples16 Mid(const std::unique_ptr<Sound>& sound) {
    EXPECT_NE(sound, nullptr);
    return sound ? Samples(sound->GetLeftWave()) : Samples16{};
}

Samples16 Impulse(std::int32_t n, std::int16_t height) {
    Samples16 samples(n, 0);
    samples[0] = height;
    return samples;
}

Samples16 Sine(std::int32_t n, double period, double amplitude) {
    Samples16 samples(n);
    for (std::int32_t k = 0; k < n; ++k)
        samples[k] =
            static_cast<std::int16_t>(amplitude * std::sin(2 * std::numbers::pi * k / period));
    return samples;
}

// Sign changes from one non-zero sample to the next in [from, to).
int ZeroCrossings(const Samples16& samples, std::size_t from, std::size_t to) {
    int crossings = 0;
    int sign = 0;
    for (std::size_t k = from; k < to; ++k) {
        const int now = samples[k] > 0 ? 1 : samples[k] < 0 ? -1 : 0;
        if (now != 0 && sign != 0 && now != sign) ++crossings;
        if (now != 0) sign = now;
    }
    return crossings;
}

std::int32_t Peak(const Samples16& samples, std::size_t from, std::size_t to) {
    std::int32_t peak = 0;
    for (std::size_t k = from; k < to; ++k)
        peak = std::max(peak, std::abs(std::int32_t{samples[k]}));
    return peak;
}

class FilterTest : public ::testing::Test {
  protected:
    ErrorFlag error = 0;
    platform::RecordingMessageSink messages;
};

TEST_F(FilterTest, EnvelopeValuesMapOntoFrequenciesAndWidths) {
    EXPECT_DOUBLE_EQ(EnvelopeFrequency(-32768), 20);
    EXPECT_NEAR(EnvelopeFrequency(32767), 20000, 1e-9);
    EXPECT_DOUBLE_EQ(EnvelopeFrequency(-10922.9), EnvelopeFrequency(-10922));  // truncated
    EXPECT_DOUBLE_EQ(EnvelopeWidth(-32768), 0);
    EXPECT_DOUBLE_EQ(EnvelopeWidth(-16384), 0.25);
    EXPECT_DOUBLE_EQ(EnvelopeWidth(32767), 65535.0 / 65536);
}

TEST_F(FilterTest, LowFilterWithAShortPeriodPassesTheInputUnchanged) {
    // count 1, factor 0.5 and a period of at most 2·pi·0.5/sqrt(0.75) = 3.63 samples give
    // c = 0: the low filter outputs its input, the high filter silence.
    const Samples16 input = {0, 32767, -32768, 5, -5, 12345, 0, 1};
    const MonoSound mono = Mono(input, 100);
    EXPECT_THAT(Mid(mono.FilterChannels(&error, LowHighKind::low, 0.036, 0.5, 1, 1, 0, 8)),
                ElementsAreArray(input));
    EXPECT_THAT(Mid(mono.FilterChannels(&error, LowHighKind::high, 0.036, 0.5, 1, 1, 0, 8)),
                Each(0));
    EXPECT_EQ(error, 0);
}

TEST_F(FilterTest, HugeCountsThatPassTheInputThroughTakeNoLongerThanOnePass) {
    // A large count makes a close to 1 and so c = 0 even for long periods: a pass then
    // keeps its input (low) or silences it (high), and so does every later one.
    constexpr std::int32_t kHuge = 2'000'000'000;
    const Samples16 input = Sine(300, 29, 20000);
    const MonoSound mono = Mono(input, 1000);
    EXPECT_THAT(Mid(mono.FilterChannels(&error, LowHighKind::low, 0.05, 0.5, kHuge, kHuge, 0, 300)),
                ElementsAreArray(input));
    EXPECT_THAT(
        Mid(mono.FilterChannels(&error, LowHighKind::high, 0.05, 0.5, kHuge, kHuge, 0, 300)),
        Each(0));

    // With "Maximize Volume" the steps stop once one changes nothing: one more step leaves
    // the result as it is.
    LowHighRun run;
    run.period = 0.05;
    run.count = kHuge;
    run.maximizeVolume = true;
    auto settled = RunLowHigh(mono, &error, run, 0, 300);
    ASSERT_NE(settled, nullptr);
    auto again = settled->FilterChannels(&error, LowHighKind::low, 0.05, 0.5, kHuge, 1, 0, 300);
    again->MaxVolume70InPlace(&error, 0, 300);
    EXPECT_EQ(Mid(again), Mid(settled));
    EXPECT_EQ(error, 0);
}

TEST_F(FilterTest, HighFilterOfAConstantDecaysToZeroAndLowFilterRisesToIt) {
    const MonoSound dc = Mono(Samples16(200, 10000), 100);
    // Period 10 samples: c = 1 - 0.5·2·pi/(10·sqrt(0.75)) = 0.6372.
    const Samples16 high =
        Mid(dc.FilterChannels(&error, LowHighKind::high, 0.1, 0.5, 1, 1, 0, 200));
    EXPECT_EQ(high[0], 6372);
    for (std::size_t k = 1; k < high.size(); ++k)
        ASSERT_LE(high[k], high[k - 1]) << k;
    EXPECT_EQ(high.back(), 0);

    const Samples16 low = Mid(dc.FilterChannels(&error, LowHighKind::low, 0.1, 0.5, 1, 1, 0, 200));
    EXPECT_EQ(low[0], 3627);
    EXPECT_GE(low.back(), 9999);
    EXPECT_EQ(error, 0);
}

TEST_F(FilterTest, EveryPassAfterTheFirstReadsTheStoredOutputOfThePassBefore) {
    const Wave input = MakeWave(Sine(500, 37, 20000));
    const auto frequency = FilterFrequency::Constant(12.5);
    auto once = input.filterLowHigh(&error, LowHighKind::high, frequency, 0.3, 3, 1, 0, 500);
    auto twice = once->filterLowHigh(&error, LowHighKind::high, frequency, 0.3, 3, 1, 0, 500);
    auto both = input.filterLowHigh(&error, LowHighKind::high, frequency, 0.3, 3, 2, 0, 500);
    EXPECT_EQ(Samples(both), Samples(twice));
    EXPECT_NE(Samples(both), Samples(once));
}

TEST_F(FilterTest, AConstantFrequencyEnvelopeFiltersAsItsConstantPeriod) {
    const MonoSound noise = Mono(Sine(300, 7.3, 30000), 8000);
    const MonoSound envelope = Mono({-5000, -5000, -5000}, 100);
    const double period = 1 / EnvelopeFrequency(-5000);  // seconds
    for (const LowHighKind kind : {LowHighKind::low, LowHighKind::high}) {
        EXPECT_EQ(Mid(noise.FilterChannelsEnvelope(&error, kind, envelope, 0.5, 2, 2, 10, 290)),
                  Mid(noise.FilterChannels(&error, kind, period, 0.5, 2, 2, 10, 290)));
    }
    EXPECT_EQ(error, 0);
}

// Stereo sounds run both channels in one loop: each channel must come out exactly as it
// would on its own, with its own envelope channel.
TEST_F(FilterTest, StereoChannelsAreFilteredEachOnItsOwn) {
    const Samples16 left = Sine(300, 11, 20000);
    const Samples16 right = Sine(300, 5, -9000);
    const StereoSound stereo(MakeWave(left), MakeWave(right), 8000, 2);
    const Samples16 leftEnvelope = {-30000, -5000, 3000};
    const Samples16 rightEnvelope = {10000, -20000, 0};
    const StereoSound envelopes(MakeWave(leftEnvelope), MakeWave(rightEnvelope), 100, 2);
    using Filter = std::function<std::unique_ptr<Sound>(const Sound& sound, const Sound& envelope)>;
    const std::vector<std::pair<const char*, Filter>> filters = {
        {"low",
         [&](const Sound& s, const Sound&) {
             return s.FilterChannels(&error, LowHighKind::low, 0.002, 0.5, 2, 2, 10, 290);
         }},
        {"high envelope",
         [&](const Sound& s, const Sound& e) {
             return s.FilterChannelsEnvelope(&error, LowHighKind::high, e, 0.3, 1, 3, 0, 300);
         }},
        {"notch",
         [&](const Sound& s, const Sound&) {
             return s.ResNotch(&error, ResNotchKind::notch, 0.0011, 0.25, nullptr, nullptr, 0, 300);
         }},
        {"resonant frequency envelope",
         [&](const Sound& s, const Sound& e) {
             return s.ResNotch(&error, ResNotchKind::resonant, 0, 0.1, &e, nullptr, 5, 300);
         }},
        {"notch width envelope",
         [&](const Sound& s, const Sound& e) {
             return s.ResNotch(&error, ResNotchKind::notch, 0.003, 0, nullptr, &e, 0, 300);
         }},
        {"resonant both envelopes",
         [&](const Sound& s, const Sound& e) {
             return s.ResNotch(&error, ResNotchKind::resonant, 0, 0, &e, &e, 0, 300);
         }},
    };
    for (const auto& [name, filter] : filters) {
        SCOPED_TRACE(name);
        auto both = filter(stereo, envelopes);
        ASSERT_NE(both, nullptr);
        EXPECT_EQ(Samples(both->GetLeftWave()),
                  Mid(filter(Mono(left, 8000), Mono(leftEnvelope, 100))));
        EXPECT_EQ(Samples(both->GetRightWave()),
                  Mid(filter(Mono(right, 8000), Mono(rightEnvelope, 100))));
    }
    EXPECT_EQ(error, 0);
}

TEST_F(FilterTest, NotchOfSilenceIsSilence) {
    const MonoSound silence = Mono(Samples16(100, 0), 1000);
    EXPECT_THAT(
        Mid(silence.ResNotch(&error, ResNotchKind::notch, 0.01, 0.25, nullptr, nullptr, 0, 100)),
        Each(0));
}

TEST_F(FilterTest, ResonantFilterOfAnImpulseRingsAtItsPeriod) {
    // Period 50 samples, little damping: 20 sign changes in 500 samples.
    const MonoSound impulse = Mono(Impulse(1000, 30000), 1000);
    const Samples16 ring = Mid(
        impulse.ResNotch(&error, ResNotchKind::resonant, 0.05, 0.01, nullptr, nullptr, 0, 1000));
    EXPECT_NEAR(ZeroCrossings(ring, 100, 600), 20, 1);
    EXPECT_GT(Peak(ring, 900, 1000), 0);

    // With a frequency envelope the resonant filter takes 20 finer steps, the notch filter
    // 4: both ring at the envelope's period, 10000 / 632.5 = 15.8 samples.
    const MonoSound envelope = Mono({0}, 10000);
    const MonoSound fast = Mono(Impulse(1000, 30000), 10000);
    for (const ResNotchKind kind : {ResNotchKind::resonant, ResNotchKind::notch}) {
        const Samples16 response =
            Mid(fast.ResNotch(&error, kind, 0, 0.01, &envelope, nullptr, 0, 1000));
        EXPECT_NEAR(ZeroCrossings(response, 10, 300), 2 * 290 / 15.81, 1);
    }
    EXPECT_EQ(error, 0);
}

// The oscillator's impulse response, worked out from its formula: period P = 4 samples and
// width 0.5 give the damping e = (1 - 0.5)^(1/4) = 0.840896 and the coupling
// d = 2.466 / 4² = 0.154125. For the first sample x = 10000 the input term is
// (1 - e)·x = 1591.04, and four steps of y += d·v, v -= y, y = 1591.04 + e·y end at
// y = 4272.58. Any other damping or coupling changes these numbers.
TEST_F(FilterTest, ResonantAndNotchImpulseResponsesFollowTheirFormula) {
    const MonoSound impulse = Mono(Impulse(8, 10000), 1000);
    EXPECT_EQ(
        Mid(impulse.ResNotch(&error, ResNotchKind::resonant, 0.004, 0.5, nullptr, nullptr, 0, 8)),
        (Samples16{4272, -2048, -2011, 1146, 936, -630, -429, 341}));
    EXPECT_EQ(
        Mid(impulse.ResNotch(&error, ResNotchKind::notch, 0.004, 0.5, nullptr, nullptr, 0, 8)),
        (Samples16{5727, 2048, 2011, -1146, -936, 630, 429, -341}));
    EXPECT_EQ(error, 0);
}

// Envelopes that change over the range, with the expected output worked out step by step
// from the rules: the envelope's three values are read at positions 0, 0.25, .. 2 (nine
// output samples), interpolated and truncated.
TEST_F(FilterTest, RampEnvelopesChangeTheFilterSampleBySample) {
    // Frequency: -32768 .. -10920 is 20 Hz .. 200.1 Hz, at 1000 samples per second periods
    // of 50 .. 4.998 samples; with factor 0.5 and one section c = 1 - 3.6276 / P, so the
    // low filter follows a step of 10000 ever faster.
    const MonoSound step = Mono(Samples16(9, 10000), 1000);
    const MonoSound rising = Mono({-32768, -21844, -10920}, 100);
    EXPECT_EQ(Mid(step.FilterChannelsEnvelope(&error, LowHighKind::low, rising, 0.5, 1, 1, 0, 9)),
              (Samples16{725, 1622, 2703, 3959, 5345, 6769, 8087, 9128, 9760}));
    EXPECT_EQ(Mid(step.FilterChannelsEnvelope(&error, LowHighKind::high, rising, 0.5, 1, 1, 0, 9)),
              (Samples16{9274, 8377, 7296, 6040, 4654, 3230, 1912, 871, 239}));

    // Width: 0 .. -32768 is 0.5 .. 0 in steps of 0.0625; P = 4 samples. Two impulses, the
    // second one met by a narrower resonator.
    const MonoSound impulses = Mono({10000, 0, 0, 0, -10000, 0, 0, 0, 0}, 1000);
    const MonoSound narrowing = Mono({0, -16384, -32768}, 100);
    EXPECT_EQ(
        Mid(impulses.ResNotch(&error, ResNotchKind::resonant, 0.004, 0, nullptr, &narrowing, 0, 9)),
        (Samples16{4272, -2091, -2483, 1493, -380, -242, 331, 216, -326}));
    EXPECT_EQ(
        Mid(impulses.ResNotch(&error, ResNotchKind::notch, 0.004, 0, nullptr, &narrowing, 0, 9)),
        (Samples16{5727, 2091, 2483, -1493, -9619, 242, -331, -216, 326}));
    EXPECT_EQ(error, 0);
}

TEST_F(FilterTest, NotchRemovesItsFrequencyAndResonantKeepsIt) {
    const MonoSound tone = Mono(Sine(4000, 50, 10000), 1000);
    const Samples16 notched =
        Mid(tone.ResNotch(&error, ResNotchKind::notch, 0.05, 0.25, nullptr, nullptr, 0, 4000));
    const Samples16 resonant =
        Mid(tone.ResNotch(&error, ResNotchKind::resonant, 0.05, 0.25, nullptr, nullptr, 0, 4000));
    EXPECT_LT(Peak(notched, 3000, 4000), Peak(resonant, 3000, 4000) / 4);
}

TEST_F(FilterTest, AConstantWidthEnvelopeFiltersAsItsConstantWidth) {
    const MonoSound tone = Mono(Sine(400, 23, 10000), 1000);
    const MonoSound quarter = Mono({-16384, -16384}, 1000);  // width 0.25
    for (const ResNotchKind kind : {ResNotchKind::resonant, ResNotchKind::notch}) {
        EXPECT_EQ(Mid(tone.ResNotch(&error, kind, 0.02, 0, nullptr, &quarter, 0, 400)),
                  Mid(tone.ResNotch(&error, kind, 0.02, 0.25, nullptr, nullptr, 0, 400)));
    }
}

TEST_F(FilterTest, ResonatorPeriodsMustLastASampleOrMore) {
    EXPECT_TRUE(ResonatorPeriodFits(44100, 1.0 / 44100));
    EXPECT_FALSE(ResonatorPeriodFits(44100, 1.0 / 50000));
    EXPECT_TRUE(ResonatorPeriodFits(44100, 0.001));

    const MonoSound target = Mono(Samples16(10, 0), 8000);
    // Up to 20 kHz: too high for 8000 samples per second.
    EXPECT_FALSE(ResonatorEnvelopeFits(&error, target, Mono({-32768, 32767}, 100)));
    // Up to 20·10^(22768/21845) = 220 Hz.
    EXPECT_TRUE(ResonatorEnvelopeFits(&error, target, Mono({-32768, -10000}, 100)));
    // A stereo envelope is averaged for a mono sound, as when it filters.
    const StereoSound stereo(MakeWave({32767, -32768}), MakeWave({-32768, 32767}), 100, 2);
    EXPECT_TRUE(ResonatorEnvelopeFits(&error, target, stereo));
    const StereoSound stereoTarget(MakeWave({0}), MakeWave({0}), 8000, 2);
    EXPECT_FALSE(ResonatorEnvelopeFits(&error, stereoTarget, stereo));
    EXPECT_EQ(error, 0);
}

TEST_F(FilterTest, BlockFilterFadesInAndOutOverItsExtension) {
    const MonoSound flat = Mono(Samples16(10, 300), 1000);
    std::int32_t begin = 0;
    std::int32_t end = 10;
    // x = 3: 14 samples, half the mean of the last three input samples.
    EXPECT_THAT(Mid(flat.BlockFilter(&error, 0.003, begin, end)),
                ElementsAre(0, 50, 100, 150, 150, 150, 150, 150, 150, 150, 150, 100, 50, 0));
    EXPECT_EQ(end, 14);
    // x = -3: the window looks ahead instead.
    begin = 0;
    end = 10;
    EXPECT_THAT(Mid(flat.BlockFilter(&error, -0.003, begin, end)),
                ElementsAre(50, 100, 150, 150, 150, 150, 150, 150, 150, 150, 100, 50, 0, 0));
    EXPECT_EQ(end, 14);
    EXPECT_EQ(error, 0);
}

TEST_F(FilterTest, BlockFilterEnvelopeExtendsBothEndsByTheSizeOfTheTime) {
    const MonoSound flat = Mono(Samples16(10, 300), 1000);
    const MonoSound full = Mono({32767}, 100);
    // A full envelope gives windows of x samples: the constant form's output, framed by
    // A = 4 samples on either side.
    std::int32_t begin = 0;
    std::int32_t end = 10;
    EXPECT_THAT(
        Mid(flat.BlockFilterEnvelope(&error, full, 0.003, begin, end)),
        ElementsAre(0, 50, 100, 150, 150, 150, 150, 150, 150, 150, 150, 100, 50, 0, 0, 0, 0, 0));
    EXPECT_EQ(end, 18);
    // A negative time grows the wave just as much (it used to shrink it).
    begin = 0;
    end = 10;
    EXPECT_THAT(
        Mid(flat.BlockFilterEnvelope(&error, full, -0.003, begin, end)),
        ElementsAre(0, 0, 0, 0, 50, 100, 150, 150, 150, 150, 150, 150, 150, 150, 100, 50, 0, 0));
    EXPECT_EQ(end, 18);
    // Where the window is a sample or less the output is half the input, A samples later.
    begin = 0;
    end = 4;
    EXPECT_THAT(Mid(Mono({100, 200, 300, 400}, 1000)
                        .BlockFilterEnvelope(&error, Mono({0, 0}, 100), 0.0025, begin, end)),
                ElementsAre(0, 0, 0, 50, 100, 150, 200, 0, 0, 0));
    EXPECT_EQ(end, 10);
    EXPECT_EQ(error, 0);
}

TEST_F(FilterTest, MaximizeVolumeRenormalisesBeforeBetweenAndAfterThePasses) {
    const MonoSound tone = Mono(Sine(500, 9, 3000), 1000);
    LowHighRun run;
    run.kind = LowHighKind::high;
    run.period = 0.02;
    run.factor = 0.5;
    run.count = 2;
    run.maximizeVolume = true;
    auto maximized = RunLowHigh(tone, &error, run, 0, 500);

    auto expected = tone.MaxVolume70(&error, 0, 500);
    for (int pass = 0; pass < 2; ++pass) {
        expected = expected->FilterChannels(&error, LowHighKind::high, 0.02, 0.5, 2, 1, 0, 500);
        expected->MaxVolume70InPlace(&error, 0, 500);
    }
    EXPECT_EQ(Mid(maximized), Samples(expected->GetLeftWave()));
    EXPECT_EQ(Peak(Mid(maximized), 0, 500), 22936);  // 0.7·32767

    run.maximizeVolume = false;
    EXPECT_EQ(Mid(RunLowHigh(tone, &error, run, 0, 500)),
              Mid(tone.FilterChannels(&error, LowHighKind::high, 0.02, 0.5, 2, 2, 0, 500)));
    EXPECT_EQ(error, 0);
}

TEST_F(FilterTest, NothingHappensWithTheFlagSet) {
    const MonoSound mono = Mono({1, 2, 3}, 100);
    error = 1;
    std::int32_t begin = 0;
    std::int32_t end = 3;
    EXPECT_EQ(mono.FilterChannels(&error, LowHighKind::low, 0.1, 0.5, 1, 1, 0, 3), nullptr);
    EXPECT_EQ(mono.FilterChannelsEnvelope(&error, LowHighKind::low, mono, 0.5, 1, 1, 0, 3),
              nullptr);
    EXPECT_EQ(mono.ResNotch(&error, ResNotchKind::notch, 0.1, 0.5, &mono, &mono, 0, 3), nullptr);
    EXPECT_EQ(mono.BlockFilter(&error, 0.1, begin, end), nullptr);
    EXPECT_EQ(mono.BlockFilterEnvelope(&error, mono, 0.1, begin, end), nullptr);
    EXPECT_EQ(end, 3);
    LowHighRun run;
    run.maximizeVolume = true;
    EXPECT_EQ(RunLowHigh(mono, &error, run, 0, 3), nullptr);
}

}  // namespace
}  // namespace kalvora
