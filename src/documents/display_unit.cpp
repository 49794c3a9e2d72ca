#include "documents/display_unit.h"

namespace kalvora {

std::string_view RestrictionViolation(Restriction restriction, double value) {
    switch (restriction) {
        case Restriction::notZero:
            if (value == 0) return "Value must be not 0.";
            break;
        case Restriction::notPositive:
            if (value > 0) return "Value must be negative.";
            break;
        case Restriction::notNegative:
            if (value < 0) return "Value must be positive.";
            break;
        case Restriction::negative:
            if (value >= 0) return "Value must be negative and less than 0.";
            break;
        case Restriction::positive:
            if (value <= 0) return "Value must be positive and more than 0.";
            break;
        case Restriction::zeroToOne:
            if (value < 0) return "Value must be positive.";
            if (value > 1) return "Value must be no more than 1.";
            break;
        case Restriction::betweenZeroAndOne:
            if (value <= 0) return "Value must be positive and more than 0.";
            if (value >= 1) return "Value must be less than 1.";
            break;
        case Restriction::none:
            break;
    }
    return {};
}

}  // namespace kalvora
