#include "gui/main_form.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>
#include <QToolBar>

#include "documents/wave_creation.h"
#include "gui/artwork.h"
#include "gui/fake_document.h"
#include "gui/file_dialogs.h"
#include "gui/help_window.h"
#include "gui/name_box.h"
#include "gui/status_panels.h"
#include "platform/recording_message_sink.h"
#include "shell/command_table.h"

namespace kalvora::gui {
namespace {

using C = CommandId;

class MainFormTest : public ::testing::Test {
  protected:
    MainFormTest() {
        frame_.show();
        QApplication::processEvents();
    }

    FakeDocument* AddWave(std::int64_t samples, int channels, int rate, std::string name) {
        auto document = std::make_unique<FakeDocument>();
        FakeDocument* raw = document.get();
        raw->name = std::move(name);
        raw->wave.sampleCount = samples;
        raw->wave.channels = channels;
        raw->wave.rate = rate;
        frame_.AddDocumentWindow(std::move(document));
        QApplication::processEvents();
        frame_.UpdateCommands();
        return raw;
    }

    QStringList VisibleMenuTitles() {
        QStringList titles;
        for (QAction* action : frame_.menuBar()->actions()) {
            if (action->isVisible()) titles << action->text();
        }
        return titles;
    }

    QString Panel(int index) { return frame_.StatusPanels().Text(index); }

    platform::RecordingMessageSink messages_;
    TMainForm frame_;
};

TEST_F(MainFormTest, StartsWithCaptionAndTheMenusOfNoWindow) {
    EXPECT_EQ(frame_.windowTitle(), "Kalvora 8.0");
    EXPECT_EQ(VisibleMenuTitles(), (QStringList{"&File", "&Project", "&Help"}));
    EXPECT_TRUE(frame_.ToolbarOf(ToolbarId::basic)->isVisible());
    EXPECT_FALSE(frame_.ToolbarOf(ToolbarId::wave1)->isVisible());
    EXPECT_FALSE(frame_.ToolbarOf(ToolbarId::music1)->isVisible());
    EXPECT_FALSE(frame_.NameBox()->isEnabled());
    EXPECT_EQ(frame_.StatusPanels().Panel(1)->frameShadow(), QFrame::Raised);
    EXPECT_EQ(TStatusPanels::DesignedWidth(2), 75);
    EXPECT_GE(frame_.StatusPanels().Panel(2)->width(), 75);
    EXPECT_GE(frame_.StatusPanels().Panel(5)->width(), 24);
    EXPECT_LT(frame_.StatusPanels().Panel(5)->width(), frame_.StatusPanels().Panel(4)->width());
    EXPECT_TRUE(frame_.Action(C::HelpAbout)->isEnabled());
    EXPECT_TRUE(frame_.Action(C::WindowCascade)->isEnabled());
    EXPECT_TRUE(frame_.Action(C::FileOpenWave)->isEnabled());
    EXPECT_TRUE(frame_.Action(C::FileNewWave)->isEnabled());
    EXPECT_TRUE(frame_.Action(C::FileOpenMuz)->isEnabled());
    EXPECT_TRUE(frame_.Action(C::FileNewMuz)->isEnabled());
    // Without a project only a new one or another one can be had.
    EXPECT_TRUE(frame_.Action(C::ProjectOpen)->isEnabled());
    EXPECT_TRUE(frame_.Action(C::ProjectNew)->isEnabled());
    EXPECT_FALSE(frame_.Action(C::ProjectSave)->isEnabled());
    EXPECT_FALSE(frame_.Action(C::ProjectClose)->isEnabled());
    EXPECT_FALSE(frame_.Action(C::ProjectExport)->isEnabled());
}

TEST_F(MainFormTest, MenusAndToolbarsShowTheTableTexts) {
    QAction* save = frame_.Action(C::FileSaveAs);
    EXPECT_EQ(save->text(), "Save &As...\tCtrl+A");
    EXPECT_EQ(save->toolTip(), "Save As (Ctrl+A)");
    EXPECT_EQ(save->statusTip(), "Save current file with different name");
    EXPECT_EQ(frame_.MenuOf(MenuId::filter)->title(), "&Filter");
    EXPECT_TRUE(frame_.MenuOf(MenuId::effects)
                    ->actions()
                    .contains(frame_.MenuOf(MenuId::filter)->menuAction()));
    for (const ToolbarInfo& toolbar : Toolbars()) {
        for (QAction* action : frame_.ToolbarOf(toolbar.id)->actions()) {
            if (action->isSeparator() || action->objectName().isEmpty()) continue;
            EXPECT_FALSE(action->icon().isNull()) << action->objectName().toStdString();
        }
    }
    for (const CommandInfo& info : CommandTable()) {
        if (!info.image.empty()) {
            EXPECT_TRUE(HasCommandIcon(info.image)) << info.image;
            QPixmap pixmap = CommandIcon(info.image).pixmap(22, 22);
            EXPECT_FALSE(pixmap.toImage().isNull()) << info.image;
        }
    }
}

TEST_F(MainFormTest, WaveWindowShowsItsCaptionStatusAndWaveCommands) {
    FakeDocument* wave = AddWave(1000, 2, 22050, "NONAME1");
    TMDIChildKalvora* window = frame_.ActiveDocumentWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), "NONAME1");
    EXPECT_EQ(frame_.ActiveKind(), WindowKind::wave);
    EXPECT_EQ(VisibleMenuTitles(), (QStringList{"&File", "&Project", "&Edit", "&View", "&Make",
                                                "&Effects", "&Window", "&Help"}));
    EXPECT_TRUE(frame_.ToolbarOf(ToolbarId::wave3)->isVisible());
    EXPECT_FALSE(frame_.ToolbarOf(ToolbarId::music3)->isVisible());
    EXPECT_TRUE(frame_.NameBox()->isEnabled());
    EXPECT_EQ(frame_.NameBox()->text(), "NONAME1");
    EXPECT_EQ(Panel(2), "0.04535 s");
    EXPECT_EQ(Panel(3), "22.050 kHz");
    EXPECT_EQ(Panel(4), "16");
    EXPECT_EQ(Panel(5), "ST");
    EXPECT_EQ(Panel(6), "3.90 kb");
    EXPECT_EQ(Panel(7), "New");
    EXPECT_TRUE(frame_.Action(C::FileClose)->isEnabled());
    EXPECT_TRUE(frame_.Action(C::DuplicateWave)->isVisible());

