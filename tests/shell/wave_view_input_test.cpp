#include "shell/wave_view_input.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "documents/wave_creation.h"
#include "documents/wave_window.h"
#include "documents/workspace.h"
#include "shell/commands.h"
#include "shell/wave_view_repaint.h"

namespace kalvora {
namespace {

std::unique_ptr<Sound> MonoRamp(std::int32_t n, int channels = 1) {
    ErrorFlag error = 0;
    Wave left(&error, n);
    for (std::int32_t i = 0; i < n; ++i)
        left.wave[i] = static_cast<std::int16_t>(i);
    if (channels == 1) return std::make_unique<MonoSound>(std::move(left), 44100, 2);
    Wave right(&error, left);
    return std::make_unique<StereoSound>(std::move(left), std::move(right), 44100, 2);
}

// A window whose one view follows the document's length changes as a real view does.
class GeometryWindow final : public WaveWindow {
  public:
    GeometryWindow(TUnitWave& document, TWaveViewGeometry& geometry)
        : document_(document), geometry_(geometry) {}
    void CaptionChanged() override {}
    void NameChanged(std::string_view) override {}
    void BeforeChange(std::int32_t begin, std::int32_t end) override {
        geometry_.SetSampleCount(static_cast<std::int32_t>(document_.GetValues()));
        geometry_.BeforeChange(begin, end);
    }
    void AfterChange(std::int32_t begin, std::int32_t end) override {
        geometry_.SetSampleCount(static_cast<std::int32_t>(document_.GetValues()));
        geometry_.AfterChange(begin, end);
    }
    void StopSoundReaders() override {}
    void Refresh() override { ++refreshes; }
    void SelectionChanged(std::int32_t, std::int32_t) override {}
    void ChannelsChanged() override {}
    void DrawingModeChanged() override {}
    int refreshes = 0;

  private:
    TUnitWave& document_;
    TWaveViewGeometry& geometry_;
};

// A view 100 pixels wide and 200 high over a mono wave of 1000 samples: unzoomed, column x
// stands for the samples from 10x, its middle is sample 10x + 5.
class WaveViewInputTest : public ::testing::Test {
  protected:
    WaveViewInputTest() { Open(MonoRamp(1000)); }

    void Open(std::unique_ptr<Sound> sound) {
        document_ = NamedWave(workspace_, std::move(sound));
        window_ = std::make_unique<GeometryWindow>(*document_, geometry_);
        document_->LinkWindow(window_.get());
        geometry_ = TWaveViewGeometry();
        geometry_.SetClient({0, 0, 100, 200});
        geometry_.SetSampleCount(static_cast<std::int32_t>(document_->GetValues()));
        mouse_ = std::make_unique<TWaveViewMouse>(*document_, geometry_);
    }

    std::pair<std::int32_t, std::int32_t> Selection() const {
        return {document_->FirstEnd(), document_->SecondEnd()};
    }

    bool Key(std::uint8_t key, bool shift = false, bool ctrl = false) {
        return WaveViewKey(*document_, geometry_, key, TInputModifiers{shift, ctrl, false});
    }

