// The curved glyphs: the flags of a lone short note and the slur shape that ties and
// legato marks use.
#pragma once

#include "notation/glyph_ink.h"

namespace kalvora::notation {

// Draws `count` flags on the stem at stemX, the first starting at the stem's end startY;
// stemDown tells on which side of the heads the stem lies (flags run toward the heads).
void DrawFlags(Canvas& canvas, Color pen, int stemX, int startY, bool stemDown, int count);

// A filled crescent from (x1, y) to (x2, y): it bulges upward by about height pixels when
// height is positive and downward when it is negative; the inner curve lies 4 pixels
// nearer to the ends' line than the outer one.
void DrawSlur(Canvas& canvas, Color pen, Point from, Point to, int height);

}  // namespace kalvora::notation
