// One note head as the layout draws it: its accidental, the head (round or square, hollow
// for whole and half notes) and its dots.
#pragma once

#include "music/music_kinds.h"
#include "notation/glyph_ink.h"

namespace kalvora::notation {

class TDrawNote {
  public:
    struct Extent {
        int Left = 0;   // where the accidental (or the head) begins
        int Right = 0;  // the head's right edge plus the dots
    };

    TDrawNote(TGlyphInk ink, Color noteColor, int noteShape, int noteLKind, int points, int height,
              TNoteShiftKind shift)
        : ink_(ink),
          noteColor_(noteColor),
          noteShape_(noteShape),
          NoteLKind(noteLKind),
          Points(points),
          Height(height),
          Shift(shift) {}

    static constexpr int kCoreWidth = 10;

    int WidthBefore() const;
    int WidthCore() const { return kCoreWidth; }
    int WidthAfter() const { return 4 * Points + 8; }

    // Draws the head between left and left + 10 on the stave whose middle line is at
    // middleY; the extent is the note's touch area.
    Extent Draw(Canvas& canvas, int middleY, int left, bool selected) const;

  private:
    void Head(Canvas& canvas, const Rect& box, Color color) const;

    TGlyphInk ink_;
    Color noteColor_;
    int noteShape_;

  public:
    int NoteLKind;  // flag length kind: 1 .. 64
    int Points;     // dots drawn
    int Height;     // staff position
    TNoteShiftKind Shift;
};

}  // namespace kalvora::notation
