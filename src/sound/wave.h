// Wave: one channel of signed 16-bit samples, the buffer every sound operation works on,
// and the global sinus table. Standard C++ and the platform's messages only.
//
// Rules shared by every operation:
// - Ranges are sample indices begin (inclusive) .. end (exclusive). Preconditions are
//   invariants the caller keeps (assertions), never user errors.
// - Operations that make a new wave return it owned by the caller, or nullptr when the
//   error flag was set on entry or an allocation failed. A result obtained while the flag
//   is set (also a partly filled one) must be discarded by the caller.
// - Computed values become samples through ToSample (truncation toward zero, low 16 bits);
//   sums of two samples wrap at 16 bits. Nothing is clipped.
// - Samples before begin and from end on are copied unchanged ("head" and "tail").
// - Operations that replace a range by material of another length take begin and end by
//   reference: on return end = begin + the length of the new material.
#pragma once

#include <cstdint>
#include <memory>

#include "sound/error_flag.h"
#include "sound/random_source.h"

namespace kalvora {

class Wave {
  public:
    std::int16_t* wave = nullptr;  // the samples; null when the wave is empty
    std::int32_t values = 0;       // the number of samples

    // An empty wave.
    Wave() = default;
    // n samples with undefined contents; on allocation failure the flag is set and the wave
    // stays empty.
    Wave(ErrorFlag* error, std::int32_t n);
    // Adopts an array of n samples obtained from AllocateSamples.
    Wave(std::int16_t* array, std::int32_t n);
    // A copy of other, made in runs; an empty other (or a set flag) gives an empty wave.
    Wave(ErrorFlag* error, const Wave& other);

    Wave(Wave&& other) noexcept;
    Wave& operator=(Wave&& other) noexcept;
    Wave(const Wave&) = delete;
    Wave& operator=(const Wave&) = delete;
    ~Wave();

    std::int32_t getValues() const { return values; }

    // Gives up the array without releasing it; the wave becomes empty.
    std::int16_t* release();

    // The interpolated value at position x >= 0: i = x truncated, f = x - i,
    // (1 - f)·s[i] + f·s[i+1] when f is not 0, otherwise s[i]. Past the last sample the
    // last sample is read. Requires values > 0.
    double getInterpolated(double x) const;

    // In place: this[to + k] = from[begin + k] for k < end - begin.
    void copyPart(ErrorFlag* error, const Wave& from, std::int32_t begin, std::int32_t end,
                  std::int32_t to);
    // In place: the range set to 0.
    void clearPart(ErrorFlag* error, std::int32_t begin, std::int32_t end);
    // In place: this[to + k] += from[begin + k], 16-bit.
    void addPart(ErrorFlag* error, const Wave& from, std::int32_t begin, std::int32_t end,
                 std::int32_t to);

    // The largest absolute sample of the range (32768 for -32768); 0 for an empty range or
    // when the flag is set during the scan.
    std::int32_t getMaxAbs(ErrorFlag* error, std::int32_t begin, std::int32_t end) const;

    // New: the samples of the range. Requires begin < end.
    std::unique_ptr<Wave> extract(ErrorFlag* error, std::int32_t begin, std::int32_t end) const;
    // New: head followed by tail. Requires begin < end.
    std::unique_ptr<Wave> remove(ErrorFlag* error, std::int32_t begin, std::int32_t end) const;
    // New: head, all of other, tail. begin = end inserts.
    std::unique_ptr<Wave> replace(ErrorFlag* error, const Wave& other, std::int32_t begin,
                                  std::int32_t end) const;
    // New: this followed by other.
    std::unique_ptr<Wave> append(ErrorFlag* error, const Wave& other) const;

    // In place: a straight line from a at begin to b at end - 1, the position advanced by
    // repeated addition of the step; a range of one sample gets (a + b) / 2, truncated.
    void drawLine(ErrorFlag* error, std::int32_t begin, double a, std::int32_t end, double b);
    // In place: each sample of the range multiplied by factor.
    void scaleInPlace(ErrorFlag* error, double factor, std::int32_t begin, std::int32_t end);

    // New: a·this[k] + b·other[k] inside the range, head and tail from this.
    // Requires other.values = values.
    std::unique_ptr<Wave> combine(ErrorFlag* error, double a, const Wave& other, double b,
                                  std::int32_t begin, std::int32_t end) const;
    // New: combine with a = b = 0.5 over the whole wave.
    std::unique_ptr<Wave> average(ErrorFlag* error, const Wave& other) const;

