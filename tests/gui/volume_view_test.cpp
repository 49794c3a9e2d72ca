// The volume view of a wave window: the switch and back, the background computation filling
// the diagram while events run, an edit during a computation and closing the window during
// another.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QImage>
#include <QMdiArea>
#include <QMouseEvent>

#include "gui/mdi_child_wave.h"
#include "gui/status_panels.h"
#include "gui/view_wave.h"
#include "gui/view_wave_group.h"
#include "gui/wave_test_support.h"

namespace kalvora::gui {
namespace {

using C = CommandId;
using testing::StereoSine;
using testing::WaitForWorker;
using testing::WriteWav;

// A mono sweep from 100 Hz to 8 kHz, the frequency rising linearly over the sound.
std::unique_ptr<Sound> Chirp(double seconds, int rate = 44100) {
    const auto n = static_cast<std::int32_t>(seconds * rate);
    ErrorFlag error = 0;
    Wave wave(&error, n);
    const double f0 = 100, f1 = 8000;
    for (std::int32_t i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / rate;
        const double phase = 2 * M_PI * (f0 * t + (f1 - f0) * t * t / (2 * seconds));
        wave.wave[i] = static_cast<std::int16_t>(25000 * std::sin(phase));
    }
    return std::make_unique<MonoSound>(std::move(wave), rate, 2);
}

bool Complete(const TVolumeArray* array) {
    return array != nullptr && array->GetFilled() >= array->GetWidth();
}

class VolumeViewTest : public ::testing::Test, public testing::FrameFixture {
  protected:
    TMDIChildWave* Open(const Sound& sound) {
        std::string file = WriteWav(folder, "wave.wav", sound);
        EXPECT_TRUE(frame.OpenWaveFile(file));
        TMDIChildWave* window = frame.ActiveWaveWindow();
        window->resize(640, 360);
        Settle();
        return window;
    }

    static bool Filled(const TMDIChildWave& window) {
        const TVolumeArrays arrays = window.Group().Volume().Arrays();
        return arrays.MoSt == 1 ? Complete(arrays.Single)
                                : Complete(arrays.Left) && Complete(arrays.Right);
    }

    // The share of the view's pixels that differ from the diagram's background.
    static double LitShare(TViewWave& view) {
        const QImage image = view.grab().toImage();
        const QRgb background = qRgb(0, 0, 0);
        int lit = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) != background) ++lit;
        return static_cast<double>(lit) / (image.width() * image.height());
    }
};

// View Volume shows the diagram, computed in the background; View Wave returns to the
// waveform.
TEST_F(VolumeViewTest, ViewCommandsSwitchAndTheWorkerFillsTheDiagram) {
    TMDIChildWave* window = Open(*StereoSine(44100));
    TViewWaveGroup& group = window->Group();
    ASSERT_EQ(group.Kind(), TWaveWindKind::waveWindWave);
    EXPECT_FALSE(group.Volume().Running());

    ASSERT_TRUE(RunAccepted(C::ViewVold));
    EXPECT_EQ(group.Kind(), TWaveWindKind::waveWindVolume);
    ASSERT_TRUE(WaitForWorker(*window));
    EXPECT_TRUE(Filled(*window));
    const TVolumeArrays arrays = group.Volume().Arrays();
    EXPECT_EQ(arrays.MoSt, 2);
    EXPECT_EQ(arrays.Left->GetWidth(), group.VolumeSettings().XResolution);
    EXPECT_EQ(arrays.Left->GetDrawn(), arrays.Left->GetFilled());
    Settle();
    EXPECT_TRUE(frame.Action(C::ViewVold)->isChecked());
    // The two sines light the diagram (the background is black).
    EXPECT_GT(LitShare(group.ViewSecond()), 0.01);

    // Status panel 1 over the diagram: time, frequency and the cell's value.
    QMouseEvent move(QEvent::MouseMove, QPointF(100, 40),
                     group.ViewSecond().mapToGlobal(QPointF(100, 40)), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&group.ViewSecond(), &move);
    const QString text = frame.StatusPanels().Text(1);
    EXPECT_TRUE(text.startsWith("(")) << text.toStdString();
    EXPECT_TRUE(text.contains("Hz )")) << text.toStdString();
    EXPECT_TRUE(text.contains(": ")) << text.toStdString();

    ASSERT_TRUE(RunAccepted(C::ViewWave));
    EXPECT_EQ(group.Kind(), TWaveWindKind::waveWindWave);
    EXPECT_FALSE(group.Volume().Running());
}

