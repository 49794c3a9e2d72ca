// Feeds arbitrary text to the number reader and to ReadText of every value type. Nothing may
// crash or reach an assertion, and whatever a value type accepts it must write as a text
// that it reads back: integers and samples exactly, real values within the writers'
// precision.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "documents/string_reader.h"
#include "documents/unit_factor.h"
#include "documents/unit_integer.h"
#include "documents/unit_time.h"
#include "documents/unit_unit_wave.h"
#include "documents/unit_wave_position.h"
#include "documents/unit_wave_value.h"
#include "documents/writers.h"

namespace {

using namespace kalvora;

void Require(bool condition) {
    if (!condition) std::abort();
}

// Values agree to the writers' precision: seven significant digits, cut.
bool Close(double a, double b, double scale) {
    return std::fabs(a - b) <= 2e-5 * std::max({std::fabs(a), std::fabs(b), scale});
}

void ExerciseReader(std::string_view text) {
    TStringReader numberReader(text);
    double number = 0;
    if (numberReader.ReadNumber(number)) {
        Require(std::isfinite(number));
        numberReader.ReadUnit();
        WriteDigits(number, 1, 0, 9);
        WritePrecision(number, kValuePrecision);
        WriteDuration(number);
        WriteFrequency(number, 4);
        for (int unit = 0; unit <= 11; ++unit) {
            WriteValue(number, static_cast<DisplayUnit>(unit), false);
            WriteValue(number, static_cast<DisplayUnit>(unit), true);
        }
    }
    TStringReader integerReader(text);
    int integer = 0;
    integerReader.ReadInteger(integer);
    TStringReader noteReader(text);
    double frequency = 0;
    if (noteReader.ReadNote(frequency)) Require(std::isfinite(frequency) && frequency > 0);
}

// Reads text into a fresh member; when accepted, its text must read back into another one.
template <typename Unit, typename Make, typename Same>
void RoundTrip(std::string_view text, Make make, Same same) {
    Unit first = make();
    std::string errorText;
    if (!first.ReadText(text, "Field", errorText)) {
        Require(errorText.rfind("In Field: ", 0) == 0);
        return;
    }
    const std::string written = first.GetText();
    Unit second = make();
    Require(second.ReadText(written, "Field", errorText));
    Require(same(first, second));
}

template <typename Factor>
void FactorRoundTrip(std::string_view text, double initial, bool isPhase = false) {
    RoundTrip<Factor>(
        text, [&] { return Factor(initial, DisplayUnit::none); },
        [&](const Factor& a, const Factor& b) {
            if (a.GetDisplayUnit() == DisplayUnit::decibel && a.GetValue() > 0) {
                return std::fabs(20 * std::log10(a.GetValue()) - 20 * std::log10(b.GetValue())) <=
                       0.0011;
            }
            if (isPhase) {
                const double difference = std::fabs(a.GetValue() - b.GetValue());
                return std::min(difference, 1 - difference) <= 2e-5;
            }
            return Close(a.GetValue(), b.GetValue(), 0);
        });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    ExerciseReader(text);

    FactorRoundTrip<unitFactor>(text, 1);
    FactorRoundTrip<unitFactorPos>(text, 1);
    FactorRoundTrip<unitFactorNotNul>(text, 1);
    FactorRoundTrip<unitFactorPosMore>(text, 1);
    FactorRoundTrip<unitFactorPosMoreLess1>(text, 0.5);
    FactorRoundTrip<unitFactorPosMax1>(text, 0.5);
    FactorRoundTrip<unitVolumeFactor>(text, 1);
    FactorRoundTrip<unitVolumeFactorPosMoreLess1>(text, 0.5);
    FactorRoundTrip<unitAngleFactor>(text, 0, true);
    FactorRoundTrip<unitBalAngleFactor>(text, 0);

    const auto sameInteger = [](const unitInteger& a, const unitInteger& b) {
        return a.GetValue() == b.GetValue();
    };
    RoundTrip<unitInteger>(
        text, [] { return unitInteger(0); }, sameInteger);
    RoundTrip<unitIntegerPos>(
        text, [] { return unitIntegerPos(0); }, sameInteger);
    RoundTrip<unitIntegerPosMore>(
        text, [] { return unitIntegerPosMore(1); }, sameInteger);
    RoundTrip<unitIntegerMoreUser>(
        text, [] { return unitIntegerMoreUser(80, 80); }, sameInteger);

    const auto sameTime = [](const auto& a, const auto& b) {
        return Close(a.GetValue(), b.GetValue(), 0);
    };
    RoundTrip<unitTime>(
        text, [] { return unitTime(1, DisplayUnit::second); }, sameTime);
    RoundTrip<unitTimePos>(
        text, [] { return unitTimePos(1, DisplayUnit::hertz); }, sameTime);
    RoundTrip<unitTimePosMore>(
        text, [] { return unitTimePosMore(1, DisplayUnit::millisecond); }, sameTime);
    RoundTrip<unitFreq>(
        text, [] { return unitFreq(440, DisplayUnit::second); }, sameTime);

    const auto sameSample = [](const unitWaveVal& a, const unitWaveVal& b) {
        return a.GetValue() == b.GetValue();
    };
    RoundTrip<unitWaveVal>(
        text, [] { return unitWaveVal(0, DisplayUnit::none); }, sameSample);
    RoundTrip<unitWaveValPosMore>(
        text, [] { return unitWaveValPosMore(1, DisplayUnit::percent); }, sameSample);

    for (double length : {10.0, 0.001, 0.0}) {
        RoundTrip<unitWavePosition>(
            text,
            [length] {
                unitWavePosition position(0, DisplayUnit::second, false);
                position.SetLength(length);
                return position;
            },
            [length](const unitWavePosition& a, const unitWavePosition& b) {
                return Close(a.GetValue(), b.GetValue(), length);
            });
    }

    unitUnitWave reference(text);
    reference.ReadText(text);
    return 0;
}
