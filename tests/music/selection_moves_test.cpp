#include "music/selection_moves.h"

#include <gtest/gtest.h>

#include "music_fixture.h"

namespace kalvora {
namespace {

using test::AddNote;
using test::AddSilence;

class SelectionMovesTest : public ::testing::Test {
  protected:
    SelectionMovesTest() {
        stave = model.AddStave();
        lower = model.AddStave(stave);
    }

    TSinglePartMuz& Part() { return model.FirstPart(); }

    // Three notes sounding together at `position`, listed top to bottom.
    std::vector<TMuzNote*> Chord(TSinglePartMuz& part, double position) {
        return {AddNote(part, stave, position, 9), AddNote(part, stave, position, 7),
                AddNote(part, stave, position, 4)};
    }

    test::MusicModel model;
    TNoteStave* stave;
    TNoteStave* lower;
};

TEST_F(SelectionMovesTest, LeftFromTheFirstNoteAfterTheStartKeySelectsTheBar) {
    TMuzNote* first = AddNote(Part(), stave, 0, 0);
    AddNote(Part(), lower, 0, 0);
    EXPECT_EQ(FindSymbolLeft(*first, stave), &Part().GetMuzBar());
    // And right from the bar comes back to it.
    EXPECT_EQ(FindSymbolRight(Part().GetMuzBar(), stave), first);
}

TEST_F(SelectionMovesTest, MovesIntoAChordLandOnItsMiddleNote) {
    const std::vector<TMuzNote*> chord = Chord(Part(), 0);
    TMuzNote* after = AddNote(Part(), stave, 0.25, 2);
    AddNote(Part(), lower, 0.25, 2);  // other staves are passed over
    EXPECT_EQ(FindSymbolLeft(*after, stave), chord[1]);
    EXPECT_EQ(FindSymbolRight(Part().GetMuzBar(), stave), chord[1]);
    // From any member of the chord the rest of the chord is skipped.
    EXPECT_EQ(FindSymbolRight(*chord[0], stave), after);
    EXPECT_EQ(FindSymbolLeft(*chord[2], stave), &Part().GetMuzBar());
    // A two-note chord lands on its upper note.
    TMuzNote* top = AddNote(Part(), stave, 0.5, 6);
    AddNote(Part(), stave, 0.5, 1);
    EXPECT_EQ(FindSymbolRight(*after, stave), top);
}

TEST_F(SelectionMovesTest, TupletMembersAreStepsOfTheirOwn) {
    TMuzNote* m0 = AddNote(Part(), stave, 0, 4, TTiming{4, 0, triool, 0});
    TSilence* m1 = AddSilence(Part(), stave, 0, TTiming{4, 0, triool, 1});
    TMuzNote* m2 = AddNote(Part(), stave, 0, 2, TTiming{4, 0, triool, 2});
    EXPECT_EQ(FindSymbolRight(*m0, stave), m1);
    EXPECT_EQ(FindSymbolRight(*m1, stave), m2);
    EXPECT_EQ(FindSymbolLeft(*m2, stave), m1);
    EXPECT_EQ(FindSymbolLeft(*m1, stave), m0);
}

TEST_F(SelectionMovesTest, MovesCrossPartsAndRepeatSigns) {
    // root: concat(first part, loop(second part))
    TSinglePartMuz& first = Part();
    const std::vector<TMuzNote*> chord = Chord(first, 0);
    auto secondOwner = std::make_unique<TSinglePartMuz>(nullptr);
    TSinglePartMuz* second = secondOwner.get();
    second->AddStave(stave);
    second->AddStave(lower);
    TMuzNote* inside = AddNote(*second, stave, 0, 3);
    auto loop = std::make_unique<TLoopPartMuz>(nullptr, std::move(secondOwner), 2);
    TLoopPartMuz* loopPart = loop.get();
    std::unique_ptr<TPartMuz> firstOwner =
        ReplacePart(first, std::make_unique<TSinglePartMuz>(nullptr));
    model.root->SetPartMuz(
        std::make_unique<TConcatPartMuz>(nullptr, std::move(firstOwner), std::move(loop)));

    EXPECT_EQ(FindSymbolRight(*chord[1], stave), &loopPart->GetLeftLoopSymbol());
    EXPECT_EQ(FindSymbolRight(loopPart->GetLeftLoopSymbol(), stave), &second->GetMuzBar());
    EXPECT_EQ(FindSymbolRight(second->GetMuzBar(), stave), inside);
    EXPECT_EQ(FindSymbolRight(*inside, stave), &loopPart->GetRightLoopSymbol());
    EXPECT_EQ(FindSymbolRight(loopPart->GetRightLoopSymbol(), stave), nullptr);

    EXPECT_EQ(FindSymbolLeft(loopPart->GetRightLoopSymbol(), stave), inside);
    EXPECT_EQ(FindSymbolLeft(*inside, stave), &second->GetMuzBar());
    EXPECT_EQ(FindSymbolLeft(second->GetMuzBar(), stave), &loopPart->GetLeftLoopSymbol());
    EXPECT_EQ(FindSymbolLeft(loopPart->GetLeftLoopSymbol(), stave), chord[1]);
    EXPECT_EQ(FindSymbolLeft(first.GetMuzBar(), stave), nullptr);

    EXPECT_EQ(FirstSymbolOfStave(*model.root, stave), first.StartKeyOfStave(stave));
    EXPECT_EQ(LastSymbolOfStave(*model.root, stave), &loopPart->GetRightLoopSymbol());
    // Between staves, a repeat sign stands at the end of its loop's last part.
    TMuzNote* lowerEnd = AddNote(*second, lower, 0.5, 0);
    EXPECT_EQ(SymbolOnStave(loopPart->GetRightLoopSymbol(), lower), lowerEnd);
    EXPECT_EQ(SymbolOnStave(loopPart->GetLeftLoopSymbol(), lower), second->StartKeyOfStave(lower));
}

TEST_F(SelectionMovesTest, UpAndDownStayInTheChord) {
    const std::vector<TMuzNote*> chord = Chord(Part(), 0.25);
    TMuzNote* next = AddNote(Part(), stave, 0.5, 8);
    EXPECT_EQ(ChordNoteAbove(*chord[1]), chord[0]);
    EXPECT_EQ(ChordNoteBelow(*chord[1]), chord[2]);
    EXPECT_EQ(ChordNoteAbove(*chord[0]), nullptr);
    EXPECT_EQ(ChordNoteBelow(*chord[2]), nullptr);
    EXPECT_EQ(ChordNoteAbove(*next), nullptr);
}

TEST_F(SelectionMovesTest, TheStaveBelowOffersItsNearestSymbol) {
    TMuzNote* from = AddNote(Part(), stave, 0.5, 0);
    AddNote(Part(), lower, 0.25, 0);
    TMuzNote* early = AddNote(Part(), lower, 0.375, 0);
    AddNote(Part(), lower, 0.625, 0);  // as near as `early`: the earlier wins
    EXPECT_EQ(SymbolOnStave(*from, lower), early);
    // From the bar, the start of the part counts.
    EXPECT_EQ(SymbolOnStave(Part().GetMuzBar(), lower), Part().StartKeyOfStave(lower));
}

TEST_F(SelectionMovesTest, ANoteChangesGroupButNotTimeOrPitch) {
    stave->InsertGroup(stave->GetStartNoteGroup(), NewDefaultNoteGroup(stave, nullptr));
    TNoteGroup* first = stave->GetStartNoteGroup();
    TNoteGroup* second = first->Next;
    TMuzNote* note = AddNote(Part(), stave, 0.25, 3, TTiming{8}, first);
    EXPECT_EQ(PrevNoteGroup(*note), nullptr);
    ASSERT_EQ(NextNoteGroup(*note), second);
    MoveNoteToGroup(*note, *second);
    EXPECT_EQ(note->NoteGroup, second);
    EXPECT_EQ(stave->SelectedNoteGroup, second);
    EXPECT_EQ(note->Pitch, 3);
    EXPECT_DOUBLE_EQ(note->Position, 0.25);
    EXPECT_EQ(NextNoteGroup(*note), nullptr);
    EXPECT_EQ(PrevNoteGroup(*note), first);
}

}  // namespace
}  // namespace kalvora
