#include "documents/unit_integer.h"

#include "documents/string_reader.h"

namespace kalvora {

unitInteger::unitInteger(int value) : unitInteger(value, Restriction::none) {}

unitInteger::unitInteger(int value, Restriction restriction)
    : value_(value), restriction_(restriction) {}

std::string unitInteger::GetText() const {
    return std::to_string(value_);
}

UnitReading unitInteger::Parse(std::string_view text) const {
    TStringReader reader(text);
    int value = 0;
    if (!reader.ReadInteger(value)) return UnitReading::Failure(reader.ErrorText());
    // Integers are always shown as plain digits: a suffix typed after them is not kept.
    return ApplyRestriction(UnitReading::Success(value, DisplayUnit::none), restriction_);
}

bool unitInteger::ReadText(std::string_view text, std::string_view fieldName,
                           std::string& errorText) {
    const UnitReading reading = Parse(text);
    if (!Accepted(reading, fieldName, errorText)) return false;
    value_ = static_cast<int>(reading.value);
    return true;
}

unitIntegerPos::unitIntegerPos(int value) : unitInteger(value, Restriction::notNegative) {}

unitIntegerPosMore::unitIntegerPosMore(int value) : unitInteger(value, Restriction::positive) {}

unitIntegerMoreUser::unitIntegerMoreUser(int value, int minimum)
    : unitInteger(value), Minimum(minimum) {}

UnitReading unitIntegerMoreUser::Parse(std::string_view text) const {
    UnitReading reading = unitInteger::Parse(text);
    if (reading.ok && reading.value < Minimum) {
        return UnitReading::Failure("Value must be more or equal of " + std::to_string(Minimum) +
                                    ".");
    }
    return reading;
}

}  // namespace kalvora
