#include "shell/music_dialog_presenter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "music/music_document_fakes.h"
#include "music/music_fixture.h"
#include "platform/recording_message_sink.h"
#include "shell/music_command_states.h"

namespace kalvora {
namespace {

using B = TListButton;
using F = TMusicField;
using L = TMusicListLevel;
using test::AddNote;
using test::MusicDocument;

class RecordingPlayback : public TMusicPlayback {
  public:
    bool PlayStave(TUnitMuz&, const TNoteStave& stave) override {
        staves.push_back(&stave);
        return true;
    }
    bool PlayNoteGroup(TUnitMuz&, const TNoteGroup& group) override {
        groups.push_back(&group);
        return true;
    }
    bool PlaySubtree(TUnitMuz&, TPartMuz&) override { return true; }
    std::vector<const TNoteStave*> staves;
    std::vector<const TNoteGroup*> groups;
};

class MusicDialogPresenterTest : public ::testing::Test {
  protected:
    MusicDialogPresenterTest() {
        presenter.Bind(&doc.unit);
        doc.unit.MarkSaved();
    }

    TUnitMuz& Unit() { return doc.unit; }
    TMusicDialogView View() const { return presenter.Describe(); }

    // The enabled buttons of a level, in button order.
    std::vector<B> EnabledButtons(L level) const {
        std::vector<B> enabled;
        const TListLevelView view = View().Level(level);
        for (int i = 0; i < kListButtonCount; ++i) {
            if (view.Enabled(static_cast<B>(i))) enabled.push_back(static_cast<B>(i));
        }
        return enabled;
    }

    TFieldCommit Enter(F field, const std::string& text) {
        presenter.Typed();
        return presenter.LeaveField(field, text);
    }

    void Press(L level, B button) { ASSERT_TRUE(presenter.Press(level, button)); }

