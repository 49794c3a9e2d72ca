// The text of status panel 1 while the pointer moves over a view that shows the volume
// diagram: time, frequency and the value of the cell under the pointer.
// Core code: standard C++, the view geometry and the volume diagram.
#pragma once

#include <cstdint>
#include <string>

#include "shell/wave_view_geometry.h"
#include "volume/vold_view_props.h"
#include "volume/volume_painter.h"

namespace kalvora {

// "(<time>, <frequency> )", then for a wave with samples ": <value>" for a mono sound or a
// stereo sound drawn as two diagrams (the channel under the pointer), ": (<left> ,<right>)"
// for a joined stereo diagram; values in decibels, 0 as "0". A cell whose column is not yet
// computed adds nothing.
std::string VolumePositionText(const TWaveViewGeometry& geometry, int freq,
                               const TVolumeArrays& arrays, const TVoldViewProps& settings,
                               std::int32_t n, int x, int y);

}  // namespace kalvora
