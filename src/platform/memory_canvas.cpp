#include "platform/memory_canvas.h"

#include <algorithm>

namespace kalvora::platform {

MemoryCanvas::MemoryCanvas(int width, int height, Color background)
    : pixels_(static_cast<std::size_t>(std::max(width, 0)) *
                  static_cast<std::size_t>(std::max(height, 0)),
              background) {
    Attach(pixels_.data(), width, height, std::max(width, 0), 0);
}

void MemoryCanvas::DrawText(Point topLeft, std::string_view text, const Font& font) {
    texts_.push_back(DrawnText{topLeft, std::string(text), font});
}

Size MemoryCanvas::TextSize(std::string_view text, const Font& font) const {
    const int charWidth = std::max(1, 6 * font.size / 10);
    return Size{static_cast<int>(text.size()) * charWidth, font.size};
}

std::string MemoryCanvas::Art(const Rect& area, const std::map<Color, char>& legend,
                              char other) const {
    std::string art;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            const auto found = legend.find(GetPixel(x, y));
            art += found == legend.end() ? other : found->second;
        }
        art += '\n';
    }
    return art;
}

}  // namespace kalvora::platform
