#include "documents/selection_strips.h"

#include <algorithm>

namespace kalvora {

std::vector<TSampleRange> ChangedSelectionStrips(std::int32_t a, std::int32_t b, std::int32_t c,
                                                 std::int32_t d, std::int32_t sampleCount) {
    std::vector<TSampleRange> strips;
    if (sampleCount == 0) return strips;
    // Parts of the old selection that are no longer selected...
    if (a < c && a < b) strips.push_back({a, std::min(b, c)});
    if (d < b && a < b) strips.push_back({std::max(d, a), b});
    // ...and parts of the new one that were not selected before.
    if (c < a && c < d) strips.push_back({c, std::min(d, a)});
    if (b < d && c < d) strips.push_back({std::max(b, c), d});
    return strips;
}

}  // namespace kalvora
