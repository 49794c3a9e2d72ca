#include "shell/music_tree_presenter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "music/music_document_fakes.h"
#include "music/music_fixture.h"
#include "music/part_tree.h"
#include "platform/recording_message_sink.h"
#include "shell/music_command_states.h"
#include "shell/octave_text.h"

namespace kalvora {
namespace {

using C = TMusTreeCommand;
using test::AddNote;
using test::MusicDocument;

// The node texts as an outline: children in brackets.
std::string Outline(const std::vector<TMusTreeNode>& nodes) {
    std::string text;
    for (const TMusTreeNode& node : nodes) {
        if (!text.empty()) text += ", ";
        text += node.text;
        if (!node.children.empty()) text += " [" + Outline(node.children) + "]";
    }
    return text;
}

class RecordingPlayback : public TMusicPlayback {
  public:
    bool PlayStave(TUnitMuz&, const TNoteStave&) override { return true; }
    bool PlayNoteGroup(TUnitMuz&, const TNoteGroup&) override { return true; }
    bool PlaySubtree(TUnitMuz&, TPartMuz& part) override {
        played.push_back(&part);
        return true;
    }
    std::vector<TPartMuz*> played;
};

class MusicTreePresenterTest : public ::testing::Test {
  protected:
    MusicTreePresenterTest() {
        presenter.Bind(&doc.unit);
        presenter.SelectNode(&doc.Part());
        doc.unit.MarkSaved();
    }

    TUnitMuz& Unit() { return doc.unit; }
    std::string Tree() const { return Outline(presenter.BuildNodes()); }
    TMusTreeItem* Selected() const { return presenter.Selected(); }
    TPartMuz* SelectedPart() const { return static_cast<TPartMuz*>(presenter.Selected()); }

    // Runs a command on `item`, checking that the tree stays whole.
    void Run(TMusTreeItem* item, TMusTreeCommand command) {
        presenter.SelectNode(item);
        ASSERT_TRUE(presenter.Run(command));
        ASSERT_TRUE(CheckParentLinks(Unit().Root()));
    }

    // Types text into a field and leaves it.
    TFieldCommit Enter(TMusTreeCommand field, const std::string& text) {
        presenter.Typed();
        return presenter.LeaveField(field, text);
    }

    std::vector<TMusTreeCommand> EnabledCommands() const {
        std::vector<TMusTreeCommand> enabled;
        for (int i = 0; i < kMusTreeCommandCount; ++i) {
            if (presenter.Enabled(static_cast<C>(i))) enabled.push_back(static_cast<C>(i));
        }
        return enabled;
    }

