#include <gtest/gtest.h>

#include "music/selection_moves.h"
#include "music_fixture.h"

namespace kalvora {
namespace {

using test::AddNote;
using test::SymbolsOf;

TEST(StaveTest, ANewStaveHasItsDefaultsAndItsDefaultInstrument) {
    test::MusicModel model;
    TNoteStave* stave = model.AddStave();
    EXPECT_EQ(stave->RoomUp.GetValue(), 80);
    EXPECT_EQ(stave->RoomDown.GetValue(), 80);
    EXPECT_EQ(stave->RoomUp.Minimum, 30);
    EXPECT_EQ(stave->ForegroundColor, 0x000000u);
    EXPECT_EQ(stave->BackgroundColor, 0xFFFFFFu);
    EXPECT_EQ(stave->DrawFlagKind, AllowJoinFlags);
    EXPECT_EQ(stave->Mute, 0);
    EXPECT_EQ(stave->ExtraLines, 0);
    EXPECT_EQ(model.references.DialogStave, stave);

    TNoteGroup* group = stave->GetStartNoteGroup();
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->Next, nullptr);
    EXPECT_EQ(stave->SelectedNoteGroup, group);
    EXPECT_EQ(stave->DialogNoteGroup, group);
    EXPECT_EQ(group->NoteStave, stave);
    EXPECT_EQ(group->NoteColor, 0x000000u);
    EXPECT_EQ(group->NoteShape, NoteShapeNormal);
    EXPECT_EQ(group->DrawStickKind, drawStickUp);

    const TCompoundPlayer& compound = group->GetCompoundPlayer();
    ASSERT_EQ(compound.CountOnePlayers(), 1);
    const TOnePlayer* player = compound.GetStartOnePlayer();
    EXPECT_EQ(compound.GetDialogOnePlayer(), player);
    EXPECT_EQ(player->GetNotePlayerKind(), notePlayerSimpleSampler);
    const TOnePlayerProps& props = player->OnePlayerProps;
    EXPECT_EQ(props.CompoundPlayer, &compound);
    EXPECT_EQ(props.SimpleSamplerProps.SampleWave.GetName(), "sample");
    EXPECT_DOUBLE_EQ(props.SimpleSamplerProps.BasicFreq.GetValue(), 0.001);
    EXPECT_DOUBLE_EQ(props.FreqUp.GetValue(), 0.0);
    EXPECT_DOUBLE_EQ(props.VolumeFactor.GetValue(), 0.5);
    EXPECT_EQ(props.ActiveSampleWave(), &props.SimpleSamplerProps.SampleWave);
}

TEST(StaveTest, OnePlayerPropsKeepEveryKindsRecordAndItsDefaults) {
    TOnePlayerProps props;
    EXPECT_EQ(props.NotePlayerKind, notePlayerNone);
    EXPECT_EQ(props.ActiveSampleWave(), nullptr);
    EXPECT_DOUBLE_EQ(props.RollOutSamplerProps.BasicFreq.GetValue(), 1.0 / 440);
    EXPECT_DOUBLE_EQ(props.ResonantSamplerProps.ResFactor.GetValue(), 0.05);
    props.RepeatWaveFormProps.SampleWave.ReadText("flute");
    props.NotePlayerKind = notePlayerRepeatWaveForm;
    EXPECT_EQ(props.ActiveSampleWave()->GetName(), "flute");
    props.NotePlayerKind = notePlayerRollOutWaveForm;
    EXPECT_TRUE(props.ActiveSampleWave()->IsEmpty());
    // Switching back finds the record as it was left.
    props.NotePlayerKind = notePlayerRepeatWaveForm;
    EXPECT_EQ(props.ActiveSampleWave()->GetName(), "flute");
}

TEST(StaveTest, StavesAndGroupsAreInsertedMovedAndCounted) {
    test::MusicModel model;
    TNoteStave* b = model.AddStave();
    TNoteStave* a = model.AddStave(nullptr);  // at the front
    TNoteStave* c = model.AddStave(b);
    EXPECT_EQ(model.staves.FirstStave(), a);
    EXPECT_EQ(model.staves.NextStave(a), b);
    EXPECT_EQ(model.staves.LastStave(), c);
    EXPECT_EQ(c->Prev, b);
    EXPECT_TRUE(model.staves.MoveStaveEarlier(c));
    EXPECT_EQ(model.staves.IndexOf(c), 1);
    EXPECT_FALSE(model.staves.MoveStaveEarlier(a));
    EXPECT_TRUE(model.staves.MoveStaveLater(a));
    EXPECT_EQ(model.staves.FirstStave(), c);
    EXPECT_EQ(model.staves.Count(), 3);

    TNoteGroup* first = b->GetStartNoteGroup();
    b->InsertGroup(first, NewDefaultNoteGroup(b, nullptr));
    TNoteGroup* second = first->Next;
    b->InsertGroup(nullptr, NewDefaultNoteGroup(b, nullptr));
    TNoteGroup* front = b->GetStartNoteGroup();
    EXPECT_EQ(b->CountGroups(), 3);
    EXPECT_EQ(front->Next, first);
    EXPECT_EQ(b->FindPrevGroup(second), first);
    EXPECT_EQ(b->FindPrevGroup(front), nullptr);
    EXPECT_TRUE(b->MoveGroupLater(front));
    EXPECT_EQ(b->GetStartNoteGroup(), first);
    EXPECT_EQ(b->LastGroup(), second);
    EXPECT_EQ(b->SelectedNoteGroup, first);  // inserting keeps the selected group
}

class DeletingTest : public ::testing::Test {
  protected:
    DeletingTest() {
        stave = model.AddStave();
        other = model.AddStave(stave);
        groupA = stave->GetStartNoteGroup();
        stave->InsertGroup(groupA, NewDefaultNoteGroup(stave, nullptr));
        groupB = groupA->Next;
        stave->SelectedNoteGroup = groupB;
        stave->DialogNoteGroup = groupB;
    }

