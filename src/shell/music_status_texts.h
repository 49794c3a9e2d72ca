// The texts of status panels 1 to 4 while a music window is active: what kind of symbol is
// selected, its position and length as fractions of a whole note, and a note's name.
// Standard C++ only.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "music/music_kinds.h"
#include "music/unit_muz.h"

namespace kalvora {

// A length or position x >= 0 in whole notes as a mixed fraction over a power of two up to
// 128: "3/8" for a dotted quarter, "2 1/4" for two and a quarter. A whole number is written
// plainly ("3"); finer values are truncated to 1/128.
std::string FractionText(double x);

// The name of a note of height `pitch` with its alteration, with the octave number: middle C
// (0) is "c4", 1 with a sharp "dis4", -1 with a flat "bes3".
std::string NoteName(int pitch, TNoteShiftKind shift);

// Panels 1 to 4 for the document's selection. Nothing selected empties all four; a bar or
// repeat sign writes panel 1 only (nullopt leaves a panel as it was).
std::array<std::optional<std::string>, 4> MusicStatusTexts(const TUnitMuz& music);

}  // namespace kalvora
