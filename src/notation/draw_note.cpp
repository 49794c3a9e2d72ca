#include "notation/draw_note.h"

#include "notation/note_shift_glyph.h"

namespace kalvora::notation {

int TDrawNote::WidthBefore() const {
    return Shift == noteShiftNone ? 0 : TNoteShift::Width(Shift);
}

void TDrawNote::Head(Canvas& canvas, const Rect& box, Color color) const {
    if (noteShape_ == NoteShapeRectangle) {
        canvas.FillRect(box, color);
    } else {
        canvas.Ellipse(box, color, color);
    }
}

TDrawNote::Extent TDrawNote::Draw(Canvas& canvas, int middleY, int left, bool selected) const {
    const int right = left + kCoreWidth;
    const int y = StaffY(middleY, Height);
    if (selected) canvas.FillRect(Rect{left - 2, y - 6, right + 2, y + 7}, ink_.Foreground);
    Extent extent{left, right + 4 * Points};
    if (Shift != noteShiftNone) {
        const TNoteShift shift(ink_, Shift, Height);
        extent.Left = left - shift.Width();
        shift.Draw(canvas, middleY, extent.Left, selected);
    }
    Head(canvas, Rect{left, y - 4, right, y + 5}, selected ? ink_.Background : noteColor_);
    if (NoteLKind <= 2) {
        Head(canvas, Rect{left + 2, y - 3, right - 2, y + 4}, ink_.Paper(selected));
    }
    for (int i = 0; i < Points; ++i) {
        canvas.Ellipse(Rect{right + 4 * i + 2, y + 2, right + 4 * i + 5, y + 5}, noteColor_,
                       noteColor_);
    }
    return extent;
}

}  // namespace kalvora::notation
