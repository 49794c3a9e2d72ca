// Geometry of the window commands: tiling the document windows and lining up the minimised
// ones. Standard C++ only.
#pragma once

#include <vector>

namespace kalvora {

struct WindowRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const WindowRect&, const WindowRect&) = default;
};

// Tile horizontally: the windows lie one above the other, each the full width of the area.
// Tile vertically: side by side, each the full height. The area is shared out evenly; the last
// window takes what the division leaves. With more windows than fit at the minimum size
// (minimum extent across the strips) the windows are tiled in a grid instead.
std::vector<WindowRect> TileHorizontally(int count, WindowRect area, int minimumHeight = 80);
std::vector<WindowRect> TileVertically(int count, WindowRect area, int minimumWidth = 120);

// Arrange All: minimised windows of the given size in rows from the bottom left of the area,
// left to right, the next row above when a row is full.
std::vector<WindowRect> ArrangeIcons(int count, WindowRect area, int iconWidth, int iconHeight);

}  // namespace kalvora
