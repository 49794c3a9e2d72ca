#include "documents/writers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace kalvora {
namespace {

struct DigitsCase {
    double x;
    int minBefore;
    int minAfter;
    int maxAfter;
    std::string text;
};

class WriteDigitsTest : public testing::TestWithParam<DigitsCase> {};

TEST_P(WriteDigitsTest, Writes) {
    const DigitsCase& c = GetParam();
    EXPECT_EQ(WriteDigits(c.x, c.minBefore, c.minAfter, c.maxAfter), c.text) << c.x;
}

INSTANTIATE_TEST_SUITE_P(
    Values, WriteDigitsTest,
    testing::Values(DigitsCase{0.0001, 1, 0, 3, "0"}, DigitsCase{-0.0001, 1, 0, 3, "0"},
                    DigitsCase{-0.0, 1, 2, 2, "0.00"}, DigitsCase{-0.001, 1, 2, 2, "0.00"},
                    DigitsCase{1.23456, 1, 0, 3, "1.234"}, DigitsCase{1.5, 1, 2, 4, "1.50"},
                    DigitsCase{1.998, 1, 0, 2, "1.99"}, DigitsCase{1.999, 1, 0, 2, "2"},
                    DigitsCase{5, 3, 0, 0, "005"}, DigitsCase{-2.5, 1, 0, 1, "-2.5"},
                    DigitsCase{0.1, 1, 0, 9, "0.1"}, DigitsCase{0.3, 1, 0, 9, "0.3"},
                    DigitsCase{44.1, 1, 3, 3, "44.100"}, DigitsCase{123, 1, 0, 0, "123"},
                    DigitsCase{1e20, 1, 0, 0, "100000000000000000000"},
                    DigitsCase{std::nan(""), 1, 0, 0, "***"},
                    DigitsCase{std::numeric_limits<double>::infinity(), 1, 0, 0, "***"}));

struct PrecisionCase {
    double x;
    std::string text;
};

class WritePrecisionTest : public testing::TestWithParam<PrecisionCase> {};

TEST_P(WritePrecisionTest, WritesSevenDigitsCut) {
    EXPECT_EQ(WritePrecision(GetParam().x, 7), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Values, WritePrecisionTest,
                         testing::Values(PrecisionCase{123.456789, "123.4567"},
                                         PrecisionCase{0, "0"}, PrecisionCase{0.5, "0.5"},
                                         PrecisionCase{-0.5, "-0.5"},
                                         PrecisionCase{1234567.89, "1234567"},
                                         PrecisionCase{12345678.4, "12345678"},
                                         PrecisionCase{0.0123456789, "0.0123456"},
                                         PrecisionCase{-0.000012345678, "-0.0000123456"},
                                         PrecisionCase{1e-9, "0.000000001"}));

struct ValueCase {
    double v;
    DisplayUnit unit;
    bool storedAsFrequency;
    std::string text;
};

class WriteValueTest : public testing::TestWithParam<ValueCase> {};

TEST_P(WriteValueTest, WritesInDisplayUnit) {
    const ValueCase& c = GetParam();
    EXPECT_EQ(WriteValue(c.v, c.unit, c.storedAsFrequency), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Units, WriteValueTest,
    testing::Values(ValueCase{0.5, DisplayUnit::none, false, "0.5"},
                    ValueCase{0.5, DisplayUnit::percent, false, "50 %"},
                    ValueCase{std::pow(10.0, -0.3), DisplayUnit::decibel, false, "-6 dB"},
                    ValueCase{0.5, DisplayUnit::decibel, false, "-6.02 dB"},
                    ValueCase{2, DisplayUnit::decibel, false, "6.02 dB"},
                    ValueCase{0, DisplayUnit::decibel, false, "0"},  // no decibels for 0
                    ValueCase{-0.5, DisplayUnit::decibel, false, "-0.5"},
                    ValueCase{0.1, DisplayUnit::second, false, "0.1 s"},
                    ValueCase{0.1, DisplayUnit::millisecond, false, "100 ms"},
                    ValueCase{0.1, DisplayUnit::hertz, false, "10 Hz"},
                    ValueCase{0.1, DisplayUnit::kilohertz, false, "0.01 kHz"},
                    ValueCase{0, DisplayUnit::hertz, false,
                              "0 s"},  // 0 has no inverse: readable text
                    ValueCase{0, DisplayUnit::kilohertz, false, "0 s"},
                    ValueCase{500, DisplayUnit::second, true, "0.002 s"},
                    ValueCase{500, DisplayUnit::millisecond, true, "2 ms"},
                    ValueCase{500, DisplayUnit::hertz, true, "500 Hz"},
                    ValueCase{1500, DisplayUnit::kilohertz, true, "1.5 kHz"},
                    ValueCase{0, DisplayUnit::second, true, "0 Hz"},
                    ValueCase{0, DisplayUnit::millisecond, true, "0 Hz"},
                    ValueCase{0.75, DisplayUnit::degree, false, "-90 '"},
                    ValueCase{0.25, DisplayUnit::degree, false, "90 '"},
                    ValueCase{0.5, DisplayUnit::degree, false, "-180 '"},
                    ValueCase{-1, DisplayUnit::balanceDegree, false, "-90 '"},
                    ValueCase{0.5, DisplayUnit::balanceDegree, false, "45 '"},
                    ValueCase{1, DisplayUnit::sample, false, "***"},
                    ValueCase{1, DisplayUnit::unknown, false, "***"}));

struct SampleCase {
    int sample;
    DisplayUnit unit;
    std::string text;
};

class WriteSampleValueTest : public testing::TestWithParam<SampleCase> {};

TEST_P(WriteSampleValueTest, Writes) {
    EXPECT_EQ(WriteSampleValue(GetParam().sample, GetParam().unit), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Samples, WriteSampleValueTest,
    testing::Values(
        SampleCase{0, DisplayUnit::none, "0"}, SampleCase{0, DisplayUnit::percent, "0 %"},
        SampleCase{0, DisplayUnit::sample, "0 $"}, SampleCase{32767, DisplayUnit::none, "1"},
        SampleCase{-32767, DisplayUnit::none, "-1"}, SampleCase{16383, DisplayUnit::none, "0.5"},
        SampleCase{16384, DisplayUnit::none, "0.50002"},  // "0.5" would read 16383
        SampleCase{32767, DisplayUnit::percent, "100 %"},
        SampleCase{16384, DisplayUnit::percent, "50.002 %"},
        SampleCase{-32768, DisplayUnit::none, "-32768 $"},  // below -1
        SampleCase{-32768, DisplayUnit::percent, "-32768 $"},
        SampleCase{-32768, DisplayUnit::sample, "-32768 $"},
        SampleCase{5, DisplayUnit::hertz, ""}));

TEST(WriteDurationTest, WritesSecondsMinutesAndHours) {
    EXPECT_EQ(WriteDuration(5.25), "5.25000 s");
    EXPECT_EQ(WriteDuration(0), "0.00000 s");
    EXPECT_EQ(WriteDuration(61.5), "1:01.50000");
    EXPECT_EQ(WriteDuration(3600.5), "1:00:00.50000");
    EXPECT_EQ(WriteDuration(7325), "2:02:05.00000");
    EXPECT_EQ(WriteDuration(-1.5), "-1.50000 s");
    EXPECT_EQ(WriteDuration(0.123456789), "0.12345 s");
    EXPECT_EQ(WriteDuration(119.9999999), "2:00.00000");  // no "1:60.00000"
    EXPECT_EQ(WriteDuration(-0.000001), "0.00000 s");
}

TEST(WriteFrequencyTest, ChoosesHertzOrKilohertz) {
    EXPECT_EQ(WriteFrequency(50, 4), "50.00 Hz");
    EXPECT_EQ(WriteFrequency(440, 4), "440.0 Hz");
    EXPECT_EQ(WriteFrequency(1500, 4), "1.500 kHz");
    EXPECT_EQ(WriteFrequency(12000, 4), "12.00 kHz");
}

TEST(WriteNumberValueTest, WritesUpToNineDecimals) {
    EXPECT_EQ(WriteNumberValue({1, 42}), "42");
    EXPECT_EQ(WriteNumberValue({0, 0.125}), "0.125");
    EXPECT_EQ(WriteNumberValue({0, -1.0 / 3}), "-0.333333333");
}

TEST(WriteExactTest, WritesTheShortestTextThatReadsBackExactly) {
    EXPECT_EQ(WriteExact(0.1), "0.1");
    EXPECT_EQ(WriteExact(-0.0), "0");
    EXPECT_EQ(WriteExact(1e20), "100000000000000000000");
    EXPECT_EQ(WriteExact(1 - 1e-12), "0.999999999999");
}

}  // namespace
}  // namespace kalvora
