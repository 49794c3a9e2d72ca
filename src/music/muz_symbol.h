// The symbols a user can point at in a music window: the bar of a single part, the repeat
// signs of a loop part, and the stave symbols (keys, notes, silences) that lie on one stave
// at one position in time. Positions and lengths are in whole notes. The order of the
// symbols of a single part (Before) lives here too. Standard C++ only.
#pragma once

#include <cstdint>

#include "music/music_kinds.h"

namespace kalvora {

class TLoopPartMuz;
class TNoteStave;
class TSinglePartMuz;

// Anything a click can select. The touch area is written by the layout and read by hit
// testing; it means nothing until HasTouch is set.
class TXTouchMuzSymbol {
  public:
    virtual ~TXTouchMuzSymbol() = default;
    TXTouchMuzSymbol(const TXTouchMuzSymbol&) = delete;
    TXTouchMuzSymbol& operator=(const TXTouchMuzSymbol&) = delete;

    virtual TMuzSymbolKind GetMuzSymbolKind() const = 0;

    std::int32_t TouchLeft = 0;
    std::int32_t TouchRight = 0;
    std::uint8_t HasTouch = 0;

  protected:
    TXTouchMuzSymbol() = default;
};

// The time signature of a single part: CountNotes beats of 1/NoteLength per bar, the first
// bar holding only ExtraCount beats when that is not 0. Bar lines lie at F + k * L.
class TMuzBar : public TXTouchMuzSymbol {
  public:
    // Only a single part makes its bar; the part registers it as its own.
    TMuzBar(TSinglePartMuz* singlePart, int noteLength, int countNotes, int extraCount);

    TMuzSymbolKind GetMuzSymbolKind() const override { return muzSymbolBar; }

    TSinglePartMuz* GetSinglePartMuz() const { return SinglePartMuz; }
    double BeatLength() const { return 1.0 / NoteLength; }
    double BarLength() const { return CountNotes * BeatLength(); }
    double FirstBarLength() const { return ExtraCount * BeatLength(); }

    // The first bar line strictly after time x >= 0.
    double BarEnd(double x) const;

    // Move the bar lines by one beat; the symbols keep their positions.
    void FirstBarLonger();
    void FirstBarShorter();

    std::uint8_t NoteLength;  // beat length kind
    std::int32_t CountNotes;  // beats per bar, 1 .. 99
    std::int32_t ExtraCount;  // beats in the first, partial bar, 0 .. CountNotes - 1
    TSinglePartMuz* const SinglePartMuz;
};

// A repeat sign at one side of a loop part; the loop owns both of its signs.
class TLoopPartSymbol : public TXTouchMuzSymbol {
  public:
    enum Side : std::uint8_t { LeftLoopSymbol = 1, RightLoopSymbol = 2 };

    TLoopPartSymbol(TLoopPartMuz* loopPart, Side side) : LoopPartMuz(loopPart), side_(side) {}

    TMuzSymbolKind GetMuzSymbolKind() const override { return muzSymbolLoop; }
    Side GetSide() const { return side_; }
    bool IsLeft() const { return side_ == LeftLoopSymbol; }

    TLoopPartMuz* const LoopPartMuz;

  private:
    Side side_;
};

// A key, note or silence: it lies on NoteStave at Position from the start of its single
// part, in whose time-ordered list it is linked.
class TStaveSymbol : public TXTouchMuzSymbol {
  public:
    TMuzSymbolKind GetMuzSymbolKind() const override { return muzSymbolStave; }
    virtual TStaveSymbolKind GetStaveSymbolKind() const = 0;
    virtual void SetNext(TStaveSymbol* next) { Next = next; }

    // How far window row y lies from the symbol, for hit testing: keys and silences count
    // from a band of 15 pixels around the stave's middle line, notes from their drawn head.
    virtual int VerticalDistance(int y) const;

    TStaveSymbol* GetNext() const { return Next; }
    TStaveSymbol* GetPrev() const { return Prev; }
    TNoteStave* GetNoteStave() const { return NoteStave; }
    TSinglePartMuz* GetSinglePartMuz() const { return SinglePartMuz; }
    double GetSymbolPosition() const { return Position; }

    bool IsKey() const { return GetStaveSymbolKind() == staveSymbolKey; }
    bool IsNote() const { return GetStaveSymbolKind() == staveSymbolNote; }
    bool IsSilence() const { return GetStaveSymbolKind() == staveSymbolSilence; }
    bool IsTimeSymbol() const { return !IsKey(); }

    TStaveSymbol* Next = nullptr;
    TStaveSymbol* Prev = nullptr;
    TNoteStave* NoteStave;
    double Position;
    TSinglePartMuz* SinglePartMuz;

  protected:
    TStaveSymbol(TNoteStave* stave, TSinglePartMuz* singlePart, double position)
        : NoteStave(stave), Position(position), SinglePartMuz(singlePart) {}
};

// The order of the symbols of a single part: earlier position first, then keys before
// notes and silences, then keys by Volgnr and time symbols by their place in the tuplet,
// then of two notes the higher first. Symbols equal in all of these are unordered.
bool Before(const TStaveSymbol& a, const TStaveSymbol& b);

}  // namespace kalvora
