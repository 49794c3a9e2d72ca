// Timing shared by the benchmarks. The machines are shared: time is this thread's processor
// time (user and system, so page faults and the kernel's copies count), which other programs
// do not inflate.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <vector>

namespace kalvora {

inline double ThreadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// The fastest of several copies of bytes between two touched buffers: the floor a pass over
// that much sample data is compared with.
inline double FastestMemcpySeconds(std::size_t bytes) {
    std::vector<std::uint8_t> from(bytes, 1);
    std::vector<std::uint8_t> to(bytes, 2);
    double best = 1e9;
    for (int i = 0; i < 7; ++i) {
        const double start = ThreadSeconds();
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
        best = std::min(best, ThreadSeconds() - start);
    }
    return best;
}

}  // namespace kalvora
