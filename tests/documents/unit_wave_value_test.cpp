#include "documents/unit_wave_value.h"

#include <gtest/gtest.h>

#include <string>

#include "documents/writers.h"

namespace kalvora {
namespace {

constexpr int kInitial = 100;

struct SampleCase {
    bool posMore;
    std::string text;
    std::string message;  // empty when accepted
    int sample;
    std::string shown;
};

void PrintTo(const SampleCase& c, std::ostream* os) {
    *os << (c.posMore ? "PosMore" : "WaveVal") << " \"" << c.text << "\"";
}

class WaveValReadTest : public testing::TestWithParam<SampleCase> {};

TEST_P(WaveValReadTest, ReadsTextAndShowsItAgain) {
    const SampleCase& c = GetParam();
    unitWaveVal plain(kInitial, DisplayUnit::sample);
    unitWaveValPosMore positive(kInitial, DisplayUnit::sample);
    unitWaveVal& value = c.posMore ? positive : plain;
    std::string errorText;
    const bool ok = value.ReadText(c.text, "Value", errorText);
    if (c.message.empty()) {
        ASSERT_TRUE(ok) << errorText;
        EXPECT_EQ(value.GetValue(), c.sample);
        EXPECT_EQ(value.GetText(), c.shown);
    } else {
        ASSERT_FALSE(ok);
        EXPECT_EQ(errorText, "In Value: " + c.message);
        EXPECT_EQ(value.GetValue(), kInitial);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Samples, WaveValReadTest,
    testing::Values(
        SampleCase{false, "1", "", 32767, "1"}, SampleCase{false, "-1", "", -32767, "-1"},
        SampleCase{false, "100%", "", 32767, "100 %"},
        SampleCase{false, "-32768$", "", -32768, "-32768 $"},
        SampleCase{false, "16384 $", "", 16384, "16384 $"},
        SampleCase{false, "0.5", "", 16383, "0.5"}, SampleCase{false, "-0", "", 0, "0"},
        SampleCase{false, "-0.00001", "", 0, "0"}, SampleCase{false, "1.5 $", "", 1, "1 $"},
        SampleCase{false, "1.1", "Wave Value is too high. (maximum: 1)", 0, ""},
        SampleCase{false, "-1.1", "Wave Value is too low. (minimum: -1)", 0, ""},
        SampleCase{false, "101 %", "Wave Value is too high. (maximum: 100 %)", 0, ""},
        SampleCase{false, "-101 %", "Wave Value is too low. (minimum: -100 %)", 0, ""},
        SampleCase{false, "32768$", "Wave Value is too high. (maximum: 32767 $)", 0, ""},
        SampleCase{false, "-32769$", "Wave Value is too low. (minimum: -32768 $)", 0, ""},
        SampleCase{false, "5 dB", "Wrong unit used, use: '%', '$' or no unit.", 0, ""},
        SampleCase{false, "5 x", "This unit does not exist, use: '%', '$' or no unit.", 0, ""},
        SampleCase{true, "0", "Value must be positive and more than 0.", 0, ""},
        SampleCase{true, "0.00001", "Value must be positive and more than 0.", 0, ""},
        SampleCase{true, "1 $", "", 1, "1 $"}));

TEST(WaveValTextTest, StoredZeroIsShownWithoutSignInEveryUnit) {
    for (DisplayUnit unit : {DisplayUnit::none, DisplayUnit::percent, DisplayUnit::sample}) {
        const std::string text = unitWaveVal(0, unit).GetText();
        EXPECT_EQ(text.find('-'), std::string::npos) << text;
        EXPECT_EQ(text[0], '0') << text;
    }
}

TEST(WaveValTextTest, EverySampleReadsBackExactlyInEveryUnit) {
    for (DisplayUnit unit : {DisplayUnit::none, DisplayUnit::percent, DisplayUnit::sample}) {
        for (int sample = -32768; sample <= 32767; ++sample) {
            const std::string text = unitWaveVal(sample, unit).GetText();
            unitWaveVal copy(0, unit);
            std::string errorText;
            ASSERT_TRUE(copy.ReadText(text, "Value", errorText)) << sample << " " << text;
            ASSERT_EQ(copy.GetValue(), sample) << text;
        }
    }
}

}  // namespace
}  // namespace kalvora
