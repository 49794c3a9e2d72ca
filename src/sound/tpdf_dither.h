// Triangular (TPDF) dither for reducing wider samples to 16 bits: the difference of two
// uniform values, spread over -1 .. 1 steps, added before rounding so that the rounding error
// does not follow the signal. A fixed seed makes every import of a file give the same
// samples. Standard C++ only.
#pragma once

#include <cstdint>

namespace kalvora {

class TpdfDither {
  public:
    explicit TpdfDither(std::uint64_t seed = 0x9E3779B97F4A7C15ull) : state_(seed | 1) {}

    // The next dither value, in steps of the 16-bit scale: strictly between -1 and 1.
    float Next() {
        // xorshift64*: one draw gives both uniform values, 24 bits each so that floats hold
        // them exactly and their difference never reaches a whole step.
        state_ ^= state_ >> 12;
        state_ ^= state_ << 25;
        state_ ^= state_ >> 27;
        const std::uint64_t bits = state_ * 0x2545F4914F6CDD1Dull;
        constexpr float scale = 1.0f / 16777216.0f;
        const auto first = static_cast<std::int32_t>(bits >> 40);
        const auto second = static_cast<std::int32_t>((bits >> 8) & 0xFFFFFF);
        return static_cast<float>(first - second) * scale;
    }

  private:
    std::uint64_t state_;
};

}  // namespace kalvora