    wave->fileName = "/sounds/a.wav";
    window->RebuildCaption();
    frame_.UpdateCommands();
    EXPECT_EQ(window->windowTitle(), "NONAME1 - /sounds/a.wav");
    EXPECT_EQ(Panel(7), "");

    // Closing the last window empties the document panels and hides the wave menus.
    ASSERT_TRUE(frame_.RunCommand(C::FileClose));
    QApplication::processEvents();
    frame_.UpdateCommands();
    EXPECT_EQ(frame_.ActiveDocumentWindow(), nullptr);
    for (int i = 2; i < 8; ++i)
        EXPECT_EQ(Panel(i), "") << i;
    EXPECT_EQ(VisibleMenuTitles(), (QStringList{"&File", "&Project", "&Help"}));
    EXPECT_FALSE(frame_.ToolbarOf(ToolbarId::wave1)->isVisible());
    EXPECT_EQ(frame_.NameBox()->text(), "");
}

TEST_F(MainFormTest, NameBoxRenamesTheActiveDocumentWithTrimmedText) {
    FakeDocument* wave = AddWave(10, 1, 44100, "NONAME1");
    emit frame_.NameBox()->NameEntered("  Lead  ");
    EXPECT_EQ(wave->name, "Lead");
    EXPECT_EQ(frame_.ActiveDocumentWindow()->windowTitle(), "Lead");
    EXPECT_EQ(frame_.NameBox()->text(), "Lead");
    wave->renameAccepted = false;  // a name another document has
    emit frame_.NameBox()->NameEntered("Other");
    EXPECT_EQ(wave->name, "Lead");
    EXPECT_EQ(frame_.NameBox()->text(), "Lead");
}

TEST_F(MainFormTest, CloseQuestionSavesDiscardsOrKeepsTheWindow) {
    FakeDocument* wave = AddWave(10, 1, 44100, "");
    wave->needsSave = true;
    wave->fileName = "/w/a.wav";
    QString asked;
    CloseAnswer answer = CloseAnswer::cancel;
    frame_.closeQuestion = [&](const QString& text) {
        asked = text;
        return answer;
    };
    TMDIChildKalvora* window = frame_.ActiveDocumentWindow();
    EXPECT_FALSE(window->CloseQuery());
    EXPECT_EQ(asked, "Do you want to save the Wave without name to current file \"/w/a.wav\"?");

    answer = CloseAnswer::save;
    wave->saveSucceeds = false;  // a failed save keeps the window and its changes
    EXPECT_FALSE(window->CloseQuery());
    EXPECT_EQ(wave->saves, 1);
    wave->saveSucceeds = true;
    EXPECT_TRUE(window->CloseQuery());
    EXPECT_EQ(wave->saves, 2);

    // Without a file the document is saved under a new name.
    wave->fileName.clear();
    wave->needsSave = true;
    frame_.saveFileName = [](FileDialogKind kind) -> std::optional<std::string> {
        EXPECT_EQ(kind, FileDialogKind::saveWave);
        return "/w/new.wav";
    };
    EXPECT_TRUE(window->CloseQuery());
    EXPECT_EQ(wave->savedAs, "/w/new.wav");
    EXPECT_EQ(window->windowTitle(), "/w/new.wav");

    wave->needsSave = true;
    answer = CloseAnswer::discard;
    EXPECT_TRUE(window->CloseQuery());
}

