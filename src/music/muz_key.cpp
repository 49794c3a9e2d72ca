#include "music/muz_key.h"

#include "music/music_math.h"
#include "platform/assertion.h"

namespace kalvora {

namespace {

bool IsKeyShift(int kind) {
    return kind == noteShiftKruis || kind == noteShiftMol || kind == noteShiftNormal;
}

}  // namespace

TKey::TKey(TNoteStave* stave, TSinglePartMuz* singlePart, TUnitMuz* unitMuz, double position,
           TKeyKind keyKind, int addOctaves, int volgnr)
    : TStaveSymbol(stave, singlePart, position),
      KeyKind(keyKind),
      AddOctaves(addOctaves),
      Volgnr(volgnr),
      UnitMuz(unitMuz) {
    KALVORA_ASSERT(keyKind == keyKindF || keyKind == keyKindC || keyKind == keyKindG);
    KALVORA_ASSERT(addOctaves >= -2 && addOctaves <= 2);
    KALVORA_ASSERT(volgnr >= 1);
    NoteShiftKinds.fill(noteShiftNormal);
}

bool TKey::IsValidStaffPosition(int staffPosition) const {
    return IsValidPitch(PitchOf(staffPosition));
}

TNoteShiftKind TKey::GetKeyNoteShift(int staffPosition) const {
    return static_cast<TNoteShiftKind>(NoteShiftKinds[FloorMod(staffPosition, 7)]);
}

void TKey::SetKeyNoteShift(int staffPosition, TNoteShiftKind kind) {
    KALVORA_ASSERT(IsKeyShift(kind));
    NoteShiftKinds[FloorMod(staffPosition, 7)] = kind;
}

TNoteShiftKind TKey::KeyNoteShiftOfPitch(int pitch) const {
    return GetKeyNoteShift(StaffPosition(pitch));
}

int TKey::SharpPlace(int k) const {
    return FloorMod(KindStep() + 4 * k + 3, 7);
}

int TKey::FlatPlace(int k) const {
    return FloorMod(KindStep() + 3 * k + 6, 7);
}

bool TKey::ToonLadder(int& count) const {
    const bool sharps = NoteShiftKinds[SharpPlace(0)] == noteShiftKruis;
    const bool flats = !sharps && NoteShiftKinds[FlatPlace(0)] == noteShiftMol;
    int length = 0;
    if (sharps || flats) {
        const TNoteShiftKind kind = sharps ? noteShiftKruis : noteShiftMol;
        while (length < 7 &&
               NoteShiftKinds[sharps ? SharpPlace(length) : FlatPlace(length)] == kind) {
            ++length;
        }
    }
    // The signature must be exactly that prefix of its order, naturals elsewhere.
    TKeySignature expected;
    expected.fill(noteShiftNormal);
    for (int k = 0; k < length; ++k) {
        expected[sharps ? SharpPlace(k) : FlatPlace(k)] = sharps ? noteShiftKruis : noteShiftMol;
    }
    if (expected != NoteShiftKinds) return false;
    count = sharps ? length : -length;
    return true;
}

int TKey::SignatureDrawPosition(int index, bool sharp) const {
    const int base = (sharp ? -2 : -4) + KindStep();
    return base + FloorMod(index - base, 7);
}

void TKey::SetKeyKind(TKeyKind keyKind) {
    KALVORA_ASSERT(keyKind == keyKindF || keyKind == keyKindC || keyKind == keyKindG);
    const int rotation = FloorMod(keyKind / 6 - KindStep(), 7);
    TKeySignature rotated;
    for (int i = 0; i < 7; ++i)
        rotated[FloorMod(i + rotation, 7)] = NoteShiftKinds[i];
    NoteShiftKinds = rotated;
    KeyKind = keyKind;
}

bool TKey::IsStartKey() const {
    return Volgnr == 1 && SamePosition(Position, 0.0);
}

void MergeSignature(TKeySignature& target, const TKeySignature& source) {
    for (int i = 0; i < 7; ++i) {
        if (target[i] == noteShiftNone) target[i] = source[i];
    }
}

}  // namespace kalvora