// An edit while the worker runs stops it before the sound changes and computes the new
// sound; closing the window while another computation runs ends it without a hang.
TEST_F(VolumeViewTest, EditAndCloseDuringComputation) {
    TMDIChildWave* window = Open(*StereoSine(10 * 44100));
    ASSERT_TRUE(RunAccepted(C::ViewVold));
    ASSERT_TRUE(window->Group().Volume().Running());
    QApplication::processEvents();

    window->Wave().SetSelection(0, 5 * 44100);
    ASSERT_TRUE(frame.RunCommand(C::EditCut));
    EXPECT_EQ(window->Wave().GetValues(), 5 * 44100);
    ASSERT_TRUE(WaitForWorker(*window));
    EXPECT_TRUE(Filled(*window));

    ASSERT_TRUE(frame.RunCommand(C::Undo));  // the sound changes again: computed anew
    EXPECT_TRUE(window->Group().Volume().Running());
    QApplication::processEvents();
    frame.closeQuestion = [](const QString&) { return CloseAnswer::discard; };
    ASSERT_TRUE(frame.RunCommand(C::FileClose));
    Settle();
    EXPECT_TRUE(frame.DocumentWindows().isEmpty());
}

// Counts the paints a widget receives.
class PaintCounter : public QObject {
  public:
    explicit PaintCounter(QWidget& widget) { widget.installEventFilter(this); }
    int paints = 0;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

// A wave drawn behind another as its envelope shows its volume diagram growing while it is
// computed, not only once when the computation starts.
TEST_F(VolumeViewTest, EnvelopeUsersRepaintWhileTheDiagramIsComputed) {
    TMDIChildWave* envelope = Open(*Chirp(30.0));
    envelope->Wave().SetName("Env");
    std::string file = WriteWav(folder, "front.wav", *StereoSine(44100));
    ASSERT_TRUE(frame.OpenWaveFile(file));
    TMDIChildWave* front = frame.ActiveWaveWindow();
    TWaveViewProps settings = front->Group().WaveSettings();
    settings.DrawEnvelope = true;
    settings.EnvelopeName = "Env";
    settings.EnvelopeStrength = 0.5;
    front->Group().SetWaveSettings(settings);
    Settle();

    PaintCounter counter(front->Group().ViewSecond());
    envelope->Group().SetVolumeSettings(frame.DefaultVoldViewProps());
    ASSERT_TRUE(envelope->Group().Volume().Running());
    // The long computation is still running when the front view has been painted three
    // times; without repaints on progress it stays at the one paint of the start.
    QElapsedTimer timer;
    timer.start();
    while (envelope->Group().Volume().Running() && counter.paints < 3 &&
           timer.elapsed() < 300000) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    EXPECT_GE(counter.paints, 3);
    envelope->Group().StopVolume();
}

// The diagram of a chirp: a bright line rising from the bottom left to the top right.
// KALVORA_SCREENSHOT_DIR keeps the picture for a look.
TEST_F(VolumeViewTest, ChirpDiagramRises) {
    TMDIChildWave* window = Open(*Chirp(5.0));
    frame.resize(1280, 800);
    window->resize(1000, 500);
    ASSERT_TRUE(RunAccepted(C::ViewVold));
    ASSERT_TRUE(WaitForWorker(*window));
    Settle();
    TViewWave& view = window->Group().ViewSecond();
    const QImage image = view.grab().toImage();
    // The brightest row of a column near the start lies lower than near the end.
    auto brightestRow = [&](int x) {
        int best = 0, bestValue = -1;
        for (int y = 0; y < image.height(); ++y) {
            const int value = qGray(image.pixel(x, y));
            if (value > bestValue) {
                bestValue = value;
                best = y;
            }
        }
        return best;
    };
    EXPECT_GT(brightestRow(image.width() / 10), brightestRow(image.width() * 9 / 10));
    QByteArray folder = qgetenv("KALVORA_SCREENSHOT_DIR");
    if (!folder.isEmpty()) {
        image.save(QString::fromLocal8Bit(folder) + "/volume-chirp.png");
        frame.grab().save(QString::fromLocal8Bit(folder) + "/volume-chirp-frame.png");
    }
}

}  // namespace
}  // namespace kalvora::gui
