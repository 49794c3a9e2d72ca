#include "documents/unit_time.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>
#include <memory>
#include <string>

namespace kalvora {
namespace {

constexpr double kInitialSeconds = 0.5;
const double kA4 = 523.26 * std::pow(2.0, -0.25);

std::unique_ptr<unitTime> MakeTime(const std::string& member) {
    static const std::map<std::string, std::function<std::unique_ptr<unitTime>()>> makers = {
        {"Time", [] { return std::make_unique<unitTime>(kInitialSeconds, DisplayUnit::second); }},
        {"Pos", [] { return std::make_unique<unitTimePos>(kInitialSeconds, DisplayUnit::second); }},
        {"PosMore",
         [] { return std::make_unique<unitTimePosMore>(kInitialSeconds, DisplayUnit::second); }},
    };
    return makers.at(member)();
}

const std::string kWrongUnit = "Wrong unit used, use: 's', 'ms', 'Hz', 'kHz'.";
const std::string kUnknownUnit = "This unit does not exist, use: 's', 'ms', 'Hz', 'kHz'.";

struct TimeCase {
    std::string member;
    std::string text;
    std::string message;  // empty when accepted
    double seconds;
    std::string shown;
};

void PrintTo(const TimeCase& c, std::ostream* os) {
    *os << c.member << " \"" << c.text << "\"";
}

class TimeReadTest : public testing::TestWithParam<TimeCase> {};

TEST_P(TimeReadTest, ReadsTextAndShowsItAgain) {
    const TimeCase& c = GetParam();
    auto time = MakeTime(c.member);
    std::string errorText;
    const bool ok = time->ReadText(c.text, "Time", errorText);
    if (c.message.empty()) {
        ASSERT_TRUE(ok) << errorText;
        EXPECT_NEAR(time->GetValue(), c.seconds, std::fabs(c.seconds) * 1e-12);
        EXPECT_EQ(time->GetText(), c.shown);
    } else {
        ASSERT_FALSE(ok);
        EXPECT_EQ(errorText, "In Time: " + c.message);
        EXPECT_EQ(time->GetValue(), kInitialSeconds);
        EXPECT_EQ(time->GetDisplayUnit(), DisplayUnit::second);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Times, TimeReadTest,
    testing::Values(TimeCase{"Time", "10 Hz", "", 0.1, "10 Hz"},
                    TimeCase{"Time", "2.5 s", "", 2.5, "2.5 s"},
                    TimeCase{"Time", "250ms", "", 0.25, "250 ms"},
                    TimeCase{"Time", "2 kHz", "", 0.0005, "2 kHz"},
                    TimeCase{"Time", "1/3 s", "", 1.0 / 3, "0.333333 s"},
                    TimeCase{"Time", "-1 s", "", -1, "-1 s"},
                    // A note name keeps the display unit.
                    TimeCase{"Time", "A4", "", 1 / kA4, "0.00227268 s"},
                    TimeCase{"Time", "0 Hz", "You cannot use 0 with 'Hz'.", 0, ""},
                    TimeCase{"Time", "0 kHz", "You cannot use 0 with 'kHz'.", 0, ""},
                    TimeCase{"Time", "5", kWrongUnit, 0, ""},
                    TimeCase{"Time", "5 %", kWrongUnit, 0, ""},
                    TimeCase{"Time", "5 x", kUnknownUnit, 0, ""},
                    TimeCase{"Time", "H4", "Input has no value.", 0, ""},
                    TimeCase{"Time", "E#4", "This note cannot have a \"#\".", 0, ""},
                    TimeCase{"Time", "C-3", "The minimum Octave number is -2.", 0, ""},
                    TimeCase{"Time", "C13", "The maximum Octave number is 12.", 0, ""},
                    TimeCase{"Pos", "0 s", "", 0, "0 s"},
                    TimeCase{"Pos", "-1 s", "Value must be positive.", 0, ""},
                    TimeCase{"Pos", "-10 Hz", "Value must be positive.", 0, ""},
                    TimeCase{"PosMore", "0 s", "Value must be positive and more than 0.", 0, ""}));

struct FrequencyCase {
    std::string text;
    std::string message;  // empty when accepted
    double hertz;
    std::string shown;
};

class FrequencyReadTest : public testing::TestWithParam<FrequencyCase> {};

TEST_P(FrequencyReadTest, ReadsTextAndShowsItAgain) {
    const FrequencyCase& c = GetParam();
    unitFreq frequency(100, DisplayUnit::hertz);
    std::string errorText;
    const bool ok = frequency.ReadText(c.text, "Frequency", errorText);
    if (c.message.empty()) {
        ASSERT_TRUE(ok) << errorText;
        EXPECT_NEAR(frequency.GetValue(), c.hertz, c.hertz * 1e-12);
        EXPECT_EQ(frequency.GetText(), c.shown);
    } else {
        ASSERT_FALSE(ok);
        EXPECT_EQ(errorText, "In Frequency: " + c.message);
        EXPECT_EQ(frequency.GetValue(), 100);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Frequencies, FrequencyReadTest,
    testing::Values(
        FrequencyCase{"A4", "", kA4, "440.0074 Hz"}, FrequencyCase{"440Hz", "", 440, "440 Hz"},
        FrequencyCase{"1.5 kHz", "", 1500, "1.5 kHz"}, FrequencyCase{"2 ms", "", 500, "2 ms"},
        FrequencyCase{"0.5 s", "", 2, "0.5 s"}, FrequencyCase{"0 Hz", "", 0, "0 Hz"},
        FrequencyCase{"0 s", "You cannot use 0 with 's'.", 0, ""},
        FrequencyCase{"0 ms", "You cannot use 0 with 'ms'.", 0, ""},
        FrequencyCase{"440", kWrongUnit, 0, ""}, FrequencyCase{"440 $", kWrongUnit, 0, ""},
        FrequencyCase{"440 yz", kUnknownUnit, 0, ""}));

TEST(TimeTextTest, ZeroInAnInvertedUnitIsWrittenSoThatItReadsBack) {
    unitTimePos time(0, DisplayUnit::hertz);
    EXPECT_EQ(time.GetText(), "0 s");
    unitFreq frequency(0, DisplayUnit::millisecond);
    EXPECT_EQ(frequency.GetText(), "0 Hz");
    std::string errorText;
    EXPECT_TRUE(frequency.ReadText(frequency.GetText(), "Frequency", errorText));
    EXPECT_EQ(frequency.GetValue(), 0);
}

TEST(TimeTextTest, NoteNameKeepsPreviousDisplayUnit) {
    unitFreq frequency(1000, DisplayUnit::kilohertz);
    std::string errorText;
    ASSERT_TRUE(frequency.ReadText("A4", "Frequency", errorText));
    EXPECT_EQ(frequency.GetDisplayUnit(), DisplayUnit::kilohertz);
    EXPECT_NEAR(frequency.GetValue(), 440, 0.01);
}

TEST(TimeTextTest, NonTimeDisplayUnitGivesEmptyText) {
    EXPECT_EQ(unitTime(1, DisplayUnit::percent).GetText(), "");
}

}  // namespace
}  // namespace kalvora
