// Split and merge run in the frame: each command through its dialog where it has one, the
// new windows where their sources were, the sources of a split closed with their undo
// record, and merged waves that live on when their sources close.
#include <gtest/gtest.h>

#include <QButtonGroup>
#include <QComboBox>
#include <QMdiArea>
#include <QTabWidget>

#include "documents/wave_creation.h"
#include "gui/merge_dialog.h"
#include "gui/split_hor_dialog.h"
#include "gui/wave_test_support.h"

namespace kalvora::gui {
namespace {

using C = CommandId;
using testing::PressOk;
using testing::StereoSine;
using testing::WhenModalShows;

std::unique_ptr<Sound> MonoRamp(std::int32_t n, int rate = 44100) {
    ErrorFlag error = 0;
    Wave wave(&error, n);
    for (std::int32_t i = 0; i < n; ++i)
        wave.wave[i] = static_cast<std::int16_t>(i);
    return std::make_unique<MonoSound>(std::move(wave), rate, 2);
}

class MergeSplitCommandsTest : public ::testing::Test, public testing::FrameFixture {
  protected:
    TMDIChildWave* Open(std::unique_ptr<Sound> sound, QRect bounds) {
        TMDIChildWave* window = frame.AddWaveWindow(NamedWave(frame.Workspace(), std::move(sound)),
                                                    frame.DefaultWaveViewProps(), bounds);
        Settle();
        return window;
    }

    std::vector<TMDIChildWave*> WaveWindows() {
        std::vector<TMDIChildWave*> windows;
        for (TMDIChildKalvora* window : frame.DocumentWindows()) {
            if (auto* wave = qobject_cast<TMDIChildWave*>(window)) windows.push_back(wave);
        }
        return windows;
    }

    TMDIChildWave* Named(const std::string& name) { return frame.WaveWindowNamed(name); }

