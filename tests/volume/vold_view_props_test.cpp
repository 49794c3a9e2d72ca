#include "volume/vold_view_props.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace kalvora {
namespace {

TEST(VoldViewPropsTest, DefaultsAreThoseOfANewWindow) {
    const TVoldViewProps settings;
    EXPECT_EQ(settings.XResolution, 500);
    EXPECT_EQ(settings.YResolution, 50);
    EXPECT_DOUBLE_EQ(1.0 / settings.TimeTop, 20000.0);
    EXPECT_DOUBLE_EQ(1.0 / settings.TimeBottom, 20.0);
    EXPECT_EQ(settings.YWidth, 1.0);
    EXPECT_EQ(settings.YScale, TVoldViewProps::YLog);
    EXPECT_EQ(settings.DrawSingle, 1);
    EXPECT_EQ(settings.Sensitivity, TVoldViewProps::SensNormal);
    EXPECT_EQ(settings.Strength, 1.3);
    EXPECT_EQ(settings.SingleColor, 0xFFFFFFu);
    EXPECT_EQ(settings.BackgroundColor, 0x000000u);
    EXPECT_EQ(settings.LeftColor, 0x0000FFu);
    EXPECT_EQ(settings.RightColor, 0x808000u);
    EXPECT_EQ(settings.CursorColor, 0xFF00FFu);
    EXPECT_EQ(settings.UseColorPalette1D, 0);
    EXPECT_TRUE(settings.ColorPalette1D.SameStops(TColorPalette1DItem(0x000000, 0xFFFFFF)));
}

TEST(VoldViewPropsTest, OnlyTheComputedFieldsAskForANewComputation) {
    struct Change {
        const char* field;
        std::function<void(TVoldViewProps&)> apply;
        bool recompute;
    };
    const std::vector<Change> changes = {
        {"XResolution", [](TVoldViewProps& s) { s.XResolution = 400; }, true},
        {"YResolution", [](TVoldViewProps& s) { s.YResolution = 40; }, true},
        {"TimeTop", [](TVoldViewProps& s) { s.TimeTop = 0.0001; }, true},
        {"TimeBottom", [](TVoldViewProps& s) { s.TimeBottom = 0.01; }, true},
        {"YWidth", [](TVoldViewProps& s) { s.YWidth = 2; }, true},
        {"YScale", [](TVoldViewProps& s) { s.YScale = TVoldViewProps::YLinTime; }, true},
        {"Strength", [](TVoldViewProps& s) { s.Strength = 2; }, false},
        {"Sensitivity", [](TVoldViewProps& s) { s.Sensitivity = 3; }, false},
        {"DrawSingle", [](TVoldViewProps& s) { s.DrawSingle = 0; }, false},
        {"SingleColor", [](TVoldViewProps& s) { s.SingleColor = 1; }, false},
        {"CursorColor", [](TVoldViewProps& s) { s.CursorColor = 1; }, false},
        {"UseColorPalette1D", [](TVoldViewProps& s) { s.UseColorPalette1D = 1; }, false},
        {"palette", [](TVoldViewProps& s) { s.ColorPalette1D.InsertItem(0.5, 7); }, false},
    };
    const TVoldViewProps original;
    for (const Change& change : changes) {
        TVoldViewProps changed = original;
        change.apply(changed);
        EXPECT_FALSE(changed.Equals(original)) << change.field;
        EXPECT_EQ(changed.NeedsRecompute(original), change.recompute) << change.field;
        const TVoldViewProps copy = changed;
        EXPECT_TRUE(copy.Equals(changed)) << change.field;
    }
}

TEST(VoldViewPropsTest, PeriodsRunFromTheBottomEdgeToTheTopEdge) {
    TVoldViewProps settings;
    settings.TimeTop = 0.001;
    settings.TimeBottom = 0.01;
    for (std::uint8_t scale :
         {TVoldViewProps::YLinFreq, TVoldViewProps::YLog, TVoldViewProps::YLinTime}) {
        settings.YScale = scale;
        EXPECT_DOUBLE_EQ(settings.PeriodAt(0.0), 0.01);
        EXPECT_DOUBLE_EQ(settings.PeriodAt(1.0), 0.001);
    }
    settings.YScale = TVoldViewProps::YLog;
    EXPECT_NEAR(settings.PeriodAt(0.5), 0.0031623, 1e-7);
    settings.YScale = TVoldViewProps::YLinTime;
    EXPECT_DOUBLE_EQ(settings.PeriodAt(0.5), 0.0055);
    settings.YScale = TVoldViewProps::YLinFreq;
    EXPECT_DOUBLE_EQ(1.0 / settings.PeriodAt(0.5), 550.0);
}

TEST(VoldViewPropsTest, BlendTowardFadesTheFiveColoursAndThePalette) {
    TVoldViewProps settings;
    settings.BlendToward(0xFFFFFF, 0.5);
    EXPECT_EQ(settings.BackgroundColor, 0x7F7F7Fu);
    EXPECT_EQ(settings.SingleColor, 0xFFFFFFu);
    EXPECT_EQ(settings.LeftColor, 0x7F7FFFu);
    EXPECT_EQ(settings.RightColor, 0xBFBF7Fu);
    EXPECT_EQ(settings.CursorColor, 0xFF7FFFu);
    EXPECT_EQ(settings.ColorPalette1D.ColorBefore, 0x7F7F7Fu);
}

TEST(VoldViewPropsTest, TheDialogsChecksComeInTheirOrder) {
    struct Case {
        const char* name;
        std::function<void(TVoldViewProps&)> apply;
        const char* problem;  // nullptr: accepted
    };
    const std::vector<Case> cases = {
        {"defaults", [](TVoldViewProps&) {}, nullptr},
        {"top above the sample rate", [](TVoldViewProps& s) { s.TimeTop = 1.0 / 50000; },
         "Top Frequency may not be higher than the sample Frequency."},
        {"top at the sample rate", [](TVoldViewProps& s) { s.TimeTop = 1.0 / 44100; }, nullptr},
        {"equal", [](TVoldViewProps& s) { s.TimeTop = s.TimeBottom; },
         "Top Frequency and Bottom Frequency must be different."},
        {"bottom above the sample rate", [](TVoldViewProps& s) { s.TimeBottom = 1.0 / 50000; },
         "Bottom Frequency may not be higher than the sample Frequency."},
        {"upside down, in range",
         [](TVoldViewProps& s) {
             s.TimeTop = 0.01;
             s.TimeBottom = 0.001;
         },
         nullptr},
        {"no strength", [](TVoldViewProps& s) { s.Strength = 0; },
         "In Strength: Value must be positive and more than 0."},
        {"too wide", [](TVoldViewProps& s) { s.XResolution = 70000; },
         "In Horizontal Resolution: Value must be no more than 65536."},
        {"no width", [](TVoldViewProps& s) { s.YWidth = -1; },
         "In Frequency Width: Value must be positive and more than 0."},
    };
    for (const Case& c : cases) {
        TVoldViewProps settings;
        c.apply(settings);
        const auto problem = settings.Problem(44100);
        if (c.problem == nullptr) {
            EXPECT_FALSE(problem) << c.name << ": " << problem.value_or("");
        } else {
            EXPECT_EQ(problem.value_or("accepted"), c.problem) << c.name;
        }
    }
}

}  // namespace
}  // namespace kalvora
