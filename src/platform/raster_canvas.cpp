#include "platform/raster_canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace kalvora::platform {
namespace {

// Visits every pixel of the one-pixel line from a to b (Bresenham over 64-bit error terms,
// so that far-away end points cannot overflow).
template <typename Visit>
void WalkLine(Point a, Point b, Visit visit) {
    long long x = a.x, y = a.y;
    const long long dx = std::llabs(static_cast<long long>(b.x) - a.x);
    const long long dy = -std::llabs(static_cast<long long>(b.y) - a.y);
    const int sx = a.x < b.x ? 1 : -1;
    const int sy = a.y < b.y ? 1 : -1;
    long long error = dx + dy;
    for (;;) {
        visit(static_cast<int>(x), static_cast<int>(y));
        if (x == b.x && y == b.y) break;
        const long long twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x += sx;
        }
        if (twice <= dx) {
            error += dx;
            y += sy;
        }
    }
}

}  // namespace

Rect Rect::Intersected(const Rect& other) const {
    Rect result{std::max(left, other.left), std::max(top, other.top), std::min(right, other.right),
                std::min(bottom, other.bottom)};
    if (result.IsEmpty()) return Rect{result.left, result.top, result.left, result.top};
    return result;
}

void RasterCanvas::Attach(std::uint32_t* bits, int width, int height, std::ptrdiff_t stride,
                          std::uint32_t fixedBits) {
    bits_ = bits;
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    stride_ = stride;
    fixedBits_ = fixedBits;
    clip_ = Bounds();
}

void RasterCanvas::SetPixel(int x, int y, Color color) {
    Plot(x, y, color);
}

Color RasterCanvas::GetPixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    return bits_[y * stride_ + x] & 0x00FFFFFFu;
}

void RasterCanvas::Span(int y, int x1, int x2, Color color) {
    if (y < clip_.top || y >= clip_.bottom) return;
    const int from = std::max(std::min(x1, x2), clip_.left);
    const int to = std::min(std::max(x1, x2), clip_.right - 1);
    if (from > to) return;
    std::uint32_t* row = bits_ + y * stride_;
    std::fill(row + from, row + to + 1, color | fixedBits_);
}

void RasterCanvas::HorizontalLine(int x1, int x2, int y, Color color) {
    Span(y, x1, x2, color);
}

void RasterCanvas::VerticalLine(int x, int y1, int y2, Color color) {
    if (x < clip_.left || x >= clip_.right) return;
    const int from = std::max(std::min(y1, y2), clip_.top);
    const int to = std::min(std::max(y1, y2), clip_.bottom - 1);
    const std::uint32_t stored = color | fixedBits_;
    for (int y = from; y <= to; ++y)
        bits_[y * stride_ + x] = stored;
}

void RasterCanvas::FillRect(const Rect& rect, Color color) {
    const Rect area = rect.Intersected(clip_);
    for (int y = area.top; y < area.bottom; ++y)
        Span(y, area.left, area.right - 1, color);
}

void RasterCanvas::DrawWideLine(Point a, Point b, int width, Color color) {
    if (width <= 1) return DrawLine(a, b, color);
    const int back = (width - 1) / 2;
    const Rect reach{clip_.left - width, clip_.top - width, clip_.right + width,
                     clip_.bottom + width};
    if ((a.x < reach.left && b.x < reach.left) || (a.x >= reach.right && b.x >= reach.right) ||
        (a.y < reach.top && b.y < reach.top) || (a.y >= reach.bottom && b.y >= reach.bottom)) {
        return;
    }
    // The squares of a pen wider than one pixel are stamped along a one-pixel line; a
    // scratch canvas is not needed because stamping the same colour twice is harmless.
    const auto stamp = [&](int x, int y) {
        FillRect(Rect{x - back, y - back, x - back + width, y - back + width}, color);
    };
    WalkLine(a, b, stamp);
}

void RasterCanvas::HatchRect(const Rect& rect, Hatch hatch, Color color,
                             std::optional<Color> background) {
    const Rect area = rect.Intersected(clip_);
    const auto onPattern = [hatch](int x, int y) {
        // Floor modulo, so that the pattern continues through negative coordinates.
        const auto mod8 = [](int v) { return ((v % 8) + 8) % 8; };
        switch (hatch) {
            case Hatch::forwardDiagonal:
                return mod8(x - y) == 0;
            case Hatch::backwardDiagonal:
                return mod8(x + y) == 0;
            case Hatch::vertical:
                return mod8(x) == 0;
        }
        return false;
    };
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if (onPattern(x, y)) {
                Plot(x, y, color);
            } else if (background) {
                Plot(x, y, *background);
            }
        }
    }
}

