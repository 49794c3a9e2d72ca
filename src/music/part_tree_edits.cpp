#include "music/part_tree_edits.h"

#include <algorithm>
#include <functional>
#include <utility>

#include "music/part_tree.h"
#include "music/single_part_muz.h"
#include "music/unit_muz.h"
#include "platform/assertion.h"

namespace kalvora {

namespace {

TConcatPartMuz& ParentConcat(TPartMuz& part) {
    KALVORA_ASSERT(part.Parent != nullptr && part.Parent->GetPartMuzKind() == partMuzConcat);
    return static_cast<TConcatPartMuz&>(*part.Parent);
}

// Puts what `wrap` makes of `part` into the place `part` held in its parent.
TPartMuz& ReplaceInPlace(
    TPartMuz& part,
    const std::function<std::unique_ptr<TPartMuz>(std::unique_ptr<TPartMuz>)>& wrap) {
    TPartMuz* parent = part.Parent;
    KALVORA_ASSERT(parent != nullptr);
    std::unique_ptr<TPartMuz>* slot = parent->ChildSlot(&part);
    KALVORA_ASSERT(slot != nullptr);
    std::unique_ptr<TPartMuz> owned = std::move(*slot);
    owned->Parent = nullptr;
    std::unique_ptr<TPartMuz> wrapped = wrap(std::move(owned));
    wrapped->Parent = parent;
    *slot = std::move(wrapped);
    return **slot;
}

// Takes `part` out of its chain: its parent concatenation gives its place to the other child.
std::unique_ptr<TPartMuz> TakeOutOfChain(TPartMuz& part) {
    TConcatPartMuz& concat = ParentConcat(part);
    std::unique_ptr<TPartMuz> taken = DetachPart(part);
    DissolveConcat(concat);
    return taken;
}

// The content of a loop or select part becomes the concatenation of `part` and the content,
// in the order asked.
void JoinContent(TUnitMuz* unit, TPartMuz& holder, std::unique_ptr<TPartMuz> part, bool first) {
    KALVORA_ASSERT(holder.ChildCount() == 1);
    ReplaceInPlace(*holder.Child(0), [&](std::unique_ptr<TPartMuz> content) {
        return first ? std::make_unique<TConcatPartMuz>(unit, std::move(part), std::move(content))
                     : std::make_unique<TConcatPartMuz>(unit, std::move(content), std::move(part));
    });
}

}  // namespace

int PartTreeDepth(const TPartMuz& part) {
    int deepest = -1;
    for (int i = 0; i < part.ChildCount(); ++i)
        deepest = std::max(deepest, PartTreeDepth(*part.Child(i)));
    return deepest + 1;
}

long long PartTreeTurns(const TPartMuz& part) {
    long long inside = 1;
    for (int i = 0; i < part.ChildCount(); ++i)
        inside = std::max(inside, PartTreeTurns(*part.Child(i)));
    if (part.GetPartMuzKind() == partMuzLoop) {
        inside *= static_cast<const TLoopPartMuz&>(part).GetCount();
    }
    return inside;
}

std::unique_ptr<TSinglePartMuz> NewSinglePart(TUnitMuz& unit) {
    auto single = std::make_unique<TSinglePartMuz>(&unit, 4, 4, 0);
    for (TNoteStave* stave = unit.Staves().FirstStave(); stave != nullptr; stave = stave->Next)
        single->AddStave(stave);
    return single;
}

TSinglePartMuz& InsertSinglePart(TUnitMuz& unit, TPartMuz& part, bool after) {
    std::unique_ptr<TSinglePartMuz> single = NewSinglePart(unit);
    TSinglePartMuz& added = *single;
    ReplaceInPlace(part, [&](std::unique_ptr<TPartMuz> old) {
        return after ? std::make_unique<TConcatPartMuz>(&unit, std::move(old), std::move(single))
                     : std::make_unique<TConcatPartMuz>(&unit, std::move(single), std::move(old));
    });
    return added;
}

TLoopPartMuz& WrapInRepeat(TUnitMuz& unit, TPartMuz& part) {
    return static_cast<TLoopPartMuz&>(ReplaceInPlace(part, [&](std::unique_ptr<TPartMuz> old) {
        return std::make_unique<TLoopPartMuz>(&unit, std::move(old), 2);
    }));
}

TSelectPartMuz& WrapInTurns(TUnitMuz& unit, TPartMuz& part) {
    auto& select =
        static_cast<TSelectPartMuz&>(ReplaceInPlace(part, [&](std::unique_ptr<TPartMuz> old) {
            return std::make_unique<TSelectPartMuz>(&unit, std::move(old));
        }));
    select.AddTurnItem(1, 0);
    return select;
}

TCountSelectPartItem& AddNextTurn(TSelectPartMuz& select) {
    return *select.AddTurnItem(select.LargestCount() + 1, 0);
}

void SwapWithSibling(TPartMuz& part, bool forward) {
    TPartMuz* other = forward ? NextSiblingPart(part) : PrevSiblingPart(part);
    KALVORA_ASSERT(other != nullptr);
    TPartMuz* partParent = part.Parent;
    TPartMuz* otherParent = other->Parent;
    std::unique_ptr<TPartMuz>* partSlot = partParent->ChildSlot(&part);
    std::unique_ptr<TPartMuz>* otherSlot = otherParent->ChildSlot(other);
    KALVORA_ASSERT(partSlot != nullptr && otherSlot != nullptr);
    std::swap(*partSlot, *otherSlot);
    part.Parent = otherParent;
    other->Parent = partParent;
}

void MoveIntoSibling(TPartMuz& part, bool forward) {
    TPartMuz* target = forward ? NextSiblingPart(part) : PrevSiblingPart(part);
    KALVORA_ASSERT(target != nullptr);
    KALVORA_ASSERT(target->GetPartMuzKind() == partMuzLoop ||
                   target->GetPartMuzKind() == partMuzSelect);
    TUnitMuz* unit = part.UnitMuz;
    std::unique_ptr<TPartMuz> moved = TakeOutOfChain(part);
    JoinContent(unit, *target, std::move(moved), forward);
}

void MoveOutOfEnclosing(TPartMuz& part, bool forward) {
    TPartMuz* enclosing = EnclosingLoopOrSelect(part);
    KALVORA_ASSERT(enclosing != nullptr);
    TUnitMuz* unit = part.UnitMuz;
    std::unique_ptr<TPartMuz> moved = TakeOutOfChain(part);
    ReplaceInPlace(*enclosing, [&](std::unique_ptr<TPartMuz> old) {
        return forward ? std::make_unique<TConcatPartMuz>(unit, std::move(old), std::move(moved))
                       : std::make_unique<TConcatPartMuz>(unit, std::move(moved), std::move(old));
    });
}

TPartMuz& UnwrapPart(TUnitMuz& unit, TPartMuz& part) {
    KALVORA_ASSERT(part.GetPartMuzKind() == partMuzLoop || part.GetPartMuzKind() == partMuzSelect);
    TPartMuz& content = *part.Child(0);
    std::unique_ptr<TPartMuz> kept = DetachPart(content);
    std::unique_ptr<TPartMuz> removed = ReplacePart(part, std::move(kept));
    // The removed part now holds only its repeat signs or turn items; the selection may be
    // one of those signs.
    TMusicDeletion deletion;
    deletion.AddTreeItem(removed.get());
    ForgetDeleted(unit.References(), unit.Staves(), deletion);
    return content;
}

void DeleteSinglePart(TUnitMuz& unit, TSinglePartMuz& part) {
    TMusicDeletion deletion;
    deletion.AddTreeItem(&part);
    ForgetDeleted(unit.References(), unit.Staves(), deletion);
    std::unique_ptr<TPartMuz> removed = TakeOutOfChain(part);
}

TSelectPartMuz& DeleteTurnItems(TUnitMuz& unit, TCountSelectPartItem& item) {
    TSelectPartMuz& select = *item.SelectPartMuz;
    const int count = item.GetCount();
    TMusicDeletion deletion;
    for (TSelectPartItem* i = select.FirstTurnItem(); i != nullptr; i = i->Next) {
        if (static_cast<TCountSelectPartItem*>(i)->GetCount() == count) deletion.AddTreeItem(i);
    }
    ForgetDeleted(unit.References(), unit.Staves(), deletion);
    select.RemoveTurnItems(count);
    return select;
}

}  // namespace kalvora
