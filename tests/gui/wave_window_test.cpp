// The wave window: selecting with the mouse, the edit commands, undo and zoom through the
// command table, keys, hand drawing, and the dialogs of the wave commands.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QLineEdit>
#include <QMdiArea>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>

#include "documents/wave_creation.h"
#include "gui/mdi_child_wave.h"
#include "gui/mix_dialog.h"
#include "gui/name_box.h"
#include "gui/register_dialog.h"
#include "gui/status_panels.h"
#include "gui/view_wave.h"
#include "gui/view_wave_group.h"
#include "gui/wave_test_support.h"

namespace kalvora::gui {
namespace {

using C = CommandId;
using testing::StereoSine;
using testing::WriteWav;
using Ends = std::pair<std::int32_t, std::int32_t>;

void SendMouse(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButton button,
               Qt::MouseButtons held, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QMouseEvent event(type, at, widget->mapToGlobal(at), button, held, modifiers);
    QApplication::sendEvent(widget, &event);
}

// Presses at from, moves to to with the button held, releases there.
void Drag(QWidget* view, QPoint from, QPoint to, Qt::MouseButton button = Qt::LeftButton,
          Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    SendMouse(view, QEvent::MouseButtonPress, from, button, button, modifiers);
    SendMouse(view, QEvent::MouseMove, to, Qt::NoButton, button, modifiers);
    SendMouse(view, QEvent::MouseButtonRelease, to, button, Qt::NoButton, modifiers);
}

void Click(QWidget* view, QPoint at, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    Drag(view, at, at, Qt::LeftButton, modifiers);
}

class WaveWindowTest : public ::testing::Test, public testing::FrameFixture {
  protected:
    TMDIChildWave* Open(const Sound& sound) {
        std::string file = WriteWav(folder, "wave.wav", sound);
        EXPECT_TRUE(frame.OpenWaveFile(file));
        TMDIChildWave* window = frame.ActiveWaveWindow();
        window->resize(640, 360);
        Settle();
        return window;
    }

    TMDIChildWave* NewMono() {
        frame.waveFilePropsAnswer = [](const waveFileProps&) {
            return std::optional<waveFileProps>(waveFileProps{44100, 1, 2});
        };
        EXPECT_TRUE(frame.RunCommand(C::FileNewWave));
        TMDIChildWave* window = frame.ActiveWaveWindow();
        window->resize(640, 360);
        Settle();
        return window;
    }

    static Ends Selection(const TMDIChildWave* window) {
        return {window->Wave().FirstEnd(), window->Wave().SecondEnd()};
    }

