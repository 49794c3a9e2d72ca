// Speed of the volume diagram. The resonator loop is measured on 60 s of 44.1 kHz sound at
// the default settings (50 bands) and reported as resonator steps per second (four steps
// per sample and band), next to the scalar reference loop of the same update, compiled with
// the same flags but kept scalar, in the same run; the two are checked to agree bit for
// bit. Then the full default diagram of a 10-minute stereo sound, with the channels one
// after the other and at once.
//
// The machines are shared: the speed-up is measured in the thread's processor time, which
// other programs do not inflate; the benchmarks report real time and the processor time
// of the whole process (both threads of the two-thread diagram).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <random>
#include <span>
#include <thread>
#include <vector>

#include "bench_timing.h"
#include "volume/resonator_bank.h"
#include "volume/vold_view_props.h"
#include "volume/volume_analysis.h"

namespace kalvora {
namespace {

constexpr std::int32_t kRate = 44100;
constexpr std::int32_t kMinute = kRate * 60;

// Music-like material: a few tones and some noise, at a moderate level.
std::vector<std::int16_t> Material(std::int32_t n, unsigned seed) {
    std::mt19937 random(seed);
    std::normal_distribution<double> noise(0.0, 2000.0);
    std::vector<std::int16_t> samples(static_cast<std::size_t>(n));
    for (std::int32_t k = 0; k < n; ++k) {
        const double t = static_cast<double>(k) / kRate;
        const double v = 8000 * std::sin(2 * 3.14159265 * 220 * t) +
                         5000 * std::sin(2 * 3.14159265 * 1375 * t) +
                         3000 * std::sin(2 * 3.14159265 * 5200 * t) + noise(random);
        samples[static_cast<std::size_t>(k)] = static_cast<std::int16_t>(v);
    }
    return samples;
}

const std::vector<std::int16_t>& OneMinute() {
    static const std::vector<std::int16_t> samples = Material(kMinute, 1);
    return samples;
}

TResonatorTuning DefaultTuning() {
    return TResonatorTuning::From(TVoldViewProps(), kRate);
}

template <bool kFast>
void BM_ResonatorSteps(benchmark::State& state) {
    const auto& samples = OneMinute();
    const TResonatorTuning tuning = DefaultTuning();
    for (auto _ : state) {
        TResonatorBank bank(tuning);
        if constexpr (kFast) {
            bank.Resonate(samples.data(), kMinute);
        } else {
            bank.ResonateReference(samples.data(), kMinute);
        }
        benchmark::DoNotOptimize(bank.Volume().data());
    }
    const double steps = 4.0 * kMinute * tuning.bands;
    state.counters["steps/s"] = benchmark::Counter(steps * static_cast<double>(state.iterations()),
                                                   benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ResonatorSteps<true>)
    ->Name("ResonatorSteps/fast/60s_default")
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
BENCHMARK(BM_ResonatorSteps<false>)
    ->Name("ResonatorSteps/scalar_reference/60s_default")
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

// The whole default diagram (500 columns, 50 bands) of ten minutes of stereo.
void BM_FullDiagram10MinStereo(benchmark::State& state) {
    const bool parallel = state.range(0) != 0;
    static const std::vector<std::int16_t> left = Material(10 * kMinute, 2);
    static const std::vector<std::int16_t> right = Material(10 * kMinute, 3);
    const TVoldViewProps settings;
    const TResonatorTuning tuning = TResonatorTuning::From(settings, kRate);
    for (auto _ : state) {
        TVolumeArray leftArray(settings.XResolution, settings.YResolution);
        TVolumeArray rightArray(settings.XResolution, settings.YResolution);
        const auto analyse = [&](const std::vector<std::int16_t>& samples, TVolumeArray& array) {
            TVolumeAnalysis(tuning, samples.data(), static_cast<std::int32_t>(samples.size()),
                            array)
                .Run();
        };
        if (parallel) {
            std::thread second(analyse, std::cref(right), std::ref(rightArray));
            analyse(left, leftArray);
            second.join();
        } else {
            analyse(left, leftArray);
            analyse(right, rightArray);
        }
        benchmark::DoNotOptimize(leftArray.GetFilled() + rightArray.GetFilled());
    }
}
BENCHMARK(BM_FullDiagram10MinStereo)
    ->Name("FullDiagram/10min_stereo_default")
    ->ArgName("two_threads")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kSecond)
    ->Iterations(1)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

// The speed-up of the fast loop over the reference, measured here in thread time, and the
// check that both give the same bits.
void PrintSpeedUp() {
    const auto& samples = OneMinute();
    const TResonatorTuning tuning = DefaultTuning();
    double best[2] = {1e30, 1e30};
    TResonatorBank fast(tuning), reference(tuning);
    for (int round = 0; round < 3; ++round) {
        for (int kind = 0; kind < 2; ++kind) {
            TResonatorBank bank(tuning);
            const double start = ThreadSeconds();
            if (kind == 0) {
                bank.Resonate(samples.data(), kMinute);
            } else {
                bank.ResonateReference(samples.data(), kMinute);
            }
            best[kind] = std::min(best[kind], ThreadSeconds() - start);
            (kind == 0 ? fast : reference) = std::move(bank);
        }
    }
    const auto same = [](std::span<const float> a, std::span<const float> b) {
        return std::memcmp(a.data(), b.data(), a.size_bytes()) == 0;
    };
    const bool identical = same(fast.Value(), reference.Value()) &&
                           same(fast.Speed(), reference.Speed()) &&
                           same(fast.Volume(), reference.Volume());
    const double steps = 4.0 * kMinute * tuning.bands;
    std::printf(
        "resonator steps per second, 60 s at 44.1 kHz, 50 bands (best of 3, thread time):\n"
        "  fast loop        %8.1f million\n"
        "  scalar reference %8.1f million\n"
        "  speed-up         %8.2fx   bit-identical: %s\n\n",
        steps / best[0] / 1e6, steps / best[1] / 1e6, best[1] / best[0], identical ? "yes" : "NO");
}

}  // namespace
}  // namespace kalvora

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    kalvora::PrintSpeedUp();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
