// The "Octave" text of the music tree: a transposition in semitones as whole octaves and a
// fraction in lowest terms, such as "1 1/2" for 18 and "-1 7/12" for -19. Standard C++ only.
#pragma once

#include <string>
#include <string_view>

namespace kalvora {

// The pitch text read as an integer shown in octaves; empty when the text is empty or holds
// no integer.
std::string OctaveText(std::string_view pitchText);

// The semitones shown in octaves.
std::string OctaveTextOf(int semitones);

}  // namespace kalvora
