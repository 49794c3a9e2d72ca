#include "music/music_math.h"

#include <gtest/gtest.h>

namespace kalvora {
namespace {

TEST(MusicMathTest, FloorDivisionAndModuloRoundTowardMinusInfinity) {
    struct Case {
        int value, divisor, quotient, remainder;
    };
    const Case cases[] = {{13, 7, 1, 6},  {7, 7, 1, 0},   {0, 7, 0, 0},    {-1, 7, -1, 6},
                          {-7, 7, -1, 0}, {-8, 7, -2, 6}, {-13, 7, -2, 1}, {-43, 7, -7, 6}};
    for (const Case& c : cases) {
        EXPECT_EQ(FloorDiv(c.value, c.divisor), c.quotient) << c.value;
        EXPECT_EQ(FloorMod(c.value, c.divisor), c.remainder) << c.value;
        EXPECT_EQ(FloorDiv(c.value, c.divisor) * c.divisor + FloorMod(c.value, c.divisor), c.value);
    }
}

TEST(MusicMathTest, TranspositionsAreBoundToEightOctavesEitherWay) {
    EXPECT_TRUE(IsValidTransposition(96));
    EXPECT_TRUE(IsValidTransposition(-96));
    EXPECT_FALSE(IsValidTransposition(97));
    EXPECT_FALSE(IsValidTransposition(-97));
    EXPECT_EQ(ClampTransposition(500), 96);
    EXPECT_EQ(ClampTransposition(-500), -96);
    EXPECT_EQ(ClampTransposition(12), 12);
}

TEST(MusicMathTest, PositionsWithinTheToleranceAreTheSame) {
    EXPECT_TRUE(SamePosition(1.0 / 3 + 1.0 / 3 + 1.0 / 3, 1.0));
    EXPECT_FALSE(SamePosition(0.0, 1.0 / 512));
    EXPECT_TRUE(PositionBefore(0.0, 1.0 / 512));
    EXPECT_FALSE(PositionBefore(1.0, 1.0 + 1e-12));
}

}  // namespace
}  // namespace kalvora
