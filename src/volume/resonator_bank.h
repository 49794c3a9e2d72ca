// TResonatorBank: the bank of resonators that analyses one channel for the volume diagram,
// one tuned oscillator per row, driven by the samples. It holds the five band arrays
// (position, velocity, running peak, tuning and input-mixing coefficients) and advances
// them sample by sample. Standard C++ only.
//
// One sample s drives every band i through four oscillator steps, each in single precision
// exactly as written (no fused multiply-add):
//     Value += Speed·Tr;  Speed -= Value;  Value = (1 - Free)·s + Free·Value
// and then the peak takes m = |Value| truncated toward zero (clamped at 2^24) when m is
// larger. Resonate is the fast version; ResonateReference is the plain loop that defines
// the results, which Resonate matches bit for bit.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace kalvora {

class TVoldViewProps;

// The settings the coefficients come from, with the periods made safe: each of TimeTop and
// TimeBottom is raised to at least 2 samples, since shorter periods make the oscillators
// overflow within a few samples.
struct TResonatorTuning {
    std::int32_t bands = 0;  // YResolution
    double freq = 0.0;       // samples per second
    double timeTop = 0.0;    // seconds
    double timeBottom = 0.0;
    double width = 0.0;      // YWidth
    std::uint8_t scale = 0;  // YScale

    static TResonatorTuning From(const TVoldViewProps& settings, double freq);
};

class TResonatorBank {
  public:
    // Bands are kept in blocks of this many lanes; the lanes beyond the last band are
    // idle resonators that stay 0.
    static constexpr std::int32_t kLanes = 8;

    // Allocates the band arrays and computes the coefficients; every resonator at rest.
    explicit TResonatorBank(const TResonatorTuning& tuning);

    std::int32_t Bands() const { return bands_; }
    std::span<const float> Value() const { return {value_.data(), Count()}; }
    std::span<const float> Speed() const { return {speed_.data(), Count()}; }
    std::span<const float> Volume() const { return {volume_.data(), Count()}; }
    std::span<const float> Tr() const { return {tr_.data(), Count()}; }
    std::span<const float> Free() const { return {free_.data(), Count()}; }

    // Drives every band with count samples.
    void Resonate(const std::int16_t* samples, std::int32_t count);
    // The same with the plain scalar loop (for tests and the benchmark).
    void ResonateReference(const std::int16_t* samples, std::int32_t count);

    // Sets the running peak of band i to value (tests and benchmarks start from a state).
    void SetState(std::int32_t i, float value, float speed, float volume);
    // Hands each band's peak to take(band, peak) and resets it to 0.
    template <class Take>
    void TakePeaks(Take&& take) {
        for (std::int32_t i = 0; i < bands_; ++i) {
            take(i, volume_[static_cast<std::size_t>(i)]);
            volume_[static_cast<std::size_t>(i)] = 0.0f;
        }
    }

  private:
    std::size_t Count() const { return static_cast<std::size_t>(bands_); }

    std::int32_t bands_;
    std::int32_t blocks_;
    // Lane-padded band arrays, blocks_·kLanes entries each.
    std::vector<float> value_, speed_, volume_, tr_, free_;
};

}  // namespace kalvora
