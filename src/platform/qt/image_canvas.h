// The canvas the program paints on: a QImage whose pixels are set by the shared
// rasteriser (so they match MemoryCanvas pixel for pixel) and whose text is drawn with
// QPainter. Views paint into one and draw it onto the widget; kalvora-cli saves it as PNG.
#pragma once

#include <filesystem>
#include <string>

#include <QImage>

#include "platform/raster_canvas.h"

class QPainter;
class QPoint;

namespace kalvora::platform {

class ImageCanvas final : public RasterCanvas {
  public:
    ImageCanvas(int width, int height, Color background = 0xFFFFFF);
    ImageCanvas(const ImageCanvas&) = delete;
    ImageCanvas& operator=(const ImageCanvas&) = delete;

    // Text needs a running QGuiApplication (the program and the GUI tests have one).
    void DrawText(Point topLeft, std::string_view text, const Font& font) override;
    Size TextSize(std::string_view text, const Font& font) const override;

    // A copy of the picture; the canvas keeps its own pixels to paint on.
    QImage Image() const;
    // Draws the picture with its top-left corner at `at` (the double buffer's blit).
    void DrawOnto(QPainter& painter, const QPoint& at) const;

    // Writes the picture as a PNG file; the target is replaced only by a complete file.
    // On failure returns false with the reason in errorText.
    bool SavePng(const std::filesystem::path& file, std::string& errorText) const;

  private:
    QImage image_;
};

}  // namespace kalvora::platform
