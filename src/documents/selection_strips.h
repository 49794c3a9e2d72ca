// Which parts of a wave change their selection state when the selection changes, so that a
// view repaints only those (besides the old and new cursor lines).
#pragma once

#include <cstdint>
#include <vector>

#include "documents/sample_range.h"

namespace kalvora {

// The strips to repaint when the selection [a, b] becomes [c, d] (each given smaller end
// first); each strip holds the two sample positions between which to repaint. Nothing for a
// wave without samples.
std::vector<TSampleRange> ChangedSelectionStrips(std::int32_t a, std::int32_t b, std::int32_t c,
                                                 std::int32_t d, std::int32_t sampleCount);

}  // namespace kalvora
