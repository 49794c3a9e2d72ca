// The inner loop of the volume diagram: TResonatorBank::Resonate and its scalar reference.
// This file is built without fused multiply-adds (see CMakeLists.txt), so every operation
// rounds as written and the vector and scalar loops agree bit for bit.
#include <cstring>

#include "volume/resonator_bank.h"

#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__) && !defined(__SANITIZE_THREAD__)
// One build that runs everywhere and uses AVX2 where the processor has it. (Not under the
// thread sanitizer, whose instrumented resolver would run before its runtime is ready.)
#define KALVORA_RESONATOR_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define KALVORA_RESONATOR_CLONES
#endif

#if defined(__clang__)
#define KALVORA_SCALAR_FUNCTION
#define KALVORA_SCALAR_LOOP _Pragma("clang loop vectorize(disable) interleave(disable)")
#elif defined(__GNUC__)
#define KALVORA_SCALAR_FUNCTION __attribute__((optimize("no-tree-vectorize")))
#define KALVORA_SCALAR_LOOP
#else
#define KALVORA_SCALAR_FUNCTION
#define KALVORA_SCALAR_LOOP
#endif

// The vector helpers below are inlined into the loop and never cross a call boundary, so
// the ABI note about passing 32-byte vectors without AVX does not concern them.
#if defined(__GNUC__)
#pragma GCC diagnostic ignored "-Wpsabi"
#endif

namespace kalvora {
namespace {

// Peaks are clamped here before the conversion to an integer, so that no value (also an
// infinity or NaN) reaches an undefined conversion. 2^24 is 512 times full scale.
constexpr float kPeakLimit = 16777216.0f;

using Lanes = float __attribute__((vector_size(TResonatorBank::kLanes * sizeof(float))));
using LaneMask =
    std::int32_t __attribute__((vector_size(TResonatorBank::kLanes * sizeof(std::int32_t))));

[[gnu::always_inline]] inline Lanes Load(const float* p) {
    Lanes lanes;
    std::memcpy(&lanes, p, sizeof lanes);
    return lanes;
}

[[gnu::always_inline]] inline void Store(float* p, Lanes lanes) {
    std::memcpy(p, &lanes, sizeof lanes);
}

[[gnu::always_inline]] inline Lanes Broadcast(float x) {
    Lanes lanes;
    for (int i = 0; i < TResonatorBank::kLanes; ++i)
        lanes[i] = x;
    return lanes;
}

// where ? a : b, lane by lane.
[[gnu::always_inline]] inline Lanes Select(LaneMask where, Lanes a, Lanes b) {
    return reinterpret_cast<Lanes>((where & reinterpret_cast<LaneMask>(a)) |
                                   (~where & reinterpret_cast<LaneMask>(b)));
}

struct BandArrays {
    float* value;
    float* speed;
    float* volume;
    const float* tr;
    const float* free;
    std::int32_t blocks;
};

KALVORA_RESONATOR_CLONES
void ResonateLanes(const BandArrays& bands, const std::int16_t* samples, std::int32_t count) {
    const LaneMask absMask = reinterpret_cast<LaneMask>(Broadcast(0.0f)) | 0x7FFFFFFF;
    const Lanes one = Broadcast(1.0f);
    const Lanes limit = Broadcast(kPeakLimit);
    for (std::int32_t k = 0; k < count; ++k) {
        const Lanes s = Broadcast(static_cast<float>(samples[k]));
        for (std::int32_t b = 0; b < bands.blocks; ++b) {
            const std::size_t at = static_cast<std::size_t>(b) * TResonatorBank::kLanes;
            Lanes value = Load(bands.value + at);
            Lanes speed = Load(bands.speed + at);
            const Lanes tr = Load(bands.tr + at);
            const Lanes free = Load(bands.free + at);
            const Lanes input = (one - free) * s;
            for (int step = 0; step < 4; ++step) {
                value = value + speed * tr;
                speed = speed - value;
                value = input + free * value;
            }
            const Lanes magnitude =
                reinterpret_cast<Lanes>(reinterpret_cast<LaneMask>(value) & absMask);
            const Lanes clamped = Select(magnitude < limit, magnitude, limit);
            const Lanes peak =
                __builtin_convertvector(__builtin_convertvector(clamped, LaneMask), Lanes);
            const Lanes volume = Load(bands.volume + at);
            Store(bands.volume + at, Select(peak > volume, peak, volume));
            Store(bands.value + at, value);
            Store(bands.speed + at, speed);
        }
    }
}

}  // namespace

void TResonatorBank::Resonate(const std::int16_t* samples, std::int32_t count) {
    ResonateLanes({value_.data(), speed_.data(), volume_.data(), tr_.data(), free_.data(), blocks_},
                  samples, count);
}

KALVORA_SCALAR_FUNCTION
void TResonatorBank::ResonateReference(const std::int16_t* samples, std::int32_t count) {
    for (std::int32_t k = 0; k < count; ++k) {
        const float s = samples[k];
        KALVORA_SCALAR_LOOP
        for (std::size_t i = 0; i < Count(); ++i) {
            float value = value_[i];
            float speed = speed_[i];
            for (int step = 0; step < 4; ++step) {
                value = value + speed * tr_[i];
                speed = speed - value;
                value = (1.0f - free_[i]) * s + free_[i] * value;
            }
            value_[i] = value;
            speed_[i] = speed;
            float magnitude = value < 0.0f ? -value : value;
            if (!(magnitude < kPeakLimit)) magnitude = kPeakLimit;
            const float peak = static_cast<float>(static_cast<std::int32_t>(magnitude));
            if (peak > volume_[i]) volume_[i] = peak;
        }
    }
}

}  // namespace kalvora
