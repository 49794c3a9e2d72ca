// unitWavePosition: a place in a wave, stored in seconds from its start. Typed as a time
// ("2.5 s"; a negative time counts back from the end), or as a share of the wave's length
// ("0.25", "25 %", "90 '"). A share keeps its share when the length changes, a time counted
// from the end keeps its distance from the end. Standard C++ and the platform message
// interface only.
#pragma once

#include <string>
#include <string_view>

#include "documents/display_unit.h"
#include "documents/unit.h"

namespace kalvora {

class unitWavePosition : public unit {
  public:
    unitWavePosition(double seconds, DisplayUnit displayUnit, bool fromEnd);
    ~unitWavePosition() override = default;

    std::string GetText() const override;
    bool ReadText(std::string_view text, std::string_view fieldName,
                  std::string& errorText) override;

    // The length of the wave in seconds; call before reading or writing text. A length
    // that is not positive is taken as 0: then no time and only the start can be read.
    void SetLength(double seconds);

    double GetValue() const { return value_; }  // seconds from the start
    bool GetFromEnd() const { return fromEnd_; }
    double GetLength() const { return length_; }
    DisplayUnit GetDisplayUnit() const { return displayUnit_; }

  private:
    UnitReading Parse(std::string_view text) const;
    static bool IsShare(DisplayUnit unit);
    double BeforeEnd(double seconds) const;

    double value_;
    DisplayUnit displayUnit_;
    bool fromEnd_;
    double length_ = 0;
};

}  // namespace kalvora
