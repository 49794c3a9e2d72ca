#include "sound/sample_memory.h"

#include <atomic>
#include <cstdlib>
#include <limits>

#include "platform/messages.h"

namespace kalvora {
namespace {

// The samples left to allocate under a SampleAllocationLimit; negative: no limit.
std::atomic<std::int64_t> budget{-1};

bool TakeFromBudget(std::int64_t count) {
    std::int64_t left = budget.load(std::memory_order_relaxed);
    while (left >= 0) {
        if (count > left) return false;
        if (budget.compare_exchange_weak(left, left - count, std::memory_order_relaxed)) break;
    }
    return true;
}

// Linux offers no heap consistency check, so the first step of the allocation routine
// (reporting a corrupted heap with kHeapCorruptedText) has nothing to run.
std::int16_t* AllocateArray(std::int64_t count) {
    if (count < 0 || count > std::numeric_limits<std::int32_t>::max()) return nullptr;
    if (!TakeFromBudget(count)) return nullptr;
    return static_cast<std::int16_t*>(std::malloc(static_cast<std::size_t>(count) * 2));
}

}  // namespace

std::int16_t* AllocateSamples(ErrorFlag* error, std::int64_t count) {
    if (count == 0) return nullptr;
    std::int16_t* samples = AllocateArray(count);
    if (samples == nullptr) {
        platform::ShowMessage(kNotEnoughMemoryText, platform::caption::systemError,
                              platform::MessageIcon::information);
        SetError(error);
    }
    return samples;
}

void FreeSamples(std::int16_t* samples) {
    std::free(samples);
}

SampleAllocationLimit::SampleAllocationLimit(std::int64_t samples) {
    budget.store(samples);
}

SampleAllocationLimit::~SampleAllocationLimit() {
    budget.store(-1);
}

}  // namespace kalvora
