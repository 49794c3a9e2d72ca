// Note shifts, keys and key signatures, articulation, stems and moving symbols in height
// and time.
#include <algorithm>

#include "music/music_math.h"
#include "music/stave_shifting.h"
#include "music/unit_muz.h"

namespace kalvora {

// ---- Note shifts ----

namespace {

// Whether one more sharp (flat) fits a key's signature, and its ToonLadder count.
bool KeyTakesShift(const TKey& key, TNoteShiftKind kind, int& count) {
    if (kind != noteShiftKruis && kind != noteShiftMol) return false;
    if (!key.ToonLadder(count)) return false;
    return kind == noteShiftKruis ? count <= 6 : count >= -6;
}

}  // namespace

bool TUnitMuz::CanSetNoteShift(TNoteShiftKind kind) const {
    if (kind > noteShiftDoubleMol) return false;
    if (AddMode()) return true;
    if (!EditMode()) return false;
    if (SelectedNote() != nullptr) return true;
    const TKey* key = SelectedKey();
    int count = 0;
    return key != nullptr && KeyTakesShift(*key, kind, count);
}

bool TUnitMuz::SetNoteShift(TNoteShiftKind kind) {
    if (!CanSetNoteShift(kind)) return false;
    if (AddMode()) {
        Insert.NoteShift = kind;
        Insert.ModeKind = insertModeNoteShift;
        if (window_ != nullptr) window_->Redraw();
        return true;
    }
    if (TMuzNote* note = SelectedNote()) {
        note->NoteShiftKind = kind;
        Changed();
        PlayIfAuto(note);
        return true;
    }
    // One step round the circle of fifths.
    TKey& key = *SelectedKey();
    int c = 0;
    KeyTakesShift(key, kind, c);
    const bool sharp = kind == noteShiftKruis;
    if (sharp && c >= 0) {
        key.NoteShiftKinds[key.SharpPlace(c)] = noteShiftKruis;
    } else if (!sharp && c > 0) {
        key.NoteShiftKinds[key.SharpPlace(c - 1)] = noteShiftNormal;
    } else if (!sharp) {
        key.NoteShiftKinds[key.FlatPlace(-c)] = noteShiftMol;
    } else {
        key.NoteShiftKinds[key.FlatPlace(-c - 1)] = noteShiftNormal;
    }
    Changed();
    return true;
}

// ---- Keys ----

bool TUnitMuz::CanSetKeyKind() const {
    return AddMode() || (EditMode() && SelectedKey() != nullptr);
}

bool TUnitMuz::SetKeyKind(TKeyKind kind) {
    if (!CanSetKeyKind()) return false;
    if (AddMode()) {
        Insert.KeyKind = kind;
        Insert.ModeKind = insertModeKey;
        if (window_ != nullptr) window_->Redraw();
        return true;
    }
    SelectedKey()->SetKeyKind(kind);  // AddOctaves stays
    Changed();
    return true;
}

namespace {

TKeyKind CurrentKeyKind(const TUnitMuz& unit) {
    const TKey* key = unit.SelectedKey();
    return unit.AddMode() || key == nullptr ? unit.Insert.KeyKind : key->GetKeyKind();
}

}  // namespace

bool TUnitMuz::CanStepKeyKind(int direction) const {
    if (!CanSetKeyKind()) return false;
    const int next = CurrentKeyKind(*this) + 6 * direction;
    return next >= keyKindF && next <= keyKindG;
}

bool TUnitMuz::StepKeyKind(int direction) {
    if (!CanStepKeyKind(direction)) return false;
    return SetKeyKind(static_cast<TKeyKind>(CurrentKeyKind(*this) + 6 * direction));
}

// ---- Articulation ----

namespace {

// From staccatissimo to legato.
constexpr TNoteArtKind kArtOrder[] = {artStaccatissimo, artStaccato, artNormal, artPortato,
                                      artLegato};

int ArtIndex(TNoteArtKind art) {
    for (int i = 0; i < 5; ++i) {
        if (kArtOrder[i] == art) return i;
    }
    return 2;
}

}  // namespace

bool TUnitMuz::CanSetArt() const {
    return AddMode() || (EditMode() && SelectedNote() != nullptr);
}

TNoteArtKind TUnitMuz::CurrentArt() const {
    const TMuzNote* note = SelectedNote();
    return AddMode() || note == nullptr ? Insert.Art : static_cast<TNoteArtKind>(note->ArtKind);
}

bool TUnitMuz::SetArt(TNoteArtKind art) {
    if (!CanSetArt()) return false;
    if (AddMode()) {
        Insert.Art = art;
        if (window_ != nullptr) window_->Redraw();
        return true;
    }
    TMuzNote& selected = *SelectedNote();
    for (TMuzNote* note : SameOolNotes(selected))
        note->ArtKind = art;
    Changed();
    PlayIfAuto(&selected);
    return true;
}

bool TUnitMuz::CanStepArt(int direction) const {
    if (!CanSetArt()) return false;
    const int index = ArtIndex(CurrentArt()) + direction;
    return index >= 0 && index < 5;
}

bool TUnitMuz::StepArt(int direction) {
    if (!CanStepArt(direction)) return false;
    return SetArt(kArtOrder[ArtIndex(CurrentArt()) + direction]);
}

// ---- Stems ----

bool TUnitMuz::CanSetStickKind() const {
    return (AddMode() && Insert.ModeKind == insertModeNote) ||
           (EditMode() && SelectedNote() != nullptr);
}

bool TUnitMuz::SetStickKind(TDrawStickKind kind) {
    if (!CanSetStickKind()) return false;
    // The command toggles: the same direction again gives the automatic one.
    auto toggled = [kind](std::uint8_t current) { return current == kind ? drawStickAuto : kind; };
    if (AddMode()) {
        Insert.StickKind = toggled(Insert.StickKind);
        if (window_ != nullptr) window_->Redraw();
        return true;
    }
    TMuzNote& note = *SelectedNote();
    note.DrawStickKind = toggled(note.DrawStickKind);
    Changed();
    return true;
}

// ---- Height ----

namespace {

bool HeightFree(TMuzNote& note, int pitch) {
    for (const TMuzNote* member : SameOolNotes(note)) {
        if (member != &note && member->Pitch == pitch) return false;
    }
    return true;
}

bool MayMoveInHeight(const TUnitMuz& unit) {
    return (unit.AddMode() || unit.EditMode()) && unit.SelectedStaveSymbol() != nullptr;
}

}  // namespace

bool TUnitMuz::MoveStepTarget(int direction, int& pitch) const {
    TMuzNote* note = MayMoveInHeight(*this) ? SelectedNote() : nullptr;
    if (note == nullptr) return false;
    for (int p = note->Pitch + direction; IsValidPitch(p); p += direction) {
        if (HeightFree(*note, p)) {
            pitch = p;
            return true;
        }
    }
    return false;
}

bool TUnitMuz::CanMoveStep(int direction) const {
    int pitch = 0;
    return MoveStepTarget(direction, pitch);
}

namespace {

void SetHeight(TMuzNote& note, int pitch) {
    note.SetPitch(pitch);
    note.SinglePartMuz->ResortSymbol(&note);
}

}  // namespace

bool TUnitMuz::MoveStep(int direction) {
    int pitch = 0;
    if (!MoveStepTarget(direction, pitch)) return false;
    TMuzNote& note = *SelectedNote();
    SetHeight(note, pitch);
    Changed();
    PlayIfAuto(&note);
    return true;
}

bool TUnitMuz::CanMoveOctave(int direction) const {
    if (!MayMoveInHeight(*this)) return false;
    if (TMuzNote* note = SelectedNote()) {
        const int pitch = note->Pitch + 7 * direction;
        return IsValidPitch(pitch) && HeightFree(*note, pitch);
    }
    if (const TKey* key = SelectedKey()) {
        const int octaves = key->AddOctaves + direction;
        return octaves >= -2 && octaves <= 2;
    }
    return false;
}

bool TUnitMuz::MoveOctave(int direction) {
    if (!CanMoveOctave(direction)) return false;
    if (TMuzNote* note = SelectedNote()) {
        SetHeight(*note, note->Pitch + 7 * direction);
        Changed();
        PlayIfAuto(note);
        return true;
    }
    SelectedKey()->AddOctaves += direction;
    Changed();
    return true;
}

// ---- Time ----

bool TUnitMuz::CanMoveSymbol(TMoveDirection direction) const {
    if (!EditMode()) return false;
    if (const TMuzBar* bar = SelectedBar()) return bar->CountNotes > 1;
    TStaveSymbol* symbol = SelectedStaveSymbol();
    return symbol != nullptr &&
           !SearchForSwitch(*symbol, static_cast<int>(direction)).Members.empty();
}

bool TUnitMuz::MoveSymbol(TMoveDirection direction) {
    if (!CanMoveSymbol(direction)) return false;
    if (TMuzBar* bar = SelectedBar()) {
        // Only the bar lines move: the first bar becomes a beat shorter or longer.
        if (direction == TMoveDirection::left) {
            bar->FirstBarShorter();
        } else {
            bar->FirstBarLonger();
        }
        Changed();
        return true;
    }
    TStaveSymbol& symbol = *SelectedStaveSymbol();
    TSymbolGroup own = GroupOf(symbol);
    TSymbolGroup other = SearchForSwitch(symbol, static_cast<int>(direction));
    if (direction == TMoveDirection::left) {
        SwitchGroups(std::move(other), std::move(own));
    } else {
        SwitchGroups(std::move(own), std::move(other));
    }
    Changed();
    SelectQuietly(&symbol);
    PlayIfAuto(AsNote(&symbol));
    return true;
}

}  // namespace kalvora
