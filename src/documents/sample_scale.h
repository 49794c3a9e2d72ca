// How a 16-bit sample value maps to the fraction of full scale and the percentage that users
// type: full scale is 32767 and conversions truncate toward zero. Shared by the sample value
// type and its writer, so that what one writes the other reads back. Standard C++ only.
#pragma once

#include <cmath>

namespace kalvora {

inline constexpr int kSampleFullScale = 32767;
inline constexpr int kSampleMinimum = -32768;

// v in [-1, 1]
inline int SampleOfFraction(double v) {
    return static_cast<int>(std::trunc(v * kSampleFullScale));
}

// v in [-100, 100]
inline int SampleOfPercent(double v) {
    return static_cast<int>(std::trunc(v * 327.67));
}

}  // namespace kalvora
