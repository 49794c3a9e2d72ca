// The music window inside the real frame: new and opened music, writing notes with the mouse
// and the keys, the status panels, saving, reopening, reverting and duplicating.
#include "gui/mdi_child_muz.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

#include "gui/main_form.h"
#include "gui/mdi_child_wave.h"
#include "gui/qt_text.h"
#include "gui/status_panels.h"
#include "gui/view_muz.h"
#include "gui/wave_test_support.h"
#include "music/music_file.h"
#include "platform/fake_media_player.h"
#include "platform/qt/sound_server_support.h"
#include "platform/recording_message_sink.h"

namespace kalvora::gui {
namespace {

using C = CommandId;

class MusicWindowTest : public ::testing::Test {
  protected:
    MusicWindowTest() {
        auto media = std::make_unique<platform::FakeMediaPlayer>();
        media_ = media.get();
        frame_ = std::make_unique<TMainForm>(std::move(media));
        frame_->saveFileName = [this](FileDialogKind kind) -> std::optional<std::string> {
            lastDialog_ = kind;
            if (saveName_.empty()) return std::nullopt;
            return saveName_;
        };
        frame_->openFileNames = [this](FileDialogKind kind) {
            lastDialog_ = kind;
            return openNames_;
        };
        frame_->closeQuestion = [](const QString&) { return CloseAnswer::discard; };
        frame_->show();
        QApplication::processEvents();
    }

    TMDIChildMuz* NewMusic() {
        EXPECT_TRUE(frame_->RunCommand(C::FileNewMuz));
        Settle();
        return frame_->ActiveMusicWindow();
    }
    void Settle() {
        QApplication::processEvents();
        frame_->UpdateCommands();
    }
    // Paints the view now, so that the layout the clicks hit is the current one.
    void Paint(TMDIChildMuz& window) {
        window.View().viewport()->repaint();
        QApplication::processEvents();
    }
    QWidget* Viewport(TMDIChildMuz& window) { return window.View().viewport(); }
    // The window position of staff position p on the stave.
    static int YOf(const TNoteStave& stave, int p) { return stave.Layout.MiddleY - 5 * p; }
    void Click(TMDIChildMuz& window, int x, int y) {
        QTest::mouseClick(Viewport(window), Qt::LeftButton, Qt::NoModifier, QPoint(x, y));
        Settle();
        Paint(window);
    }
    void Key(TMDIChildMuz& window, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(&window.View(), static_cast<Qt::Key>(key), modifiers);
        Settle();
        Paint(window);
    }
    // Clicks right of everything on the stave, at staff position p: the note goes last.
    void AppendNote(TMDIChildMuz& window, int p) {
        TUnitMuz& music = window.Music();
        const TStaveSymbol* last =
            music.Root().FirstSinglePart()->LastSymbolOfStave(music.Staves().FirstStave());
        Click(window, last->TouchRight + 12, YOf(*music.Staves().FirstStave(), p));
    }
    QString Panel(int index) { return frame_->StatusPanels().Text(index); }
    std::vector<TMuzNote*> Notes(TUnitMuz& music) {
        std::vector<TMuzNote*> notes;
        for (TStaveSymbol* s = music.Root().FirstSinglePart()->FirstSymbol(); s != nullptr;
             s = s->Next) {
            if (TMuzNote* note = AsNote(s)) notes.push_back(note);
        }
        return notes;
    }

