#include "documents/unit.h"

#include "platform/messages.h"

namespace kalvora {

void unit::Check(bool& ok, std::string_view text, std::string_view fieldName) {
    if (!ok) return;
    std::string errorText;
    if (ReadText(text, fieldName, errorText)) return;
    platform::ShowMessage(errorText, platform::caption::inputError,
                          platform::MessageIcon::information);
    ok = false;
}

UnitReading ApplyRestriction(UnitReading reading, Restriction restriction) {
    if (!reading.ok) return reading;
    const std::string_view violation = RestrictionViolation(restriction, reading.value);
    if (!violation.empty()) return UnitReading::Failure(violation);
    return reading;
}

std::string unit::InputErrorText(std::string_view fieldName, std::string_view reason) {
    std::string text = "In ";
    text.append(fieldName).append(": ").append(reason);
    return text;
}

bool unit::Accepted(const UnitReading& reading, std::string_view fieldName,
                    std::string& errorText) {
    if (!reading.ok) errorText = InputErrorText(fieldName, reading.reason);
    return reading.ok;
}

}  // namespace kalvora
