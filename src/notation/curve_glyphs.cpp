#include "notation/curve_glyphs.h"

#include <vector>

namespace kalvora::notation {

void DrawFlags(Canvas& canvas, Color pen, int stemX, int startY, bool stemDown, int count) {
    // Toward the heads: up the stem for a stem pointing down.
    const int along = stemDown ? -1 : 1;
    // Sideways away from the heads: right of an up stem (which stands at the heads'
    // right), left of a down stem.
    const int side = stemDown ? -1 : 1;
    for (int i = 0; i < count; ++i) {
        const int s = stemX;
        const int y = startY + along * 6 * i;
        const auto at = [&](int dx, int length) {
            return Point{s + side * dx, y + along * length};
        };
        const Point flag[] = {at(0, 0),  at(1, 0),  at(2, 3),  at(5, 5),  at(8, 8),
                              at(9, 11), at(8, 16), at(7, 15), at(7, 12), at(5, 9),
                              at(3, 7),  at(1, 6),  at(0, 6)};
        canvas.Polygon(flag, pen, pen);
    }
}

void DrawSlur(Canvas& canvas, Color pen, Point from, Point to, int height) {
    int x1 = from.x, x2 = to.x;
    // The ends step one pixel inward so that neighbouring heads stay free.
    if (x1 < x2) {
        ++x1;
        --x2;
    } else if (x1 > x2) {
        --x1;
        ++x2;
    }
    const int y1 = from.y, y2 = to.y;
    const int inner = height > 0 ? height - 4 : height + 4;
    std::vector<Point> outline;
    outline.reserve(50);
    const auto point = [&](double t, int d) {
        const double x = x1 + (x2 - x1) * t;
        const double y = y1 + (y2 - y1) * t - 4.0 * d * t * (1.0 - t);
        return Point{static_cast<int>(x), static_cast<int>(y)};
    };
    for (int i = 0; i < 25; ++i)
        outline.push_back(point(i * 0.04, height));
    for (int i = 25; i >= 1; --i)
        outline.push_back(point(i * 0.04, inner));
    canvas.Polygon(outline, pen, pen);
}

}  // namespace kalvora::notation
