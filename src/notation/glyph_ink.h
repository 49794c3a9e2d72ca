// The colours a glyph is drawn in. A stave draws in its foreground colour on its background
// colour; a selected glyph reverses them: it stands on a highlight in the foreground colour
// and is drawn in the background colour. Standard C++ only.
#pragma once

#include "platform/canvas.h"
#include "platform/color.h"

namespace kalvora::notation {

using platform::Canvas;
using platform::Color;
using platform::Point;
using platform::Rect;

struct TGlyphInk {
    Color Foreground = 0x000000;
    Color Background = 0xFFFFFF;

    // The colour the glyph's strokes take.
    Color Pen(bool selected) const { return selected ? Background : Foreground; }
    // The colour behind the strokes where the glyph paints its own background.
    Color Paper(bool selected) const { return selected ? Foreground : Background; }
};

// The window row of staff position p (0 on the middle line, 1 per line or space upward).
inline int StaffY(int middleY, int staffPosition) {
    return middleY - 5 * staffPosition;
}

// The font of every number in the notation.
inline platform::Font NumberFont(int size, Color color) {
    platform::Font font;
    font.name = "Times New Roman";
    font.size = size;
    font.color = color;
    font.style = platform::fontStyleBold;
    return font;
}

}  // namespace kalvora::notation
