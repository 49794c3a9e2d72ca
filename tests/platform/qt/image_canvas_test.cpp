#include "platform/qt/image_canvas.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include <QGuiApplication>
#include <QImage>

#include "platform/memory_canvas.h"

namespace kalvora::platform {
namespace {

// Draws the same scene of every primitive except text.
void DrawScene(Canvas& canvas) {
    canvas.FillRect({2, 2, 30, 20}, 0x336699);
    canvas.DrawLine({0, 0}, {39, 23}, 0x0000FF);
    canvas.VerticalLine(35, 1, 22, 0x00FF00);
    canvas.Ellipse({5, 5, 17, 14}, 0x000000, 0xFFFF00);
    const std::vector<Point> polygon{{20, 3}, {38, 10}, {25, 22}};
    canvas.SetClip({0, 0, 36, 24});
    canvas.Polygon(polygon, 0xFF0000, 0x808080);
    canvas.ResetClip();
    canvas.SetPixel(39, 0, 0x123456);
    canvas.DrawWideLine({3, 20}, {12, 16}, 2, 0x00AA00);
    canvas.DrawWideLine({30, 2}, {36, 12}, 3, 0xAA0000);
    canvas.HatchRect({24, 14, 34, 23}, Hatch::backwardDiagonal, 0x404040, 0xFFFFFF);
}

// Made by the tests' environment (qt_environment.cpp).
QGuiApplication& App() {
    return *qobject_cast<QGuiApplication*>(QCoreApplication::instance());
}

TEST(ImageCanvasTest, PaintsTheSamePixelsAsTheMemoryCanvas) {
    MemoryCanvas memory(40, 24, 0xEEEEEE);
    ImageCanvas image(40, 24, 0xEEEEEE);
    DrawScene(memory);
    DrawScene(image);
    const QImage picture = image.Image();
    for (int y = 0; y < 24; ++y) {
        for (int x = 0; x < 40; ++x) {
            ASSERT_EQ(image.GetPixel(x, y), memory.GetPixel(x, y)) << x << "," << y;
            const QRgb rgb = picture.pixel(x, y);
            ASSERT_EQ(MakeColor(qRed(rgb), qGreen(rgb), qBlue(rgb)), memory.GetPixel(x, y));
        }
    }
}

TEST(ImageCanvasTest, SavesAPngThatReadsBackAndReportsFailures) {
    ImageCanvas canvas(5, 3, 0xFFFFFF);
    canvas.SetPixel(1, 2, 0x0000FF);
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / "kalvora_image_canvas_test.png";
    std::string error;
    ASSERT_TRUE(canvas.SavePng(file, error)) << error;
    QImage read(QString::fromStdString(file.string()));
    ASSERT_EQ(read.size(), QSize(5, 3));
    EXPECT_EQ(read.pixel(1, 2), qRgb(255, 0, 0));
    EXPECT_EQ(read.pixel(0, 0), qRgb(255, 255, 255));
    std::filesystem::remove(file);

    EXPECT_FALSE(canvas.SavePng("/nonexistent-folder/x.png", error));
    EXPECT_NE(error.find("nonexistent-folder"), std::string::npos) << error;
}

TEST(ImageCanvasTest, DrawsTextInsideTheClipOnly) {
    App();
    ImageCanvas canvas(80, 30, 0xFFFFFF);
    Font font;
    font.size = 12;
    const Size size = canvas.TextSize("Wave", font);
    EXPECT_GT(size.width, 10);
    EXPECT_GT(size.height, 5);
    canvas.SetClip({0, 0, 40, 30});
    canvas.DrawText({2, 2}, "WWWWWWWWWW", font);
    int inked = 0, outside = 0;
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 80; ++x) {
            if (canvas.GetPixel(x, y) != 0xFFFFFF) ++(x < 40 ? inked : outside);
        }
    }
    EXPECT_GT(inked, 20);
    EXPECT_EQ(outside, 0);
}

TEST(ImageCanvasTest, TextOnBackgroundFillsItsBoxFirst) {
    App();
    ImageCanvas canvas(80, 30, 0xFFFFFF);
    Font font;
    font.name = "Times New Roman";
    font.size = 18;
    font.style = fontStyleBold;
    const Size size = canvas.TextSize("12", font);
    canvas.DrawTextOnBackground({1, 1}, "12", font, 0x00FF00);
    EXPECT_EQ(canvas.GetPixel(1, 1), 0x00FF00u);
    EXPECT_EQ(canvas.GetPixel(size.width, size.height), 0x00FF00u);
    EXPECT_EQ(canvas.GetPixel(size.width + 1, 1), 0xFFFFFFu);
    int inked = 0;
    for (int y = 1; y <= size.height; ++y) {
        for (int x = 1; x <= size.width; ++x)
            inked += canvas.GetPixel(x, y) == 0;
    }
    EXPECT_GT(inked, 20);
}

}  // namespace
}  // namespace kalvora::platform
