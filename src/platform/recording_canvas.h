// A canvas for tests that keeps a readable log of the calls made on it instead of pixels,
// one line per call, so that painters can be checked against golden draw-call logs. It
// draws nothing: GetPixel always answers 0. Text is measured as MemoryCanvas measures it.
#pragma once

#include <string>
#include <vector>

#include "platform/canvas.h"

namespace kalvora::platform {

class RecordingCanvas final : public Canvas {
  public:
    RecordingCanvas(int width, int height) : bounds_{0, 0, width, height}, clip_(bounds_) {}

    Rect Bounds() const override { return bounds_; }
    void SetClip(const Rect& clip) override;
    void ResetClip() override;
    Rect Clip() const override { return clip_; }
    void SetPixel(int x, int y, Color color) override;
    Color GetPixel(int, int) const override { return 0; }
    void DrawLine(Point a, Point b, Color color) override;
    void VerticalLine(int x, int y1, int y2, Color color) override;
    void HorizontalLine(int x1, int x2, int y, Color color) override;
    void FillRect(const Rect& rect, Color color) override;
    void DrawWideLine(Point a, Point b, int width, Color color) override;
    void HatchRect(const Rect& rect, Hatch hatch, Color color,
                   std::optional<Color> background) override;
    void Ellipse(const Rect& box, Color outline, std::optional<Color> fill) override;
    void Polygon(std::span<const Point> points, Color outline, std::optional<Color> fill) override;
    void DrawText(Point topLeft, std::string_view text, const Font& font) override;
    Size TextSize(std::string_view text, const Font& font) const override;

    const std::vector<std::string>& Calls() const { return calls_; }
    // The calls joined, one per line.
    std::string Log() const;
    void Clear() { calls_.clear(); }

  private:
    Rect bounds_;
    Rect clip_;
    std::vector<std::string> calls_;
};

}  // namespace kalvora::platform
