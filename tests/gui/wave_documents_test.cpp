// The frame with real wave documents: opening, new waves, the registry, the snapshot, the
// name box, the close question and shutdown.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QMdiArea>
#include <QRadioButton>
#include <QToolBar>

#include "documents/wave_creation.h"
#include "gui/mdi_child_wave.h"
#include "gui/name_box.h"
#include "gui/status_panels.h"
#include "gui/wave_file_prop_dialog.h"
#include "gui/wave_test_support.h"

namespace kalvora::gui {
namespace {

using C = CommandId;
using testing::StereoSine;
using testing::WriteWav;

class WaveDocumentsTest : public ::testing::Test, public testing::FrameFixture {
  protected:
    QString Panel(int index) { return frame.StatusPanels().Text(index); }
};

TEST_F(WaveDocumentsTest, CommandLineOpensAWaveIntoItsWindow) {
    std::string file = WriteWav(folder, "tone.wav", *StereoSine(44100 * 2));
    ASSERT_FALSE(file.empty());
    frame.OpenFromCommandLine(FileNameFromCore(file));
    Settle();
    ASSERT_TRUE(messages.Messages().empty()) << messages.Messages()[0].text;
    TMDIChildWave* window = frame.ActiveWaveWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(frame.DocumentWindows().size(), 1);
    EXPECT_EQ(window->windowTitle(), FileNameFromCore(file));  // no name yet: the path alone
    EXPECT_EQ(window->Wave().GetValues(), 88200);
    EXPECT_EQ(frame.Workspace().Registry().ActiveWave(), &window->Wave());
    EXPECT_EQ(frame.windowTitle(), "Kalvora 8.0");
    EXPECT_EQ(frame.NameBox()->text(), "");
    EXPECT_EQ(Panel(2), "2.00000 s");
    EXPECT_EQ(Panel(3), "44.100 kHz");
    EXPECT_EQ(Panel(4), "16");
    EXPECT_EQ(Panel(5), "ST");
    EXPECT_EQ(Panel(6), "344 kb");
    EXPECT_EQ(Panel(7), "");  // read from its file, nothing changed
    EXPECT_TRUE(frame.ToolbarOf(ToolbarId::wave1)->isVisible());
}

TEST_F(WaveDocumentsTest, UnreadableFilesAreReportedAndOpenNothing) {
    frame.OpenFromCommandLine(folder.filePath("missing.wav"));
    Settle();
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(messages.Messages()[0].caption, "File Error");
    EXPECT_EQ(messages.Messages()[0].text.rfind("Cannot read the file: \"", 0), 0u);
    EXPECT_TRUE(frame.DocumentWindows().isEmpty());
}

TEST_F(WaveDocumentsTest, OpenWaveOpensEveryChosenFile) {
    std::string a = WriteWav(folder, "a.wav", *StereoSine(100));
    std::string b = WriteWav(folder, "b.wav", *StereoSine(200));
    frame.openFileNames = [&](FileDialogKind kind) {
        EXPECT_EQ(kind, FileDialogKind::openWave);
        return QStringList{FileNameFromCore(a), folder.filePath("broken.wav"), FileNameFromCore(b)};
    };
    ASSERT_TRUE(frame.RunCommand(C::FileOpenWave));
    Settle();
    EXPECT_EQ(messages.Messages().size(), 1u);  // the missing one
    ASSERT_EQ(frame.DocumentWindows().size(), 2);
    // The registry keeps the activation order: the last opened is the active document.
    const auto& units = frame.Workspace().Registry().Units();
    ASSERT_EQ(units.size(), 2u);
    EXPECT_EQ(units[0]->FileName(), a);
    EXPECT_EQ(units[1]->FileName(), b);
    frame.MdiArea()->setActiveSubWindow(frame.DocumentWindows().first());
    Settle();
    EXPECT_EQ(frame.Workspace().Registry().ActiveUnit()->FileName(), a);
}

TEST_F(WaveDocumentsTest, NewWaveTakesTheFormatOfTheWavePropertiesDialog) {
    waveFileProps offered{};
    frame.waveFilePropsAnswer = [&](const waveFileProps& props) -> std::optional<waveFileProps> {
        offered = props;
        return waveFileProps{22050, 1, 1};
    };
    ASSERT_TRUE(frame.RunCommand(C::FileNewWave));
    Settle();
    EXPECT_EQ(offered, (waveFileProps{44100, 2, 2}));
    TMDIChildWave* window = frame.ActiveWaveWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), "NONAME1");
    EXPECT_EQ(frame.NameBox()->text(), "NONAME1");
    EXPECT_EQ(Panel(3), "22.050 kHz");
    EXPECT_EQ(Panel(4), "8");
    EXPECT_EQ(Panel(5), "MO");
    EXPECT_EQ(Panel(6), "0 b");
    EXPECT_EQ(Panel(7), "New");