TEST_F(MainFormTest, ShutdownIsCancelledByOneRefusal) {
    FakeDocument* first = AddWave(10, 1, 44100, "A");
    FakeDocument* second = AddWave(10, 1, 44100, "B");
    first->needsSave = true;
    second->needsSave = true;
    int questions = 0;
    frame_.closeQuestion = [&](const QString& text) {
        ++questions;
        return text.contains("\"B\"") ? CloseAnswer::cancel : CloseAnswer::discard;
    };
    EXPECT_FALSE(frame_.close());
    QApplication::processEvents();
    EXPECT_EQ(frame_.DocumentWindows().size(), 2);
    EXPECT_TRUE(frame_.isVisible());

    frame_.closeQuestion = [&](const QString&) {
        ++questions;
        return CloseAnswer::discard;
    };
    questions = 0;
    EXPECT_TRUE(frame_.close());
    QApplication::processEvents();
    EXPECT_EQ(questions, 2);  // every window asked once
    EXPECT_TRUE(frame_.DocumentWindows().isEmpty());
}

TEST_F(MainFormTest, WindowCommandsTileTheDocumentWindows) {
    AddWave(10, 1, 44100, "A");
    AddWave(10, 1, 44100, "B");
    ASSERT_TRUE(frame_.RunCommand(C::WindowTileHorizontal));
    QList<TMDIChildKalvora*> windows = frame_.DocumentWindows();
    QRect area = frame_.MdiArea()->viewport()->rect();
    EXPECT_EQ(windows[0]->geometry().width(), area.width());
    EXPECT_EQ(windows[0]->geometry().top() != windows[1]->geometry().top(), true);
    ASSERT_TRUE(frame_.RunCommand(C::WindowTileVertical));
    EXPECT_EQ(windows[0]->geometry().height(), area.height());
    EXPECT_NE(windows[0]->geometry().left(), windows[1]->geometry().left());
    ASSERT_TRUE(frame_.RunCommand(C::WindowMinimizeAll));
    EXPECT_TRUE(windows[0]->isMinimized());
    EXPECT_TRUE(windows[1]->isMinimized());
    EXPECT_TRUE(frame_.RunCommand(C::WindowCascade));
}

TEST_F(MainFormTest, CommandLineReportsFilesThatCannotBeOpened) {
    // The extension is compared in lower case: this is a music file, which is missing.
    frame_.OpenFromCommandLine("/music/Song.KVM");
    ASSERT_EQ(messages_.Messages().size(), 1u);
    EXPECT_EQ(messages_.Messages()[0].caption, "File Error");
    EXPECT_EQ(messages_.Messages()[0].text.rfind("Cannot read the file: \"/music/Song.KVM\"", 0),
              0u);
    messages_.Clear();
    frame_.OpenFromCommandLine("README");
    ASSERT_EQ(messages_.Messages().size(), 1u);
    EXPECT_EQ(messages_.Messages()[0].text,
              "Cannot read the file: \"README\" File has no extension");
    EXPECT_EQ(frame_.windowTitle(), "Kalvora 8.0");
    EXPECT_TRUE(frame_.DocumentWindows().isEmpty());
}

// New windows open wholly inside the document area, also when it is smaller than a window
// and when the bounds asked for lie partly outside it: no scroll bars, no cut-off buttons.
TEST_F(MainFormTest, NewWindowsOpenInsideTheVisibleArea) {
    frame_.resize(720, 420);
    QApplication::processEvents();
    ASSERT_LT(frame_.MdiArea()->viewport()->height(), 360);  // lower than a new window
    for (int i = 0; i < 6; ++i)
        AddWave(1000, 1, 44100, "W" + std::to_string(i));
    std::unique_ptr<TUnitWave> wave = NewWave(frame_.Workspace(), waveFileProps{44100, 1, 2});
    frame_.AddWaveWindow(std::move(wave), frame_.DefaultWaveViewProps(), QRect(600, -40, 300, 200));
    QApplication::processEvents();
    // The wave toolbars shown with the first window take room from the area.
    const QRect shown = frame_.MdiArea()->viewport()->rect();
    ASSERT_EQ(frame_.MdiArea()->subWindowList().size(), 7);
    for (QMdiSubWindow* window : frame_.MdiArea()->subWindowList())
        EXPECT_TRUE(shown.contains(window->geometry())) << window->windowTitle().toStdString();
    EXPECT_FALSE(frame_.MdiArea()->horizontalScrollBar()->isVisible());
    EXPECT_FALSE(frame_.MdiArea()->verticalScrollBar()->isVisible());
}

