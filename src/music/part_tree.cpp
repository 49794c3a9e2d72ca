#include "music/part_tree.h"

#include "platform/assertion.h"

namespace kalvora {

TSinglePartMuz* NextSinglePartAfter(TSinglePartMuz& part) {
    return part.Parent != nullptr ? part.Parent->NextSinglePart(&part) : nullptr;
}

TSinglePartMuz* PrevSinglePartBefore(TSinglePartMuz& part) {
    return part.Parent != nullptr ? part.Parent->PrevSinglePart(&part) : nullptr;
}

std::vector<TSinglePartMuz*> SingleParts(TStartPartMuz& root) {
    std::vector<TSinglePartMuz*> parts;
    if (root.GetPartMuz() == nullptr) return parts;
    for (TSinglePartMuz* part = root.FirstSinglePart(); part != nullptr;
         part = NextSinglePartAfter(*part)) {
        parts.push_back(part);
    }
    return parts;
}

TPartMuz& RootOf(TPartMuz& part) {
    TPartMuz* root = &part;
    while (root->Parent != nullptr)
        root = root->Parent;
    return *root;
}

namespace {

TConcatPartMuz* AsConcat(TPartMuz* part) {
    return part != nullptr && part->GetPartMuzKind() == partMuzConcat
               ? static_cast<TConcatPartMuz*>(part)
               : nullptr;
}

// The first (last) node of a part in the tree: concatenations are looked through.
TPartMuz* FirstNodeOf(TPartMuz* part) {
    while (TConcatPartMuz* concat = AsConcat(part))
        part = concat->GetFirstPart();
    return part;
}

TPartMuz* LastNodeOf(TPartMuz* part) {
    while (TConcatPartMuz* concat = AsConcat(part))
        part = concat->GetSecondPart();
    return part;
}

}  // namespace

TPartMuz* NextSiblingPart(TPartMuz& part) {
    TPartMuz* child = &part;
    while (TConcatPartMuz* concat = AsConcat(child->Parent)) {
        if (child == concat->GetFirstPart()) return FirstNodeOf(concat->GetSecondPart());
        child = concat;
    }
    return nullptr;
}

TPartMuz* PrevSiblingPart(TPartMuz& part) {
    TPartMuz* child = &part;
    while (TConcatPartMuz* concat = AsConcat(child->Parent)) {
        if (child == concat->GetSecondPart()) return LastNodeOf(concat->GetFirstPart());
        child = concat;
    }
    return nullptr;
}

TPartMuz* EnclosingLoopOrSelect(TPartMuz& part) {
    TPartMuz* parent = part.Parent;
    while (AsConcat(parent) != nullptr)
        parent = parent->Parent;
    if (parent == nullptr) return nullptr;
    const TPartMuzKind kind = parent->GetPartMuzKind();
    return kind == partMuzLoop || kind == partMuzSelect ? parent : nullptr;
}

std::unique_ptr<TPartMuz> TPartMuzStack::Pop() {
    if (items_.empty()) return nullptr;
    std::unique_ptr<TPartMuz> top = std::move(items_.back());
    items_.pop_back();
    return top;
}

bool GenerateParts(TPartMuz& from, TSinglePartRenderer& renderer, double tempo, double t0,
                   std::string& errorText, double* end) {
    TPartMuz& root = RootOf(from);
    TPartGeneration generation{renderer, tempo, t0, 0, {}};
    root.ResetTurns();
    const bool ok = !from.TakesPartInPlayDraw() || from.Generate(generation);
    root.ResetTurns();
    if (!ok) errorText = generation.ErrorText;
    if (end != nullptr) *end = generation.T0;
    return ok;
}

std::unique_ptr<TPartMuz> DetachPart(TPartMuz& part) {
    KALVORA_ASSERT(part.Parent != nullptr);
    std::unique_ptr<TPartMuz>* slot = part.Parent->ChildSlot(&part);
    KALVORA_ASSERT(slot != nullptr);
    std::unique_ptr<TPartMuz> detached = std::move(*slot);
    detached->Parent = nullptr;
    return detached;
}

std::unique_ptr<TPartMuz> ReplacePart(TPartMuz& old, std::unique_ptr<TPartMuz> replacement) {
    KALVORA_ASSERT(replacement != nullptr);
    TPartMuz* parent = old.Parent;
    KALVORA_ASSERT(parent != nullptr);
    std::unique_ptr<TPartMuz>* slot = parent->ChildSlot(&old);
    KALVORA_ASSERT(slot != nullptr);
    std::unique_ptr<TPartMuz> detached = std::move(*slot);
    detached->Parent = nullptr;
    replacement->Parent = parent;
    *slot = std::move(replacement);
    return detached;
}

void DissolveConcat(TConcatPartMuz& concat) {
    KALVORA_ASSERT(concat.GetFirstPart() == nullptr || concat.GetSecondPart() == nullptr);
    KALVORA_ASSERT(concat.ChildCount() == 1);
    TPartMuz* kept = concat.Child(0);
    std::unique_ptr<TPartMuz> keptPart = std::move(*concat.ChildSlot(kept));
    // Replacing the concatenation in its parent's slot frees it.
    std::unique_ptr<TPartMuz> dissolved = ReplacePart(concat, std::move(keptPart));
}

bool CheckParentLinks(const TPartMuz& part) {
    const int expected = part.GetPartMuzKind() == partMuzSingle   ? 0
                         : part.GetPartMuzKind() == partMuzConcat ? 2
                                                                  : 1;
    if (part.ChildCount() != expected) return false;
    for (int i = 0; i < part.ChildCount(); ++i) {
        const TPartMuz* child = part.Child(i);
        if (child->Parent != &part || !CheckParentLinks(*child)) return false;
    }
    if (part.GetPartMuzKind() == partMuzSelect) {
        const auto& select = static_cast<const TSelectPartMuz&>(part);
        for (const TSelectPartItem* item = &select.GetStartItem(); item != nullptr;
             item = item->Next) {
            if (item->SelectPartMuz != &select) return false;
        }
    }
    return true;
}

}  // namespace kalvora
