#include "volume/color_palette_1d.h"

#include <gtest/gtest.h>

namespace kalvora {
namespace {

constexpr Color kRed = 0x0000FF;
constexpr Color kBlue = 0xFF0000;

TEST(ColorPaletteTest, TheDefaultPaletteRunsFromBlackToWhite) {
    const TColorPalette1DItem palette;
    EXPECT_EQ(palette.Count(), 2);
    EXPECT_EQ(palette.GetColor(0.0), 0x000000u);
    EXPECT_EQ(palette.GetColor(0.25), 0x3F3F3Fu);  // 63.75 truncated
    EXPECT_EQ(palette.GetColor(1.0), 0xFFFFFFu);
    EXPECT_EQ(palette.GetLastItem()->Position, 1.0);
}

TEST(ColorPaletteTest, AColourAfterAStopStartsTheNextGradientWithAJump) {
    TColorPalette1DItem palette;
    TColorPalette1DItem* middle = palette.InsertItem(0.5, kRed);
    middle->UseColorAfter = 1;
    middle->SetColorAfter(kBlue);
    EXPECT_EQ(palette.GetColor(0.5), kRed);
    const Color justAfter = palette.GetColor(0.500001);
    EXPECT_EQ(platform::BlueOf(justAfter), 0xFF);
    EXPECT_LE(platform::RedOf(justAfter), 1);
    EXPECT_EQ(palette.GetColor(0.25), 0x00007Fu);  // black to red, half way
    EXPECT_EQ(palette.GetColor(0.75), 0xFF7F7Fu);  // blue to white, half way
    EXPECT_EQ(middle->GetStartColor(), kBlue);
    middle->UseColorAfter = 0;
    EXPECT_EQ(middle->GetStartColor(), kRed);
    EXPECT_EQ(middle->ColorAfter, kBlue);  // kept while the flag is clear
}

TEST(ColorPaletteTest, StopsAreInsertedInPositionOrderAndDeletedBackToTheirNeighbour) {
    TColorPalette1DItem palette;
    TColorPalette1DItem* late = palette.InsertItem(0.75, kBlue);
    TColorPalette1DItem* early = palette.InsertItem(0.25, kRed);
    EXPECT_EQ(palette.Count(), 4);
    EXPECT_EQ(palette.NextColorPalette1DItem.get(), early);
    EXPECT_EQ(early->NextColorPalette1DItem.get(), late);
    EXPECT_EQ(early->ColorAfter, 0u);
    EXPECT_EQ(palette.GetPrevious(late), early);
    EXPECT_EQ(palette.GetPrevious(&palette), nullptr);
    EXPECT_EQ(palette.DeleteItem(late), early);
    EXPECT_EQ(palette.Count(), 3);
    EXPECT_EQ(palette.DeleteItem(early), &palette);
    EXPECT_TRUE(palette.SameStops(TColorPalette1DItem()));
}

TEST(ColorPaletteTest, CopiesAreDeepAndComparedStopByStop) {
    TColorPalette1DItem palette;
    palette.InsertItem(0.5, kRed);
    TColorPalette1DItem copy = palette;
    EXPECT_TRUE(copy.SameStops(palette));
    copy.NextColorPalette1DItem->ColorBefore = kBlue;
    EXPECT_EQ(palette.NextColorPalette1DItem->ColorBefore, kRed);
    EXPECT_FALSE(copy.SameStops(palette));
    copy = palette;
    EXPECT_TRUE(copy.SameStops(palette));
    EXPECT_FALSE(TColorPalette1DItem().SameStops(palette));  // fewer stops
}

TEST(ColorPaletteTest, BlendTowardFadesEveryStopIncludingTheColoursAfter) {
    TColorPalette1DItem palette;
    TColorPalette1DItem* middle = palette.InsertItem(0.5, kRed);
    middle->UseColorAfter = 1;
    middle->SetColorAfter(kBlue);
    palette.BlendToward(0xFFFFFF, 0.5);
    EXPECT_EQ(palette.ColorBefore, 0x7F7F7Fu);
    EXPECT_EQ(middle->ColorBefore, 0x7F7FFFu);
    EXPECT_EQ(middle->ColorAfter, 0xFF7F7Fu);
    EXPECT_EQ(palette.GetLastItem()->ColorBefore, 0xFFFFFFu);
}

}  // namespace
}  // namespace kalvora