    platform::RecordingMessageSink messages_;
    platform::FakeMediaPlayer* media_ = nullptr;
    std::unique_ptr<TMainForm> frame_;
    QTemporaryDir folder_;
    std::string saveName_;
    QStringList openNames_;
    std::optional<FileDialogKind> lastDialog_;
};

TEST_F(MusicWindowTest, NewMusicOpensAWindowWithTheMusicMenusAndToolbars) {
    TMDIChildMuz* window = NewMusic();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), "NONAME1");
    EXPECT_EQ(frame_->ActiveKind(), WindowKind::music);
    EXPECT_TRUE(frame_->ToolbarOf(ToolbarId::music1)->isVisible());
    EXPECT_TRUE(frame_->ToolbarOf(ToolbarId::music3)->isVisible());
    EXPECT_FALSE(frame_->ToolbarOf(ToolbarId::wave1)->isVisible());
    EXPECT_TRUE(frame_->Action(C::MusicModeAdd)->isChecked());
    EXPECT_TRUE(frame_->Action(C::MusicNote4)->isChecked());
    EXPECT_TRUE(frame_->Action(C::DuplicateMuz)->isEnabled());
    EXPECT_FALSE(frame_->Action(C::FileSave)->isEnabled());
    // A new document selects its first symbol, the start key.
    EXPECT_EQ(Panel(1), "Key");
    EXPECT_EQ(Panel(2), "pos: 0");
    // Both scroll bars are shown.
    EXPECT_TRUE(window->View().horizontalScrollBar()->isVisible());
    EXPECT_TRUE(window->View().verticalScrollBar()->isVisible());
    Paint(*window);
    for (int p : {-6, -5, -4, -3, -2, -1, 0, 1})
        AppendNote(*window, p);
    QScrollBar* bar = window->View().horizontalScrollBar();
    // The horizontal range is the document's width beyond the client, a page the client.
    EXPECT_EQ(bar->maximum(), window->View().Extent().Width - window->View().viewport()->width());
    EXPECT_EQ(bar->pageStep(), window->View().viewport()->width());
    EXPECT_EQ(bar->value(), 0);
}

