// The mouse wheel over a wave view: over a zoomed wave it scrolls the view sideways, with
// Ctrl it zooms in or out around the sample under the pointer, and over an unzoomed wave
// without Ctrl it does nothing. Core code: standard C++ and the view geometry only.
#pragma once

#include <cstdint>

#include "shell/wave_view_geometry.h"

namespace kalvora {

// Wheel deltas come in eighths of a degree: one notch of an ordinary wheel is 120.
inline constexpr int kWheelNotch = 120;
// One notch with Ctrl narrows (or widens) the visible range by this factor.
inline constexpr double kWheelZoomFactor = 0.8;

struct TWheelAction {
    enum class Kind { none, scroll, zoom, unzoom };
    Kind kind = Kind::none;
    std::int64_t scrollPosition = 0;  // scroll
    double first = 0.0;               // zoom: the new visible range
    double last = 0.0;
};

// What a wheel turn of delta (positive: away from the user) at column x does to the view.
// Scrolling moves a tenth of the view's width per notch, away from the user towards the
// start of the wave; zooming keeps the sample under the pointer where it is and unzooms when
// the range would cover the whole wave. Waves of fewer than two samples never zoom.
TWheelAction WheelAction(const TWaveViewGeometry& geometry, int x, int delta, bool ctrl);

}  // namespace kalvora
