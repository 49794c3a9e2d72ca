// Shared pieces of the wave operation families outside wave.cpp: new waves framed by the
// head and tail of their source, and interpolated reads that never leave an array.
// Internal to the sound engine; standard C++ only.
#pragma once

#include <cstdint>
#include <memory>

#include "sound/error_flag.h"
#include "sound/sample_memory.h"
#include "sound/wave.h"

namespace kalvora::operations {

// A new wave of count samples (counted in 64 bits: beyond what a wave can hold it fails
// like exhausted memory), or nullptr with the flag set.
inline std::unique_ptr<Wave> NewWave(ErrorFlag* error, std::int64_t count) {
    if (ErrorIsSet(error)) return nullptr;
    std::int16_t* samples = AllocateSamples(error, count);
    if (samples == nullptr && count != 0) return nullptr;
    return std::make_unique<Wave>(samples, static_cast<std::int32_t>(count));
}

// A new wave holding source's head (before begin), a gap of n samples with undefined
// contents at begin, and source's tail (from end on); nullptr on failure.
inline std::unique_ptr<Wave> Framed(ErrorFlag* error, const Wave& source, std::int32_t begin,
                                    std::int32_t end, std::int64_t n) {
    auto result = NewWave(error, std::int64_t{source.values} - (end - begin) + n);
    if (!result) return nullptr;
    result->copyPart(error, source, 0, begin, 0);
    result->copyPart(error, source, end, source.values, static_cast<std::int32_t>(begin + n));
    return result;
}

// The interpolated value of samples[0 .. last] at x >= 0: (1 - f)·s[i] + f·s[i + 1] with
// i = x truncated and f = x - i, which is s[i] exactly when f is 0. From the last sample on,
// the last sample.
inline double Interpolate(const std::int16_t* samples, std::int64_t last, double x) {
    const auto i = static_cast<std::int64_t>(x);
    if (i >= last) return samples[last];
    const double f = x - static_cast<double>(i);
    return (1 - f) * samples[i] + f * samples[i + 1];
}

// An envelope stretched over a range of length samples: read at a position that starts at 0
// and advances by (values - 1)/(length - 1) per sample, by repeated addition. A range of one
// sample reads only the first value. Requires envelope.values > 0.
class EnvelopeReader {
  public:
    // No envelope: Active() is false and Next() must not be called.
    EnvelopeReader() = default;
    EnvelopeReader(const Wave& envelope, std::int64_t length)
        : samples_(envelope.wave), last_(envelope.values - 1) {
        if (length > 1) step_ = static_cast<double>(last_) / static_cast<double>(length - 1);
    }
    // Read with a step of its own.
    static EnvelopeReader WithStep(const Wave& envelope, double step) {
        EnvelopeReader reader(envelope, 1);
        reader.step_ = step;
        return reader;
    }

    bool Active() const { return samples_ != nullptr; }

    // The value at the current position, then one step on.
    double Next() {
        const double value = Interpolate(samples_, last_, position_);
        position_ += step_;
        return value;
    }

  private:
    const std::int16_t* samples_ = nullptr;
    std::int64_t last_ = 0;
    double step_ = 0;
    double position_ = 0;
};

}  // namespace kalvora::operations
