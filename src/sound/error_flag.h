// The error flag that every sound operation honours, and the run loop that tests it.
// Standard C++ only.
//
// A wave document owns one flag and passes a pointer to it to every operation on its sound.
// An operation that finds the flag set on entry does nothing and returns no result; an
// allocation failure sets it; long loops work in runs of at most kRunLength samples and stop
// when the flag is set between two runs. The engine only ever sets the flag, never clears
// it: a result obtained while it is set must be discarded by the caller.
#pragma once

#include <algorithm>
#include <cstdint>

namespace kalvora {

// 0: no error. Passed as ErrorFlag*, never null.
using ErrorFlag = std::uint8_t;
// The value of a flag the user set by cancelling long work (from the main thread while the
// work runs on another): the operation stops as after a failure.
inline constexpr ErrorFlag kErrorCancelled = 2;

// The flag is read and written atomically: work on another thread sees a cancel.
inline bool ErrorIsSet(const ErrorFlag* error) {
    return __atomic_load_n(error, __ATOMIC_RELAXED) != 0;
}
inline void SetError(ErrorFlag* error) {
    __atomic_store_n(error, ErrorFlag{1}, __ATOMIC_RELAXED);
}
inline void CancelWork(ErrorFlag* error) {
    __atomic_store_n(error, kErrorCancelled, __ATOMIC_RELAXED);
}
inline bool WorkCancelled(const ErrorFlag* error) {
    return __atomic_load_n(error, __ATOMIC_RELAXED) == kErrorCancelled;
}

// The longest stretch of samples processed without looking at the flag.
inline constexpr std::int32_t kRunLength = 1000;

// Calls work(runBegin, runEnd) for consecutive runs of at most kRunLength indices that cover
// begin .. end (end exclusive), testing the flag before each run. Returns false when the
// flag stopped the loop.
template <class Work>
bool ForEachRun(const ErrorFlag* error, std::int64_t begin, std::int64_t end, Work&& work) {
    while (begin < end) {
        if (ErrorIsSet(error)) return false;
        const std::int64_t runEnd = std::min<std::int64_t>(end, begin + kRunLength);
        work(begin, runEnd);
        begin = runEnd;
    }
    return !ErrorIsSet(error);
}

}  // namespace kalvora
