// Small helpers for the sound tests: waves from lists of samples and back.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "sound/error_flag.h"
#include "sound/sound.h"
#include "sound/wave.h"

namespace kalvora::testing {

inline Wave MakeWave(const std::vector<std::int16_t>& samples) {
    ErrorFlag error = 0;
    Wave wave(&error, static_cast<std::int32_t>(samples.size()));
    for (std::size_t i = 0; i < samples.size(); ++i)
        wave.wave[i] = samples[i];
    return wave;
}

inline std::vector<std::int16_t> Samples(const Wave& wave) {
    return std::vector<std::int16_t>(wave.wave, wave.wave + wave.values);
}

inline std::vector<std::int16_t> Samples(const std::unique_ptr<Wave>& wave) {
    return wave ? Samples(*wave) : std::vector<std::int16_t>{};
}

// A ramp 0, step, 2·step, ... of n samples.
inline std::vector<std::int16_t> Ramp(std::int32_t n, std::int16_t step = 1) {
    std::vector<std::int16_t> samples(n);
    for (std::int32_t i = 0; i < n; ++i)
        samples[i] = static_cast<std::int16_t>(i * step);
    return samples;
}

// 16-bit sounds at a small rate (100 Hz unless given), for tests that count in samples.
inline MonoSound Mono(const std::vector<std::int16_t>& samples, std::int32_t freq = 100) {
    return MonoSound(MakeWave(samples), freq, 2);
}

inline StereoSound Stereo(const std::vector<std::int16_t>& left,
                          const std::vector<std::int16_t>& right, std::int32_t freq = 100) {
    return StereoSound(MakeWave(left), MakeWave(right), freq, 2);
}

}  // namespace kalvora::testing
