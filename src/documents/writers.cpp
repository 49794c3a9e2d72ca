#include "documents/writers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>

#include "documents/sample_scale.h"
#include "documents/string_reader.h"
#include "platform/assertion.h"

namespace kalvora {
namespace {

constexpr std::string_view kNotANumber = "***";

bool HasNonZeroDigit(std::string_view text) {
    return text.find_first_of("123456789") != std::string_view::npos;
}

// The fixed-point text of a non-negative finite x with exactly `decimals` decimals,
// rounded at the last one; independent of the C locale.
std::string FixedText(double x, int decimals) {
    std::string text(static_cast<std::size_t>(decimals) + 330, '\0');
    const auto result = std::to_chars(text.data(), text.data() + text.size(), x,
                                      std::chars_format::fixed, decimals);
    text.resize(static_cast<std::size_t>(result.ptr - text.data()));
    return text;
}

std::string WithSuffix(std::string number, std::string_view suffix) {
    number.push_back(' ');
    number.append(suffix);
    return number;
}

// How the numbers inside a value text are written: short (the value types' precision) or
// exact.
struct NumberStyle {
    std::string (*number)(double);
    std::string (*decibels)(double);
};

std::string ShortNumber(double x) {
    return WritePrecision(x, kValuePrecision);
}

std::string ShortDecibels(double x) {
    return WriteDigits(x, 1, 0, 3);
}

constexpr NumberStyle kShort{ShortNumber, ShortDecibels};
constexpr NumberStyle kExact{WriteExact, WriteExact};

// Time stored in seconds or frequency stored in hertz, written in a time or frequency unit.
std::string WriteTimeOrFrequency(double v, DisplayUnit unit, bool storedAsFrequency,
                                 const NumberStyle& style) {
    double shown = 0;
    bool inverted = false;
    std::string_view suffix;
    switch (unit) {
        case DisplayUnit::second:
            inverted = storedAsFrequency;
            shown = storedAsFrequency ? 1 / v : v;
            suffix = "s";
            break;
        case DisplayUnit::millisecond:
            inverted = storedAsFrequency;
            shown = storedAsFrequency ? 1000 / v : 1000 * v;
            suffix = "ms";
            break;
        case DisplayUnit::hertz:
            inverted = !storedAsFrequency;
            shown = storedAsFrequency ? v : 1 / v;
            suffix = "Hz";
            break;
        default:  // kilohertz
            inverted = !storedAsFrequency;
            shown = storedAsFrequency ? 0.001 * v : 0.001 / v;
            suffix = "kHz";
            break;
    }
    if (inverted && (v == 0 || !std::isfinite(shown))) {
        // 0 has no inverse: write it in the unit it is stored in, which reads back.
        return WithSuffix(style.number(v), storedAsFrequency ? "Hz" : "s");
    }
    return WithSuffix(style.number(shown), suffix);
}

// True when text reads back, in `unit`, as exactly `sample`.
bool ReadsBackAsSample(const std::string& text, DisplayUnit unit, int sample) {
    TStringReader reader(text);
    double v = 0;
    if (!reader.ReadNumber(v) || reader.ReadUnit() != unit) return false;
    if (unit == DisplayUnit::percent) return v >= -100 && v <= 100 && SampleOfPercent(v) == sample;
    return v >= -1 && v <= 1 && SampleOfFraction(v) == sample;
}

// -x for a negative sample, so that a magnitude keeps the sample's sign.
double WithSign(int sample, double magnitude) {
    return sample < 0 ? -magnitude : magnitude;
}

}  // namespace

std::string WriteDigits(double x, int minDigBefore, int minDigAfter, int maxDigAfter) {
    KALVORA_ASSERT(minDigBefore >= 1);
    KALVORA_ASSERT(minDigAfter >= 0);
    KALVORA_ASSERT(minDigAfter <= maxDigAfter);
    if (!std::isfinite(x)) return std::string(kNotANumber);
    const double magnitude = std::fabs(x) + std::pow(10.0, -(maxDigAfter + 1));
    // Written with spare decimals and then cut. The magnitude is at least
    // 10^-(maxDigAfter+1), so its spacing is far coarser than the spare places: rounding in
    // the last spare place can never carry into the kept ones.
    constexpr int spare = 20;
    const std::string fixed = FixedText(magnitude, maxDigAfter + spare);
    const std::size_t point = fixed.find('.');
    std::string integerPart = fixed.substr(0, point);
    std::string decimals = fixed.substr(point + 1, static_cast<std::size_t>(maxDigAfter));
    while (static_cast<int>(decimals.size()) > minDigAfter && decimals.back() == '0') {
        decimals.pop_back();
    }
    if (static_cast<int>(integerPart.size()) < minDigBefore) {
        integerPart.insert(0, static_cast<std::size_t>(minDigBefore) - integerPart.size(), '0');
    }
    std::string text;
    if (x < 0 && (HasNonZeroDigit(integerPart) || HasNonZeroDigit(decimals))) text = "-";
    text += integerPart;
    if (!decimals.empty()) {
        text.push_back('.');
        text += decimals;
    }
    return text;
}

std::string WritePrecision(double x, int precisie) {
    KALVORA_ASSERT(precisie >= 1);
    if (!std::isfinite(x)) return std::string(kNotANumber);
    const int c = x == 0 ? 1 : static_cast<int>(std::trunc(std::log10(std::fabs(x))));
    const int decimals = c < precisie ? precisie - c - 1 : 0;
    return WriteDigits(x, std::max(c, 1), 0, decimals);
}

std::string WriteExact(double x) {
    if (!std::isfinite(x)) return std::string(kNotANumber);
    if (x == 0) return "0";
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::fixed);
    return std::string(buffer, result.ptr);
}