    // New: resamplePart of the whole wave.
    std::unique_ptr<Wave> resample(ErrorFlag* error, double factor) const;
    // New: the range stretched to n = trunc(|factor|·(end - begin - 1) + 1) samples,
    // backwards for a negative factor; n = 0 (or an empty range) gives an empty wave.
    std::unique_ptr<Wave> resamplePart(ErrorFlag* error, double factor, std::int32_t& begin,
                                       std::int32_t& end) const;
    // New: head, n samples read from the range with step L / n, tail. Forwards output j
    // reads position j·step; backwards mirrors the forward positions (L - 1 - j·step), so
    // that n = L reverses the range exactly. Requires begin < end, n > 0.
    std::unique_ptr<Wave> stretchPart(ErrorFlag* error, std::int32_t n, bool backwards,
                                      std::int32_t& begin, std::int32_t& end) const;

    // In place: this[after + k] += other[k] (16-bit) until either wave ends.
    // Requires values > 0, 0 <= after < values.
    void mixAfter(ErrorFlag* error, const Wave& other, std::int32_t after);
    // In place: this[after + k] + factor·other[k], converted, until either wave ends.
    void mixAfter(ErrorFlag* error, const Wave& other, std::int32_t after, double factor);
    // In place: all of other added from after on, continuing at sample 0 whenever the end
    // of this is reached. Requires values > 0, 0 <= after < values.
    void mixCycleAfter(ErrorFlag* error, const Wave& other, std::int32_t after);

    // New: this and other added at offset at (negative at shifts this by -at). length -1
    // uses all of other, otherwise its first (fromEnd: last) length samples.
    std::unique_ptr<Wave> mix(ErrorFlag* error, const Wave& other, std::int32_t at,
                              std::int32_t length, bool fromEnd) const;
    // New: mix with fromEnd set, placed so that the used part of other ends at position.
    std::unique_ptr<Wave> mixAlignEnd(ErrorFlag* error, const Wave& other, std::int32_t position,
                                      std::int32_t length) const;
    // New: inside the range sample k is this[begin + k] + the interpolated value of other at
    // k·(other.values - 1)/(end - begin + 1). Requires begin < end.
    std::unique_ptr<Wave> mixStretched(ErrorFlag* error, const Wave& other, std::int32_t begin,
                                       std::int32_t end) const;

    // Generators (wave_generators.cpp): each makes a new wave of the head, n generated samples
    // and the tail, and sets end = begin + n.
    // New: head, n samples of undefined contents, tail: the frame the generators fill.
    std::unique_ptr<Wave> openGap(ErrorFlag* error, std::int32_t n, std::int32_t begin,
                                  std::int32_t& end) const;
    // New: n zeros.
    std::unique_ptr<Wave> insertSilence(ErrorFlag* error, std::int32_t n, std::int32_t begin,
                                        std::int32_t& end) const;
    // New: a line of n samples from a, n of 1 taken as 2. Linear: a + k·(b - a)/(n - 1),
    // advanced by repeated addition, so that it runs from a to b inclusive. Exponential
    // (requires a·b > 0): a·r^k with r = (b/a)^(1/n), by repeated multiplication, so that
    // the last sample stays short of b.
    std::unique_ptr<Wave> line(ErrorFlag* error, double a, double b, std::int32_t n,
                               bool exponential, std::int32_t begin, std::int32_t& end) const;
    // New: n samples (volume / 16384)·(R - 16384), R drawn from random for each sample.
    std::unique_ptr<Wave> noise(ErrorFlag* error, double volume, std::int32_t n,
                                RandomSource& random, std::int32_t begin, std::int32_t& end) const;

  private:
    void Release();
};

// The global one-period sine table: sinus.wave[i] = trunc(sin(2·pi·i / 9000) · 32767).
inline constexpr std::int32_t kSinusValues = 9000;
extern Wave sinus;
// Builds the table at start-up; on failure shows "Could not create sinus." (caption
// "System Error", stop icon) and returns false.
bool CreateSinus();
// Releases the table at shutdown.
void ReleaseSinus();

}  // namespace kalvora