TEST_F(MainFormTest, HelpWindowShowsTheManualAndSearchesIt) {
    ASSERT_TRUE(frame_.RunCommand(C::HelpContents));
    THelpWindow& help = frame_.HelpWindow();
    EXPECT_TRUE(help.isVisible());
    EXPECT_EQ(help.CurrentPage(), "index.html");
    EXPECT_TRUE(help.Browser()->toPlainText().contains("The wave window"));
    // The command list is a page of the manual.
    help.ShowPage("commands.html#FilterBlock");
    QString contents = help.Browser()->toPlainText();
    EXPECT_TRUE(contents.contains("Open wave"));
    EXPECT_TRUE(contents.contains("Ctrl+Alt+B"));
    EXPECT_TRUE(contents.contains("Make a noise wave"));
    ASSERT_TRUE(frame_.RunCommand(C::HelpTopicSearch));
    help.SearchField()->setText("random echo");
    EXPECT_TRUE(help.Browser()->toPlainText().contains("Random Echo"));
    EXPECT_FALSE(help.Browser()->toPlainText().contains("Make Sinus"));
    ASSERT_TRUE(frame_.RunCommand(C::HelpOnHelp));
    EXPECT_TRUE(help.Browser()->toPlainText().contains("Topic Search"));

    // Escape closes it, from the search field and from the page alike.
    for (QWidget* focus :
         {static_cast<QWidget*>(help.SearchField()), static_cast<QWidget*>(help.Browser())}) {
        ASSERT_TRUE(frame_.RunCommand(C::HelpContents));
        ASSERT_TRUE(help.isVisible());
        QTest::keyClick(focus, Qt::Key_Escape);
        EXPECT_FALSE(help.isVisible());
    }
}

TEST(FileDialogTest, DialogsCarryTheirTitlesAndFilters) {
    QFileDialog open;
    ConfigureFileDialog(open, FileDialogKind::openWave);
    EXPECT_EQ(open.windowTitle(), "Open Wave");
    EXPECT_EQ(open.nameFilters(), (QStringList{"Wave Files (*.wav)", "All files (*)"}));
    EXPECT_EQ(open.fileMode(), QFileDialog::ExistingFiles);
    EXPECT_EQ(open.acceptMode(), QFileDialog::AcceptOpen);
    QFileDialog save;
    ConfigureFileDialog(save, FileDialogKind::newProject);
    EXPECT_EQ(save.windowTitle(), "New Project");
    EXPECT_EQ(save.defaultSuffix(), "kvp");
    EXPECT_EQ(save.acceptMode(), QFileDialog::AcceptSave);
    EXPECT_EQ(save.nameFilters().size(), 3);
}

}  // namespace
}  // namespace kalvora::gui

namespace kalvora::gui {
namespace {

// Grabs the frame with a wave window; KALVORA_SCREENSHOT_DIR keeps the picture for a look.
TEST_F(MainFormTest, FrameWithAWaveWindowCanBeGrabbed) {
    AddWave(441000, 2, 44100, "NONAME1");
    frame_.resize(1280, 800);
    QApplication::processEvents();
    frame_.UpdateCommands();
    QPixmap picture = frame_.grab();
    EXPECT_EQ(picture.size(), QSize(1280, 800));
    QByteArray folder = qgetenv("KALVORA_SCREENSHOT_DIR");
    if (!folder.isEmpty()) picture.save(QString::fromLocal8Bit(folder) + "/frame-wave.png");
}

}  // namespace
}  // namespace kalvora::gui

#include "gui/about_box.h"

namespace kalvora::gui {
namespace {

TEST(AboutBoxTest, FixedSizeWithTheVersionInItsCaption) {
    TAboutBox box(nullptr);
    box.show();
    QApplication::processEvents();
    EXPECT_EQ(box.windowTitle(), "About Kalvora 8.0");
    EXPECT_EQ(box.minimumSize(), box.maximumSize());
    QByteArray folder = qgetenv("KALVORA_SCREENSHOT_DIR");
    if (!folder.isEmpty()) box.grab().save(QString::fromLocal8Bit(folder) + "/about.png");
}

}  // namespace
}  // namespace kalvora::gui
