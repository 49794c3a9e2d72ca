#include "platform/recording_canvas.h"

#include <algorithm>
#include <cstdio>

namespace kalvora::platform {
namespace {

std::string ColorText(Color color) {
    char text[16];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", RedOf(color), GreenOf(color), BlueOf(color));
    return text;
}

std::string PointText(Point p) {
    return std::to_string(p.x) + "," + std::to_string(p.y);
}

std::string RectText(const Rect& r) {
    return PointText({r.left, r.top}) + "-" + PointText({r.right, r.bottom});
}

std::string FillText(std::optional<Color> fill) {
    return fill ? ColorText(*fill) : std::string("none");
}

}  // namespace

void RecordingCanvas::SetClip(const Rect& clip) {
    clip_ = clip.Intersected(bounds_);
    calls_.push_back("SetClip " + RectText(clip_));
}

void RecordingCanvas::ResetClip() {
    clip_ = bounds_;
    calls_.push_back("ResetClip");
}

void RecordingCanvas::SetPixel(int x, int y, Color color) {
    calls_.push_back("SetPixel " + PointText({x, y}) + " " + ColorText(color));
}

void RecordingCanvas::DrawLine(Point a, Point b, Color color) {
    calls_.push_back("Line " + PointText(a) + " " + PointText(b) + " " + ColorText(color));
}

void RecordingCanvas::VerticalLine(int x, int y1, int y2, Color color) {
    DrawLine({x, y1}, {x, y2}, color);
}

void RecordingCanvas::HorizontalLine(int x1, int x2, int y, Color color) {
    DrawLine({x1, y}, {x2, y}, color);
}

void RecordingCanvas::FillRect(const Rect& rect, Color color) {
    calls_.push_back("FillRect " + RectText(rect) + " " + ColorText(color));
}

void RecordingCanvas::DrawWideLine(Point a, Point b, int width, Color color) {
    calls_.push_back("WideLine " + PointText(a) + " " + PointText(b) + " w" +
                     std::to_string(width) + " " + ColorText(color));
}

void RecordingCanvas::HatchRect(const Rect& rect, Hatch hatch, Color color,
                                std::optional<Color> background) {
    static constexpr const char* kNames[] = {"forward", "backward", "vertical"};
    calls_.push_back("Hatch " + RectText(rect) + " " + kNames[static_cast<int>(hatch)] + " " +
                     ColorText(color) + " on " + FillText(background));
}

void RecordingCanvas::Ellipse(const Rect& box, Color outline, std::optional<Color> fill) {
    calls_.push_back("Ellipse " + RectText(box) + " " + ColorText(outline) + " fill " +
                     FillText(fill));
}

void RecordingCanvas::Polygon(std::span<const Point> points, Color outline,
                              std::optional<Color> fill) {
    std::string call = "Polygon";
    for (const Point& p : points)
        call += " " + PointText(p);
    calls_.push_back(call + " " + ColorText(outline) + " fill " + FillText(fill));
}

void RecordingCanvas::DrawText(Point topLeft, std::string_view text, const Font& font) {
    calls_.push_back("Text " + PointText(topLeft) + " \"" + std::string(text) + "\" " + font.name +
                     " " + std::to_string(font.size) +
                     ((font.style & fontStyleBold) != 0 ? " bold " : " ") + ColorText(font.color));
}

Size RecordingCanvas::TextSize(std::string_view text, const Font& font) const {
    const int charWidth = std::max(1, 6 * font.size / 10);
    return Size{static_cast<int>(text.size()) * charWidth, font.size};
}

std::string RecordingCanvas::Log() const {
    std::string log;
    for (const std::string& call : calls_)
        log += call + "\n";
    return log;
}

}  // namespace kalvora::platform
