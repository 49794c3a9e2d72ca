#include "music/stave_shifting.h"

#include <gtest/gtest.h>

#include "music_fixture.h"

namespace kalvora {
namespace {

using test::AddKey;
using test::AddNote;
using test::AddSilence;
using test::MusicModel;
using test::SymbolsOf;

TEST(StaveShiftingTest, ShiftingMovesOnlyTheRestOfOneStaveAndKeepsTheListSorted) {
    MusicModel m;
    TNoteStave* a = m.AddStave();
    TNoteStave* b = m.AddStave(a);
    TSinglePartMuz& part = m.FirstPart();
    TMuzNote* first = AddNote(part, a, 0, 6);
    std::vector<TMuzNote*> laterA;
    std::vector<TMuzNote*> onB;
    for (int i = 1; i < 5; ++i) {
        laterA.push_back(AddNote(part, a, i * 0.25, 6));
        onB.push_back(AddNote(part, b, i * 0.25 - 0.125, 6, {8, 0, sool, 0}));
    }
    for (const double delta : {0.375, -0.375, 0.125, -0.125}) {
        ShiftFollowing(*first, delta, a);
        for (const TStaveSymbol* s = part.FirstSymbol(); s->Next != nullptr; s = s->Next)
            EXPECT_FALSE(Before(*s->Next, *s)) << "unsorted after " << delta;
    }
    for (std::size_t i = 0; i < laterA.size(); ++i) {
        EXPECT_DOUBLE_EQ(laterA[i]->Position, (i + 1) * 0.25);
        EXPECT_DOUBLE_EQ(onB[i]->Position, (i + 1) * 0.25 - 0.125);
    }
}

TEST(StaveShiftingTest, KeysAreNumberedPerPositionAfterAShift) {
    MusicModel m;
    TNoteStave* a = m.AddStave();
    TSinglePartMuz& part = m.FirstPart();
    TKey* start = AsKey(part.StartKeyOfStave(a));
    TMuzNote* note = AddNote(part, a, 0, 6);
    TKey* k1 = AddKey(part, a, 0.25, keyKindC, 1);
    TKey* k2 = AddKey(part, a, 0.25, keyKindF, 2);
    ShiftFollowing(*note, -0.25, a);
    EXPECT_EQ(start->Volgnr, 1);
    EXPECT_EQ(k1->Volgnr, 2);
    EXPECT_EQ(k2->Volgnr, 3);
    EXPECT_EQ(SymbolsOf(part, a), (std::vector<TStaveSymbol*>{start, k1, k2, note}));
    ShiftFollowing(*start, 0.5, a);  // all but the start key go right again
    EXPECT_EQ(k1->Volgnr, 1);
    EXPECT_EQ(k2->Volgnr, 2);
    EXPECT_TRUE(start->IsStartKey());
}

TEST(StaveShiftingTest, GroupsToSwitchStayInTheirPartAndBehindTheStartKey) {
    MusicModel m;
    TNoteStave* a = m.AddStave();
    TSinglePartMuz& part = m.FirstPart();
    TMuzNote* chordTop = AddNote(part, a, 0, 9, {8, 0, sool, 0});
    TMuzNote* chordLow = AddNote(part, a, 0, 2, {8, 0, sool, 0});
    TSilence* silence = AddSilence(part, a, 0.125, {4, 0, sool, 0});
    TSymbolGroup chord = GroupOf(*chordLow);
    EXPECT_EQ(chord.Members, (std::vector<TStaveSymbol*>{chordTop, chordLow}));
    EXPECT_DOUBLE_EQ(chord.Length, 0.125);
    EXPECT_TRUE(SearchForSwitch(*chordTop, -1).Members.empty());  // the start key
    EXPECT_TRUE(SearchForSwitch(*silence, 1).Members.empty());    // the end of the part
    EXPECT_EQ(SearchForSwitch(*silence, -1).Members, chord.Members);

    SwitchGroups(chord, GroupOf(*silence));
    EXPECT_DOUBLE_EQ(silence->Position, 0);
    EXPECT_DOUBLE_EQ(chordTop->Position, 0.25);
    EXPECT_EQ(chordTop->Mark, 0);
    EXPECT_EQ(SymbolsOf(part, a),
              (std::vector<TStaveSymbol*>{part.StartKeyOfStave(a), silence, chordTop, chordLow}));
}

TEST(StaveShiftingTest, SwitchedKeysKeepTheirPlaceAmongTheKeysWhereTheyLand) {
    MusicModel m;
    TNoteStave* a = m.AddStave();
    TSinglePartMuz& part = m.FirstPart();
    TMuzNote* note = AddNote(part, a, 0.25, 6);
    TKey* before = AddKey(part, a, 0.25, keyKindC, 1);
    TKey* moving = AddKey(part, a, 0.5, keyKindF, 1);
    TKey* landing = AddKey(part, a, 0.5, keyKindC, 2);
    // The F key moves left past the note: after the C key already at 0.25.
    SwitchGroups(GroupOf(*note), GroupOf(*moving));
    EXPECT_DOUBLE_EQ(moving->Position, 0.25);
    EXPECT_EQ(before->Volgnr, 1);
    EXPECT_EQ(moving->Volgnr, 2);
    EXPECT_EQ(landing->Volgnr, 1);
    // Two keys at one position change their order.
    SwitchGroups(GroupOf(*before), GroupOf(*moving));
    EXPECT_EQ(moving->Volgnr, 1);
    EXPECT_EQ(before->Volgnr, 2);
    // The note moves left past both keys, which follow it in their order.
    SwitchGroups(GroupOf(*before), GroupOf(*note));
    SwitchGroups(GroupOf(*moving), GroupOf(*note));
    EXPECT_DOUBLE_EQ(note->Position, 0.25);
    EXPECT_DOUBLE_EQ(moving->Position, 0.5);
    EXPECT_DOUBLE_EQ(before->Position, 0.5);
    EXPECT_EQ(moving->Volgnr, 1);
    EXPECT_EQ(before->Volgnr, 2);
    EXPECT_EQ(landing->Volgnr, 3);
}

TEST(StaveShiftingTest, TheKeyInEffectIsFoundWalkingBack) {
    MusicModel m;
    TNoteStave* a = m.AddStave();
    TNoteStave* b = m.AddStave(a);
    TSinglePartMuz& part = m.FirstPart();
    TKey* f = AddKey(part, a, 0.25, keyKindF);
    AddKey(part, b, 0.5, keyKindC);
    TMuzNote* note = AddNote(part, a, 0.75, 6);
    EXPECT_EQ(KeyAtOrBefore(*note), f);
    EXPECT_EQ(KeyAtOrBefore(*f), f);
}

}  // namespace
}  // namespace kalvora
