// The parts that arrange other parts in time: the start part at the root, the
// concatenation of two parts, the loop that repeats its child Count times between repeat
// signs, and the select part that plays its child only in chosen turns of the enclosing
// loop, optionally transposed. Standard C++ only.
#pragma once

#include <memory>
#include <string>

#include "documents/unit_integer.h"
#include "music/part_muz.h"
#include "music/select_part_item.h"

namespace kalvora {

class TStartPartMuz : public TPartMuz {
  public:
    explicit TStartPartMuz(TUnitMuz* unitMuz) : TPartMuz(unitMuz) {}

    TPartMuzKind GetPartMuzKind() const override { return partMuzStart; }
    std::string DefaultTreeText() const override { return "root"; }
    int ChildCount() const override { return PartMuz ? 1 : 0; }
    TPartMuz* Child(int) const override { return PartMuz.get(); }
    std::unique_ptr<TPartMuz>* ChildSlot(const TPartMuz* child) override;

    TPartMuz* GetPartMuz() const { return PartMuz.get(); }
    void SetPartMuz(std::unique_ptr<TPartMuz> part) { Adopt(PartMuz, std::move(part)); }

    TSinglePartMuz* NextSinglePart(const TPartMuz* caller) override;
    TSinglePartMuz* PrevSinglePart(const TPartMuz* caller) override;
    TPartMuz* NextOwnSymbolsPart(const TPartMuz*) override { return nullptr; }
    TPartMuz* PrevOwnSymbolsPart(const TPartMuz*) override { return nullptr; }
    TXTouchMuzSymbol* NextStaveSymbol(const TPartMuz*, const TNoteStave*) override {
        return nullptr;
    }
    TXTouchMuzSymbol* PrevStaveSymbol(const TPartMuz*, const TNoteStave*) override {
        return nullptr;
    }
    TLoopPartMuz* EnclosingLoop() override { return nullptr; }
    int CurrentTurn() const override { return 1; }
    double GetLength() override { return PartMuz ? PartMuz->GetLength() : 0.0; }
    bool Generate(TPartGeneration& generation) override;

  private:
    std::unique_ptr<TPartMuz> PartMuz;
};

class TConcatPartMuz : public TPartMuz {
  public:
    TConcatPartMuz(TUnitMuz* unitMuz, std::unique_ptr<TPartMuz> first,
                   std::unique_ptr<TPartMuz> second);

    TPartMuzKind GetPartMuzKind() const override { return partMuzConcat; }
    std::string DefaultTreeText() const override { return "<concat>"; }
    // A concatenation that lost a child (while the tree is edited) shows only the other.
    int ChildCount() const override;
    TPartMuz* Child(int index) const override;
    std::unique_ptr<TPartMuz>* ChildSlot(const TPartMuz* child) override;

    TPartMuz* GetFirstPart() const { return FirstPart.get(); }
    TPartMuz* GetSecondPart() const { return SecondPart.get(); }
    void SetFirstPart(std::unique_ptr<TPartMuz> part) { Adopt(FirstPart, std::move(part)); }
    void SetSecondPart(std::unique_ptr<TPartMuz> part) { Adopt(SecondPart, std::move(part)); }

    TSinglePartMuz* NextSinglePart(const TPartMuz* caller) override;
    TSinglePartMuz* PrevSinglePart(const TPartMuz* caller) override;
    TPartMuz* NextOwnSymbolsPart(const TPartMuz* caller) override;
    TPartMuz* PrevOwnSymbolsPart(const TPartMuz* caller) override;
    TXTouchMuzSymbol* NextStaveSymbol(const TPartMuz* caller, const TNoteStave* stave) override;
    TXTouchMuzSymbol* PrevStaveSymbol(const TPartMuz* caller, const TNoteStave* stave) override;
    double GetLength() override;
    bool Generate(TPartGeneration& generation) override;

  private:
    std::unique_ptr<TPartMuz> FirstPart;
    std::unique_ptr<TPartMuz> SecondPart;
};

class TLoopPartMuz : public TPartMuz {
  public:
    TLoopPartMuz(TUnitMuz* unitMuz, std::unique_ptr<TPartMuz> child, int count);

    TPartMuzKind GetPartMuzKind() const override { return partMuzLoop; }
    std::string DefaultTreeText() const override {
        return "repeat " + std::to_string(Count.GetValue());
    }
    int ChildCount() const override { return LoopPart ? 1 : 0; }
    TPartMuz* Child(int) const override { return LoopPart.get(); }
    std::unique_ptr<TPartMuz>* ChildSlot(const TPartMuz* child) override;

