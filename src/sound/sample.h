// Conversion of computed values to 16-bit samples: the one place where the engine's
// number rules live. Standard C++ only.
//
// Samples are never clipped. A computed value is truncated toward zero to a 32-bit integer
// and its low 16 bits are kept, so values outside -32768 .. 32767 wrap around. Values the
// 32-bit integer cannot hold saturate to its limits first, and NaN becomes 0, so every
// double has a defined sample.
#pragma once

#include <cstdint>

namespace kalvora {

// The low 16 bits of a 32-bit value, as a signed sample.
inline std::int16_t WrapToSample(std::int32_t value) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(static_cast<std::uint32_t>(value)));
}

// Truncates toward zero, saturating at the 32-bit limits (NaN gives 0), then wraps.
// Written as selects so that loops over it vectorise.
inline std::int16_t ToSample(double value) {
    constexpr double lowest = -2147483648.0;
    constexpr double highest = 2147483647.0;
    double clamped = value < lowest ? lowest : value;  // NaN passes through both selects
    clamped = clamped > highest ? highest : clamped;
    const std::int32_t truncated = clamped == clamped ? static_cast<std::int32_t>(clamped) : 0;
    return WrapToSample(truncated);
}

// The 16-bit sum of two samples, wrapping like the integer additions of the engine.
inline std::int16_t AddSamples(std::int16_t a, std::int16_t b) {
    return WrapToSample(static_cast<std::int32_t>(a) + static_cast<std::int32_t>(b));
}

}  // namespace kalvora
