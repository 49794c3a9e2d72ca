// How far the volume diagram of a wave has been computed, for the status bar while it
// computes. Core code: standard C++ and the volume arrays only.
#pragma once

#include <string>

#include "volume/volume_array.h"

namespace kalvora {

// The share of columns filled, 0 .. 100, over the arrays given (the mono array, or the
// left and right arrays); 100 without arrays.
int VolumeDiagramPercent(const TVolumeArray* first, const TVolumeArray* second = nullptr);

// "Volume diagram 42%".
std::string VolumeDiagramProgressText(int percent);

}  // namespace kalvora
