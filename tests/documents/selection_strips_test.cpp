#include "documents/selection_strips.h"

#include <gtest/gtest.h>

namespace kalvora {
namespace {

using Strips = std::vector<TSampleRange>;

TEST(SelectionStripsTest, OnlyThePartsThatChangedStateAreRepainted) {
    struct Case {
        std::int32_t a, b, c, d;
        Strips expected;
    };
    for (const Case& k : {
             Case{10, 20, 10, 20, {}},                    // unchanged
             Case{10, 20, 15, 20, {{10, 15}}},            // shrunk at the front
             Case{10, 20, 10, 25, {{20, 25}}},            // grown at the back
             Case{10, 20, 30, 40, {{10, 20}, {30, 40}}},  // moved away
             Case{5, 5, 10, 20, {{10, 20}}},              // from a cursor
             Case{10, 20, 12, 12, {{10, 12}, {12, 20}}},  // to a cursor inside
         }) {
        EXPECT_EQ(ChangedSelectionStrips(k.a, k.b, k.c, k.d, 100), k.expected)
            << k.a << " " << k.b << " " << k.c << " " << k.d;
    }
    EXPECT_TRUE(ChangedSelectionStrips(0, 0, 0, 0, 0).empty());
}

}  // namespace
}  // namespace kalvora
