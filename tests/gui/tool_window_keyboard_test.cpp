// The tool window "Select and Zoom" takes the keyboard while it is active and gives it back
// when the user returns to the frame or closes it: the one-key and Ctrl shortcuts of the
// wave window run again.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTest>

#include "gui/mdi_child_wave.h"
#include "gui/select_zoom_dialog.h"
#include "gui/view_wave.h"
#include "gui/view_wave_group.h"
#include "gui/wave_test_support.h"

namespace kalvora::gui {
namespace {

using C = CommandId;
using testing::StereoSine;
using testing::WriteWav;

class ToolWindowKeyboardTest : public ::testing::Test, public testing::FrameFixture {
  protected:
    ToolWindowKeyboardTest() {
        QApplication::setActiveWindow(&frame);
        std::string file = WriteWav(folder, "wave.wav", *StereoSine(4410));
        EXPECT_TRUE(frame.OpenWaveFile(file));
        window_ = frame.ActiveWaveWindow();
        Settle();
    }

    // The tool window is shown and the user works in it.
    TDlgSelZoom& UseToolWindow() {
        EXPECT_TRUE(frame.RunCommand(C::SelectWave));
        TDlgSelZoom* tool = frame.SelectZoom();
        QApplication::setActiveWindow(tool);
        QApplication::processEvents();
        EXPECT_TRUE(frame.KeyboardTyping());
        return *tool;
    }

    // A click into the view, then Ctrl+C there: Copy fills the clipboard when it ran.
    bool CopyRunsFromTheView() {
        TViewWave& view = window_->Group().ViewSecond();
        QTest::mouseClick(&view, Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
        Settle();
        QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);
        return frame.Workspace().Clipboard().HasSound();
    }

    TMDIChildWave* window_ = nullptr;
};

TEST_F(ToolWindowKeyboardTest, KeysWorkAgainAfterTheUserClicksBackIntoTheView) {
    UseToolWindow();
    // The window system activates the frame when the view is clicked; the document window
    // was the active one all along, so only the frame reports an activation.
    QApplication::setActiveWindow(&frame);
    QApplication::processEvents();
    EXPECT_FALSE(frame.KeyboardTyping());
    EXPECT_TRUE(CopyRunsFromTheView());
}

TEST_F(ToolWindowKeyboardTest, KeysWorkAgainAfterTheToolWindowIsClosed) {
    TDlgSelZoom& tool = UseToolWindow();
    tool.findChild<QPushButton*>(QStringLiteral("btnClose"))->click();
    QApplication::processEvents();
    EXPECT_FALSE(tool.isVisible());
    EXPECT_FALSE(frame.KeyboardTyping());
    EXPECT_TRUE(CopyRunsFromTheView());
}

TEST_F(ToolWindowKeyboardTest, AToolWindowLosingTheActivationGivesTheKeyboardBack) {
    UseToolWindow();
    QApplication::setActiveWindow(nullptr);  // another program's window became active
    QApplication::processEvents();
    EXPECT_FALSE(frame.KeyboardTyping());
}

}  // namespace
}  // namespace kalvora::gui