    static TViewWave& Second(TMDIChildWave* window) { return window->Group().ViewSecond(); }
    static int SampleAt(TMDIChildWave* window, int x) {
        return Second(window).Geometry().SampleIndexAtPixel(x);
    }
};

TEST_F(WaveWindowTest, ANewWindowShowsOnlyTheSecondView) {
    TMDIChildWave* window = Open(*StereoSine(44100));
    EXPECT_EQ(window->Group().ViewFirst().width(), 1);
    EXPECT_GT(window->Group().ViewSecond().width(), 500);
    EXPECT_FALSE(Second(window).ScrollBar()->isVisible());
    EXPECT_EQ(window->Group().handleWidth(), 3);
    EXPECT_EQ(&window->Group().View(1), &window->Group().ViewFirst());
    window->Group().SetSplitPosition(0.5);
    EXPECT_NEAR(window->Group().SplitPosition(), 0.5, 0.01);
    window->Group().SetSplitPosition(0.0);  // never narrower than one pixel
    EXPECT_EQ(window->Group().ViewFirst().width(), 1);
}

TEST_F(WaveWindowTest, SelectCutPasteUndoAndZoomThroughTheCommandTable) {
    TMDIChildWave* window = Open(*StereoSine(44100));
    QWidget* view = &Second(window);
    const std::int32_t from = SampleAt(window, 100);
    const std::int32_t to = SampleAt(window, 300);
    Drag(view, {100, 50}, {300, 60});
    EXPECT_EQ(Selection(window), (Ends{to, from}));  // the dragged end is the first end
    Settle();
    EXPECT_TRUE(frame.Action(C::EditTrim)->isEnabled());
    EXPECT_FALSE(frame.Action(C::EditPaste)->isEnabled());
    // Status panel 1 showed the position under the pointer while it moved.
    EXPECT_TRUE(frame.StatusPanels().Text(1).startsWith("(0."));

    ASSERT_TRUE(frame.RunCommand(C::EditCut));
    Settle();
    const std::int32_t cut = to - from;
    EXPECT_EQ(window->Wave().GetValues(), 44100 - cut);
    EXPECT_EQ(Selection(window), (Ends{from, from}));
    EXPECT_TRUE(frame.Action(C::EditPaste)->isEnabled());
    EXPECT_EQ(frame.StatusPanels().Text(7), "Changed");

    // Paste somewhere else: the pasted material is selected.
    Click(view, {50, 50});
    const std::int32_t at = SampleAt(window, 50);
    ASSERT_TRUE(frame.RunCommand(C::EditPaste));
    EXPECT_EQ(window->Wave().GetValues(), 44100);
    EXPECT_EQ(std::min(window->Wave().FirstEnd(), window->Wave().SecondEnd()), at);
    EXPECT_EQ(std::max(window->Wave().FirstEnd(), window->Wave().SecondEnd()), at + cut);

    // Undo takes the paste back, a second undo redoes it.
    ASSERT_TRUE(frame.RunCommand(C::Undo));
    EXPECT_EQ(window->Wave().GetValues(), 44100 - cut);
    ASSERT_TRUE(frame.RunCommand(C::Undo));
    EXPECT_EQ(window->Wave().GetValues(), 44100);

    // Zoom in: the command picks the tool, a drag in the view zooms to the dragged range.
    ASSERT_TRUE(frame.RunCommand(C::ZoomIn));
    Settle();
    EXPECT_TRUE(frame.Action(C::ZoomIn)->isChecked());
    EXPECT_EQ(window->ToolMode(), TWaveToolMode::zoomIn);
    Drag(view, {200, 40}, {400, 40});
    Settle();
    EXPECT_EQ(window->ToolMode(), TWaveToolMode::normal);
    EXPECT_FALSE(frame.Action(C::ZoomIn)->isChecked());
    TViewWave& second = Second(window);
    ASSERT_TRUE(second.Zoomed());
    EXPECT_TRUE(second.ScrollBar()->isVisible());
    const double first = second.Geometry().FirstVisible();
    const double last = second.Geometry().LastVisible();
    EXPECT_NEAR(first, window->Wave().SelMin(), 30);
    EXPECT_NEAR(last, window->Wave().SelMax(), 30);
    EXPECT_FALSE(window->Group().ViewFirst().Zoomed());  // each view zooms on its own

    // Scrolling moves the visible range by the same width.
    second.ScrollBar()->setValue(second.ScrollBar()->value() + second.ScrollBar()->pageStep());
    EXPECT_GT(second.Geometry().FirstVisible(), first);
    EXPECT_NEAR(second.Geometry().LastVisible() - second.Geometry().FirstVisible(), last - first,
                1.0);

    // Deleting while zoomed keeps the view's start.
    const double shownFirst = second.Geometry().FirstVisible();
    window->Wave().SetSelection(static_cast<std::int32_t>(shownFirst) + 100,
                                static_cast<std::int32_t>(shownFirst) + 200);
    ASSERT_TRUE(frame.RunCommand(C::EditDelete));
    EXPECT_NEAR(second.Geometry().FirstVisible(), shownFirst, 30);

    // No Zoom: the next click shows the whole wave again.
    ASSERT_TRUE(frame.RunCommand(C::NoZoom));
    EXPECT_EQ(window->ToolMode(), TWaveToolMode::noZoom);
    Click(view, {100, 40});
    EXPECT_FALSE(second.Zoomed());
    EXPECT_FALSE(second.ScrollBar()->isVisible());
}

// Undo gives the zoomed view its empty sound back without an edit range to follow.
TEST_F(WaveWindowTest, UndoIntoAnEmptySoundUnzoomsTheViews) {
    TMDIChildWave* window = NewMono();
    ASSERT_TRUE(RunAccepted(C::MakeSinus));
    Settle();
    ASSERT_GT(window->Wave().GetValues(), 100);
    Second(window).ZoomTo(10, 60, true);
    Settle();
    ASSERT_TRUE(Second(window).ScrollBar()->isVisible());
    ASSERT_TRUE(frame.RunCommand(C::Undo));
    Settle();
    EXPECT_EQ(window->Wave().GetValues(), 0);
    EXPECT_FALSE(Second(window).Geometry().Zoomed());
    EXPECT_FALSE(Second(window).ScrollBar()->isVisible());
}

TEST_F(WaveWindowTest, RightDragZoomsTheViewUnderThePointer) {
    TMDIChildWave* window = Open(*StereoSine(44100));
    QWidget* view = &Second(window);
    SendMouse(view, QEvent::MouseButtonPress, {300, 100}, Qt::RightButton, Qt::RightButton);
    SendMouse(view, QEvent::MouseMove, {300, 140}, Qt::NoButton, Qt::RightButton);
    SendMouse(view, QEvent::MouseButtonRelease, {300, 140}, Qt::RightButton, Qt::NoButton);
    ASSERT_TRUE(Second(window).Zoomed());
    const TWaveViewGeometry& geometry = Second(window).Geometry();
    EXPECT_LT(geometry.LastVisible() - geometry.FirstVisible(), 44100 / 2);
    EXPECT_EQ(Selection(window), (Ends{0, 0}));   // zooming selects nothing
    EXPECT_TRUE(window->Wave().ShadowChanged());  // the view state is the shadow file's
}

TEST_F(WaveWindowTest, ShiftAndCtrlClicksAndKeysMoveTheEnds) {
    TMDIChildWave* window = Open(*StereoSine(44100));
    QWidget* view = &Second(window);
    Click(view, {100, 50});
    Click(view, {300, 50}, Qt::ShiftModifier);
    EXPECT_EQ(Selection(window), (Ends{SampleAt(window, 300), SampleAt(window, 100)}));
    Click(view, {320, 50}, Qt::ControlModifier);  // nearer to the end at 300
    EXPECT_EQ(Selection(window), (Ends{SampleAt(window, 320), SampleAt(window, 300)}));

    view->setFocus();
    window->Wave().SetCursor(SampleAt(window, 200));
    QTest::keyClick(view, Qt::Key_Right);
    EXPECT_EQ(Selection(window).first, SampleAt(window, 201));
    QTest::keyClick(view, Qt::Key_End, Qt::ShiftModifier);
    EXPECT_EQ(Selection(window), (Ends{44100, SampleAt(window, 201)}));
    QTest::keyClick(view, Qt::Key_Home);
    EXPECT_EQ(Selection(window), (Ends{0, 0}));
    // With Alt the keys step through the first view, one pixel wide: a step crosses the
    // whole wave.
    QTest::keyClick(view, Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(Selection(window).first, 44100);
}

TEST_F(WaveWindowTest, DrawsAWaveByHand) {
    TMDIChildWave* window = NewMono();
    ASSERT_TRUE(frame.Action(C::DrawWaveLin)->isEnabled());
    ASSERT_TRUE(frame.RunCommand(C::DrawWaveLin));
    Settle();
    TUnitWave& wave = window->Wave();
    ASSERT_TRUE(wave.UserDrawing());
    EXPECT_EQ(wave.GetValues(), 44101);
    EXPECT_TRUE(frame.Action(C::DrawWaveLin)->isChecked());
    EXPECT_FALSE(frame.Action(C::FileProperties)->isEnabled());
    EXPECT_EQ(frame.StatusPanels().Text(2), "1.00000 s");
    EXPECT_EQ(Second(window).cursor().shape(), Qt::BitmapCursor);  // "DRAW"

    QWidget* view = &Second(window);
    const int w = Second(window).Geometry().Width();
    const int h = Second(window).Geometry().Client().Height();
    Click(view, {w / 2, h / 4});  // a node three quarters up, in the middle
    ASSERT_EQ(wave.DrawNodes().Count(), 3);
    const std::int16_t peak = wave.TheSound().GetLeftWave().wave[22050];
    EXPECT_NEAR(peak, 16383, 200);
    // Drag the node down to the three-quarter depth.
    const platform::Point node = Second(window).Geometry().NodePixel(
        std::next(wave.DrawNodes().begin())->position, std::next(wave.DrawNodes().begin())->value);
    Drag(view, {node.x + 1, node.y + 1}, {node.x + 1, 3 * h / 4 + 1});
    EXPECT_NEAR(wave.TheSound().GetLeftWave().wave[22050], -16383, 400);
    // A second node, then dragged out of the view: deleted.
    Click(view, {w / 4, h / 2 - 40});
    ASSERT_EQ(wave.DrawNodes().Count(), 4);
    const TDrawNode& added = *std::next(wave.DrawNodes().begin());
    const platform::Point second = Second(window).Geometry().NodePixel(added.position, added.value);
    Drag(view, {second.x, second.y}, {second.x, h + 50});
    EXPECT_EQ(wave.DrawNodes().Count(), 3);
    EXPECT_EQ(frame.StatusPanels().Text(7), "New");
    Click(view, {3 * w / 4, h / 8});
    Settle();
    QByteArray folder = qgetenv("KALVORA_SCREENSHOT_DIR");
    if (!folder.isEmpty()) frame.grab().save(QString::fromLocal8Bit(folder) + "/hand-drawing.png");

    // Ending the drawing keeps the drawn sound.
    ASSERT_TRUE(frame.RunCommand(C::DrawWaveLin));
    Settle();
    EXPECT_FALSE(wave.UserDrawing());
    EXPECT_EQ(wave.GetValues(), 44101);
    EXPECT_NEAR(wave.TheSound().GetLeftWave().wave[22050], -16383, 400);
    EXPECT_NE(Second(window).cursor().shape(), Qt::BitmapCursor);
}

// A duplicate shows what its source shows: the volume diagram with the source's diagram
// settings, or the waveform while keeping the source's diagram settings for View Volume.
TEST_F(WaveWindowTest, DuplicateKeepsTheVolumeDiagramAndItsSettings) {
    TMDIChildWave* window = Open(*StereoSine(2000));
    TVoldViewProps diagram = frame.DefaultVoldViewProps();
    diagram.XResolution = 80;
    diagram.BackgroundColor = 0x203040;
    diagram.DrawSingle = 0;
    for (const bool diagramShown : {true, false}) {
        SCOPED_TRACE(diagramShown);
        frame.MdiArea()->setActiveSubWindow(window);
        Settle();
        window->Group().SetVolumeSettings(diagram);
        if (!diagramShown) window->Group().SetWaveSettings(window->Group().WaveSettings());
        ASSERT_TRUE(testing::WaitForWorker(*window));
        ASSERT_TRUE(frame.RunCommand(C::DuplicateWave));
        Settle();
        TMDIChildWave* copy = frame.ActiveWaveWindow();
        ASSERT_NE(copy, window);
        EXPECT_EQ(copy->Group().Kind(), window->Group().Kind());
        EXPECT_TRUE(copy->Group().VolumeSettings().Equals(diagram));
        EXPECT_EQ(copy->Group().VolumeSettings().XResolution, 80);
        ASSERT_TRUE(testing::WaitForWorker(*copy));
        if (diagramShown) {
            ASSERT_NE(copy->Group().Volume().VolumeArrayLeft(), nullptr);
            EXPECT_EQ(copy->Group().Volume().VolumeArrayLeft()->GetWidth(), 80);
        }
    }
}

TEST_F(WaveWindowTest, FileCommandsSaveRevertDuplicateAndCloseWithTheQuestion) {
    TMDIChildWave* window = Open(*StereoSine(1000));
    const std::string file = window->Wave().FileName();
    window->Wave().SetSelection(0, 600);
    ASSERT_TRUE(frame.RunCommand(C::EditDelete));
    Settle();
    EXPECT_EQ(window->Wave().GetValues(), 400);
    EXPECT_TRUE(frame.Action(C::FileRevert)->isEnabled());
    ASSERT_TRUE(frame.RunCommand(C::FileRevert));
    Settle();
    EXPECT_EQ(window->Wave().GetValues(), 1000);
    EXPECT_EQ(frame.StatusPanels().Text(7), "");

    window->Wave().SetSelection(100, 300);
    ASSERT_TRUE(frame.RunCommand(C::DuplicateWave));
    Settle();
    TMDIChildWave* copy = frame.ActiveWaveWindow();
    ASSERT_NE(copy, window);
    EXPECT_EQ(copy->Wave().GetValues(), 200);
    EXPECT_EQ(copy->windowTitle(), "NONAME1");

    std::string target = FileNameToCore(folder.filePath("copy.wav"));
    frame.saveFileName = [&](FileDialogKind) -> std::optional<std::string> { return target; };
    ASSERT_TRUE(frame.RunCommand(C::FileSave));  // no file yet: saved as
    Settle();
    EXPECT_EQ(copy->Wave().FileName(), target);
    EXPECT_EQ(copy->windowTitle(), FromCore("NONAME1 - " + target));
    EXPECT_FALSE(frame.Action(C::FileSave)->isEnabled());

    // Closing a changed wave asks; Cancel keeps it, No closes it unsaved.
    copy->Wave().SetSelection(0, 50);
    ASSERT_TRUE(frame.RunCommand(C::EditCut));
    CloseAnswer answer = CloseAnswer::cancel;
    QString asked;
    frame.closeQuestion = [&](const QString& text) {
        asked = text;
        return answer;
    };
    ASSERT_TRUE(frame.RunCommand(C::FileClose));
    Settle();
    EXPECT_EQ(asked, FromCore("Do you want to save the Wave with name \"NONAME1\" to current "
                              "file \"" +
                              target + "\"?"));
    EXPECT_EQ(frame.DocumentWindows().size(), 2);
    answer = CloseAnswer::discard;
    ASSERT_TRUE(frame.RunCommand(C::FileClose));
    Settle();
    EXPECT_EQ(frame.DocumentWindows().size(), 1);
    EXPECT_FALSE(frame.Workspace().Undo().HasUndo());      // it belonged to the closed wave
    EXPECT_TRUE(frame.Action(C::EditPaste)->isEnabled());  // the clipboard stays
}

TEST_F(WaveWindowTest, PropertiesKeepARateOutsideTheListAndMixAsksForThePlace) {
    std::unique_ptr<Sound> sound = StereoSine(4800, 48000);
    TMDIChildWave* window = Open(*sound);
    waveFileProps offered{};
    frame.waveFilePropsAnswer = [&](const waveFileProps& props) -> std::optional<waveFileProps> {
        offered = props;
        return waveFileProps{props.Freq, 1, props.BytesPSample};  // only mono chosen
    };
    ASSERT_TRUE(frame.RunCommand(C::FileProperties));
    Settle();
    EXPECT_EQ(offered, (waveFileProps{48000, 2, 2}));
    EXPECT_EQ(window->Wave().GetFreq(), 48000);
    EXPECT_EQ(window->Wave().GetMoSt(), 1);
    EXPECT_EQ(window->Wave().GetValues(), 4800);
    EXPECT_EQ(frame.StatusPanels().Text(5), "MO");

    window->Wave().SetSelection(0, 100);
    ASSERT_TRUE(frame.RunCommand(C::EditCopy));
    std::optional<TMixPlace> place = TMixPlace::alignEnd;
    TMixPlace offeredPlace = TMixPlace::stretch;
    frame.mixPlaceAnswer = [&](TMixPlace current) {
        offeredPlace = current;
        return place;
    };
    ASSERT_TRUE(frame.RunCommand(C::EditMix));
    EXPECT_EQ(offeredPlace, TMixPlace::alignBegin);
    EXPECT_EQ(window->Wave().Records().mixPlace, TMixPlace::alignEnd);
    EXPECT_EQ(frame.Workspace().Records().mixPlace, TMixPlace::alignEnd);
    EXPECT_TRUE(frame.Workspace().Undo().HasUndo());
    place = std::nullopt;  // Cancel: nothing happens
    frame.Workspace().Undo().DropUndo();
    ASSERT_TRUE(frame.RunCommand(C::EditMix));
    EXPECT_FALSE(frame.Workspace().Undo().HasUndo());

    ASSERT_TRUE(frame.RunCommand(C::EditClearClipboard));
    Settle();
    EXPECT_FALSE(frame.Action(C::EditMix)->isEnabled());
}

TEST_F(WaveWindowTest, RegisterNamesTheDocumentAsTyped) {
    TMDIChildWave* window = Open(*StereoSine(100));
    NewMono();  // NONAME1
    frame.MdiArea()->setActiveSubWindow(window);
    Settle();
    frame.registerNameAnswer = [](const std::string& name) {
        EXPECT_EQ(name, "");
        return std::optional<std::string>(" Lead ");
    };
    ASSERT_TRUE(frame.RunCommand(C::Register));
    EXPECT_EQ(window->Wave().Name(), " Lead ");  // the dialog takes the text as typed
    EXPECT_EQ(frame.NameBox()->text(), " Lead ");

    // The dialog itself stays open while the name is taken.
    int renames = 0;
    TDlgRegister dialog(nullptr, "A", [&](const std::string& name) {
        ++renames;
        return name != "NONAME1";
    });
    EXPECT_EQ(dialog.windowTitle(), "Register");
    EXPECT_EQ(dialog.NameField()->text(), "A");
    dialog.show();
    dialog.NameField()->setText("NONAME1");
    dialog.accept();
    EXPECT_TRUE(dialog.isVisible());
    dialog.NameField()->setText("B");
    dialog.accept();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(renames, 2);
}

TEST(MixDialogTest, OffersThePlacesOfTheClipboard) {
    TDlgMix dialog(nullptr, TMixPlace::stretch);
    EXPECT_EQ(dialog.windowTitle(), "Mix");
    EXPECT_EQ(dialog.Buttons()->checkedId(), 2);
    EXPECT_EQ(dialog.Buttons()->button(0)->text(), "Align Begin");
    dialog.Buttons()->button(1)->click();
    dialog.accept();
    EXPECT_EQ(dialog.Place(), TMixPlace::alignEnd);
}

// A stereo wave with a selection, the second view zoomed into it and the first view showing
// the whole wave. KALVORA_SCREENSHOT_DIR keeps the picture for a look.
TEST_F(WaveWindowTest, StereoWaveWithASelectionAndAZoomCanBeGrabbed) {
    ErrorFlag error = 0;
    const std::int32_t n = 44100 * 2;
    Wave left(&error, n);
    Wave right(&error, n);
    for (std::int32_t i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / 44100;
        const double envelope = std::sin(M_PI * t / 2.0);
        left.wave[i] = static_cast<std::int16_t>(26000 * envelope * std::sin(2 * M_PI * 110 * t));
        right.wave[i] =
            static_cast<std::int16_t>(18000 * (1 - envelope) * std::sin(2 * M_PI * 165 * t) +
                                      6000 * std::sin(2 * M_PI * 3 * t));
    }
    StereoSound sound(std::move(left), std::move(right), 44100, 2);
    TMDIChildWave* window = Open(sound);
    frame.resize(1280, 800);
    window->setGeometry(10, 10, 1000, 420);
    Settle();
    window->Group().SetSplitPosition(0.3);
    window->Wave().SetSelection(40000, 52000);
    Second(window).ZoomTo(36000, 60000, true);
    Settle();
    QPixmap picture = frame.grab();
    QByteArray folder = qgetenv("KALVORA_SCREENSHOT_DIR");
    if (!folder.isEmpty()) picture.save(QString::fromLocal8Bit(folder) + "/wave-window.png");
    // Inside the selection the view is inverted: the single-wave colour (black) is the
    // background there.
    QImage image = Second(window).grab().toImage();
    const int x = Second(window).Geometry().PixelOfSample(46000);
    EXPECT_EQ(image.pixelColor(x, 5), QColor(Qt::black));
    const int outside = Second(window).Geometry().PixelOfSample(37000);
    EXPECT_EQ(image.pixelColor(outside, 5), QColor(Qt::white));
}

}  // namespace
}  // namespace kalvora::gui
