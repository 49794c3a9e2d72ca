// The frame's additions as a user meets them: Select All, the wheel over a view, recent
// files across a restart, a dropped file, Cancel of a long effect, the play head against
// the test sound server, and the time ruler above each view.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QMimeData>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QUrl>
#include <QWheelEvent>
#include <algorithm>
#include <filesystem>
#include <fstream>

#include "documents/undo.h"
#include "documents/wave_creation.h"
#include "gui/file_opener.h"
#include "gui/frame_additions.h"
#include "gui/play_head_tracker.h"
#include "gui/progress_runner.h"
#include "gui/recent_files_menu.h"
#include "gui/view_wave.h"
#include "gui/wave_test_support.h"
#include "gui/work_status.h"
#include "platform/qt/sound_server_support.h"

namespace kalvora::gui {
namespace {

using C = CommandId;
using testing::StereoSine;
using testing::WriteWav;

// Settings in a scratch config folder of the test's own, never the user's.
class ScratchConfig {
  public:
    ScratchConfig() : old_(qgetenv("XDG_CONFIG_HOME")) {
        qputenv("XDG_CONFIG_HOME", folder_.path().toLocal8Bit());
    }
    ~ScratchConfig() {
        if (old_.isNull()) {
            qunsetenv("XDG_CONFIG_HOME");
        } else {
            qputenv("XDG_CONFIG_HOME", old_);
        }
    }

  private:
    QTemporaryDir folder_;
    QByteArray old_;
};

class FrameAdditionsTest : public ::testing::Test {
  protected:
    TMDIChildWave* OpenSine(std::int32_t n, const QString& name = QStringLiteral("sine.wav")) {
        const std::string file = WriteWav(folder_, name, *StereoSine(n));
        EXPECT_TRUE(frame_->OpenWaveFile(file));
        QApplication::processEvents();
        return frame_->ActiveWaveWindow();
    }
    void MakeFrame() {
        frame_ = std::make_unique<TMainForm>();
        frame_->show();
        QApplication::processEvents();
    }
    void SendWheel(TViewWave& view, int delta, Qt::KeyboardModifiers modifiers) {
        const QPointF at(view.width() / 4.0, 20);
        QWheelEvent event(at, view.mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                          modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&view, &event);
        QApplication::processEvents();
    }

