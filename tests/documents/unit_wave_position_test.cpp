#include "documents/unit_wave_position.h"

#include <gtest/gtest.h>

#include <string>

namespace kalvora {
namespace {

struct PositionCase {
    std::string text;
    std::string message;  // empty when accepted
    double seconds;
    bool fromEnd;
    std::string shown;
};

class WavePositionReadTest : public testing::TestWithParam<PositionCase> {};

TEST_P(WavePositionReadTest, ReadsTextInATenSecondWave) {
    const PositionCase& c = GetParam();
    unitWavePosition position(1, DisplayUnit::second, false);
    position.SetLength(10);
    std::string errorText;
    const bool ok = position.ReadText(c.text, "Position", errorText);
    if (c.message.empty()) {
        ASSERT_TRUE(ok) << errorText;
        EXPECT_NEAR(position.GetValue(), c.seconds, 1e-12);
        EXPECT_EQ(position.GetFromEnd(), c.fromEnd);
        EXPECT_EQ(position.GetText(), c.shown);
    } else {
        ASSERT_FALSE(ok);
        EXPECT_EQ(errorText, "In Position: " + c.message);
        EXPECT_EQ(position.GetValue(), 1);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, WavePositionReadTest,
    testing::Values(
        PositionCase{"-1 s", "", 9, true, "-1 s"}, PositionCase{"2.5 s", "", 2.5, false, "2.5 s"},
        PositionCase{"-10 s", "", 0, true, "-10 s"},
        PositionCase{"-500 ms", "", 9.5, true, "-500 ms"},
        PositionCase{"-1 Hz", "", 9, true, "-1 Hz"}, PositionCase{"25%", "", 2.5, false, "25 %"},
        PositionCase{"0.5", "", 5, false, "0.5"}, PositionCase{"-0.25", "", 7.5, false, "0.75"},
        PositionCase{"90'", "", 2.5, false, "90 '"}, PositionCase{"-90'", "", 7.5, false, "-90 '"},
        PositionCase{"10 s", "Position must be before the end of the wave", 0, false, ""},
        PositionCase{"-10.5 s", "Position must be not before the start of the previous wave", 0,
                     false, ""},
        PositionCase{"1", "Fase is too high. (maximum: less than 1 or 100 %)", 0, false, ""},
        PositionCase{"5 dB", "Wrong unit used, use: 's', 'ms', 'Hz', 'kHz'.", 0, false, ""},
        PositionCase{"5 q", "This unit does not exist, use: 's', 'ms', 'Hz', 'kHz'.", 0, false, ""},
        PositionCase{"0 Hz", "You cannot use 0 with 'Hz'.", 0, false, ""},
        PositionCase{"x", "Input has no value.", 0, false, ""}));

TEST(WavePositionLengthTest, ShareKeepsItsShareWhenTheLengthChanges) {
    unitWavePosition position(0, DisplayUnit::second, false);
    position.SetLength(10);
    std::string errorText;
    ASSERT_TRUE(position.ReadText("25%", "Position", errorText));
    position.SetLength(20);
    EXPECT_DOUBLE_EQ(position.GetValue(), 5);
    EXPECT_EQ(position.GetText(), "25 %");
}

TEST(WavePositionLengthTest, TimeFromStartKeepsItsTime) {
    unitWavePosition position(0, DisplayUnit::second, false);
    position.SetLength(10);
    std::string errorText;
    ASSERT_TRUE(position.ReadText("2 s", "Position", errorText));
    position.SetLength(20);
    EXPECT_DOUBLE_EQ(position.GetValue(), 2);
    EXPECT_EQ(position.GetText(), "2 s");
}

TEST(WavePositionLengthTest, TimeFromEndKeepsItsDistanceFromTheEnd) {
    unitWavePosition position(0, DisplayUnit::second, false);
    position.SetLength(10);
    std::string errorText;
    ASSERT_TRUE(position.ReadText("-1 s", "Position", errorText));
    position.SetLength(20);
    EXPECT_DOUBLE_EQ(position.GetValue(), 19);
    EXPECT_TRUE(position.GetFromEnd());
    EXPECT_EQ(position.GetText(), "-1 s");
}

TEST(WavePositionLengthTest, PlaceAHairBeforeTheEndStaysInsideTheWave) {
    unitWavePosition position(0, DisplayUnit::second, false);
    position.SetLength(10);
    std::string errorText;
    ASSERT_TRUE(position.ReadText("-1/10000000000000000000 s", "Position", errorText));
    EXPECT_TRUE(position.GetFromEnd());
    EXPECT_LT(position.GetValue(), 10);
    unitWavePosition copy(0, DisplayUnit::second, false);
    copy.SetLength(10);
    ASSERT_TRUE(copy.ReadText(position.GetText(), "Position", errorText)) << errorText;
    EXPECT_EQ(copy.GetValue(), position.GetValue());
}

TEST(WavePositionLengthTest, EmptyWaveTakesOnlyItsStart) {
    unitWavePosition position(0, DisplayUnit::percent, false);
    position.SetLength(0);
    std::string errorText;
    EXPECT_FALSE(position.ReadText("0 s", "Position", errorText));
    EXPECT_EQ(errorText, "In Position: Position must be before the end of the wave");
    EXPECT_TRUE(position.ReadText("50 %", "Position", errorText));
    EXPECT_EQ(position.GetValue(), 0);
    EXPECT_EQ(position.GetText(), "0 %");
}

}  // namespace
}  // namespace kalvora
