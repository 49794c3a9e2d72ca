// Which parts of a wave view to repaint when the selection changes: only the strips whose
// selection state changed, plus the old and the new cursor line. Core code: standard C++ and
// the view geometry.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/canvas.h"
#include "shell/wave_view_geometry.h"

namespace kalvora {

// The sample the cursor line stands on: the first end, or the last sample when the first
// end is the wave's end.
std::int32_t CursorSample(std::int32_t firstEnd, std::int32_t sampleCount);

// The client strips to repaint when the selection ends (oldFirst, oldSecond) become
// (newFirst, newSecond); none in a view narrower than 2 pixels. The geometry holds the new
// sample count.
std::vector<platform::Rect> SelectionRepaintRects(const TWaveViewGeometry& geometry,
                                                  std::int32_t oldFirst, std::int32_t oldSecond,
                                                  std::int32_t newFirst, std::int32_t newSecond);

}  // namespace kalvora
