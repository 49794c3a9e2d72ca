#include "shell/music_command_states.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "music/music_document_fakes.h"
#include "music/music_fixture.h"
#include "shell/command_table.h"
#include "shell/command_update.h"

namespace kalvora {
namespace {

using C = CommandId;
using test::AddKey;
using test::AddNote;
using test::AddSilence;
using test::MusicDocument;

// One kind of selection: how the document is prepared, and the commands it enables and
// checks. Every music command not named is expected disabled (and unchecked).
struct SelectionCase {
    std::string name;
    std::function<void(MusicDocument&)> prepare;
    std::vector<CommandId> enabled;
    std::vector<CommandId> checked;
};

// A stave with: start key, a quarter note (height 6) with a chord note (2), a dotted eighth
// silence, a triplet of eighths, a key, and a second note group.
struct Score {
    TMuzNote* note = nullptr;
    TMuzNote* chordNote = nullptr;
    TSilence* silence = nullptr;
    TMuzNote* tripletMember = nullptr;
    TKey* key = nullptr;
};

Score Prepare(MusicDocument& d) {
    Score s;
    TNoteStave* stave = d.Stave();
    stave->InsertGroup(stave->StartNoteGroup, NewDefaultNoteGroup(stave, &d.unit));
    stave->SelectedNoteGroup = stave->StartNoteGroup;
    s.note = AddNote(d.Part(), stave, 0, 6);
    s.chordNote = AddNote(d.Part(), stave, 0, 2);
    s.silence = AddSilence(d.Part(), stave, 0.25, {8, 1, sool, 0});
    for (int i = 0; i < 3; ++i) {
        TMuzNote* member = AddNote(d.Part(), stave, 0.4375, 4, {4, 0, triool, i});
        if (i == 0) s.tripletMember = member;
    }
    s.key = AddKey(d.Part(), stave, 0.6875, keyKindC);
    return s;
}

const std::vector<CommandId> kModesAndAutoPlay = {C::MusicModeAdd, C::MusicModeEdit,
                                                  C::MusicModeDelete, C::MusicAutoPlay};

std::vector<CommandId> Join(std::vector<CommandId> a, const std::vector<CommandId>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

bool IsCoveredByTable(const CommandInfo& info) {
    if (info.id == C::MusicGenerate || info.id == C::MusicDialog || info.id == C::MusicParts) {
        return false;  // the frame's own
    }
    return IsMusicCategory(info.category) || info.id == C::keyAltN || info.id == C::keyAltS ||
           info.id == C::keyL || info.id == C::keyShiftL || info.id == C::keyAltL ||
           info.id == C::keyShiftAltL || info.id == C::keyAltU || info.id == C::keyAltD;
}

void ExpectStates(const CommandStates& states, const SelectionCase& c) {
    for (const CommandInfo& info : CommandTable()) {
        if (!IsCoveredByTable(info)) continue;
        const bool enabled =
            std::find(c.enabled.begin(), c.enabled.end(), info.id) != c.enabled.end();
        const bool checked =
            std::find(c.checked.begin(), c.checked.end(), info.id) != c.checked.end();
        EXPECT_EQ(states[Index(info.id)].enabled, enabled) << c.name << ": " << info.name;
        EXPECT_EQ(states[Index(info.id)].checked, checked) << c.name << ": " << info.name;
    }
}

const std::vector<CommandId> kAllNotes = {C::MusicNote1, C::MusicNote2,  C::MusicNote4,
                                          C::MusicNote8, C::MusicNote16, C::MusicNote32,
                                          C::MusicNote64};
const std::vector<CommandId> kAllSilences = {C::MusicSilence1, C::MusicSilence2,  C::MusicSilence4,
                                             C::MusicSilence8, C::MusicSilence16, C::MusicSilence32,
                                             C::MusicSilence64};
const std::vector<CommandId> kArts = {C::MusicStaccatissimo, C::MusicStaccato, C::MusicArtNormal,
                                      C::MusicPortato, C::MusicLegato};
const std::vector<CommandId> kKeys = {C::MusicKeyG, C::MusicKeyC, C::MusicKeyF};
const std::vector<CommandId> kShifts = {C::MusicNSDCross, C::MusicNSCross, C::MusicNSNormal,
                                        C::MusicNSMol, C::MusicNSDMol};

std::vector<SelectionCase> Cases() {
    std::vector<SelectionCase> cases;
    // Add mode inserting quarter notes, with the start key selected.
    cases.push_back({"add mode",
                     [](MusicDocument&) {},
                     Join(Join(Join(Join(Join(kModesAndAutoPlay, kAllNotes), kAllSilences), kArts),
                               Join(kKeys, kShifts)),
                          {C::MusicPointAdd, C::MusicMoveOctUp, C::MusicMoveOctDown, C::NoteStickUp,
                           C::NoteStickDown, C::keyAltN, C::keyAltS, C::keyL, C::keyShiftL,
                           C::keyAltL, C::keyShiftAltL, C::keyAltU, C::keyAltD}),
                     {C::MusicModeAdd, C::MusicAutoPlay, C::MusicNote4, C::MusicArtNormal}});
    // Add mode inserting keys, and applying flats: stems belong to inserted notes only.
    const std::vector<CommandId> addModeWithoutStems =
        Join(Join(Join(Join(Join(kModesAndAutoPlay, kAllNotes), kAllSilences), kArts),
                  Join(kKeys, kShifts)),
             {C::MusicPointAdd, C::MusicMoveOctUp, C::MusicMoveOctDown, C::keyAltN, C::keyAltS,
              C::keyL, C::keyShiftL, C::keyAltL, C::keyShiftAltL});
    cases.push_back({"add mode, keys",
                     [](MusicDocument& d) { d.unit.SetKeyKind(keyKindF); },
                     addModeWithoutStems,
                     {C::MusicModeAdd, C::MusicAutoPlay, C::MusicKeyF}});
    cases.push_back({"add mode, note shifts",
                     [](MusicDocument& d) {
                         d.unit.SetNoteShift(noteShiftMol);
                         d.unit.Insert.StickKind = drawStickDown;
                     },
                     addModeWithoutStems,
                     {C::MusicModeAdd, C::MusicAutoPlay, C::MusicNSMol}});
    cases.push_back(
        {"add mode, notes with stems down",
         [](MusicDocument& d) {
             d.unit.SetStickKind(drawStickDown);
             d.unit.SetArt(artPortato);
         },
         Join(addModeWithoutStems, {C::NoteStickUp, C::NoteStickDown, C::keyAltU, C::keyAltD}),
         {C::MusicModeAdd, C::MusicAutoPlay, C::MusicNote4, C::MusicPortato, C::NoteStickDown}});
    // Add mode with three dots on an eighth: only lengths that carry three dots.
    cases.push_back(
        {"add mode, dotted",
         [](MusicDocument& d) {
             d.unit.Insert.LengthKind = 8;
             d.unit.Insert.Points = 3;
             d.unit.Insert.ModeKind = insertModeSilence;
             d.unit.AutoPlay = false;
         },
         Join(Join(Join(Join(kModesAndAutoPlay, {C::MusicNote1, C::MusicNote2, C::MusicNote4,
                                                 C::MusicNote8, C::MusicSilence1, C::MusicSilence2,
                                                 C::MusicSilence4, C::MusicSilence8}),
                        kArts),
                   Join(kKeys, kShifts)),
              {C::MusicPointDelete, C::MusicMoveOctUp, C::MusicMoveOctDown, C::keyAltN, C::keyAltS,
               C::keyL, C::keyAltL, C::keyShiftAltL}),
         {C::MusicModeAdd, C::MusicSilence8}});
    cases.push_back(
        {"edit mode, note of a chord",
         [](MusicDocument& d) {
             Score s = Prepare(d);
             d.Select(s.note);
         },
         Join(Join(Join(kModesAndAutoPlay, kAllNotes), kAllSilences),
              Join(Join(kArts, kShifts), {C::MusicPointAdd,
                                          C::MusicDelete,
                                          C::MusicSelectDown,
                                          C::MusicSelectPrev,
                                          C::MusicSelectNext,
                                          C::MusicMoveUp,
                                          C::MusicMoveDown,
                                          C::MusicMoveOctUp,
                                          C::MusicMoveOctDown,
                                          C::MusicMoveNext,
                                          C::MusicTriplet,
                                          C::MusicQuintuplet,
                                          C::MusicNoteGroupNext,
                                          C::NoteStickUp,
                                          C::NoteStickDown,
                                          C::MusicPlayNote,
                                          C::keyAltN,
                                          C::keyAltS,
                                          C::keyL,
                                          C::keyShiftL,
                                          C::keyAltL,
                                          C::keyShiftAltL,
                                          C::keyAltU,
                                          C::keyAltD})),
         {C::MusicModeEdit, C::MusicAutoPlay, C::MusicNote4, C::MusicArtNormal, C::MusicNSNormal}});
    cases.push_back(
        {"edit mode, dotted silence",
         [](MusicDocument& d) {
             Score s = Prepare(d);
             d.Select(s.silence);
         },
         Join(Join(kModesAndAutoPlay,
                   {C::MusicNote1, C::MusicNote2, C::MusicNote4, C::MusicNote8, C::MusicNote16,
                    C::MusicNote32, C::MusicSilence1, C::MusicSilence2, C::MusicSilence4,
                    C::MusicSilence8, C::MusicSilence16, C::MusicSilence32}),
              {C::MusicPointAdd, C::MusicPointDelete, C::MusicDelete, C::MusicSelectPrev,
               C::MusicSelectNext, C::MusicMovePrev, C::MusicMoveNext, C::keyAltN, C::keyAltS,
               C::keyL, C::keyShiftL}),
         {C::MusicModeEdit, C::MusicAutoPlay, C::MusicSilence8}});
    cases.push_back(
        {"edit mode, triplet member",
         [](MusicDocument& d) {
             Score s = Prepare(d);
             d.Select(s.tripletMember);
         },
         // Flag 8: a triplet can be drawn from a flag of 2 up to 64.
         Join(Join(kModesAndAutoPlay,
                   {C::MusicNote2, C::MusicNote4, C::MusicNote8, C::MusicNote16, C::MusicNote32,
                    C::MusicNote64, C::MusicSilence2, C::MusicSilence4, C::MusicSilence8,
                    C::MusicSilence16, C::MusicSilence32, C::MusicSilence64}),
              Join(Join(kArts, kShifts), {C::MusicPointAdd,
                                          C::MusicDelete,
                                          C::MusicSelectPrev,
                                          C::MusicSelectNext,
                                          C::MusicMoveUp,
                                          C::MusicMoveDown,
                                          C::MusicMoveOctUp,
                                          C::MusicMoveOctDown,
                                          C::MusicMovePrev,
                                          C::MusicMoveNext,
                                          C::MusicNoteGroupNext,
                                          C::NoteStickUp,
                                          C::NoteStickDown,
                                          C::MusicPlayNote,
                                          C::keyAltN,
                                          C::keyAltS,
                                          C::keyL,
                                          C::keyShiftL,
                                          C::keyAltL,
                                          C::keyShiftAltL,
                                          C::keyAltU,
                                          C::keyAltD})),
         {C::MusicModeEdit, C::MusicAutoPlay, C::MusicNote8, C::MusicArtNormal, C::MusicNSNormal}});
    cases.push_back({"edit mode, key",
                     [](MusicDocument& d) {
                         Score s = Prepare(d);
                         d.Select(s.key);
                     },
                     Join(Join(kModesAndAutoPlay, kKeys),
                          {C::MusicNSCross, C::MusicNSMol, C::MusicDelete, C::MusicSelectPrev,
                           C::MusicMoveOctUp, C::MusicMoveOctDown, C::MusicMovePrev}),
                     {C::MusicModeEdit, C::MusicAutoPlay, C::MusicKeyC}});
    cases.push_back(
        {"edit mode, start key",
         [](MusicDocument& d) {
             Prepare(d);
             d.Select(d.StartKey());
         },
         Join(Join(kModesAndAutoPlay, kKeys), {C::MusicNSCross, C::MusicNSMol, C::MusicSelectNext,
                                               C::MusicMoveOctUp, C::MusicMoveOctDown}),
         {C::MusicModeEdit, C::MusicAutoPlay, C::MusicKeyG}});
    cases.push_back({"edit mode, bar",
                     [](MusicDocument& d) {
                         Prepare(d);
                         d.Select(&d.Part().GetMuzBar());
                     },
                     Join(Join(kModesAndAutoPlay, kAllNotes),
                          {C::MusicPointAdd, C::MusicPointDelete, C::MusicSelectNext,
                           C::MusicMovePrev, C::MusicMoveNext, C::keyAltN, C::keyL, C::keyShiftL}),
                     {C::MusicModeEdit, C::MusicAutoPlay, C::MusicNote4}});
    cases.push_back({"edit mode, nothing",
                     [](MusicDocument& d) {
                         Prepare(d);
                         d.Select(nullptr);
                     },
                     kModesAndAutoPlay,
                     {C::MusicModeEdit, C::MusicAutoPlay}});
    cases.push_back({"delete mode",
                     [](MusicDocument& d) {
                         Prepare(d);
                         d.unit.SetModeDel();
                     },
                     kModesAndAutoPlay,
                     {C::MusicModeDelete, C::MusicAutoPlay}});
    return cases;
}

TEST(MusicCommandStatesTest, EachKindOfSelectionEnablesAndChecksItsCommands) {
    for (const SelectionCase& c : Cases()) {
        MusicDocument d;
        c.prepare(d);
        ExpectStates(MusicCommandStates(d.unit), c);
    }
}

TEST(MusicCommandStatesTest, TheFrameUpdateTakesTheMusicFacts) {
    MusicDocument d;
    Score s = Prepare(d);
    d.Select(s.note);
    d.unit.MarkChanged();
    FrameSnapshot snapshot;
    snapshot.activeKind = WindowKind::music;
    snapshot.music = DescribeMusic(d.unit);
    EXPECT_TRUE(snapshot.music.needsSave);
    EXPECT_FALSE(snapshot.music.hasFile);
    const CommandStates states = ComputeCommandStates(snapshot);
    EXPECT_TRUE(states[Index(C::MusicTriplet)].enabled);
    EXPECT_FALSE(states[Index(C::MusicTwin)].enabled);
    EXPECT_TRUE(states[Index(C::MusicNote4)].checked);
    EXPECT_TRUE(states[Index(C::keyL)].enabled);  // a key of the music window's own
    EXPECT_TRUE(states[Index(C::keyB)].enabled);  // runs MusicNSMol
    EXPECT_TRUE(states[Index(C::keyAltG)].enabled);
    EXPECT_FALSE(states[Index(C::keyShiftAltG)].enabled);
    EXPECT_TRUE(states[Index(C::FileSave)].enabled);
}

}  // namespace
}  // namespace kalvora
