// Working on the part tree as a whole: walking its single parts in order, the render and
// extent passes over a subtree, and the editing helpers that the music tree uses to take
// parts out, put parts in their place and dissolve a concatenation left with one child.
// Standard C++ only.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "music/part_muz_nodes.h"
#include "music/single_part_muz.h"

namespace kalvora {

// The single part after (before) `part` in playing order, or null at the end.
TSinglePartMuz* NextSinglePartAfter(TSinglePartMuz& part);
TSinglePartMuz* PrevSinglePartBefore(TSinglePartMuz& part);

// The single parts of the whole tree in playing order.
std::vector<TSinglePartMuz*> SingleParts(TStartPartMuz& root);

// The root of the tree `part` belongs to.
TPartMuz& RootOf(TPartMuz& part);

// The music tree shows a chain of concatenations as one list of sibling nodes. The node
// after (before) `part` in that list, or null at its end.
TPartMuz* NextSiblingPart(TPartMuz& part);
TPartMuz* PrevSiblingPart(TPartMuz& part);

// The loop or select part whose node holds `part` in the music tree (concatenations have
// no node), or null when that is the root.
TPartMuz* EnclosingLoopOrSelect(TPartMuz& part);

// One render or extent pass over `from` (the root or any subtree) starting at t0 seconds.
// Every loop of the tree starts at turn 1 and is back at turn 1 afterwards, also after a
// failure. A subtree switched off (its own or an ancestor's PlayDraw clear) passes no
// time. `end` receives the time after the last single part.
bool GenerateParts(TPartMuz& from, TSinglePartRenderer& renderer, double tempo, double t0,
                   std::string& errorText, double* end = nullptr);

// Takes `part` (not the root) out of its parent and hands it over; the parent's slot is
// left empty.
std::unique_ptr<TPartMuz> DetachPart(TPartMuz& part);

// Puts `replacement` in the slot of `old` and hands `old` over.
std::unique_ptr<TPartMuz> ReplacePart(TPartMuz& old, std::unique_ptr<TPartMuz> replacement);

// A concatenation that lost one of its children gives its place in its parent to the
// child it kept, and is freed.
void DissolveConcat(TConcatPartMuz& concat);

// The parts a music file reader has built but not yet placed in the tree. Whatever is left
// on the stack when reading stops is freed with it.
class TPartMuzStack {
  public:
    void Push(std::unique_ptr<TPartMuz> part) { items_.push_back(std::move(part)); }
    // The part on top, or null when the stack is empty.
    std::unique_ptr<TPartMuz> Pop();
    int Count() const { return static_cast<int>(items_.size()); }
    bool IsEmpty() const { return items_.empty(); }

  private:
    std::vector<std::unique_ptr<TPartMuz>> items_;
};

// Every child points back at its parent, and every part other than a concatenation being
// edited has its children.
bool CheckParentLinks(const TPartMuz& part);

}  // namespace kalvora
