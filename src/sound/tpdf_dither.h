// Triangular (TPDF) dither for reducing wider samples to 16 bits: the difference of two
// uniform values, spread over -1 .. 1 steps, added before rounding so that the rounding error
// does not follow the signal. Each value is a hash of the sample's number rather than the next
// state of a generator, so that a block of samples is dithered without a chain of dependent
// steps; every import of a file gives the same samples. Standard C++ only.
#pragma once

#include <cstdint>

namespace kalvora {

class TpdfDither {
  public:
    // The dither value of sample number index, in steps of the 16-bit scale: strictly
    // between -1 and 1.
    static float At(std::uint32_t index) {
        // The finalizer of MurmurHash3 spreads consecutive numbers over all 32 bits; its two
        // halves are the two uniform values.
        std::uint32_t h = index * 0x9E3779B9u + 0x7F4A7C15u;
        h ^= h >> 16;
        h *= 0x85EBCA6Bu;
        h ^= h >> 13;
        h *= 0xC2B2AE35u;
        h ^= h >> 16;
        const auto first = static_cast<std::int32_t>(h >> 16);
        const auto second = static_cast<std::int32_t>(h & 0xFFFF);
        return static_cast<float>(first - second) * (1.0f / 65536.0f);
    }

    // The values of consecutive samples.
    float Next() { return At(counter_++); }

  private:
    std::uint32_t counter_ = 0;
};

}  // namespace kalvora
