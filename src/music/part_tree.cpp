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
    return true;
}

}  // namespace kalvora
