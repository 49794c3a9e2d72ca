// The structural edits of the part tree that the music tree offers: new single parts beside a
// part, repeats and turn selections wrapped around it, turn items, moving a subtree along,
// into and out of its neighbours, and deleting. Each edit keeps every parent link intact and
// answers the tree item that the tree selects afterwards. Whatever an edit frees (a single
// part with its symbols and bar, a loop with its repeat signs, turn items) is forgotten by the
// document's references first, so no selection is left pointing at freed memory.
// Standard C++ only.
#pragma once

#include "music/mus_tree_item.h"
#include "music/part_muz_nodes.h"

namespace kalvora {

class TUnitMuz;

// The deepest part tree a music file may hold; an edit that would nest deeper is not offered.
int PartTreeDepth(const TPartMuz& part);

// The number of times the innermost part below `part` is played at most, from the loops
// around and inside it (nested counts multiplied).
long long PartTreeTurns(const TPartMuz& part);

// A single part with a 4/4 bar and a start key for every stave of the document.
std::unique_ptr<TSinglePartMuz> NewSinglePart(TUnitMuz& unit);

// A new single part before (insert) or after (append) `part`; answers the new part.
TSinglePartMuz& InsertSinglePart(TUnitMuz& unit, TPartMuz& part, bool after);

// `part` wrapped in a loop of count 2, or in a select part with turn 1 at pitch 0.
TLoopPartMuz& WrapInRepeat(TUnitMuz& unit, TPartMuz& part);
TSelectPartMuz& WrapInTurns(TUnitMuz& unit, TPartMuz& part);

// A turn item one above the largest count, at pitch 0.
TCountSelectPartItem& AddNextTurn(TSelectPartMuz& select);

// `part` changes places with its next (previous) sibling node, which must exist.
void SwapWithSibling(TPartMuz& part, bool forward);

// `part` (whose parent is a concatenation) leaves its chain and becomes the first part inside
// its next sibling node (forward) or the last part inside its previous one (backward); that
// sibling must be a loop or select part.
void MoveIntoSibling(TPartMuz& part, bool forward);

// `part` (whose parent is a concatenation inside a loop or select part E) leaves its chain
// and follows E (forward) or goes just before E (backward).
void MoveOutOfEnclosing(TPartMuz& part, bool forward);

// Removes a loop or select part; its content takes its place (a select part's turn items go
// with it). Answers the content.
TPartMuz& UnwrapPart(TUnitMuz& unit, TPartMuz& part);

// Frees a single part with its symbols; its parent concatenation is dissolved. The part
// must have a sibling part.
void DeleteSinglePart(TUnitMuz& unit, TSinglePartMuz& part);

// Removes the turn items of `item`'s count from its select part; answers the select part.
TSelectPartMuz& DeleteTurnItems(TUnitMuz& unit, TCountSelectPartItem& item);

}  // namespace kalvora
