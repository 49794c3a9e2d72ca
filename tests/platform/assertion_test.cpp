#include "platform/assertion.h"

#include <gtest/gtest.h>

namespace kalvora::platform {
namespace {

TEST(AssertionTest, TextNamesFileLineAndConditionWithoutBlankBeforeFailed) {
    EXPECT_EQ(AssertionText("/src/documents/unitwave.cpp", 42, "begin < end"),
              "In unitwave.cpp line 42: Condition \"begin < end\"failed!");
}

TEST(AssertionDeathTest, FailedAssertionStopsTheProgram) {
    EXPECT_DEATH(KALVORA_ASSERT(1 + 1 == 3), "Condition \"1 \\+ 1 == 3\"failed!");
}

}  // namespace
}  // namespace kalvora::platform
