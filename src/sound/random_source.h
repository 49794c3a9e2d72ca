// RandomSource: the pseudo-random generator of the sound engine. Noise draws from it, and the
// echoes' dice seed it and draw from it too, so that both share one sequence the way they
// would share a runtime's generator. Standard C++ only.
//
// The generator is a fixed linear congruential one, so that a seeded run gives the same
// samples on every machine and in every build (tests and the command line rely on it).
#pragma once

#include <cstdint>

namespace kalvora {

class RandomSource {
  public:
    // Next() is uniform over 0 .. kMaximum.
    static constexpr int kMaximum = 32767;

    explicit RandomSource(std::uint32_t seed = 1) : state_(seed) {}

    // Restarts the sequence: equal seeds give equal sequences.
    void Seed(std::uint32_t seed) { state_ = seed; }

    int Next() {
        state_ = state_ * 1103515245u + 12345u;
        return static_cast<int>((state_ >> 16) & kMaximum);
    }

  private:
    std::uint32_t state_;
};

// The one generator noise and the dice share for the whole run (main thread only).
RandomSource& SharedRandomSource();

}  // namespace kalvora
