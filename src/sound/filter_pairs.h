// Both channels of a stereo sound through one filter in a single loop: the waves that two
// calls of the Wave filter would make, each channel with its own frequency and width
// (constant, or its own envelope), made faster because the processor works on the two
// recurrences at once. For the Sound dispatchers; internal to the sound engine. Standard
// C++ only.
#pragma once

#include <array>
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

// As Wave::filterLowHigh on left and right with their frequencies. Requires
// left.values = right.values.
FilteredPair FilterLowHighPair(ErrorFlag* error, const Wave& left, const Wave& right,
                               LowHighKind kind, const std::array<FilterFrequency, 2>& frequency,
                               double factor, std::int32_t countBer, std::int32_t countCmd,
                               std::int32_t begin, std::int32_t end);

// As Wave::filterResNotch on left and right with their frequencies and widths; both
// channels follow envelopes in the same places (frequency, width or both).
FilteredPair FilterResNotchPair(ErrorFlag* error, const Wave& left, const Wave& right,
                                ResNotchKind kind, const std::array<FilterFrequency, 2>& frequency,
                                const std::array<FilterWidth, 2>& width, std::int32_t begin,
                                std::int32_t end);

}  // namespace kalvora
