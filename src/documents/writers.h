// The number writers: every number the user sees (dialog fields, status bar, files) is
// written by these. The decimal separator is always ".", and no text ever shows "-0".
// Non-finite numbers are written "***". Standard C++ only.
#pragma once

#include <cstdint>
#include <string>

#include "documents/display_unit.h"

namespace kalvora {

// x cut (not rounded) after maxDigAfter decimals, after adding 10^-(maxDigAfter+1) to its
// magnitude; at least minDigBefore integer digits (leading zeros) and at least minDigAfter
// decimals; further decimals only up to the last non-zero one.
// Requires minDigBefore >= 1 and 0 <= minDigAfter <= maxDigAfter.
std::string WriteDigits(double x, int minDigBefore, int minDigAfter, int maxDigAfter);

// x with about `precisie` significant digits (cut), trailing zeros dropped. precisie >= 1.
std::string WritePrecision(double x, int precisie);

// The significant digits the value types keep.
inline constexpr int kValuePrecision = 7;

// The shortest plain decimal text (no exponent) that reads back as exactly x.
std::string WriteExact(double x);

// v in a display unit, with its suffix. v is a linear factor, a fraction of a period
// (degree), a balance (balance degree), or, for the time and frequency units, seconds, or
// hertz when storedAsFrequency. An inversion of 0 (or one too large for a double) is
// written in the stored unit instead ("0 s", "0 Hz"), and a decibel of a value that is not
// positive as a plain number, so that every text reads back. Units that take no number
// here (sample, unknown) give "***".
std::string WriteValue(double v, DisplayUnit unit, bool storedAsFrequency = false);

// As WriteValue, but every digit needed to read back exactly the same double (before the
// unit's conversion). The value types fall back to it when the short text does not read
// back, as for a value just below a bound that the short text would round onto.
std::string WriteValueExact(double v, DisplayUnit unit, bool storedAsFrequency = false);

// A 16-bit sample value as a fraction of full scale (none), a percentage (percent) or a raw
// value with "$" (sample); an empty text for other units. The text always reads back as the
// same sample: the short form when it does, else more decimals, else the raw form.
std::string WriteSampleValue(int sample, DisplayUnit unit);

// A duration for the status bar: "5.25000 s", "1:01.50000", "1:00:00.50000".
std::string WriteDuration(double seconds);

// A frequency with `decimals` significant places in Hz or kHz. decimals >= 3.
std::string WriteFrequency(double frequency, int decimals);

// A number handed to the writers by kind: 0 real, 1 integer.
struct NumberValue {
    std::uint8_t kind = 0;
    double value = 0;
};

std::string WriteNumberValue(const NumberValue& number);

}  // namespace kalvora