void RasterCanvas::DrawLine(Point a, Point b, Color color) {
    if (a.x == b.x) return VerticalLine(a.x, a.y, b.y, color);
    if (a.y == b.y) return HorizontalLine(a.x, b.x, a.y, color);
    // A line wholly on one side of the clip rectangle draws nothing.
    if ((a.x < clip_.left && b.x < clip_.left) || (a.x >= clip_.right && b.x >= clip_.right) ||
        (a.y < clip_.top && b.y < clip_.top) || (a.y >= clip_.bottom && b.y >= clip_.bottom)) {
        return;
    }
    WalkLine(a, b, [&](int x, int y) { Plot(x, y, color); });
}

void RasterCanvas::Ellipse(const Rect& box, Color outline, std::optional<Color> fill) {
    if (box.IsEmpty()) return;
    const double cx = box.left + (box.Width() - 1) / 2.0;
    const double cy = box.top + (box.Height() - 1) / 2.0;
    const double ax = box.Width() / 2.0;
    const double ay = box.Height() / 2.0;
    struct RowSpan {
        int from = 1;
        int to = 0;  // empty while from > to
        bool Has(int x) const { return x >= from && x <= to; }
    };
    const auto spanOf = [&](int y) {
        if (y < box.top || y >= box.bottom) return RowSpan{};
        const double dy = (y - cy) / ay;
        const double half = ax * std::sqrt(std::max(0.0, 1.0 - dy * dy));
        return RowSpan{static_cast<int>(std::ceil(cx - half)),
                       static_cast<int>(std::floor(cx + half))};
    };
    const int yFrom = std::max(box.top, clip_.top);
    const int yTo = std::min(box.bottom, clip_.bottom);
    if (yFrom >= yTo) return;
    RowSpan above = spanOf(yFrom - 1);
    RowSpan row = spanOf(yFrom);
    for (int y = yFrom; y < yTo; ++y) {
        const RowSpan below = spanOf(y + 1);
        const int xFrom = std::max(row.from, clip_.left);
        const int xTo = std::min(row.to, clip_.right - 1);
        for (int x = xFrom; x <= xTo; ++x) {
            const bool edge = x == row.from || x == row.to || !above.Has(x) || !below.Has(x);
            if (edge) {
                Plot(x, y, outline);
            } else if (fill) {
                Plot(x, y, *fill);
            }
        }
        above = row;
        row = below;
    }
}

void RasterCanvas::Polygon(std::span<const Point> points, Color outline,
                           std::optional<Color> fill) {
    if (points.empty()) return;
    if (fill && points.size() >= 3) {
        int minY = points[0].y, maxY = points[0].y;
        for (const Point& p : points) {
            minY = std::min(minY, p.y);
            maxY = std::max(maxY, p.y);
        }
        minY = std::max(minY, clip_.top);
        maxY = std::min(maxY, clip_.bottom - 1);
        std::vector<double> crossings;
        for (int y = minY; y <= maxY; ++y) {
            // Vertices name pixel centres, as the edges drawn below do, so that the fill
            // meets its outline without gaps.
            const double centre = y;
            crossings.clear();
            for (std::size_t i = 0; i < points.size(); ++i) {
                const Point& p = points[i];
                const Point& q = points[(i + 1) % points.size()];
                if (p.y == q.y) continue;
                const double low = std::min(p.y, q.y), high = std::max(p.y, q.y);
                if (centre < low || centre >= high) continue;
                crossings.push_back(p.x + (centre - p.y) * (q.x - p.x) / (q.y - p.y));
            }
            std::sort(crossings.begin(), crossings.end());
            // Crossings far outside the clip are pulled in before they become pixels.
            const double low = clip_.left - 1.0, high = clip_.right + 1.0;
            for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
                const double x1 = std::clamp(crossings[i], low, high);
                const double x2 = std::clamp(crossings[i + 1], low, high);
                const int from = static_cast<int>(std::ceil(x1));
                const int to = static_cast<int>(std::floor(x2));
                if (from <= to) Span(y, from, to, *fill);
            }
        }
    }
    for (std::size_t i = 0; i < points.size(); ++i) {
        DrawLine(points[i], points[(i + 1) % points.size()], outline);
    }
}

}  // namespace kalvora::platform
