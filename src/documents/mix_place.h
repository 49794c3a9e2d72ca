// Where "Mix" puts the clipboard into a wave: the choice of the "Mix" dialog's radio group
// "Place", kept like a parameter record (each document has its own, the frame the last used).
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace kalvora {

enum class TMixPlace : std::uint8_t {
    alignBegin = 0,  // the clipboard starts at the selection's smaller end
    alignEnd = 1,    // the clipboard ends at the selection's larger end
    stretch = 2,     // the clipboard is stretched over the work range
};

inline constexpr std::string_view kMixCaption = "Mix";
inline constexpr std::string_view kMixPlaceLabel = "Place";
// The radio buttons in order; a button's index is its TMixPlace.
inline constexpr std::array<std::string_view, 3> kMixPlaceNames = {"Align Begin", "Align End",
                                                                   "Stretch"};

// The dialog's check on OK: the index of the chosen button (-1 for none) as a place.
// False when no valid button is chosen; the dialog then stays open.
inline bool MixPlaceFromIndex(int index, TMixPlace& place) {
    if (index < 0 || index >= static_cast<int>(kMixPlaceNames.size())) return false;
    place = static_cast<TMixPlace>(index);
    return true;
}

}  // namespace kalvora
