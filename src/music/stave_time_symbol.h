// The stave symbols that take time: notes and silences, with their lengths, dots and
// tuplets, the note's pitch and period, and the walks over the members of a chord. The
// length kind of a tuplet member is the length of the whole tuplet (the total length);
// the drawn flag length follows from it. Standard C++ only.
#pragma once

#include <cstdint>

#include "music/muz_symbol.h"

namespace kalvora {

class TCompoundPlayer;
class TNoteGroup;
class TUnitMuz;

// The timing of a note or silence.
struct TTiming {
    int NoteLengthKind = 4;  // total length kind: 1, 2, 4, ... 64
    int Points = 0;          // dots, 0 .. 3
    TMultiOol MultiOol = sool;
    int PosInOol = 0;  // 0 .. MultiOol - 1
};

// (1 / kind) x (1 + 1/2 + ... + 1/2^points).
double TotalLengthOf(int noteLengthKind, int points);

// The drawn flag length of a tuplet with the given total length kind (at most 64).
int GetFlagLength(int totalLengthKind, TMultiOol multiOol);

// The total length kind of a tuplet drawn with flag length `flag`; false when the tuplet
// cannot be drawn that long (a duool, triool or kwartool needs a flag of 2 at least, a
// kwintool 4).
bool FlagLength2TotalLength(int flag, TMultiOol multiOol, int& total);

// The dots a tuplet may carry: a duool and a kwartool need 1 to 3, all others 0 to 3.
bool MayTotalPoints(TMultiOol multiOol, int points);

// The most dots a length kind can carry: 16 -> 2, 32 -> 1, 64 -> 0, others 3.
int MaxPointsOfLengthKind(int lengthKind);

// All rules a timing must keep before a note or silence is built with it.
bool IsValidTiming(const TTiming& timing);

class TStaveTimeSymbol : public TStaveSymbol {
  public:
    double GetTotalLength() const { return TotalLengthOf(NoteLengthKind, Points); }
    int GetFlagLength() const { return kalvora::GetFlagLength(NoteLengthKind, GetMultiOol()); }
    // When this member of its tuplet starts.
    double GetStartTime() const;

    TMultiOol GetMultiOol() const { return static_cast<TMultiOol>(MultiOol); }
    int GetPosInOol() const { return PosInOol; }
    double GetPosition() const { return Position; }
    TTiming GetTiming() const;
    // Sets all four; the timing must be valid.
    void SetTiming(const TTiming& timing);

    // The temporary tag of a move: set only when clear, cleared only when set.
    void SetMark(int mark);
    void ClearMark();

    std::uint8_t NoteLengthKind;
    std::int32_t Points;
    std::uint8_t MultiOol;
    std::int32_t PosInOol;
    std::int32_t Mark = 0;

  protected:
    TStaveTimeSymbol(TNoteStave* stave, TSinglePartMuz* singlePart, double position,
                     const TTiming& timing);
};

class TSilence : public TStaveTimeSymbol {
  public:
    TSilence(TNoteStave* stave, TSinglePartMuz* singlePart, double position, const TTiming& timing)
        : TStaveTimeSymbol(stave, singlePart, position, timing) {}

    TStaveSymbolKind GetStaveSymbolKind() const override { return staveSymbolSilence; }
};

// What playing needs of a note.
class TNote {
  public:
    virtual ~TNote() = default;

    // The next note of the part's list, of any stave, or none.
    virtual TNote* GetNextNote() const = 0;
    virtual TCompoundPlayer* GetCompoundPlayer() const = 0;
    virtual double GetPosition() const = 0;
    virtual double GetStartTime() const = 0;
    // Seconds per vibration at the note's height and alteration.
    virtual double GetPeriod() const = 0;
    virtual double GetTotalLength() const = 0;
    // How long the note sounds in whole notes: its share of the tuplet times the
    // articulation.
    virtual double GetPlayLength() const = 0;
    virtual bool IsMuted() const = 0;
};

// The period in seconds of a height with an alteration: equal temperament, A (height 5)
// at 440 Hz.
double PeriodOf(int pitch, TNoteShiftKind noteShift);

// 1 for normal, 0.5 staccato, 0.25 staccatissimo, 1.5 portato, 2 legato, 0 otherwise.
double ArticulationFactor(int artKind);

// The period after a transposition of `semitones` (clamped to the transposition bound).
double TransposedPeriod(double period, int semitones);

class TMuzNote : public TStaveTimeSymbol, public TNote {
  public:
    // The pitch must be valid (-43 .. 43) and the timing valid.
    TMuzNote(TNoteStave* stave, TNoteGroup* group, TUnitMuz* unitMuz, TSinglePartMuz* singlePart,
             double position, const TTiming& timing, int pitch,
             TNoteShiftKind noteShift = noteShiftNormal, TNoteArtKind art = artNormal,
             TDrawStickKind stick = drawStickAuto);

    TNote* GetNextNote() const override;
    TCompoundPlayer* GetCompoundPlayer() const override;
    double GetPosition() const override { return Position; }
    double GetStartTime() const override { return TStaveTimeSymbol::GetStartTime(); }
    double GetPeriod() const override;
    double GetTotalLength() const override { return TStaveTimeSymbol::GetTotalLength(); }
    double GetPlayLength() const override;
    bool IsMuted() const override;

    TStaveSymbolKind GetStaveSymbolKind() const override { return staveSymbolNote; }
    // Linking keeps the pitch in range.
    void SetNext(TStaveSymbol* next) override;
    int VerticalDistance(int y) const override;

    int GetPitch() const { return Pitch; }
    // The pitch must be valid.
    void SetPitch(int pitch);
    TNoteGroup* GetNoteGroup() const { return NoteGroup; }
    // The stem as drawn: its own direction, or the group's when it is automatic.
    TDrawStickKind GetBerDrawStickKind() const;

    TNoteGroup* NoteGroup;
    TUnitMuz* UnitMuz;
    std::int32_t Pitch;
    std::uint8_t NoteShiftKind;
    std::uint8_t ArtKind;
    std::int32_t DrawHeight = 0;
    std::uint8_t DrawStickKind;
};

// Notes and silences of one stave with equal Position form a chord; those with equal
// PosInOol too sound together. The walks go over the list neighbours at the same position
// and return null when there is no such member.
TStaveTimeSymbol* LastChordMember(TStaveTimeSymbol& symbol);
TStaveTimeSymbol* PrevChordMember(TStaveTimeSymbol& symbol);
TStaveTimeSymbol* FirstChordMember(TStaveTimeSymbol& symbol);
TStaveTimeSymbol* LastSameOolMember(TStaveTimeSymbol& symbol);
TStaveTimeSymbol* PrevSameOolMember(TStaveTimeSymbol& symbol);
TStaveTimeSymbol* FirstSameOolMember(TStaveTimeSymbol& symbol);

inline TStaveTimeSymbol* AsTimeSymbol(TStaveSymbol* symbol) {
    return symbol != nullptr && symbol->IsTimeSymbol() ? static_cast<TStaveTimeSymbol*>(symbol)
                                                       : nullptr;
}
inline TMuzNote* AsNote(TStaveSymbol* symbol) {
    return symbol != nullptr && symbol->IsNote() ? static_cast<TMuzNote*>(symbol) : nullptr;
}

}  // namespace kalvora
