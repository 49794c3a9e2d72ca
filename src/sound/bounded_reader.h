// BoundedWaveReader: a wave read at real positions, interpolated between its two neighbours
// and 0 outside given bounds. The operations that move material in time (balance, shift,
// tempo and pitch, echoes) read their source through it, so that the edges of the material
// fade to silence the same way everywhere. Standard C++ only.
#pragma once

#include <cstdint>

#include "sound/wave.h"

namespace kalvora {

class BoundedWaveReader {
  public:
    // Reads wave inside first .. last (inclusive sample indices). An empty wave, or last
    // below first, reads 0 everywhere. Requires 0 <= first and last < wave.values.
    BoundedWaveReader(const Wave& wave, std::int64_t first, std::int64_t last)
        : samples_(wave.wave), first_(first), last_(last) {}
    // The whole wave: 0 .. values - 1.
    explicit BoundedWaveReader(const Wave& wave) : BoundedWaveReader(wave, 0, wave.values - 1) {}

    // The value at x: 0 when x lies outside first .. last (NaN included); otherwise
    // (1 - f)·s[i] + f·s[i + 1] with i = x truncated and f = x - i, s[last] at last itself.
    double At(double x) const {
        if (!(x >= static_cast<double>(first_) && x <= static_cast<double>(last_))) return 0;
        const auto i = static_cast<std::int64_t>(x);
        if (i >= last_) return samples_[last_];
        const double f = x - static_cast<double>(i);
        if (f == 0) return samples_[i];
        return (1 - f) * samples_[i] + f * samples_[i + 1];
    }

    std::int64_t First() const { return first_; }
    std::int64_t Last() const { return last_; }

  private:
    const std::int16_t* samples_;
    std::int64_t first_;
    std::int64_t last_;
};

}  // namespace kalvora