    platform::RecordingMessageSink messages;
    MusicDocument doc;
    RecordingPlayback playback;
    TMusicDialogPresenter presenter{&playback};
};

TEST_F(MusicDialogPresenterTest, OneOfEachOffersOnlyInsertAndAppend) {
    const TMusicDialogView view = View();
    for (L level : {L::stave, L::group, L::player}) {
        EXPECT_EQ(view.Level(level).count, "1");
        EXPECT_EQ(view.Level(level).cursor, "1");
        EXPECT_EQ(EnabledButtons(level), (std::vector<B>{B::insert, B::append}));
    }
    EXPECT_EQ(view.Text(F::tempo), "1 s");
    EXPECT_EQ(view.Text(F::roomUp), "80");
    EXPECT_EQ(view.page, notePlayerSimpleSampler);
    EXPECT_EQ(view.Text(F::simpleSampleWave), "sample");
    EXPECT_TRUE(view.Enabled(F::simpleBasicFreq));
    EXPECT_FALSE(view.Enabled(F::resonantFactor));
    EXPECT_EQ(view.Text(F::resonantFactor), "");
    EXPECT_TRUE(view.sticksUp);
    EXPECT_FALSE(view.sticksDown);
    EXPECT_TRUE(view.enableSound);
    EXPECT_TRUE(view.allowJoinFlags);
}

TEST_F(MusicDialogPresenterTest, WithoutADocumentEverythingIsEmptyAndDisabled) {
    presenter.Bind(nullptr);
    const TMusicDialogView view = View();
    EXPECT_FALSE(view.hasDocument);
    for (int i = 0; i < kMusicFieldCount; ++i) {
        EXPECT_FALSE(view.fieldEnabled[i]);
        EXPECT_EQ(view.texts[i], "");
    }
    for (L level : {L::stave, L::group, L::player}) {
        EXPECT_TRUE(EnabledButtons(level).empty());
        EXPECT_EQ(view.Level(level).count, "");
    }
    EXPECT_FALSE(view.staveEnabled || view.groupEnabled || view.playerEnabled);
    EXPECT_FALSE(view.playStaveEnabled || view.playGroupEnabled);
    EXPECT_EQ(view.page, -1);
    EXPECT_FALSE(presenter.Press(L::stave, B::append));
}

TEST_F(MusicDialogPresenterTest, StavesAreAddedMovedAndWalked) {
    TNoteStave* first = doc.Stave();
    Press(L::stave, B::append);
    TNoteStave* second = presenter.CurrentStave();
    EXPECT_EQ(first->Next, second);
    EXPECT_TRUE(Unit().NeedsSave());
    EXPECT_GT(doc.window.redraws, 0);
    // The new stave has its start key in the part.
    EXPECT_NE(doc.Part().StartKeyOfStave(second), nullptr);
    Press(L::stave, B::insert);
    TNoteStave* middle = presenter.CurrentStave();
    EXPECT_EQ(Unit().Staves().IndexOf(middle), 1);
    EXPECT_EQ(View().Level(L::stave).cursor, "2");
    EXPECT_EQ(EnabledButtons(L::stave),
              (std::vector<B>{B::first, B::previous, B::next, B::last, B::insert, B::append,
                              B::remove, B::movePrevious, B::moveNext}));

    Unit().MarkSaved();
    Press(L::stave, B::first);
    EXPECT_EQ(presenter.CurrentStave(), first);
    EXPECT_FALSE(Unit().NeedsSave());
    Press(L::stave, B::last);
    EXPECT_EQ(presenter.CurrentStave(), second);
    Press(L::stave, B::previous);
    EXPECT_EQ(presenter.CurrentStave(), middle);
    Press(L::stave, B::moveNext);
    EXPECT_EQ(Unit().Staves().LastStave(), middle);
    EXPECT_EQ(presenter.CurrentStave(), middle);
    EXPECT_TRUE(Unit().NeedsSave());
    EXPECT_FALSE(presenter.Press(L::stave, B::next));
}

TEST_F(MusicDialogPresenterTest, DeletingTheStaveHoldingTheSelectionForgetsIt) {
    Press(L::stave, B::append);
    TNoteStave* second = presenter.CurrentStave();
    TMuzNote* note = AddNote(doc.Part(), second, 0, 5);
    doc.Select(note);
    Press(L::stave, B::remove);
    // The last stave went: the one before it is current.
    EXPECT_EQ(presenter.CurrentStave(), doc.Stave());
    EXPECT_EQ(Unit().Staves().Count(), 1);
    EXPECT_EQ(Unit().SelectedSymbol(), nullptr);
    MusicCommandStates(Unit());
}

TEST_F(MusicDialogPresenterTest, AppendingAGroupKeepsTheGroupThatReceivesNotes) {
    TNoteStave* stave = doc.Stave();
    TNoteGroup* a = presenter.CurrentGroup();
    Press(L::group, B::append);
    TNoteGroup* b = presenter.CurrentGroup();
    Press(L::group, B::append);
    Press(L::group, B::previous);
    EXPECT_EQ(presenter.CurrentGroup(), b);
    Press(L::group, B::append);
    TNoteGroup* added = presenter.CurrentGroup();
    EXPECT_EQ(b->Next, added);
    EXPECT_EQ(View().Level(L::group).cursor, "3");
    EXPECT_EQ(View().Level(L::group).count, "4");
    EXPECT_EQ(stave->SelectedNoteGroup, a);
    // The new group: black, normal heads, stems up, one simple sampler shown in kHz and %.
    EXPECT_EQ(added->NoteColor, 0u);
    EXPECT_EQ(added->DrawStickKind, drawStickUp);
    EXPECT_EQ(View().Text(F::simpleBasicFreq), "1 kHz");
    EXPECT_EQ(View().Text(F::volumeFactor), "50 %");
}

TEST_F(MusicDialogPresenterTest, MovingAGroupOrChoosingAPageMarksTheDocumentChanged) {
    Press(L::group, B::append);
    Unit().MarkSaved();
    Press(L::group, B::first);
    EXPECT_FALSE(Unit().NeedsSave());
    Press(L::group, B::moveNext);
    EXPECT_EQ(View().Level(L::group).cursor, "2");
    EXPECT_TRUE(Unit().NeedsSave());

    Unit().MarkSaved();
    presenter.ChoosePlayerPage(notePlayerResonantSampler);
    EXPECT_TRUE(Unit().NeedsSave());
    const TMusicDialogView view = View();
    EXPECT_EQ(view.page, notePlayerResonantSampler);
    EXPECT_TRUE(view.Enabled(F::resonantFactor));
    EXPECT_FALSE(view.Enabled(F::simpleBasicFreq));
}

TEST_F(MusicDialogPresenterTest, DeletingTheLastOfThreePlayersMakesTheSecondCurrent) {
    Press(L::player, B::append);
    TOnePlayer* second = presenter.CurrentPlayer();
    Press(L::player, B::append);
    EXPECT_EQ(View().Level(L::player).cursor, "3");
    Press(L::player, B::remove);
    EXPECT_EQ(presenter.CurrentPlayer(), second);
    EXPECT_EQ(View().Level(L::player).count, "2");
    EXPECT_EQ(View().Level(L::player).cursor, "2");
    Press(L::player, B::movePrevious);
    EXPECT_EQ(View().Level(L::player).cursor, "1");
    EXPECT_EQ(presenter.CurrentGroup()->CompoundPlayer->GetStartOnePlayer(), second);
}

TEST_F(MusicDialogPresenterTest, FieldsRefuseBadValuesAndKeepTheOldOnes) {
    struct Case {
        F field;
        std::string text;
        std::string message;
    };
    presenter.ChoosePlayerPage(notePlayerResonantSampler);
    Unit().MarkSaved();
    const std::vector<Case> cases = {
        {F::roomUp, "20", "In Room Up: Value must be more or equal of 30."},
        {F::roomDown, "10001", "In Room Down: The room must lie between 30 and 10000."},
        {F::tempo, "0 s", "In Tempo: Value must be positive and more than 0."},
        {F::tempo, "3601 s", "In Tempo: A whole note can last at most 3600 seconds."},
        {F::resonantFactor, "0", "In Resonant Factor: Value must be positive and more than 0."},
        {F::resonantFactor, "2", "In Resonant Factor: Value must be no more than 1."},
        {F::resonantSampleWave, "  ", "In Sample Wave: Field should not be empty."},
    };
    const TMusicDialogView before = View();
    for (const Case& c : cases) {
        messages.Clear();
        const TFieldCommit commit = Enter(c.field, c.text);
        EXPECT_TRUE(commit.KeepsFocus()) << c.text;
        ASSERT_EQ(messages.Messages().size(), 1u) << c.text;
        EXPECT_EQ(messages.Messages()[0].text, c.message);
        EXPECT_EQ(messages.Messages()[0].caption, "Input Error");
        EXPECT_EQ(View().Text(c.field), before.Text(c.field));
    }
    EXPECT_FALSE(Unit().NeedsSave());
}

TEST_F(MusicDialogPresenterTest, FieldsCommitOnceWhenTypedAndLeft) {
    EXPECT_EQ(Enter(F::roomUp, "40").outcome, TFieldOutcome::applied);
    EXPECT_EQ(doc.Stave()->RoomUp.GetValue(), 40);
    EXPECT_TRUE(Unit().NeedsSave());
    EXPECT_EQ(Enter(F::tempo, "0.5 s").outcome, TFieldOutcome::applied);
    EXPECT_DOUBLE_EQ(Unit().Tempo.GetValue(), 0.5);
    EXPECT_EQ(Enter(F::simpleSampleWave, " piano ").outcome, TFieldOutcome::applied);
    EXPECT_EQ(View().Text(F::simpleSampleWave), "piano");
    EXPECT_EQ(Enter(F::volumeFactor, "25%").outcome, TFieldOutcome::applied);
    EXPECT_DOUBLE_EQ(presenter.CurrentPlayer()->OnePlayerProps.VolumeFactor.GetValue(), 0.25);
    // Leaving again without typing, or typing while refreshing, commits nothing.
    EXPECT_EQ(presenter.LeaveField(F::roomUp, "99").outcome, TFieldOutcome::unchanged);
    presenter.BeginUpdate();
    presenter.Typed();
    presenter.EndUpdate();
    EXPECT_EQ(presenter.LeaveField(F::roomUp, "99").outcome, TFieldOutcome::unchanged);
    EXPECT_EQ(doc.Stave()->RoomUp.GetValue(), 40);
}

TEST_F(MusicDialogPresenterTest, StemBoxesExcludeEachOther) {
    TNoteGroup* group = presenter.CurrentGroup();
    presenter.SetStickBox(TStickBox::down, true);
    EXPECT_EQ(group->DrawStickKind, drawStickDown);
    EXPECT_FALSE(View().sticksUp);
    presenter.SetStickBox(TStickBox::up, true);
    EXPECT_EQ(group->DrawStickKind, drawStickUp);
    EXPECT_FALSE(View().sticksDown);
    presenter.SetStickBox(TStickBox::up, false);
    EXPECT_EQ(group->DrawStickKind, drawStickAuto);
    EXPECT_TRUE(Unit().NeedsSave());
}

TEST_F(MusicDialogPresenterTest, ImmediateFieldsApplyUnlessRefreshing) {
    TNoteStave* stave = doc.Stave();
    presenter.BeginUpdate();
    presenter.SetEnableSound(false);
    presenter.EndUpdate();
    EXPECT_EQ(stave->Mute, 0);
    EXPECT_FALSE(Unit().NeedsSave());
    presenter.SetEnableSound(false);
    presenter.SetAllowJoinFlags(false);
    presenter.SetExtraLines(true);
    presenter.SetForeground(0x0000FF);
    presenter.SetBackground(0x00FF00);
    presenter.SetNoteShape(NoteShapeRectangle);
    presenter.SetNoteColor(0xFF0000);
    EXPECT_EQ(stave->Mute, 1);
    EXPECT_EQ(stave->DrawFlagKind, drawFlagNoJoin);
    EXPECT_EQ(stave->ExtraLines, 1);
    EXPECT_EQ(stave->ForegroundColor, 0x0000FFu);
    EXPECT_EQ(stave->BackgroundColor, 0x00FF00u);
    EXPECT_EQ(presenter.CurrentGroup()->NoteShape, NoteShapeRectangle);
    EXPECT_EQ(presenter.CurrentGroup()->NoteColor, 0xFF0000u);
    EXPECT_TRUE(Unit().NeedsSave());
}

TEST_F(MusicDialogPresenterTest, PlayButtonsPlayTheCurrentStaveAndGroup) {
    EXPECT_TRUE(View().playStaveEnabled);
    EXPECT_TRUE(presenter.PlayStave());
    EXPECT_TRUE(presenter.PlayNoteGroup());
    EXPECT_EQ(playback.staves, (std::vector<const TNoteStave*>{doc.Stave()}));
    EXPECT_EQ(playback.groups, (std::vector<const TNoteGroup*>{presenter.CurrentGroup()}));
    TMusicDialogPresenter silent;
    silent.Bind(&Unit());
    EXPECT_FALSE(silent.Describe().playStaveEnabled);
    EXPECT_FALSE(silent.PlayStave());
}

}  // namespace
}  // namespace kalvora
