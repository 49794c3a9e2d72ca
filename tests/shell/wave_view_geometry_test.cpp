#include "shell/wave_view_geometry.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

namespace kalvora {
namespace {

TWaveViewGeometry View(int width, std::int32_t n, int height = 100) {
    TWaveViewGeometry view;
    view.SetClient({0, 0, width, height});
    view.SetSampleCount(n);
    return view;
}

TEST(WaveViewGeometryTest, UnzoomedViewShowsTheWholeWave) {
    TWaveViewGeometry view = View(100, 1000);
    EXPECT_FALSE(view.Zoomed());
    EXPECT_EQ(view.FirstVisible(), 0.0);
    EXPECT_EQ(view.LastVisible(), 1000.0);
    EXPECT_DOUBLE_EQ(view.SampleAtPixel(0), 5.0);  // the middle of column 0
    EXPECT_EQ(view.PixelOfSample(0), 0);
    EXPECT_EQ(view.PixelOfSample(999), 99);
    EXPECT_EQ(view.PixelOfSample(1000), 100);
    EXPECT_DOUBLE_EQ(view.TimeAtPixel(50, 1000.0), 0.5);  // no half pixel
}

TEST(WaveViewGeometryTest, EveryColumnRoundTripsThroughItsSample) {
    struct Case {
        int left, width;
        std::int32_t n;
        double zoomBegin, zoomEnd;  // no zoom when both are 0
    };
    const Case cases[] = {
        {0, 100, 1000, 0, 0},
        {7, 100, 1000, 0, 0},
        {0, 100, 37, 0, 0},
        {0, 1600, 2646000, 0, 0},
        {0, 1600, 2646000, 1000, 1500},
        {3, 640, 44100, 10, 13},
        {0, 1600, 158760000, 0, 0},
        {0, 1600, 158760000, 80000000, 80000002},
    };
    for (const Case& c : cases) {
        TWaveViewGeometry view;
        view.SetClient({c.left, 0, c.left + c.width, 10});
        view.SetSampleCount(c.n);
        if (c.zoomEnd != 0) view.ZoomTo(c.zoomBegin, c.zoomEnd);
        for (int x = c.left; x < c.left + c.width; ++x) {
            ASSERT_EQ(view.PixelOfSample(view.SampleAtPixel(x)), x)
                << "n " << c.n << " width " << c.width << " zoom " << c.zoomBegin;
        }
    }
}

TEST(WaveViewGeometryTest, KeyStepsMoveByWholeColumnsAndRequantiseInPlace) {
    TWaveViewGeometry view = View(100, 1000);
    EXPECT_EQ(view.StepPosition(500, 1), 515);  // column 50 -> middle of column 51
    EXPECT_EQ(view.StepPosition(500, -10), 405);
    EXPECT_EQ(view.StepPosition(503, 0), 505);  // the column's own middle
    EXPECT_EQ(view.StepPosition(view.StepPosition(503, 0), 0), 505);
}

TEST(WaveViewGeometryTest, ZoomToKeepsTheRangeAndTheScrollStateIn64Bits) {
    // 97 s at 44.1 kHz zoomed to 2 samples over 1600 columns: R = 1600·n/2 > 2^31.
    const std::int32_t n = 97 * 44100;
    TWaveViewGeometry view = View(1600, n);
    view.ZoomTo(2000000, 2000002);
    EXPECT_TRUE(view.Zoomed());
    EXPECT_EQ(view.ScrollRange(), 1600LL * n / 2);
    EXPECT_GT(view.ScrollRange(), static_cast<std::int64_t>(INT_MAX));
    EXPECT_EQ(view.ScrollIncrement(), 160);
    EXPECT_NEAR(view.FirstVisible(), 2000000.0, 1e-6);
    EXPECT_NEAR(view.LastVisible(), 2000002.0, 1e-6);
    EXPECT_EQ(view.SampleIndexAtPixel(0), 2000000);
    EXPECT_EQ(view.SampleIndexAtPixel(1599), 2000001);
}

TEST(WaveViewGeometryTest, ZoomToFollowsTheTruncatedScrollArithmetic) {
    TWaveViewGeometry view = View(100, 1000);
    view.ZoomTo(333, 777);
    // R = trunc(100·1000/444) = 225, P = trunc(333/1000·225) = 74.
    EXPECT_EQ(view.ScrollRange(), 225);
    EXPECT_EQ(view.ScrollPosition(), 74);
    EXPECT_DOUBLE_EQ(view.FirstVisible(), 1000.0 * 74 / 225);
    EXPECT_DOUBLE_EQ(view.LastVisible(), 1000.0 * 174 / 225);
    view.SetScrollPosition(1000);
    EXPECT_EQ(view.ScrollPosition(), 125);  // R - W
    EXPECT_DOUBLE_EQ(view.LastVisible(), 1000.0);
    view.SetScrollPosition(-5);
    EXPECT_EQ(view.FirstVisible(), 0.0);
    view.Unzoom();
    EXPECT_EQ(view.LastVisible(), 1000.0);
}

TEST(WaveViewGeometryTest, DegenerateZoomsNeitherDivideByZeroNorLeaveTheWave) {
    TWaveViewGeometry view = View(100, 1000);
    view.ZoomTo(400, 400);  // forced one sample wide
    EXPECT_NEAR(view.FirstVisible(), 400.0, 1e-9);
    EXPECT_NEAR(view.LastVisible(), 401.0, 1e-9);
    view.ZoomTo(600, 500);  // reversed
    EXPECT_NEAR(view.LastVisible() - view.FirstVisible(), 1.0, 1e-9);
    view.ZoomTo(5000, 6000);  // beyond the end: the last sample
    EXPECT_NEAR(view.FirstVisible(), 999.0, 1e-9);

    TWaveViewGeometry empty = View(100, 0);
    empty.ZoomTo(0, 10);
    EXPECT_FALSE(empty.Zoomed());
    EXPECT_EQ(empty.PixelOfSample(5), 0);
    EXPECT_EQ(empty.SampleIndexAtPixel(50), 0);

    TWaveViewGeometry narrow = View(0, 1000);
    narrow.ZoomTo(10, 20);  // R = 0 shows the whole wave
    EXPECT_EQ(narrow.ScrollRange(), 0);
    EXPECT_EQ(narrow.LastVisible(), 1000.0);
    EXPECT_EQ(narrow.SampleAtPixel(0), 0.0);
}

// Tiling or enlarging a window widens its zoomed views: they must not show past the end.
TEST(WaveViewGeometryTest, WideningAZoomedViewKeepsItInsideTheWave) {
    TWaveViewGeometry view = View(100, 1000);
    view.ZoomTo(900, 1000);  // R = 1000, scrolled to the end
    view.SetClient({0, 0, 150, 100});
    EXPECT_DOUBLE_EQ(view.FirstVisible(), 850.0);  // moved back to show 150 samples
    EXPECT_DOUBLE_EQ(view.LastVisible(), 1000.0);
    view.SetClient({0, 0, 2000, 100});  // wider than the scroll range: the whole wave
    EXPECT_TRUE(view.Zoomed());
    EXPECT_DOUBLE_EQ(view.FirstVisible(), 0.0);
    EXPECT_DOUBLE_EQ(view.LastVisible(), 1000.0);
    view.SetClient({0, 0, 100, 100});  // narrowing again keeps the start
    EXPECT_DOUBLE_EQ(view.FirstVisible(), 0.0);
    EXPECT_DOUBLE_EQ(view.LastVisible(), 50.0);
}

// Undo can hand a zoomed view an empty sound without an edit range to follow.
TEST(WaveViewGeometryTest, AWaveThatLosesItsSamplesIsShownUnzoomed) {
    TWaveViewGeometry view = View(100, 1000);
    view.ZoomTo(100, 200);
    view.SetSampleCount(0);
    EXPECT_FALSE(view.Zoomed());
    EXPECT_EQ(view.LastVisible(), 0.0);
    view.SetSampleCount(1000);
    EXPECT_FALSE(view.Zoomed());
}

TEST(WaveViewGeometryTest, AfterChangeKeepsTheDistancesToTheEditedRange) {
    TWaveViewGeometry view = View(100, 1000);
    view.ZoomTo(100, 600);
    view.BeforeChange(300, 400);
    view.SetSampleCount(900);  // 100 samples deleted
    view.AfterChange(300, 300);
    // The visible start stays, the end moves back by the deleted length.
    EXPECT_DOUBLE_EQ(view.FirstVisible(), 100.0);
    EXPECT_DOUBLE_EQ(view.LastVisible(), 500.0);

    // A view that showed only deleted samples keeps its width at the place of the edit.
    TWaveViewGeometry inside = View(100, 1000);
    inside.ZoomTo(400, 450);
    inside.BeforeChange(300, 600);
    inside.SetSampleCount(700);
    inside.AfterChange(300, 300);
    EXPECT_DOUBLE_EQ(inside.FirstVisible(), 300.0);
    EXPECT_DOUBLE_EQ(inside.LastVisible(), 350.0);

    TWaveViewGeometry emptied = View(100, 1000);
    emptied.ZoomTo(100, 200);
    emptied.BeforeChange(0, 1000);
    emptied.SetSampleCount(0);
    emptied.AfterChange(0, 0);
    EXPECT_FALSE(emptied.Zoomed());

    TWaveViewGeometry unzoomed = View(100, 1000);
    unzoomed.BeforeChange(0, 10);
    unzoomed.SetSampleCount(990);
    unzoomed.AfterChange(0, 0);
    EXPECT_FALSE(unzoomed.Zoomed());
}

TEST(WaveViewGeometryTest, RightDragZoomsAroundThePointerAndUnzoomsAtTheEdges) {
    TWaveViewGeometry view = View(100, 1000);
    EXPECT_EQ(view.DragZoom(50, 50, 30), TDragZoomResult::unchanged);  // factor 1
    EXPECT_FALSE(view.Zoomed());

    // Dragging 4 pixels down: factor 1.02^(2·-4) around the sample under x = 30 (h = 305).
    ASSERT_EQ(view.DragZoom(50, 54, 30), TDragZoomResult::zoomed);
    const double f = std::pow(1.02, -8.0);
    const double first = 305 + f * (0 - 305);
    const double last = 305 + f * (999 - 305);  // the unzoomed end 1000 clamped to n - 1
    EXPECT_EQ(view.ScrollRange(), static_cast<std::int64_t>(100 * 1000 / (last - first)));
    EXPECT_NEAR(view.FirstVisible(), first, 1000.0 / view.ScrollRange());

    // Dragging far up from there reaches 0 .. n - 1: unzoomed.
    EXPECT_EQ(view.DragZoom(50, 10, 30), TDragZoomResult::unzoomed);
    EXPECT_FALSE(view.Zoomed());
    // Huge drags stay finite.
    EXPECT_EQ(view.DragZoom(0, 100000, 99), TDragZoomResult::zoomed);
    EXPECT_FALSE(std::isnan(view.FirstVisible()));
    EXPECT_GE(view.LastVisible() - view.FirstVisible(), 1.0);
    EXPECT_EQ(View(100, 1).DragZoom(0, 10, 5), TDragZoomResult::unchanged);  // needs n >= 2
}

TEST(WaveViewGeometryTest, SelectionChangesRepaintOnlyWhatChangedState) {
    struct Case {
        TSampleRange before, after;
        std::vector<TSampleRange> repaint;
    };
    const Case cases[] = {
        {{10, 10}, {10, 10}, {}},                    // cursor stays
        {{10, 10}, {20, 20}, {}},                    // cursor moves: only the cursors
        {{10, 10}, {10, 50}, {{10, 50}}},            // a selection appears
        {{50, 10}, {10, 10}, {{10, 50}}},            // it disappears (ends in either order)
        {{10, 50}, {10, 70}, {{50, 70}}},            // its end grows
        {{10, 50}, {30, 50}, {{10, 30}}},            // its begin shrinks
        {{10, 50}, {20, 40}, {{10, 20}, {40, 50}}},  // both ends move in
        {{10, 20}, {30, 40}, {{10, 20}, {30, 40}}},  // a disjoint selection
        {{30, 40}, {10, 20}, {{30, 40}, {10, 20}}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SelectionChangeRanges(c.before, c.after, 100), c.repaint)
            << c.before.begin << ".." << c.before.end << " -> " << c.after.begin << ".."
            << c.after.end;
    }
    EXPECT_TRUE(SelectionChangeRanges({0, 0}, {0, 0}, 0).empty());
    EXPECT_TRUE(SelectionChangeRanges({0, 5}, {0, 0}, 0).empty());
}

TEST(WaveViewGeometryTest, RepaintStripsWidenByOneColumnAndNeedTwoColumns) {
    TWaveViewGeometry view = View(100, 1000, 40);
    EXPECT_EQ(view.RangeStrip(200, 300), (platform::Rect{19, 0, 32, 40}));
    EXPECT_EQ(view.StripAt(0), (platform::Rect{0, 0, 2, 40}));  // clipped to the client
    EXPECT_EQ(view.StripAt(1000), (platform::Rect{99, 0, 100, 40}));
    EXPECT_EQ(View(1, 1000).RangeStrip(0, 1000), std::nullopt);
}

TEST(WaveViewGeometryTest, ValuesMapOntoRowsWithPositiveValuesAbove) {
    EXPECT_EQ(ValueToY(0, 0, 100), 50);
    EXPECT_EQ(ValueToY(32767, 0, 100), 0);
    EXPECT_EQ(ValueToY(-32768, 0, 100), 100);
    EXPECT_EQ(ValueToY(16384, 0, 100), 25);
    EXPECT_EQ(ValueToY(-16384, 50, 100), 87);  // 75 + 12.5
}

TEST(WaveViewGeometryTest, NodesMapOntoTheViewAndBack) {
    TWaveViewGeometry view = View(200, 44100, 101);
    EXPECT_EQ(view.NodePixel(0.0, 32767), (platform::Point{0, 0}));
    EXPECT_EQ(view.NodePixel(1.0, -32767), (platform::Point{200, 101}));
    EXPECT_EQ(view.NodePixel(0.5, 0), (platform::Point{100, 50}));
    const TNodePlace place = view.NodeAtPixel(50, 0);
    EXPECT_DOUBLE_EQ(place.position, 0.25);
    EXPECT_EQ(place.value, 32767);
    EXPECT_EQ(view.NodeAtPixel(0, 101).value, -32767);
}

TEST(WaveViewGeometryTest, SplitPositionGivesEachViewAtLeastOneColumn) {
    EXPECT_EQ(FirstViewWidth(100, 0.5), 50);
    EXPECT_EQ(FirstViewWidth(100, 0.0), 1);
    EXPECT_EQ(FirstViewWidth(100, 1.0), 99);
    EXPECT_EQ(FirstViewWidth(100, 0.334), 33);
    EXPECT_EQ(FirstViewWidth(1, 0.5), 1);
    EXPECT_EQ(FirstViewWidth(0, 0.5), 0);
}

}  // namespace
}  // namespace kalvora
