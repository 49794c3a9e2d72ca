#include "music/part_muz_nodes.h"

#include <algorithm>

#include "music/single_part_muz.h"
#include "platform/assertion.h"

namespace kalvora {

// ---- start part

std::unique_ptr<TPartMuz>* TStartPartMuz::ChildSlot(const TPartMuz* child) {
    return child != nullptr && child == PartMuz.get() ? &PartMuz : nullptr;
}

// Nothing lies before or after the whole music.
TSinglePartMuz* TStartPartMuz::NextSinglePart(const TPartMuz*) {
    return nullptr;
}
TSinglePartMuz* TStartPartMuz::PrevSinglePart(const TPartMuz*) {
    return nullptr;
}

bool TStartPartMuz::Generate(TPartGeneration& generation) {
    return GenerateChild(PartMuz.get(), generation);
}

// ---- concatenation

TConcatPartMuz::TConcatPartMuz(TUnitMuz* unitMuz, std::unique_ptr<TPartMuz> first,
                               std::unique_ptr<TPartMuz> second)
    : TPartMuz(unitMuz) {
    KALVORA_ASSERT(first != nullptr && second != nullptr);
    Adopt(FirstPart, std::move(first));
    Adopt(SecondPart, std::move(second));
}

int TConcatPartMuz::ChildCount() const {
    return (FirstPart != nullptr ? 1 : 0) + (SecondPart != nullptr ? 1 : 0);
}

TPartMuz* TConcatPartMuz::Child(int index) const {
    if (index == 0 && FirstPart != nullptr) return FirstPart.get();
    return SecondPart.get();
}

std::unique_ptr<TPartMuz>* TConcatPartMuz::ChildSlot(const TPartMuz* child) {
    if (child == nullptr) return nullptr;
    if (child == FirstPart.get()) return &FirstPart;
    if (child == SecondPart.get()) return &SecondPart;
    return nullptr;
}

TSinglePartMuz* TConcatPartMuz::NextSinglePart(const TPartMuz* caller) {
    if (caller == FirstPart.get()) return SecondPart->NextSinglePart(this);
    if (caller == SecondPart.get()) return Parent->NextSinglePart(this);
    return FirstPart->NextSinglePart(this);
}

TSinglePartMuz* TConcatPartMuz::PrevSinglePart(const TPartMuz* caller) {
    if (caller == SecondPart.get()) return FirstPart->PrevSinglePart(this);
    if (caller == FirstPart.get()) return Parent->PrevSinglePart(this);
    return SecondPart->PrevSinglePart(this);
}

TPartMuz* TConcatPartMuz::NextOwnSymbolsPart(const TPartMuz* caller) {
    if (caller == FirstPart.get()) return SecondPart->NextOwnSymbolsPart(this);
    if (caller == SecondPart.get()) return Parent->NextOwnSymbolsPart(this);
    return FirstPart->NextOwnSymbolsPart(this);
}

TPartMuz* TConcatPartMuz::PrevOwnSymbolsPart(const TPartMuz* caller) {
    if (caller == SecondPart.get()) return FirstPart->PrevOwnSymbolsPart(this);
    if (caller == FirstPart.get()) return Parent->PrevOwnSymbolsPart(this);
    return SecondPart->PrevOwnSymbolsPart(this);
}

TXTouchMuzSymbol* TConcatPartMuz::NextStaveSymbol(const TPartMuz* caller, const TNoteStave* stave) {
    if (caller == FirstPart.get()) return SecondPart->NextStaveSymbol(this, stave);
    if (caller == SecondPart.get()) return Parent->NextStaveSymbol(this, stave);
    return FirstPart->NextStaveSymbol(this, stave);
}

TXTouchMuzSymbol* TConcatPartMuz::PrevStaveSymbol(const TPartMuz* caller, const TNoteStave* stave) {
    if (caller == SecondPart.get()) return FirstPart->PrevStaveSymbol(this, stave);
    if (caller == FirstPart.get()) return Parent->PrevStaveSymbol(this, stave);
    return SecondPart->PrevStaveSymbol(this, stave);
}

double TConcatPartMuz::GetLength() {
    double length = 0;
    for (int i = 0; i < ChildCount(); ++i)
        length += Child(i)->GetLength();
    return length;
}

bool TConcatPartMuz::Generate(TPartGeneration& generation) {
    return GenerateChild(FirstPart.get(), generation) &&
           GenerateChild(SecondPart.get(), generation);
}

// ---- loop

TLoopPartMuz::TLoopPartMuz(TUnitMuz* unitMuz, std::unique_ptr<TPartMuz> child, int count)
    : TPartMuz(unitMuz), Count(1) {
    SetCount(count);
    Adopt(LoopPart, std::move(child));
}

std::unique_ptr<TPartMuz>* TLoopPartMuz::ChildSlot(const TPartMuz* child) {
    return child != nullptr && child == LoopPart.get() ? &LoopPart : nullptr;
}

void TLoopPartMuz::SetCount(int count) {
    KALVORA_ASSERT(count >= 1);
    Count.SetValue(count);
}

TSinglePartMuz* TLoopPartMuz::NextSinglePart(const TPartMuz* caller) {
    if (caller == LoopPart.get()) return Parent->NextSinglePart(this);
    return LoopPart->NextSinglePart(this);
}

TSinglePartMuz* TLoopPartMuz::PrevSinglePart(const TPartMuz* caller) {
    if (caller == LoopPart.get()) return Parent->PrevSinglePart(this);
    return LoopPart->PrevSinglePart(this);
}

// Coming out of the content to the right meets the right sign; coming in from the left
// meets the left sign; and the mirror image moving left.
TXTouchMuzSymbol* TLoopPartMuz::NextStaveSymbol(const TPartMuz* caller, const TNoteStave*) {
    return caller == LoopPart.get() ? &RightLoopSymbol : &LeftLoopSymbol;
}

TXTouchMuzSymbol* TLoopPartMuz::PrevStaveSymbol(const TPartMuz* caller, const TNoteStave*) {
    return caller == LoopPart.get() ? &LeftLoopSymbol : &RightLoopSymbol;
}

TXTouchMuzSymbol* TLoopPartMuz::SymbolRightOf(const TLoopPartSymbol& sign,
                                              const TNoteStave* stave) {
    if (sign.IsLeft()) return LoopPart->NextStaveSymbol(this, stave);
    return Parent->NextStaveSymbol(this, stave);
}

TXTouchMuzSymbol* TLoopPartMuz::SymbolLeftOf(const TLoopPartSymbol& sign, const TNoteStave* stave) {
    if (!sign.IsLeft()) return LoopPart->PrevStaveSymbol(this, stave);
    return Parent->PrevStaveSymbol(this, stave);
}

double TLoopPartMuz::GetLength() {
    // Summed turn by turn: select parts inside play in some turns only.
    if (LoopPart == nullptr) return 0.0;
    const int savedTurn = Turn;
    double length = 0;
    for (int turn = 1; turn <= Count.GetValue(); ++turn) {
        Turn = turn;
        length += LoopPart->GetLength();
    }
    Turn = savedTurn;
    return length;
}

bool TLoopPartMuz::Generate(TPartGeneration& generation) {
    for (int turn = 1; turn <= Count.GetValue(); ++turn) {
        Turn = turn;
        if (!GenerateChild(LoopPart.get(), generation)) return false;
    }
    return true;
}

void TLoopPartMuz::ResetTurns() {
    Turn = 1;
    TPartMuz::ResetTurns();
}

// ---- select part

TSelectPartMuz::TSelectPartMuz(TUnitMuz* unitMuz, std::unique_ptr<TPartMuz> child)
    : TPartMuz(unitMuz), SelectPartItems(std::make_unique<TStartSelectPartItem>(this)) {
    Adopt(SelectPart, std::move(child));
}

TSelectPartMuz::~TSelectPartMuz() {
    TSelectPartItem* item = SelectPartItems->Next;
    while (item != nullptr) {
        TSelectPartItem* next = item->Next;
        delete item;
        item = next;
    }
}

std::unique_ptr<TPartMuz>* TSelectPartMuz::ChildSlot(const TPartMuz* child) {
    return child != nullptr && child == SelectPart.get() ? &SelectPart : nullptr;
}

TCountSelectPartItem* TSelectPartMuz::FirstTurnItem() const {
    return static_cast<TCountSelectPartItem*>(SelectPartItems->Next);
}

TCountSelectPartItem* TSelectPartMuz::AddTurnItem(int count, int pitch) {
    TSelectPartItem* last = SelectPartItems.get();
    while (last->Next != nullptr)
        last = last->Next;
    auto* item = new TCountSelectPartItem(this, count, pitch);
    last->Next = item;
    return item;
}

int TSelectPartMuz::RemoveTurnItems(int count) {
    int removed = 0;
    TSelectPartItem* previous = SelectPartItems.get();
    while (previous->Next != nullptr) {
        auto* item = static_cast<TCountSelectPartItem*>(previous->Next);
        if (item->GetCount() == count) {
            previous->Next = item->Next;
            delete item;
            ++removed;
        } else {
            previous = item;
        }
    }
    return removed;
}

int TSelectPartMuz::LargestCount() const {
    int largest = 0;
    for (TCountSelectPartItem* item = FirstTurnItem(); item != nullptr;
         item = static_cast<TCountSelectPartItem*>(item->Next)) {
        largest = std::max(largest, item->GetCount());
    }
    return largest;
}

TCountSelectPartItem* TSelectPartMuz::LookUpTurn(int count) const {
    for (TCountSelectPartItem* item = FirstTurnItem(); item != nullptr;
         item = static_cast<TCountSelectPartItem*>(item->Next)) {
        if (item->GetCount() == count) return item;
    }
    return nullptr;
}

int TSelectPartMuz::CountTurnItems(int count) const {
    int number = 0;
    for (TCountSelectPartItem* item = FirstTurnItem(); item != nullptr;
         item = static_cast<TCountSelectPartItem*>(item->Next)) {
        if (item->GetCount() == count) ++number;
    }
    return number;
}

TSinglePartMuz* TSelectPartMuz::NextSinglePart(const TPartMuz* caller) {
    if (caller == SelectPart.get()) return Parent->NextSinglePart(this);
    return SelectPart->NextSinglePart(this);
}

TSinglePartMuz* TSelectPartMuz::PrevSinglePart(const TPartMuz* caller) {
    if (caller == SelectPart.get()) return Parent->PrevSinglePart(this);
    return SelectPart->PrevSinglePart(this);
}

TXTouchMuzSymbol* TSelectPartMuz::NextStaveSymbol(const TPartMuz* caller, const TNoteStave* stave) {
    if (caller == SelectPart.get()) return Parent->NextStaveSymbol(this, stave);
    return SelectPart->NextStaveSymbol(this, stave);
}

TXTouchMuzSymbol* TSelectPartMuz::PrevStaveSymbol(const TPartMuz* caller, const TNoteStave* stave) {
    if (caller == SelectPart.get()) return Parent->PrevStaveSymbol(this, stave);
    return SelectPart->PrevStaveSymbol(this, stave);
}

double TSelectPartMuz::GetLength() {
    if (SelectPart == nullptr) return 0.0;
    return LookUpTurn(CurrentTurn()) != nullptr ? SelectPart->GetLength() : 0.0;
}

bool TSelectPartMuz::Generate(TPartGeneration& generation) {
    const TCountSelectPartItem* item = LookUpTurn(CurrentTurn());
    if (item == nullptr || SelectPart == nullptr || SelectPart->PlayDraw == 0) {
        return true;  // no time passes
    }
    const int savedTransposition = generation.Transposition;
    generation.Transposition += item->GetPitch();
    const bool ok = SelectPart->Generate(generation);
    generation.Transposition = savedTransposition;
    return ok;
}

std::unique_ptr<TStartPartMuz> NewPartTree(TUnitMuz* unitMuz) {
    auto root = std::make_unique<TStartPartMuz>(unitMuz);
    root->SetPartMuz(std::make_unique<TSinglePartMuz>(unitMuz, 4, 4, 0));
    return root;
}

}  // namespace kalvora
