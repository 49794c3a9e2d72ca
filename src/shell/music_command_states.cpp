#include "shell/music_command_states.h"

namespace kalvora {

namespace {

using C = CommandId;

class MusicStates {
  public:
    void Set(CommandId id, bool enabled, bool checked = false) {
        states_[Index(id)].enabled = enabled;
        states_[Index(id)].checked = checked;
    }
    const CommandStates& Result() const { return states_; }

  private:
    CommandStates states_{};
};

struct LengthCommand {
    int kind;
    CommandId note;
    CommandId silence;
};

constexpr LengthCommand kLengthCommands[] = {
    {1, C::MusicNote1, C::MusicSilence1},    {2, C::MusicNote2, C::MusicSilence2},
    {4, C::MusicNote4, C::MusicSilence4},    {8, C::MusicNote8, C::MusicSilence8},
    {16, C::MusicNote16, C::MusicSilence16}, {32, C::MusicNote32, C::MusicSilence32},
    {64, C::MusicNote64, C::MusicSilence64},
};

void SetModes(const TUnitMuz& unit, MusicStates& states) {
    states.Set(C::MusicModeAdd, true, unit.UnitMuzMode == unitMuzNew);
    states.Set(C::MusicModeEdit, true, unit.UnitMuzMode == unitMuzSel);
    states.Set(C::MusicModeDelete, true, unit.UnitMuzMode == unitMuzDel);
}

void SetLengths(const TUnitMuz& unit, MusicStates& states) {
    const bool add = unit.AddMode();
    const bool edit = unit.EditMode();
    const TMuzBar* bar = unit.SelectedBar();
    const TStaveTimeSymbol* timed = unit.SelectedTimeSymbol();
    for (const LengthCommand& c : kLengthCommands) {
        const bool insertKind = add && unit.Insert.LengthKind == c.kind;
        const bool flagKind = edit && timed != nullptr && timed->GetFlagLength() == c.kind;
        states.Set(c.note, unit.CanSetNoteLength(c.kind),
                   (insertKind && unit.Insert.ModeKind == insertModeNote) ||
                       (edit && bar != nullptr && bar->NoteLength == c.kind) ||
                       (flagKind && timed->IsNote()));
        states.Set(c.silence, unit.CanSetSilenceLength(c.kind),
                   (insertKind && unit.Insert.ModeKind == insertModeSilence) ||
                       (flagKind && timed->IsSilence()));
    }
}

void SetArticulations(const TUnitMuz& unit, MusicStates& states) {
    struct ArtCommand {
        CommandId id;
        TNoteArtKind art;
    };
    static constexpr ArtCommand kArts[] = {
        {C::MusicStaccatissimo, artStaccatissimo},
        {C::MusicStaccato, artStaccato},
        {C::MusicArtNormal, artNormal},
        {C::MusicPortato, artPortato},
        {C::MusicLegato, artLegato},
    };
    const TMuzNote* note = unit.SelectedNote();
    for (const ArtCommand& c : kArts) {
        const bool checked =
            unit.AddMode() ? unit.Insert.ModeKind == insertModeNote && unit.Insert.Art == c.art
                           : unit.EditMode() && note != nullptr && note->ArtKind == c.art;
        states.Set(c.id, unit.CanSetArt(), checked);
    }
}

void SetKeysAndShifts(const TUnitMuz& unit, MusicStates& states) {
    struct KeyCommand {
        CommandId id;
        TKeyKind kind;
    };
    static constexpr KeyCommand kKeys[] = {
        {C::MusicKeyG, keyKindG}, {C::MusicKeyC, keyKindC}, {C::MusicKeyF, keyKindF}};
    const TKey* key = unit.SelectedKey();
    for (const KeyCommand& c : kKeys) {
        const bool checked =
            unit.AddMode() ? unit.Insert.ModeKind == insertModeKey && unit.Insert.KeyKind == c.kind
                           : unit.EditMode() && key != nullptr && key->KeyKind == c.kind;
        states.Set(c.id, unit.CanSetKeyKind(), checked);
    }
    struct ShiftCommand {
        CommandId id;
        TNoteShiftKind kind;
    };
    static constexpr ShiftCommand kShifts[] = {
        {C::MusicNSDCross, noteShiftDoubleKruis}, {C::MusicNSCross, noteShiftKruis},
        {C::MusicNSNormal, noteShiftNormal},      {C::MusicNSMol, noteShiftMol},
        {C::MusicNSDMol, noteShiftDoubleMol},
    };
    const TMuzNote* note = unit.SelectedNote();
    for (const ShiftCommand& c : kShifts) {
        const bool checked =
            unit.AddMode()
                ? unit.Insert.ModeKind == insertModeNoteShift && unit.Insert.NoteShift == c.kind
                : unit.EditMode() && note != nullptr && note->NoteShiftKind == c.kind;
        states.Set(c.id, unit.CanSetNoteShift(c.kind), checked);
    }
}

void SetEdits(const TUnitMuz& unit, MusicStates& states) {
    const bool edit = unit.EditMode();
    states.Set(C::MusicPointAdd, unit.CanAddPoint());
    states.Set(C::MusicPointDelete, unit.CanDeletePoint());
    states.Set(C::MusicDelete, unit.CanDeleteSelected());
    states.Set(C::MusicSelectUp, edit && unit.SelectUpTarget() != nullptr);
    states.Set(C::MusicSelectDown, edit && unit.SelectDownTarget() != nullptr);
    states.Set(C::MusicSelectPrev, edit && unit.SelectPrevTarget() != nullptr);
    states.Set(C::MusicSelectNext, edit && unit.SelectNextTarget() != nullptr);
    states.Set(C::MusicMoveUp, unit.CanMoveStep(1));
    states.Set(C::MusicMoveDown, unit.CanMoveStep(-1));
    states.Set(C::MusicMoveOctUp, unit.CanMoveOctave(1));
    states.Set(C::MusicMoveOctDown, unit.CanMoveOctave(-1));
    states.Set(C::MusicMovePrev, unit.CanMoveSymbol(TMoveDirection::left));
    states.Set(C::MusicMoveNext, unit.CanMoveSymbol(TMoveDirection::right));
    states.Set(C::MusicTwin, unit.CanMakeTuplet(2));
    states.Set(C::MusicTriplet, unit.CanMakeTuplet(3));
    states.Set(C::MusicQuadruplet, unit.CanMakeTuplet(4));
    states.Set(C::MusicQuintuplet, unit.CanMakeTuplet(5));
    states.Set(C::MusicNoteGroupPrev, edit && unit.NoteGroupPrevTarget() != nullptr);
    states.Set(C::MusicNoteGroupNext, edit && unit.NoteGroupNextTarget() != nullptr);
    const TMuzNote* note = unit.SelectedNote();
    int stick = drawStickAuto;
    if (unit.AddMode()) {
        stick = unit.Insert.StickKind;
    } else if (note != nullptr) {
        stick = note->DrawStickKind;
    }
    const bool sticks = unit.CanSetStickKind();
    states.Set(C::NoteStickUp, sticks, sticks && stick == drawStickUp);
    states.Set(C::NoteStickDown, sticks, sticks && stick == drawStickDown);
    states.Set(C::MusicPlayNote, note != nullptr);
    states.Set(C::MusicAutoPlay, true, unit.AutoPlay);
}

void SetOwnKeys(const TUnitMuz& unit, MusicStates& states) {
    states.Set(C::keyAltN, unit.CanApplyCurrentLength(false));
    states.Set(C::keyAltS, unit.CanApplyCurrentLength(true));
    states.Set(C::keyL, unit.CanLengthLonger());
    states.Set(C::keyShiftL, unit.CanLengthShorter());
    states.Set(C::keyAltL, unit.CanStepArt(1));
    states.Set(C::keyShiftAltL, unit.CanStepArt(-1));
    states.Set(C::keyAltU, unit.CanSetStickKind());
    states.Set(C::keyAltD, unit.CanSetStickKind());
}

}  // namespace

CommandStates MusicCommandStates(const TUnitMuz& unit) {
    MusicStates states;
    SetModes(unit, states);
    SetLengths(unit, states);
    SetArticulations(unit, states);
    SetKeysAndShifts(unit, states);
    SetEdits(unit, states);
    SetOwnKeys(unit, states);
    return states.Result();
}

MusicFacts DescribeMusic(const TUnitMuz& unit) {
    MusicFacts facts;
    facts.hasFile = !unit.HasNoFile();
    facts.needsSave = unit.NeedsSave();
    facts.commands = MusicCommandStates(unit);
    return facts;
}

}  // namespace kalvora
