#include "platform/huge_pages.h"

#include <gtest/gtest.h>

#include <vector>

namespace kalvora::platform {
namespace {

TEST(HugePagesTest, AdviceLeavesArraysAndTheirNeighboursUntouched) {
    std::vector<char> large(9u << 20, 'a');
    AdviseHugePages(large.data() + 1, large.size() - 2);
    AdviseHugePages(large.data(), 100);  // smaller than a huge page: nothing to advise
    AdviseHugePages(nullptr, 0);
    for (std::size_t i = 0; i < large.size(); i += 4096)
        ASSERT_EQ(large[i], 'a');
    large.back() = 'b';
    EXPECT_EQ(large.back(), 'b');
}

}  // namespace
}  // namespace kalvora::platform
