// Sine waves read from the global sinus table.
#include <algorithm>
#include <cmath>

#include "platform/assertion.h"
#include "sound/generated_part.h"
#include "sound/sample.h"
#include "sound/sound.h"
#include "sound/wave.h"

namespace kalvora {
namespace {

// The table value at position x, 0 <= x <= kSinusValues - 1. With no fraction the formula
// gives the sample itself; the last position reads the last sample as its right neighbour
// with weight 1. A position that is no number (a period so short that its step overflows)
// reads the first sample.
inline double SinusAt(const std::int16_t* table, double x) {
    if (!(x >= 0)) x = 0;
    const auto i = std::min(static_cast<std::int32_t>(x), kSinusValues - 2);
    const double f = x - i;
    return (1 - f) * table[i] + f * table[i + 1];
}

}  // namespace

std::unique_ptr<Wave> Wave::sine(ErrorFlag* error, double a, double b, double period,
                                 double periods, double start, std::int32_t& begin,
                                 std::int32_t& end) const {
    KALVORA_ASSERT(sinus.values == kSinusValues && period > 0 && periods >= 0 && start >= 0 &&
                   start < 1);
    const std::int32_t n = generated::SampleCount(error, period * periods);
    if (n < 0) return nullptr;
    const double height = a - b;
    const double centre = std::trunc((a + b) / 2);
    const double step = 1 / period;
    constexpr double scale = kSinusValues - 1;
    const std::int16_t* table = sinus.wave;
    double phase = start;
    return generated::Generate(
        error, *this, begin, end, n > 0 ? n : 1,
        [&](std::int16_t* target, std::int64_t first, std::int64_t last) {
            for (std::int64_t k = first; k < last; ++k) {
                target[k] = ToSample(SinusAt(table, scale * phase) * height / 65535 + centre);
                phase += step;
                if (phase >= 1) phase -= std::trunc(phase);
            }
        });
}

std::unique_ptr<Sound> Sound::Sinus(ErrorFlag* error, double a, double b, double period,
                                    double periods, double start, std::int32_t& begin,
                                    std::int32_t& end) const {
    const double samples = Freq * period;
    return generated::SameInEveryChannel(
        error, *this, begin, end, [&](const Wave& wave, std::int32_t& b2, std::int32_t& e) {
            return wave.sine(error, a, b, samples, periods, start, b2, e);
        });
}

}  // namespace kalvora
