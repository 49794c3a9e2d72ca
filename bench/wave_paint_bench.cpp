// Repainting a full 1600-pixel wave view on the in-memory canvas, for a 1-minute and a
// 60-minute 44.1 kHz stereo sound, with the whole wave shown and zoomed to one second.
// The cost should follow the view's pixels, not the sound's length: every repaint reads the
// same number of samples, though in a long sound nearly every read misses the caches.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <map>
#include <memory>

#include "platform/memory_canvas.h"
#include "shell/wave_painter.h"
#include "shell/wave_view_geometry.h"
#include "shell/wave_view_props.h"
#include "sound/sound.h"

namespace kalvora {
namespace {

constexpr int kRate = 44100;
constexpr int kWidth = 1600;
constexpr int kHeight = 400;

// Noise under three swells over the whole length, so that both lengths give the same
// picture when shown whole: the difference in cost is the difference in samples.
Wave Channel(std::int32_t n, std::uint32_t seed) {
    ErrorFlag error = 0;
    Wave wave(&error, n);
    std::uint32_t state = seed;
    for (std::int32_t i = 0; i < n; ++i) {
        state = state * 1664525u + 1013904223u;
        const double swell = std::fabs(std::sin(3.0 * 3.141592653589793 * i / n));
        const int amplitude = 1 + static_cast<int>(20000.0 * swell);
        wave.wave[i] =
            static_cast<std::int16_t>(static_cast<int>(state >> 16) % (2 * amplitude) - amplitude);
    }
    return wave;
}

// One sound per length, made once and kept for every run.
const Sound& StereoOfMinutes(int minutes) {
    static std::map<int, std::unique_ptr<Sound>> sounds;
    auto& sound = sounds[minutes];
    if (!sound) {
        const std::int32_t n = minutes * 60 * kRate;
        sound = std::make_unique<StereoSound>(Channel(n, 1), Channel(n, 2), kRate, 2);
    }
    return *sound;
}

void PaintView(benchmark::State& state, TWaveViewProps settings) {
    const int minutes = static_cast<int>(state.range(0));
    const bool zoomed = state.range(1) != 0;
    const Sound& sound = StereoOfMinutes(minutes);
    TWaveViewGeometry geometry;
    geometry.SetClient({0, 0, kWidth, kHeight});
    geometry.SetSampleCount(sound.GetValues());
    if (zoomed) {  // one second in the middle of the sound
        const double middle = sound.GetValues() / 2.0;
        geometry.ZoomTo(middle, middle + kRate);
    }
    TWaveViewScene scene;
    scene.sound = &sound;
    scene.settings = &settings;
    scene.firstEnd = sound.GetValues() / 4;  // a selection: three strips and a cursor
    scene.secondEnd = sound.GetValues() / 2 + kRate / 3;
    platform::MemoryCanvas canvas(kWidth, kHeight);
    for (auto _ : state) {
        TWavePainter(canvas, geometry, scene).Paint(geometry.Client());
        benchmark::ClobberMemory();
    }
    state.counters["samples"] = static_cast<double>(sound.GetValues());
}

void BM_PaintStereoSingle(benchmark::State& state) {
    PaintView(state, TWaveViewProps{});
}

void BM_PaintStereoJoinedPoints(benchmark::State& state) {
    TWaveViewProps settings;
    settings.DrawSingle = false;
    settings.DrawStyle = drawStylePoints;
    settings.Strength = 0.5;
    PaintView(state, settings);
}

// Arguments: minutes, zoomed.
BENCHMARK(BM_PaintStereoSingle)
    ->Args({1, 0})
    ->Args({60, 0})
    ->Args({1, 1})
    ->Args({60, 1})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PaintStereoJoinedPoints)
    ->Args({1, 0})
    ->Args({60, 0})
    ->Args({1, 1})
    ->Args({60, 1})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kalvora

BENCHMARK_MAIN();
