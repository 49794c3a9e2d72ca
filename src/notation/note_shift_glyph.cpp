#include "notation/note_shift_glyph.h"

#include <vector>

namespace kalvora::notation {

int TNoteShift::Width(TNoteShiftKind kind) {
    switch (kind) {
        case noteShiftDoubleKruis:
            return 15;
        case noteShiftKruis:
            return 13;
        case noteShiftNormal:
            return 10;
        case noteShiftMol:
            return 12;
        case noteShiftDoubleMol:
            return 24;
        case noteShiftNone:
            break;
    }
    return 0;
}

void TNoteShift::DrawFlat(Canvas& canvas, int a, int y, Color pen) const {
    canvas.VerticalLine(a, y - 15, y + 5, pen);
    // The belly: round at the top right, running to a point at the stem's foot.
    const Point belly[] = {{a, y - 2},     {a + 3, y - 5}, {a + 6, y - 5}, {a + 8, y - 4},
                           {a + 8, y - 1}, {a + 5, y + 2}, {a, y + 5}};
    canvas.Polygon(belly, pen, pen);
}

int TNoteShift::Draw(Canvas& canvas, int middleY, int leftX, bool selected) const {
    const int a = leftX;
    const int y = StaffY(middleY, staffPosition_);
    const Color pen = ink_.Pen(selected);
    const auto highlight = [&](int left, int top, int right, int bottom) {
        if (selected)
            canvas.FillRect(Rect{a + left, y + top, a + right, y + bottom}, ink_.Foreground);
    };
    switch (kind_) {
        case noteShiftKruis:
            highlight(-3, -14, 13, 14);
            canvas.VerticalLine(a + 2, y - 9, y + 12, pen);
            canvas.VerticalLine(a + 7, y - 11, y + 10, pen);
            canvas.DrawWideLine({a - 1, y}, {a + 9, y - 6}, 2, pen);
            canvas.DrawWideLine({a - 1, y + 6}, {a + 9, y}, 2, pen);
            break;
        case noteShiftNormal:
            highlight(-3, -15, 9, 15);
            canvas.VerticalLine(a, y - 12, y + 6, pen);
            canvas.VerticalLine(a + 6, y - 6, y + 12, pen);
            canvas.DrawWideLine({a, y - 5}, {a + 5, y - 8}, 3, pen);
            canvas.DrawWideLine({a, y + 6}, {a + 5, y + 3}, 3, pen);
            break;
        case noteShiftMol:
            highlight(-3, -18, 12, 8);
            DrawFlat(canvas, a, y, pen);
            break;
        case noteShiftDoubleMol:
            highlight(-3, -18, 24, 8);
            DrawFlat(canvas, a, y, pen);
            DrawFlat(canvas, a + 12, y, pen);
            break;
        case noteShiftDoubleKruis: {
            highlight(-3, -9, 15, 9);
            // A wedge pointing right and its mirror image about a + 6 make the cross.
            const Point left[] = {{a, y - 3},     {a + 2, y - 3}, {a + 5, y},
                                  {a + 2, y + 3}, {a, y + 3},     {a + 2, y}};
            Point right[std::size(left)];
            for (std::size_t i = 0; i < std::size(left); ++i)
                right[i] = Point{2 * (a + 6) - left[i].x, left[i].y};
            canvas.Polygon(left, pen, pen);
            canvas.Polygon(right, pen, pen);
            break;
        }
        case noteShiftNone:
            return leftX;
    }
    return leftX + Width();
}

}  // namespace kalvora::notation
