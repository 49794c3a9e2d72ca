// The integer value types: a 32-bit signed integer typed as digits, with the range-restricted
// members and the one whose lower bound its owner sets. An integer is always shown as plain
// digits, whatever suffix was typed after it. Standard C++ and the platform message
// interface only.
#pragma once

#include <string>
#include <string_view>

#include "documents/display_unit.h"
#include "documents/unit.h"

namespace kalvora {

// Reads an optional "+", an optional "-" and digits; anything after the digits is ignored
// ("5%" reads 5). Text without digits, or beyond the range of an int, is refused.
class unitInteger : public unit {
  public:
    explicit unitInteger(int value);
    ~unitInteger() override = default;

    std::string GetText() const override;
    bool ReadText(std::string_view text, std::string_view fieldName,
                  std::string& errorText) override;

    int GetValue() const { return value_; }
    virtual void SetValue(int value) { value_ = value; }
    Restriction GetRestriction() const { return restriction_; }

  protected:
    unitInteger(int value, Restriction restriction);

    // Reads text, range checks included; stores nothing.
    virtual UnitReading Parse(std::string_view text) const;

  private:
    int value_;
    Restriction restriction_;
};

// v >= 0
class unitIntegerPos : public unitInteger {
  public:
    explicit unitIntegerPos(int value);
};

// v > 0
class unitIntegerPosMore : public unitInteger {
  public:
    explicit unitIntegerPosMore(int value);
};

// v >= Minimum, which the owner sets before Check.
class unitIntegerMoreUser : public unitInteger {
  public:
    explicit unitIntegerMoreUser(int value, int minimum = 0);

    int Minimum;

  protected:
    UnitReading Parse(std::string_view text) const override;
};

}  // namespace kalvora
