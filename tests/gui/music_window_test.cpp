// The music window inside the real frame: new and opened music, writing notes with the mouse
// and the keys, the status panels, saving, reopening, reverting and duplicating.
#include "gui/mdi_child_muz.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

#include "gui/main_form.h"
#include "gui/qt_text.h"
#include "gui/status_panels.h"
#include "gui/view_muz.h"
#include "gui/wave_test_support.h"
#include "music/music_file.h"
#include "platform/fake_media_player.h"
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

    openNames_ = {FileNameFromCore(saveName_)};
    ASSERT_TRUE(frame_->RunCommand(C::FileOpenMuz));
    Settle();
    TMDIChildMuz* reopened = frame_->ActiveMusicWindow();
    ASSERT_NE(reopened, window);
    ASSERT_NE(reopened, nullptr);
    std::vector<TMuzNote*> notes = Notes(reopened->Music());
    ASSERT_EQ(notes.size(), 5u);
    EXPECT_EQ(notes[4]->NoteLengthKind, 2);
    EXPECT_EQ(notes[4]->Points, 1);
    EXPECT_DOUBLE_EQ(notes[4]->Position, 1.0);

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
    EXPECT_EQ(copy->Music().Name(), "NONAME2");
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

}  // namespace
}  // namespace kalvora::gui
