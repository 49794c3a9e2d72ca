// The settings dialogs of a wave window run from the frame: "Wave View" changing the
// waveform's colours (and the default), "Volume Diagram" switching to the diagram and back,
// the palette dialog, and the tool window "Select and Zoom" following the active window.
// KALVORA_SCREENSHOT_DIR keeps pictures of the dialogs for a look.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QElapsedTimer>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include "gui/color_box.h"
#include "gui/color_palette_dialog.h"
#include "gui/dialog_help.h"
#include "gui/mdi_child_wave.h"
#include "gui/select_zoom_dialog.h"
#include "gui/view_wave.h"
#include "gui/view_wave_group.h"
#include "gui/vold_view_dialog.h"
#include "gui/wave_test_support.h"
#include "gui/wave_view_dialog.h"
#include "shell/help_topics.h"

namespace kalvora::gui {
namespace {

using C = CommandId;
using testing::PressCancel;
using testing::PressOk;
using testing::StereoSine;
using testing::WaitForWorker;
using testing::WhenModalShows;
using testing::WriteWav;

template <typename W>
W* Child(QWidget& parent, const char* name) {
    W* child = parent.findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
}

void Type(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

void KeepPicture(QWidget& widget, const QString& name) {
    const QByteArray folder = qgetenv("KALVORA_SCREENSHOT_DIR");
    if (!folder.isEmpty()) widget.grab().save(QString::fromLocal8Bit(folder) + "/" + name);
}

// How many pixels of the view have exactly this colour.
int Count(TViewWave& view, platform::Color color) {
    const QImage image = view.grab().toImage();
    const QRgb wanted = ToQColor(color).rgb();
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == wanted) ++count;
    return count;
}

class ViewSettingsTest : public ::testing::Test, public testing::FrameFixture {
  protected:
    TMDIChildWave* Open(const QString& name, std::int32_t samples) {
        std::string file = WriteWav(folder, name, *StereoSine(samples));
        EXPECT_TRUE(frame.OpenWaveFile(file));
        TMDIChildWave* window = frame.ActiveWaveWindow();
        window->resize(640, 360);
        Settle();
        return window;
    }

    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const auto& message : messages.Messages())
            texts.push_back(message.text);
        return texts;
    }
};

