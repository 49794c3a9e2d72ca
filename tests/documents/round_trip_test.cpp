// What a value type writes, it reads back: integers and samples exactly, real values to
// within the precision their writer keeps.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "documents/unit_factor.h"
#include "documents/unit_integer.h"
#include "documents/unit_time.h"
#include "documents/unit_wave_position.h"

namespace kalvora {
namespace {

// Seven significant digits, cut: values from 1 up keep 7 digits, smaller ones 6.
constexpr double kRelativePrecision = 1.1e-5;

std::vector<double> LogSpreadValues(double low, double high, int count) {
    std::mt19937 generator(12345);
    std::uniform_real_distribution<double> exponent(std::log10(low), std::log10(high));
    std::vector<double> values;
    for (int i = 0; i < count; ++i)
        values.push_back(std::pow(10.0, exponent(generator)));
    return values;
}

template <typename Unit>
Unit ReadBack(const Unit& original, Unit copy) {
    const std::string text = original.GetText();
    std::string errorText;
    EXPECT_TRUE(copy.ReadText(text, "Field", errorText)) << text << ": " << errorText;
    return copy;
}

TEST(RoundTripTest, IntegersReadBackExactly) {
    for (int value : {0, 1, -1, 42, 1000000, INT_MAX, INT_MIN}) {
        const unitInteger original(value);
        EXPECT_EQ(ReadBack(original, unitInteger(0)).GetValue(), value);
    }
}

TEST(RoundTripTest, FactorsReadBackWithinPrecision) {
    for (double magnitude : LogSpreadValues(1e-6, 1e6, 400)) {
        for (double value : {magnitude, -magnitude}) {
            for (DisplayUnit unit : {DisplayUnit::none, DisplayUnit::percent}) {
                const unitFactor original(value, unit);
                const double read = ReadBack(original, unitFactor(0, DisplayUnit::none)).GetValue();
                EXPECT_NEAR(read, value, std::fabs(value) * kRelativePrecision)
                    << original.GetText();
            }
        }
    }
}

TEST(RoundTripTest, DecibelsReadBackToThreeDecimals) {
    for (double value : LogSpreadValues(1e-6, 1e6, 400)) {
        const unitVolumeFactor original(value, DisplayUnit::decibel);
        const unitVolumeFactor read = ReadBack(original, unitVolumeFactor(1, DisplayUnit::none));
        EXPECT_EQ(read.GetDisplayUnit(), DisplayUnit::decibel);
        EXPECT_NEAR(20 * std::log10(read.GetValue()), 20 * std::log10(value), 0.0011)
            << original.GetText();
    }
}

TEST(RoundTripTest, PhasesReadBackWithinPrecision) {
    std::mt19937 generator(7);
    std::uniform_real_distribution<double> phase(0, 1);
    for (int i = 0; i < 400; ++i) {
        const double value = phase(generator);
        for (DisplayUnit unit : {DisplayUnit::none, DisplayUnit::percent, DisplayUnit::degree}) {
            const unitAngleFactor original(value, unit);
            const double read =
                ReadBack(original, unitAngleFactor(0, DisplayUnit::none)).GetValue();
            EXPECT_NEAR(read, value, kRelativePrecision) << original.GetText();
        }
    }
}

TEST(RoundTripTest, TimesAndFrequenciesReadBackWithinPrecision) {
    for (double value : LogSpreadValues(1e-5, 1e5, 400)) {
        for (DisplayUnit unit : {DisplayUnit::second, DisplayUnit::millisecond, DisplayUnit::hertz,
                                 DisplayUnit::kilohertz}) {
            const unitTime time(value, unit);
            const unitTime readTime = ReadBack(time, unitTime(1, DisplayUnit::second));
            EXPECT_NEAR(readTime.GetValue(), value, value * kRelativePrecision) << time.GetText();
            EXPECT_EQ(readTime.GetDisplayUnit(), unit);

            const unitFreq frequency(value, unit);
            const unitFreq readFrequency = ReadBack(frequency, unitFreq(1, DisplayUnit::hertz));
            EXPECT_NEAR(readFrequency.GetValue(), value, value * kRelativePrecision)
                << frequency.GetText();
        }
    }
}

TEST(RoundTripTest, WavePositionsReadBackWithinPrecision) {
    const double length = 12.5;
    std::mt19937 generator(3);
    std::uniform_real_distribution<double> place(0, length);
    for (int i = 0; i < 200; ++i) {
        const double seconds = place(generator);
        for (bool fromEnd : {false, true}) {
            for (DisplayUnit unit : {DisplayUnit::none, DisplayUnit::percent, DisplayUnit::degree,
                                     DisplayUnit::second, DisplayUnit::millisecond}) {
                unitWavePosition original(seconds, unit, fromEnd);
                original.SetLength(length);
                unitWavePosition copy(0, DisplayUnit::second, false);
                copy.SetLength(length);
                const unitWavePosition read = ReadBack(original, copy);
                EXPECT_NEAR(read.GetValue(), seconds, length * kRelativePrecision)
                    << original.GetText();
            }
        }
    }
}

}  // namespace
}  // namespace kalvora
