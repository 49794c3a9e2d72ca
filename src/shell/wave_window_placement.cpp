#include "shell/wave_window_placement.h"

#include <cmath>

namespace kalvora {
namespace {

int ColumnOf(const platform::Rect& source, std::int32_t c, std::int32_t n) {
    if (n <= 0) return (source.left + source.right) / 2;
    return static_cast<int>(
        std::trunc(source.left + static_cast<double>(c) / n * (source.right - source.left)));
}

}  // namespace

TSplitVerticalPlacement PlaceSplitVertically(const platform::Rect& source) {
    const int m = (source.top + source.bottom) / 2;
    return {platform::Rect{source.left, source.top, source.right, m - 1},
            platform::Rect{source.left, m, source.right, source.bottom}};
}

std::vector<platform::Rect> PlaceSplitHorizontally(const platform::Rect& source, std::int32_t c1,
                                                   std::int32_t c2, std::int32_t sampleCount,
                                                   bool threeParts) {
    const int x1 = ColumnOf(source, c1, sampleCount);
    const int x2 = ColumnOf(source, c2, sampleCount);
    std::vector<platform::Rect> windows;
    windows.push_back({source.left, source.top, x1, source.bottom});
    if (threeParts) windows.push_back({x1, source.top, x2, source.bottom});
    windows.push_back({x2, source.top, source.right, source.bottom});
    return windows;
}

platform::Rect PlaceMergeHorizontally(const platform::Rect& first, const platform::Rect& last) {
    const int gap = last.left - first.right;
    return {first.left + gap / 2, (first.top + last.top) / 2, last.right - gap / 2 + 1,
            (first.bottom + last.bottom) / 2};
}

platform::Rect PlaceMergeVertically(const platform::Rect& left, const platform::Rect& right) {
    const int gap = right.top - left.bottom;
    return {(left.left + right.left) / 2, left.top + gap / 2, (left.right + right.right) / 2,
            right.bottom - gap / 2 + 1};
}

}  // namespace kalvora
