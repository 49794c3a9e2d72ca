#include "music/unit_muz.h"

#include <gtest/gtest.h>

#include "music/stave_shifting.h"
#include "music_document_fakes.h"
#include "music_fixture.h"
#include "sound/wave_file_prop_choices.h"

namespace kalvora {
namespace {

using test::AddKey;
using test::AddNote;
using test::AddSilence;
using test::MusicDocument;
using test::SymbolsOf;

std::vector<double> PositionsOf(const TSinglePartMuz& part, const TNoteStave* stave) {
    std::vector<double> positions;
    for (const TStaveSymbol* s : SymbolsOf(part, stave))
        positions.push_back(s->Position);
    return positions;
}

TEST(MusicDocumentTest, ANewDocumentHasItsDefaults) {
    MusicDocument d;
    const TUnitMuz& unit = d.unit;
    EXPECT_EQ(unit.Kind(), TUnitKind::music);
    EXPECT_EQ(unit.Staves().Count(), 1);
    EXPECT_EQ(unit.Root().GetPartMuz(), &d.Part());
    const TMuzBar& bar = d.Part().GetMuzBar();
    EXPECT_EQ(bar.NoteLength, 4);
    EXPECT_EQ(bar.CountNotes, 4);
    EXPECT_EQ(bar.ExtraCount, 0);
    EXPECT_EQ(unit.SelectedSymbol(), d.StartKey());
    EXPECT_EQ(unit.UnitMuzMode, unitMuzNew);
    EXPECT_TRUE(unit.AutoPlay);
    EXPECT_DOUBLE_EQ(unit.Tempo.GetValue(), 1.0);
    EXPECT_EQ(unit.GetFreq(), 22050);
    EXPECT_EQ(unit.GetMoSt(), 1);
    EXPECT_EQ(unit.GetBytesPSample(), 2);
    EXPECT_EQ(unit.Insert.LengthKind, 4);
    EXPECT_EQ(unit.Insert.ModeKind, insertModeNote);
    EXPECT_EQ(unit.Insert.KeyKind, keyKindG);
    EXPECT_EQ(unit.Insert.StickKind, drawStickAuto);
    EXPECT_FALSE(unit.NeedsSave());
}

TEST(MusicDocumentTest, TheGeneratedWavesFormatIsKeptAndBadFormatsRefused) {
    MusicDocument d;
    d.unit.ChangeWaveFileProps(d.unit.GetWaveFileProps(), {44100, 2, 1});
    EXPECT_EQ(d.unit.GetWaveFileProps(), (waveFileProps{44100, 2, 1}));
    EXPECT_FALSE(d.unit.NeedsSave());  // the music file has no place for it
    EXPECT_FALSE(d.unit.SetWaveFileProps({0, 1, 2}));
    EXPECT_FALSE(d.unit.SetWaveFileProps({22050, 3, 2}));
    EXPECT_FALSE(d.unit.SetWaveFileProps({22050, 1, 4}));
    EXPECT_EQ(d.unit.GetWaveFileProps(), (waveFileProps{44100, 2, 1}));
}

TEST(MusicDocumentTest, ModesCopyTheInsertParametersFromTheSelection) {
    MusicDocument d;
    TMuzNote* note = AddNote(d.Part(), d.Stave(), 0, 3, {8, 1, sool, 0});
    note->ArtKind = artLegato;
    note->DrawStickKind = drawStickDown;
    d.Select(note);
    d.unit.SetModeNew();
    EXPECT_EQ(d.unit.Insert.ModeKind, insertModeNote);
    EXPECT_EQ(d.unit.Insert.LengthKind, 8);
    EXPECT_EQ(d.unit.Insert.Points, 1);
    EXPECT_EQ(d.unit.Insert.Art, artLegato);
    EXPECT_EQ(d.unit.Insert.StickKind, drawStickDown);

    TSilence* silence = AddSilence(d.Part(), d.Stave(), 0.5, {2, 0, sool, 0});
    d.Select(silence);
    d.unit.SetModeNew();
    EXPECT_EQ(d.unit.Insert.ModeKind, insertModeSilence);
    EXPECT_EQ(d.unit.Insert.LengthKind, 2);

    d.Select(d.StartKey());
    d.unit.SetModeNew();
    EXPECT_EQ(d.unit.Insert.ModeKind, insertModeKey);

    d.unit.SetModeDel();
    EXPECT_EQ(d.unit.SelectedSymbol(), nullptr);
}

TEST(MusicDocumentTest, InsertingANoteShiftsOnlyItsOwnStave) {
    MusicDocument d;
    TNoteStave* other = d.AddStave();
    TMuzNote* first = AddNote(d.Part(), d.Stave(), 0, 6);
    TMuzNote* second = AddNote(d.Part(), d.Stave(), 0.25, 6);
    TMuzNote* elsewhere = AddNote(d.Part(), other, 0.25, 6);

    ASSERT_TRUE(d.InsertAfter(first, -2));
    auto* inserted = static_cast<TMuzNote*>(d.unit.SelectedSymbol());
    EXPECT_DOUBLE_EQ(inserted->Position, 0.25);
    EXPECT_EQ(inserted->Pitch, 4);  // two steps below the G key's middle line
    EXPECT_EQ(inserted->NoteGroup, d.Stave()->SelectedNoteGroup);
    EXPECT_DOUBLE_EQ(second->Position, 0.5);
    EXPECT_DOUBLE_EQ(elsewhere->Position, 0.25);
    EXPECT_TRUE(d.unit.NeedsSave());
    EXPECT_GT(d.window.redraws, 0);
    EXPECT_EQ(d.player.pitches, std::vector<int>{4});  // auto-play

    // Inserting at the start key puts the note at 0 and moves the rest.
    ASSERT_TRUE(d.InsertAfter(d.StartKey(), 0));
    EXPECT_EQ(PositionsOf(d.Part(), d.Stave()), (std::vector<double>{0, 0, 0.25, 0.5, 0.75}));
}

TEST(MusicDocumentTest, AClickOutsideTheRangeOfHeightsInsertsNothing) {
    MusicDocument d;
    EXPECT_FALSE(d.InsertAfter(d.StartKey(), 38));  // height 44 under the G key
    EXPECT_TRUE(d.InsertAfter(d.StartKey(), 37));   // 43
    EXPECT_FALSE(d.InsertAfter(d.StartKey(), -50));
    EXPECT_EQ(SymbolsOf(d.Part(), d.Stave()).size(), 2u);
}

TEST(MusicDocumentTest, AClickOnANoteAddsAChordNoteOnceAndOnASilenceReplacesIt) {
    MusicDocument d;
    TMuzNote* note = AddNote(d.Part(), d.Stave(), 0, 6, {8, 1, sool, 0});
    TSilence* silence = AddSilence(d.Part(), d.Stave(), 3.0 / 16, {4, 0, sool, 0});
    TMuzInsertion place;
    place.Stave = d.Stave();
    place.StaffPosition = 2;
    place.HitNote = note;
    ASSERT_TRUE(d.unit.InsertAt(place));
    auto* chordNote = static_cast<TMuzNote*>(d.unit.SelectedSymbol());
    EXPECT_EQ(chordNote->Pitch, 8);
    EXPECT_EQ(chordNote->NoteLengthKind, 8);
    EXPECT_EQ(chordNote->Points, 1);
    EXPECT_DOUBLE_EQ(chordNote->Position, 0);
    EXPECT_FALSE(d.unit.InsertAt(place));  // that height is there already
    EXPECT_DOUBLE_EQ(silence->Position, 3.0 / 16);

    TMuzInsertion onSilence;
    onSilence.Stave = d.Stave();
    onSilence.StaffPosition = -1;
    onSilence.HitSilence = silence;
    ASSERT_TRUE(d.unit.InsertAt(onSilence));
    const TMuzNote* replacing = d.unit.SelectedNote();
    ASSERT_NE(replacing, nullptr);
    EXPECT_DOUBLE_EQ(replacing->Position, 3.0 / 16);
    EXPECT_EQ(replacing->NoteLengthKind, 4);
    EXPECT_EQ(replacing->Pitch, 5);
    EXPECT_EQ(SymbolsOf(d.Part(), d.Stave()).size(), 4u);  // key, chord of two, note
}

TEST(MusicDocumentTest, SilencesAndKeysAreInsertedWithTheirRules) {
    MusicDocument d;
    TMuzNote* note = AddNote(d.Part(), d.Stave(), 0, 6);
    TMuzNote* later = AddNote(d.Part(), d.Stave(), 0.25, 6);
    d.unit.SetSilenceLength(8);
    ASSERT_TRUE(d.InsertAfter(note, 0));
    EXPECT_TRUE(d.unit.SelectedStaveSymbol()->IsSilence());
    EXPECT_DOUBLE_EQ(d.unit.SelectedStaveSymbol()->Position, 0.25);
    EXPECT_DOUBLE_EQ(later->Position, 0.375);

    d.unit.SetKeyKind(keyKindF);
    EXPECT_FALSE(d.InsertAfter(d.StartKey(), 0));  // never at position 0
    ASSERT_TRUE(d.InsertAfter(note, 0));
    TKey* first = d.unit.SelectedKey();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->KeyKind, keyKindF);
    EXPECT_EQ(first->Volgnr, 1);
    ASSERT_TRUE(d.InsertAfter(first, 0));
    TKey* second = d.unit.SelectedKey();
    EXPECT_EQ(second->Volgnr, 2);
    EXPECT_DOUBLE_EQ(second->Position, 0.25);
    // Inserted between them, a key takes number 2 and pushes the other up.
    ASSERT_TRUE(d.InsertAfter(first, 0));
    EXPECT_EQ(d.unit.SelectedKey()->Volgnr, 2);
    EXPECT_EQ(second->Volgnr, 3);
}

TEST(MusicDocumentTest, DeletingChordNotesKeepsOrClosesTheirTime) {
    MusicDocument d;
    TMuzNote* low = AddNote(d.Part(), d.Stave(), 0, 4);
    TMuzNote* high = AddNote(d.Part(), d.Stave(), 0, 8);
    TMuzNote* next = AddNote(d.Part(), d.Stave(), 0.25, 6);
    d.Select(high);
    d.player.pitches.clear();
    ASSERT_TRUE(d.unit.DeleteSelected());
    EXPECT_EQ(d.player.pitches, std::vector<int>{8});  // played before it goes
    EXPECT_DOUBLE_EQ(next->Position, 0.25);
    EXPECT_EQ(d.unit.SelectedSymbol(), low);  // the next symbol of the stave
    ASSERT_TRUE(d.unit.DeleteSelected());
    EXPECT_DOUBLE_EQ(next->Position, 0);
    EXPECT_EQ(d.unit.SelectedSymbol(), next);
    ASSERT_TRUE(d.unit.DeleteSelected());
    EXPECT_EQ(d.unit.SelectedSymbol(), d.StartKey());  // else the previous one
}

TEST(MusicDocumentTest, ATripletMemberLeavesASilenceAndTheLastOneTakesTheTriplet) {
    MusicDocument d;
    std::vector<TMuzNote*> members;
    for (int i = 0; i < 3; ++i)
        members.push_back(AddNote(d.Part(), d.Stave(), 0, 6, {4, 0, triool, i}));
    TMuzNote* after = AddNote(d.Part(), d.Stave(), 0.25, 6);
    d.Select(members[1]);
    ASSERT_TRUE(d.unit.DeleteSelected());
    std::vector<TStaveSymbol*> symbols = SymbolsOf(d.Part(), d.Stave());
    ASSERT_EQ(symbols.size(), 5u);
    EXPECT_TRUE(symbols[2]->IsSilence());
    EXPECT_EQ(static_cast<TStaveTimeSymbol*>(symbols[2])->PosInOol, 1);
    EXPECT_DOUBLE_EQ(after->Position, 0.25);
    EXPECT_FALSE(TUnitMuz::CanDeleteSymbol(*symbols[2]));  // a silence in a tuplet

    d.Select(members[0]);
    ASSERT_TRUE(d.unit.DeleteSelected());
    d.Select(members[2]);
    ASSERT_TRUE(d.unit.DeleteSelected());
    EXPECT_EQ(SymbolsOf(d.Part(), d.Stave()), (std::vector<TStaveSymbol*>{d.StartKey(), after}));
    EXPECT_DOUBLE_EQ(after->Position, 0);
    EXPECT_EQ(d.unit.SelectedSymbol(), after);
}

TEST(MusicDocumentTest, KeysAreDeletedExceptTheStartKeyAndRenumbered) {
    MusicDocument d;
    TKey* start = d.StartKey();
    EXPECT_FALSE(TUnitMuz::CanDeleteSymbol(*start));
    TKey* second = AddKey(d.Part(), d.Stave(), 0, keyKindC, 2);
    EXPECT_TRUE(TUnitMuz::CanDeleteSymbol(*second));
    TKey* a = AddKey(d.Part(), d.Stave(), 0.5, keyKindC, 1);
    TKey* b = AddKey(d.Part(), d.Stave(), 0.5, keyKindF, 2);
    d.Select(a);
    ASSERT_TRUE(d.unit.DeleteSelected());
    EXPECT_EQ(b->Volgnr, 1);
    d.Select(second);
    ASSERT_TRUE(d.unit.DeleteSelected());
    EXPECT_TRUE(start->IsStartKey());

    // With a second key at 0 the start key may go: the other one takes its place.
    TKey* other = AddKey(d.Part(), d.Stave(), 0, keyKindF, 2);
    d.Select(start);
    ASSERT_TRUE(d.unit.DeleteSelected());
    EXPECT_TRUE(other->IsStartKey());
    EXPECT_EQ(d.Part().StartKeyOfStave(d.Stave()), other);
    EXPECT_FALSE(TUnitMuz::CanDeleteSymbol(*other));
}

TEST(MusicDocumentTest, DeletingTheFirstNoteRenumbersAKeyThatReachesPositionZero) {
    MusicDocument d;
    TMuzNote* first = AddNote(d.Part(), d.Stave(), 0, 6);
    TKey* key = AddKey(d.Part(), d.Stave(), 0.25, keyKindF);
    TMuzNote* second = AddNote(d.Part(), d.Stave(), 0.25, -2);
    d.Select(first);
    ASSERT_TRUE(d.unit.DeleteSelected());
    EXPECT_DOUBLE_EQ(key->Position, 0);
    EXPECT_EQ(key->Volgnr, 2);
    EXPECT_TRUE(d.StartKey()->IsStartKey());
    EXPECT_EQ(d.Part().FirstSymbol(), d.StartKey());
    EXPECT_EQ(d.Part().KeyInEffectAt(d.Stave(), 0), key);
    EXPECT_DOUBLE_EQ(second->Position, 0);
    EXPECT_TRUE(TUnitMuz::CanDeleteSymbol(*key));
}

TEST(MusicDocumentTest, ADottedQuarterSetToAnEighthMovesTheRestByMinusThreeSixteenths) {
    MusicDocument d;
    TMuzNote* dotted = AddNote(d.Part(), d.Stave(), 0, 6, {4, 1, sool, 0});
    TMuzNote* chord = AddNote(d.Part(), d.Stave(), 0, 2, {4, 1, sool, 0});
    TMuzNote* next = AddNote(d.Part(), d.Stave(), 0.375, 6);
    d.Select(dotted);
    ASSERT_TRUE(d.unit.CanSetNoteLength(8));
    ASSERT_TRUE(d.unit.SetNoteLength(8));
    EXPECT_EQ(dotted->NoteLengthKind, 8);
    EXPECT_EQ(dotted->Points, 1);
    EXPECT_EQ(chord->NoteLengthKind, 8);
    EXPECT_DOUBLE_EQ(next->Position, 0.375 - 3.0 / 16);
    // Dots a length cannot carry are refused.
    chord->Points = 3;
    dotted->Points = 3;
    EXPECT_FALSE(d.unit.CanSetNoteLength(16));
}

TEST(MusicDocumentTest, ASilenceGivenANoteLengthFirstChangesLengthThenBecomesANote) {
    MusicDocument d;
    TSilence* silence = AddSilence(d.Part(), d.Stave(), 0, {4, 0, sool, 0});
    TMuzNote* next = AddNote(d.Part(), d.Stave(), 0.25, 6);
    d.Select(silence);
    d.player.pitches.clear();
    ASSERT_TRUE(d.unit.SetNoteLength(8));
    const TMuzNote* note = d.unit.SelectedNote();
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(note->NoteLengthKind, 8);
    EXPECT_EQ(note->Pitch, 6);  // the G key's middle line
    EXPECT_DOUBLE_EQ(next->Position, 0.125);
    EXPECT_EQ(d.player.pitches, std::vector<int>{6});

    // And back: the notes of the chord's place become one silence of the new length.
    AddNote(d.Part(), d.Stave(), 0, 9, {8, 0, sool, 0});
    ASSERT_TRUE(d.unit.SetSilenceLength(16));
    const TStaveSymbol* result = d.unit.SelectedStaveSymbol();
    ASSERT_TRUE(result->IsSilence());
    EXPECT_EQ(static_cast<const TStaveTimeSymbol*>(result)->NoteLengthKind, 16);
    EXPECT_EQ(SymbolsOf(d.Part(), d.Stave()).size(), 3u);
    EXPECT_DOUBLE_EQ(next->Position, 0.0625);
}

TEST(MusicDocumentTest, ATripletMadeSilentByASilenceLengthIsRemoved) {
    MusicDocument d;
    TMuzNote* member = AddNote(d.Part(), d.Stave(), 0, 6, {4, 0, triool, 0});
    AddSilence(d.Part(), d.Stave(), 0, {4, 0, triool, 1});
    AddSilence(d.Part(), d.Stave(), 0, {4, 0, triool, 2});
    TMuzNote* next = AddNote(d.Part(), d.Stave(), 0.25, 6);
    d.Select(member);
    ASSERT_TRUE(d.unit.SetSilenceLength(8));
    EXPECT_EQ(SymbolsOf(d.Part(), d.Stave()), (std::vector<TStaveSymbol*>{d.StartKey(), next}));
    EXPECT_DOUBLE_EQ(next->Position, 0);
}

TEST(MusicDocumentTest, BarLengthsKeepTheBarAsWellAsCountsAllow) {
    struct Case {
        int noteLength, countNotes, newLength, expectedCount;
    };
    for (const Case c : {Case{4, 3, 8, 6}, Case{8, 6, 4, 3}, Case{2, 2, 16, 16}, Case{64, 64, 1, 1},
                         Case{1, 4, 64, 99}}) {
        MusicDocument d;
        TMuzBar& bar = d.Part().GetMuzBar();
        bar.NoteLength = static_cast<std::uint8_t>(c.noteLength);
        bar.CountNotes = c.countNotes;
        d.Select(&bar);
        ASSERT_TRUE(d.unit.SetNoteLength(c.newLength));
        EXPECT_EQ(bar.NoteLength, c.newLength);
        EXPECT_EQ(bar.CountNotes, c.expectedCount) << c.countNotes << "/" << c.noteLength;
    }
}

TEST(MusicDocumentTest, BarCountsAndFirstBarsChangeByOneBeat) {
    MusicDocument d;
    TMuzBar& bar = d.Part().GetMuzBar();
    d.Select(&bar);
    EXPECT_FALSE(d.unit.CanSetSilenceLength(8));
    ASSERT_TRUE(d.unit.MoveSymbol(TMoveDirection::right));
    EXPECT_EQ(bar.ExtraCount, 1);
    ASSERT_TRUE(d.unit.MoveSymbol(TMoveDirection::left));
    ASSERT_TRUE(d.unit.MoveSymbol(TMoveDirection::left));
    EXPECT_EQ(bar.ExtraCount, 3);
    ASSERT_TRUE(d.unit.DeletePoint());
    EXPECT_EQ(bar.CountNotes, 3);
    EXPECT_EQ(bar.ExtraCount, 2);  // stays inside the bar
    bar.CountNotes = 1;
    bar.ExtraCount = 0;
    EXPECT_FALSE(d.unit.CanDeletePoint());
    bar.CountNotes = 99;
    EXPECT_FALSE(d.unit.CanAddPoint());
}

TEST(MusicDocumentTest, DotsChangeTheWholeChordAndFollowTheTupletRules) {
    MusicDocument d;
    TMuzNote* note = AddNote(d.Part(), d.Stave(), 0, 6);
    TMuzNote* chord = AddNote(d.Part(), d.Stave(), 0, 3);
    TMuzNote* next = AddNote(d.Part(), d.Stave(), 0.25, 6);
    d.Select(note);
    ASSERT_TRUE(d.unit.AddPoint());
    EXPECT_EQ(chord->Points, 1);
    EXPECT_DOUBLE_EQ(next->Position, 0.375);
    ASSERT_TRUE(d.unit.DeletePoint());
    EXPECT_FALSE(d.unit.CanDeletePoint());
    EXPECT_DOUBLE_EQ(next->Position, 0.25);

    TMuzNote* duoolMember = AddNote(d.Part(), d.Stave(), 1, 6, {4, 1, duool, 0});
    d.Select(duoolMember);
    EXPECT_FALSE(d.unit.CanDeletePoint());  // a duool needs its dot
    EXPECT_TRUE(d.unit.CanAddPoint());

    d.unit.SetModeNew();
    d.unit.Insert.LengthKind = 64;
    d.unit.Insert.Points = 0;
    EXPECT_FALSE(d.unit.CanAddPoint());
    EXPECT_FALSE(d.unit.CanDeletePoint());
}

TEST(MusicDocumentTest, TupletsAreOfferedOnlyWhereTheirLengthCanBeDrawn) {
    struct Case {
        int lengthKind, points, n;
        bool allowed;
    };
    for (const Case c :
         {Case{1, 0, 3, false}, Case{2, 0, 3, true}, Case{2, 0, 5, false}, Case{4, 0, 5, true},
          Case{32, 0, 5, false}, Case{32, 0, 3, true}, Case{64, 0, 2, false}, Case{4, 0, 2, false},
          Case{4, 1, 2, true}, Case{4, 1, 4, true}}) {
        MusicDocument d;
        TMuzNote* note = AddNote(d.Part(), d.Stave(), 0, 6, {c.lengthKind, c.points, sool, 0});
        d.Select(note);
        EXPECT_EQ(d.unit.CanMakeTuplet(c.n), c.allowed)
            << c.lengthKind << " points " << c.points << " n " << c.n;
        if (c.allowed) {
            EXPECT_TRUE(d.unit.MakeTuplet(c.n));
        }
    }
}

TEST(MusicDocumentTest, ATripletOfAChordTakesTheTimeOfItsTotal) {
    MusicDocument d;
    TMuzNote* note = AddNote(d.Part(), d.Stave(), 0, 6);
    AddNote(d.Part(), d.Stave(), 0, 2);
    TMuzNote* next = AddNote(d.Part(), d.Stave(), 0.25, 6);
    d.Select(note);
    ASSERT_TRUE(d.unit.MakeTuplet(3));
    std::vector<TStaveSymbol*> symbols = SymbolsOf(d.Part(), d.Stave());
    ASSERT_EQ(symbols.size(), 8u);  // key, 2 x 3 members, next
    for (std::size_t i = 1; i < 7; ++i) {
        const auto* member = static_cast<const TStaveTimeSymbol*>(symbols[i]);
        EXPECT_EQ(member->NoteLengthKind, 2);
        EXPECT_EQ(member->MultiOol, triool);
        EXPECT_EQ(member->GetFlagLength(), 4);
    }
    EXPECT_DOUBLE_EQ(next->Position, 0.5);
    EXPECT_FALSE(d.unit.CanMakeTuplet(3));  // already in a tuplet
}

TEST(MusicDocumentTest, LengthKeysStopAtTheWholeNoteAndAtTheSixtyFourth) {
    MusicDocument d;
    d.unit.Insert.LengthKind = 2;
    ASSERT_TRUE(d.unit.LengthLonger());
    EXPECT_EQ(d.unit.Insert.LengthKind, 1);
    EXPECT_FALSE(d.unit.CanLengthLonger());
    EXPECT_FALSE(d.unit.LengthLonger());
    EXPECT_EQ(d.unit.Insert.LengthKind, 1);
    d.unit.Insert.LengthKind = 64;
    EXPECT_FALSE(d.unit.CanLengthShorter());

    TSilence* silence = AddSilence(d.Part(), d.Stave(), 0, {2, 0, sool, 0});
    d.Select(silence);
    ASSERT_TRUE(d.unit.LengthShorter());
    EXPECT_EQ(silence->NoteLengthKind, 4);
    EXPECT_TRUE(d.unit.SelectedStaveSymbol()->IsSilence());
    ASSERT_TRUE(d.unit.ApplyCurrentLength(false));  // Alt+N: a note of the same length
    EXPECT_EQ(d.unit.SelectedNote()->NoteLengthKind, 4);
}

TEST(MusicDocumentTest, FlatTwiceOnAGKeyWithOneSharpGivesBFlat) {
    MusicDocument d;
    TKey* key = d.StartKey();
    d.Select(key);
    ASSERT_TRUE(d.unit.SetNoteShift(noteShiftKruis));
    int count = 0;
    ASSERT_TRUE(key->ToonLadder(count));
    EXPECT_EQ(count, 1);
    EXPECT_EQ(key->KeyNoteShiftOfPitch(3), noteShiftKruis);  // F
    ASSERT_TRUE(d.unit.SetNoteShift(noteShiftMol));
    ASSERT_TRUE(key->ToonLadder(count));
    EXPECT_EQ(count, 0);
    ASSERT_TRUE(d.unit.SetNoteShift(noteShiftMol));
    ASSERT_TRUE(key->ToonLadder(count));
    EXPECT_EQ(count, -1);
    EXPECT_EQ(key->KeyNoteShiftOfPitch(6), noteShiftMol);  // B
    ASSERT_TRUE(d.unit.SetNoteShift(noteShiftKruis));      // back to none
    ASSERT_TRUE(key->ToonLadder(count));
    EXPECT_EQ(count, 0);

    EXPECT_FALSE(d.unit.CanSetNoteShift(noteShiftNormal));
    EXPECT_FALSE(d.unit.CanSetNoteShift(noteShiftDoubleKruis));
    for (int i = 0; i < 7; ++i)
        ASSERT_TRUE(d.unit.SetNoteShift(noteShiftKruis));
    EXPECT_FALSE(d.unit.CanSetNoteShift(noteShiftKruis));  // seven sharps are all
    EXPECT_TRUE(d.unit.CanSetNoteShift(noteShiftMol));
    key->NoteShiftKinds[0] = noteShiftMol;  // no scale any more
    EXPECT_FALSE(d.unit.CanSetNoteShift(noteShiftMol));
}

TEST(MusicDocumentTest, NoteShiftsKeysArticulationAndStemsOnNotesAndInAddMode) {
    MusicDocument d;
    TMuzNote* note = AddNote(d.Part(), d.Stave(), 0, 6);
    TMuzNote* chord = AddNote(d.Part(), d.Stave(), 0, 2);
    d.Select(note);
    ASSERT_TRUE(d.unit.SetNoteShift(noteShiftDoubleMol));
    EXPECT_EQ(note->NoteShiftKind, noteShiftDoubleMol);
    ASSERT_TRUE(d.unit.SetArt(artStaccato));
    EXPECT_EQ(chord->ArtKind, artStaccato);
    ASSERT_TRUE(d.unit.StepArt(-1));
    EXPECT_EQ(note->ArtKind, artStaccatissimo);
    EXPECT_FALSE(d.unit.CanStepArt(-1));
    ASSERT_TRUE(d.unit.SetStickKind(drawStickUp));
    EXPECT_EQ(note->DrawStickKind, drawStickUp);
    ASSERT_TRUE(d.unit.SetStickKind(drawStickUp));  // toggles back
    EXPECT_EQ(note->DrawStickKind, drawStickAuto);
    EXPECT_FALSE(d.unit.CanSetKeyKind());

    d.unit.SetModeNew();
    ASSERT_TRUE(d.unit.SetNoteShift(noteShiftKruis));
    EXPECT_EQ(d.unit.Insert.ModeKind, insertModeNoteShift);
    EXPECT_FALSE(d.unit.CanSetStickKind());  // only while notes are inserted
    ASSERT_TRUE(d.unit.ApplyNoteShiftAt(*note, 0));
    EXPECT_EQ(note->NoteShiftKind, noteShiftKruis);
    ASSERT_TRUE(d.unit.ApplyNoteShiftAt(*d.StartKey(), -3));
    EXPECT_EQ(d.StartKey()->GetKeyNoteShift(-3), noteShiftKruis);
    d.unit.Insert.NoteShift = noteShiftDoubleKruis;
    EXPECT_FALSE(d.unit.ApplyNoteShiftAt(*d.StartKey(), -3));
    ASSERT_TRUE(d.unit.StepKeyKind(-1));
    EXPECT_EQ(d.unit.Insert.KeyKind, keyKindC);
    EXPECT_EQ(d.unit.Insert.ModeKind, insertModeKey);

    d.Select(d.StartKey());
    ASSERT_TRUE(d.unit.SetKeyKind(keyKindC));
    EXPECT_EQ(d.StartKey()->KeyKind, keyKindC);
    EXPECT_EQ(d.StartKey()->GetKeyNoteShift(-4), noteShiftKruis);  // still sounds F sharp
    ASSERT_TRUE(d.unit.StepKeyKind(-1));
    EXPECT_FALSE(d.unit.CanStepKeyKind(-1));
}

TEST(MusicDocumentTest, NotesMoveToFreeHeightsAndKeysByOctavesWithinTheirRange) {
    MusicDocument d;
    TMuzNote* note = AddNote(d.Part(), d.Stave(), 0, 6);
    AddNote(d.Part(), d.Stave(), 0, 7);
    AddNote(d.Part(), d.Stave(), 0, 13);
    d.Select(note);
    ASSERT_TRUE(d.unit.MoveStep(1));
    EXPECT_EQ(note->Pitch, 8);  // 7 is taken
    EXPECT_EQ(d.unit.SelectDownTarget()->Pitch, 7);
    EXPECT_TRUE(d.unit.CanMoveOctave(1));  // 15 is free
    note->Pitch = 6;
    d.Part().ResortSymbol(note);
    EXPECT_FALSE(d.unit.CanMoveOctave(1));  // 13 is taken
    ASSERT_TRUE(d.unit.MoveOctave(-1));
    EXPECT_EQ(note->Pitch, -1);
    note->Pitch = 43;
    d.Part().ResortSymbol(note);
    EXPECT_FALSE(d.unit.CanMoveStep(1));
    EXPECT_FALSE(d.unit.CanMoveOctave(1));

    d.Select(d.StartKey());
    ASSERT_TRUE(d.unit.MoveOctave(1));
    ASSERT_TRUE(d.unit.MoveOctave(1));
    EXPECT_EQ(d.StartKey()->AddOctaves, 2);
    EXPECT_FALSE(d.unit.CanMoveOctave(1));
    EXPECT_FALSE(d.unit.CanMoveStep(1));
}

TEST(MusicDocumentTest, MovingASymbolExchangesItsChordWithTheNeighbouringGroup) {
    MusicDocument d;
    TMuzNote* a = AddNote(d.Part(), d.Stave(), 0, 6, {8, 0, sool, 0});
    TMuzNote* aChord = AddNote(d.Part(), d.Stave(), 0, 2, {8, 0, sool, 0});
    TMuzNote* b = AddNote(d.Part(), d.Stave(), 0.125, 4, {2, 0, sool, 0});
    TKey* key = AddKey(d.Part(), d.Stave(), 0.625, keyKindF);
    TMuzNote* c = AddNote(d.Part(), d.Stave(), 0.625, 1);
    d.Select(a);
    EXPECT_FALSE(d.unit.CanMoveSymbol(TMoveDirection::left));  // never past the start key
    d.Select(b);
    ASSERT_TRUE(d.unit.MoveSymbol(TMoveDirection::left));
    EXPECT_DOUBLE_EQ(b->Position, 0);
    EXPECT_DOUBLE_EQ(a->Position, 0.5);
    EXPECT_DOUBLE_EQ(aChord->Position, 0.5);
    EXPECT_EQ(d.unit.SelectedSymbol(), b);
    // The chord of a then changes place with the key after it.
    d.Select(a);
    ASSERT_TRUE(d.unit.MoveSymbol(TMoveDirection::right));
    EXPECT_DOUBLE_EQ(key->Position, 0.5);
    EXPECT_DOUBLE_EQ(a->Position, 0.5);
    EXPECT_EQ(PrevOnStave(*a), key);
    EXPECT_DOUBLE_EQ(c->Position, 0.625);
    EXPECT_EQ(d.Part().KeyInEffectAt(d.Stave(), 0.5), key);
}

}  // namespace
}  // namespace kalvora

