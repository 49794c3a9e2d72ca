// The time and frequency value types. A time is stored in seconds, a frequency in hertz;
// both read "s", "ms", "Hz", "kHz" (the inverse of each other where needed) and note names
// ("A4" is 440 Hz), and both show any of those four units. Standard C++ and the platform
// message interface only.
#pragma once

#include <string>
#include <string_view>

#include "documents/display_unit.h"
#include "documents/unit.h"

namespace kalvora {

// Reads a time (asFrequency false: seconds) or a frequency (hertz) from a note name or a
// number with "s", "ms", "Hz" or "kHz". A note name keeps the display unit (empty
// displayUnit in the reading). No range restriction is applied here.
UnitReading ParseTimeOrFrequency(std::string_view text, bool asFrequency);

// A time in seconds.
class unitTime : public unit {
  public:
    unitTime(double seconds, DisplayUnit displayUnit);
    ~unitTime() override = default;

    std::string GetText() const override;
    bool ReadText(std::string_view text, std::string_view fieldName,
                  std::string& errorText) override;

    double GetValue() const { return value_; }
    virtual void SetValue(double seconds) { value_ = seconds; }
    DisplayUnit GetDisplayUnit() const { return displayUnit_; }
    void SetDisplayUnit(DisplayUnit displayUnit) { displayUnit_ = displayUnit; }
    Restriction GetRestriction() const { return restriction_; }

  protected:
    unitTime(double seconds, DisplayUnit displayUnit, Restriction restriction);
    UnitReading Parse(std::string_view text) const;

  private:
    double value_;
    DisplayUnit displayUnit_;
    Restriction restriction_;
};

using unitTimePos = unitRestricted<unitTime, Restriction::notNegative>;   // t >= 0
using unitTimePosMore = unitRestricted<unitTime, Restriction::positive>;  // t > 0

// A frequency in hertz.
class unitFreq : public unit {
  public:
    unitFreq(double hertz, DisplayUnit displayUnit);
    ~unitFreq() override = default;

    std::string GetText() const override;
    bool ReadText(std::string_view text, std::string_view fieldName,
                  std::string& errorText) override;

    double GetValue() const { return value_; }
    void SetValue(double hertz) { value_ = hertz; }
    DisplayUnit GetDisplayUnit() const { return displayUnit_; }
    void SetDisplayUnit(DisplayUnit displayUnit) { displayUnit_ = displayUnit; }

  private:
    double value_;
    DisplayUnit displayUnit_;
};

}  // namespace kalvora
