// Speed of the tone generators on ten minutes of 44.1 kHz stereo: a 440 Hz sine and a sum
// of five decaying partials, inserted into an empty sound, reported as samples per second
// (both channels counted).
#include <benchmark/benchmark.h>

#include <ctime>
#include <vector>

#include "bench_timing.h"
#include "sound/sound.h"

namespace kalvora {
namespace {

constexpr double kSeconds = 600;
constexpr std::int64_t kSamples = static_cast<std::int64_t>(44100 * kSeconds) * 2;

template <class Body>
void Measure(benchmark::State& state, Body&& body) {
    if (sinus.values == 0) CreateSinus();
    double total = 0;
    for (auto _ : state) {
        const double start = ThreadSeconds();
        body();
        total += ThreadSeconds() - start;
    }
    state.counters["samples/s"] = static_cast<double>(kSamples) * state.iterations() / total;
}

void BM_Sinus(benchmark::State& state) {
    const StereoSound empty(44100, 2);
    ErrorFlag error = 0;
    Measure(state, [&] {
        std::int32_t begin = 0;
        std::int32_t end = 0;
        auto sound = empty.Sinus(&error, 16383, -16383, 1.0 / 440, kSeconds * 440, 0, begin, end);
        benchmark::DoNotOptimize(sound.get());
    });
}

void BM_MultiFreq(benchmark::State& state) {
    const StereoSound empty(44100, 2);
    const std::vector<FreqPartial> partials = {{0.3, 1.0 / 220, 0, 0.5, 2.0},
                                               {0.2, 1.0 / 440, 0.25, 0.3, 1.0},
                                               {0.1, 1.0 / 660, 0.5, 0.1, 1.0},
                                               {0.1, 1.0 / 880, 0, 0.1, 0.5},
                                               {0.05, 1.0 / 1320, 0.1, 0.1, 0.3}};
    ErrorFlag error = 0;
    Measure(state, [&] {
        std::int32_t begin = 0;
        std::int32_t end = 0;
        auto sound = empty.MultiFreq(&error, kSeconds, partials, begin, end);
        benchmark::DoNotOptimize(sound.get());
    });
}

BENCHMARK(BM_Sinus)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MultiFreq)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kalvora

BENCHMARK_MAIN();