    ScratchConfig config_;
    QTemporaryDir folder_;
    platform::RecordingMessageSink messages_;
    std::unique_ptr<TMainForm> frame_;
};

TEST_F(FrameAdditionsTest, SelectAllSelectsTheWholeWave) {
    MakeFrame();
    TMDIChildWave* window = OpenSine(1000);
    ASSERT_NE(window, nullptr);
    window->Wave().SetCursor(300);
    ASSERT_TRUE(frame_->RunCommand(C::EditSelectAll));
    EXPECT_EQ(window->Wave().SelMin(), 0);
    EXPECT_EQ(window->Wave().SelMax(), 1000);

    // Its keys: Shift+Ctrl+A (Ctrl+A stays Save As).
    window->Wave().SetCursor(300);
    QTest::keyClick(&window->Group().ViewSecond(), Qt::Key_A,
                    Qt::ShiftModifier | Qt::ControlModifier);
    QApplication::processEvents();
    EXPECT_EQ(window->Wave().SelMin(), 0);
    EXPECT_EQ(window->Wave().SelMax(), 1000);
}

TEST_F(FrameAdditionsTest, WheelScrollsAZoomedViewAndZoomsWithCtrl) {
    MakeFrame();
    TMDIChildWave* window = OpenSine(44100);
    TViewWave& view = window->Group().ViewSecond();
    SendWheel(view, -120, Qt::NoModifier);  // unzoomed: nothing
    EXPECT_FALSE(view.Zoomed());

    SendWheel(view, 240, Qt::ControlModifier);  // two notches in
    ASSERT_TRUE(view.Zoomed());
    const double width = view.Geometry().LastVisible() - view.Geometry().FirstVisible();
    EXPECT_NEAR(width, 44100 * 0.64, 44100 * 0.02);

    const double first = view.Geometry().FirstVisible();
    SendWheel(view, -120, Qt::NoModifier);  // scrolls towards the end
    EXPECT_GT(view.Geometry().FirstVisible(), first);
    EXPECT_NEAR(view.Geometry().LastVisible() - view.Geometry().FirstVisible(), width, 2.0);

    SendWheel(view, -1200, Qt::ControlModifier);  // far out: the whole wave again
    EXPECT_FALSE(view.Zoomed());
}

TEST_F(FrameAdditionsTest, RecentFilesSurviveARestartAndAMissingOneIsRemoved) {
    MakeFrame();
    const std::string first = FileNameToCore(folder_.filePath(QStringLiteral("first.wav")));
    const std::string second = FileNameToCore(folder_.filePath(QStringLiteral("second.wav")));
    const std::string saved = FileNameToCore(folder_.filePath(QStringLiteral("saved.wav")));
    OpenSine(100, QStringLiteral("first.wav"));
    OpenSine(100, QStringLiteral("second.wav"));
    frame_->saveFileName = [&](FileDialogKind) { return std::optional<std::string>(saved); };
    ASSERT_TRUE(frame_->RunCommand(C::FileSaveAs));
    const std::vector<std::string> expected{saved, second, first};
    EXPECT_EQ(frame_->Additions().RecentFiles().Files(), expected);

    frame_.reset();  // a restart
    MakeFrame();
    EXPECT_EQ(frame_->Additions().RecentFiles().Files(), expected);
    auto* menu = frame_->findChild<QMenu*>(QStringLiteral("RecentFilesMenu"));
    ASSERT_NE(menu, nullptr);
    emit menu->aboutToShow();
    ASSERT_EQ(menu->actions().size(), 3);
    EXPECT_EQ(menu->actions()[0]->text(), "&1 saved.wav");
    EXPECT_EQ(menu->actions()[2]->text(), "&3 first.wav");

    frame_->Additions().RecentFilesMenu().OpenEntry(1);
    ASSERT_NE(frame_->ActiveWaveWindow(), nullptr);
    EXPECT_EQ(frame_->ActiveWaveWindow()->Wave().FileName(), second);
    EXPECT_EQ(frame_->Additions().RecentFiles().Files()[0], second);

    std::filesystem::remove(first);
    frame_->Additions().RecentFilesMenu().OpenEntry(2);
    ASSERT_EQ(messages_.Messages().size(), 1u);
    EXPECT_EQ(
        messages_.Messages()[0].text,
        "The file \"" + first + "\" no longer exists. It has been removed from the recent files.");
    EXPECT_EQ(frame_->Additions().RecentFiles().Files(), (std::vector<std::string>{second, saved}));
    EXPECT_EQ(frame_->DocumentWindows().size(), 1);
}

TEST_F(FrameAdditionsTest, ADroppedWaveOpensAndAFileOfNoKnownKindIsRefused) {
    MakeFrame();
    const std::string file = WriteWav(folder_, QStringLiteral("dropped.wav"), *StereoSine(500));
    // What the frame does with a drop (the desktop delivers drops to the frame,
    // which takes drops).
    EXPECT_TRUE(frame_->acceptDrops());
    const auto drop = [&](const QString& name) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(name)});
        const bool taken = frame_->Additions().DropHandler().Drop(&data);
        QApplication::processEvents();
        return taken;
    };
    QMimeData words;
    words.setText(QStringLiteral("just words"));
    EXPECT_FALSE(frame_->Additions().DropHandler().Drop(&words));
    EXPECT_TRUE(drop(FileNameFromCore(file)));
    ASSERT_NE(frame_->ActiveWaveWindow(), nullptr);
    EXPECT_EQ(frame_->ActiveWaveWindow()->Wave().FileName(), file);
    EXPECT_EQ(frame_->ActiveWaveWindow()->Wave().GetValues(), 500);
    EXPECT_EQ(frame_->Additions().RecentFiles().Files().front(), file);

    const QString text = folder_.filePath(QStringLiteral("notes.txt"));
    std::ofstream(FileNameToCore(text)) << "not a sound";
    drop(text);
    ASSERT_EQ(messages_.Messages().size(), 1u);
    EXPECT_EQ(messages_.Messages()[0].text, "Invalid extension \"txt\" used.");
    EXPECT_EQ(messages_.Messages()[0].caption, "File Error");
    EXPECT_EQ(frame_->DocumentWindows().size(), 1);
}

