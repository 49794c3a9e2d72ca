#include "shell/window_layout.h"

#include <algorithm>
#include <cmath>

namespace kalvora {
namespace {

// Shares length out into parts: part i starts at start(i); the last part takes the rest.
int PartStart(int length, int parts, int i) {
    return static_cast<int>(static_cast<long long>(length) * i / parts);
}

std::vector<WindowRect> Grid(int count, WindowRect area, int columns) {
    int rows = (count + columns - 1) / columns;
    std::vector<WindowRect> rects;
    for (int i = 0; i < count; ++i) {
        int row = i / columns;
        // The last row may hold fewer windows; they share its width.
        int inRow = row == rows - 1 ? count - row * columns : columns;
        int column = i % columns;
        int x0 = PartStart(area.width, inRow, column);
        int x1 = PartStart(area.width, inRow, column + 1);
        int y0 = PartStart(area.height, rows, row);
        int y1 = PartStart(area.height, rows, row + 1);
        rects.push_back({area.left + x0, area.top + y0, x1 - x0, y1 - y0});
    }
    return rects;
}

int GridColumns(int count) {
    return static_cast<int>(std::ceil(std::sqrt(static_cast<double>(count))));
}

}  // namespace

std::vector<WindowRect> TileHorizontally(int count, WindowRect area, int minimumHeight) {
    if (count <= 0) return {};
    if (count > 1 && area.height / count < minimumHeight) {
        return Grid(count, area, GridColumns(count));
    }
    return Grid(count, area, 1);
}

std::vector<WindowRect> TileVertically(int count, WindowRect area, int minimumWidth) {
    if (count <= 0) return {};
    if (count > 1 && area.width / count < minimumWidth) {
        return Grid(count, area, GridColumns(count));
    }
    return Grid(count, area, count);
}

std::vector<WindowRect> ArrangeIcons(int count, WindowRect area, int iconWidth, int iconHeight) {
    std::vector<WindowRect> rects;
    int perRow = std::max(1, area.width / std::max(1, iconWidth));
    for (int i = 0; i < count; ++i) {
        int row = i / perRow;
        int column = i % perRow;
        rects.push_back({area.left + column * iconWidth,
                         area.top + area.height - (row + 1) * iconHeight, iconWidth, iconHeight});
    }
    return rects;
}

}  // namespace kalvora
