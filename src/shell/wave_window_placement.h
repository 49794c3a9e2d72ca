// Where the windows made by split and merge go, from the bounds of the windows they come
// from: split vertically stacks the two channels' windows in the source's place, split
// horizontally puts the parts side by side where their samples lay, and a merge takes the
// middle ground of its two sources. Bounds are (left, top, right, bottom) in the frame's
// document area. Standard C++ only.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/canvas.h"

namespace kalvora {

// Split vertically: the left channel's window takes the rows top .. m - 1, the right
// channel's the rows m .. bottom, m = (top + bottom) div 2; both the full width.
struct TSplitVerticalPlacement {
    platform::Rect left;
    platform::Rect right;
};
TSplitVerticalPlacement PlaceSplitVertically(const platform::Rect& source);

// Split horizontally into two or three parts: c1 is the sample where the first part ends and
// c2 the sample where the last part begins (c1 > c2 when the selected part goes into both);
// each lies at the column trunc(left + c/n·(right - left)) of the source, or in the middle
// for an empty wave. The windows have the source's full height: the first part from left to
// x1, a middle part from x1 to x2, the last part from x2 to right.
std::vector<platform::Rect> PlaceSplitHorizontally(const platform::Rect& source, std::int32_t c1,
                                                   std::int32_t c2, std::int32_t sampleCount,
                                                   bool threeParts);

// Merge horizontally (first window, last window) and vertically (left window, right window):
// the gap between the two is shared out (div truncates toward zero).
platform::Rect PlaceMergeHorizontally(const platform::Rect& first, const platform::Rect& last);
platform::Rect PlaceMergeVertically(const platform::Rect& left, const platform::Rect& right);

}  // namespace kalvora
