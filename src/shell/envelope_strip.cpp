#include "shell/envelope_strip.h"

#include <algorithm>

namespace kalvora {

std::optional<std::pair<double, double>> EnvelopeStripInFront(double from, double to,
                                                              std::int32_t workBegin,
                                                              std::int32_t workEnd,
                                                              std::int32_t n) {
    if (workEnd <= workBegin || n <= 0 || to < workBegin || from > workEnd) return std::nullopt;
    const double scale = static_cast<double>(n) / (workEnd - workBegin);
    const double a = std::clamp((from - workBegin) * scale, 0.0, static_cast<double>(n));
    const double b = std::clamp((to - workBegin) * scale, 0.0, static_cast<double>(n));
    return std::make_pair(a, b);
}

}  // namespace kalvora
