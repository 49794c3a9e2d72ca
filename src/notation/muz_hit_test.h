// Where a point of the music window lies in the notation the last paint laid out: the stave
// whose band holds a y, the staff position at a y, the bottom border of a stave, the symbol
// nearest to a point and the place a click inserts at. Only the parts that are drawn (their
// own and all their ancestors' PlayDraw set) take part. Window coordinates throughout, as the
// painter writes touch areas and middle lines. Standard C++ only.
#pragma once

#include "music/part_muz_nodes.h"
#include "music/stave_list.h"
#include "music/unit_muz.h"

namespace kalvora::notation {

// A symbol counts as hit only with a score below this.
inline constexpr double kHitScoreLimit = 15000.0;

// How far x lies from the symbol's touch area: 0 inside it (both edges included), else the
// gap to its nearer edge.
int TouchDistance(const TXTouchMuzSymbol& symbol, int x);

// The score of a symbol for a click at (x, y); smaller is nearer. Bars and repeat signs count
// only the horizontal distance, steeply; stave symbols the horizontal distance gently plus
// their own vertical distance.
double HitScore(const TXTouchMuzSymbol& symbol, int x, int y);

// The first stave (in stave order) whose band MiddleY - RoomUp .. MiddleY + RoomDown holds y.
TNoteStave* StaveAtY(const TStaveList& staves, int y);

// The staff position nearest to y on a stave with the given middle line (5 pixels a step,
// positive upward).
int StaffPositionAtY(int middleY, int y);

// The first stave whose bottom border, MiddleY + RoomDown - 3 .. MiddleY + RoomDown + 2,
// holds y; none when y lies on no border.
TNoteStave* StaveBorderAtY(const TStaveList& staves, int y);

// The symbol nearest to (x, y) with a score below the limit; of equal scores the first in
// part order (each part's bar or repeat signs first, then its symbols in list order).
TXTouchMuzSymbol* SymbolAt(TStartPartMuz& root, int x, int y);

// Where a click at (x, y) on `stave` inserts in add mode: the staff position at y, the first
// note and the first silence of the stave whose touch area holds x, and the symbol after
// which to insert: the last of the stave's symbols before the first one whose touch-area
// centre lies right of x, or the stave's last symbol when none does.
TMuzInsertion InsertionAt(TStartPartMuz& root, TNoteStave& stave, int x, int y);

}  // namespace kalvora::notation
