// A canvas in memory for tests (and for measuring painting without a screen): the pixels
// are kept as Color values, text is recorded instead of drawn and measured with fixed
// metrics, and Art() turns an area into characters for readable pixel-exact expectations.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/raster_canvas.h"

namespace kalvora::platform {

class MemoryCanvas final : public RasterCanvas {
  public:
    struct DrawnText {
        Point topLeft;
        std::string text;
        Font font;
    };

    MemoryCanvas(int width, int height, Color background = 0xFFFFFF);
    MemoryCanvas(const MemoryCanvas&) = delete;
    MemoryCanvas& operator=(const MemoryCanvas&) = delete;

    // Records the text; no pixels change.
    void DrawText(Point topLeft, std::string_view text, const Font& font) override;
    // Fixed metrics: every character is max(1, 6·size/10) pixels wide, the line is size
    // pixels high.
    Size TextSize(std::string_view text, const Font& font) const override;

    const std::vector<DrawnText>& Texts() const { return texts_; }

    // One line per row of area, one character per pixel: the legend's character for the
    // pixel's colour, or other for a colour the legend does not hold.
    std::string Art(const Rect& area, const std::map<Color, char>& legend, char other = '?') const;

  private:
    std::vector<std::uint32_t> pixels_;
    std::vector<DrawnText> texts_;
};

}  // namespace kalvora::platform
