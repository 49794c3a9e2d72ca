// The list work that editing a stave needs: the members of a chord, the neighbours of a
// symbol on its stave, moving the rest of a stave in time, numbering its keys, and finding
// the group a symbol is exchanged with. Staves are independent in time: nothing here
// touches the symbols of another stave. Standard C++ only.
#pragma once

#include <vector>

#include "music/muz_key.h"
#include "music/single_part_muz.h"
#include "music/stave_time_symbol.h"

namespace kalvora {

// The previous / next symbol of the same stave in the part's list, or null.
TStaveSymbol* PrevOnStave(const TStaveSymbol& symbol);
TStaveSymbol* NextOnStave(const TStaveSymbol& symbol);

// The key in effect at `symbol`: the nearest key of its stave at or before it in the list
// (the symbol itself when it is a key), or null.
TKey* KeyAtOrBefore(TStaveSymbol& symbol);

// Every note and silence of the stave at the symbol's position (all tuplet members), in
// list order.
std::vector<TStaveTimeSymbol*> ChordMembers(TStaveTimeSymbol& symbol);
// Those of them with the symbol's place in the tuplet.
std::vector<TStaveTimeSymbol*> SameOolMembers(TStaveTimeSymbol& symbol);
// The notes among SameOolMembers.
std::vector<TMuzNote*> SameOolNotes(TStaveTimeSymbol& symbol);

// The last symbol of what `symbol` starts: the last chord member of a note or silence, the
// key itself.
TStaveSymbol* GroupEnd(TStaveSymbol& symbol);

// Every symbol of `stave` after `after` in its part's list moves by delta whole notes and is
// re-sorted; the keys of the stave are then numbered again per position.
void ShiftFollowing(TStaveSymbol& after, double delta, const TNoteStave* stave);

// Numbers the keys of `stave` in `part` 1, 2, ... per position, in list order, so that the
// first key at position 0 is the start key.
void RenumberKeys(TSinglePartMuz& part, const TNoteStave* stave);

// The group of a symbol for moving in time: its chord (every note and silence of the stave
// at its position), or a key alone; with its length in whole notes.
struct TSymbolGroup {
    std::vector<TStaveSymbol*> Members;  // in list order
    double Position = 0;
    double Length = 0;
    bool IsKey() const { return Members.size() == 1 && Members.front()->IsKey(); }
};
TSymbolGroup GroupOf(TStaveSymbol& symbol);

// The neighbouring group of the same stave and single part that MoveSymbol exchanges the
// group of `symbol` with, or an empty group: never the start key, and nothing moves in
// front of it.
TSymbolGroup SearchForSwitch(TStaveSymbol& symbol, int direction);

// Exchanges two neighbouring groups of one stave and single part: the later group takes
// the earlier one's position and the earlier group follows right after it.
void SwitchGroups(TSymbolGroup earlier, TSymbolGroup later);

}  // namespace kalvora
