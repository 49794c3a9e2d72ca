#include "documents/unit_time.h"

#include <cmath>

#include "documents/string_reader.h"
#include "documents/writers.h"

namespace kalvora {
namespace {

bool IsTimeUnit(DisplayUnit unit) {
    return unit == DisplayUnit::second || unit == DisplayUnit::millisecond ||
           unit == DisplayUnit::hertz || unit == DisplayUnit::kilohertz;
}

// The time or frequency text in the display unit: the short text unless it does not read
// back, then every digit in the display unit, then every digit in the stored unit.
template <typename Parser>
std::string TimeText(double value, DisplayUnit displayUnit, bool asFrequency, const Parser& parse) {
    if (!IsTimeUnit(displayUnit)) return {};
    const DisplayUnit storedUnit = asFrequency ? DisplayUnit::hertz : DisplayUnit::second;
    return FirstTextReadingBack({WriteValue(value, displayUnit, asFrequency),
                                 WriteValueExact(value, displayUnit, asFrequency),
                                 WriteValueExact(value, storedUnit, asFrequency)},
                                parse);
}

}  // namespace

UnitReading ParseTimeOrFrequency(std::string_view text, bool asFrequency) {
    TStringReader reader(text);
    if (reader.AtNoteName()) {
        double frequency = 0;
        if (!reader.ReadNote(frequency)) return UnitReading::Failure(reader.ErrorText());
        return UnitReading::Success(asFrequency ? frequency : 1 / frequency, std::nullopt);
    }
    double v = 0;
    if (!reader.ReadNumber(v)) return UnitReading::Failure(reader.ErrorText());
    const DisplayUnit unit = reader.ReadUnit();
    double value = 0;
    switch (unit) {
        case DisplayUnit::second:
            if (asFrequency && v == 0) return UnitReading::Failure("You cannot use 0 with 's'.");
            value = asFrequency ? 1 / v : v;
            break;
        case DisplayUnit::millisecond:
            if (asFrequency && v == 0) return UnitReading::Failure("You cannot use 0 with 'ms'.");
            value = asFrequency ? 1000 / v : v * 0.001;
            break;
        case DisplayUnit::hertz:
            if (!asFrequency && v == 0) return UnitReading::Failure("You cannot use 0 with 'Hz'.");
            value = asFrequency ? v : 1 / v;
            break;
        case DisplayUnit::kilohertz:
            if (!asFrequency && v == 0) {
                return UnitReading::Failure("You cannot use 0 with 'kHz'.");
            }
            value = asFrequency ? v * 1000 : 0.001 / v;
            break;
        case DisplayUnit::unknown:
            return UnitReading::Failure("This unit does not exist, use: 's', 'ms', 'Hz', 'kHz'.");
        default:  // a plain number is no time either
            return UnitReading::Failure("Wrong unit used, use: 's', 'ms', 'Hz', 'kHz'.");
    }
    if (!std::isfinite(value)) return UnitReading::Failure("Number is too large.");
    return UnitReading::Success(value, unit);
}

unitTime::unitTime(double seconds, DisplayUnit displayUnit)
    : unitTime(seconds, displayUnit, Restriction::none) {}

unitTime::unitTime(double seconds, DisplayUnit displayUnit, Restriction restriction)
    : value_(seconds), displayUnit_(displayUnit), restriction_(restriction) {}

UnitReading unitTime::Parse(std::string_view text) const {
    UnitReading reading = ParseTimeOrFrequency(text, false);
    // Note names are not range checked: they are always positive.
    if (!reading.displayUnit) return reading;
    return ApplyRestriction(std::move(reading), restriction_);
}

std::string unitTime::GetText() const {
    return TimeText(value_, displayUnit_, false,
                    [this](std::string_view text) { return Parse(text); });
}

bool unitTime::ReadText(std::string_view text, std::string_view fieldName, std::string& errorText) {
    return Store(Parse(text), fieldName, errorText, value_, displayUnit_);
}

unitFreq::unitFreq(double hertz, DisplayUnit displayUnit)
    : value_(hertz), displayUnit_(displayUnit) {}

std::string unitFreq::GetText() const {
    return TimeText(value_, displayUnit_, true,
                    [](std::string_view text) { return ParseTimeOrFrequency(text, true); });
}

bool unitFreq::ReadText(std::string_view text, std::string_view fieldName, std::string& errorText) {
    return Store(ParseTimeOrFrequency(text, true), fieldName, errorText, value_, displayUnit_);
}

}  // namespace kalvora
