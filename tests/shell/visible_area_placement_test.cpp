#include "shell/visible_area_placement.h"

#include <gtest/gtest.h>

namespace kalvora {
namespace {

TEST(VisibleAreaPlacementTest, WindowsAreMovedAndShrunkIntoTheArea) {
    const WindowRect area{0, 0, 800, 500};
    struct Case {
        WindowRect wanted;
        WindowRect placed;
    };
    const Case cases[] = {
        {{10, 20, 640, 360}, {10, 20, 640, 360}},      // already inside: unchanged
        {{300, 200, 640, 360}, {160, 140, 640, 360}},  // beyond the right and bottom: moved in
        {{-50, -30, 200, 100}, {0, 0, 200, 100}},      // before the left and top: moved in
        {{100, 50, 1000, 600}, {0, 0, 800, 500}},      // larger than the area: shrunk to it
        {{700, 100, 900, 300}, {0, 100, 800, 300}},    // too wide only
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PlaceInsideVisibleArea(c.wanted, area), c.placed)
            << c.wanted.left << "," << c.wanted.top << " " << c.wanted.width << "x"
            << c.wanted.height;
    }
    // An area that does not start at the origin.
    EXPECT_EQ(PlaceInsideVisibleArea({0, 0, 100, 100}, {20, 30, 300, 200}),
              (WindowRect{20, 30, 100, 100}));
}

}  // namespace
}  // namespace kalvora
