// A key: the clef of a stave from a position on (which height the middle line has, moved by
// whole octaves) and the key signature. The signature has one entry per staff position
// modulo 7; it holds only sharps, flats and naturals. Standard C++ only.
#pragma once

#include <array>
#include <cstdint>

#include "music/muz_symbol.h"

namespace kalvora {

class TUnitMuz;

using TKeySignature = std::array<std::uint8_t, 7>;  // TNoteShiftKind per staff position mod 7

class TKey : public TStaveSymbol {
  public:
    // addOctaves -2 .. 2; the signature starts all natural.
    TKey(TNoteStave* stave, TSinglePartMuz* singlePart, TUnitMuz* unitMuz, double position,
         TKeyKind keyKind, int addOctaves = 0, int volgnr = 1);

    TStaveSymbolKind GetStaveSymbolKind() const override { return staveSymbolKey; }

    TKeyKind GetKeyKind() const { return static_cast<TKeyKind>(KeyKind); }
    // -1 for the F key, 0 for C, 1 for G.
    int KindStep() const { return KeyKind / 6; }

    // Staff position (0 = middle line) of a height, and the height of a staff position.
    int StaffPosition(int pitch) const { return pitch - KeyKind - 7 * AddOctaves; }
    int PitchOf(int staffPosition) const { return staffPosition + KeyKind + 7 * AddOctaves; }
    bool IsValidStaffPosition(int staffPosition) const;

    // The signature entry of staff position p (any p, taken modulo 7).
    TNoteShiftKind GetKeyNoteShift(int staffPosition) const;
    // kind is a sharp, flat or natural.
    void SetKeyNoteShift(int staffPosition, TNoteShiftKind kind);
    // The entry that applies to a note of this height.
    TNoteShiftKind KeyNoteShiftOfPitch(int pitch) const;

    // Signature index of the k-th sharp (F C G D A E B) and flat (B E A D G C F), k 0 .. 6.
    int SharpPlace(int k) const;
    int FlatPlace(int k) const;

    // Succeeds when the signature is a plain scale: the first `count` sharps (count > 0) or
    // flats (count < 0) of their order and nothing else.
    bool ToonLadder(int& count) const;

    // The staff position at which the signature glyph for index i is drawn.
    int SignatureDrawPosition(int index, bool sharp) const;

    // Changes the clef and rotates the signature so that it keeps sounding the same notes.
    void SetKeyKind(TKeyKind keyKind);

    // The key at position 0 with Volgnr 1 starts the stave in its part.
    bool IsStartKey() const;

    std::int8_t KeyKind;
    std::int32_t AddOctaves;
    TKeySignature NoteShiftKinds;
    std::int32_t Volgnr;
    TUnitMuz* UnitMuz;
};

// Fills the noteShiftNone entries of target from source.
void MergeSignature(TKeySignature& target, const TKeySignature& source);

inline TKey* AsKey(TStaveSymbol* symbol) {
    return symbol != nullptr && symbol->IsKey() ? static_cast<TKey*>(symbol) : nullptr;
}

}  // namespace kalvora
