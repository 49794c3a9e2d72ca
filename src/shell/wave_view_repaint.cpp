#include "shell/wave_view_repaint.h"

namespace kalvora {

std::int32_t CursorSample(std::int32_t firstEnd, std::int32_t sampleCount) {
    return firstEnd == sampleCount && sampleCount > 0 ? sampleCount - 1 : firstEnd;
}

std::vector<platform::Rect> SelectionRepaintRects(const TWaveViewGeometry& geometry,
                                                  std::int32_t oldFirst, std::int32_t oldSecond,
                                                  std::int32_t newFirst, std::int32_t newSecond) {
    std::vector<platform::Rect> rects;
    const std::int32_t n = geometry.SampleCount();
    const auto add = [&](std::optional<platform::Rect> strip) {
        if (strip) rects.push_back(*strip);
    };
    for (const TSampleRange& range :
         SelectionChangeRanges({oldFirst, oldSecond}, {newFirst, newSecond}, n)) {
        add(geometry.RangeStrip(range.begin, range.end));
    }
    add(geometry.StripAt(CursorSample(oldFirst, n)));
    add(geometry.StripAt(CursorSample(newFirst, n)));
    return rects;
}

}  // namespace kalvora
