#include "shell/envelope_strip.h"

#include <gtest/gtest.h>

namespace kalvora {
namespace {

using Strip = std::optional<std::pair<double, double>>;

TEST(EnvelopeStripTest, AStretchOfTheEnvelopeMapsOntoTheWaveInFront) {
    // The whole envelope of 100 samples behind a wave of 1000.
    EXPECT_EQ(EnvelopeStripInFront(10, 20, 0, 100, 1000), (Strip{{100.0, 200.0}}));
    // Only its selection 50 .. 150 is stretched: samples before it are not shown.
    EXPECT_EQ(EnvelopeStripInFront(75, 100, 50, 150, 1000), (Strip{{250.0, 500.0}}));
    EXPECT_EQ(EnvelopeStripInFront(40, 60, 50, 150, 1000), (Strip{{0.0, 100.0}}));
    EXPECT_EQ(EnvelopeStripInFront(0, 40, 50, 150, 1000), std::nullopt);
    EXPECT_EQ(EnvelopeStripInFront(160, 170, 50, 150, 1000), std::nullopt);
    EXPECT_EQ(EnvelopeStripInFront(0, 10, 0, 100, 0), std::nullopt);  // nothing in front
}

}  // namespace
}  // namespace kalvora
