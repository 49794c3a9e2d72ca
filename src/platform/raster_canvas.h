// A Canvas over a 32-bit pixel buffer that a subclass provides: every primitive except text
// is rasterised here, so that the test canvas and the program's image canvas produce the
// same pixels. Standard C++ only.
//
// Rasterisation rules: lines by Bresenham's algorithm with both ends; an ellipse in box
// holds the pixels whose centres lie inside the ellipse through the box's outer pixel
// edges, its outline being those of its pixels that have a 4-neighbour outside; a polygon's
// vertices are pixel centres: it fills the pixels whose centres lie inside it (even-odd
// rule), then its edges are drawn.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "platform/canvas.h"

namespace kalvora::platform {

class RasterCanvas : public Canvas {
  public:
    Rect Bounds() const override { return Rect{0, 0, width_, height_}; }

    void SetClip(const Rect& clip) override { clip_ = clip.Intersected(Bounds()); }
    void ResetClip() override { clip_ = Bounds(); }
    Rect Clip() const override { return clip_; }

    void SetPixel(int x, int y, Color color) override;
    Color GetPixel(int x, int y) const override;
    void DrawLine(Point a, Point b, Color color) override;
    void VerticalLine(int x, int y1, int y2, Color color) override;
    void HorizontalLine(int x1, int x2, int y, Color color) override;
    void FillRect(const Rect& rect, Color color) override;
    void DrawWideLine(Point a, Point b, int width, Color color) override;
    void HatchRect(const Rect& rect, Hatch hatch, Color color,
                   std::optional<Color> background) override;
    void Ellipse(const Rect& box, Color outline, std::optional<Color> fill) override;
    void Polygon(std::span<const Point> points, Color outline, std::optional<Color> fill) override;

  protected:
    RasterCanvas() = default;
    // Points the canvas at a buffer of height rows of width pixels, rows stride pixels
    // apart. A pixel stores its colour ORed with fixedBits (an opaque alpha byte for
    // image formats that carry one); reading masks it off again.
    void Attach(std::uint32_t* bits, int width, int height, std::ptrdiff_t stride,
                std::uint32_t fixedBits);

  private:
    // A run of pixels in row y, both ends included, clipped.
    void Span(int y, int x1, int x2, Color color);
    void Plot(int x, int y, Color color) {
        if (clip_.Contains(x, y)) bits_[y * stride_ + x] = color | fixedBits_;
    }

    std::uint32_t* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    std::ptrdiff_t stride_ = 0;
    std::uint32_t fixedBits_ = 0;
    Rect clip_;
};

}  // namespace kalvora::platform
