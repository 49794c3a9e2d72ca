#include "notation/measure_glyphs.h"

#include <string>

namespace kalvora::notation {

int TimeSignatureRightEnd(int leftX, int countNotes, int noteLength) {
    return leftX + (countNotes > 9 || noteLength > 9 ? 39 : 21);
}

int DrawTimeSignature(Canvas& canvas, TGlyphInk ink, int middleY, int leftX, int countNotes,
                      int noteLength, bool selected) {
    const bool wide = countNotes > 9 || noteLength > 9;
    if (selected) {
        canvas.FillRect(Rect{leftX - 2, middleY - 23, leftX + (wide ? 28 : 14), middleY + 24},
                        ink.Foreground);
    }
    const platform::Font font = NumberFont(18, ink.Pen(selected));
    canvas.DrawTextOnBackground({leftX, middleY - 23}, std::to_string(countNotes), font,
                                ink.Paper(selected));
    canvas.DrawTextOnBackground({leftX, middleY - 2}, std::to_string(noteLength), font,
                                ink.Paper(selected));
    return TimeSignatureRightEnd(leftX, countNotes, noteLength);
}

int RepeatSignWidth(int count) {
    if (count == 2) return 13;
    return count > 9 ? 40 : 26;
}

int DrawRepeatSign(Canvas& canvas, TGlyphInk ink, int middleY, int leftX, bool leftSign, int count,
                   bool selected) {
    const int a = leftX;
    const int m = middleY;
    const int w = RepeatSignWidth(count);
    const Color pen = ink.Pen(selected);
    if (selected) canvas.FillRect(Rect{a - 3, m - 23, a + w + 4, m + 24}, ink.Foreground);
    const int thick = leftSign ? a + 1 : a + w - 1;
    const int thin = leftSign ? a + 5 : a + w - 5;
    const int dots = leftSign ? a + 8 : a + w - 12;
    canvas.DrawWideLine({thick, m - 19}, {thick, m + 19}, 3, pen);
    canvas.VerticalLine(thin, m - 20, m + 20, pen);
    canvas.Ellipse(Rect{dots, m - 7, dots + 5, m - 2}, pen, pen);
    canvas.Ellipse(Rect{dots, m + 3, dots + 5, m + 8}, pen, pen);
    if (count != 2) {
        canvas.DrawTextOnBackground({leftSign ? a + 16 : a + 1, m - 13}, std::to_string(count),
                                    NumberFont(18, pen), ink.Paper(selected));
    }
    return a + w + 5;
}

}  // namespace kalvora::notation
