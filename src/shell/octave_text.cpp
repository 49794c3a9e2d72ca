#include "shell/octave_text.h"

#include <numeric>

#include "documents/unit_integer.h"

namespace kalvora {

std::string OctaveTextOf(int semitones) {
    const long long p = semitones;  // no overflow at the ends of int
    const long long whole = p / 12;
    const long long parts = 12 / std::gcd(p, 12LL);
    long long fraction = (p - whole * 12) * parts / 12;
    if (whole < 0) fraction = -fraction;
    if (parts == 1) return std::to_string(whole);
    const std::string ratio = std::to_string(fraction) + "/" + std::to_string(parts);
    if (whole == 0) return ratio;
    return std::to_string(whole) + " " + ratio;
}

std::string OctaveText(std::string_view pitchText) {
    if (pitchText.empty()) return {};
    unitInteger pitch(0);
    std::string error;
    if (!pitch.ReadText(pitchText, "Pitch", error)) return {};
    return OctaveTextOf(pitch.GetValue());
}

}  // namespace kalvora