    TPartMuz* GetLoopPart() const { return LoopPart.get(); }
    void SetLoopPart(std::unique_ptr<TPartMuz> part) { Adopt(LoopPart, std::move(part)); }
    TLoopPartSymbol& GetLeftLoopSymbol() { return LeftLoopSymbol; }
    TLoopPartSymbol& GetRightLoopSymbol() { return RightLoopSymbol; }
    int GetCount() const { return Count.GetValue(); }
    // count >= 1
    void SetCount(int count);
    int GetTurn() const { return Turn; }

    TSinglePartMuz* NextSinglePart(const TPartMuz* caller) override;
    TSinglePartMuz* PrevSinglePart(const TPartMuz* caller) override;
    TPartMuz* NextOwnSymbolsPart(const TPartMuz*) override { return this; }
    TPartMuz* PrevOwnSymbolsPart(const TPartMuz*) override { return this; }
    TXTouchMuzSymbol* NextStaveSymbol(const TPartMuz* caller, const TNoteStave* stave) override;
    TXTouchMuzSymbol* PrevStaveSymbol(const TPartMuz* caller, const TNoteStave* stave) override;
    TXTouchMuzSymbol* FirstStaveSymbol(const TNoteStave*) override { return &LeftLoopSymbol; }
    TXTouchMuzSymbol* LastStaveSymbol(const TNoteStave*) override { return &RightLoopSymbol; }
    // From a repeat sign of this loop to the neighbouring symbol of `stave`.
    TXTouchMuzSymbol* SymbolRightOf(const TLoopPartSymbol& sign, const TNoteStave* stave);
    TXTouchMuzSymbol* SymbolLeftOf(const TLoopPartSymbol& sign, const TNoteStave* stave);

    TLoopPartMuz* EnclosingLoop() override { return this; }
    int CurrentTurn() const override { return Turn; }
    // The sum of the child's lengths over the turns.
    double GetLength() override;
    bool Generate(TPartGeneration& generation) override;
    void ResetTurns() override;

    unitIntegerPosMore Count;
    std::uint8_t Expanded = 1;

  private:
    std::unique_ptr<TPartMuz> LoopPart;
    TLoopPartSymbol LeftLoopSymbol{this, TLoopPartSymbol::LeftLoopSymbol};
    TLoopPartSymbol RightLoopSymbol{this, TLoopPartSymbol::RightLoopSymbol};
    int Turn = 1;
};

class TSelectPartMuz : public TPartMuz {
  public:
    TSelectPartMuz(TUnitMuz* unitMuz, std::unique_ptr<TPartMuz> child);
    ~TSelectPartMuz() override;

    TPartMuzKind GetPartMuzKind() const override { return partMuzSelect; }
    std::string DefaultTreeText() const override { return "turns"; }
    int ChildCount() const override { return SelectPart ? 1 : 0; }
    TPartMuz* Child(int) const override { return SelectPart.get(); }
    std::unique_ptr<TPartMuz>* ChildSlot(const TPartMuz* child) override;

    TPartMuz* GetSelectPart() const { return SelectPart.get(); }
    void SetSelectPart(std::unique_ptr<TPartMuz> part) { Adopt(SelectPart, std::move(part)); }

    // The turn items.
    TStartSelectPartItem& GetStartItem() const { return *SelectPartItems; }
    TCountSelectPartItem* FirstTurnItem() const;
    // Appends an item for turn `count` (>= 1).
    TCountSelectPartItem* AddTurnItem(int count, int pitch = 0);
    // Unlinks and frees every item of turn `count`; the number removed.
    int RemoveTurnItems(int count);
    int LargestCount() const;
    // The first item of turn `count`, or null.
    TCountSelectPartItem* LookUpTurn(int count) const;
    int CountTurnItems(int count) const;

    TSinglePartMuz* NextSinglePart(const TPartMuz* caller) override;
    TSinglePartMuz* PrevSinglePart(const TPartMuz* caller) override;
    TPartMuz* NextOwnSymbolsPart(const TPartMuz*) override { return this; }
    TPartMuz* PrevOwnSymbolsPart(const TPartMuz*) override { return this; }
    TXTouchMuzSymbol* NextStaveSymbol(const TPartMuz* caller, const TNoteStave* stave) override;
    TXTouchMuzSymbol* PrevStaveSymbol(const TPartMuz* caller, const TNoteStave* stave) override;
    // The child's length when the current turn is one of the items, else 0.
    double GetLength() override;
    bool Generate(TPartGeneration& generation) override;

    std::uint8_t Expanded = 1;

  private:
    std::unique_ptr<TPartMuz> SelectPart;
    std::unique_ptr<TStartSelectPartItem> SelectPartItems;
};

// A new document's tree: a start part over one single part with a 4/4 bar.
std::unique_ptr<TStartPartMuz> NewPartTree(TUnitMuz* unitMuz);

}  // namespace kalvora