    TWorkspace workspace_;
    TWaveViewGeometry geometry_;
    std::unique_ptr<TUnitWave> document_;
    std::unique_ptr<GeometryWindow> window_;
    std::unique_ptr<TWaveViewMouse> mouse_;
    TWaveToolMode tool_ = TWaveToolMode::normal;
};

using Ends = std::pair<std::int32_t, std::int32_t>;

TEST_F(WaveViewInputTest, ClicksSetTheCursorShiftMovesTheFirstEndCtrlTakesTheNearerEnd) {
    mouse_->LeftButtonDown(30, 10, {});
    EXPECT_EQ(Selection(), (Ends{305, 305}));
    mouse_->LeftButtonDown(60, 10, {.shift = true});
    EXPECT_EQ(Selection(), (Ends{605, 305}));
    // Ctrl: the click becomes the first end, the old end nearer to it the second.
    mouse_->LeftButtonDown(50, 10, {.ctrl = true});
    EXPECT_EQ(Selection(), (Ends{505, 605}));
    document_->SetEnds(400, 600);
    mouse_->LeftButtonDown(49, 10, {.ctrl = true});  // 495 is 95 from 400, 105 from 600
    EXPECT_EQ(Selection(), (Ends{495, 400}));
    document_->SetEnds(485, 505);
    mouse_->LeftButtonDown(49, 10, {.ctrl = true});  // equally near: the larger end
    EXPECT_EQ(Selection(), (Ends{495, 505}));
}

TEST_F(WaveViewInputTest, DraggingWithTheLeftButtonMovesTheFirstEnd) {
    mouse_->LeftButtonDown(20, 10, {});
    TViewReaction reaction = mouse_->PointerMove(70, 15, true, false);
    EXPECT_EQ(Selection(), (Ends{705, 205}));
    EXPECT_FALSE(reaction.fullRepaint);
    ASSERT_TRUE(reaction.positionText);
    // The same position again does nothing.
    EXPECT_FALSE(mouse_->PointerMove(70, 15, true, false).positionText);
    mouse_->PointerMove(120, 15, true, false);  // beyond the view: the last sample
    EXPECT_EQ(Selection(), (Ends{999, 205}));
}

TEST_F(WaveViewInputTest, ZoomToolClickZoomsToTheSelectionBeforeTheClick) {
    document_->SetEnds(200, 400);
    tool_ = TWaveToolMode::zoomIn;
    mouse_->LeftButtonDown(80, 10, {});  // sets the cursor
    TViewReaction reaction = mouse_->LeftButtonUp(80, 10, tool_);
    EXPECT_EQ(tool_, TWaveToolMode::normal);
    EXPECT_TRUE(reaction.toolModeChanged);
    EXPECT_TRUE(reaction.zoomChanged);
    EXPECT_TRUE(geometry_.Zoomed());
    EXPECT_NEAR(geometry_.FirstVisible(), 200, 1e-9);
    EXPECT_NEAR(geometry_.LastVisible(), 400, 1e-9);
    EXPECT_EQ(Selection(), (Ends{805, 805}));  // the click itself set the cursor
}

TEST_F(WaveViewInputTest, ZoomToolDragZoomsToTheDraggedRange) {
    tool_ = TWaveToolMode::zoomIn;
    mouse_->LeftButtonDown(60, 10, {});
    mouse_->PointerMove(20, 10, true, false);  // first end 205, second 605
    mouse_->LeftButtonUp(20, 10, tool_);
    EXPECT_EQ(Selection(), (Ends{205, 605}));  // made a selection, smaller end first
    // 400 samples over 100 columns: the scroll position counts steps of 4 samples.
    EXPECT_EQ(geometry_.FirstVisible(), 204);
    EXPECT_EQ(geometry_.LastVisible(), 604);

    // No Zoom shows the whole wave again; a plain release changes nothing.
    tool_ = TWaveToolMode::noZoom;
    mouse_->LeftButtonDown(10, 10, {});
    EXPECT_TRUE(mouse_->LeftButtonUp(10, 10, tool_).fullRepaint);
    EXPECT_FALSE(geometry_.Zoomed());
    EXPECT_FALSE(mouse_->LeftButtonUp(10, 10, tool_).zoomChanged);

    // A zoom tool click on a cursor without a selection before it: nothing to zoom to.
    tool_ = TWaveToolMode::zoomIn;
    mouse_->LeftButtonDown(10, 10, {});
    mouse_->LeftButtonUp(10, 10, tool_);
    EXPECT_FALSE(geometry_.Zoomed());
}

TEST_F(WaveViewInputTest, RightDragZoomsAroundThePointerAndPutsThePointerBack) {
    mouse_->RightButtonDown(50, 100);
    TViewReaction down = mouse_->PointerMove(50, 110, false, true);  // 10 pixels down
    EXPECT_TRUE(down.zoomChanged);
    ASSERT_TRUE(down.movePointer);
    EXPECT_EQ(*down.movePointer, (platform::Point{50, 100}));
    // Around sample 505 under the pointer, within the scroll steps of about 5 samples.
    const double factor = std::pow(1.02, -std::sqrt(10.0) * 10);
    EXPECT_NEAR(geometry_.FirstVisible(), 505 - factor * 505, 6.0);
    EXPECT_NEAR(geometry_.LastVisible(), 505 + factor * 495, 6.0);
    const double first = geometry_.FirstVisible();
    const double last = geometry_.LastVisible();
    // Back at the anchor's height: the factor is 1, nothing changes.
    TViewReaction back = mouse_->PointerMove(50, 100, false, true);
    EXPECT_FALSE(back.zoomChanged);
    EXPECT_EQ(geometry_.FirstVisible(), first);
    EXPECT_EQ(geometry_.LastVisible(), last);
    // Far up widens the range to the whole wave: unzoomed.
    TViewReaction up = mouse_->PointerMove(50, 0, false, true);
    EXPECT_TRUE(up.zoomChanged);
    EXPECT_FALSE(geometry_.Zoomed());
}

TEST_F(WaveViewInputTest, WavesShorterThanTwoSamplesIgnoreTheMouse) {
    Open(MonoRamp(1));
    mouse_->LeftButtonDown(50, 10, {});
    mouse_->RightButtonDown(50, 100);
    EXPECT_FALSE(mouse_->PointerMove(50, 150, true, true).zoomChanged);
    EXPECT_EQ(Selection(), (Ends{0, 0}));
    Open(MonoRamp(0));
    EXPECT_FALSE(mouse_->ZoomTo(0, 10));  // an empty wave is never zoomed
    EXPECT_FALSE(geometry_.Zoomed());
}

TEST_F(WaveViewInputTest, ZoomsWithEqualOrReversedEndsAreIgnored) {
    EXPECT_FALSE(mouse_->ZoomTo(300, 300));
    EXPECT_FALSE(mouse_->ZoomTo(300, 200));
    EXPECT_FALSE(geometry_.Zoomed());
    EXPECT_TRUE(mouse_->ZoomTo(200, 300));
    EXPECT_TRUE(geometry_.Zoomed());
}

TEST_F(WaveViewInputTest, DeletingWhileZoomedKeepsTheVisibleStart) {
    ASSERT_TRUE(mouse_->ZoomTo(100, 600));
    document_->SetSelection(300, 400);
    ASSERT_TRUE(document_->Delete());
    EXPECT_EQ(document_->GetValues(), 900);
    EXPECT_TRUE(geometry_.Zoomed());
    EXPECT_NEAR(geometry_.FirstVisible(), 100, 0.01);
    EXPECT_NEAR(geometry_.LastVisible(), 500, 0.01);
}

TEST_F(WaveViewInputTest, KeyTable) {
    struct Case {
        std::uint8_t key;
        bool shift, ctrl;
        Ends before, after;
    };
    using K = std::uint8_t;
    const K left = keycode::left, right = keycode::right, up = keycode::up, down = keycode::down,
            home = keycode::home, end = keycode::end, pageUp = keycode::pageUp,
            pageDown = keycode::pageDown;
    const Case cases[] = {
        {right, false, false, {505, 505}, {515, 515}},
        {left, false, false, {505, 505}, {495, 495}},
        {up, false, false, {505, 505}, {405, 405}},
        {down, false, false, {505, 505}, {605, 605}},
        {home, false, false, {300, 600}, {0, 0}},
        {end, false, false, {300, 600}, {1000, 1000}},
        {pageDown, false, false, {300, 600}, {300, 600}},
        // Shift: the first end steps, the second is re-quantised in place.
        {right, true, false, {300, 600}, {315, 605}},
        {down, true, false, {300, 600}, {405, 605}},
        {home, true, false, {300, 600}, {0, 600}},
        {end, true, false, {300, 600}, {1000, 600}},
        // Ctrl: the second end steps.
        {right, false, true, {300, 600}, {305, 615}},
        {up, false, true, {300, 600}, {305, 505}},
        {home, false, true, {300, 600}, {300, 0}},
        {end, false, true, {300, 600}, {300, 1000}},
        {pageDown, false, true, {300, 600}, {600, 900}},
        {pageUp, false, true, {600, 300}, {300, 0}},
        {pageDown, false, true, {600, 900}, {900, 1000}},  // clamped at the end
        // Ctrl+Shift: both ends.
        {right, true, true, {300, 600}, {315, 615}},
        {left, true, true, {300, 600}, {295, 595}},
        {home, true, true, {300, 600}, {0, 300}},
        {end, true, true, {600, 300}, {1000, 700}},
        {pageUp, true, true, {300, 600}, {300, 600}},
    };
    for (const Case& c : cases) {
        document_->SetEnds(c.before.first, c.before.second);
        EXPECT_TRUE(Key(c.key, c.shift, c.ctrl));
        EXPECT_EQ(Selection(), c.after) << "key " << int(c.key) << " shift " << c.shift << " ctrl "
                                        << c.ctrl << " from " << c.before.first;
    }
    EXPECT_FALSE(Key('A'));
}

TEST_F(WaveViewInputTest, KeysFollowTheZoom) {
    ASSERT_TRUE(mouse_->ZoomTo(0, 100));  // one sample per column
    document_->SetCursor(50);
    Key(keycode::right);
    EXPECT_EQ(Selection(), (Ends{51, 51}));
}

TEST_F(WaveViewInputTest, KeysOnAnEmptyWaveDoNothing) {
    Open(MonoRamp(0));
    for (std::uint8_t key : {keycode::left, keycode::right, keycode::up, keycode::down,
                             keycode::home, keycode::end, keycode::pageDown}) {
        EXPECT_TRUE(Key(key, true, true));
        EXPECT_TRUE(Key(key));
        EXPECT_EQ(Selection(), (Ends{0, 0}));
    }
}

TEST_F(WaveViewInputTest, PositionTextReadsTimeAndValueOfEachChannelBand) {
    // Mono: +100 at the top, 0 in the middle; h = bottom - 1 - top = 199.
    EXPECT_EQ(WavePositionText(geometry_, 44100, 1, 0, 0), "(0.00000 s, 100.00 %)");
    EXPECT_EQ(WavePositionText(geometry_, 1000, 1, 50, 199), "(0.50000 s, -100.00 %)");
    // Stereo: each half reads +100 .. -100 again.
    TWaveViewGeometry stereo;
    stereo.SetClient({0, 0, 100, 201});
    stereo.SetSampleCount(1000);
    EXPECT_EQ(WavePositionText(stereo, 1000, 2, 10, 0), "(0.10000 s, 100.00 %)");
    EXPECT_EQ(WavePositionText(stereo, 1000, 2, 10, 50), "(0.10000 s, 0.00 %)");
    EXPECT_EQ(WavePositionText(stereo, 1000, 2, 10, 101), "(0.10000 s, 98.00 %)");
    EXPECT_EQ(WavePositionText(stereo, 1000, 2, 10, 200), "(0.10000 s, -100.00 %)");
}

// Hand drawing on a view 100 x 200 over one second at 44100 Hz (44101 samples): a node at
// position p and value v sits at column trunc(100p) (nearly), row (32767 - v)/65534·200.
class DrawingInputTest : public WaveViewInputTest {
  protected:
    DrawingInputTest() {
        Open(MakeEmptySound({44100, 1, 2}));
        document_->DrawWave(TDrawKind::linear);
        geometry_.SetSampleCount(static_cast<std::int32_t>(document_->GetValues()));
    }
    std::vector<TDrawNode> Nodes() const {
        return {document_->DrawNodes().begin(), document_->DrawNodes().end()};
    }
};

TEST_F(DrawingInputTest, AClickAwayFromNodesAddsOneWhichAMoveDoesNotDrag) {
    ASSERT_EQ(document_->GetValues(), 44101);
    mouse_->LeftButtonDown(50, 50, {});
    ASSERT_EQ(Nodes().size(), 3u);
    EXPECT_NEAR(Nodes()[1].position, 0.5, 1e-9);
    EXPECT_EQ(Nodes()[1].value, 16383);
    EXPECT_EQ(mouse_->GrabbedNode(), nullptr);
    EXPECT_TRUE(document_->SoundChanged());
    EXPECT_EQ(document_->TheSound().GetLeftWave().wave[22050], 16382);  // drawn through it
    mouse_->PointerMove(60, 60, true, false);
    mouse_->LeftButtonUp(60, 60, tool_);
    EXPECT_NEAR(Nodes()[1].position, 0.5, 1e-9);
    // A click at column 0, far from the first node's row, would add a node where the first
    // node already is: none is added.
    mouse_->LeftButtonDown(0, 150, {});
    EXPECT_EQ(Nodes().size(), 3u);
}

TEST_F(DrawingInputTest, InnerNodesMoveBetweenTheirNeighboursHideAndAreDeletedOutside) {
    mouse_->LeftButtonDown(50, 50, {});  // the node at (50, 50)
    mouse_->LeftButtonDown(52, 52, {});  // grabs it, 2.8 pixels away
    ASSERT_NE(mouse_->GrabbedNode(), nullptr);
    mouse_->PointerMove(70, 52, true, false);
    EXPECT_NEAR(Nodes()[1].position, 0.68, 1e-9);
    EXPECT_EQ(Nodes()[1].value, 16383);
    // Not past the last node's column.
    mouse_->PointerMove(110, 52, true, false);
    EXPECT_NEAR(Nodes()[1].position, 0.68, 1e-9);
    // Below the view: hidden, its value at the bottom row.
    mouse_->PointerMove(70, 250, true, false);
    EXPECT_TRUE(Nodes()[1].hidden);
    EXPECT_EQ(Nodes()[1].value, -32439);
    mouse_->PointerMove(70, 150, true, false);
    EXPECT_FALSE(Nodes()[1].hidden);
    // Released above the view: deleted.
    mouse_->LeftButtonUp(70, -30, tool_);
    EXPECT_EQ(Nodes().size(), 2u);
    EXPECT_EQ(mouse_->GrabbedNode(), nullptr);
}

TEST_F(DrawingInputTest, EndNodesKeepTheirPositionAndTakeTheEdgeValue) {
    mouse_->LeftButtonDown(1, 101, {});  // the first node at (0, 100)
    ASSERT_EQ(mouse_->GrabbedNode(), &*document_->DrawNodes().begin());
    mouse_->PointerMove(40, 101, true, false);
    EXPECT_EQ(Nodes()[0].position, 0.0);
    EXPECT_FALSE(Nodes()[0].hidden);
    mouse_->LeftButtonUp(40, -50, tool_);  // above the view: not deleted, the top value
    ASSERT_EQ(Nodes().size(), 2u);
    EXPECT_EQ(Nodes()[0].value, 32767);
    EXPECT_EQ(document_->TheSound().GetLeftWave().wave[0], 32767);
}

// A shadow file may hold nodes out of position order; they are kept in that order.
TEST_F(DrawingInputTest, NodesOutOfPositionOrderCanBeDraggedAndAddedTo) {
    TDrawNodes& nodes = document_->DrawNodes();
    nodes.Clear();
    nodes.Append(0.0, 0);
    nodes.Append(0.8, 0);
    nodes.Append(0.3, 0);
    nodes.Append(1.0, 0);
    document_->DrawingEdited();
    mouse_->LeftButtonDown(30, 100, {});  // grabs the node at 0.3, between 0.8 and 1
    ASSERT_EQ(mouse_->GrabbedNode(), &*std::next(nodes.begin(), 2));
    mouse_->PointerMove(50, 100, true, false);  // not between its neighbours' columns: stays
    EXPECT_DOUBLE_EQ(Nodes()[2].position, 0.3);
    mouse_->PointerMove(90, 60, true, false);
    EXPECT_NEAR(Nodes()[2].position, 0.9, 1e-9);
    mouse_->LeftButtonUp(90, 60, tool_);
    mouse_->LeftButtonDown(60, 20, {});  // a new node, inserted by position as far as it goes
    EXPECT_EQ(Nodes().size(), 5u);
    EXPECT_EQ(document_->GetValues(), 44101);
}

TEST(WaveViewRepaintTest, OnlyTheChangedStripsAndTheCursorsAreRepainted) {
    TWaveViewGeometry view;
    view.SetClient({0, 0, 100, 50});
    view.SetSampleCount(1000);
    // (200, 400) grows to (200, 500): the strip 400 .. 500 and both cursor columns (20).
    std::vector<platform::Rect> rects = SelectionRepaintRects(view, 200, 400, 200, 500);
    ASSERT_EQ(rects.size(), 3u);
    EXPECT_EQ(rects[0], (platform::Rect{39, 0, 52, 50}));
    EXPECT_EQ(rects[1], (platform::Rect{19, 0, 22, 50}));
    // The cursor at the wave's end stands on the last sample.
    EXPECT_EQ(CursorSample(1000, 1000), 999);
    EXPECT_EQ(CursorSample(0, 0), 0);
    TWaveViewGeometry narrow;
    narrow.SetClient({0, 0, 1, 50});
    narrow.SetSampleCount(1000);
    EXPECT_TRUE(SelectionRepaintRects(narrow, 0, 10, 5, 500).empty());
}

}  // namespace
}  // namespace kalvora
