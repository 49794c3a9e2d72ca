// The rests: blocks for whole and half rests, a zigzag for the quarter and hooked stems for
// the shorter ones, followed by their dots.
#pragma once

#include "notation/glyph_ink.h"

namespace kalvora::notation {

class TSilenceGlyph {
  public:
    // lengthKind is the drawn flag length: 1, 2, 4, 8, 16, 32 or 64.
    TSilenceGlyph(TGlyphInk ink, int lengthKind, int points)
        : ink_(ink), lengthKind_(lengthKind), points_(points) {}

    int Width() const;
    // Draws with its left edge at leftX; returns the right end of the glyph and its dots.
    int Draw(Canvas& canvas, int middleY, int leftX, bool selected) const;

  private:
    int DrawRest(Canvas& canvas, int m, int a, Color pen) const;

    TGlyphInk ink_;
    int lengthKind_;
    int points_;
};

}  // namespace kalvora::notation
