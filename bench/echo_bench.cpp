// Speed of the echoes. PeriodEcho over one minute of 44.1 kHz stereo noise (five echoes
// 0.1 s apart, each half as loud as the one before, the setting bench/compare-echo gives
// sox; and the envelope variants), reported as samples per second (both channels counted);
// RandomEcho of 20 copies of a 10 s stereo sound, plain and with every manipulation drawn.
#include <benchmark/benchmark.h>

#include <functional>
#include <memory>
#include <random>

#include "bench_timing.h"
#include "sound/dicer.h"
#include "sound/random_echo.h"
#include "sound/random_source.h"
#include "sound/sound.h"

namespace kalvora {
namespace {

constexpr std::int32_t kRate = 44100;

Wave NoiseWave(std::uint32_t seed, std::int32_t frames) {
    ErrorFlag error = 0;
    Wave wave(&error, frames);
    std::mt19937 generator(seed);
    for (std::int32_t i = 0; i < frames; ++i)
        wave.wave[i] = static_cast<std::int16_t>(static_cast<std::int16_t>(generator()) >> 2);
    return wave;
}

const StereoSound& Noise(int seconds) {
    static const StereoSound minute(NoiseWave(1, kRate * 60), NoiseWave(2, kRate * 60), kRate, 2);
    static const StereoSound tenSeconds(NoiseWave(3, kRate * 10), NoiseWave(4, kRate * 10), kRate,
                                        2);
    return seconds == 60 ? minute : tenSeconds;
}

// A slowly varying envelope, like a drawn one.
const MonoSound& Envelope() {
    static const MonoSound sound = [] {
        ErrorFlag error = 0;
        Wave wave(&error, 4000);
        for (std::int32_t i = 0; i < wave.values; ++i)
            wave.wave[i] = static_cast<std::int16_t>(10000 + i * 5);
        return MonoSound(std::move(wave), kRate, 2);
    }();
    return sound;
}

using Operation = std::function<std::unique_ptr<Sound>(const Sound&, ErrorFlag*)>;

void Measure(benchmark::State& state, int seconds, const Operation& operation) {
    const Sound& sound = Noise(seconds);
    Envelope();
    double total = 0;
    for (auto _ : state) {
        ErrorFlag error = 0;
        const double start = ThreadSeconds();
        auto result = operation(sound, &error);
        total += ThreadSeconds() - start;
        if (!result || error) state.SkipWithError("operation failed");
        benchmark::DoNotOptimize(result.get());
        state.PauseTiming();
        result.reset();
        state.ResumeTiming();
    }
    const double perIteration = total / static_cast<double>(state.iterations());
    state.counters["cpu_s"] = perIteration;
    state.counters["samples/s"] = 2.0 * sound.GetValues() / perIteration;
}

std::unique_ptr<Sound> WholePeriodEcho(
    const Sound& s, ErrorFlag* e,
    const std::function<std::unique_ptr<Sound>(const Sound&, ErrorFlag*, std::int32_t&,
                                               std::int32_t&)>& echo) {
    std::int32_t begin = 0;
    std::int32_t end = s.GetValues();
    return echo(s, e, begin, end);
}

void BM_PeriodEcho(benchmark::State& state) {
    Measure(state, 60, [](const Sound& s, ErrorFlag* e) {
        return WholePeriodEcho(s, e, [](const Sound& sound, ErrorFlag* error, auto& b, auto& n) {
            return sound.PeriodEcho(error, 0.1, 0.5, 5, b, n);
        });
    });
}
BENCHMARK(BM_PeriodEcho)->Unit(benchmark::kMillisecond);

void BM_PeriodEchoFractionalDelay(benchmark::State& state) {
    Measure(state, 60, [](const Sound& s, ErrorFlag* e) {
        return WholePeriodEcho(s, e, [](const Sound& sound, ErrorFlag* error, auto& b, auto& n) {
            return sound.PeriodEcho(error, 0.10001, 0.5, 5, b, n);
        });
    });
}
BENCHMARK(BM_PeriodEchoFractionalDelay)->Unit(benchmark::kMillisecond);

void BM_PeriodEchoVolumeEnvelope(benchmark::State& state) {
    Measure(state, 60, [](const Sound& s, ErrorFlag* e) {
        return WholePeriodEcho(s, e, [](const Sound& sound, ErrorFlag* error, auto& b, auto& n) {
            return sound.PeriodEcho(error, 0.1, Envelope(), 5, b, n);
        });
    });
}
BENCHMARK(BM_PeriodEchoVolumeEnvelope)->Unit(benchmark::kMillisecond);

void BM_PeriodEchoTimeEnvelope(benchmark::State& state) {
    Measure(state, 60, [](const Sound& s, ErrorFlag* e) {
        return WholePeriodEcho(s, e, [](const Sound& sound, ErrorFlag* error, auto& b, auto& n) {
            return sound.PeriodEcho(error, 0.1, Envelope(), 0.5, 5, b, n);
        });
    });
}
BENCHMARK(BM_PeriodEchoTimeEnvelope)->Unit(benchmark::kMillisecond);

void BM_RandomEcho(benchmark::State& state) {
    Measure(state, 10, [](const Sound& s, ErrorFlag* e) {
        RandomEchoSettings settings;  // 20 copies within 1 s, placed linearly
        Dicer dicer(SharedRandomSource(), 1);
        return RandomEcho(e, s, settings, dicer);
    });
}
BENCHMARK(BM_RandomEcho)->Unit(benchmark::kMillisecond);

void BM_RandomEchoAllDrawn(benchmark::State& state) {
    Measure(state, 10, [](const Sound& s, ErrorFlag* e) {
        RandomEchoSettings settings;
        const Sound* shape = &Envelope();
        settings.volume = {RandomEchoDraw::linear, nullptr, 1};
        settings.length = {RandomEchoDraw::envelope, shape, 2};
        settings.balance = {RandomEchoDraw::linear, nullptr, 3};
        settings.pitch = {RandomEchoDraw::envelope, shape, 4};
        settings.tempo = {RandomEchoDraw::envelope, shape, 5};
        Dicer dicer(SharedRandomSource(), 1);
        return RandomEcho(e, s, settings, dicer);
    });
}
BENCHMARK(BM_RandomEchoAllDrawn)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kalvora

BENCHMARK_MAIN();
