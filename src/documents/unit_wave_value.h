// The sample value types: one signed 16-bit sample, typed as a fraction of full scale
// ("0.5", -1..1), a percentage ("50 %") or a raw value ("16384 $"). What GetText writes
// reads back as exactly the same sample. Standard C++ and the platform message interface
// only.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "documents/display_unit.h"
#include "documents/unit.h"

namespace kalvora {

class unitWaveVal : public unit {
  public:
    // sample in -32768..32767
    unitWaveVal(int sample, DisplayUnit displayUnit);
    ~unitWaveVal() override = default;

    std::string GetText() const override;
    bool ReadText(std::string_view text, std::string_view fieldName,
                  std::string& errorText) override;

    std::int16_t GetValue() const { return value_; }
    void SetValue(int sample);
    DisplayUnit GetDisplayUnit() const { return displayUnit_; }
    void SetDisplayUnit(DisplayUnit displayUnit) { displayUnit_ = displayUnit; }
    Restriction GetRestriction() const { return restriction_; }

  protected:
    unitWaveVal(int sample, DisplayUnit displayUnit, Restriction restriction);

  private:
    UnitReading Parse(std::string_view text) const;

    std::int16_t value_;
    DisplayUnit displayUnit_;
    Restriction restriction_;
};

// sample > 0
class unitWaveValPosMore : public unitWaveVal {
  public:
    unitWaveValPosMore(int sample, DisplayUnit displayUnit);
};

}  // namespace kalvora
