#include "documents/unit_factor.h"

#include <cmath>

#include "documents/string_reader.h"
#include "documents/writers.h"

namespace kalvora {
namespace {

constexpr std::string_view kTooLarge = "Number is too large.";

struct UnitMessages {
    std::string_view wrongUnit;
    std::string_view unknownUnit;
};

constexpr UnitMessages kFactorMessages{"Wrong unit used, use: '%' or no unit.",
                                       "This unit does not exist, use: '%' or no unit."};
constexpr UnitMessages kVolumeMessages{"Wrong unit used, use: '%', 'dB' or no unit.",
                                       "This unit does not exist, use: '%', 'dB' or no unit."};
constexpr UnitMessages kAngleMessages{"Wrong unit used, use: '%', ' ' ' or no unit.",
                                      "This unit does not exist, use: '%', ' ' ' or no unit."};

UnitReading UnitFailure(DisplayUnit unit, const UnitMessages& messages) {
    return UnitReading::Failure(unit == DisplayUnit::unknown ? messages.unknownUnit
                                                             : messages.wrongUnit);
}

// A number with its suffix: the plain factor (none), a percentage or decibels; other units
// fail with the member's messages.
UnitReading ParseLevel(std::string_view text, bool acceptsDecibels, const UnitMessages& messages) {
    TStringReader reader(text);
    double v = 0;
    if (!reader.ReadNumber(v)) return UnitReading::Failure(reader.ErrorText());
    const DisplayUnit unit = reader.ReadUnit();
    switch (unit) {
        case DisplayUnit::none:
            return UnitReading::Success(v, unit);
        case DisplayUnit::percent:
            return UnitReading::Success(v * 0.01, unit);
        case DisplayUnit::decibel:
            if (acceptsDecibels) {
                const double factor = std::pow(10.0, v / 20);
                if (!std::isfinite(factor)) return UnitReading::Failure(kTooLarge);
                return UnitReading::Success(factor, unit);
            }
            return UnitFailure(unit, messages);
        default:
            return UnitFailure(unit, messages);
    }
}

// The number of a fraction, percentage or degree text with its unit; other units fail with
// the angle messages.
UnitReading ParseTurn(std::string_view text, double& number) {
    TStringReader reader(text);
    if (!reader.ReadNumber(number)) return UnitReading::Failure(reader.ErrorText());
    const DisplayUnit unit = reader.ReadUnit();
    if (unit == DisplayUnit::none || unit == DisplayUnit::percent || unit == DisplayUnit::degree) {
        return UnitReading::Success(number, unit);
    }
    return UnitFailure(unit, kAngleMessages);
}

}  // namespace

unitFactor::unitFactor(double value, DisplayUnit displayUnit)
    : unitFactor(value, displayUnit, Restriction::none) {}

unitFactor::unitFactor(double value, DisplayUnit displayUnit, Restriction restriction)
    : value_(value), displayUnit_(displayUnit), restriction_(restriction) {}

UnitReading unitFactor::Restricted(UnitReading reading) const {
    return ApplyRestriction(std::move(reading), restriction_);
}

UnitReading unitFactor::Parse(std::string_view text) const {
    return Restricted(ParseLevel(text, false, kFactorMessages));
}

bool unitFactor::ReadsUnit(DisplayUnit unit) const {
    return unit == DisplayUnit::none || unit == DisplayUnit::percent;
}

std::string unitFactor::GetText() const {
    switch (displayUnit_) {
        case DisplayUnit::none:
        case DisplayUnit::percent:
        case DisplayUnit::decibel:
        case DisplayUnit::degree:
        case DisplayUnit::balanceDegree:
            break;
        default:
            return {};
    }
    // A unit this member shows but does not read: the text cannot read back whatever its
    // digits, so it is the unit's own text.
    if (!ReadsUnit(displayUnit_)) return WriteValue(value_, displayUnit_);
    // The short text, unless it does not read back (a value that it rounds onto a bound
    // of the range, or a unit this member cannot read): then every digit, in the display
    // unit or else as a plain number.
    return FirstTextReadingBack({WriteValue(value_, displayUnit_),
                                 WriteValueExact(value_, displayUnit_), WriteExact(value_)},
                                [this](std::string_view text) { return Parse(text); });
}

bool unitFactor::ReadText(std::string_view text, std::string_view fieldName,
                          std::string& errorText) {
    return Store(Parse(text), fieldName, errorText, value_, displayUnit_);
}

unitVolumeFactor::unitVolumeFactor(double value, DisplayUnit displayUnit)
    : unitVolumeFactor(value, displayUnit, Restriction::none) {}

unitVolumeFactor::unitVolumeFactor(double value, DisplayUnit displayUnit, Restriction restriction)
    : unitFactor(value, displayUnit, restriction) {}

void unitVolumeFactor::SetValue(double value) {
    unitFactor::SetValue(value);
    if (!(value > 0) && GetDisplayUnit() == DisplayUnit::decibel) {
        SetDisplayUnit(DisplayUnit::none);
    }
}

bool unitVolumeFactor::ReadText(std::string_view text, std::string_view fieldName,
                                std::string& errorText) {
    if (!unitFactor::ReadText(text, fieldName, errorText)) return false;
    // A decibel input so low that it comes out as 0 is shown as a plain 0 again.
    SetValue(GetValue());
    return true;
}

UnitReading unitVolumeFactor::Parse(std::string_view text) const {
    return Restricted(ParseLevel(text, true, kVolumeMessages));
}

bool unitVolumeFactor::ReadsUnit(DisplayUnit unit) const {
    return unitFactor::ReadsUnit(unit) || unit == DisplayUnit::decibel;
}

unitAngleFactor::unitAngleFactor(double value, DisplayUnit displayUnit)
    : unitFactor(value, displayUnit) {}

UnitReading unitAngleFactor::ParsePhase(std::string_view text) {
    double number = 0;
    UnitReading reading = ParseTurn(text, number);
    if (!reading.ok) return reading;
    double phase = 0;
    if (reading.displayUnit == DisplayUnit::degree) {
        if (number < -360) return UnitReading::Failure("Fase is too low. (minimum: -360' )");
        if (number >= 360) {
            return UnitReading::Failure("Fase is too high. (maximum: less than 360' )");
        }
        phase = number / 360;
    } else {
        phase = reading.displayUnit == DisplayUnit::percent ? number * 0.01 : number;
        if (phase < -1) return UnitReading::Failure("Fase is too low. (minimum: -1 or -100 %)");
        if (phase >= 1) {
            return UnitReading::Failure("Fase is too high. (maximum: less than 1 or 100 %)");
        }
    }
    if (phase < 0) {
        phase += 1;
        // A phase a hair below 0 rounds to a full period, which is phase 0.
        if (phase >= 1) phase = 0;
    }
    reading.value = phase;
    return reading;
}

UnitReading unitAngleFactor::Parse(std::string_view text) const {
    return ParsePhase(text);
}

bool unitAngleFactor::ReadsUnit(DisplayUnit unit) const {
    return unitFactor::ReadsUnit(unit) || unit == DisplayUnit::degree;
}

unitBalAngleFactor::unitBalAngleFactor(double value, DisplayUnit displayUnit)
    : unitFactor(value, displayUnit) {}

bool unitBalAngleFactor::ReadsUnit(DisplayUnit unit) const {
    return unitFactor::ReadsUnit(unit) || unit == DisplayUnit::balanceDegree;
}

UnitReading unitBalAngleFactor::Parse(std::string_view text) const {
    double number = 0;
    UnitReading reading = ParseTurn(text, number);
    if (!reading.ok) return reading;
    if (reading.displayUnit == DisplayUnit::degree) {
        if (number < -90) {
            return UnitReading::Failure("Balance Angle is too low. (minimum: -90' )");
        }
        if (number > 90) {
            return UnitReading::Failure("Balance Angle is too high. (maximum: 90' )");
        }
        reading.value = number / 90;
        reading.displayUnit = DisplayUnit::balanceDegree;
        return reading;
    }
    const double balance = reading.displayUnit == DisplayUnit::percent ? number * 0.01 : number;
    if (balance < -1) {
        return UnitReading::Failure("Balance Factor is too low. (minimum: -1 or -100 %)");
    }
    if (balance > 1) {
        return UnitReading::Failure("Balance Factor is too high. (maximum: 1 or 100 %)");
    }
    reading.value = balance;
    return reading;
}

}  // namespace kalvora
