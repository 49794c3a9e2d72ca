#include "sound/sample.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace kalvora {
namespace {

TEST(ToSampleTest, TruncatesTowardZeroAndWrapsTheLow16Bits) {
    struct Case {
        double value;
        std::int16_t sample;
    };
    const Case cases[] = {
        {0.0, 0},
        {1.9, 1},
        {-1.9, -1},
        {32767.0, 32767},
        {-32768.0, -32768},
        {60000.0, -5536},
        {32768.0, -32768},
        {-32769.0, 32767},
        {65536.7, 0},
        {-65537.2, -1},
        // Beyond 32 bits the value saturates first: INT32_MAX keeps 0xFFFF, INT32_MIN 0x0000.
        {3e9, -1},
        {-3e9, 0},
        {1e300, -1},
        {-1e300, 0},
        {std::numeric_limits<double>::infinity(), -1},
        {-std::numeric_limits<double>::infinity(), 0},
        {std::nan(""), 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ToSample(c.value), c.sample) << c.value;
}

TEST(ToSampleTest, AddingTwoSamplesWrapsAt16Bits) {
    EXPECT_EQ(AddSamples(30000, 30000), -5536);
    EXPECT_EQ(AddSamples(-32768, -1), 32767);
    EXPECT_EQ(AddSamples(100, -200), -100);
}

}  // namespace
}  // namespace kalvora
