// Which samples of a wave show a given stretch of the wave drawn behind it as its envelope:
// the envelope's work range (its selection, or the whole wave) is stretched over the whole
// wave in front, so a newly computed stretch of the envelope's volume diagram is repainted
// there and nowhere else. Standard C++ only.
#pragma once

#include <cstdint>
#include <optional>
#include <utility>

namespace kalvora {

// The samples from .. to of the envelope (work range workBegin .. workEnd) as samples of the
// wave of n samples in front of it, clamped to 0 .. n; nothing when they lie outside the work
// range or either wave has nothing to show.
std::optional<std::pair<double, double>> EnvelopeStripInFront(double from, double to,
                                                              std::int32_t workBegin,
                                                              std::int32_t workEnd, std::int32_t n);

}  // namespace kalvora
