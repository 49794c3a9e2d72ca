// The display units in which a value can be typed and shown, and the range restrictions a
// value type puts on what it accepts. Shared by every value type, the number reader and the
// number writers. Standard C++ only.
#pragma once

#include <cstdint>
#include <string_view>

namespace kalvora {

// The codes are stored as one byte and are also what the number reader returns for a
// typed suffix; 10 is not used.
enum class DisplayUnit : std::uint8_t {
    none = 0,           // plain number
    percent = 1,        // "%": value x 100
    decibel = 2,        // "dB": 20 log10(value)
    second = 3,         // "s"
    millisecond = 4,    // "ms"
    hertz = 5,          // "Hz"
    kilohertz = 6,      // "kHz"
    sample = 7,         // "$": a raw 16-bit sample value
    degree = 8,         // "'": a full period is 360
    balanceDegree = 9,  // stored only: full left or right is 90
    unknown = 11,       // a suffix that names no unit
};

// Which values a value type accepts; tested after every successful conversion.
enum class Restriction : std::uint8_t {
    none = 0,
    notZero = 1,           // v != 0
    notPositive = 2,       // v <= 0
    notNegative = 3,       // v >= 0
    negative = 4,          // v < 0
    positive = 5,          // v > 0
    zeroToOne = 6,         // 0 <= v <= 1
    betweenZeroAndOne = 7  // 0 < v < 1
};

// The message for a value that breaks the restriction, or an empty text when it keeps it.
std::string_view RestrictionViolation(Restriction restriction, double value);

}  // namespace kalvora
