// How a wave document turns the fields of the simple operations and filters into the
// arguments of their Sound operations: selection-relative times, block levels, roll
// targets, and the filter runs with "Maximize Volume". S is the duration of the work range
// in seconds. Standard C++ and the sound engine only.
#pragma once

#include <cstdint>
#include <memory>

#include "sound/error_flag.h"
#include "sound/filter.h"
#include "sound/sound.h"

namespace kalvora {

// ---- Block ----
enum class BlockHorizontalKind : std::uint8_t { noChange = 0, count = 1, time = 2 };
enum class BlockVerticalKind : std::uint8_t { noChange = 0, count = 1, height = 2 };
// 0 for "No Change", S / count for "Count", time for "Time".
double BlockTimeOf(BlockHorizontalKind kind, std::int32_t count, double time, double S);
// 0 for "No Change", count for "Count", 32768 div height for "Height" (height > 0).
std::int32_t BlockLevelsOf(BlockVerticalKind kind, std::int32_t count, std::int32_t height);

// ---- Rotate ----
// The seconds to rotate left: factor·S or time, S minus that for a shift to the right,
// wrapped into 0 .. S (0 when S is 0).
double RotateSecondsOf(bool toRight, bool byFactor, double factor, double time, double S);

// ---- Roll in ----
// The region length in samples, trunc(freq·length); a roll in needs at least 1.
double RollInSamples(std::int32_t freq, double length);
// The region position at which the range starts: trunc(freq·startAt), or for "End at"
// trunc(freq·endAt + begin - end), wrapped into 0 .. n - 1. Requires n >= 1.
std::int32_t RollInTarget(bool endAt, double startAt, double endAtSeconds, std::int32_t freq,
                          double n, std::int32_t begin, std::int32_t end);

// ---- Roll out and Length ----
enum class RollOutLengthKind : std::uint8_t { factor = 0, newLength = 1, sameAs = 2, count = 3 };
enum class LengthKind : std::uint8_t { factor = 0, newLength = 1, sameAs = 2 };

struct RollOutArguments {
    double lengthFactor = 1;  // the length of the result over S
    double start = 0;         // the start position over S
    double per = 0;           // without envelope: S / speed, signed seconds
    double lengthScale = 0;   // without envelope: |speed|·lengthFactor
};
// Requires S > 0 and speed != 0. sameAsSeconds is the duration of the "Same Length as"
// document.
RollOutArguments RollOutArgumentsOf(RollOutLengthKind kind, double lengthFactor, double newLength,
                                    double sameAsSeconds, double count, double speed,
                                    double startPosition, double S);
// The Length factor: the factor, new length / S, or sameAsSeconds / S.
double LengthFactorOf(LengthKind kind, double factor, double newLength, double sameAsSeconds,
                      double S);

// ---- Low and high filter ----
struct LowHighRun {
    LowHighKind kind = LowHighKind::low;
    const Sound* envelope = nullptr;  // a frequency envelope, or a constant period:
    double period = 0.001;            // seconds
    double factor = 0.5;              // 0 < factor < 1
    std::int32_t count = 1;           // >= 1
    bool maximizeVolume = false;
};
// New: without "Maximize Volume" one filter call with countBer = countCmd = count. With it:
// the range scaled to a peak of 0.7 of full scale, then count times one pass with
// countBer = count followed by the same scaling in place. The intermediate sounds are
// released as soon as the next one exists.
std::unique_ptr<Sound> RunLowHigh(const Sound& sound, ErrorFlag* error, const LowHighRun& run,
                                  std::int32_t begin, std::int32_t end);

// ---- Resonant and notch ----
// The oscillator of the resonant and notch filters diverges when one period lasts less
// than a sample: a constant period (seconds) must give freq·period >= 1, and an envelope
// may ask for no frequency above the sample rate of the sound it filters.
bool ResonatorPeriodFits(std::int32_t freq, double period);
bool ResonatorEnvelopeFits(ErrorFlag* error, const Sound& target, const Sound& envelope);

}  // namespace kalvora
