// The one allocation routine for sample arrays, with its user messages, and a limit that
// tests use to make allocations fail. Uses the platform's messages only.
#pragma once

#include <cstdint>
#include <string_view>

#include "sound/error_flag.h"

namespace kalvora {

inline constexpr std::string_view kNotEnoughMemoryText =
    "There is not enough memmory for this operation.";
inline constexpr std::string_view kHeapCorruptedText =
    "Heap is corrupted! It is recommed to save your work in NEW file(s)!";

// An array of count samples with undefined contents, or nullptr. Zero samples allocate
// nothing and return nullptr without an error. A failed allocation (also any count beyond
// the 32-bit sample count of a wave, or a negative one) shows "There is not enough memmory
// for this operation." (caption "System Error", information icon), sets the flag and
// returns nullptr. The array is released with FreeSamples.
std::int16_t* AllocateSamples(ErrorFlag* error, std::int64_t count);
void FreeSamples(std::int16_t* samples);
// The same allocation without the message: for callers that report the failure themselves,
// such as the WAV reader, whose callers name the file in their message.
std::int16_t* AllocateSamplesQuietly(std::int64_t count);
// The bytes the live sample arrays hold, as the allocator reports them, and the bytes an
// array of count samples asks for (large arrays are rounded up to whole huge pages). The
// soak test checks with them that the documents hold memory linear in their samples.
std::int64_t SampleBytesHeld();
std::int64_t SampleBytesFor(std::int64_t count);
// Shows the message of a failed allocation and sets the flag, for a result that could not
// be held in a wave at all (more than 2^31 - 1 samples).
void ReportAllocationFailure(ErrorFlag* error);

// While alive, sample allocations draw on a budget of the given number of samples; an
// allocation that exceeds what is left fails as if memory were exhausted. For tests.
// Limits do not nest.
class SampleAllocationLimit {
  public:
    explicit SampleAllocationLimit(std::int64_t samples);
    ~SampleAllocationLimit();
    SampleAllocationLimit(const SampleAllocationLimit&) = delete;
    SampleAllocationLimit& operator=(const SampleAllocationLimit&) = delete;
};

}  // namespace kalvora
