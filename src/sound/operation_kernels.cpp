#include "sound/operation_kernels.h"

#include <cmath>

#include "sound/sample.h"

// As in wave_kernels.cpp: on x86-64 with GCC each kernel is compiled for the baseline, AVX2
// and AVX-512, and the loader picks the fastest the processor supports.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define KALVORA_KERNEL __attribute__((target_clones("avx512f", "avx2", "default")))
#else
#define KALVORA_KERNEL
#endif

namespace kalvora::kernels {

KALVORA_KERNEL void ScaleCopy(std::int16_t* __restrict target,
                              const std::int16_t* __restrict source, double factor,
                              std::int64_t count) {
    // |factor·sample| stays inside the 32-bit range for |factor| <= 65535: a plain
    // truncation then gives what ToSample gives, in fewer instructions.
    if (std::fabs(factor) <= 65535) {
        for (std::int64_t k = 0; k < count; ++k) {
            target[k] = WrapToSample(static_cast<std::int32_t>(factor * source[k]));
        }
        return;
    }
    for (std::int64_t k = 0; k < count; ++k)
        target[k] = ToSample(factor * source[k]);
}

KALVORA_KERNEL void AddConstant(std::int16_t* __restrict target,
                                const std::int16_t* __restrict source, std::int32_t add,
                                std::int64_t count) {
    // Only the low 16 bits of the sum are kept, so a 16-bit addition gives the same result.
    const auto add16 = static_cast<std::uint16_t>(static_cast<std::uint32_t>(add));
    for (std::int64_t k = 0; k < count; ++k) {
        target[k] = static_cast<std::int16_t>(
            static_cast<std::uint16_t>(static_cast<std::uint16_t>(source[k]) + add16));
    }
}

KALVORA_KERNEL void ReverseCopy(std::int16_t* __restrict target,
                                const std::int16_t* __restrict source, std::int64_t count) {
    for (std::int64_t k = 0; k < count; ++k)
        target[k] = source[count - 1 - k];
}

KALVORA_KERNEL void Fill(std::int16_t* __restrict target, std::int16_t value, std::int64_t count) {
    for (std::int64_t k = 0; k < count; ++k)
        target[k] = value;
}

KALVORA_KERNEL std::int64_t Sum(const std::int16_t* __restrict samples, std::int64_t count) {
    // 32-bit partial sums cannot overflow within a run of up to 65536 samples.
    std::int64_t total = 0;
    std::int64_t k = 0;
    while (k < count) {
        const std::int64_t stop = k + 65536 < count ? k + 65536 : count;
        std::int32_t part = 0;
        for (; k < stop; ++k)
            part += samples[k];
        total += part;
    }
    return total;
}

void Lookup(std::int16_t* __restrict target, const std::int16_t* __restrict source,
            const std::int16_t* __restrict table, std::int64_t count) {
    for (std::int64_t k = 0; k < count; ++k)
        target[k] = table[source[k] + 32768];
}

}  // namespace kalvora::kernels
