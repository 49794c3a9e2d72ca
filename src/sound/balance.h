// Balance: a mono wave placed between two ears for a direction, by a volume difference, a
// direction-dependent low-pass (the "direction filter") and a time difference between the
// ears. The pieces each side is made of, for Sound::Balance and Sound::BalanceEnvelope and
// for the tests. Standard C++ only.
#pragma once

#include <cstdint>
#include <memory>

#include "sound/error_flag.h"
#include "sound/wave.h"

namespace kalvora {

// The number of entries of the direction table.
inline constexpr std::int32_t kDirectionTableValues = 150;

// The ear delay constant: the far ear hears a source at the side 1/3400 s later per unit.
inline constexpr double kEarDelayRate = 3400;

// The table value for one corner frequency at rate freq: log10(Fr·0.05)·21845 - 32768 with
// Fr = freq / (freq div hertz), limited to -32768 .. 32767 and truncated. A rate below the
// corner (freq div hertz = 0) gives the top value.
double DirectionPointValue(std::int32_t freq, double hertz);

// The direction table of a rate: 150 frequency-envelope values from 20000 Hz (index 0,
// fully towards this ear) down to 350 Hz (index 149, fully away from it), as lines between
// the corners 20000, 3500, 2500, 1000 and 350 Hz.
std::unique_ptr<Wave> MakeDirectionTable(ErrorFlag* error, std::int32_t freq);

// The table read at position 149·(a/2 + 0.5), clamped into the table, interpolated and
// truncated: the frequency-envelope value of the cutoff for direction a.
double DirectionTableValue(const Wave& table, double a);

// One side of a constant balance: wave placed for direction a (d for the left ear, -d for
// the right). Volume scales by (1 - a)/2, filter low-passes at the table's cutoff, and the
// time difference delays the far side by sin(a·pi/2)·2·freq/3400 samples (interpolated);
// with it the side grows by trunc(|delay| + 1) samples. Requires wave.values > 0.
std::unique_ptr<Wave> BalanceSide(ErrorFlag* error, const Wave& wave, double a, std::int32_t freq,
                                  bool timeDifference, bool volume, bool filter);

// One side (0 left, 1 right) of a balance whose direction follows envelope, stretched over
// the wave. The time difference pads both ends by trunc(freq/3400 + 1) samples. Requires
// wave.values > 0 and envelope.values > 0.
std::unique_ptr<Wave> BalanceEnvelopeSide(ErrorFlag* error, const Wave& wave, const Wave& envelope,
                                          int side, std::int32_t freq, bool timeDifference,
                                          bool volume, bool filter);

}  // namespace kalvora
