// The movements of the selection between symbols, chord members, staves and note groups,
// as pure functions from the selected symbol to its target (null when there is none). The
// document applies them: it selects the target, scrolls to it and plays it. Standard C++
// only.
#pragma once

#include "music/part_muz_nodes.h"
#include "music/single_part_muz.h"
#include "music/stave_list.h"
#include "music/stave_time_symbol.h"

namespace kalvora {

// The next higher (lower) note of the chord: the neighbouring symbol of the stave in the
// list, when it is a note at the same position and place in the tuplet.
TMuzNote* ChordNoteAbove(const TMuzNote& note);
TMuzNote* ChordNoteBelow(const TMuzNote& note);

// The symbol to the left (right) of `from` on `stave` (for a bar or repeat sign, the stave
// remembered from the last selected stave symbol), across the part tree. Landing on the
// start key of a part gives the part's bar; landing on a note gives the middle note of its
// chord.
TXTouchMuzSymbol* FindSymbolLeft(TXTouchMuzSymbol& from, const TNoteStave* stave);
TXTouchMuzSymbol* FindSymbolRight(TXTouchMuzSymbol& from, const TNoteStave* stave);

// The first and last symbol of a stave over the whole tree.
TXTouchMuzSymbol* FirstSymbolOfStave(TPartMuz& root, const TNoteStave* stave);
TXTouchMuzSymbol* LastSymbolOfStave(TPartMuz& root, const TNoteStave* stave);

// The symbol of `target` in the single part of `from` whose position is nearest to that
// of `from` (the earliest of equally near ones). A bar counts as position 0 of its part, a
// left repeat sign as the start of the loop's first single part, a right one as the end
// of its last single part.
TStaveSymbol* SymbolOnStave(TXTouchMuzSymbol& from, const TNoteStave* target);

// The group before (after) the note's group in its stave, or null.
TNoteGroup* PrevNoteGroup(const TMuzNote& note);
TNoteGroup* NextNoteGroup(const TMuzNote& note);
// Gives the note to `group` of its stave, which becomes the stave's selected group; time
// and pitch stay.
void MoveNoteToGroup(TMuzNote& note, TNoteGroup& group);

}  // namespace kalvora
