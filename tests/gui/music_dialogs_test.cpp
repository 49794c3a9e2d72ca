// The tool windows "Music" and "Music Parts" over a music document: what they show, their
// buttons, and fields committed when they lose the focus or with Enter.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include "gui/help_window.h"
#include "gui/main_form.h"
#include "gui/mdi_child.h"
#include "gui/music_dialog.h"
#include "gui/music_dialog_commands.h"
#include "gui/music_tree_dialog.h"
#include "gui/wave_test_support.h"
#include "music/unit_muz.h"
#include "shell/music_command_states.h"

namespace kalvora::gui {
namespace {

template <typename Widget>
Widget& Child(QWidget& dialog, const char* name) {
    auto* widget = dialog.findChild<Widget*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return *widget;
}

// A music document window as the frame sees it, until the music window is at hand.
class FakeMusicDocument final : public FrameDocument {
  public:
    explicit FakeMusicDocument(TUnitRegistry& registry) : unit(registry) {}
    WindowKind Kind() const override { return WindowKind::music; }
    std::string Name() const override { return unit.Name(); }
    std::string FileName() const override { return {}; }
    void Describe(FrameSnapshot& snapshot) const override { snapshot.music = DescribeMusic(unit); }
    bool Rename(const std::string&) override { return false; }
    bool NeedsSave() const override { return false; }
    bool Save() override { return true; }
    bool SaveAs(const std::string&) override { return true; }
    TUnit* Unit() override { return &unit; }

    TUnitMuz unit;
};

class MusicDialogsTest : public ::testing::Test, public testing::FrameFixture {
  protected:
    MusicDialogsTest() {
        auto document = std::make_unique<FakeMusicDocument>(frame.Workspace().Registry());
        unit_ = &document->unit;
        window_ = frame.AddDocumentWindow(std::move(document));
        Settle();
    }

    // The dialog shown by its command, active and bound to the active window's music.
    template <typename Dialog>
    Dialog* Open(CommandId command) {
        EXPECT_TRUE(frame.RunCommand(command));
        Settle();
        Dialog* dialog = frame.findChild<Dialog*>(QString(), Qt::FindDirectChildrenOnly);
        QApplication::setActiveWindow(dialog);
        QApplication::processEvents();
        return dialog;
    }

    // Types text into an edit that has the focus, replacing what it held.
    static void TypeInto(QLineEdit& edit, const QString& text) {
        edit.setFocus();
        edit.selectAll();
        QTest::keyClicks(&edit, text);
    }

