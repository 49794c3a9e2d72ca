// The five accidentals drawn before note heads and in key signatures.
#pragma once

#include "music/music_kinds.h"
#include "notation/glyph_ink.h"

namespace kalvora::notation {

class TNoteShift {
  public:
    TNoteShift(TGlyphInk ink, TNoteShiftKind kind, int staffPosition)
        : ink_(ink), kind_(kind), staffPosition_(staffPosition) {}

    // The horizontal room of an accidental of this kind.
    static int Width(TNoteShiftKind kind);
    int Width() const { return Width(kind_); }

    // Draws with the left edge at leftX on the stave whose middle line is at middleY;
    // returns the right end (leftX + Width()).
    int Draw(Canvas& canvas, int middleY, int leftX, bool selected) const;

  private:
    void DrawFlat(Canvas& canvas, int a, int y, Color pen) const;

    TGlyphInk ink_;
    TNoteShiftKind kind_;
    int staffPosition_;
};

}  // namespace kalvora::notation