namespace kalvora {
namespace {

using test::AddKey;
using test::AddNote;
using test::MusicDocument;
using test::SymbolsOf;

TEST(MusicDocumentSelectionTest, MovementsSelectScrollAndPlayTheirTargets) {
    MusicDocument d;
    TNoteStave* lower = d.AddStave();
    TMuzNote* high = AddNote(d.Part(), d.Stave(), 0, 9);
    TMuzNote* low = AddNote(d.Part(), d.Stave(), 0, 2);
    TMuzNote* next = AddNote(d.Part(), d.Stave(), 0.25, 6);
    TMuzNote* below = AddNote(d.Part(), lower, 0.25, 1);
    d.Select(high);
    d.player.pitches.clear();
    d.window.scrolledTo.clear();

    ASSERT_TRUE(d.unit.SelectDown());
    EXPECT_EQ(d.unit.SelectedSymbol(), low);
    EXPECT_FALSE(d.unit.SelectDown());
    ASSERT_TRUE(d.unit.SelectUp());
    EXPECT_EQ(d.unit.SelectedSymbol(), high);
    ASSERT_TRUE(d.unit.SelectNext());
    EXPECT_EQ(d.unit.SelectedSymbol(), next);
    ASSERT_TRUE(d.unit.SelectStaveBelow());
    EXPECT_EQ(d.unit.SelectedSymbol(), below);
    EXPECT_FALSE(d.unit.SelectStaveBelow());
    ASSERT_TRUE(d.unit.SelectFirstStave());
    EXPECT_EQ(d.unit.SelectedSymbol(), next);
    ASSERT_TRUE(d.unit.SelectLastOfStave());
    EXPECT_EQ(d.unit.SelectedSymbol(), next);
    ASSERT_TRUE(d.unit.SelectPrev());
    EXPECT_EQ(d.unit.SelectedSymbol(), high);  // the upper of the chord's two notes
    ASSERT_TRUE(d.unit.SelectPrev());
    EXPECT_EQ(d.unit.SelectedSymbol(), &d.Part().GetMuzBar());  // the start key's bar
    EXPECT_EQ(d.player.pitches, (std::vector<int>{2, 9, 6, 1, 6, 6, 9}));
    EXPECT_EQ(d.window.scrolledTo.size(), 8u);
    ASSERT_TRUE(d.unit.SelectStaveBelow());  // from the bar, the remembered stave's below
    EXPECT_EQ(d.unit.SelectedSymbol(), d.Part().StartKeyOfStave(lower));
}

TEST(MusicDocumentSelectionTest, AutoPlayOffPlaysNothingButPlayNoteStillPlays) {
    MusicDocument d;
    TMuzNote* note = AddNote(d.Part(), d.Stave(), 0, 5);
    d.unit.ToggleAutoPlay();
    EXPECT_FALSE(d.unit.AutoPlay);
    d.Select(note);
    ASSERT_TRUE(d.unit.MoveStep(1));
    EXPECT_TRUE(d.player.pitches.empty());
    ASSERT_TRUE(d.unit.PlaySelectedNote());
    EXPECT_EQ(d.player.pitches, std::vector<int>{6});
    EXPECT_DOUBLE_EQ(d.player.lastTempo, 1.0);
    // A note that cannot sound leaves the edit in place.
    d.unit.ToggleAutoPlay();
    d.player.sounds = false;
    ASSERT_TRUE(d.unit.MoveStep(1));
    EXPECT_EQ(note->Pitch, 7);
    EXPECT_FALSE(d.unit.PlaySelectedNote());
    d.Select(d.StartKey());
    EXPECT_FALSE(d.unit.PlaySelectedNote());
}

TEST(MusicDocumentSelectionTest, NotesChangeGroupsWithoutChangingTimeOrHeight) {
    MusicDocument d;
    TNoteStave* stave = d.Stave();
    TNoteGroup* first = stave->StartNoteGroup;
    stave->InsertGroup(first, NewDefaultNoteGroup(stave, &d.unit));
    TNoteGroup* second = first->Next;
    TMuzNote* note = AddNote(d.Part(), stave, 0, 4, {}, first);
    d.Select(note);
    EXPECT_EQ(d.unit.NoteGroupPrevTarget(), nullptr);
    ASSERT_TRUE(d.unit.NoteGroupNext());
    EXPECT_EQ(note->NoteGroup, second);
    EXPECT_EQ(stave->SelectedNoteGroup, second);
    EXPECT_EQ(note->Pitch, 4);
    EXPECT_DOUBLE_EQ(note->Position, 0);
    EXPECT_FALSE(d.unit.NoteGroupNext());
    ASSERT_TRUE(d.unit.NoteGroupPrev());
    EXPECT_EQ(note->NoteGroup, first);
}

TEST(MusicDocumentSelectionTest, DeleteModeDeletesClickedSymbolsAndSelectsNothing) {
    MusicDocument d;
    TMuzNote* note = AddNote(d.Part(), d.Stave(), 0, 4);
    TMuzNote* next = AddNote(d.Part(), d.Stave(), 0.25, 4);
    d.unit.SetModeDel();
    EXPECT_FALSE(d.unit.CanDeleteSelected());
    ASSERT_TRUE(d.unit.DeleteSymbol(*note));
    EXPECT_EQ(d.unit.SelectedSymbol(), nullptr);
    EXPECT_DOUBLE_EQ(next->Position, 0);
    EXPECT_FALSE(d.unit.DeleteSymbol(*d.StartKey()));
}

TEST(MusicDocumentSelectionTest, DeletingTheSelectedSymbolNeverLeavesADanglingSelection) {
    MusicDocument d;
    TMuzNote* note = AddNote(d.Part(), d.Stave(), 0, 4);
    d.Select(note);
    d.unit.SetModeNew();
    ASSERT_TRUE(d.unit.DeleteSymbol(*note));
    EXPECT_EQ(d.unit.SelectedSymbol(), d.StartKey());
}

TEST(MusicDocumentInsertTest, InsertingAfterATupletMemberGoesAfterTheWholeTuplet) {
    MusicDocument d;
    std::vector<TMuzNote*> members;
    for (int i = 0; i < 3; ++i)
        members.push_back(AddNote(d.Part(), d.Stave(), 0, 6, {4, 0, triool, i}));
    TMuzNote* after = AddNote(d.Part(), d.Stave(), 0.25, 6);
    ASSERT_TRUE(d.InsertAfter(members[0], 0));
    const TMuzNote* inserted = d.unit.SelectedNote();
    EXPECT_DOUBLE_EQ(inserted->Position, 0.25);
    for (const TMuzNote* member : members)
        EXPECT_DOUBLE_EQ(member->Position, 0);
    EXPECT_DOUBLE_EQ(after->Position, 0.5);
}

TEST(MusicDocumentInsertTest, InsertingBelowALowerNoteAtTheSamePlaceStillMovesIt) {
    // The new note sorts after a higher note at its position; that note must move anyway.
    MusicDocument d;
    TMuzNote* first = AddNote(d.Part(), d.Stave(), 0, 6);
    TMuzNote* following = AddNote(d.Part(), d.Stave(), 0.25, 20);
    ASSERT_TRUE(d.InsertAfter(first, -10));
    EXPECT_DOUBLE_EQ(d.unit.SelectedNote()->Position, 0.25);
    EXPECT_DOUBLE_EQ(following->Position, 0.5);
}

TEST(MusicDocumentInsertTest, TheHeightComesFromTheKeyBeforeThePlaceNotTheOneThatMakesRoom) {
    MusicDocument d;
    TMuzNote* first = AddNote(d.Part(), d.Stave(), 0, 6);
    TKey* key = AddKey(d.Part(), d.Stave(), 0.25, keyKindF);
    ASSERT_TRUE(d.InsertAfter(first, 0));
    EXPECT_EQ(d.unit.SelectedNote()->Pitch, 6);  // the G key's middle line
    EXPECT_DOUBLE_EQ(key->Position, 0.5);
    ASSERT_TRUE(d.InsertAfter(key, 0));
    EXPECT_EQ(d.unit.SelectedNote()->Pitch, -6);  // after the F key: its middle line
}

TEST(MusicDocumentInsertTest, EditModeAndSymbolsOfAnotherStaveInsertNothing) {
    MusicDocument d;
    TNoteStave* other = d.AddStave();
    EXPECT_FALSE(d.InsertAfter(d.StartKey(), 0, other));
    d.unit.SetModeSel();
    EXPECT_FALSE(d.InsertAfter(d.StartKey(), 0));
    EXPECT_EQ(SymbolsOf(d.Part(), d.Stave()).size(), 1u);
}

TEST(MusicDocumentTest, TheWavePropertiesListShowsTheMusicsRate) {
    MusicDocument d;
    const std::vector<TSampleFrequencyChoice> choices = SampleFrequencyChoices(d.unit.GetFreq());
    ASSERT_GE(SampleFrequencyIndex(choices, 22050), 0);
    EXPECT_EQ(choices[SampleFrequencyIndex(choices, 22050)].text, "22 kHz");
}

}  // namespace
}  // namespace kalvora

