#include "sound/sample_memory.h"

#include <malloc.h>
#include <sys/mman.h>

#include <atomic>
#include <cstdlib>
#include <limits>

#include "platform/messages.h"

namespace kalvora {
namespace {

// The samples left to allocate under a SampleAllocationLimit; negative: no limit.
std::atomic<std::int64_t> budget{-1};
// The bytes held by live arrays (the volume worker may allocate too).
std::atomic<std::int64_t> held{0};

bool TakeFromBudget(std::int64_t count) {
    std::int64_t left = budget.load(std::memory_order_relaxed);
    while (left >= 0) {
        if (count > left) return false;
        if (budget.compare_exchange_weak(left, left - count, std::memory_order_relaxed)) break;
    }
    return true;
}

// Arrays of this size and more are placed on huge pages where the system offers them:
// a sound of minutes then costs a few hundred page faults instead of tens of thousands,
// which makes every operation that builds a new wave markedly faster.
constexpr std::size_t kHugePage = std::size_t{2} << 20;

std::size_t RoundedBytes(std::size_t bytes) {
    return bytes < kHugePage ? bytes : (bytes + kHugePage - 1) / kHugePage * kHugePage;
}

void* AllocateBytes(std::size_t bytes) {
    const std::size_t rounded = RoundedBytes(bytes);
    void* memory = bytes < kHugePage ? std::malloc(bytes) : std::aligned_alloc(kHugePage, rounded);
    if (memory == nullptr) return nullptr;
    if (rounded >= kHugePage) madvise(memory, rounded, MADV_HUGEPAGE);  // only a hint
    held.fetch_add(static_cast<std::int64_t>(malloc_usable_size(memory)),
                   std::memory_order_relaxed);
    return memory;
}

// Linux offers no heap consistency check, so the first step of the allocation routine
// (reporting a corrupted heap with kHeapCorruptedText) has nothing to run.
std::int16_t* AllocateArray(std::int64_t count) {
    if (count < 0 || count > std::numeric_limits<std::int32_t>::max()) return nullptr;
    if (!TakeFromBudget(count)) return nullptr;
    return static_cast<std::int16_t*>(AllocateBytes(static_cast<std::size_t>(count) * 2));
}

}  // namespace

void ReportAllocationFailure(ErrorFlag* error) {
    platform::ShowMessage(kNotEnoughMemoryText, platform::caption::systemError,
                          platform::MessageIcon::information);
    SetError(error);
}

std::int16_t* AllocateSamples(ErrorFlag* error, std::int64_t count) {
    if (count == 0) return nullptr;
    std::int16_t* samples = AllocateArray(count);
    if (samples == nullptr) ReportAllocationFailure(error);
    return samples;
}

std::int16_t* AllocateSamplesQuietly(std::int64_t count) {
    return count == 0 ? nullptr : AllocateArray(count);
}

void FreeSamples(std::int16_t* samples) {
    if (samples == nullptr) return;
    held.fetch_sub(static_cast<std::int64_t>(malloc_usable_size(samples)),
                   std::memory_order_relaxed);
    std::free(samples);
}

std::int64_t SampleBytesHeld() {
    return held.load(std::memory_order_relaxed);
}

std::int64_t SampleBytesFor(std::int64_t count) {
    return count <= 0
               ? 0
               : static_cast<std::int64_t>(RoundedBytes(static_cast<std::size_t>(count) * 2));
}

SampleAllocationLimit::SampleAllocationLimit(std::int64_t samples) {
    budget.store(samples);
}

SampleAllocationLimit::~SampleAllocationLimit() {
    budget.store(-1);
}

}  // namespace kalvora