TEST_F(MusicWindowTest, ClicksAndKeysWriteAMelodyThatSavesReopensAndReverts) {
    TMDIChildMuz* window = NewMusic();
    ASSERT_NE(window, nullptr);
    Paint(*window);
    // Two bars of quarters: c d e f | g with a dotted half.
    for (int p : {-6, -5, -4, -3, -2})
        AppendNote(*window, p);
    TUnitMuz& music = window->Music();
    ASSERT_EQ(Notes(music).size(), 5u);
    EXPECT_EQ(Panel(1), "Note");
    EXPECT_EQ(Panel(2), "pos: 1");
    EXPECT_EQ(Panel(3), "len: 1/4");
    EXPECT_EQ(Panel(4), "g4");
    ASSERT_TRUE(frame_->RunCommand(C::MusicNote2));  // add mode: halves from now on
    ASSERT_TRUE(frame_->RunCommand(C::MusicModeEdit));
    Settle();
    ASSERT_TRUE(frame_->RunCommand(C::MusicNote2));  // the selected g becomes a half
    ASSERT_TRUE(frame_->RunCommand(C::MusicPointAdd));
    Settle();
    EXPECT_EQ(Panel(3), "len: 3/4");
    // Keys: Left selects the f, Ctrl+Up raises it to g (staff position -2).
    Key(*window, Qt::Key_Left);
    EXPECT_EQ(Panel(4), "f4");
    Key(*window, Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(Panel(4), "g4");
    Key(*window, Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(Panel(4), "f4");
    EXPECT_TRUE(frame_->Action(C::FileSave)->isEnabled());

    // Save (no file yet: asks for a name), then reopen.
    saveName_ = FileNameToCore(folder_.filePath("melody.kvm"));
    ASSERT_TRUE(frame_->RunCommand(C::FileSave));
    EXPECT_EQ(lastDialog_, FileDialogKind::saveMusic);
    EXPECT_FALSE(music.NeedsSave());
    EXPECT_EQ(window->windowTitle(), FromCore("NONAME1 - " + saveName_));
    EXPECT_TRUE(messages_.Messages().empty());

    // The stave's instrument plays the wave "sample": a tone beside the music file opens
    // with it and takes that name.
    kalvora::testing::WriteTone(FileNameToCore(folder_.filePath("sample.wav")), {22050, 1, 2}, 0.25,
                                1000, 12000);
    openNames_ = {FileNameFromCore(saveName_)};
    ASSERT_TRUE(frame_->RunCommand(C::FileOpenMuz));
    Settle();
    TMDIChildMuz* reopened = frame_->ActiveMusicWindow();
    EXPECT_EQ(frame_->DocumentWindows().size(), 3);
    ASSERT_NE(frame_->WaveWindowNamed("sample"), nullptr);
    EXPECT_EQ(Panel(0), "Sample waves opened: sample.wav");
    ASSERT_NE(reopened, window);
    ASSERT_NE(reopened, nullptr);
    std::vector<TMuzNote*> notes = Notes(reopened->Music());
    ASSERT_EQ(notes.size(), 5u);
    EXPECT_EQ(notes[4]->NoteLengthKind, 2);
    EXPECT_EQ(notes[4]->Points, 1);
    EXPECT_DOUBLE_EQ(notes[4]->Position, 1.0);

    // Play renders the music and hands it to the player; Generate makes a wave of it.
    media_->ClearCalls();
    ASSERT_TRUE(frame_->RunCommand(C::FilePlay));
    EXPECT_NE(media_->CallsText().find("Play"), std::string::npos) << media_->CallsText();
    ASSERT_TRUE(frame_->RunCommand(C::FileStop));
    ASSERT_TRUE(frame_->RunCommand(C::MusicGenerate));
    Settle();
    TMDIChildWave* generated = frame_->ActiveWaveWindow();
    ASSERT_NE(generated, nullptr);
    // The last note starts a second in (a whole note a second) and sounds the sample
    // resampled to its pitch.
    EXPECT_GT(generated->Wave().GetValues(), 22050);
    EXPECT_LT(generated->Wave().GetValues(), 22050 * 3);
    EXPECT_EQ(generated->Wave().GetFreq(), 22050);
    EXPECT_EQ(generated->Wave().Name(), "NONAME2");
    EXPECT_TRUE(messages_.Messages().empty());
    frame_->MdiArea()->setActiveSubWindow(reopened);
    Settle();

    // Revert: an edit is undone by reading the file again.
    Paint(*reopened);
    ASSERT_TRUE(frame_->RunCommand(C::MusicModeDelete));
    Settle();
    Click(*reopened, (notes[0]->TouchLeft + notes[0]->TouchRight) / 2,
          YOf(*notes[0]->NoteStave, notes[0]->DrawHeight));
    ASSERT_EQ(Notes(reopened->Music()).size(), 4u);
    ASSERT_TRUE(frame_->RunCommand(C::FileRevert));
    Settle();
    EXPECT_EQ(Notes(reopened->Music()).size(), 5u);
    EXPECT_FALSE(reopened->Music().NeedsSave());
    EXPECT_EQ(reopened->Music().UnitMuzMode, unitMuzDel);  // the editing state stays

    // Duplicate: a new named window with the same music.
    ASSERT_TRUE(frame_->RunCommand(C::DuplicateMuz));
    Settle();
    TMDIChildMuz* copy = frame_->ActiveMusicWindow();
    ASSERT_NE(copy, reopened);
    EXPECT_EQ(copy->Music().Name(), "NONAME3");
    EXPECT_TRUE(copy->Music().HasNoFile());
    EXPECT_EQ(Notes(copy->Music()).size(), 5u);
}

TEST_F(MusicWindowTest, EditModeClicksSelectAndTheBorderDragResizesTheStave) {
    TMDIChildMuz* window = NewMusic();
    Paint(*window);
    AppendNote(*window, 0);
    TMuzNote* note = window->Music().SelectedNote();
    ASSERT_NE(note, nullptr);
    ASSERT_TRUE(frame_->RunCommand(C::MusicModeEdit));
    Settle();
    const int x = (note->TouchLeft + note->TouchRight) / 2;
    const int y = YOf(*note->NoteStave, note->DrawHeight);
    Click(*window, x, y);
    EXPECT_EQ(window->Music().SelectedSymbol(), nullptr);
    EXPECT_EQ(Panel(1), "");
    Click(*window, x, y);
    EXPECT_EQ(window->Music().SelectedSymbol(), note);

    TNoteStave& stave = *window->Music().Staves().FirstStave();
    const int border = stave.Layout.MiddleY + stave.RoomDown.GetValue();
    const int down = stave.RoomDown.GetValue();
    QTest::mousePress(Viewport(*window), Qt::LeftButton, Qt::NoModifier, QPoint(x, border));
    QMouseEvent move(QEvent::MouseMove, QPointF(x, border + 20), QPointF(x, border + 20),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(Viewport(*window), &move);
    QTest::mouseRelease(Viewport(*window), Qt::LeftButton, Qt::NoModifier, QPoint(x, border + 20));
    EXPECT_EQ(stave.RoomDown.GetValue(), down + 20);
    EXPECT_FALSE(window->View().Input().Dragging());
}

TEST_F(MusicWindowTest, APropertiesChangeSetsTheFormatOfTheGeneratedWave) {
    TMDIChildMuz* window = NewMusic();
    frame_->waveFilePropsAnswer = [](const waveFileProps& props) -> std::optional<waveFileProps> {
        EXPECT_EQ(props.Freq, 22050);
        return waveFileProps{44100, 2, 2};
    };
    ASSERT_TRUE(frame_->RunCommand(C::FileProperties));
    EXPECT_EQ(window->Music().Freq, 44100);
    EXPECT_EQ(window->Music().MoSt, 2);
}

TEST_F(MusicWindowTest, AnUnreadableFileIsReportedAndOpensNoWindow) {
    const std::string name = FileNameToCore(folder_.filePath("broken.kvm"));
    {
        std::FILE* file = std::fopen(name.c_str(), "w");
        ASSERT_NE(file, nullptr);
        std::fputs("<not music>", file);
        std::fclose(file);
    }
    EXPECT_FALSE(frame_->OpenMusicFile(name));
    ASSERT_EQ(messages_.Messages().size(), 1u);
    EXPECT_EQ(messages_.Messages()[0].caption, "File Error");
    EXPECT_TRUE(frame_->DocumentWindows().isEmpty());
}

TEST_F(MusicWindowTest, PlayNoteWithoutItsSampleWaveSaysWhy) {
    TMDIChildMuz* window = NewMusic();
    Paint(*window);
    // Auto-play while writing: the reason goes to the status bar, no box interrupts.
    AppendNote(*window, 0);
    EXPECT_TRUE(messages_.Messages().empty());
    EXPECT_EQ(Panel(0), "Cannot play the note: Cannot find window \"sample\".");
    ASSERT_TRUE(frame_->RunCommand(C::MusicPlayNote));
    ASSERT_EQ(messages_.Messages().size(), 1u);
    EXPECT_EQ(messages_.Messages()[0].text, "Cannot play the note: Cannot find window \"sample\".");
    messages_.Clear();
    ASSERT_TRUE(frame_->RunCommand(C::MusicGenerate));
    ASSERT_EQ(messages_.Messages().size(), 1u);
    EXPECT_EQ(messages_.Messages()[0].text, "Cannot create music: Cannot find window \"sample\".");
    EXPECT_EQ(frame_->DocumentWindows().size(), 1);
}

// The program's own player against the private sound server: a music window plays its
// rendered notes to the end.
TEST(MusicPlayerTest, MusicPlaysThroughTheSoundServer) {
    KALVORA_REQUIRE_SOUND_SERVER();
    platform::RecordingMessageSink messages;
    TMainForm frame;
    frame.show();
    QTemporaryDir folder;
    const std::string sample = FileNameToCore(folder.filePath("sample.wav"));
    kalvora::testing::WriteTone(sample, {22050, 1, 2}, 0.2, 1000, 12000);
    ASSERT_TRUE(frame.OpenWaveFile(sample));
    frame.ActiveWaveWindow()->Wave().SetName("sample");
    ASSERT_TRUE(frame.RunCommand(C::FileNewMuz));
    QApplication::processEvents();
    TMDIChildMuz* window = frame.ActiveMusicWindow();
    ASSERT_NE(window, nullptr);
    window->Music().AutoPlay = false;
    TMuzInsertion place;
    place.Stave = window->Music().Staves().FirstStave();
    place.After = window->Music().Root().FirstSinglePart()->StartKeyOfStave(place.Stave);
    ASSERT_TRUE(window->Music().InsertAt(place));
    frame.UpdateCommands();
    ASSERT_TRUE(frame.RunCommand(C::FilePlay));
    EXPECT_TRUE(frame.Player().Facts().playChecked);
    EXPECT_TRUE(kalvora::testing::WaitFor([&] { return !frame.Player().Facts().playChecked; }, 10));
    EXPECT_TRUE(messages.Messages().empty());
}

}  // namespace
}  // namespace kalvora::gui
