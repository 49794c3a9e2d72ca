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
#include <span>

#include "sound/error_flag.h"
#include "sound/filter.h"
#include "sound/partial.h"
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

    // ---- Generators: block, triangle, sine and multi frequency ----
    // (block_triangle.cpp, sine.cpp, multi_freq.cpp) Each returns a new wave: the head, the
    // n generated samples, the tail, with end = begin + n on return.

    // A block or triangle wave of period samples. A phase starts at start and after every
    // sample advances by 1 / period, wrapped into 0 .. 1. With A = h2 (the first height)
    // and B = h1: block: A while the phase is below middle, B from middle on; triangle:
    // rising from A to B until middle, falling back to A at the period's end (a middle of
    // 0 or 1 leaves out the slope that would have no width). Requires period > 0, n > 0,
    // 0 <= middle <= 1, 0 <= start < 1.
    std::unique_ptr<Wave> blockTriangle(ErrorFlag* error, double h1, double h2, double period,
                                        double middle, std::int32_t n, double start, bool triangle,
                                        std::int32_t& begin, std::int32_t& end) const;
    // As blockTriangle with the middle of sample k read from envelope: E(x) / 65535 + 0.5,
    // E interpolated at x = k·(envelope.values - 1) / (n - 1). Requires envelope.values > 0.
    std::unique_ptr<Wave> blockTriangleEnvelope(ErrorFlag* error, double h1, double h2,
                                                double period, const Wave& envelope, std::int32_t n,
                                                double start, bool triangle, std::int32_t& begin,
                                                std::int32_t& end) const;
    // n = period·periods samples (truncated, at least 1) of a sine through a and b: sample
    // T·(a - b) / 65535 + c, with T the sinus table interpolated at 8999·phase and
    // c = (a + b) / 2 truncated; the phase starts at start and advances by 1 / period,
    // losing its integer part when it reaches 1. Requires the sinus table, period > 0,
    // periods >= 0, 0 <= start < 1.
    std::unique_ptr<Wave> sine(ErrorFlag* error, double a, double b, double period, double periods,
                               double start, std::int32_t& begin, std::int32_t& end) const;
    // n samples of a sum of partials read from source, whose first values - 1 samples are
    // taken as one period. Each partial reads source from values·startAngle on, advancing
    // values / period a sample; sample k is the sum, in the partials' order, of each
    // partial's interpolated source value times its volume, truncated and wrapped after
    // every partial; after every sample each volume is multiplied by its decay. Requires
    // source.values >= 2, n >= 0, every period > 0 and 0 <= every startAngle < 1.
    std::unique_ptr<Wave> multiFreq(ErrorFlag* error, const Wave& source,
                                    std::span<const SamplePartial> partials, std::int32_t n,
                                    std::int32_t& begin, std::int32_t& end) const;
    // ---- End of the generators ----

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

    // ---- Simple operations and filters (wave_operations.cpp, filter.cpp) ----
    // Each makes a new wave: head, the range's new material, tail. Values are converted as
    // everywhere (truncation, 16-bit wrap). "Reading E stretched over the range" means: at a
    // position that starts at 0 and advances by (E.values - 1)/(L - 1) per sample of the
    // range (L its length; one sample reads only E's first value), interpolated.

    // New: sample·factor.
    std::unique_ptr<Wave> scale(ErrorFlag* error, double factor, std::int32_t begin,
                                std::int32_t end) const;
    // New: sample·E/32767 with E read stretched over the range. Requires envelope.values > 0.
    std::unique_ptr<Wave> scaleByEnvelope(ErrorFlag* error, const Wave& envelope,
                                          std::int32_t begin, std::int32_t end) const;
    // New: the range backwards.
    std::unique_ptr<Wave> reverse(ErrorFlag* error, std::int32_t begin, std::int32_t end) const;
    // New: sample + add, 16-bit.
    std::unique_ptr<Wave> moveVertically(ErrorFlag* error, std::int32_t add, std::int32_t begin,
                                         std::int32_t end) const;
    // New: moveVertically by minus the range's mean, truncated. Requires begin < end.
    std::unique_ptr<Wave> normalizeVertically(ErrorFlag* error, std::int32_t begin,
                                              std::int32_t end) const;
    // New: the range cut into blocks of x samples (x below 1 taken as 1; block k ends at
    // floor(begin + (k + 1)·x), the boundary advanced by repeated addition), each block
    // holding its truncated mean; levels 1 makes the range 0, levels >= 2 quantises each
    // mean v to (65535/(levels - 1))·floor((v + 32768)·levels/65536) - 32768.
    std::unique_ptr<Wave> block(ErrorFlag* error, double x, std::int32_t levels,
                                std::int32_t begin, std::int32_t end) const;
    // New: the range rotated left by leftShift. Requires 0 <= leftShift <= end - begin.
    std::unique_ptr<Wave> rotate(ErrorFlag* error, std::int32_t leftShift, std::int32_t begin,
                                 std::int32_t end) const;
    // New: the range replaced by n samples, first 0, into which the range's samples are
    // added (16-bit) from position target on, continuing at the region's start whenever it
    // ends. end = begin + n. Requires begin < end, n > 0, 0 <= target < n.
    std::unique_ptr<Wave> rollIn(ErrorFlag* error, std::int32_t n, std::int32_t target,
                                 std::int32_t begin, std::int32_t& end) const;
    // New: the range played as a loop for trunc(|period|·scale) samples: a phase starts at
    // start and advances by 1/period per sample, wrapped into 0 .. 1 (a negative period runs
    // backwards); each sample is the range read at (L - 1)·phase. end = begin + n.
    // Requires begin < end, period != 0, scale >= 0; start is wrapped into 0 .. 1.
    std::unique_ptr<Wave> rollOut(ErrorFlag* error, double period, double scale, double start,
                                  std::int32_t begin, std::int32_t& end) const;
    // New: n = trunc(lengthFactor·L) samples. A source position starts at start·L and for
    // each sample moves by E·speed/32767 (E read from position 0 in steps of
    // (E.values - 1)/(lengthFactor·L)), wrapped into the range; the range is read there as a
    // loop (after its last sample comes its first). end = begin + n. Requires begin < end,
    // lengthFactor > 0, envelope.values > 0.
    std::unique_ptr<Wave> rollOutEnvelope(ErrorFlag* error, const Wave& envelope,
                                          double lengthFactor, double speed, double start,
                                          std::int32_t begin, std::int32_t& end) const;
    // New: each sample s replaced by the curve read at (s/65535 + 0.5)·(curve.values - 1)
    // (clamped to the curve): a transfer function from -32768 (the curve's first sample) to
    // 32767 (its last). Requires curve.values > 0.
    std::unique_ptr<Wave> distort(ErrorFlag* error, const Wave& curve, std::int32_t begin,
                                  std::int32_t end) const;

    // Filters (filter.cpp). Range requires begin < end. Frequency envelopes are read
    // stretched over the range.
    // New: countCmd passes of a first-order section with gain a = factor^(1/countBer) and
    // coefficient c = max(0, 1 - a·2·pi/(P·sqrt(1 - a²))), P the period in samples; every
    // pass runs s = (1 - c)·x + c·s from s = 0 and stores s (low) or x - s (high); each
    // pass after the first reads the stored output of the one before. With an envelope c
    // follows the period of every sample. Requires P > 0, 0 < factor < 1, counts >= 1.
    std::unique_ptr<Wave> filterLowHigh(ErrorFlag* error, LowHighKind kind,
                                        const FilterFrequency& frequency, double factor,
                                        std::int32_t countBer, std::int32_t countCmd,
                                        std::int32_t begin, std::int32_t end) const;
    // New: a damped oscillator stepped per input sample x: y = y + d·v, v = v - y,
    // y = (1 - e)·x + e·y, with e = (1 - width)^(1/P) and d = 2.466/P² over 4 steps, or
    // d = 0.09864/P² over 20 steps for a resonant filter with a frequency envelope and a
    // constant width; the output is y (resonant) or x - y (notch). Requires a constant
    // period >= 1 and 0 <= width <= 1; an envelope that asks for a period below one sample
    // makes the oscillator diverge (the dialogs refuse it, see HighestEnvelopeFrequency).
    std::unique_ptr<Wave> filterResNotch(ErrorFlag* error, ResNotchKind kind,
                                         const FilterFrequency& frequency,
                                         const FilterWidth& width, std::int32_t begin,
                                         std::int32_t end) const;
    // New: half the running mean of the last x input samples (x signed, non-zero; the
    // input read interpolated and 0 outside the range), over the range extended by
    // index = |trunc(x)| + 1 samples: end grows by index.
    std::unique_ptr<Wave> blockFilter(ErrorFlag* error, double x, std::int32_t begin,
                                      std::int32_t& end) const;
    // New: as blockFilter with a window of h = x·E/32767 samples for E read stretched over
    // the range; where |h| <= 1 the output is half the input sample and the running sum
    // waits. The range is extended by A = trunc(|x| + 1) samples before and after it: end
    // grows by 2·A. Requires envelope.values > 0.
    std::unique_ptr<Wave> blockFilterEnvelope(ErrorFlag* error, double x, const Wave& envelope,
                                              std::int32_t begin, std::int32_t& end) const;

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
