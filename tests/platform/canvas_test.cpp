#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "platform/color.h"
#include "platform/memory_canvas.h"

namespace kalvora::platform {
namespace {

constexpr Color kWhite = 0xFFFFFF;
constexpr Color kBlack = 0x000000;
constexpr Color kRed = 0x0000FF;
const std::map<Color, char> kLegend{{kWhite, '.'}, {kBlack, '#'}, {kRed, 'r'}};

TEST(ColorTest, BlendsPerChannelWithTruncationAndClampsStrengthsOutsideZeroToOne) {
    EXPECT_EQ(MakeColor(0x12, 0x34, 0x56), 0x563412u);
    EXPECT_EQ(BlendColor(0xFFFFFF, 0x000000, 0.2), 0xCCCCCCu);  // 0.8·255 = 204
    EXPECT_EQ(BlendColor(0x000000, 0x0000FF, 0.5), 0x00007Fu);  // 127.5 truncated
    EXPECT_EQ(BlendColor(0x123456, 0xABCDEF, 0.0), 0x123456u);
    EXPECT_EQ(BlendColor(0x123456, 0xABCDEF, 1.0), 0xABCDEFu);
    // A strength of 2 would give 2·255 - 0 = 510 and -255: each channel saturates on its
    // own instead of carrying into its neighbour.
    EXPECT_EQ(BlendColor(0x00FF00, 0xFF00FF, 2.0), 0xFF00FFu);
    EXPECT_EQ(BlendColor(0x000000, 0xFFFFFF, 1e300), 0xFFFFFFu);
}

TEST(MemoryCanvasTest, LinesIncludeBothEndsAndEverythingIsClipped) {
    MemoryCanvas canvas(8, 5);
    canvas.DrawLine({0, 0}, {7, 3}, kBlack);
    EXPECT_EQ(canvas.Art(canvas.Bounds(), kLegend),
              "##......\n"
              "..##....\n"
              "....##..\n"
              "......##\n"
              "........\n");

    MemoryCanvas clipped(6, 4);
    clipped.SetClip({1, 1, 5, 3});
    clipped.FillRect({-10, -10, 100, 100}, kBlack);
    clipped.VerticalLine(0, 0, 3, kRed);       // left of the clip
    clipped.HorizontalLine(-50, 50, 3, kRed);  // below the clip
    clipped.SetPixel(5, 1, kRed);
    EXPECT_EQ(clipped.Art(clipped.Bounds(), kLegend),
              "......\n"
              ".####.\n"
              ".####.\n"
              "......\n");
    clipped.ResetClip();
    clipped.VerticalLine(0, 3, -7, kRed);
    EXPECT_EQ(clipped.GetPixel(0, 0), kRed);
    EXPECT_EQ(clipped.GetPixel(0, 3), kRed);
    EXPECT_EQ(clipped.GetPixel(-1, 0), 0u);
    EXPECT_EQ(clipped.GetPixel(6, 0), 0u);
}

TEST(MemoryCanvasTest, EllipseIsARoundOutlineAroundItsFill) {
    MemoryCanvas canvas(9, 9);
    canvas.Ellipse({1, 1, 8, 8}, kBlack, kRed);
    EXPECT_EQ(canvas.Art(canvas.Bounds(), kLegend),
              ".........\n"
              "...###...\n"
              "..#rrr#..\n"
              ".#rrrrr#.\n"
              ".#rrrrr#.\n"
              ".#rrrrr#.\n"
              "..#rrr#..\n"
              "...###...\n"
              ".........\n");
    MemoryCanvas flat(4, 3);
    flat.Ellipse({0, 1, 4, 2}, kBlack, std::nullopt);
    EXPECT_EQ(flat.Art(flat.Bounds(), kLegend), "....\n####\n....\n");
}

TEST(MemoryCanvasTest, PolygonFillsUpToItsEdgesWithoutGaps) {
    MemoryCanvas canvas(7, 6);
    const std::vector<Point> triangle{{0, 0}, {6, 0}, {0, 5}};
    canvas.Polygon(triangle, kBlack, kRed);
    EXPECT_EQ(canvas.Art(canvas.Bounds(), kLegend),
              "#######\n"
              "#rrrr#.\n"
              "#rrr#..\n"
              "#r##...\n"
              "##.....\n"
              "#......\n");
    MemoryCanvas outline(7, 6);
    outline.Polygon(triangle, kBlack, std::nullopt);
    EXPECT_EQ(outline.GetPixel(1, 1), kWhite);
}

TEST(MemoryCanvasTest, TextIsRecordedAndMeasuredWithFixedMetrics) {
    MemoryCanvas canvas(10, 10);
    Font font;
    font.size = 10;
    canvas.DrawText({2, 3}, "Kalvora", font);
    ASSERT_EQ(canvas.Texts().size(), 1u);
    EXPECT_EQ(canvas.Texts()[0].text, "Kalvora");
    EXPECT_EQ(canvas.Texts()[0].topLeft, (Point{2, 3}));
    EXPECT_EQ(canvas.TextSize("abc", font), (Size{18, 10}));
    EXPECT_EQ(canvas.GetPixel(2, 3), kWhite);
}

TEST(MemoryCanvasTest, WidePensStampSquaresAlongTheLine) {
    MemoryCanvas two(9, 6);
    two.DrawWideLine({1, 4}, {6, 1}, 2, kBlack);
    EXPECT_EQ(two.Art(two.Bounds(), kLegend),
              ".........\n"
              "......##.\n"
              "....####.\n"
              "..#####..\n"
              ".####....\n"
              ".##......\n");
    MemoryCanvas three(9, 7);
    three.DrawWideLine({2, 3}, {6, 3}, 3, kRed);
    three.DrawWideLine({1, 1}, {1, 1}, 1, kBlack);
    EXPECT_EQ(three.Art(three.Bounds(), kLegend),
              ".........\n"
              ".#.......\n"
              ".rrrrrrr.\n"
              ".rrrrrrr.\n"
              ".rrrrrrr.\n"
              ".........\n"
              ".........\n");
    MemoryCanvas clipped(5, 5);
    clipped.SetClip({0, 0, 3, 5});
    clipped.DrawWideLine({2, 0}, {2, 4}, 3, kBlack);
    clipped.DrawWideLine({-900000, 2}, {-800000, 2}, 3, kRed);
    EXPECT_EQ(clipped.Art(clipped.Bounds(), kLegend),
              ".##..\n"
              ".##..\n"
              ".##..\n"
              ".##..\n"
              ".##..\n");
}

TEST(MemoryCanvasTest, HatchesAreAnchoredAtTheOriginAndMayKeepTheBackground) {
    struct Case {
        Hatch hatch;
        std::optional<Color> background;
        const char* art;
    };
    const Case cases[] = {
        {Hatch::forwardDiagonal, kRed,
         "#rrrrrrr#r\n"
         "r#rrrrrrr#\n"
         "rr#rrrrrrr\n"},
        {Hatch::backwardDiagonal, std::nullopt,
         "......#...\n"
         ".....#....\n"
         "....#.....\n"},
        {Hatch::vertical, kRed,
         "rrrrrrr#rr\n"
         "rrrrrrr#rr\n"
         "rrrrrrr#rr\n"},
    };
    for (const Case& c : cases) {
        MemoryCanvas canvas(12, 5);
        canvas.HatchRect({1, 1, 11, 4}, c.hatch, kBlack, c.background);
        EXPECT_EQ(canvas.Art({1, 1, 11, 4}, kLegend), c.art);
        EXPECT_EQ(canvas.GetPixel(0, 0), kWhite);
    }
}

TEST(MemoryCanvasTest, TextOnBackgroundFillsTheTextBoxAndRecordsTheText) {
    MemoryCanvas canvas(12, 4);
    Font font;
    font.size = 3;  // one pixel per character, three rows
    canvas.DrawTextOnBackground({2, 1}, "abc", font, kRed);
    EXPECT_EQ(canvas.Art(canvas.Bounds(), kLegend),
              "............\n"
              "..rrr.......\n"
              "..rrr.......\n"
              "..rrr.......\n");
    ASSERT_EQ(canvas.Texts().size(), 1u);
    EXPECT_EQ(canvas.Texts()[0].text, "abc");
}

}  // namespace
}  // namespace kalvora::platform