namespace {

std::string WriteValueInStyle(double v, DisplayUnit unit, bool storedAsFrequency,
                              const NumberStyle& style) {
    switch (unit) {
        case DisplayUnit::none:
            return style.number(v);
        case DisplayUnit::percent:
            return WithSuffix(style.number(100 * v), "%");
        case DisplayUnit::decibel:
            // A level of 0 or less has no decibel value.
            if (!(v > 0)) return style.number(v);
            return WithSuffix(style.decibels(20 * std::log10(v)), "dB");
        case DisplayUnit::second:
        case DisplayUnit::millisecond:
        case DisplayUnit::hertz:
        case DisplayUnit::kilohertz:
            return WriteTimeOrFrequency(v, unit, storedAsFrequency, style);
        case DisplayUnit::degree: {
            const double turn = v >= 0.5 ? v - 1 : v;
            return WithSuffix(style.number(360 * turn), "'");
        }
        case DisplayUnit::balanceDegree:
            return WithSuffix(style.number(90 * v), "'");
        default:
            return std::string(kNotANumber);
    }
}

}  // namespace

std::string WriteValue(double v, DisplayUnit unit, bool storedAsFrequency) {
    return WriteValueInStyle(v, unit, storedAsFrequency, kShort);
}

std::string WriteValueExact(double v, DisplayUnit unit, bool storedAsFrequency) {
    return WriteValueInStyle(v, unit, storedAsFrequency, kExact);
}

std::string WriteSampleValue(int sample, DisplayUnit unit) {
    const std::string raw = WithSuffix(WriteDigits(sample, 1, 0, 0), "$");
    switch (unit) {
        case DisplayUnit::none: {
            const double fraction = static_cast<double>(sample) / kSampleFullScale;
            std::string text = WriteDigits(fraction + WithSign(sample, 0.00005), 1, 0, 4);
            if (ReadsBackAsSample(text, unit, sample)) return text;
            // Rounded away from zero at five decimals the fraction lies within the sample's
            // step of 1/32767, so it truncates back to the sample.
            text =
                WriteDigits(WithSign(sample, std::ceil(std::fabs(fraction) * 1e5) / 1e5), 1, 0, 5);
            if (ReadsBackAsSample(text, unit, sample)) return text;
            return raw;
        }
        case DisplayUnit::percent: {
            const double percent = 100.0 * sample / kSampleFullScale;
            std::string text = WithSuffix(
                WriteDigits(sample == 0 ? 0 : percent + WithSign(sample, 0.005), 1, 0, 2), "%");
            if (ReadsBackAsSample(text, unit, sample)) return text;
            text = WithSuffix(
                WriteDigits(WithSign(sample, std::ceil(std::fabs(percent) * 1e3) / 1e3), 1, 0, 3),
                "%");
            if (ReadsBackAsSample(text, unit, sample)) return text;
            return raw;
        }
        case DisplayUnit::sample:
            return raw;
        default:
            return {};
    }
}

std::string WriteDuration(double seconds) {
    if (!std::isfinite(seconds)) return std::string(kNotANumber);
    // Counted in hundred-thousandths of a second, cut as WriteDigits cuts, so that a rest
    // of 59.999999 s carries into the minutes instead of showing as 60 seconds.
    const double units = std::floor((std::fabs(seconds) + 1e-6) * 1e5);
    constexpr double unitsPerMinute = 60 * 1e5;
    const double totalMinutes = std::floor(units / unitsPerMinute);
    const double restUnits = units - totalMinutes * unitsPerMinute;
    const double hours = std::floor(totalMinutes / 60);
    const double minutes = totalMinutes - 60 * hours;
    std::string text;
    if (hours > 0) {
        text = WriteDigits(hours, 1, 0, 0) + ":" + WriteDigits(minutes, 2, 0, 0) + ":";
    } else if (minutes > 0) {
        text = WriteDigits(minutes, 1, 0, 0) + ":";
    }
    const bool anythingBefore = !text.empty();
    const double wholeSeconds = std::floor(restUnits / 1e5);
    std::string fraction = WriteDigits(restUnits - wholeSeconds * 1e5, 5, 0, 0);
    text += WriteDigits(wholeSeconds, anythingBefore ? 2 : 1, 0, 0) + "." + fraction.substr(0, 5);
    if (!anythingBefore) text += " s";
    // Built by appending: GCC 12 warns falsely about insert(0, ...) here in Release builds.
    if (seconds < 0 && HasNonZeroDigit(text)) return std::string(1, '-').append(text);
    return text;
}

std::string WriteFrequency(double frequency, int decimals) {
    KALVORA_ASSERT(decimals >= 3);
    if (frequency < 100) {
        return WriteDigits(frequency, 2, decimals - 2, decimals - 2) + " Hz";
    }
    if (frequency < 1000) {
        return WriteDigits(frequency, 3, decimals - 3, decimals - 3) + " Hz";
    }
    if (frequency < 10000) {
        return WriteDigits(frequency / 1000, 1, decimals - 1, decimals - 1) + " kHz";
    }
    return WriteDigits(frequency / 1000, 2, decimals - 2, decimals - 2) + " kHz";
}

std::string WriteNumberValue(const NumberValue& number) {
    return WriteDigits(number.value, 1, 0, 9);
}

}  // namespace kalvora
