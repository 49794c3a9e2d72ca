// The drawing surface the core paints on: lines, pixels, filled rectangles, ellipses,
// filled polygons and text, with a clip rectangle, and reading a pixel back (for blends
// with what is already drawn). Standard C++ only; the program implements it over Qt
// (platform/qt/image_canvas.h), the tests use MemoryCanvas (platform/memory_canvas.h).
//
// Coordinates are pixels, x to the right and y downwards. Rectangles include their left
// and top edges and exclude their right and bottom edges. Lines include both end points.
// Everything is drawn without antialiasing and is clipped to the clip rectangle.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/color.h"

namespace kalvora::platform {

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    int width = 0;
    int height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;   // exclusive
    int bottom = 0;  // exclusive

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    Rect Intersected(const Rect& other) const;
    friend bool operator==(const Rect&, const Rect&) = default;
};

enum FontStyle : unsigned {
    fontStyleNone = 0,
    fontStyleBold = 1,
    fontStyleItalic = 2,
    fontStyleUnderline = 4,
    fontStyleStrikeOut = 8,
};

// The patterns of a hatched fill: lines one pixel wide, 8 pixels apart, anchored at the
// canvas origin so that neighbouring fills line up.
enum class Hatch {
    forwardDiagonal,   // from top left to bottom right: pixels with (x - y) mod 8 = 0
    backwardDiagonal,  // from bottom left to top right: pixels with (x + y) mod 8 = 0
    vertical,          // pixels with x mod 8 = 0
};

struct Font {
    std::string name = "Arial";
    int size = 10;  // in points
    Color color = 0x000000;
    unsigned style = fontStyleNone;  // FontStyle bits
    friend bool operator==(const Font&, const Font&) = default;
};

class Canvas {
  public:
    virtual ~Canvas() = default;

    // The whole drawable area: (0, 0, width, height).
    virtual Rect Bounds() const = 0;

    // Drawing is limited to the clip rectangle (always inside Bounds()); ResetClip makes it
    // the whole area again.
    virtual void SetClip(const Rect& clip) = 0;
    virtual void ResetClip() = 0;
    virtual Rect Clip() const = 0;

    virtual void SetPixel(int x, int y, Color color) = 0;
    // The colour at (x, y); 0 outside Bounds(). Not limited by the clip rectangle.
    virtual Color GetPixel(int x, int y) const = 0;

    // A line from a to b, both included.
    virtual void DrawLine(Point a, Point b, Color color) = 0;
    // Axis-parallel lines, both ends included, in either order.
    virtual void VerticalLine(int x, int y1, int y2, Color color) = 0;
    virtual void HorizontalLine(int x1, int x2, int y, Color color) = 0;

    virtual void FillRect(const Rect& rect, Color color) = 0;

    // A line drawn with a square pen `width` pixels wide (1 is DrawLine): every pixel of
    // the one-pixel line becomes the square from (x - (width - 1) / 2, y - (width - 1) / 2)
    // of width × width pixels.
    virtual void DrawWideLine(Point a, Point b, int width, Color color) = 0;

    // Rect filled with the hatch pattern in color, its other pixels in background when
    // given (left as they are otherwise).
    virtual void HatchRect(const Rect& rect, Hatch hatch, Color color,
                           std::optional<Color> background) = 0;

    // The ellipse inscribed in box (box's right and bottom excluded): its inside filled with
    // fill when given, its one-pixel outline in outline.
    virtual void Ellipse(const Rect& box, Color outline, std::optional<Color> fill) = 0;

    // The closed polygon through points: its inside (even-odd rule) filled with fill when
    // given, its edges drawn in outline.
    virtual void Polygon(std::span<const Point> points, Color outline,
                         std::optional<Color> fill) = 0;

    // Text with its top-left corner at topLeft, on a transparent background.
    virtual void DrawText(Point topLeft, std::string_view text, const Font& font) = 0;
    virtual Size TextSize(std::string_view text, const Font& font) const = 0;

    // Text on an opaque background: the text's box (topLeft and TextSize) is filled with
    // background first.
    void DrawTextOnBackground(Point topLeft, std::string_view text, const Font& font,
                              Color background) {
        const Size size = TextSize(text, font);
        FillRect(Rect{topLeft.x, topLeft.y, topLeft.x + size.width, topLeft.y + size.height},
                 background);
        DrawText(topLeft, text, font);
    }
};

}  // namespace kalvora::platform
