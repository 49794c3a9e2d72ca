// The factor value types: a double read as a plain number or a percentage, with the
// volume (decibel), phase (degree) and balance (degree) variants and the range-restricted
// members. Standard C++ and the platform message interface only.
#pragma once

#include <string>
#include <string_view>

#include "documents/display_unit.h"
#include "documents/unit.h"

namespace kalvora {

// A linear factor; reads "0.5", "1/4", "50 %". Shows none, percent, decibel, degree and
// balance degree; a unit it cannot read back (a plain factor shown in decibels, as the
// status bar does) is written as that unit keeps it, "-60 dB" rather than every digit.
class unitFactor : public unit {
  public:
    unitFactor(double value, DisplayUnit displayUnit);
    ~unitFactor() override = default;

    std::string GetText() const override;
    bool ReadText(std::string_view text, std::string_view fieldName,
                  std::string& errorText) override;

    virtual double GetValue() const { return value_; }
    virtual void SetValue(double value) { value_ = value; }

    DisplayUnit GetDisplayUnit() const { return displayUnit_; }
    void SetDisplayUnit(DisplayUnit displayUnit) { displayUnit_ = displayUnit; }
    Restriction GetRestriction() const { return restriction_; }

  protected:
    unitFactor(double value, DisplayUnit displayUnit, Restriction restriction);

    // Reads text in the forms this member accepts, range checks included; stores nothing.
    virtual UnitReading Parse(std::string_view text) const;
    UnitReading Restricted(UnitReading reading) const;
    // The display units that Parse reads: a plain number and a percentage here.
    virtual bool ReadsUnit(DisplayUnit unit) const;

  private:
    double value_;
    DisplayUnit displayUnit_;
    Restriction restriction_;
};

// The range-restricted factors: v >= 0, v != 0, v > 0, 0 < v < 1 and 0 <= v <= 1.
using unitFactorPos = unitRestricted<unitFactor, Restriction::notNegative>;
using unitFactorNotNul = unitRestricted<unitFactor, Restriction::notZero>;
using unitFactorPosMore = unitRestricted<unitFactor, Restriction::positive>;
using unitFactorPosMoreLess1 = unitRestricted<unitFactor, Restriction::betweenZeroAndOne>;
using unitFactorPosMax1 = unitRestricted<unitFactor, Restriction::zeroToOne>;

// A linear amplitude factor; also reads decibels ("-6 dB" is 10^(-6/20)).
class unitVolumeFactor : public unitFactor {
  public:
    unitVolumeFactor(double value, DisplayUnit displayUnit);

    // A value of 0 or less has no decibels: the display unit drops to none.
    void SetValue(double value) override;
    bool ReadText(std::string_view text, std::string_view fieldName,
                  std::string& errorText) override;

  protected:
    unitVolumeFactor(double value, DisplayUnit displayUnit, Restriction restriction);
    UnitReading Parse(std::string_view text) const override;
    bool ReadsUnit(DisplayUnit unit) const override;
};

// 0 < v < 1, also in decibels.
using unitVolumeFactorPosMoreLess1 =
    unitRestricted<unitVolumeFactor, Restriction::betweenZeroAndOne>;

// A phase as a fraction of a period, 0 <= v < 1. Reads a fraction or percentage in
// [-1, 1) or degrees in [-360, 360); a negative phase is taken from the end of the period.
class unitAngleFactor : public unitFactor {
  public:
    unitAngleFactor(double value, DisplayUnit displayUnit);

    // The phase of a fraction, percentage or degree text, wrapped into [0, 1); shared with
    // wave positions, which take a fraction of their wave in the same forms.
    static UnitReading ParsePhase(std::string_view text);

  protected:
    UnitReading Parse(std::string_view text) const override;
    bool ReadsUnit(DisplayUnit unit) const override;
};

// A balance from -1 (full left) to 1 (full right): a fraction or percentage, or degrees
// from -90 to 90, which are shown again as balance degrees.
class unitBalAngleFactor : public unitFactor {
  public:
    unitBalAngleFactor(double value, DisplayUnit displayUnit);

  protected:
    UnitReading Parse(std::string_view text) const override;
    bool ReadsUnit(DisplayUnit unit) const override;
};

}  // namespace kalvora
