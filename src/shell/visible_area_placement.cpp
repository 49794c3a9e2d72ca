#include "shell/visible_area_placement.h"

#include <algorithm>

namespace kalvora {

WindowRect PlaceInsideVisibleArea(WindowRect wanted, WindowRect area) {
    WindowRect placed = wanted;
    placed.width = std::clamp(wanted.width, 0, std::max(area.width, 0));
    placed.height = std::clamp(wanted.height, 0, std::max(area.height, 0));
    placed.left =
        std::clamp(wanted.left, area.left, area.left + std::max(area.width, 0) - placed.width);
    placed.top =
        std::clamp(wanted.top, area.top, area.top + std::max(area.height, 0) - placed.height);
    return placed;
}

}  // namespace kalvora
