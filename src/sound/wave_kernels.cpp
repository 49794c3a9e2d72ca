#include "sound/wave_kernels.h"

#include <algorithm>
#include <cmath>

#include "sound/sample.h"

// On x86-64 with GCC each kernel is compiled for the baseline, for AVX2 and for AVX-512,
// and the fastest the processor supports is chosen when the program loads.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define KALVORA_KERNEL __attribute__((target_clones("avx512f", "avx2", "default")))
#else
#define KALVORA_KERNEL
#endif

namespace kalvora::kernels {
namespace {

// ToSample for values known to lie inside the 32-bit range (and not NaN), where the
// saturation and NaN selects cannot change the result: a plain truncation, which
// vectorises to fewer instructions.
inline std::int16_t TruncateToSample(double value) {
    return WrapToSample(static_cast<std::int32_t>(value));
}

// |sample · factor| stays inside the 32-bit range for every sample when |factor| is at most
// this: 32768 · 65535 < 2^31 - 1, with room for the sum of two such products' sizes.
constexpr double kSafeFactor = 65535;

}  // namespace

// Add and AddScaled may run on overlapping arrays (a wave mixed into itself): no __restrict,
// the compiler checks for overlap at run time.
KALVORA_KERNEL void Add(std::int16_t* target, const std::int16_t* source, std::int64_t count) {
    for (std::int64_t k = 0; k < count; ++k)
        target[k] = AddSamples(target[k], source[k]);
}

KALVORA_KERNEL void AddScaled(std::int16_t* target, const std::int16_t* source, double factor,
                              std::int64_t count) {
    if (std::fabs(factor) < kSafeFactor) {
        for (std::int64_t k = 0; k < count; ++k) {
            target[k] = TruncateToSample(static_cast<double>(target[k]) + factor * source[k]);
        }
        return;
    }
    for (std::int64_t k = 0; k < count; ++k) {
        target[k] = ToSample(static_cast<double>(target[k]) + factor * source[k]);
    }
}

KALVORA_KERNEL void Scale(std::int16_t* __restrict samples, std::int64_t count, double factor) {
    if (std::fabs(factor) <= kSafeFactor) {
        for (std::int64_t k = 0; k < count; ++k)
            samples[k] = TruncateToSample(factor * samples[k]);
        return;
    }
    for (std::int64_t k = 0; k < count; ++k)
        samples[k] = ToSample(factor * samples[k]);
}

KALVORA_KERNEL void Combine(std::int16_t* __restrict target, const std::int16_t* __restrict x,
                            double a, const std::int16_t* __restrict y, double b,
                            std::int64_t count) {
    if (std::fabs(a) + std::fabs(b) <= kSafeFactor) {
        for (std::int64_t k = 0; k < count; ++k)
            target[k] = TruncateToSample(a * x[k] + b * y[k]);
        return;
    }
    for (std::int64_t k = 0; k < count; ++k)
        target[k] = ToSample(a * x[k] + b * y[k]);
}

KALVORA_KERNEL std::int32_t MaxAbs(const std::int16_t* __restrict samples, std::int64_t count) {
    std::int16_t highest = 0;
    std::int16_t lowest = 0;
    for (std::int64_t k = 0; k < count; ++k) {
        highest = std::max(highest, samples[k]);
        lowest = std::min(lowest, samples[k]);
    }
    return std::max<std::int32_t>(highest, -std::int32_t{lowest});
}

KALVORA_KERNEL void Deinterleave(const std::int16_t* __restrict frames,
                                 std::int16_t* __restrict left, std::int16_t* __restrict right,
                                 std::int64_t count) {
    for (std::int64_t k = 0; k < count; ++k) {
        left[k] = frames[2 * k];
        right[k] = frames[2 * k + 1];
    }
}

KALVORA_KERNEL void Interleave(const std::int16_t* __restrict left,
                               const std::int16_t* __restrict right,
                               std::int16_t* __restrict frames, std::int64_t count) {
    for (std::int64_t k = 0; k < count; ++k) {
        frames[2 * k] = left[k];
        frames[2 * k + 1] = right[k];
    }
}

namespace {

inline std::int16_t ByteToSample(std::uint8_t byte) {
    return static_cast<std::int16_t>((byte - 128) * 256);
}

inline std::uint8_t SampleToByte(std::int16_t value) {
    return static_cast<std::uint8_t>(value / 256 + 128);
}

}  // namespace

KALVORA_KERNEL void BytesToSamples(const std::uint8_t* __restrict bytes,
                                   std::int16_t* __restrict samples, std::int64_t count) {
    for (std::int64_t k = 0; k < count; ++k)
        samples[k] = ByteToSample(bytes[k]);
}

KALVORA_KERNEL void SamplesToBytes(const std::int16_t* __restrict samples,
                                   std::uint8_t* __restrict bytes, std::int64_t count) {
    for (std::int64_t k = 0; k < count; ++k)
        bytes[k] = SampleToByte(samples[k]);
}

KALVORA_KERNEL void DeinterleaveBytes(const std::uint8_t* __restrict frames,
                                      std::int16_t* __restrict left, std::int16_t* __restrict right,
                                      std::int64_t count) {
    for (std::int64_t k = 0; k < count; ++k) {
        left[k] = ByteToSample(frames[2 * k]);
        right[k] = ByteToSample(frames[2 * k + 1]);
    }
}

KALVORA_KERNEL void InterleaveBytes(const std::int16_t* __restrict left,
                                    const std::int16_t* __restrict right,
                                    std::uint8_t* __restrict frames, std::int64_t count) {
    for (std::int64_t k = 0; k < count; ++k) {
        frames[2 * k] = SampleToByte(left[k]);
        frames[2 * k + 1] = SampleToByte(right[k]);
    }
}

}  // namespace kalvora::kernels
