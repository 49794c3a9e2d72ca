#include "shell/window_layout.h"

#include <gtest/gtest.h>

namespace kalvora {
namespace {

TEST(WindowLayoutTest, TileHorizontallyStacksFullWidthStrips) {
    std::vector<WindowRect> rects = TileHorizontally(3, {0, 0, 900, 601});
    ASSERT_EQ(rects.size(), 3u);
    EXPECT_EQ(rects[0], (WindowRect{0, 0, 900, 200}));
    EXPECT_EQ(rects[1], (WindowRect{0, 200, 900, 200}));
    EXPECT_EQ(rects[2], (WindowRect{0, 400, 900, 201}));
}

TEST(WindowLayoutTest, TileVerticallyPutsColumnsSideBySide) {
    std::vector<WindowRect> rects = TileVertically(2, {10, 20, 801, 500});
    ASSERT_EQ(rects.size(), 2u);
    EXPECT_EQ(rects[0], (WindowRect{10, 20, 400, 500}));
    EXPECT_EQ(rects[1], (WindowRect{410, 20, 401, 500}));
}

TEST(WindowLayoutTest, TooManyWindowsForStripsMakeAGrid) {
    std::vector<WindowRect> rects = TileHorizontally(5, {0, 0, 900, 300});
    ASSERT_EQ(rects.size(), 5u);
    // 3 columns: 3 windows in the first row, the last 2 share the second row.
    EXPECT_EQ(rects[0], (WindowRect{0, 0, 300, 150}));
    EXPECT_EQ(rects[3], (WindowRect{0, 150, 450, 150}));
    EXPECT_EQ(rects[4], (WindowRect{450, 150, 450, 150}));
    EXPECT_TRUE(TileVertically(0, {0, 0, 100, 100}).empty());
}

TEST(WindowLayoutTest, IconsLineUpFromTheBottomLeft) {
    std::vector<WindowRect> rects = ArrangeIcons(3, {0, 0, 400, 300}, 160, 30);
    ASSERT_EQ(rects.size(), 3u);
    EXPECT_EQ(rects[0], (WindowRect{0, 270, 160, 30}));
    EXPECT_EQ(rects[1], (WindowRect{160, 270, 160, 30}));
    EXPECT_EQ(rects[2], (WindowRect{0, 240, 160, 30}));
}

}  // namespace
}  // namespace kalvora
