// The Wave generators: silence, lines and noise written into the gap that openGap leaves.
#include <cmath>

#include "platform/assertion.h"
#include "sound/sample.h"
#include "sound/wave.h"

namespace kalvora {

std::unique_ptr<Wave> Wave::insertSilence(ErrorFlag* error, std::int32_t n, std::int32_t begin,
                                          std::int32_t& end) const {
    auto result = openGap(error, n, begin, end);
    if (result) result->clearPart(error, begin, end);
    return result;
}

std::unique_ptr<Wave> Wave::line(ErrorFlag* error, double a, double b, std::int32_t n,
                                 bool exponential, std::int32_t begin, std::int32_t& end) const {
    KALVORA_ASSERT(n >= 1 && (!exponential || a * b > 0));
    if (n == 1) n = 2;
    auto result = openGap(error, n, begin, end);
    if (!result) return nullptr;
    std::int16_t* target = result->wave + begin;
    double value = a;
    if (exponential) {
        const double ratio = std::pow(b / a, 1.0 / n);
        ForEachRun(error, 0, n, [&](std::int64_t first, std::int64_t last) {
            for (std::int64_t k = first; k < last; ++k) {
                target[k] = ToSample(value);
                value *= ratio;
            }
        });
    } else {
        const double step = (b - a) / (n - 1);
        ForEachRun(error, 0, n, [&](std::int64_t first, std::int64_t last) {
            for (std::int64_t k = first; k < last; ++k) {
                target[k] = ToSample(value);
                value += step;
            }
        });
    }
    return result;
}

std::unique_ptr<Wave> Wave::noise(ErrorFlag* error, double volume, std::int32_t n,
                                  RandomSource& random, std::int32_t begin,
                                  std::int32_t& end) const {
    auto result = openGap(error, n, begin, end);
    if (!result) return nullptr;
    std::int16_t* target = result->wave + begin;
    const double scale = volume / 16384;
    ForEachRun(error, 0, n, [&](std::int64_t first, std::int64_t last) {
        for (std::int64_t k = first; k < last; ++k)
            target[k] = ToSample(scale * (random.Next() - 16384));
    });
    return result;
}

}  // namespace kalvora
