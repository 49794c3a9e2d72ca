// The pending symbols of one stave while a single part is drawn, and the flush that lays
// out and draws those before a given time: splitting at the flush time, tied note values
// for lengths that are no single value, accidentals by bar, stems, beams, x positions,
// note heads, rests and ties. Every paint builds these afresh.
#pragma once

#include <array>
#include <cstdint>
#include <list>
#include <memory>
#include <vector>

#include "music/muz_key.h"
#include "music/note_stave.h"
#include "music/stave_time_symbol.h"
#include "notation/draw_note.h"
#include "notation/glyph_ink.h"

namespace kalvora::notation {

using TShiftTable = std::array<std::uint8_t, 7>;  // alteration by staff position mod 7

// Marks an entry where several alterations of one note name meet at one time position.
inline constexpr std::uint8_t kSeveralShifts = 6;

struct TDrawXPositionItem {
    double Time = 0;
    int PosInOol = 0;
    int MultiOol = 1;
    TShiftTable NoteShiftKinds{};
    // The table in effect before this position: the previous item's, or the list's own
    // for an item that was first when it was made.
    const TShiftTable* Previous = nullptr;
    int WidthBefore = -1;
    int WidthCore = -1;
    int WidthAfter = -1;
    int X = 0;
};

struct TDrawXNoteItem {
    TMuzNote* MuzNote = nullptr;
    bool Selected = false;
    bool Flipped = false;
    int Height = 0;  // staff position
    std::unique_ptr<TDrawNote> DrawNote;
};

struct TDrawXNotesItem {
    int DrawStickKind = drawStickAuto;
    double Time = 0;
    int PosInOol = 0;
    int MultiOol = 1;
    TDrawXPositionItem* Position = nullptr;
    int NoteArtKind = artNormal;
    int NoteLengthKind = 4;
    int Points = 0;
    bool LengthIsBroken = false;
    double BrokenLength = 0;
    int BeamY = 0;     // relative to MiddleY
    int StemEndY = 0;  // relative to MiddleY
    int StemX = 0;
    bool BeamStart = false, NoJoinNext = false, GroupStart = false, GroupEnd = false;
    bool SlurBegin = false, SlurEnd = false;
    std::vector<TDrawXNoteItem> Notes;

    int FlagLength() const;
    int DrawnPoints() const;
    double Length() const;
    int Highest() const;  // staff positions; 0 for a chord without notes
    int Lowest() const;
    bool StemDown() const { return DrawStickKind == drawStickDown; }
};

struct TDrawXSilItem {
    double Time = 0;
    int PosInOol = 0;
    int MultiOol = 1;
    TDrawXPositionItem* Position = nullptr;
    int NoteLengthKind = 4;
    int Points = 0;
    bool LengthIsBroken = false;
    double BrokenLength = 0;
    TSilence* Silence = nullptr;
    bool Selected = false;

    int FlagLength() const;
    int DrawnPoints() const;
    double Length() const;
};

class TStaveFlush {
  public:
    TStaveFlush(TNoteStave& stave, const TXTouchMuzSymbol* selection)
        : stave_(stave), selection_(selection) {}

    TNoteStave& Stave() const { return stave_; }

    // The key that governs staff positions and the signature from now on.
    void SetKey(const TKey& key);
    // After a bar line: the accidentals of the bar are forgotten.
    void ResetAccidentals() { running_ = signature_; }

    void RegisterNote(TMuzNote& note);
    void RegisterSilence(TSilence& silence);

    // Whether items remain that no flush has drawn yet.
    bool HasPending() const { return !positions_.empty(); }

    // Lays out and draws everything pending that starts before time t, from x on; returns
    // the x after the last position drawn (x when nothing was drawn).
    int DrawUntil(Canvas& canvas, double t, int x);

  private:
    using ChordList = std::list<TDrawXNotesItem>;

    TDrawXPositionItem* FindOrInsertPosition(double time, int posInOol, int multiOol);
    void SplitChords(double t);
    void SplitSilences(double t);
    void DecomposeChords(double t);
    void DecomposeSilences(double t);
    void MarkBeams(ChordList& chords, double t);
    void BookAccidentals(double t);
    void BuildHeads(double t);
    void ResolveStems(ChordList& chords, double t);
    void MeasureWidths(double t);
    int AssignX(double t, int x);
    void FitBeams(Canvas& canvas, ChordList& chords, double t);
    void DrawChord(Canvas& canvas, const ChordList& chords, ChordList::const_iterator chord);
    void DrawBeams(Canvas& canvas, const ChordList& chords, ChordList::const_iterator chord);
    void DrawSilences(Canvas& canvas, double t);
    void DrawTies(Canvas& canvas, double t);
    void Consume(double t);

    TNoteStave& stave_;
    const TXTouchMuzSymbol* selection_;
    const TKey* key_ = nullptr;
    TShiftTable signature_{};
    TShiftTable running_{};
    TShiftTable listTable_{};
    std::list<TDrawXPositionItem> positions_;
    // The last position and chords drawn by the previous flush: ties and the accidental
    // bookkeeping reach back to them.
    std::list<TDrawXPositionItem> keptPosition_;
    std::array<ChordList, 3> chords_;  // by stem kind: up, down, auto
    std::array<ChordList, 3> keptChord_;
    std::array<TDrawXPositionItem, 3> keptChordPosition_;  // frozen geometry of kept chords
    std::list<TDrawXSilItem> silences_;
};

}  // namespace kalvora::notation
