#include "shell/wave_view_props.h"

#include <gtest/gtest.h>

namespace kalvora {
namespace {

TEST(WaveViewPropsTest, DefaultsAreThoseOfANewWindow) {
    const TWaveViewProps props;
    EXPECT_EQ(props.DrawStyle, drawStyleLines);
    EXPECT_EQ(props.Distribution, distributionConstant);
    EXPECT_EQ(props.ValuesPerPixel, 15);
    EXPECT_TRUE(props.UseGrid);
    EXPECT_EQ(props.GridColor, 0x808080u);
    EXPECT_EQ(props.CursorColor, 0xFF00FFu);
    EXPECT_EQ(props.Strength, 1.0);
    EXPECT_EQ(props.BackgroundColor, 0xFFFFFFu);
    EXPECT_EQ(props.SingleColor, 0x000000u);
    EXPECT_TRUE(props.DrawSingle);
    EXPECT_EQ(props.LeftColor, 0x0000FFu);
    EXPECT_EQ(props.RightColor, 0x808000u);
    EXPECT_EQ(props.Front, frontMixed);
    EXPECT_FALSE(props.DrawEnvelope);
    EXPECT_EQ(props.EnvelopeStrength, 0.2);
    EXPECT_EQ(props.EnvelopeName, "");
}

TEST(WaveViewPropsTest, EqualityComparesEveryFieldAndTheEnvelopeByName) {
    TWaveViewProps a, b;
    EXPECT_EQ(a, b);
    b.EnvelopeName = "NONAME1";
    EXPECT_NE(a, b);
    a.EnvelopeName = "NONAME1";
    EXPECT_EQ(a, b);
    b.Strength = 0.5;
    EXPECT_NE(a, b);
}

TEST(WaveViewPropsTest, BlendTowardMovesTheSixColoursTowardTheBackground) {
    TWaveViewProps props;
    props.BlendToward(0xFFFFFF, 0.2);
    EXPECT_EQ(props.BackgroundColor, 0xFFFFFFu);
    EXPECT_EQ(props.SingleColor, 0xCCCCCCu);  // 0.8·255
    EXPECT_EQ(props.LeftColor, 0xCCCCFFu);    // red stays, green and blue fade
    EXPECT_EQ(props.RightColor, 0xE5E5CCu);   // 0.8·255 + 0.2·128 = 229.6
    EXPECT_EQ(props.CursorColor, 0xFFCCFFu);
    EXPECT_EQ(props.GridColor, 0xE5E5E5u);
    EXPECT_EQ(props.ValuesPerPixel, 15);  // only colours change
}

}  // namespace
}  // namespace kalvora
