// The glyphs that stand on every stave at once: the time signature of a single part and
// the repeat signs of a loop part. Each call draws on one stave; the layout calls it for
// every stave at the same x and sets the symbol's touch area from the returned right end.
#pragma once

#include "notation/glyph_ink.h"

namespace kalvora::notation {

// The right end of a time signature drawn at leftX.
int TimeSignatureRightEnd(int leftX, int countNotes, int noteLength);
// Draws countNotes over noteLength; returns the right end. The bar's touch area runs from
// leftX - 2 to the right end + 2.
int DrawTimeSignature(Canvas& canvas, TGlyphInk ink, int middleY, int leftX, int countNotes,
                      int noteLength, bool selected);

// The width of the thick and thin lines, dots and count of a repeat sign.
int RepeatSignWidth(int count);
// Draws a repeat sign of a loop played count times, its dots right of its lines for the
// left sign and left of them for the right sign; returns the right end, which is also the
// touch area's right end (it starts at leftX - 2).
int DrawRepeatSign(Canvas& canvas, TGlyphInk ink, int middleY, int leftX, bool leftSign, int count,
                   bool selected);

}  // namespace kalvora::notation
