// A sample rolled out to a note's length: its attack [0, b), the middle piece [b, e)
// repeated N times and its tail [e, L), read sample by sample without building it. The
// roll-out sampler resamples it straight from here, so a high note never holds the long
// rolled-out sound that its resampling shortens. Standard C++ only.
#pragma once

#include <cstdint>
#include <memory>

#include "sound/error_flag.h"
#include "sound/wave.h"

namespace kalvora {

class RolledOutSample {
  public:
    // Requires begin < end <= source.values (a non-empty middle piece), repeats >= 0 and a
    // rolled-out length that fits in a wave.
    RolledOutSample(const Wave& source, std::int32_t begin, std::int32_t end, std::int64_t repeats);

    std::int64_t Length() const { return length_; }
    // Sample i of the rolled-out sound, 0 <= i < Length().
    std::int16_t At(std::int64_t i) const;

    // New: the rolled-out sound itself.
    std::unique_ptr<Wave> Build(ErrorFlag* error) const;
    // New: the rolled-out sound resampled to n samples as the wave's resampling does it:
    // output j is the interpolated value at j·(Length() / n), read by repeated addition.
    // Requires Length() > 0 and n > 0.
    std::unique_ptr<Wave> Resampled(ErrorFlag* error, std::int32_t n) const;

  private:
    const Wave& source_;
    std::int32_t begin_;
    std::int32_t end_;
    std::int64_t middleEnd_;  // where the tail starts in the rolled-out sound
    std::int64_t length_;
};

}  // namespace kalvora