    // Cancelled: no window. The counter is not reused after a close.
    frame.waveFilePropsAnswer = [](const waveFileProps&) { return std::nullopt; };
    ASSERT_TRUE(frame.RunCommand(C::FileNewWave));
    EXPECT_EQ(frame.DocumentWindows().size(), 1);
    ASSERT_TRUE(frame.RunCommand(C::FileClose));
    Settle();
    frame.waveFilePropsAnswer = [](const waveFileProps& p) { return p; };
    ASSERT_TRUE(frame.RunCommand(C::FileNewWave));
    Settle();
    EXPECT_EQ(frame.ActiveWaveWindow()->windowTitle(), "NONAME2");
}

TEST_F(WaveDocumentsTest, NameBoxRenamesThroughTheRegistry) {
    frame.waveFilePropsAnswer = [](const waveFileProps& p) { return p; };
    ASSERT_TRUE(frame.RunCommand(C::FileNewWave));
    ASSERT_TRUE(frame.RunCommand(C::FileNewWave));
    Settle();
    emit frame.NameBox()->NameEntered("  NONAME1 ");  // the other window's name
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(messages.Messages()[0].text, "A window with name \"NONAME1\" already exists.");
    EXPECT_EQ(frame.ActiveWaveWindow()->Wave().Name(), "NONAME2");
    EXPECT_EQ(frame.NameBox()->text(), "NONAME2");
    emit frame.NameBox()->NameEntered(" Bass ");
    EXPECT_EQ(frame.ActiveWaveWindow()->windowTitle(), "Bass");
    EXPECT_EQ(frame.Workspace().Registry().FindWave("Bass"), &frame.ActiveWaveWindow()->Wave());
}

TEST_F(WaveDocumentsTest, CloseQuestionSavesANewWaveUnderANewName) {
    frame.waveFilePropsAnswer = [](const waveFileProps& p) { return p; };
    ASSERT_TRUE(frame.RunCommand(C::FileNewWave));
    Settle();
    TMDIChildWave* window = frame.ActiveWaveWindow();
    // An empty new wave has nothing to save: it closes without a question.
    EXPECT_TRUE(window->CloseQuery());
    std::string source = WriteWav(folder, "source.wav", *StereoSine(500));
    frame.OpenFromCommandLine(FileNameFromCore(source));
    Settle();
    TMDIChildWave* opened = frame.ActiveWaveWindow();
    ASSERT_TRUE(opened->Wave().Delete());  // the whole wave
    frame.Workspace().Undo().DoUndo();
    Settle();
    EXPECT_EQ(Panel(7), "Changed");

    QString asked;
    frame.closeQuestion = [&](const QString& text) {
        asked = text;
        return CloseAnswer::save;
    };
    std::string target = FileNameToCore(folder.filePath("saved"));
    frame.saveFileName = [&](FileDialogKind) -> std::optional<std::string> { return target; };
    // With a file: saved to it.
    EXPECT_TRUE(opened->CloseQuery());
    EXPECT_EQ(asked.toStdString(),
              "Do you want to save the Wave without name to current file \"" + source + "\"?");
    EXPECT_FALSE(opened->Wave().NeedsSave());

    // Without a file: through Save As; the extension ".wav" is added.
    std::unique_ptr<Sound> sound = StereoSine(300);
    TMDIChildWave* unnamed = frame.AddWaveWindow(NamedWave(frame.Workspace(), std::move(sound)));
    Settle();
    EXPECT_TRUE(unnamed->CloseQuery());
    EXPECT_EQ(asked, "Do you want to save the Wave with name \"NONAME2\" to a new file?");
    EXPECT_EQ(unnamed->Wave().FileName(), target + ".wav");
    EXPECT_EQ(unnamed->windowTitle(), FromCore("NONAME2 - " + target + ".wav"));
    EXPECT_TRUE(QFile::exists(FileNameFromCore(target + ".wav")));
}

