// Speed of the sound core on ten minutes of 44.1 kHz stereo: the WAV reader and writer and
// the sample operations, each reported as samples per second and as a ratio to memcpy of
// the sound's sample bytes (both channels, 2 bytes a sample), measured in the same run.
//
// Files are written to and read from /dev/shm when it exists, so that the figures show the
// code's work rather than the disk's.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "bench_timing.h"
#include "platform/messages.h"
#include "sound/sound.h"
#include "sound/wave_file.h"

namespace kalvora {
namespace {

constexpr std::int32_t kFrames = 44100 * 600;
constexpr std::int64_t kSamples = std::int64_t{kFrames} * 2;
constexpr std::size_t kSampleBytes = static_cast<std::size_t>(kSamples) * 2;

std::filesystem::path BenchFolder() {
    const std::filesystem::path shm = "/dev/shm";
    const auto base = std::filesystem::exists(shm) ? shm : std::filesystem::temp_directory_path();
    auto folder = base / ("kalvora-sound-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    return folder;
}

const std::filesystem::path& Folder() {
    static const std::filesystem::path folder = BenchFolder();
    return folder;
}

Wave NoiseWave(std::uint32_t seed) {
    ErrorFlag error = 0;
    Wave wave(&error, kFrames);
    std::mt19937 generator(seed);
    for (std::int32_t i = 0; i < kFrames; ++i) {
        wave.wave[i] = static_cast<std::int16_t>(generator());
    }
    return wave;
}

StereoSound& Noise() {
    static StereoSound sound(NoiseWave(1), NoiseWave(2), 44100, 2);
    return sound;
}

StereoSound& OtherNoise() {
    static StereoSound sound(NoiseWave(3), NoiseWave(4), 44100, 2);
    return sound;
}

// Copying the sound's sample bytes: the reference of the "x_memcpy" counter.
double MemcpySeconds() {
    static const double seconds = FastestMemcpySeconds(kSampleBytes);
    return seconds;
}

// Runs body once per iteration and reports samples per second and the ratio to memcpy.
template <class Body>
void Measure(benchmark::State& state, Body&& body) {
    const double reference = MemcpySeconds();
    Noise();  // made before the first measurement
    OtherNoise();
    double total = 0;
    for (auto _ : state) {
        const double start = ThreadSeconds();
        body();
        total += ThreadSeconds() - start;
    }
    const double perIteration = total / static_cast<double>(state.iterations());
    state.counters["samples/s"] = static_cast<double>(kSamples) / perIteration;
    state.counters["x_memcpy"] = perIteration / reference;
}

void BM_Memcpy(benchmark::State& state) {
    std::vector<std::uint8_t> from(kSampleBytes, 1);
    std::vector<std::uint8_t> to(kSampleBytes, 2);
    Measure(state, [&] {
        std::memcpy(to.data(), from.data(), kSampleBytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    });
}

std::filesystem::path WrittenFile(std::int16_t bytesPSample) {
    const auto path = Folder() / ("in" + std::to_string(bytesPSample) + ".wav");
    if (!std::filesystem::exists(path)) {
        ErrorFlag error = 0;
        const std::int16_t saved = Noise().BytesPSample;
        Noise().BytesPSample = bytesPSample;
        WriteWaveFile(Noise(), &error, path, 0, kFrames);
        Noise().BytesPSample = saved;
    }
    return path;
}

void BM_ReadWaveFile(benchmark::State& state) {
    const auto path = WrittenFile(static_cast<std::int16_t>(state.range(0)));
    Measure(state, [&] {
        std::unique_ptr<Sound> sound;
        std::string errorText;
        if (!ReadWaveFile(path, sound, errorText)) state.SkipWithError(errorText.c_str());
        benchmark::DoNotOptimize(sound.get());
    });
}

void BM_WriteWaveFile(benchmark::State& state) {
    const auto path = Folder() / "out.wav";
    const std::int16_t saved = Noise().BytesPSample;
    Noise().BytesPSample = static_cast<std::int16_t>(state.range(0));
    ErrorFlag error = 0;
    Measure(state, [&] {
        if (!WriteWaveFile(Noise(), &error, path, 0, kFrames)) state.SkipWithError("write failed");
    });
    Noise().BytesPSample = saved;
    std::filesystem::remove(path);
}

// What the system alone costs: the file's bytes read into, and written from, a buffer
// that is already in memory, with no conversion. The reader and writer cannot be faster.
void BM_SystemRead(benchmark::State& state) {
    const auto path = WrittenFile(2);
    std::vector<std::uint8_t> buffer(std::filesystem::file_size(path), 1);
    Measure(state, [&] {
        std::FILE* file = std::fopen(path.c_str(), "rb");
        const std::size_t read = std::fread(buffer.data(), 1, buffer.size(), file);
        std::fclose(file);
        if (read != buffer.size()) state.SkipWithError("short read");
    });
}

void BM_SystemWrite(benchmark::State& state) {
    const auto path = Folder() / "raw.wav";
    const std::vector<std::uint8_t> buffer(kSampleBytes + 44, 1);
    Measure(state, [&] {
        std::FILE* file = std::fopen(path.c_str(), "wb");
        const std::size_t written = std::fwrite(buffer.data(), 1, buffer.size(), file);
        if (std::fclose(file) != 0 || written != buffer.size()) state.SkipWithError("write failed");
    });
    std::filesystem::remove(path);
}

void BM_GetMaxAbs(benchmark::State& state) {
    ErrorFlag error = 0;
    Measure(state, [&] {
        benchmark::DoNotOptimize(Noise().WaveLeft.getMaxAbs(&error, 0, kFrames));
        benchmark::DoNotOptimize(Noise().WaveRight.getMaxAbs(&error, 0, kFrames));
    });
}

void BM_ScaleInPlace(benchmark::State& state) {
    ErrorFlag error = 0;
    Measure(state, [&] { Noise().ScaleInPlace(&error, -1.0, 0, kFrames); });
}

void BM_Combine(benchmark::State& state) {
    ErrorFlag error = 0;
    Measure(state, [&] {
        auto left = Noise().WaveLeft.combine(&error, 0.5, OtherNoise().WaveLeft, 0.5, 0, kFrames);
        auto right =
            Noise().WaveRight.combine(&error, 0.5, OtherNoise().WaveRight, 0.5, 0, kFrames);
        benchmark::DoNotOptimize(left.get());
        benchmark::DoNotOptimize(right.get());
    });
}

void BM_Mix(benchmark::State& state) {
    ErrorFlag error = 0;
    Measure(state, [&] {
        auto mixed = Noise().Mix(&error, OtherNoise(), 0, -1, false);
        benchmark::DoNotOptimize(mixed.get());
    });
}

void BM_ResamplePart(benchmark::State& state) {
    ErrorFlag error = 0;
    const double factor = static_cast<double>(state.range(0)) / 100;
    Measure(state, [&] {
        for (const Wave* wave : {&Noise().WaveLeft, &Noise().WaveRight}) {
            std::int32_t begin = 0;
            std::int32_t end = kFrames;
            auto resampled = wave->resamplePart(&error, factor, begin, end);
            benchmark::DoNotOptimize(resampled.get());
        }
    });
}

// The generators replacing the whole sound by ten minutes of new material: silence, a line
// (0 linear, 1 exponential) and noise.
void BM_InsertSilence(benchmark::State& state) {
    ErrorFlag error = 0;
    Measure(state, [&] {
        std::int32_t begin = 0;
        std::int32_t end = kFrames;
        auto made = Noise().InsertSilence(&error, (kFrames - 1) / 44100.0, begin, end);
        benchmark::DoNotOptimize(made.get());
    });
}

void BM_Line(benchmark::State& state) {
    ErrorFlag error = 0;
    const bool exponential = state.range(0) != 0;
    Measure(state, [&] {
        std::int32_t begin = 0;
        std::int32_t end = kFrames;
        auto made =
            Noise().Line(&error, 100, 30000, (kFrames - 1) / 44100.0, exponential, begin, end);
        benchmark::DoNotOptimize(made.get());
    });
}

void BM_NoiseGenerator(benchmark::State& state) {
    ErrorFlag error = 0;
    Measure(state, [&] {
        std::int32_t begin = 0;
        std::int32_t end = kFrames;
        auto made = Noise().Noise(&error, 16383, kFrames / 44100.0, begin, end);
        benchmark::DoNotOptimize(made.get());
    });
}

BENCHMARK(BM_Memcpy)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadWaveFile)->Arg(2)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteWaveFile)->Arg(2)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SystemRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SystemWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GetMaxAbs)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScaleInPlace)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Combine)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Mix)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ResamplePart)->Arg(100)->Arg(-100)->Arg(150)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InsertSilence)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Line)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NoiseGenerator)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kalvora

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(kalvora::Folder());
    return 0;
}