TEST_F(FrameAdditionsTest, CancelDuringALongEffectLeavesTheSamplesAndTheUndoRecord) {
    MakeFrame();
    TMDIChildWave* window = OpenSine(44100 * 120);
    TUnitWave& wave = window->Wave();
    ASSERT_TRUE(frame_->RunCommand(C::Reverse));  // the command before: its undo record
    const TUndoUnit* record = frame_->Workspace().Undo().Record();
    ASSERT_NE(record, nullptr);
    const std::shared_ptr<const Sound> before = wave.SharedSound();
    wave.MarkSaved();

    TProgressRunner& runner = frame_->Additions().ProgressRunner();
    runner.SetDelay(std::chrono::milliseconds(0));
    bool shown = false;
    bool commandsRefused = false;
    runner.SetShownHandler([&](QProgressDialog& dialog) {
        shown = true;
        EXPECT_EQ(dialog.windowTitle(), "Kalvora");
        EXPECT_EQ(dialog.labelText(), "Changing the wave...");
        // No other command runs meanwhile.
        commandsRefused = !frame_->RunCommand(C::Reverse);
        QPushButton* cancel = dialog.findChild<QPushButton*>();
        ASSERT_NE(cancel, nullptr);
        cancel->click();
    });
    testing::WhenModalShows<QDialog>([](QDialog& dialog) { testing::PressOk(dialog); });
    frame_->RunCommand(C::FilterRes);
    EXPECT_TRUE(shown);
    EXPECT_TRUE(commandsRefused);
    EXPECT_EQ(wave.SharedSound(), before);
    EXPECT_EQ(frame_->Workspace().Undo().Record(), record);
    EXPECT_FALSE(wave.SoundChanged());
    EXPECT_TRUE(messages_.Messages().empty());
}

TEST_F(FrameAdditionsTest, EachViewHasATimeRulerAboveIt) {
    MakeFrame();
    TMDIChildWave* window = OpenSine(44100);
    for (int number = 1; number <= 2; ++number) {
        TViewWave& view = window->Group().View(number);
        auto* ruler = view.parentWidget()->findChild<QWidget*>(QStringLiteral("TimeRuler"));
        ASSERT_NE(ruler, nullptr);
        EXPECT_LE(ruler->geometry().bottom(), view.geometry().top());
        EXPECT_EQ(ruler->width(), view.width());
    }
    EXPECT_EQ(window->Group().ViewFirst().width(), 1);
}

TEST(PlayHeadTest, ThePlayHeadMovesDuringAPlayAndIsGoneAtTheEnd) {
    KALVORA_REQUIRE_SOUND_SERVER();
    platform::RecordingMessageSink messages;
    QTemporaryDir folder;
    TMainForm frame;
    frame.show();
    const std::string file = WriteWav(folder, QStringLiteral("tone.wav"), *StereoSine(44100));
    ASSERT_TRUE(frame.OpenWaveFile(file));
    TMDIChildWave* window = frame.ActiveWaveWindow();
    QApplication::processEvents();
    ASSERT_TRUE(frame.RunCommand(C::FilePlay));
    TViewWave& view = window->Group().ViewSecond();
    std::vector<int> places;
    QString timeText;
    kalvora::testing::WaitFor(
        [&] {
            TPlayHeadLine* line = TPlayHeadTracker::LineOf(view);
            if (line != nullptr && line->isVisible() &&
                (places.empty() || places.back() != line->x())) {
                places.push_back(line->x());
                timeText = frame.Additions().WorkStatus().TimeText();
            }
            return !frame.Player().Facts().playChecked;
        },
        10);
    ASSERT_FALSE(frame.Player().Facts().playChecked) << "the play did not end";
    ASSERT_GE(places.size(), 3u);
    EXPECT_TRUE(std::is_sorted(places.begin(), places.end()));
    EXPECT_GT(places.back(), places.front() + view.width() / 4);
    EXPECT_TRUE(timeText.endsWith(" / 0:01.0")) << timeText.toStdString();
    kalvora::testing::Idle(0.1);
    EXPECT_FALSE(TPlayHeadTracker::LineOf(view)->isVisible());
    EXPECT_TRUE(frame.Additions().WorkStatus().TimeText().isEmpty());
}

}  // namespace
}  // namespace kalvora::gui