// The colours chosen in "Wave View" reach the window (and, with "Use As Default", the frame's
// default); a refused value keeps the dialog open and the default as it was. "Volume
// Diagram" then switches to the diagram and "Wave View" back, keeping the colours.
TEST_F(ViewSettingsTest, WaveViewColoursThenVolumeAndBack) {
    TMDIChildWave* window = Open("wave.wav", 44100);
    TViewWaveGroup& group = window->Group();
    window->Wave().SetSelection(0, 0);
    Settle();

    bool refusedStayedOpen = false;
    WhenModalShows<TDlgWaveViewProps>([&](TDlgWaveViewProps& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Wave View");
        EXPECT_EQ(DialogHelpContext(dialog), helpContext::waveView);
        EXPECT_EQ(Child<QLineEdit>(dialog, "editValuesPerPixel")->text(), "15");
        EXPECT_FALSE(Child<QLineEdit>(dialog, "editStrength")->isEnabled());  // "Lines"
        KeepPicture(dialog, "wave-view-dialog.png");
        dialog.SingleColorBox()->Choose(0x0000FF);                 // red
        dialog.BackgroundColorBox()->Choose(0x00FFFF);             // yellow
        Child<QCheckBox>(dialog, "chk2Waves")->setChecked(false);  // joined: left and right
        dialog.LeftColorBox()->Choose(0x008000);
        Child<QCheckBox>(dialog, "chkDefault")->setChecked(true);
        Type(Child<QLineEdit>(dialog, "editValuesPerPixel"), "0");
        PressOk(dialog);
        refusedStayedOpen = dialog.isVisible();
        Type(Child<QLineEdit>(dialog, "editValuesPerPixel"), "20");
        PressOk(dialog);
    });
    ASSERT_TRUE(frame.RunCommand(C::ViewWave));
    EXPECT_TRUE(refusedStayedOpen);
    ASSERT_EQ(Texts().size(), 1u);
    EXPECT_EQ(Texts()[0].rfind("In Values per Pixel: ", 0), 0u) << Texts()[0];
    const TWaveViewProps& settings = group.WaveSettings();
    EXPECT_EQ(settings.SingleColor, 0x0000FFu);
    EXPECT_EQ(settings.BackgroundColor, 0x00FFFFu);
    EXPECT_EQ(settings.LeftColor, 0x008000u);
    EXPECT_FALSE(settings.DrawSingle);
    EXPECT_EQ(settings.ValuesPerPixel, 20);
    EXPECT_EQ(frame.DefaultWaveViewProps(), settings);
    EXPECT_TRUE(window->Wave().ShadowChanged());
    Settle();
    EXPECT_TRUE(frame.Action(C::ViewWave)->isChecked());
    // The views paint with the new colours: a yellow background and the left channel green.
    EXPECT_GT(Count(group.ViewSecond(), 0x00FFFF), 1000);
    EXPECT_GT(Count(group.ViewSecond(), 0x008000), 100);

    // Cancel changes nothing.
    WhenModalShows<TDlgWaveViewProps>([](TDlgWaveViewProps& dialog) {
        dialog.BackgroundColorBox()->Choose(0x000000);
        PressCancel(dialog);
    });
    ASSERT_TRUE(frame.RunCommand(C::ViewWave));
    EXPECT_EQ(group.WaveSettings().BackgroundColor, 0x00FFFFu);

    WhenModalShows<TDlgVoldViewProps>([&](TDlgVoldViewProps& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Volume Diagram");
        EXPECT_EQ(DialogHelpContext(dialog), helpContext::volumeDiagram);
        EXPECT_EQ(Child<QLineEdit>(dialog, "editTop")->text(), "20 kHz");
        KeepPicture(dialog, "volume-diagram-dialog.png");
        Type(Child<QLineEdit>(dialog, "editHorizontal"), "200");
        PressOk(dialog);
    });
    ASSERT_TRUE(frame.RunCommand(C::ViewVold));
    EXPECT_EQ(group.Kind(), TWaveWindKind::waveWindVolume);
    EXPECT_EQ(group.VolumeSettings().XResolution, 200);
    ASSERT_TRUE(WaitForWorker(*window));
    Settle();
    EXPECT_TRUE(frame.Action(C::ViewVold)->isChecked());
    EXPECT_FALSE(frame.Action(C::ViewWave)->isChecked());

    // A colour alone only repaints the finished diagram; a resolution computes it anew.
    WhenModalShows<TDlgVoldViewProps>([](TDlgVoldViewProps& dialog) {
        Child<TColorBox>(dialog, "colbBackground")->Choose(0x800000);
        PressOk(dialog);
    });
    ASSERT_TRUE(frame.RunCommand(C::ViewVold));
    EXPECT_FALSE(group.Volume().Running());
    EXPECT_EQ(group.VolumeSettings().BackgroundColor, 0x800000u);
    EXPECT_EQ(group.Volume().Arrays().Left->GetWidth(), 200);
    WhenModalShows<TDlgVoldViewProps>([](TDlgVoldViewProps& dialog) {
        Type(Child<QLineEdit>(dialog, "editVertical"), "30");
        PressOk(dialog);
    });
    ASSERT_TRUE(frame.RunCommand(C::ViewVold));
    ASSERT_TRUE(WaitForWorker(*window));
    EXPECT_EQ(group.Volume().Arrays().Left->GetHeight(), 30);

    ASSERT_TRUE(RunAccepted(C::ViewWave));
    EXPECT_EQ(group.Kind(), TWaveWindKind::waveWindWave);
    EXPECT_EQ(group.WaveSettings().BackgroundColor, 0x00FFFFu);
    Settle();
    EXPECT_TRUE(frame.Action(C::ViewWave)->isChecked());
    EXPECT_GT(Count(group.ViewSecond(), 0x00FFFF), 1000);
}

