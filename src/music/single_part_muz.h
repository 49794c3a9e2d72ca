// A single part: one bar (time signature) and the time-ordered list of the symbols of all
// staves for one stretch of music. The list is kept sorted by Before and owns its symbols.
// Standard C++ only.
#pragma once

#include <memory>

#include "music/part_muz.h"

namespace kalvora {

class TKey;
class TStaveTimeSymbol;

class TSinglePartMuz : public TPartMuz {
  public:
    TSinglePartMuz(TUnitMuz* unitMuz, int noteLength = 4, int countNotes = 4, int extraCount = 0);
    ~TSinglePartMuz() override;

    TPartMuzKind GetPartMuzKind() const override { return partMuzSingle; }
    std::string DefaultTreeText() const override { return "part"; }
    int ChildCount() const override { return 0; }
    TPartMuz* Child(int) const override { return nullptr; }

    TMuzBar& GetMuzBar() const { return *MuzBar; }

    // The list.
    TStaveSymbol* FirstSymbol() const override { return First; }
    TStaveSymbol* LastSymbol() const;
    TStaveSymbol* FirstSymbolOfStave(const TNoteStave* stave) const;
    TStaveSymbol* LastSymbolOfStave(const TNoteStave* stave) const;
    // The start key of `stave` here: the key at position 0 with Volgnr 1.
    TStaveSymbol* StartKeyOfStave(const TNoteStave* stave) const;
    bool Contains(const TStaveSymbol* symbol) const;
    // The key of `stave` in effect at `position`: the last of its keys at or before it.
    TKey* KeyInEffectAt(const TNoteStave* stave, double position) const;

    // Takes the symbol when it belongs to this part: it becomes first when it is not after
    // the first symbol, else it follows the last symbol that is before it (so of equal
    // symbols the newest comes first).
    bool InsertSymbol(std::unique_ptr<TStaveSymbol>& symbol) override;
    // Unlinks and frees the symbol when it is here.
    bool DeleteSymbol(TStaveSymbol* symbol) override;
    // Unlinks the symbol and hands it over.
    std::unique_ptr<TStaveSymbol> UnlinkSymbol(TStaveSymbol* symbol);
    // Moves the symbol to its place after its position, rank or pitch changed.
    bool ResortSymbol(TStaveSymbol* symbol) override;

    void RemoveStaveSymbols(const TNoteStave* stave) override;
    void RemoveGroupNotes(const TNoteGroup* group) override;
    // Fills the gaps of the stave with silences, never across a bar line. Remainders
    // shorter than a thirty-second are left open.
    void FillSilences(TNoteStave* stave) override;
    // Gives the stave its start key here: a G key at position 0.
    void AddStave(TNoteStave* stave) override;

    TSinglePartMuz* NextSinglePart(const TPartMuz*) override { return this; }
    TSinglePartMuz* PrevSinglePart(const TPartMuz*) override { return this; }
    TSinglePartMuz* FirstSinglePart() override { return this; }
    TSinglePartMuz* LastSinglePart() override { return this; }
    TPartMuz* NextOwnSymbolsPart(const TPartMuz*) override { return this; }
    TPartMuz* PrevOwnSymbolsPart(const TPartMuz*) override { return this; }
    TXTouchMuzSymbol* NextStaveSymbol(const TPartMuz* caller, const TNoteStave* stave) override;
    TXTouchMuzSymbol* PrevStaveSymbol(const TPartMuz* caller, const TNoteStave* stave) override;
    TXTouchMuzSymbol* FirstStaveSymbol(const TNoteStave* stave) override {
        return FirstSymbolOfStave(stave);
    }
    TXTouchMuzSymbol* LastStaveSymbol(const TNoteStave* stave) override {
        return LastSymbolOfStave(stave);
    }

    // The largest end of its notes; silences and keys do not count.
    double GetLength() override;
    bool Generate(TPartGeneration& generation) override;
    void ResetTurns() override {}

  private:
    void Link(TStaveSymbol* after, TStaveSymbol* symbol);
    void Unlink(TStaveSymbol* symbol);
    void FillGap(TNoteStave* stave, double from, double to);

    std::unique_ptr<TMuzBar> MuzBar;
    TStaveSymbol* First = nullptr;
};

}  // namespace kalvora
