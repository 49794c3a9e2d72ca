#include "documents/string_reader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace kalvora {
namespace {

struct NumberCase {
    std::string text;
    bool ok;
    double value;         // when ok
    std::string message;  // when not ok
};

class ReadNumberTest : public testing::TestWithParam<NumberCase> {};

TEST_P(ReadNumberTest, ReadsValueOrGivesMessage) {
    const NumberCase& c = GetParam();
    TStringReader reader(c.text);
    double value = -123;
    ASSERT_EQ(reader.ReadNumber(value), c.ok) << reader.ErrorText();
    if (c.ok) {
        EXPECT_DOUBLE_EQ(value, c.value);
    } else {
        EXPECT_EQ(reader.ErrorText(), c.message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ReadNumberTest,
    testing::Values(NumberCase{"0.5", true, 0.5, ""}, NumberCase{"0,5", true, 0.5, ""},
                    NumberCase{"1/4", true, 0.25, ""}, NumberCase{"-1/4", true, -0.25, ""},
                    NumberCase{".", true, 0, ""}, NumberCase{"5.", true, 5, ""},
                    NumberCase{",25", true, 0.25, ""}, NumberCase{"+7", true, 7, ""},
                    NumberCase{"- 7", true, -7, ""}, NumberCase{"-\t7", true, -7, ""},
                    NumberCase{"42 %", true, 42, ""},
                    // Ten-digit runs do not overflow, and longer ones are read in full.
                    NumberCase{"0.3333333333", true, 0.3333333333, ""},
                    NumberCase{"9999999999", true, 9999999999.0, ""},
                    NumberCase{"12345678901234", true, 12345678901234.0, ""},
                    NumberCase{"0.000000000001234567", true, 1.234567e-12, ""},
                    NumberCase{"3/0", false, 0, "Broke is invalid."},
                    NumberCase{"3/000", false, 0, "Broke is invalid."},
                    NumberCase{"/4", false, 0, "Input has no value before '/'."},
                    NumberCase{"3/", false, 0, "Input has no value after '/'."},
                    NumberCase{"-", false, 0, "Input has no value."},
                    NumberCase{" -5", false, 0, "Input has no value."},
                    NumberCase{"", false, 0, "Input has no value."},
                    NumberCase{"abc", false, 0, "Input has no value."},
                    NumberCase{"--5", false, 0, "Input has no value."},
                    NumberCase{std::string(400, '9'), false, 0, "Number is too large."},
                    NumberCase{"0." + std::string(400, '0') + "1", true, 0, ""}));

TEST(ReadNumberTest, NegativeZeroReadsAsZero) {
    TStringReader reader("-0");
    double value = 1;
    ASSERT_TRUE(reader.ReadNumber(value));
    EXPECT_EQ(value, 0);
}

struct UnitCase {
    std::string text;
    DisplayUnit unit;
};

class ReadUnitTest : public testing::TestWithParam<UnitCase> {};

TEST_P(ReadUnitTest, RecognisesSuffixAfterNumber) {
    TStringReader reader(GetParam().text);
    double value = 0;
    ASSERT_TRUE(reader.ReadNumber(value));
    EXPECT_EQ(reader.ReadUnit(), GetParam().unit) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Suffixes, ReadUnitTest,
    testing::Values(UnitCase{"5", DisplayUnit::none}, UnitCase{"5  ", DisplayUnit::none},
                    UnitCase{"5%", DisplayUnit::percent}, UnitCase{"5 $", DisplayUnit::sample},
                    UnitCase{"5 s", DisplayUnit::second}, UnitCase{"5 sec", DisplayUnit::second},
                    UnitCase{"5'", DisplayUnit::degree}, UnitCase{"5 ms", DisplayUnit::millisecond},
                    UnitCase{"5 MS", DisplayUnit::millisecond},
                    UnitCase{"5\thz", DisplayUnit::hertz},
                    UnitCase{"5 kHz", DisplayUnit::kilohertz},
                    UnitCase{"-6dB", DisplayUnit::decibel}, UnitCase{"5 db", DisplayUnit::decibel},
                    UnitCase{"5 %%", DisplayUnit::percent}, UnitCase{"5 x", DisplayUnit::unknown},
                    UnitCase{"5 k", DisplayUnit::unknown}, UnitCase{"5 \xe9", DisplayUnit::unknown},
                    UnitCase{"1.5/2", DisplayUnit::unknown}));

struct IntegerCase {
    std::string text;
    bool ok;
    int value;
    std::string message;
};

class ReadIntegerTest : public testing::TestWithParam<IntegerCase> {};

TEST_P(ReadIntegerTest, ReadsValueOrGivesMessage) {
    const IntegerCase& c = GetParam();
    TStringReader reader(c.text);
    int value = -123;
    ASSERT_EQ(reader.ReadInteger(value), c.ok) << c.text;
    if (c.ok) {
        EXPECT_EQ(value, c.value);
    } else {
        EXPECT_EQ(reader.ErrorText(), c.message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ReadIntegerTest,
    testing::Values(IntegerCase{"42", true, 42, ""}, IntegerCase{"+42", true, 42, ""},
                    IntegerCase{"-42", true, -42, ""}, IntegerCase{"+-42", true, -42, ""},
                    IntegerCase{"5%", true, 5, ""}, IntegerCase{"12abc", true, 12, ""},
                    IntegerCase{"2147483647", true, 2147483647, ""},
                    IntegerCase{"-2147483648", true, -2147483647 - 1, ""},
                    IntegerCase{"0000000000007", true, 7, ""},
                    IntegerCase{"2147483648", false, 0, "Value is too high. (maximum: 2147483647)"},
                    IntegerCase{"99999999999999999999999", false, 0,
                                "Value is too high. (maximum: 2147483647)"},
                    IntegerCase{"-2147483649", false, 0,
                                "Value is too low. (minimum: -2147483648)"},
                    IntegerCase{"", false, 0, "Input has no value."},
                    IntegerCase{"-+4", false, 0, "Input has no value."},
                    IntegerCase{" 4", false, 0, "Input has no value."},
                    IntegerCase{"abc", false, 0, "Input has no value."}));

struct NoteCase {
    std::string text;
    bool ok;
    double frequency;
    std::string message;
};

class ReadNoteTest : public testing::TestWithParam<NoteCase> {};

TEST_P(ReadNoteTest, ReadsFrequencyOrGivesMessage) {
    const NoteCase& c = GetParam();
    TStringReader reader(c.text);
    double frequency = 0;
    ASSERT_EQ(reader.ReadNote(frequency), c.ok) << c.text;
    if (c.ok) {
        EXPECT_NEAR(frequency, c.frequency, c.frequency * 1e-9);
    } else {
        EXPECT_EQ(reader.ErrorText(), c.message);
    }
}

const double kC5 = 523.26;

INSTANTIATE_TEST_SUITE_P(
    Texts, ReadNoteTest,
    testing::Values(NoteCase{"C5", true, kC5, ""}, NoteCase{"c", true, kC5, ""},
                    NoteCase{"A4", true, kC5* std::pow(2.0, -3.0 / 12), ""},
                    NoteCase{"a4", true, kC5* std::pow(2.0, -3.0 / 12), ""},
                    NoteCase{"C#5", true, kC5* std::pow(2.0, 1.0 / 12), ""},
                    NoteCase{"B-2", true, kC5* std::pow(2.0, -7 + 11.0 / 12), ""},
                    NoteCase{"G12", true, kC5* std::pow(2.0, 7 + 7.0 / 12), ""},
                    NoteCase{"D+3", true, kC5* std::pow(2.0, -2 + 2.0 / 12), ""},
                    NoteCase{"E#4", false, 0, "This note cannot have a \"#\"."},
                    NoteCase{"b#", false, 0, "This note cannot have a \"#\"."},
                    NoteCase{"C-3", false, 0, "The minimum Octave number is -2."},
                    NoteCase{"C13", false, 0, "The maximum Octave number is 12."},
                    NoteCase{"C99999999999", false, 0, "The maximum Octave number is 12."},
                    NoteCase{"C-99999999999", false, 0, "The minimum Octave number is -2."},
                    NoteCase{"H4", false, 0, "Input has no value."}));

TEST(ReadNoteTest, AFourIsConcertPitch) {
    TStringReader reader("A4");
    double frequency = 0;
    ASSERT_TRUE(reader.ReadNote(frequency));
    EXPECT_NEAR(frequency, 440.0, 0.01);
}

}  // namespace
}  // namespace kalvora