// The frequency checks against the sound's rate and the "< Window" buttons.
TEST_F(ViewSettingsTest, VolumeDialogChecksAndWindowButtons) {
    TMDIChildWave* window = Open("wave.wav", 4410);
    window->resize(700, 301 + 40);
    Settle();
    const int height = window->Group().ViewSecond().Geometry().Client().Height();
    const int widths = window->Group().ViewFirst().Geometry().Client().Width() +
                       window->Group().ViewSecond().Geometry().Client().Width();
    bool stayedOpen = false;
    WhenModalShows<TDlgVoldViewProps>([&](TDlgVoldViewProps& dialog) {
        Child<QPushButton>(dialog, "btnXResWindow")->click();
        EXPECT_EQ(Child<QLineEdit>(dialog, "editHorizontal")->text(), QString::number(widths));
        Child<QPushButton>(dialog, "btnYResWindow")->click();  // two single diagrams: half
        EXPECT_EQ(Child<QLineEdit>(dialog, "editVertical")->text(),
                  QString::number((height + 1) / 2));
        Child<QCheckBox>(dialog, "chk2Waves")->setChecked(false);
        Child<QPushButton>(dialog, "btnYResWindow")->click();
        EXPECT_EQ(Child<QLineEdit>(dialog, "editVertical")->text(), QString::number(height));
        // "Edit Palette..." closed with OK ticks "Use Palette for Single Diagrams".
        WhenModalShows<TDlgColorPalette1D>([](TDlgColorPalette1D& palette) {
            Child<QPushButton>(palette, "btnPalItemAdd")->click();
            PressOk(palette);
        });
        Child<QPushButton>(dialog, "btnSingleColorPalette")->click();
        EXPECT_TRUE(Child<QCheckBox>(dialog, "chkSingleColorPalette")->isChecked());
        Type(Child<QLineEdit>(dialog, "editTop"), "50 kHz");
        PressOk(dialog);
        stayedOpen = dialog.isVisible();
        PressCancel(dialog);
    });
    ASSERT_TRUE(frame.RunCommand(C::ViewVold));
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(Texts(), std::vector<std::string>{
                           "Top Frequency may not be higher than the sample Frequency."});
    EXPECT_EQ(window->Group().Kind(), TWaveWindKind::waveWindWave);
    EXPECT_EQ(window->Group().VolumeSettings().ColorPalette1D.Count(), 2);  // cancelled
}

// The palette dialog: "Add" puts a grey stop in the middle, a taken position is refused and
// keeps the dialog open, a free one is taken on OK.
TEST_F(ViewSettingsTest, PaletteDialogAddsStopsAndRefusesTakenPositions) {
    TDlgColorPalette1D dialog(&frame, TColorPalette1DItem());
    dialog.show();
    QApplication::processEvents();
    auto* add = Child<QPushButton>(dialog, "btnPalItemAdd");
    auto* remove = Child<QPushButton>(dialog, "btnPalItemDelete");
    auto* position = Child<QLineEdit>(dialog, "editPosition");
    EXPECT_FALSE(remove->isEnabled());
    EXPECT_FALSE(position->isEnabled());
    EXPECT_FALSE(Child<QToolButton>(dialog, "btnPalItemPrevious")->isEnabled());
    add->click();
    EXPECT_EQ(position->text(), "50 %");
    EXPECT_TRUE(remove->isEnabled());
    EXPECT_EQ(Child<TColorBox>(dialog, "cboColorBefore")->Color(), 0x7F7F7Fu);
    add->click();  // between 50 % and 100 %
    EXPECT_EQ(position->text(), "75 %");
    Child<TColorBox>(dialog, "cboColorBefore")->Choose(0x0000FF);
    KeepPicture(dialog, "color-palette-dialog.png");

    Type(position, "50 %");
    PressOk(dialog);
    EXPECT_TRUE(dialog.isVisible());
    ASSERT_EQ(Texts(), std::vector<std::string>{"This Position already exists in the pallette."});
    Type(position, "25 %");
    PressOk(dialog);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    const TColorPalette1DItem& palette = dialog.Palette();
    ASSERT_EQ(palette.Count(), 4);
    EXPECT_EQ(palette.NextColorPalette1DItem->Position, 0.25);
    EXPECT_EQ(palette.NextColorPalette1DItem->ColorBefore, 0x0000FFu);
    EXPECT_EQ(messages.Messages().size(), 1u);
}

