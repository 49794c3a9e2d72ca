#include "documents/unit_factor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>
#include <memory>
#include <string>

namespace kalvora {
namespace {

constexpr double kInitial = 0.5;

std::unique_ptr<unitFactor> MakeFactor(const std::string& member) {
    static const std::map<std::string, std::function<std::unique_ptr<unitFactor>()>> makers = {
        {"Factor", [] { return std::make_unique<unitFactor>(kInitial, DisplayUnit::none); }},
        {"Pos", [] { return std::make_unique<unitFactorPos>(kInitial, DisplayUnit::none); }},
        {"NotNul", [] { return std::make_unique<unitFactorNotNul>(kInitial, DisplayUnit::none); }},
        {"PosMore",
         [] { return std::make_unique<unitFactorPosMore>(kInitial, DisplayUnit::none); }},
        {"PosMoreLess1",
         [] { return std::make_unique<unitFactorPosMoreLess1>(kInitial, DisplayUnit::none); }},
        {"PosMax1",
         [] { return std::make_unique<unitFactorPosMax1>(kInitial, DisplayUnit::none); }},
        {"Volume", [] { return std::make_unique<unitVolumeFactor>(kInitial, DisplayUnit::none); }},
        {"VolumeLess1",
         [] {
             return std::make_unique<unitVolumeFactorPosMoreLess1>(kInitial, DisplayUnit::none);
         }},
        {"Angle", [] { return std::make_unique<unitAngleFactor>(kInitial, DisplayUnit::none); }},
        {"Balance",
         [] { return std::make_unique<unitBalAngleFactor>(kInitial, DisplayUnit::none); }},
    };
    return makers.at(member)();
}

struct FactorCase {
    std::string member;
    std::string text;
    std::string message;  // empty when the text is accepted
    double value;         // stored after an accepted text
    std::string shown;    // GetText after an accepted text
};

void PrintTo(const FactorCase& c, std::ostream* os) {
    *os << c.member << " \"" << c.text << "\"";
}

class FactorReadTest : public testing::TestWithParam<FactorCase> {};

TEST_P(FactorReadTest, ReadsTextAndShowsItAgain) {
    const FactorCase& c = GetParam();
    auto factor = MakeFactor(c.member);
    std::string errorText;
    const bool ok = factor->ReadText(c.text, "Factor", errorText);
    if (c.message.empty()) {
        ASSERT_TRUE(ok) << errorText;
        EXPECT_NEAR(factor->GetValue(), c.value, 1e-12);
        EXPECT_EQ(factor->GetText(), c.shown);
    } else {
        ASSERT_FALSE(ok);
        EXPECT_EQ(errorText, "In Factor: " + c.message);
        EXPECT_EQ(factor->GetValue(), kInitial);
        EXPECT_EQ(factor->GetDisplayUnit(), DisplayUnit::none);
    }
}

const std::string kFactorWrongUnit = "Wrong unit used, use: '%' or no unit.";
const std::string kVolumeWrongUnit = "Wrong unit used, use: '%', 'dB' or no unit.";
const std::string kAngleWrongUnit = "Wrong unit used, use: '%', ' ' ' or no unit.";

INSTANTIATE_TEST_SUITE_P(
    Factors, FactorReadTest,
    testing::Values(
        FactorCase{"Factor", "0,5", "", 0.5, "0.5"}, FactorCase{"Factor", "0.5", "", 0.5, "0.5"},
        FactorCase{"Factor", "1/4", "", 0.25, "0.25"}, FactorCase{"Factor", "50%", "", 0.5, "50 %"},
        FactorCase{"Factor", "-0", "", 0, "0"},
        FactorCase{"Factor", "0.3333333333", "", 0.3333333333, "0.333333"},
        FactorCase{"Factor", "3/0", "Broke is invalid.", 0, ""},
        FactorCase{"Factor", "-", "Input has no value.", 0, ""},
        FactorCase{"Factor", " -5", "Input has no value.", 0, ""},
        FactorCase{"Factor", "-6 dB", kFactorWrongUnit, 0, ""},
        FactorCase{"Factor", "5 s", kFactorWrongUnit, 0, ""},
        FactorCase{"Factor", "5 x", "This unit does not exist, use: '%' or no unit.", 0, ""},
        FactorCase{"Pos", "-1", "Value must be positive.", 0, ""},
        FactorCase{"Pos", "0", "", 0, "0"},
        FactorCase{"NotNul", "0", "Value must be not 0.", 0, ""},
        FactorCase{"NotNul", "-2", "", -2, "-2"},
        FactorCase{"PosMore", "0", "Value must be positive and more than 0.", 0, ""},
        FactorCase{"PosMoreLess1", "1", "Value must be less than 1.", 0, ""},
        FactorCase{"PosMoreLess1", "0 %", "Value must be positive and more than 0.", 0, ""},
        FactorCase{"PosMoreLess1", "99 %", "", 0.99, "99 %"},
        FactorCase{"PosMax1", "1", "", 1, "1"},
        FactorCase{"PosMax1", "101 %", "Value must be no more than 1.", 0, ""},
        FactorCase{"PosMax1", "-0.1", "Value must be positive.", 0, ""},
        FactorCase{"Volume", "-6 dB", "", std::pow(10.0, -0.3), "-6 dB"},
        FactorCase{"Volume", "-6dB", "", std::pow(10.0, -0.3), "-6 dB"},
        FactorCase{"Volume", "0 dB", "", 1, "0 dB"}, FactorCase{"Volume", "200%", "", 2, "200 %"},
        FactorCase{"Volume", "-0.5", "", -0.5, "-0.5"},
        FactorCase{"Volume", "-1000 dB", "", 1e-50, "-1000 dB"},
        FactorCase{"Volume", "-7000 dB", "", 0, "0"},  // underflows to 0: no decibels
        FactorCase{"Volume", "100000 dB", "Number is too large.", 0, ""},
        FactorCase{"Volume", "5 ms", kVolumeWrongUnit, 0, ""},
        FactorCase{"Volume", "5 q", "This unit does not exist, use: '%', 'dB' or no unit.", 0, ""},
        FactorCase{"VolumeLess1", "0 dB", "Value must be less than 1.", 0, ""},
        FactorCase{"VolumeLess1", "-20 dB", "", 0.1, "-20 dB"},
        FactorCase{"Angle", "-90'", "", 0.75, "-90 '"},
        FactorCase{"Angle", "90 '", "", 0.25, "90 '"},
        FactorCase{"Angle", "180'", "", 0.5, "-180 '"},
        FactorCase{"Angle", "-25%", "", 0.75, "75 %"}, FactorCase{"Angle", "-1", "", 0, "0"},
        FactorCase{"Angle", "0.25", "", 0.25, "0.25"},
        FactorCase{"Angle", "360'", "Fase is too high. (maximum: less than 360' )", 0, ""},
        FactorCase{"Angle", "-361'", "Fase is too low. (minimum: -360' )", 0, ""},
        FactorCase{"Angle", "1", "Fase is too high. (maximum: less than 1 or 100 %)", 0, ""},
        FactorCase{"Angle", "100%", "Fase is too high. (maximum: less than 1 or 100 %)", 0, ""},
        FactorCase{"Angle", "-1.5", "Fase is too low. (minimum: -1 or -100 %)", 0, ""},
        FactorCase{"Angle", "5 dB", kAngleWrongUnit, 0, ""},
        FactorCase{"Angle", "5 x", "This unit does not exist, use: '%', ' ' ' or no unit.", 0, ""},
        FactorCase{"Balance", "-90'", "", -1, "-90 '"},
        FactorCase{"Balance", "45 '", "", 0.5, "45 '"}, FactorCase{"Balance", "1", "", 1, "1"},
        FactorCase{"Balance", "-100 %", "", -1, "-100 %"},
        FactorCase{"Balance", "91'", "Balance Angle is too high. (maximum: 90' )", 0, ""},
        FactorCase{"Balance", "-91'", "Balance Angle is too low. (minimum: -90' )", 0, ""},
        FactorCase{"Balance", "1.5", "Balance Factor is too high. (maximum: 1 or 100 %)", 0, ""},
        FactorCase{"Balance", "-101%", "Balance Factor is too low. (minimum: -1 or -100 %)", 0, ""},
        FactorCase{"Balance", "5 Hz", kAngleWrongUnit, 0, ""}));

TEST(FactorDisplayUnitTest, BalanceDegreesAreShownAsBalanceDegrees) {
    unitBalAngleFactor balance(0, DisplayUnit::none);
    std::string errorText;
    ASSERT_TRUE(balance.ReadText("30'", "Balance", errorText));
    EXPECT_EQ(balance.GetDisplayUnit(), DisplayUnit::balanceDegree);
}

TEST(FactorDisplayUnitTest, VolumeSetValueDropsDecibelsForValuesWithoutThem) {
    unitVolumeFactor volume(0.5, DisplayUnit::decibel);
    volume.SetValue(0.25);
    EXPECT_EQ(volume.GetDisplayUnit(), DisplayUnit::decibel);
    volume.SetValue(0);
    EXPECT_EQ(volume.GetDisplayUnit(), DisplayUnit::none);
    EXPECT_EQ(volume.GetText(), "0");
}

// A plain factor shown in decibels or degrees (the status bar does so) cannot read its text
// back: it is written as that unit keeps it, not as every digit of the plain number.
TEST(FactorDisplayUnitTest, UnitsAFactorShowsButCannotReadAreWrittenInThatUnit) {
    EXPECT_EQ(unitFactorPos(0.001f, DisplayUnit::decibel).GetText(), "-60 dB");
    EXPECT_EQ(unitFactorPos(0.5, DisplayUnit::decibel).GetText(), "-6.02 dB");
    EXPECT_EQ(unitFactor(0.25, DisplayUnit::degree).GetText(), "90 '");
    EXPECT_EQ(unitFactor(0.75, DisplayUnit::degree).GetText(), "-90 '");
    EXPECT_EQ(unitFactorPos(0, DisplayUnit::decibel).GetText(), "0");
}

TEST(FactorDisplayUnitTest, UnitsAFactorCannotShowGiveAnEmptyText) {
    EXPECT_EQ(unitFactor(0.5, DisplayUnit::second).GetText(), "");
    EXPECT_EQ(unitFactor(0.5, DisplayUnit::sample).GetText(), "");
}

// Values just inside a strict bound would be written onto the bound by seven digits; the
// text must still read back, and to the same value.
struct NearBoundCase {
    std::string member;
    double value;
    DisplayUnit unit;
};

class FactorNearBoundTest : public testing::TestWithParam<NearBoundCase> {};

TEST_P(FactorNearBoundTest, TextReadsBack) {
    const NearBoundCase& c = GetParam();
    auto factor = MakeFactor(c.member);
    factor->SetValue(c.value);
    factor->SetDisplayUnit(c.unit);
    const std::string text = factor->GetText();
    auto copy = MakeFactor(c.member);
    std::string errorText;
    ASSERT_TRUE(copy->ReadText(text, "Factor", errorText)) << text << ": " << errorText;
    EXPECT_NEAR(copy->GetValue(), c.value, 1e-15) << text;
}

INSTANTIATE_TEST_SUITE_P(
    Bounds, FactorNearBoundTest,
    testing::Values(NearBoundCase{"PosMoreLess1", 1 - 1e-9, DisplayUnit::none},
                    NearBoundCase{"PosMoreLess1", 1 - 1e-9, DisplayUnit::percent},
                    NearBoundCase{"VolumeLess1", 1 - 1e-9, DisplayUnit::decibel},
                    NearBoundCase{"VolumeLess1", 1 - 1e-16, DisplayUnit::decibel},
                    NearBoundCase{"Angle", 1 - 1e-9, DisplayUnit::none},
                    NearBoundCase{"Angle", 1 - 1e-9, DisplayUnit::percent},
                    NearBoundCase{"Angle", 1 - 1e-9, DisplayUnit::degree},
                    NearBoundCase{"PosMore", 1e-300, DisplayUnit::none}));

}  // namespace
}  // namespace kalvora
