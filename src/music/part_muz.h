// The base of the music parts. Single parts hold the symbols; the other parts arrange their
// children in time. Operations that only pass a request on to the children do so here;
// each kind overrides what it answers itself. Standard C++ only.
#pragma once

#include <memory>
#include <string>

#include "music/mus_tree_item.h"
#include "music/muz_symbol.h"

namespace kalvora {

class TLoopPartMuz;
class TNoteGroup;
class TNoteStave;
class TSinglePartMuz;
class TUnitMuz;

// What the render and extent passes do with one single part: the part starts at t0
// seconds in the result and its notes are transposed by `transposition` semitones
// (already within the transposition bound). False stops the pass; errorText says why.
class TSinglePartRenderer {
  public:
    virtual ~TSinglePartRenderer() = default;
    virtual bool RenderSinglePart(const TSinglePartMuz& part, double t0, int transposition,
                                  std::string& errorText) = 0;
};

// The running state of one pass over the part tree.
struct TPartGeneration {
    TSinglePartRenderer& Renderer;
    double Tempo;           // seconds per whole note
    double T0 = 0;          // start of the next single part, seconds
    int Transposition = 0;  // sum of the turns' pitches on the way down
    std::string ErrorText;
};

class TPartMuz : public TMusTreeItem {
  public:
    TMusTreeItemKind GetMusTreeItemKind() const override { return musTreeItemPartMuz; }
    virtual TPartMuzKind GetPartMuzKind() const = 0;

    TPartMuz* GetParent() const { return Parent; }
    // Plays and draws only when its own and all its ancestors' switches are set.
    bool TakesPartInPlayDraw() const;

    // The children in time order (none for a single part).
    virtual int ChildCount() const = 0;
    virtual TPartMuz* Child(int index) const = 0;
    // The slot of the parent that holds `child`, null when `child` is not a child here.
    virtual std::unique_ptr<TPartMuz>* ChildSlot(const TPartMuz*) { return nullptr; }

    // Symbol lists; the single parts do the work, the others pass it on.
    virtual void RemoveStaveSymbols(const TNoteStave* stave);
    virtual void RemoveGroupNotes(const TNoteGroup* group);
    virtual void FillSilences(TNoteStave* stave);
    virtual void AddStave(TNoteStave* stave);
    virtual TStaveSymbol* FirstSymbol() const;
    // The single part the symbol belongs to takes it over; false when it is not here.
    virtual bool InsertSymbol(std::unique_ptr<TStaveSymbol>& symbol);
    virtual bool DeleteSymbol(TStaveSymbol* symbol);
    virtual bool ResortSymbol(TStaveSymbol* symbol);

    // Navigation between single parts: `caller` is the part asking (a child, or the parent
    // when the request comes from above).
    virtual TSinglePartMuz* NextSinglePart(const TPartMuz* caller) = 0;
    virtual TSinglePartMuz* PrevSinglePart(const TPartMuz* caller) = 0;
    virtual TSinglePartMuz* FirstSinglePart() { return Child(0)->FirstSinglePart(); }
    virtual TSinglePartMuz* LastSinglePart() { return Child(ChildCount() - 1)->LastSinglePart(); }
    // The next or previous part that has symbols of its own (single parts, and loops and
    // select parts themselves); none past the root.
    virtual TPartMuz* NextOwnSymbolsPart(const TPartMuz* caller) = 0;
    virtual TPartMuz* PrevOwnSymbolsPart(const TPartMuz* caller) = 0;
    // The next or previous symbol of `stave`, a repeat sign included, as seen by `caller`.
    virtual TXTouchMuzSymbol* NextStaveSymbol(const TPartMuz* caller, const TNoteStave* stave) = 0;
    virtual TXTouchMuzSymbol* PrevStaveSymbol(const TPartMuz* caller, const TNoteStave* stave) = 0;
    virtual TXTouchMuzSymbol* FirstStaveSymbol(const TNoteStave* stave) {
        return Child(0)->FirstStaveSymbol(stave);
    }
    virtual TXTouchMuzSymbol* LastStaveSymbol(const TNoteStave* stave) {
        return Child(ChildCount() - 1)->LastStaveSymbol(stave);
    }

    // The innermost loop around this part (itself for a loop), or none.
    virtual TLoopPartMuz* EnclosingLoop();
    // The turn of the innermost enclosing loop; 1 outside any loop.
    virtual int CurrentTurn() const;

    // Length in whole notes, for the turns that are played.
    virtual double GetLength() = 0;
    // One pass of rendering or extent: false when the renderer failed.
    virtual bool Generate(TPartGeneration& generation) = 0;
    // Every loop below starts again at turn 1.
    virtual void ResetTurns();

    TPartMuz* Parent = nullptr;
    TUnitMuz* UnitMuz;
    std::uint8_t PlayDraw = 1;

  protected:
    explicit TPartMuz(TUnitMuz* unitMuz) : UnitMuz(unitMuz) {}

    // Gives `part` to `slot` as a child of this part.
    void Adopt(std::unique_ptr<TPartMuz>& slot, std::unique_ptr<TPartMuz> part);
    // Generates `child` when its switch is set; false only on failure.
    static bool GenerateChild(TPartMuz* child, TPartGeneration& generation);
};

}  // namespace kalvora
