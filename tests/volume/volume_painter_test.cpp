#include "volume/volume_painter.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/memory_canvas.h"

namespace kalvora {
namespace {

using platform::MemoryCanvas;
using platform::Rect;

constexpr Color kUntouched = 0x123456;
constexpr Color kWhite = 0xFFFFFF;
constexpr Color kBlack = 0x000000;
constexpr Color kRed = 0x0000FF;
constexpr Color kTeal = 0x808000;
constexpr Color kGrey = 0x7F7F7F;

// An array whose cell (x, y) holds value(x, y), with filled columns published.
std::unique_ptr<TVolumeArray> ArrayOf(std::int32_t width, std::int32_t height,
                                      const std::function<float(int, int)>& value,
                                      std::int32_t filled) {
    auto array = std::make_unique<TVolumeArray>(width, height);
    for (int x = 0; x < width; ++x) {
        for (int y = 0; y < height; ++y)
            array->SetVolume(x, y, value(x, y));
    }
    array->SetFilled(filled);
    return array;
}

std::unique_ptr<TVolumeArray> Uniform(std::int32_t width, std::int32_t height, float value) {
    return ArrayOf(
        width, height, [value](int, int) { return value; }, width);
}

TEST(VolumePainterTest, StrengthFollowsTheSensitivityCurveAndIsCappedAtOne) {
    struct Case {
        std::uint8_t sensitivity;
        double strength;
        float value;
        double w;
    };
    const std::vector<Case> cases = {
        {TVoldViewProps::SensLow, 1, 0.5f, 0.25},
        {TVoldViewProps::SensNormal, 2, 0.25f, 0.5},
        {TVoldViewProps::SensNormal, 2, 0.75f, 1.0},
        {TVoldViewProps::SensHigh, 1, 0.25f, 0.5},
        {TVoldViewProps::SensVeryHigh, 1, 0.0625f, 0.5},
        {TVoldViewProps::SensVeryHigh, 1.3, 0.0f, 0.0},
    };
    for (const Case& c : cases) {
        TVoldViewProps settings;
        settings.Sensitivity = c.sensitivity;
        settings.Strength = c.strength;
        EXPECT_DOUBLE_EQ(CellStrength(c.value, settings), c.w)
            << int(c.sensitivity) << " " << c.value;
    }
}

TEST(VolumePainterTest, SingleCellsBlendBackgroundToSingleColourAndSwapWhenInverted) {
    TVoldViewProps settings;
    settings.Strength = 2;
    MemoryCanvas canvas(4, 1, kUntouched);
    const auto array = ArrayOf(
        4, 1, [](int x, int) { return 0.25f * x; }, 4);
    const TVolumeArrays arrays{1, array.get()};
    DrawVolume(canvas, Rect{0, 0, 4, 1}, Rect{0, 0, 4, 1}, 0, 4, 4, arrays, settings, false);
    EXPECT_EQ(canvas.Art(Rect{0, 0, 4, 1}, {{kBlack, '.'}, {kGrey, '+'}, {kWhite, '#'}}), ".+##\n");
    DrawVolume(canvas, Rect{0, 0, 4, 1}, Rect{0, 0, 4, 1}, 0, 4, 4, arrays, settings, true);
    EXPECT_EQ(canvas.Art(Rect{0, 0, 4, 1}, {{kBlack, '.'}, {kGrey, '+'}, {kWhite, '#'}}), "#+..\n");
}

TEST(VolumePainterTest, ThePaletteColoursSingleCellsAndRunsBackwardsWhenInverted) {
    TVoldViewProps settings;
    settings.Strength = 1;
    settings.UseColorPalette1D = 1;
    settings.ColorPalette1D = TColorPalette1DItem(kRed, 0xFF0000);
    EXPECT_EQ(SingleCellColor(0.0, settings, false), kRed);
    EXPECT_EQ(SingleCellColor(0.5, settings, false), 0x7F007Fu);
    EXPECT_EQ(SingleCellColor(0.0, settings, true), 0xFF0000u);
    EXPECT_EQ(SingleCellColor(0.25, settings, true), 0xBF003Fu);
}

TEST(VolumePainterTest, JoinedCellsMoveFromTheBackgroundTowardTheLouderChannel) {
    const TVoldViewProps settings;  // Strength 1.3
    struct Case {
        float left, right;
        bool inverted;
        Color expected;
    };
    const std::vector<Case> cases = {
        {1, 0, false, kRed},
        {0, 1, false, kTeal},
        {1, 1, false, kWhite},
        {0.5f, 0.5f, false, 0xA5A5A5},
        {0, 0, false, kBlack},
        {1, 0, true, kTeal},
        {0, 1, true, kRed},
        {0, 0, true, kWhite},
        // wL = 0.65, wR = 0.325: k = 0.5, per channel 0.65·(0.5·255 + 0.5·e)
        {0.5f, 0.25f, false, 0x5252A5},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(JoinedCellColor(CellStrength(c.left, settings), CellStrength(c.right, settings),
                                  settings, c.inverted),
                  c.expected)
            << c.left << " " << c.right << " " << c.inverted;
    }
}

TEST(VolumePainterTest, ASoundOfTwiceTheColumnsPaintsEachCellOnTwoPixels) {
    // 1000 samples, 500 columns, whole sound over 1000 pixels: cell i on pixels 2i, 2i + 1.
    // Over 250 pixels, pixel k shows cell 2k + 1 (cell 2k covers no pixel of its own).
    TVoldViewProps settings;
    settings.Strength = 1;
    const auto array = ArrayOf(
        500, 1, [](int x, int) { return x / 500.0f; }, 500);
    const TVolumeArrays arrays{1, array.get()};
    MemoryCanvas wide(1000, 1, kUntouched);
    DrawVolume(wide, Rect{0, 0, 1000, 1}, Rect{0, 0, 1000, 1}, 0, 1000, 1000, arrays, settings,
               false);
    for (int i = 0; i < 500; ++i) {
        const Color expected = SingleCellColor(i / 500.0, settings, false);
        ASSERT_EQ(wide.GetPixel(2 * i, 0), expected) << i;
        ASSERT_EQ(wide.GetPixel(2 * i + 1, 0), expected) << i;
    }
    MemoryCanvas narrow(250, 1, kUntouched);
    DrawVolume(narrow, Rect{0, 0, 250, 1}, Rect{0, 0, 250, 1}, 0, 1000, 1000, arrays, settings,
               false);
    for (int k = 0; k < 250; ++k) {
        ASSERT_EQ(narrow.GetPixel(k, 0), SingleCellColor((2 * k + 1) / 500.0, settings, false))
            << k;
    }
}

TEST(VolumePainterTest, RowsSpreadOverTheBandAndOnlyTheUpdateRectangleIsTouched) {
    TVoldViewProps settings;
    settings.Strength = 1;
    const auto array = ArrayOf(
        4, 2, [](int, int y) { return y == 0 ? 1.0f : 0.0f; }, 4);
    MemoryCanvas canvas(10, 6, kUntouched);
    // Band 8 × 4 pixels at (1, 1): each cell 2 × 2 pixels; update only the middle.
    DrawVolume(canvas, Rect{1, 1, 9, 5}, Rect{4, 2, 7, 5}, 0, 40, 40, TVolumeArrays{1, array.get()},
               settings, false);
    EXPECT_EQ(canvas.Art(canvas.Bounds(), {{kBlack, '.'}, {kWhite, '#'}, {kUntouched, ' '}}),
              "          \n"
              "          \n"
              "    ###   \n"
              "    ...   \n"
              "    ...   \n"
              "          \n");
}

TEST(VolumePainterTest, ColumnsNotYetCompletedAreLeftAlone) {
    const auto array = ArrayOf(
        5, 1, [](int, int) { return 1.0f; }, 3);
    MemoryCanvas canvas(5, 1, kUntouched);
    DrawVolume(canvas, Rect{0, 0, 5, 1}, Rect{0, 0, 5, 1}, 0, 50, 50, TVolumeArrays{1, array.get()},
               TVoldViewProps(), false);
    EXPECT_EQ(canvas.Art(canvas.Bounds(), {{kWhite, '#'}, {kUntouched, ' '}}), "###  \n");
}

TEST(VolumePainterTest, AStereoSoundAsSingleDiagramsIsSplitAtTheMiddle) {
    const auto left = Uniform(1, 1, 1.0f);
    const auto right = Uniform(1, 1, 0.0f);
    MemoryCanvas canvas(1, 101, kUntouched);
    DrawVolume(canvas, Rect{0, 0, 1, 101}, Rect{0, 0, 1, 101}, 0, 10, 10,
               TVolumeArrays{2, nullptr, left.get(), right.get()}, TVoldViewProps(), false);
    for (int y = 0; y < 101; ++y) {
        ASSERT_EQ(canvas.GetPixel(0, y), y < 50 ? kWhite : kBlack) << y;
    }
    // An update in the lower half paints nothing of the upper diagram.
    MemoryCanvas lower(1, 101, kUntouched);
    DrawVolume(lower, Rect{0, 0, 1, 101}, Rect{0, 60, 1, 70}, 0, 10, 10,
               TVolumeArrays{2, nullptr, left.get(), right.get()}, TVoldViewProps(), false);
    for (int y = 0; y < 101; ++y) {
        ASSERT_EQ(lower.GetPixel(0, y), y >= 60 && y < 70 ? kBlack : kUntouched) << y;
    }
}

TEST(VolumePainterTest, AJoinedColumnCompleteInOneChannelShowsThatChannelAlone) {
    TVoldViewProps settings;
    settings.DrawSingle = 0;
    const auto left = ArrayOf(
        4, 1, [](int, int) { return 1.0f; }, 4);
    const auto right = ArrayOf(
        4, 1, [](int, int) { return 1.0f; }, 2);
    MemoryCanvas canvas(4, 1, kUntouched);
    DrawVolume(canvas, Rect{0, 0, 4, 1}, Rect{0, 0, 4, 1}, 0, 40, 40,
               TVolumeArrays{2, nullptr, left.get(), right.get()}, settings, false);
    EXPECT_EQ(canvas.Art(canvas.Bounds(), {{kWhite, '#'}, {kRed, 'L'}, {kUntouched, ' '}}),
              "##LL\n");
    // And the other way round, with the right channel ahead.
    const auto behind = ArrayOf(
        4, 1, [](int, int) { return 1.0f; }, 1);
    DrawVolume(canvas, Rect{0, 0, 4, 1}, Rect{0, 0, 4, 1}, 0, 40, 40,
               TVolumeArrays{2, nullptr, behind.get(), right.get()}, settings, false);
    EXPECT_EQ(canvas.Art(canvas.Bounds(), {{kWhite, '#'}, {kTeal, 'R'}, {kRed, 'L'}}), "#RLL\n");
}

TEST(VolumePainterTest, NothingIsPaintedWithoutSamplesArraysOrRoom) {
    const auto array = Uniform(4, 1, 1.0f);
    const TVolumeArrays mono{1, array.get()};
    struct Case {
        const char* name;
        Rect band, update;
        double first, last;
        std::int32_t n;
        TVolumeArrays arrays;
    };
    const std::vector<Case> cases = {
        {"no samples, old arrays", {0, 0, 4, 1}, {0, 0, 4, 1}, 0, 0, 0, mono},
        {"no array", {0, 0, 4, 1}, {0, 0, 4, 1}, 0, 4, 4, TVolumeArrays{1, nullptr}},
        {"no stereo arrays", {0, 0, 4, 1}, {0, 0, 4, 1}, 0, 4, 4, TVolumeArrays{2}},
        {"empty update", {0, 0, 4, 1}, {2, 0, 2, 1}, 0, 4, 4, mono},
        {"empty band", {0, 0, 0, 1}, {0, 0, 4, 1}, 0, 4, 4, mono},
        {"empty range", {0, 0, 4, 1}, {0, 0, 4, 1}, 2, 2, 4, mono},
    };
    for (const Case& c : cases) {
        MemoryCanvas canvas(4, 1, kUntouched);
        DrawVolume(canvas, c.band, c.update, c.first, c.last, c.n, c.arrays, TVoldViewProps(),
                   false);
        EXPECT_EQ(canvas.Art(canvas.Bounds(), {{kUntouched, ' '}}), "    \n") << c.name;
    }
}

TEST(VolumePainterTest, AZoomedViewShowsTheCellsOfItsRangeOnly) {
    // 100 samples in 10 columns; the view shows samples 25 .. 45 on 20 pixels: half of
    // column 2, column 3, half of column 4.
    const auto array = ArrayOf(
        10, 1, [](int x, int) { return x / 10.0f; }, 10);
    TVoldViewProps settings;
    settings.Strength = 1;
    MemoryCanvas canvas(20, 1, kUntouched);
    DrawVolume(canvas, Rect{0, 0, 20, 1}, Rect{0, 0, 20, 1}, 25, 45, 100,
               TVolumeArrays{1, array.get()}, settings, false);
    for (int x = 0; x < 20; ++x) {
        const int cell = x < 5 ? 2 : x < 15 ? 3 : 4;
        ASSERT_EQ(canvas.GetPixel(x, 0), SingleCellColor(cell / 10.0, settings, false)) << x;
    }
}

}  // namespace
}  // namespace kalvora