    test::MusicModel model;
    TNoteStave* stave;
    TNoteStave* other;
    TNoteGroup* groupA;
    TNoteGroup* groupB;
};

TEST_F(DeletingTest, DeletingTheSelectedGroupMovesItsNotesOutAndFillsTheGaps) {
    TSinglePartMuz& part = model.FirstPart();
    AddNote(part, stave, 0, 0, TTiming{4}, groupA);
    TMuzNote* ofB = AddNote(part, stave, 0.25, 2, TTiming{4}, groupB);
    AddNote(part, stave, 0.5, 4, TTiming{2}, groupA);
    model.references.SelectedSymbol = ofB;  // the selection is one of the deleted notes

    ASSERT_TRUE(DeleteNoteGroup(model.staves, groupB, *model.root, model.references));
    EXPECT_EQ(model.references.SelectedSymbol, nullptr);
    EXPECT_EQ(stave->SelectedNoteGroup, groupA);
    EXPECT_EQ(stave->DialogNoteGroup, groupA);
    EXPECT_EQ(stave->CountGroups(), 1);
    const auto symbols = SymbolsOf(part, stave);
    ASSERT_EQ(symbols.size(), 4u);
    EXPECT_TRUE(symbols[2]->IsSilence());
    EXPECT_DOUBLE_EQ(symbols[2]->Position, 0.25);

    // The last group stays.
    EXPECT_FALSE(DeleteNoteGroup(model.staves, groupA, *model.root, model.references));
    EXPECT_EQ(stave->CountGroups(), 1);
}

TEST_F(DeletingTest, DeletingTheFirstGroupMovesTheDialogToTheNextOne) {
    stave->DialogNoteGroup = groupA;
    ASSERT_TRUE(DeleteNoteGroup(model.staves, groupA, *model.root, model.references));
    EXPECT_EQ(stave->DialogNoteGroup, groupB);
    EXPECT_EQ(stave->SelectedNoteGroup, groupB);
    EXPECT_EQ(stave->GetStartNoteGroup(), groupB);
}

TEST_F(DeletingTest, DeletingAStaveTakesItsSymbolsAndReferencesAlong) {
    TSinglePartMuz& part = model.FirstPart();
    TMuzNote* note = AddNote(part, stave, 0, 0);
    model.references.SelectedSymbol = note;
    model.references.SelectedInStave = stave;
    model.references.DialogStave = stave;

    ASSERT_TRUE(DeleteStave(model.staves, stave, *model.root, model.references));
    EXPECT_EQ(model.references.SelectedSymbol, nullptr);
    EXPECT_EQ(model.references.SelectedInStave, nullptr);
    EXPECT_EQ(model.references.DialogStave, other);
    EXPECT_EQ(model.staves.Count(), 1);
    for (TStaveSymbol* s = part.FirstSymbol(); s != nullptr; s = s->Next) {
        EXPECT_EQ(s->NoteStave, other);
    }
    // The last stave stays.
    EXPECT_FALSE(DeleteStave(model.staves, other, *model.root, model.references));
}

TEST_F(DeletingTest, DeletingTheLastStaveInTheListMovesTheDialogBack) {
    model.references.DialogStave = other;
    model.references.SelectedSymbol = &model.FirstPart().GetMuzBar();  // stays
    ASSERT_TRUE(DeleteStave(model.staves, other, *model.root, model.references));
    EXPECT_EQ(model.references.DialogStave, stave);
    EXPECT_EQ(model.references.SelectedSymbol, &model.FirstPart().GetMuzBar());
}

TEST_F(DeletingTest, DeletingAOnePlayerMovesTheDialogsPlayer) {
    TCompoundPlayer& compound = groupA->GetCompoundPlayer();
    TOnePlayer* first = compound.GetStartOnePlayer();
    TOnePlayer* second = compound.InsertOnePlayer(first, TOnePlayerProps{});
    compound.SetDialogOnePlayer(second);
    ASSERT_TRUE(DeleteOnePlayer(model.staves, second, model.references));
    EXPECT_EQ(compound.GetDialogOnePlayer(), first);
    EXPECT_EQ(compound.CountOnePlayers(), 1);
    EXPECT_FALSE(DeleteOnePlayer(model.staves, first, model.references));
    TOnePlayer* added = compound.InsertOnePlayer(nullptr, DefaultStaveOnePlayerProps());
    EXPECT_EQ(compound.GetStartOnePlayer(), added);
    EXPECT_EQ(added->CompoundPlayer, &compound);
    EXPECT_TRUE(compound.MoveOnePlayerLater(added));
    EXPECT_EQ(compound.GetStartOnePlayer(), first);
    EXPECT_FALSE(compound.MoveOnePlayerLater(added));
}

TEST_F(DeletingTest, ForgettingADeletedSubtreeClearsWhatLiesInIt) {
    auto loop =
        std::make_unique<TLoopPartMuz>(nullptr, std::make_unique<TSinglePartMuz>(nullptr), 2);
    TLoopPartMuz* loopPart = loop.get();
    auto select = std::make_unique<TSelectPartMuz>(nullptr, std::move(loop));
    TSelectPartMuz* selectPart = select.get();
    TCountSelectPartItem* turn = selectPart->AddTurnItem(1);
    auto* inner = static_cast<TSinglePartMuz*>(loopPart->GetLoopPart());
    inner->AddStave(stave);
    TMuzNote* note = AddNote(*inner, stave, 0, 0);

    struct Case {
        const char* name;
        TXTouchMuzSymbol* symbol;
        TMusTreeItem* item;
    };
    const Case cases[] = {
        {"a note in it", note, turn},
        {"its bar", &inner->GetMuzBar(), loopPart},
        {"a repeat sign", &loopPart->GetRightLoopSymbol(), inner},
    };
    for (const Case& c : cases) {
        TMusicReferences references;
        references.SelectedSymbol = c.symbol;
        references.SelectedPart = c.item;
        TMusicDeletion deletion;
        deletion.AddTreeItem(selectPart);
        ForgetDeleted(references, model.staves, deletion);
        EXPECT_EQ(references.SelectedSymbol, nullptr) << c.name;
        EXPECT_EQ(references.SelectedPart, nullptr) << c.name;
    }
    // What lies outside stays.
    TMusicReferences references;
    references.SelectedSymbol = &model.FirstPart().GetMuzBar();
    references.SelectedPart = &model.FirstPart();
    TMusicDeletion deletion;
    deletion.AddTreeItem(selectPart);
    deletion.AddSymbol(note);
    ForgetDeleted(references, model.staves, deletion);
    EXPECT_EQ(references.SelectedSymbol, &model.FirstPart().GetMuzBar());
    EXPECT_EQ(references.SelectedPart, &model.FirstPart());
}

}  // namespace
}  // namespace kalvora