// SelectWave shows the tool window filled from the active window; Apply selects and zooms;
// a selection made elsewhere shows in it; with no wave window it is empty and disabled.
TEST_F(ViewSettingsTest, SelectAndZoomFollowsTheActiveWindow) {
    TMDIChildWave* window = Open("wave.wav", 44100);
    window->Wave().SetSelection(4410, 4410);
    ASSERT_TRUE(frame.RunCommand(C::SelectWave));
    TDlgSelZoom* tool = frame.SelectZoom();
    ASSERT_NE(tool, nullptr);
    ASSERT_TRUE(tool->isVisible());
    Settle();
    EXPECT_TRUE(frame.Action(C::SelectWave)->isChecked());
    EXPECT_TRUE(Child<QRadioButton>(*tool, "rbCursor")->isChecked());
    EXPECT_EQ(Child<QLineEdit>(*tool, "editAt")->text(), "0.1 s");
    EXPECT_FALSE(Child<QCheckBox>(*tool, "chkZoomedSecond")->isChecked());

    Type(Child<QLineEdit>(*tool, "editPartBegin"), "0.25 s");
    EXPECT_TRUE(Child<QRadioButton>(*tool, "rbPart")->isChecked());
    Type(Child<QLineEdit>(*tool, "editPartEnd"), "500 ms");
    Type(Child<QLineEdit>(*tool, "editZoomBeginSecond"), "0.2 s");
    EXPECT_TRUE(Child<QCheckBox>(*tool, "chkZoomedSecond")->isChecked());
    Type(Child<QLineEdit>(*tool, "editZoomEndSecond"), "0.6 s");
    KeepPicture(*tool, "select-zoom.png");
    Child<QPushButton>(*tool, "btnApply")->click();
    EXPECT_EQ(Texts(), std::vector<std::string>{});
    EXPECT_EQ(window->Wave().SelStart(), 11025);
    EXPECT_EQ(window->Wave().SelEnd(), 22050);
    TViewWave& second = window->Group().ViewSecond();
    ASSERT_TRUE(second.Zoomed());
    EXPECT_NEAR(second.Geometry().FirstVisible(), 8820, 1);
    Settle();
    EXPECT_TRUE(Child<QCheckBox>(*tool, "chkZoomedSecond")->isChecked());

    window->Wave().SetSelection(0, 44100 / 2);
    EXPECT_EQ(Child<QLineEdit>(*tool, "editPartBegin")->text(), "0 s");
    EXPECT_EQ(Child<QLineEdit>(*tool, "editPartEnd")->text(), "500 ms");  // the unit typed

    // The end of the wave is refused; an unchecked "Zoomed" unzooms the view all the same.
    Type(Child<QLineEdit>(*tool, "editPartEnd"), "1 s");
    Child<QCheckBox>(*tool, "chkZoomedSecond")->click();
    Child<QPushButton>(*tool, "btnApply")->click();
    EXPECT_EQ(Texts(), std::vector<std::string>{"In Part End: Must be prior before the end of "
                                                "the wave."});
    EXPECT_FALSE(second.Zoomed());

    frame.closeQuestion = [](const QString&) { return CloseAnswer::discard; };
    ASSERT_TRUE(frame.RunCommand(C::FileClose));
    Settle();
    EXPECT_FALSE(Child<QPushButton>(*tool, "btnApply")->isEnabled());
    EXPECT_EQ(Child<QLineEdit>(*tool, "editPartBegin")->text(), "");
    EXPECT_FALSE(Child<QLineEdit>(*tool, "editAt")->isEnabled());

    ASSERT_TRUE(frame.RunCommand(C::SelectWave));
    EXPECT_FALSE(tool->isVisible());
    Settle();
    EXPECT_FALSE(frame.Action(C::SelectWave)->isChecked());
}

}  // namespace
}  // namespace kalvora::gui
