#include "music/stave_time_symbol.h"

#include <cmath>
#include <cstdlib>

#include "music/music_math.h"
#include "music/note_stave.h"
#include "platform/assertion.h"

namespace kalvora {

double TotalLengthOf(int noteLengthKind, int points) {
    double addition = 1.0 / noteLengthKind;
    double length = addition;
    for (int i = 0; i < points; ++i) {
        addition /= 2;  // each dot adds half of the previous addition
        length += addition;
    }
    return length;
}

int GetFlagLength(int totalLengthKind, TMultiOol multiOol) {
    switch (multiOol) {
        case duool:
        case triool:
        case kwartool:
            return totalLengthKind * 2;
        case kwintool:
            return totalLengthKind * 4;
        default:
            return totalLengthKind;
    }
}

bool FlagLength2TotalLength(int flag, TMultiOol multiOol, int& total) {
    switch (multiOol) {
        case duool:
        case triool:
        case kwartool:
            if (flag < 2) return false;
            total = flag / 2;
            return true;
        case kwintool:
            if (flag < 4) return false;
            total = flag / 4;
            return true;
        default:
            total = flag;
            return true;
    }
}

bool MayTotalPoints(TMultiOol multiOol, int points) {
    // Two in the time of three and four in the time of six need a dotted total.
    if (multiOol == duool || multiOol == kwartool) return points >= 1 && points <= 3;
    return points >= 0 && points <= 3;
}

int MaxPointsOfLengthKind(int lengthKind) {
    switch (lengthKind) {
        case 16:
            return 2;
        case 32:
            return 1;
        case 64:
            return 0;
        default:
            return 3;
    }
}

bool IsValidTiming(const TTiming& timing) {
    if (!IsLengthKind(timing.NoteLengthKind)) return false;
    if (timing.MultiOol < sool || timing.MultiOol > kwintool) return false;
    if (!MayTotalPoints(timing.MultiOol, timing.Points)) return false;
    if (timing.MultiOol == kwintool && timing.NoteLengthKind > 16) return false;
    if (timing.MultiOol != sool && timing.NoteLengthKind > 32) return false;
    return timing.PosInOol >= 0 && timing.PosInOol < timing.MultiOol;
}

TStaveTimeSymbol::TStaveTimeSymbol(TNoteStave* stave, TSinglePartMuz* singlePart, double position,
                                   const TTiming& timing)
    : TStaveSymbol(stave, singlePart, position) {
    SetTiming(timing);
}

double TStaveTimeSymbol::GetStartTime() const {
    return Position + GetTotalLength() * PosInOol / MultiOol;
}

TTiming TStaveTimeSymbol::GetTiming() const {
    return TTiming{NoteLengthKind, Points, GetMultiOol(), PosInOol};
}

void TStaveTimeSymbol::SetTiming(const TTiming& timing) {
    KALVORA_ASSERT(IsValidTiming(timing));
    NoteLengthKind = static_cast<std::uint8_t>(timing.NoteLengthKind);
    Points = timing.Points;
    MultiOol = timing.MultiOol;
    PosInOol = timing.PosInOol;
}

void TStaveTimeSymbol::SetMark(int mark) {
    KALVORA_ASSERT(Mark == 0);
    Mark = mark;
}

void TStaveTimeSymbol::ClearMark() {
    KALVORA_ASSERT(Mark != 0);
    Mark = 0;
}

double PeriodOf(int pitch, TNoteShiftKind noteShift) {
    static constexpr int kSemitonesFromA[7] = {0, 2, 3, 5, 7, 8, 10};  // A B C D E F G
    const int step = FloorMod(pitch - 5, 7);
    const int octave = (pitch - 5 - step) / 7;
    int semitones = kSemitonesFromA[step];
    switch (noteShift) {
        case noteShiftDoubleKruis:
            semitones += 2;
            break;
        case noteShiftKruis:
            semitones += 1;
            break;
        case noteShiftMol:
            semitones -= 1;
            break;
        case noteShiftDoubleMol:
            semitones -= 2;
            break;
        default:
            break;
    }
    return 1.0 / (440.0 * std::pow(2.0, octave + semitones / 12.0));
}

double ArticulationFactor(int artKind) {
    switch (artKind) {
        case artNormal:
            return 1.0;
        case artStaccato:
            return 0.5;
        case artStaccatissimo:
            return 0.25;
        case artPortato:
            return 1.5;
        case artLegato:
            return 2.0;
        default:
            return 0.0;
    }
}

double TransposedPeriod(double period, int semitones) {
    return period * std::pow(2.0, -ClampTransposition(semitones) / 12.0);
}

TMuzNote::TMuzNote(TNoteStave* stave, TNoteGroup* group, TUnitMuz* unitMuz,
                   TSinglePartMuz* singlePart, double position, const TTiming& timing, int pitch,
                   TNoteShiftKind noteShift, TNoteArtKind art, TDrawStickKind stick)
    : TStaveTimeSymbol(stave, singlePart, position, timing),
      NoteGroup(group),
      UnitMuz(unitMuz),
      Pitch(pitch),
      NoteShiftKind(noteShift),
      ArtKind(art),
      DrawStickKind(stick) {
    KALVORA_ASSERT(IsValidPitch(pitch));
    KALVORA_ASSERT(noteShift <= noteShiftDoubleMol);
}

TNote* TMuzNote::GetNextNote() const {
    for (TStaveSymbol* symbol = Next; symbol != nullptr; symbol = symbol->Next) {
        if (TMuzNote* note = AsNote(symbol)) return note;
    }
    return nullptr;
}

TCompoundPlayer* TMuzNote::GetCompoundPlayer() const {
    return NoteGroup->CompoundPlayer.get();
}

double TMuzNote::GetPeriod() const {
    return PeriodOf(Pitch, static_cast<TNoteShiftKind>(NoteShiftKind));
}

double TMuzNote::GetPlayLength() const {
    return TStaveTimeSymbol::GetTotalLength() / MultiOol * ArticulationFactor(ArtKind);
}

bool TMuzNote::IsMuted() const {
    return NoteStave->Mute != 0;
}

void TMuzNote::SetNext(TStaveSymbol* next) {
    KALVORA_ASSERT(IsValidPitch(Pitch));
    Next = next;
}

int TMuzNote::VerticalDistance(int y) const {
    return std::abs(y - (NoteStave->Layout.MiddleY - 5 * DrawHeight));
}

void TMuzNote::SetPitch(int pitch) {
    KALVORA_ASSERT(IsValidPitch(pitch));
    Pitch = pitch;
}

TDrawStickKind TMuzNote::GetBerDrawStickKind() const {
    if (DrawStickKind != drawStickAuto) return static_cast<TDrawStickKind>(DrawStickKind);
    return static_cast<TDrawStickKind>(NoteGroup->DrawStickKind);
}

namespace {

bool SameChord(const TStaveTimeSymbol& a, const TStaveSymbol& b) {
    return b.IsTimeSymbol() && b.NoteStave == a.NoteStave;
}

bool SameOol(const TStaveTimeSymbol& a, const TStaveSymbol& b) {
    return SameChord(a, b) && static_cast<const TStaveTimeSymbol&>(b).PosInOol == a.PosInOol;
}

template <typename Member>
TStaveTimeSymbol* LastMember(TStaveTimeSymbol& symbol, Member isMember) {
    TStaveTimeSymbol* last = &symbol;
    for (TStaveSymbol* s = symbol.Next; s != nullptr && SamePosition(s->Position, symbol.Position);
         s = s->Next) {
        if (isMember(symbol, *s)) last = static_cast<TStaveTimeSymbol*>(s);
    }
    return last;
}

template <typename Member>
TStaveTimeSymbol* PrevMember(TStaveTimeSymbol& symbol, Member isMember) {
    for (TStaveSymbol* s = symbol.Prev; s != nullptr && SamePosition(s->Position, symbol.Position);
         s = s->Prev) {
        if (isMember(symbol, *s)) return static_cast<TStaveTimeSymbol*>(s);
    }
    return nullptr;
}

}  // namespace

TStaveTimeSymbol* LastChordMember(TStaveTimeSymbol& symbol) {
    return LastMember(symbol, SameChord);
}

TStaveTimeSymbol* PrevChordMember(TStaveTimeSymbol& symbol) {
    return PrevMember(symbol, SameChord);
}

TStaveTimeSymbol* FirstChordMember(TStaveTimeSymbol& symbol) {
    TStaveTimeSymbol* first = &symbol;
    while (TStaveTimeSymbol* previous = PrevChordMember(*first))
        first = previous;
    return first;
}

TStaveTimeSymbol* LastSameOolMember(TStaveTimeSymbol& symbol) {
    return LastMember(symbol, SameOol);
}

TStaveTimeSymbol* PrevSameOolMember(TStaveTimeSymbol& symbol) {
    return PrevMember(symbol, SameOol);
}

TStaveTimeSymbol* FirstSameOolMember(TStaveTimeSymbol& symbol) {
    TStaveTimeSymbol* first = &symbol;
    while (TStaveTimeSymbol* previous = PrevSameOolMember(*first))
        first = previous;
    return first;
}

}  // namespace kalvora
