#include "documents/unit_wave_value.h"

#include <cmath>

#include "documents/sample_scale.h"
#include "documents/string_reader.h"
#include "documents/writers.h"
#include "platform/assertion.h"

namespace kalvora {

unitWaveVal::unitWaveVal(int sample, DisplayUnit displayUnit)
    : unitWaveVal(sample, displayUnit, Restriction::none) {}

unitWaveVal::unitWaveVal(int sample, DisplayUnit displayUnit, Restriction restriction)
    : value_(0), displayUnit_(displayUnit), restriction_(restriction) {
    SetValue(sample);
}

void unitWaveVal::SetValue(int sample) {
    KALVORA_ASSERT(sample >= kSampleMinimum && sample <= kSampleFullScale);
    value_ = static_cast<std::int16_t>(sample);
}

std::string unitWaveVal::GetText() const {
    return WriteSampleValue(value_, displayUnit_);
}

UnitReading unitWaveVal::Parse(std::string_view text) const {
    TStringReader reader(text);
    double v = 0;
    if (!reader.ReadNumber(v)) return UnitReading::Failure(reader.ErrorText());
    const DisplayUnit unit = reader.ReadUnit();
    int sample = 0;
    switch (unit) {
        case DisplayUnit::none:
            if (v > 1) return UnitReading::Failure("Wave Value is too high. (maximum: 1)");
            if (v < -1) return UnitReading::Failure("Wave Value is too low. (minimum: -1)");
            sample = SampleOfFraction(v);
            break;
        case DisplayUnit::percent:
            if (v > 100) return UnitReading::Failure("Wave Value is too high. (maximum: 100 %)");
            if (v < -100) return UnitReading::Failure("Wave Value is too low. (minimum: -100 %)");
            sample = SampleOfPercent(v);
            break;
        case DisplayUnit::sample:
            if (v > kSampleFullScale) {
                return UnitReading::Failure("Wave Value is too high. (maximum: 32767 $)");
            }
            if (v < kSampleMinimum) {
                return UnitReading::Failure("Wave Value is too low. (minimum: -32768 $)");
            }
            sample = static_cast<int>(std::trunc(v));
            break;
        case DisplayUnit::unknown:
            return UnitReading::Failure("This unit does not exist, use: '%', '$' or no unit.");
        default:
            return UnitReading::Failure("Wrong unit used, use: '%', '$' or no unit.");
    }
    return ApplyRestriction(UnitReading::Success(sample, unit), restriction_);
}

bool unitWaveVal::ReadText(std::string_view text, std::string_view fieldName,
                           std::string& errorText) {
    return Store(Parse(text), fieldName, errorText, value_, displayUnit_);
}

unitWaveValPosMore::unitWaveValPosMore(int sample, DisplayUnit displayUnit)
    : unitWaveVal(sample, displayUnit, Restriction::positive) {}

}  // namespace kalvora
