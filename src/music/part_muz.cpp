#include "music/part_muz.h"

namespace kalvora {

bool TPartMuz::TakesPartInPlayDraw() const {
    for (const TPartMuz* part = this; part != nullptr; part = part->Parent) {
        if (part->PlayDraw == 0) return false;
    }
    return true;
}

void TPartMuz::RemoveStaveSymbols(const TNoteStave* stave) {
    for (int i = 0; i < ChildCount(); ++i)
        Child(i)->RemoveStaveSymbols(stave);
}

void TPartMuz::RemoveGroupNotes(const TNoteGroup* group) {
    for (int i = 0; i < ChildCount(); ++i)
        Child(i)->RemoveGroupNotes(group);
}

void TPartMuz::FillSilences(TNoteStave* stave) {
    for (int i = 0; i < ChildCount(); ++i)
        Child(i)->FillSilences(stave);
}

void TPartMuz::AddStave(TNoteStave* stave) {
    for (int i = 0; i < ChildCount(); ++i)
        Child(i)->AddStave(stave);
}

TStaveSymbol* TPartMuz::FirstSymbol() const {
    return ChildCount() > 0 ? Child(0)->FirstSymbol() : nullptr;
}

bool TPartMuz::InsertSymbol(std::unique_ptr<TStaveSymbol>& symbol) {
    for (int i = 0; i < ChildCount(); ++i) {
        if (Child(i)->InsertSymbol(symbol)) return true;
    }
    return false;
}

bool TPartMuz::DeleteSymbol(TStaveSymbol* symbol) {
    for (int i = 0; i < ChildCount(); ++i) {
        if (Child(i)->DeleteSymbol(symbol)) return true;
    }
    return false;
}

bool TPartMuz::ResortSymbol(TStaveSymbol* symbol) {
    for (int i = 0; i < ChildCount(); ++i) {
        if (Child(i)->ResortSymbol(symbol)) return true;
    }
    return false;
}

TLoopPartMuz* TPartMuz::EnclosingLoop() {
    return Parent != nullptr ? Parent->EnclosingLoop() : nullptr;
}

int TPartMuz::CurrentTurn() const {
    return Parent != nullptr ? Parent->CurrentTurn() : 1;
}

void TPartMuz::ResetTurns() {
    for (int i = 0; i < ChildCount(); ++i)
        Child(i)->ResetTurns();
}

void TPartMuz::Adopt(std::unique_ptr<TPartMuz>& slot, std::unique_ptr<TPartMuz> part) {
    if (part != nullptr) part->Parent = this;
    slot = std::move(part);
}

bool TPartMuz::GenerateChild(TPartMuz* child, TPartGeneration& generation) {
    if (child == nullptr || child->PlayDraw == 0) return true;
    return child->Generate(generation);
}

}  // namespace kalvora
