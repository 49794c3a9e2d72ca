#include "shell/select_zoom.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/recording_message_sink.h"

namespace kalvora {
namespace {

std::vector<std::string> Texts(const platform::RecordingMessageSink& sink) {
    std::vector<std::string> texts;
    for (const auto& message : sink.Messages()) {
        EXPECT_EQ(message.caption, "Input Error");
        texts.push_back(message.text);
    }
    return texts;
}

using Zoom = TSelectZoom::Actions::Zoom;

// A wave of 1000 samples at 1000 samples per second: one second long.
TEST(SelectZoom, CursorAndPartAtTheEndAreRefused) {
    platform::RecordingMessageSink sink;
    TSelectZoom form;
    form.AtText = "1 s";
    auto actions = form.Apply(1000, 1000);
    EXPECT_FALSE(actions.Cursor);
    EXPECT_EQ(Texts(sink), std::vector<std::string>{
                               "In Selected Cursor: Must be prior before the end of the wave."});
    EXPECT_EQ(actions.ViewZoomAction[0], Zoom::unzoom);

    sink.Clear();
    form.AtText = "0.9995 s";
    actions = form.Apply(1000, 1000);
    EXPECT_EQ(actions.Cursor, 1000);  // rounded: the last settable time is just before the end
    EXPECT_TRUE(Texts(sink).empty());

    struct Case {
        const char* begin;
        const char* end;
        const char* message;
    };
    const Case cases[] = {
        {"0.5 s", "500 ms", "Part Begin must be prior before Part End."},
        {"1 s", "2 s", "In Part Begin: Must be prior before the end of the wave."},
        {"0.5 s", "1 s", "In Part End: Must be prior before the end of the wave."},
        {"x", "1 s", "In Part Begin: "},
        {"0.25 s", "500 ms", ""},
    };
    form.CursorChosen = false;
    for (const Case& c : cases) {
        sink.Clear();
        form.PartBeginText = c.begin;
        form.PartEndText = c.end;
        actions = form.Apply(1000, 1000);
        const std::string expected = c.message;
        EXPECT_EQ(actions.SelectionBegin.has_value(), expected.empty()) << c.begin;
        const auto texts = Texts(sink);
        if (expected.empty()) {
            EXPECT_TRUE(texts.empty());
            EXPECT_EQ(*actions.SelectionBegin, 250);
            EXPECT_EQ(*actions.SelectionEnd, 500);
        } else {
            ASSERT_EQ(texts.size(), 1u) << c.begin;
            EXPECT_EQ(texts[0].substr(0, expected.size()), expected);
        }
    }
}

TEST(SelectZoom, ZoomsAreCheckedPerViewAndEqualSampleEndsWidened) {
    platform::RecordingMessageSink sink;
    TSelectZoom form;
    form.AtText = "0 s";
    form.Views[0] = {true, "0.1 s", "0.1002 s", {0, DisplayUnit::second}, {1, DisplayUnit::second}};
    form.Views[1] = {true, "0.5 s", "0.5 s", {0, DisplayUnit::second}, {1, DisplayUnit::second}};
    auto actions = form.Apply(1000, 1000);
    EXPECT_EQ(actions.ViewZoomAction[0], Zoom::zoomTo);
    EXPECT_EQ(actions.ZoomBegin[0], 100);
    EXPECT_EQ(actions.ZoomEnd[0], 101);
    EXPECT_EQ(actions.ViewZoomAction[1], Zoom::keep);
    EXPECT_EQ(Texts(sink),
              std::vector<std::string>{"Zoom Second: Begin must be prior before End."});

    // A failed check skips the later steps, but an unticked view is still unzoomed.
    sink.Clear();
    form.AtText = "soon";
    form.Views[1].Zoomed = false;
    actions = form.Apply(1000, 1000);
    EXPECT_FALSE(actions.Cursor);
    EXPECT_EQ(actions.ViewZoomAction[0], Zoom::keep);
    EXPECT_EQ(actions.ViewZoomAction[1], Zoom::unzoom);
    ASSERT_EQ(Texts(sink).size(), 1u);
    EXPECT_EQ(Texts(sink)[0].rfind("In Cursor At: ", 0), 0u);
}

TEST(SelectZoom, FillsTextsFromTheWindow) {
    TSelectZoom form;
    form.FillSelection(1000, 700, 200);
    EXPECT_FALSE(form.CursorChosen);
    EXPECT_EQ(form.PartBeginText, "0.2 s");
    EXPECT_EQ(form.PartEndText, "0.7 s");
    EXPECT_EQ(form.AtText, "");
    form.FillSelection(1000, 250, std::nullopt);
    EXPECT_TRUE(form.CursorChosen);
    EXPECT_EQ(form.AtText, "0.25 s");
    form.FillView(1, 1000, 100.0, 300.0);
    EXPECT_TRUE(form.Views[1].Zoomed);
    EXPECT_EQ(form.Views[1].EndText, "0.3 s");
    form.FillView(1, 1000, std::nullopt, 0);
    EXPECT_FALSE(form.Views[1].Zoomed);
    EXPECT_EQ(form.Views[1].BeginText, "");
}

TEST(SelectZoom, PlacedAtTheFramesCornerButOnTheScreen) {
    const platform::Size screen{1920, 1080};
    const platform::Size window{300, 200};
    const platform::Point beside = SelectZoomPlace({100, 50, 1000, 700}, screen, window);
    EXPECT_EQ(beside, (platform::Point{1000, 700}));
    const platform::Point kept = SelectZoomPlace({0, 0, 1920, 1080}, screen, window);
    EXPECT_EQ(kept, (platform::Point{1620, 880}));
}

}  // namespace
}  // namespace kalvora