    TMDIChildKalvora* window_ = nullptr;
    TUnitMuz* unit_ = nullptr;
    TUnitMuz& unit() { return *unit_; }
    TDlgMusic* music = nullptr;
    TDlgMusTree* tree = nullptr;
};

TEST_F(MusicDialogsTest, TheMusicDialogShowsTheListsAndAppendsAStave) {
    music = Open<TDlgMusic>(CommandId::MusicDialog);
    EXPECT_EQ(music->windowTitle(), QStringLiteral("Music"));
    EXPECT_EQ(Child<QLineEdit>(*music, "editStaveCount").text(), QStringLiteral("1"));
    EXPECT_FALSE(Child<QToolButton>(*music, "btnStaveDelete").isEnabled());
    EXPECT_FALSE(Child<QToolButton>(*music, "btnStaveNext").isEnabled());
    EXPECT_TRUE(Child<QToolButton>(*music, "btnStaveInsert").isEnabled());
    EXPECT_EQ(Child<QLineEdit>(*music, "editStaveRoomUp").text(), QStringLiteral("80"));

    Child<QToolButton>(*music, "btnStaveAppend").click();
    EXPECT_EQ(unit().Staves().Count(), 2);
    EXPECT_EQ(Child<QLineEdit>(*music, "editStaveCount").text(), QStringLiteral("2"));
    EXPECT_EQ(Child<QLineEdit>(*music, "editStaveCursor").text(), QStringLiteral("2"));
    EXPECT_TRUE(Child<QToolButton>(*music, "btnStaveDelete").isEnabled());
    EXPECT_TRUE(unit().NeedsSave());
}

TEST_F(MusicDialogsTest, ARoomBelowThirtyIsRefusedAndTheFocusReturns) {
    music = Open<TDlgMusic>(CommandId::MusicDialog);
    auto& room = Child<QLineEdit>(*music, "editStaveRoomUp");
    TypeInto(room, QStringLiteral("20"));
    Child<QLineEdit>(*music, "editStaveRoomDown").setFocus();
    QApplication::processEvents();
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(messages.Messages()[0].text, "In Room Up: Value must be more or equal of 30.");
    EXPECT_EQ(unit().Staves().FirstStave()->RoomUp.GetValue(), 80);
    EXPECT_TRUE(room.hasFocus());
}

TEST_F(MusicDialogsTest, EnterInTempoCommitsWithoutLeavingTheField) {
    music = Open<TDlgMusic>(CommandId::MusicDialog);
    auto& tempo = Child<QLineEdit>(*music, "editTempo");
    TypeInto(tempo, QStringLiteral("2 s"));
    QTest::keyClick(&tempo, Qt::Key_Return);
    EXPECT_DOUBLE_EQ(unit().Tempo.GetValue(), 2.0);
    EXPECT_TRUE(tempo.hasFocus());
    EXPECT_TRUE(messages.Messages().empty());
}

TEST_F(MusicDialogsTest, WithoutMusicOnlyCloseAndHelpWork) {
    music = Open<TDlgMusic>(CommandId::MusicDialog);
    window_->close();
    Settle();
    for (QLineEdit* edit : music->findChildren<QLineEdit*>()) {
        EXPECT_TRUE(edit->text().isEmpty()) << edit->objectName().toStdString();
    }
    for (QToolButton* button : music->findChildren<QToolButton*>())
        EXPECT_FALSE(button->isEnabled()) << button->objectName().toStdString();
    for (QPushButton* button : music->findChildren<QPushButton*>()) {
        const bool closeOrHelp = button->objectName() == QStringLiteral("btnClose") ||
                                 button->objectName() == QStringLiteral("btnHelp");
        EXPECT_EQ(button->isEnabled(), closeOrHelp) << button->objectName().toStdString();
    }
    EXPECT_FALSE(Child<QLineEdit>(*music, "editTempo").isEnabled());
}

TEST_F(MusicDialogsTest, HelpAndF1OpenEachToolWindowsOwnPage) {
    music = Open<TDlgMusic>(CommandId::MusicDialog);
    tree = Open<TDlgMusTree>(CommandId::MusicParts);
    const std::pair<QWidget*, const char*> windows[] = {
        {music, "edit-music-dialog.html"},
        {tree, "music-parts-dialog.html"},
    };
    for (const auto& [window, page] : windows) {
        frame.HelpWindow().ShowContents();
        Child<QPushButton>(*window, "btnHelp").click();
        EXPECT_EQ(frame.HelpWindow().CurrentPage(), page);
        frame.HelpWindow().ShowContents();
        QApplication::setActiveWindow(window);
        QTest::keyClick(window, Qt::Key_F1);
        EXPECT_EQ(frame.HelpWindow().CurrentPage(), page);
    }
}

TEST_F(MusicDialogsTest, TheTreeShowsThePartsAndAppendsOne) {
    tree = Open<TDlgMusTree>(CommandId::MusicParts);
    EXPECT_EQ(tree->windowTitle(), QStringLiteral("Music Parts"));
    QTreeWidget* view = tree->Tree();
    ASSERT_EQ(view->topLevelItemCount(), 1);
    EXPECT_EQ(view->topLevelItem(0)->text(0), QStringLiteral("part"));
    EXPECT_EQ(view->currentItem(), nullptr);

    view->setCurrentItem(view->topLevelItem(0));
    EXPECT_FALSE(tree->Action(TMusTreeCommand::deletePart)->isEnabled());
    EXPECT_TRUE(tree->Action(TMusTreeCommand::appendSingle)->isEnabled());
    tree->Action(TMusTreeCommand::appendSingle)->trigger();
    ASSERT_EQ(view->topLevelItemCount(), 2);
    EXPECT_EQ(view->currentItem(), view->topLevelItem(1));
    EXPECT_TRUE(tree->Action(TMusTreeCommand::deletePart)->isEnabled());

    tree->Action(TMusTreeCommand::turns)->trigger();
    ASSERT_EQ(view->topLevelItemCount(), 2);
    QTreeWidgetItem* turns = view->topLevelItem(1);
    EXPECT_EQ(turns->text(0), QStringLiteral("turns"));
    ASSERT_EQ(turns->childCount(), 2);
    EXPECT_EQ(turns->child(0)->text(0), QStringLiteral("turn 1"));

    // Pitch 18 is an octave and a half.
    view->setCurrentItem(turns->child(0));
    auto& pitch = Child<QLineEdit>(*tree, "editPitch");
    TypeInto(pitch, QStringLiteral("18"));
    EXPECT_EQ(Child<QLineEdit>(*tree, "editOctave").text(), QStringLiteral("1 1/2"));
    QTest::keyClick(&pitch, Qt::Key_Return);
    EXPECT_EQ(tree->Presenter().PitchText(), "18");
}

}  // namespace
}  // namespace kalvora::gui
