// The small arithmetic the music model shares: floor division and modulo for indices that
// may be negative (staff positions, steps below A, key rotations), the tolerance with which
// positions in whole notes are compared, the range of heights and the bound on
// transpositions. Standard C++ only.
#pragma once

namespace kalvora {

// Division rounded toward minus infinity; divisor > 0. FloorDiv(-1, 7) is -1.
constexpr int FloorDiv(int value, int divisor) {
    const int quotient = value / divisor;
    return (value % divisor != 0 && value < 0) ? quotient - 1 : quotient;
}

// The remainder in 0 .. divisor - 1; divisor > 0. FloorMod(-1, 7) is 6.
constexpr int FloorMod(int value, int divisor) {
    const int remainder = value % divisor;
    return remainder < 0 ? remainder + divisor : remainder;
}

// Positions are sums of note lengths, the finest of which is 1/512 of a whole note (a
// sixty-fourth with three dots); a quarter of that absorbs rounding and still tells any two
// real positions apart.
inline constexpr double kPositionTolerance = 1.0 / 2048.0;

// a and b are the same position in whole notes.
inline bool SamePosition(double a, double b) {
    const double difference = a - b;
    return difference < kPositionTolerance && difference > -kPositionTolerance;
}

// a lies before b by more than the tolerance.
inline bool PositionBefore(double a, double b) {
    return a < b - kPositionTolerance;
}

// Heights count staff steps from middle C; a note sounds only within this range.
inline constexpr int kMinPitch = -43;
inline constexpr int kMaxPitch = 43;

inline constexpr bool IsValidPitch(int pitch) {
    return pitch >= kMinPitch && pitch <= kMaxPitch;
}

// A turn transposes by at most eight octaves either way, and so does the sum of nested
// turns applied to one note.
inline constexpr int kMaxTransposition = 96;

inline constexpr bool IsValidTransposition(int semitones) {
    return semitones >= -kMaxTransposition && semitones <= kMaxTransposition;
}

inline constexpr int ClampTransposition(int semitones) {
    return semitones < -kMaxTransposition  ? -kMaxTransposition
           : semitones > kMaxTransposition ? kMaxTransposition
                                           : semitones;
}

}  // namespace kalvora
