// A range of sample indices, begin inclusive, end exclusive.
#pragma once

#include <cstdint>

namespace kalvora {

struct TSampleRange {
    std::int32_t begin = 0;
    std::int32_t end = 0;

    std::int32_t Length() const { return end - begin; }
    bool Empty() const { return begin == end; }
    bool operator==(const TSampleRange&) const = default;
};

}  // namespace kalvora
