// Sounds and settings for the volume diagram tests.
#pragma once

#include <cmath>
#include <cstdint>
#include <memory>
#include <numbers>
#include <random>
#include <vector>

#include "sound/sound.h"
#include "sound/wave.h"
#include "volume/vold_view_props.h"

namespace kalvora::testing {

inline Wave WaveOf(const std::vector<std::int16_t>& samples) {
    ErrorFlag error = 0;
    Wave wave(&error, static_cast<std::int32_t>(samples.size()));
    for (std::size_t i = 0; i < samples.size(); ++i)
        wave.wave[i] = samples[i];
    return wave;
}

// trunc(amplitude·sin(2π·k / period)) for k < n.
inline std::vector<std::int16_t> Sine(std::int32_t n, double period, double amplitude = 32767) {
    std::vector<std::int16_t> samples(static_cast<std::size_t>(n));
    for (std::int32_t k = 0; k < n; ++k) {
        samples[static_cast<std::size_t>(k)] =
            static_cast<std::int16_t>(amplitude * std::sin(2.0 * std::numbers::pi * k / period));
    }
    return samples;
}

inline std::vector<std::int16_t> Noise(std::int32_t n, unsigned seed = 1) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> value(-32768, 32767);
    std::vector<std::int16_t> samples(static_cast<std::size_t>(n));
    for (auto& sample : samples)
        sample = static_cast<std::int16_t>(value(random));
    return samples;
}

inline std::unique_ptr<Sound> MonoOf(const std::vector<std::int16_t>& samples,
                                     std::int32_t freq = 44100) {
    return std::make_unique<MonoSound>(WaveOf(samples), freq, 2);
}

inline std::unique_ptr<Sound> StereoOf(const std::vector<std::int16_t>& left,
                                       const std::vector<std::int16_t>& right,
                                       std::int32_t freq = 44100) {
    return std::make_unique<StereoSound>(WaveOf(left), WaveOf(right), freq, 2);
}

inline TVoldViewProps Settings(std::int32_t width, std::int32_t height) {
    TVoldViewProps settings;
    settings.XResolution = width;
    settings.YResolution = height;
    return settings;
}

}  // namespace kalvora::testing
