#include "notation/silence_glyph.h"

#include <vector>

namespace kalvora::notation {
namespace {

// The number of hooks of a rest shorter than a quarter: 1 for an eighth, 4 for a 64th.
int HookCount(int lengthKind) {
    int hooks = 0;
    for (int kind = lengthKind; kind > 4; kind /= 2)
        ++hooks;
    return hooks;
}

}  // namespace

int TSilenceGlyph::Width() const {
    int core = 0;
    switch (lengthKind_) {
        case 1:
        case 2:
            core = 22;
            break;
        case 4:
            core = 18;
            break;
        default:
            core = 17 + 3 * HookCount(lengthKind_);  // 20, 23, 26, 29
            break;
    }
    return core + 4 * points_;
}

int TSilenceGlyph::DrawRest(Canvas& canvas, int m, int a, Color pen) const {
    switch (lengthKind_) {
        case 1:
            canvas.FillRect(Rect{a, m - 9, a + 14, m - 4}, pen);
            return a + 16;
        case 2:
            canvas.FillRect(Rect{a, m - 5, a + 14, m}, pen);
            return a + 16;
        case 4: {
            const Point zigzag[] = {
                {a + 5, m - 15}, {a + 11, m - 6}, {a + 7, m - 1}, {a + 12, m + 6}, {a + 6, m + 5},
                {a + 9, m + 12}, {a + 7, m + 12}, {a + 2, m + 6}, {a + 3, m + 3},  {a + 7, m + 3},
                {a + 3, m - 1},  {a + 7, m - 6},  {a + 3, m - 13}};
            canvas.Polygon(zigzag, pen, pen);
            return a + 14;
        }
        default: {
            const int k = HookCount(lengthKind_);
            // The top hook sits at the right; each further one 3 to the left, 10 lower.
            const int topX = a + 3 * (k - 1);
            const int topY = m - 10;
            for (int i = 0; i < k; ++i) {
                const int ox = topX - 3 * i;
                const int oy = topY + 10 * i;
                const Point hook[] = {{ox, oy - 2},      {ox + 3, oy - 4},  {ox + 5, oy - 1},
                                      {ox + 10, oy - 3}, {ox + 10, oy - 1}, {ox + 4, oy + 3},
                                      {ox + 1, oy + 2}};
                canvas.Polygon(hook, pen, pen);
            }
            canvas.DrawWideLine({topX + 10, topY - 3}, {topX + 7 - 3 * k, topY + 10 * k + 2}, 2,
                                pen);
            return a + 3 * k + 10;
        }
    }
}

int TSilenceGlyph::Draw(Canvas& canvas, int middleY, int leftX, bool selected) const {
    const Color pen = ink_.Pen(selected);
    if (selected) {
        canvas.FillRect(Rect{leftX - 2, middleY - 22, leftX + Width() + 2, middleY + 23},
                        ink_.Foreground);
    }
    const int end = DrawRest(canvas, middleY, leftX, pen);
    for (int i = 0; i < points_; ++i) {
        canvas.Ellipse(Rect{end + 4 * i, middleY - 5, end + 4 * i + 3, middleY - 2}, pen, pen);
    }
    return end + 4 * points_;
}

}  // namespace kalvora::notation
