#include "notation/key_glyph.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "notation/note_shift_glyph.h"

namespace kalvora::notation {
namespace {

struct ClefFrame {
    Rect box;        // the highlight, relative to (a, M)
    int touchRight;  // relative to a
    int markAbove;   // y origin of octave marks above the clef, relative to M
    int markBelow;   // and below it
    int markX;       // x of the octave marks, relative to a
};

ClefFrame FrameOf(TKeyKind kind) {
    switch (kind) {
        case keyKindG:
            return {Rect{-2, -34, 29, 33}, 28, -44, 34, 9};
        case keyKindC:
            return {Rect{-3, -23, 28, 23}, 28, -34, 24, 9};
        case keyKindF:
            break;
    }
    return {Rect{-2, -22, 28, 13}, 27, -33, 14, 8};
}

// The G clef: a slanted spine with a loop on top, a round body about the G line (MiddleY +
// 10) and a ball at its foot.
void DrawGClef(Canvas& canvas, int a, int m, Color pen, Color paper) {
    canvas.Ellipse(Rect{a + 1, m - 6, a + 27, m + 22}, pen, pen);
    canvas.Ellipse(Rect{a + 4, m - 3, a + 24, m + 19}, pen, paper);
    canvas.Ellipse(Rect{a + 10, m + 4, a + 18, m + 13}, pen, pen);
    const Point loop[] = {{a + 16, m - 33}, {a + 21, m - 30}, {a + 22, m - 24}, {a + 18, m - 16},
                          {a + 11, m - 8},  {a + 9, m - 6},   {a + 10, m - 11}, {a + 16, m - 18},
                          {a + 19, m - 24}, {a + 18, m - 29}, {a + 15, m - 28}, {a + 14, m - 22}};
    canvas.Polygon(loop, pen, pen);
    canvas.DrawWideLine({a + 14, m - 22}, {a + 17, m + 26}, 3, pen);
    canvas.DrawWideLine({a + 17, m + 26}, {a + 12, m + 30}, 2, pen);
    canvas.Ellipse(Rect{a + 5, m + 23, a + 13, m + 31}, pen, pen);
}

// The C clef: a thick and a thin bar and two bows meeting at the middle line.
void DrawCClef(Canvas& canvas, int a, int m, Color pen) {
    canvas.FillRect(Rect{a, m - 20, a + 5, m + 21}, pen);
    canvas.FillRect(Rect{a + 7, m - 20, a + 9, m + 21}, pen);
    const Point upper[] = {{a + 9, m},       {a + 14, m - 6},  {a + 18, m - 5},  {a + 22, m - 10},
                           {a + 21, m - 17}, {a + 16, m - 19}, {a + 13, m - 16}, {a + 17, m - 14},
                           {a + 17, m - 12}, {a + 15, m - 9},  {a + 12, m - 6}};
    std::vector<Point> lower;
    for (const Point& p : upper)
        lower.push_back(Point{p.x, 2 * m - p.y});
    canvas.Polygon(upper, pen, pen);
    canvas.Polygon(lower, pen, pen);
    canvas.Ellipse(Rect{a + 18, m - 21, a + 27, m - 12}, pen, pen);
    canvas.Ellipse(Rect{a + 18, m + 12, a + 27, m + 21}, pen, pen);
}

// The F clef: a ball on the F line (MiddleY - 10), a hook curling down to the left and two
// dots around the F line right of it.
void DrawFClef(Canvas& canvas, int a, int m, Color pen) {
    canvas.Ellipse(Rect{a, m - 14, a + 8, m - 6}, pen, pen);
    const Point hook[] = {{a + 1, m - 13},  {a + 5, m - 19}, {a + 11, m - 21}, {a + 17, m - 19},
                          {a + 20, m - 13}, {a + 19, m - 5}, {a + 13, m + 3},  {a + 3, m + 10},
                          {a, m + 12},      {a + 9, m + 3},  {a + 15, m - 5},  {a + 15, m - 13},
                          {a + 12, m - 18}, {a + 7, m - 17}};
    canvas.Polygon(hook, pen, pen);
    canvas.Ellipse(Rect{a + 23, m - 17, a + 28, m - 12}, pen, pen);
    canvas.Ellipse(Rect{a + 23, m - 8, a + 28, m - 3}, pen, pen);
}

// The octave mark, 10 pixels high from top: an "8", or "15" for two octaves.
void DrawOctaveMark(Canvas& canvas, int x, int top, bool twoOctaves, Color pen, Color paper) {
    if (twoOctaves) {
        canvas.FillRect(Rect{x, top, x + 2, top + 10}, pen);
        const Point five[] = {{x + 9, top},     {x + 4, top},     {x + 4, top + 4},
                              {x + 8, top + 4}, {x + 9, top + 6}, {x + 8, top + 9},
                              {x + 4, top + 9}, {x + 4, top + 8}, {x + 7, top + 8},
                              {x + 7, top + 5}, {x + 3, top + 5}, {x + 3, top - 1},
                              {x + 9, top - 1}};
        canvas.Polygon(five, pen, pen);
        return;
    }
    canvas.Ellipse(Rect{x + 1, top, x + 6, top + 5}, pen, paper);
    canvas.Ellipse(Rect{x, top + 4, x + 7, top + 10}, pen, paper);
}

}  // namespace

int DrawKeyGlyph(Canvas& canvas, TGlyphInk ink, int middleY, TKey& key, int leftX, bool selected) {
    const int a = leftX;
    const int m = middleY;
    const ClefFrame frame = FrameOf(key.GetKeyKind());
    const Color pen = ink.Pen(selected);
    const Color paper = ink.Paper(selected);
    if (selected) {
        // The octave mark lies outside the clef's box; the highlight reaches over it so that
        // the mark, drawn in the background colour, stays visible.
        Rect box = frame.box;
        if (key.AddOctaves > 0) box.top = std::min(box.top, frame.markAbove - 1);
        if (key.AddOctaves < 0) box.bottom = std::max(box.bottom, frame.markBelow + 11);
        canvas.FillRect(Rect{a + box.left, m + box.top, a + box.right, m + box.bottom},
                        ink.Foreground);
    }
    switch (key.GetKeyKind()) {
        case keyKindG:
            DrawGClef(canvas, a, m, pen, paper);
            break;
        case keyKindC:
            DrawCClef(canvas, a, m, pen);
            break;
        case keyKindF:
            DrawFClef(canvas, a, m, pen);
            break;
    }
    if (key.AddOctaves != 0) {
        const int top = key.AddOctaves > 0 ? m + frame.markAbove : m + frame.markBelow;
        DrawOctaveMark(canvas, a + frame.markX, top, std::abs(key.AddOctaves) > 1, pen, paper);
    }
    int x = a + frame.touchRight + 3;
    for (int k = 0; k < 7; ++k) {
        const int index = key.SharpPlace(k);
        if (key.NoteShiftKinds[index] != noteShiftKruis) continue;
        x = TNoteShift(ink, noteShiftKruis, key.SignatureDrawPosition(index, true))
                .Draw(canvas, m, x, selected);
    }
    for (int k = 0; k < 7; ++k) {
        const int index = key.FlatPlace(k);
        if (key.NoteShiftKinds[index] != noteShiftMol) continue;
        x = TNoteShift(ink, noteShiftMol, key.SignatureDrawPosition(index, false))
                .Draw(canvas, m, x, selected);
    }
    key.TouchLeft = a;
    key.TouchRight = x;
    key.HasTouch = 1;
    return x + 2;
}

}  // namespace kalvora::notation
