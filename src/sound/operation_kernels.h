// The inner loops of the simple wave operations and the filters: plain loops over raw
// arrays that the compiler vectorises where the arithmetic allows, compiled for several
// instruction sets (see wave_kernels.h). Callers run them over runs of at most kRunLength
// samples. Standard C++ only.
#pragma once

#include <cstdint>

namespace kalvora::kernels {

// target[k] = ToSample(factor·source[k]).
void ScaleCopy(std::int16_t* target, const std::int16_t* source, double factor, std::int64_t count);
// target[k] = source[k] + add, wrapped to 16 bits.
void AddConstant(std::int16_t* target, const std::int16_t* source, std::int32_t add,
                 std::int64_t count);
// target[k] = source[count - 1 - k].
void ReverseCopy(std::int16_t* target, const std::int16_t* source, std::int64_t count);
// target[k] = value.
void Fill(std::int16_t* target, std::int16_t value, std::int64_t count);
// The exact sum of the samples.
std::int64_t Sum(const std::int16_t* samples, std::int64_t count);
// target[k] = table[source[k] + 32768]: a transfer function over every sample value.
void Lookup(std::int16_t* target, const std::int16_t* source, const std::int16_t* table,
            std::int64_t count);

}  // namespace kalvora::kernels
