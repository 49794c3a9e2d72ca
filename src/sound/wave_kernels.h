// The inner loops of the sample operations: plain loops over raw arrays, written so that the
// compiler vectorises them, and compiled for several instruction sets where the compiler
// supports it. Callers run them over runs of at most kRunLength samples. Standard C++ only.
#pragma once

#include <cstdint>

namespace kalvora::kernels {

// target[k] += source[k], 16-bit wrap-around.
void Add(std::int16_t* target, const std::int16_t* source, std::int64_t count);
// target[k] = ToSample(target[k] + factor·source[k]).
void AddScaled(std::int16_t* target, const std::int16_t* source, double factor, std::int64_t count);
// samples[k] = ToSample(factor·samples[k]).
void Scale(std::int16_t* samples, std::int64_t count, double factor);
// target[k] = ToSample(a·x[k] + b·y[k]).
void Combine(std::int16_t* target, const std::int16_t* x, double a, const std::int16_t* y, double b,
             std::int64_t count);
// The largest absolute value (32768 for -32768); 0 for no samples.
std::int32_t MaxAbs(const std::int16_t* samples, std::int64_t count);

// Interleaved stereo frames to two channels and back.
void Deinterleave(const std::int16_t* frames, std::int16_t* left, std::int16_t* right,
                  std::int64_t count);
void Interleave(const std::int16_t* left, const std::int16_t* right, std::int16_t* frames,
                std::int64_t count);
// 8-bit file bytes to samples: (byte - 128)·256, and back: value / 256 (toward zero) + 128.
void BytesToSamples(const std::uint8_t* bytes, std::int16_t* samples, std::int64_t count);
void SamplesToBytes(const std::int16_t* samples, std::uint8_t* bytes, std::int64_t count);
// Interleaved 8-bit stereo frames to two channels and back.
void DeinterleaveBytes(const std::uint8_t* frames, std::int16_t* left, std::int16_t* right,
                       std::int64_t count);
void InterleaveBytes(const std::int16_t* left, const std::int16_t* right, std::uint8_t* frames,
                     std::int64_t count);

}  // namespace kalvora::kernels
