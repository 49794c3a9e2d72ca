// Speed of the simple operations and the filters on one minute of 44.1 kHz stereo noise,
// each over the whole sound, reported as samples per second (both channels counted) and as
// a ratio to memcpy of the sound's sample bytes measured in the same run.
#include <benchmark/benchmark.h>

#include <cstring>
#include <ctime>
#include <functional>
#include <memory>
#include <random>
#include <vector>

#include "bench_timing.h"
#include "sound/operation_arguments.h"
#include "sound/sound.h"

namespace kalvora {
namespace {

constexpr std::int32_t kRate = 44100;
constexpr std::int32_t kFrames = kRate * 60;
constexpr std::int64_t kSamples = std::int64_t{kFrames} * 2;
constexpr std::size_t kSampleBytes = static_cast<std::size_t>(kSamples) * 2;

Wave NoiseWave(std::uint32_t seed, std::int32_t frames, int shift) {
    ErrorFlag error = 0;
    Wave wave(&error, frames);
    std::mt19937 generator(seed);
    for (std::int32_t i = 0; i < frames; ++i)
        wave.wave[i] = static_cast<std::int16_t>(static_cast<std::int16_t>(generator()) >> shift);
    return wave;
}

const StereoSound& Noise() {
    static const StereoSound sound(NoiseWave(1, kFrames, 1), NoiseWave(2, kFrames, 1), kRate, 2);
    return sound;
}

// A slowly varying envelope of a few thousand samples, like a drawn one.
const MonoSound& Envelope() {
    static const MonoSound sound = [] {
        ErrorFlag error = 0;
        Wave wave(&error, 4000);
        for (std::int32_t i = 0; i < wave.values; ++i)
            wave.wave[i] = static_cast<std::int16_t>(-20000 + i * 10);
        return MonoSound(std::move(wave), kRate, 2);
    }();
    return sound;
}

// Copying the sound's sample bytes: the reference of the "x_memcpy" counter.
double MemcpySeconds() {
    static const double seconds = FastestMemcpySeconds(kSampleBytes);
    return seconds;
}

using Operation =
    std::function<std::unique_ptr<Sound>(const Sound&, ErrorFlag*, std::int32_t&, std::int32_t&)>;

// Runs the operation over the whole sound once per iteration.
void Measure(benchmark::State& state, const Operation& operation) {
    const double reference = MemcpySeconds();
    Noise();
    Envelope();
    double total = 0;
    for (auto _ : state) {
        ErrorFlag error = 0;
        std::int32_t begin = 0;
        std::int32_t end = kFrames;
        const double start = ThreadSeconds();
        auto result = operation(Noise(), &error, begin, end);
        total += ThreadSeconds() - start;
        if (!result || error) state.SkipWithError("operation failed");
        benchmark::DoNotOptimize(result.get());
        state.PauseTiming();
        result.reset();
        state.ResumeTiming();
    }
    const double perIteration = total / static_cast<double>(state.iterations());
    state.counters["samples/s"] = static_cast<double>(kSamples) / perIteration;
    state.counters["x_memcpy"] = perIteration / reference;
}

#define KALVORA_OPERATION(name, body)                                     \
    void BM_##name(benchmark::State& state) {                             \
        Measure(state,                                                    \
                [](const Sound& s, ErrorFlag* e, std::int32_t& b,         \
                   std::int32_t& n) -> std::unique_ptr<Sound> { body; }); \
    }                                                                     \
    BENCHMARK(BM_##name)->Unit(benchmark::kMillisecond)

// Copies the sound, as a floor for every operation that makes a new one.
KALVORA_OPERATION(Extract, return s.Extract(e, b, n));
KALVORA_OPERATION(Scale, return s.Scale(e, 0.5, b, n));
KALVORA_OPERATION(ScaleByEnvelope, return s.ScaleByEnvelope(e, Envelope(), b, n));
KALVORA_OPERATION(MaxVolume, return s.MaxVolume(e, b, n));
KALVORA_OPERATION(Reverse, return s.Reverse(e, b, n));
KALVORA_OPERATION(MoveVertically, return s.MoveVertically(e, 1000, b, n));
KALVORA_OPERATION(NormalizeVertically, return s.NormalizeVertically(e, b, n));
KALVORA_OPERATION(BlockCount, return s.Block(e, 0.01, 20, b, n));
KALVORA_OPERATION(BlockLevelsOnly, return s.Block(e, 0, 9, b, n));
KALVORA_OPERATION(Rotate, return s.Rotate(e, 17.3, b, n));
KALVORA_OPERATION(RollIn, return s.RollIn(e, 7.0, 1000, b, n));
KALVORA_OPERATION(RollOut, return s.RollOut(e, 60.0 / 1.3, 1.3, 0, b, n));
KALVORA_OPERATION(RollOutEnvelope, return s.RollOutEnvelope(e, Envelope(), 1, 1, 0, b, n));
KALVORA_OPERATION(Length, return s.Length(e, 0.77, b, n));
KALVORA_OPERATION(LengthReverse, return s.Length(e, -1, b, n));
KALVORA_OPERATION(Distort, return s.Distort(e, Envelope(), b, n));
KALVORA_OPERATION(FilterLow, return s.FilterChannels(e, LowHighKind::low, 0.001, 0.5, 1, 1, b, n));
KALVORA_OPERATION(FilterHigh,
                  return s.FilterChannels(e, LowHighKind::high, 0.001, 0.5, 1, 1, b, n));
KALVORA_OPERATION(FilterLowCount4,
                  return s.FilterChannels(e, LowHighKind::low, 0.001, 0.5, 4, 4, b, n));
KALVORA_OPERATION(FilterLowEnvelope, return s.FilterChannelsEnvelope(e, LowHighKind::low,
                                                                     Envelope(), 0.5, 1, 1, b, n));
KALVORA_OPERATION(FilterLowMaximized, {
    LowHighRun run;
    run.count = 2;
    run.maximizeVolume = true;
    return RunLowHigh(s, e, run, b, n);
});
KALVORA_OPERATION(FilterResonant, return s.ResNotch(e, ResNotchKind::resonant, 0.001, 0.25, nullptr,
                                                    nullptr, b, n));
KALVORA_OPERATION(FilterNotch,
                  return s.ResNotch(e, ResNotchKind::notch, 0.001, 0.25, nullptr, nullptr, b, n));
KALVORA_OPERATION(FilterResonantFrequencyEnvelope,
                  return s.ResNotch(e, ResNotchKind::resonant, 0, 0.25, &Envelope(), nullptr, b,
                                    n));
KALVORA_OPERATION(FilterNotchBothEnvelopes,
                  return s.ResNotch(e, ResNotchKind::notch, 0, 0, &Envelope(), &Envelope(), b, n));
KALVORA_OPERATION(BlockFilter, return s.BlockFilter(e, 0.01, b, n));
KALVORA_OPERATION(BlockFilterEnvelope, return s.BlockFilterEnvelope(e, Envelope(), 0.01, b, n));

}  // namespace
}  // namespace kalvora

BENCHMARK_MAIN();