    platform::RecordingMessageSink messages;
    MusicDocument doc;
    RecordingPlayback playback;
    TMusicTreePresenter presenter{&playback};
};

TEST_F(MusicTreePresenterTest, OnePartOffersOnlyAddingAndGoingTo) {
    EXPECT_EQ(Tree(), "part");
    EXPECT_EQ(EnabledCommands(),
              (std::vector<C>{C::insertSingle, C::appendSingle, C::repeat, C::turns, C::begin,
                              C::end, C::playDraw, C::play, C::apply}));
    EXPECT_EQ(presenter.PlayDrawState(), TPlayDrawState::checked);
    EXPECT_EQ(presenter.CountText(), "");
}

TEST_F(MusicTreePresenterTest, NothingSelectedOffersNothing) {
    Unit().References().SelectedPart = nullptr;
    EXPECT_TRUE(EnabledCommands().empty());
    EXPECT_EQ(presenter.PlayDrawState(), TPlayDrawState::unchecked);
    presenter.Bind(nullptr);
    EXPECT_TRUE(presenter.BuildNodes().empty());
    EXPECT_TRUE(EnabledCommands().empty());
}

TEST_F(MusicTreePresenterTest, AppendAndInsertMakeSiblingsAndSelectTheNewPart) {
    TPartMuz* first = &doc.Part();
    Run(first, C::appendSingle);
    EXPECT_EQ(Tree(), "part, part");
    TPartMuz* appended = SelectedPart();
    EXPECT_NE(appended, first);
    EXPECT_EQ(PrevSiblingPart(*appended), first);
    EXPECT_TRUE(Unit().NeedsSave());
    EXPECT_GT(doc.window.redraws, 0);
    // The new part has a 4/4 bar and a start key for every stave.
    auto* single = static_cast<TSinglePartMuz*>(appended);
    EXPECT_EQ(single->GetMuzBar().CountNotes, 4);
    EXPECT_NE(single->StartKeyOfStave(doc.Stave()), nullptr);

    Run(first, C::insertSingle);
    EXPECT_EQ(Tree(), "part, part, part");
    EXPECT_EQ(NextSiblingPart(*SelectedPart()), first);
    // Now the parts can move and be deleted.
    presenter.SelectNode(first);
    EXPECT_TRUE(presenter.Enabled(C::forward));
    EXPECT_TRUE(presenter.Enabled(C::backward));
    EXPECT_TRUE(presenter.Enabled(C::deletePart));
    EXPECT_FALSE(presenter.Enabled(C::forwardInto));
    EXPECT_FALSE(presenter.Enabled(C::forwardOut));
}

TEST_F(MusicTreePresenterTest, ARepeatWrapsThePartAndDeletingItBringsThePartBack) {
    TPartMuz* part = &doc.Part();
    Run(part, C::repeat);
    EXPECT_EQ(Tree(), "repeat 2 [part]");
    EXPECT_EQ(presenter.CountText(), "2");
    EXPECT_TRUE(presenter.Enabled(C::count));
    EXPECT_TRUE(presenter.Enabled(C::deletePart));
    EXPECT_TRUE(presenter.Enabled(C::expand));
    EXPECT_FALSE(presenter.ConfirmationFor(C::deletePart).has_value());

    Run(Selected(), C::deletePart);
    EXPECT_EQ(Tree(), "part");
    EXPECT_EQ(Selected(), part);
}

TEST_F(MusicTreePresenterTest, TurnsShowTheirItemsSortedByCountBeforeTheContent) {
    Run(&doc.Part(), C::turns);
    EXPECT_EQ(Tree(), "turns [turn 1, part]");
    auto* select = static_cast<TSelectPartMuz*>(SelectedPart());
    Run(select, C::turn);
    EXPECT_EQ(Tree(), "turns [turn 1, turn 2, part]");
    // Turn 1 becomes turn 3: the nodes follow the counts, not the list.
    presenter.SelectNode(select->FirstTurnItem());
    EXPECT_EQ(EnabledCommands(), (std::vector<C>{C::deletePart, C::count, C::pitch, C::apply}));
    EXPECT_EQ(Enter(C::count, "3").outcome, TFieldOutcome::applied);
    EXPECT_EQ(Tree(), "turns [turn 2, turn 3, part]");
    // "Turn" adds one above the largest count.
    Run(select, C::turn);
    EXPECT_EQ(Tree(), "turns [turn 2, turn 3, turn 4, part]");
    // Deleting a turn item selects its select part.
    Run(select->LookUpTurn(3), C::deletePart);
    EXPECT_EQ(Tree(), "turns [turn 2, turn 4, part]");
    EXPECT_EQ(Selected(), select);
}

TEST_F(MusicTreePresenterTest, ADuplicateTurnCountIsRefusedAndPinsItsNode) {
    Run(&doc.Part(), C::turns);
    auto* select = static_cast<TSelectPartMuz*>(SelectedPart());
    Run(select, C::turn);
    TCountSelectPartItem* second = select->LookUpTurn(2);
    presenter.SelectNode(second);
    Unit().MarkSaved();

    const TFieldCommit commit = Enter(C::count, "1");
    EXPECT_TRUE(commit.KeepsFocus());
    EXPECT_EQ(commit.text, "2");
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(messages.Messages()[0].text, "In Count: 1 already exist");
    EXPECT_EQ(messages.Messages()[0].caption, "Input Error");
    EXPECT_EQ(second->GetCount(), 2);
    EXPECT_FALSE(Unit().NeedsSave());

    // The tree keeps the node until a valid count is entered; the field counts as changed.
    EXPECT_TRUE(presenter.CountRefused());
    EXPECT_EQ(presenter.SelectNode(select), second);
    EXPECT_EQ(presenter.LeaveField(C::count, "5").outcome, TFieldOutcome::applied);
    EXPECT_FALSE(presenter.CountRefused());
    EXPECT_EQ(second->GetCount(), 5);
    EXPECT_EQ(presenter.SelectNode(select), select);
}

TEST_F(MusicTreePresenterTest, CountAndPitchRefuseWhatTheirValuesCannotHold) {
    Run(&doc.Part(), C::repeat);
    auto* loop = static_cast<TLoopPartMuz*>(SelectedPart());
    EXPECT_EQ(Enter(C::count, "0").outcome, TFieldOutcome::refused);
    EXPECT_EQ(Enter(C::count, "1001").outcome, TFieldOutcome::refused);
    EXPECT_EQ(loop->GetCount(), 2);
    EXPECT_EQ(Enter(C::count, "1000").outcome, TFieldOutcome::applied);
    EXPECT_EQ(loop->GetCount(), 1000);
    // A repeat inside it would play its part too often.
    presenter.SelectNode(loop->GetLoopPart());
    EXPECT_FALSE(presenter.Enabled(C::repeat));

    Run(loop->GetLoopPart(), C::turns);
    auto* select = static_cast<TSelectPartMuz*>(SelectedPart());
    presenter.SelectNode(select->FirstTurnItem());
    EXPECT_EQ(Enter(C::pitch, "97").outcome, TFieldOutcome::refused);
    EXPECT_EQ(Enter(C::pitch, "x").outcome, TFieldOutcome::refused);
    EXPECT_EQ(Enter(C::pitch, "-96").outcome, TFieldOutcome::applied);
    EXPECT_EQ(select->FirstTurnItem()->GetPitch(), -96);
    EXPECT_EQ(presenter.PitchText(), "-96");

    std::vector<std::string> texts;
    for (const auto& message : messages.Messages())
        texts.push_back(message.text);
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_EQ(texts[0], "In Count: Value must be positive and more than 0.");
    EXPECT_EQ(texts[1], "In Count: Loops can repeat a part at most 1000 times.");
    EXPECT_EQ(texts[2], "In Pitch: The value must lie between -96 and 96.");
    EXPECT_EQ(texts[3].rfind("In Pitch: ", 0), 0u) << texts[3];
}

TEST_F(MusicTreePresenterTest, NothingIsCommittedWithoutTypingOrWhileRefreshing) {
    Run(&doc.Part(), C::repeat);
    EXPECT_EQ(presenter.LeaveField(C::count, "7").outcome, TFieldOutcome::unchanged);
    presenter.BeginUpdate();
    presenter.Typed();
    presenter.EndUpdate();
    EXPECT_EQ(presenter.LeaveField(C::count, "7").outcome, TFieldOutcome::unchanged);
    EXPECT_EQ(static_cast<TLoopPartMuz*>(SelectedPart())->GetCount(), 2);
}

// [a, repeat [b]] and the moves into, out of and along it.
TEST_F(MusicTreePresenterTest, PartsMoveIntoOutOfAndAlongTheirNeighbours) {
    TPartMuz* a = &doc.Part();
    a->SetLabel("a");
    Run(a, C::appendSingle);
    TPartMuz* b = SelectedPart();
    b->SetLabel("b");
    Run(b, C::repeat);
    TPartMuz* loop = SelectedPart();
    EXPECT_EQ(Tree(), "a, repeat 2 [b]");

    presenter.SelectNode(a);
    EXPECT_TRUE(presenter.Enabled(C::forwardInto));
    EXPECT_FALSE(presenter.Enabled(C::backwardInto));
    Run(a, C::forwardInto);
    EXPECT_EQ(Tree(), "repeat 2 [a, b]");
    EXPECT_EQ(Selected(), a);
    EXPECT_TRUE(presenter.Enabled(C::forwardOut));
    EXPECT_TRUE(presenter.Enabled(C::backwardOut));

    Run(a, C::backwardOut);
    EXPECT_EQ(Tree(), "a, repeat 2 [b]");
    Run(a, C::forwardInto);
    Run(a, C::forwardOut);
    EXPECT_EQ(Tree(), "repeat 2 [b], a");
    presenter.SelectNode(a);
    EXPECT_TRUE(presenter.Enabled(C::backwardInto));
    Run(a, C::backwardInto);
    EXPECT_EQ(Tree(), "repeat 2 [b, a]");
    Run(a, C::backward);
    EXPECT_EQ(Tree(), "repeat 2 [a, b]");
    Run(a, C::forward);
    EXPECT_EQ(Tree(), "repeat 2 [b, a]");
    // The only part inside a repeat cannot leave it; a top-level part has nothing to leave.
    Run(a, C::forwardOut);
    presenter.SelectNode(b);
    EXPECT_FALSE(presenter.Enabled(C::forwardOut));
    EXPECT_FALSE(presenter.Enabled(C::deletePart));
    presenter.SelectNode(loop);
    EXPECT_FALSE(presenter.Enabled(C::forwardOut));
    EXPECT_TRUE(presenter.Enabled(C::forward));
}

TEST_F(MusicTreePresenterTest, PlayAndDrawIsGrayedBelowASwitchedOffAncestor) {
    TPartMuz* part = &doc.Part();
    Run(part, C::repeat);
    TPartMuz* loop = SelectedPart();
    presenter.TogglePlayDraw();
    EXPECT_EQ(presenter.PlayDrawState(), TPlayDrawState::unchecked);
    presenter.SelectNode(part);
    EXPECT_EQ(presenter.PlayDrawState(), TPlayDrawState::grayed);
    presenter.TogglePlayDraw();
    EXPECT_EQ(presenter.PlayDrawState(), TPlayDrawState::unchecked);
    presenter.TogglePlayDraw();
    EXPECT_EQ(presenter.PlayDrawState(), TPlayDrawState::grayed);
    presenter.SelectNode(loop);
    presenter.TogglePlayDraw();
    presenter.SelectNode(part);
    EXPECT_EQ(presenter.PlayDrawState(), TPlayDrawState::checked);
}

TEST_F(MusicTreePresenterTest, DeletingASinglePartAsksAndForgetsItsSelectedSymbol) {
    TPartMuz* first = &doc.Part();
    Run(first, C::appendSingle);
    auto* second = static_cast<TSinglePartMuz*>(SelectedPart());
    TMuzNote* note = AddNote(*second, doc.Stave(), 0, 5);
    doc.Select(note);

    const auto question = presenter.ConfirmationFor(C::deletePart);
    ASSERT_TRUE(question.has_value());
    EXPECT_EQ(question->text, "Do you want to delete a part of music?");
    EXPECT_EQ(question->caption, "A Single Part containing music is selected");

    Run(second, C::deletePart);
    EXPECT_EQ(Tree(), "part");
    EXPECT_EQ(Selected(), nullptr);
    EXPECT_EQ(Unit().SelectedSymbol(), nullptr);
    // The idle update reads the selection: nothing freed may be left in it.
    MusicCommandStates(Unit());
}

TEST_F(MusicTreePresenterTest, DeletingARepeatForgetsItsSelectedRepeatSign) {
    TPartMuz* part = &doc.Part();
    Run(part, C::appendSingle);
    Run(part, C::repeat);
    auto* loop = static_cast<TLoopPartMuz*>(SelectedPart());
    doc.Select(&loop->GetRightLoopSymbol());
    Run(loop, C::deletePart);
    EXPECT_EQ(Unit().SelectedSymbol(), nullptr);
    EXPECT_EQ(Selected(), part);
    MusicCommandStates(Unit());
}

TEST_F(MusicTreePresenterTest, BeginAndEndSelectTheStavesFirstAndLastSymbolOfTheSubtree) {
    TSinglePartMuz& part = doc.Part();
    AddNote(part, doc.Stave(), 0, 5);
    TMuzNote* last = AddNote(part, doc.Stave(), 0.25, 3);
    doc.Select(last);
    Run(&part, C::begin);
    EXPECT_EQ(Unit().SelectedSymbol(), part.StartKeyOfStave(doc.Stave()));
    Run(&part, C::end);
    EXPECT_EQ(Unit().SelectedSymbol(), last);
    Run(&part, C::repeat);
    Run(Selected(), C::begin);
    EXPECT_EQ(Unit().SelectedSymbol(),
              &static_cast<TLoopPartMuz*>(SelectedPart())->GetLeftLoopSymbol());
    // Without a stave of the selection there is nowhere to go.
    Unit().UnitMuzMode = unitMuzDel;
    SetSelectedSymbol(Unit().References(), nullptr);
    Unit().References().SelectedInStave = nullptr;
    EXPECT_FALSE(presenter.Enabled(C::begin));
}

TEST_F(MusicTreePresenterTest, SelectingExpandingAndLabellingMarkTheDocumentChanged) {
    Run(&doc.Part(), C::repeat);
    auto* loop = static_cast<TLoopPartMuz*>(SelectedPart());
    Unit().MarkSaved();
    const int redraws = doc.window.redraws;
    presenter.SetExpanded(loop, false);
    EXPECT_EQ(loop->Expanded, 0);
    EXPECT_TRUE(Unit().NeedsSave());
    EXPECT_EQ(doc.window.redraws, redraws);
    EXPECT_FALSE(presenter.BuildNodes()[0].expanded);

    Unit().MarkSaved();
    presenter.SelectNode(loop->GetLoopPart());
    EXPECT_TRUE(Unit().NeedsSave());
    EXPECT_EQ(Unit().References().SelectedPart, loop->GetLoopPart());

    Unit().MarkSaved();
    presenter.SetLabel(loop, "chorus");
    EXPECT_EQ(Tree(), "chorus [part]");
    presenter.SetLabel(loop, "");
    EXPECT_EQ(Tree(), "repeat 2 [part]");
    EXPECT_TRUE(Unit().NeedsSave());
}

TEST_F(MusicTreePresenterTest, PlaySubtreePlaysTheSelectedPart) {
    Run(&doc.Part(), C::repeat);
    Run(Selected(), C::play);
    EXPECT_EQ(playback.played, (std::vector<TPartMuz*>{SelectedPart()}));
    TMusicTreePresenter silent;
    silent.Bind(&Unit());
    EXPECT_FALSE(silent.Enabled(C::play));
}

TEST(OctaveTextTest, SemitonesAreShownAsOctavesInLowestTerms) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"7", "7/12"}, {"18", "1 1/2"}, {"-19", "-1 7/12"}, {"-6", "-1/2"},
        {"24", "2"},   {"0", "0"},      {"-24", "-2"},      {"4", "1/3"},
        {"", ""},      {"x", ""},       {"-12", "-1"},      {"2147483647", "178956970 7/12"},
    };
    for (const auto& [pitch, octave] : cases)
        EXPECT_EQ(OctaveText(pitch), octave) << pitch;
}

}  // namespace
}  // namespace kalvora