TEST_F(WaveDocumentsTest, ClosingTheWindowOfTheUndoRecordDropsIt) {
    std::string file = WriteWav(folder, "a.wav", *StereoSine(100));
    frame.OpenFromCommandLine(FileNameFromCore(file));
    Settle();
    ASSERT_TRUE(frame.ActiveWaveWindow()->Wave().Cut());
    Settle();
    EXPECT_TRUE(frame.Workspace().Undo().HasUndo());
    frame.closeQuestion = [](const QString&) { return CloseAnswer::discard; };
    ASSERT_TRUE(frame.RunCommand(C::FileClose));
    Settle();
    EXPECT_FALSE(frame.Workspace().Undo().HasUndo());
    EXPECT_TRUE(frame.Workspace().Registry().Units().empty());
    // The clipboard survives the closing of every document.
    EXPECT_TRUE(frame.Workspace().Clipboard().HasSound());
}

TEST_F(WaveDocumentsTest, ShutdownDropsTheUndoRecord) {
    std::string file = WriteWav(folder, "a.wav", *StereoSine(100));
    frame.OpenFromCommandLine(FileNameFromCore(file));
    Settle();
    ASSERT_TRUE(frame.ActiveWaveWindow()->Wave().Delete());
    frame.closeQuestion = [](const QString&) { return CloseAnswer::discard; };
    EXPECT_TRUE(frame.close());
    QApplication::processEvents();
    EXPECT_FALSE(frame.Workspace().Undo().HasUndo());
    EXPECT_TRUE(frame.DocumentWindows().isEmpty());
}

TEST(WaveFilePropDialogTest, KeepsARateOutsideTheList) {
    TDlgWaveFileProp dialog(nullptr, {48000, 2, 2});
    EXPECT_EQ(dialog.windowTitle(), "Wave Properties");
    EXPECT_EQ(dialog.SampleFrequency()->count(), 7);
    EXPECT_EQ(dialog.SampleFrequency()->currentText(), "48000 Hz");
    EXPECT_TRUE(dialog.Stereo()->isChecked());
    // Only the channels change: the rate stays as it was.
    dialog.Mono()->setChecked(true);
    EXPECT_EQ(dialog.Props(), (waveFileProps{48000, 1, 2}));
    dialog.SampleFrequency()->setCurrentText("22 kHz");
    dialog.EightBits()->setChecked(true);
    EXPECT_EQ(dialog.Props(), (waveFileProps{22050, 1, 1}));

    TDlgWaveFileProp standard(nullptr, {176128, 1, 1});
    EXPECT_EQ(standard.SampleFrequency()->count(), 6);
    EXPECT_EQ(standard.SampleFrequency()->currentText(), "176 kHz");
    EXPECT_EQ(standard.Props(), (waveFileProps{176128, 1, 1}));
}

}  // namespace
}  // namespace kalvora::gui
