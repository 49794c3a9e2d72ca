// unit: the base of the value types. A value type holds one number of a parameter in a
// fixed internal unit, remembers the display unit in which it was last typed and carries a
// range restriction. It reads text with its unit (ReadText), writes the value back in the
// display unit (GetText) and reports a rejected field to the user (Check). Dialogs, file
// readers and the command line hold their fields as unit& and use only these operations.
// unitRestricted makes the range-restricted members of a value type.
// Standard C++ and the platform message interface only.
#pragma once

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "documents/display_unit.h"

namespace kalvora {

// The outcome of reading a value text, before a value type stores it.
struct UnitReading {
    bool ok = false;
    double value = 0;                        // in the member's internal unit
    std::optional<DisplayUnit> displayUnit;  // empty: keep the current one (note names)
    bool fromEnd = false;                    // wave positions only
    std::string reason;                      // why it failed

    static UnitReading Success(double value, std::optional<DisplayUnit> displayUnit) {
        return UnitReading{true, value, displayUnit, false, {}};
    }
    static UnitReading Failure(std::string_view reason) {
        return UnitReading{false, 0, std::nullopt, false, std::string(reason)};
    }
};

// The reading, or a failure with the restriction's message when its value breaks the
// restriction. A failed reading passes unchanged.
UnitReading ApplyRestriction(UnitReading reading, Restriction restriction);

// What a value type writes must read back: the first of its texts (the short text first)
// that `parse` accepts, else the short text.
template <typename Parser>
std::string FirstTextReadingBack(std::initializer_list<std::string> texts, const Parser& parse) {
    for (const std::string& text : texts) {
        if (parse(text).ok) return text;
    }
    return *texts.begin();
}

class unit {
  public:
    virtual ~unit() = default;

    // The value written in the display unit; empty when the member cannot show that unit.
    // Whatever a member writes, it reads back.
    virtual std::string GetText() const = 0;

    // Does nothing when ok is already false. Otherwise reads text; on failure shows
    // "In <fieldName>: <reason>" under "Input Error" and sets ok to false. Dialogs call it
    // once per field in field order with one shared flag.
    virtual void Check(bool& ok, std::string_view text, std::string_view fieldName);

    // Reads text into the value and the display unit. On failure leaves both as they were
    // and sets errorText to "In <fieldName>: <reason>".
    virtual bool ReadText(std::string_view text, std::string_view fieldName,
                          std::string& errorText) = 0;

  protected:
    unit() = default;
    unit(const unit&) = default;
    unit& operator=(const unit&) = default;

    static std::string InputErrorText(std::string_view fieldName, std::string_view reason);

    // For ReadText: whether the reading succeeded; if not, errorText tells why.
    static bool Accepted(const UnitReading& reading, std::string_view fieldName,
                         std::string& errorText);
    // For ReadText: stores a reading that succeeded into the member's value and display unit
    // (which a reading without one, a note name, keeps); a failed one only into errorText.
    template <typename Value>
    static bool Store(const UnitReading& reading, std::string_view fieldName,
                      std::string& errorText, Value& value, DisplayUnit& displayUnit) {
        if (!Accepted(reading, fieldName, errorText)) return false;
        value = static_cast<Value>(reading.value);
        if (reading.displayUnit) displayUnit = *reading.displayUnit;
        return true;
    }
};

// The member of the value type Base that accepts only what `restriction` allows, such as
// unitFactorPos. Base has a protected constructor (value, display unit, restriction).
template <typename Base, Restriction restriction>
class unitRestricted : public Base {
  public:
    unitRestricted(double value, DisplayUnit displayUnit) : Base(value, displayUnit, restriction) {}
};

}  // namespace kalvora
