// Both channels of a stereo sound through one filter with a constant frequency (and width),
// in a single loop: the waves that two calls of the Wave filter would make, made faster
// because the processor works on the two recurrences at once. For the Sound dispatchers;
// internal to the sound engine. Standard C++ only.
#pragma once

#include <cstdint>
#include <memory>

#include "sound/error_flag.h"
#include "sound/filter.h"
#include "sound/wave.h"

namespace kalvora {

// Both waves, or neither (the flag set).
struct FilteredPair {
    std::unique_ptr<Wave> left;
    std::unique_ptr<Wave> right;
};

// As Wave::filterLowHigh with FilterFrequency::Constant(period) on left and on right.
// Requires left.values = right.values.
FilteredPair FilterLowHighPair(ErrorFlag* error, const Wave& left, const Wave& right,
                               LowHighKind kind, double period, double factor,
                               std::int32_t countBer, std::int32_t countCmd, std::int32_t begin,
                               std::int32_t end);

// As Wave::filterResNotch with a constant period and width on left and on right.
FilteredPair FilterResNotchPair(ErrorFlag* error, const Wave& left, const Wave& right,
                                ResNotchKind kind, double period, double width, std::int32_t begin,
                                std::int32_t end);

}  // namespace kalvora