namespace kalvora {
namespace {

// Two single parts one after the other, each with the stave's start key.
struct TwoParts : test::MusicDocument {
    TSinglePartMuz* first = nullptr;
    TSinglePartMuz* second = nullptr;

    TwoParts() {
        first = &Part();
        auto next = std::make_unique<TSinglePartMuz>(&unit, 8, 6, 0);
        second = next.get();
        second->AddStave(Stave());
        std::unique_ptr<TPartMuz> detached = DetachPart(*first);
        unit.Root().SetPartMuz(
            std::make_unique<TConcatPartMuz>(&unit, std::move(detached), std::move(next)));
    }
};

TEST(MusicDocumentPartsTest, EditsStayInsideTheirSinglePart) {
    TwoParts d;
    TMuzNote* last = test::AddNote(*d.first, d.Stave(), 0, 6);
    TMuzNote* next = test::AddNote(*d.second, d.Stave(), 0, 6);
    d.Select(last);
    EXPECT_FALSE(d.unit.CanMoveSymbol(TMoveDirection::right));  // no group after it here
    EXPECT_EQ(d.unit.SelectNextTarget(), &d.second->GetMuzBar());
    ASSERT_TRUE(d.unit.AddPoint());
    EXPECT_DOUBLE_EQ(next->Position, 0);  // the next part keeps its own time
    d.Select(next);
    EXPECT_FALSE(d.unit.CanMoveSymbol(TMoveDirection::left));  // its part's start key
    ASSERT_TRUE(d.unit.DeleteSelected());
    EXPECT_EQ(d.unit.SelectedSymbol(), d.second->StartKeyOfStave(d.Stave()));
    EXPECT_EQ(test::SymbolsOf(*d.first, d.Stave()).size(), 2u);
}

}  // namespace
}  // namespace kalvora
