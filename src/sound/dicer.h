// Dicer: six dice for the random echo, each rolled from two successive values of a random
// source, so that manipulations reading the same die move together within one echo.
// Standard C++ only.
#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "sound/random_source.h"

namespace kalvora {

class Dicer {
  public:
    static constexpr int DICES = 6;
    // The largest die: 32767·32768 + 32767. Value() divides by 32767·32768, so a die can lead
    // a little (0.006 %) past the upper end a.
    static constexpr double kDivisor = 1073676288.0;

    // Seeds source with seed and rolls from it (the generator noise shares).
    Dicer(RandomSource& source, std::uint32_t seed);
    // Rolls from next, which yields values 0 .. RandomSource::kMaximum (tests use sources
    // of their own).
    explicit Dicer(std::function<int()> next);

    // Every die becomes R1·32768 + R2 with two fresh values R1, R2 of the source.
    void Roll();
    // b + die/kDivisor·(a - b). Requires 0 <= dice < DICES.
    double Value(int dice, double a, double b) const;
    std::int32_t Die(int dice) const;

  private:
    std::function<int()> next_;
    std::array<std::int32_t, DICES> dice_{};
};

}  // namespace kalvora
