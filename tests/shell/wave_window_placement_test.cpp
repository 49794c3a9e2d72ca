#include "shell/wave_window_placement.h"

#include <gtest/gtest.h>

namespace kalvora {
namespace {

using platform::Rect;

TEST(WaveWindowPlacementTest, SplitVerticallyStacksTheChannels) {
    TSplitVerticalPlacement placement = PlaceSplitVertically({10, 20, 410, 221});
    // m = 120: the left channel gets the rows 20 .. 119 (height m - 1 - top), the right the
    // rows from m.
    EXPECT_EQ(placement.left, (Rect{10, 20, 410, 119}));
    EXPECT_EQ(placement.right, (Rect{10, 120, 410, 221}));
}

TEST(WaveWindowPlacementTest, SplitHorizontallyPlacesThePartsWhereTheirSamplesLay) {
    const Rect source{100, 0, 500, 300};
    EXPECT_EQ(PlaceSplitHorizontally(source, 250, 250, 1000, false),
              (std::vector<Rect>{{100, 0, 200, 300}, {200, 0, 500, 300}}));
    // Three parts of (250, 750).
    EXPECT_EQ(PlaceSplitHorizontally(source, 250, 750, 1000, true),
              (std::vector<Rect>{{100, 0, 200, 300}, {200, 0, 400, 300}, {400, 0, 500, 300}}));
    // "Two parts, both inclusive": the first part ends after the last begins.
    EXPECT_EQ(PlaceSplitHorizontally(source, 750, 250, 1000, false),
              (std::vector<Rect>{{100, 0, 400, 300}, {200, 0, 500, 300}}));
    // An empty wave splits in the middle.
    EXPECT_EQ(PlaceSplitHorizontally(source, 0, 0, 0, false),
              (std::vector<Rect>{{100, 0, 300, 300}, {300, 0, 500, 300}}));
}

TEST(WaveWindowPlacementTest, MergesShareTheGapBetweenTheirSources) {
    // Side by side with a gap of 21: half of it (10, truncated) goes to each side.
    EXPECT_EQ(PlaceMergeHorizontally({0, 10, 100, 110}, {121, 30, 221, 131}),
              (Rect{10, 20, 212, 120}));
    // Overlapping windows: a negative gap, truncated toward zero.
    EXPECT_EQ(PlaceMergeHorizontally({0, 0, 100, 100}, {95, 0, 195, 100}), (Rect{-2, 0, 198, 100}));
    EXPECT_EQ(PlaceMergeVertically({0, 0, 200, 100}, {20, 111, 220, 211}), (Rect{10, 5, 210, 207}));
}

}  // namespace
}  // namespace kalvora