    // The window lies wholly inside the frame's document area.
    bool Inside(const TMDIChildWave& window) {
        return frame.MdiArea()->viewport()->rect().contains(window.geometry());
    }
};

TEST_F(MergeSplitCommandsTest, SplitVerticallyStacksTheChannelsAndClosesTheSource) {
    TMDIChildWave* source = Open(StereoSine(1000), QRect(10, 10, 400, 300));
    source->Wave().SetSelection(0, 10);
    ASSERT_TRUE(source->Wave().Delete());  // the source's undo record
    source->Wave().SetSelection(100, 300);
    Settle();
    ASSERT_TRUE(frame.CommandEnabled(C::SplitV));
    ASSERT_TRUE(frame.RunCommand(C::SplitV));
    Settle();

    ASSERT_EQ(WaveWindows().size(), 2u);
    TMDIChildWave* left = Named("NONAME2");
    TMDIChildWave* right = Named("NONAME3");
    ASSERT_TRUE(left && right);
    EXPECT_EQ(left->Wave().GetMoSt(), 1);
    EXPECT_EQ(left->Wave().GetValues(), 990);
    EXPECT_EQ(left->Wave().SelMin(), 100);
    EXPECT_EQ(right->Wave().SelMax(), 300);
    EXPECT_LT(left->geometry().top(), right->geometry().top());
    EXPECT_TRUE(Inside(*left) && Inside(*right));
    EXPECT_FALSE(frame.Workspace().Undo().HasUndo());
    // The channels are documents of their own: editing one leaves the other alone.
    ASSERT_TRUE(right->Wave().Delete());
    EXPECT_EQ(left->Wave().GetValues(), 990);
    EXPECT_TRUE(messages.Messages().empty());
}

TEST_F(MergeSplitCommandsTest, SplitHorizontallyAsksHowTheSelectionCutsAndRemembersIt) {
    TMDIChildWave* source = Open(MonoRamp(1000), QRect(0, 0, 500, 200));
    source->Wave().SetSelection(100, 200);
    Settle();
    ASSERT_TRUE(frame.CommandEnabled(C::SplitH));
    bool asked = false;
    WhenModalShows<TDlgSplitHorProps>([&](TDlgSplitHorProps& dialog) {
        asked = true;
        EXPECT_EQ(dialog.windowTitle(), "Split Horizontally");
        dialog.Buttons()->button(1)->click();  // "Two parts, both inclusive selected part"
        PressOk(dialog);
    });
    ASSERT_TRUE(frame.RunCommand(C::SplitH));
    Settle();
    EXPECT_TRUE(asked);
    ASSERT_EQ(WaveWindows().size(), 2u);
    TMDIChildWave* first = Named("NONAME2");
    TMDIChildWave* last = Named("NONAME3");
    ASSERT_TRUE(first && last);
    EXPECT_EQ(first->Wave().GetValues(), 200);
    EXPECT_EQ(last->Wave().GetValues(), 900);
    EXPECT_LE(first->geometry().left(), last->geometry().left());
    EXPECT_TRUE(Inside(*first) && Inside(*last));
    EXPECT_EQ(frame.mergeSplitRecords.splitHor, TSplitHorResult::bothInclusive);

    // Cancel does nothing.
    last->Wave().SetSelection(10, 20);
    WhenModalShows<TDlgSplitHorProps>([](TDlgSplitHorProps& dialog) { dialog.reject(); });
    frame.RunCommand(C::SplitH);
    Settle();
    EXPECT_EQ(WaveWindows().size(), 2u);
}

TEST_F(MergeSplitCommandsTest, MergeHorizontallyShowsOnlyTheDifferingTabsAndKeepsTheSources) {
    Open(MonoRamp(100), QRect(0, 0, 200, 150));
    Open(StereoSine(50), QRect(220, 0, 200, 150));
    Settle();
    ASSERT_TRUE(frame.CommandEnabled(C::MergeH));
    bool asked = false;
    WhenModalShows<TDlgMergeProps>([&](TDlgMergeProps& dialog) {
        asked = true;
        EXPECT_EQ(dialog.windowTitle(), "Merge Horizontally");
        QTabWidget& tabs = *dialog.Tabs();
        EXPECT_TRUE(tabs.isTabVisible(0));               // "Mono/Stereo": they differ
        EXPECT_FALSE(tabs.isTabVisible(1));              // "Frequency": both 44100 Hz
        EXPECT_FALSE(tabs.isTabVisible(2));              // "Bits"
        EXPECT_EQ(dialog.MonoStereo()->checkedId(), 1);  // "Stereo" preselected
        // The active (stereo) window comes first; make the mono one first instead.
        dialog.FirstBox()->setCurrentIndex(1);
        dialog.SecondBox()->setCurrentIndex(0);
        dialog.MonoStereo()->button(0)->click();  // "Mono"
        PressOk(dialog);
    });
    ASSERT_TRUE(frame.RunCommand(C::MergeH));
    Settle();
    EXPECT_TRUE(asked);
    ASSERT_EQ(WaveWindows().size(), 3u);
    TMDIChildWave* merged = Named("NONAME3");
    ASSERT_NE(merged, nullptr);
    EXPECT_EQ(merged->Wave().GetMoSt(), 1);
    EXPECT_EQ(merged->Wave().GetValues(), 150);
    EXPECT_EQ(merged->Wave().TheSound().GetLeftWave().wave[99], 99);
    EXPECT_TRUE(Inside(*merged));

    // Closing a source leaves the merged wave whole and editable.
    Named("NONAME1")->CloseWithoutQuestion();
    Settle();
    merged->Wave().SetSelection(0, 100);
    EXPECT_TRUE(merged->Wave().Delete());
    EXPECT_EQ(merged->Wave().GetValues(), 50);
}

TEST_F(MergeSplitCommandsTest, MergeVerticallyRefusesTheSameWaveTwiceAndMakesLengthsEqual) {
    Open(MonoRamp(441), QRect(0, 0, 300, 120));
    Open(MonoRamp(220), QRect(0, 140, 300, 120));
    Settle();
    ASSERT_TRUE(frame.CommandEnabled(C::MergeV));
    int step = 0;
    std::function<void(TDlgMergeProps&)> answer = [&](TDlgMergeProps& dialog) {
        ++step;
        if (step == 1) {
            EXPECT_EQ(dialog.windowTitle(), "Merge Vertically");
            EXPECT_TRUE(dialog.Tabs()->isTabVisible(0));  // "Length": they differ
            dialog.SecondBox()->setCurrentIndex(0);
            PressOk(dialog);  // refused: the dialog stays open
            EXPECT_TRUE(dialog.isVisible());
            dialog.FirstBox()->setCurrentIndex(1);  // left: NONAME1 (441 samples)
            dialog.SecondBox()->setCurrentIndex(0);
            dialog.Lengths()->button(1)->click();  // silence at the end of the shortest
            PressOk(dialog);
        }
    };
    WhenModalShows<TDlgMergeProps>(answer);
    ASSERT_TRUE(frame.RunCommand(C::MergeV));
    Settle();
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(messages.Messages()[0].text, "The chosen Waves must be different");
    EXPECT_EQ(messages.Messages()[0].caption, "Input Error");
    TMDIChildWave* merged = Named("NONAME3");
    ASSERT_NE(merged, nullptr);
    EXPECT_EQ(merged->Wave().GetMoSt(), 2);
    EXPECT_EQ(merged->Wave().GetValues(), 441);
    EXPECT_EQ(merged->Wave().TheSound().GetRightWave().wave[219], 219);
    EXPECT_EQ(merged->Wave().TheSound().GetRightWave().wave[220], 0);
    EXPECT_EQ(frame.mergeSplitRecords.mergeVert.lengths, TMakeLengthsEqual::silenceAtEnd);
}

}  // namespace
}  // namespace kalvora::gui
