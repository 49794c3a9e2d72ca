#include "documents/unit_wave_position.h"

#include <cmath>

#include "documents/string_reader.h"
#include "documents/unit_factor.h"
#include "documents/unit_time.h"
#include "documents/writers.h"

namespace kalvora {

unitWavePosition::unitWavePosition(double seconds, DisplayUnit displayUnit, bool fromEnd)
    : value_(seconds), displayUnit_(displayUnit), fromEnd_(fromEnd) {}

bool unitWavePosition::IsShare(DisplayUnit unit) {
    return unit == DisplayUnit::none || unit == DisplayUnit::percent || unit == DisplayUnit::degree;
}

double unitWavePosition::BeforeEnd(double seconds) const {
    // A place a hair before the end can round onto the end itself, which is no place in
    // the wave: keep it on the last representable time before the end.
    if (length_ > 0 && seconds >= length_) return std::nextafter(length_, 0.0);
    return seconds;
}

void unitWavePosition::SetLength(double seconds) {
    const double length = std::isfinite(seconds) && seconds > 0 ? seconds : 0;
    if (length_ != 0) {
        if (IsShare(displayUnit_)) {
            value_ *= length / length_;
        } else if (fromEnd_) {
            value_ = length - (length_ - value_);
        }
    }
    length_ = length;
}

UnitReading unitWavePosition::Parse(std::string_view text) const {
    TStringReader reader(text);
    double number = 0;
    const bool isNote = reader.AtNoteName();
    const DisplayUnit unit =
        isNote || !reader.ReadNumber(number) ? DisplayUnit::unknown : reader.ReadUnit();

    if (!isNote && IsShare(unit)) {
        UnitReading reading = unitAngleFactor::ParsePhase(text);
        if (reading.ok) reading.value = BeforeEnd(reading.value * length_);
        return reading;
    }
    UnitReading reading = ParseTimeOrFrequency(text, false);
    if (!reading.ok) return reading;
    const double t = reading.value;
    if (t >= length_) return UnitReading::Failure("Position must be before the end of the wave");
    if (t < -length_) {
        return UnitReading::Failure("Position must be not before the start of the previous wave");
    }
    if (t < 0) {
        reading.fromEnd = true;
        reading.value = BeforeEnd(length_ + t);
    }
    return reading;
}

std::string unitWavePosition::GetText() const {
    double shown = 0;  // the share of the length, or the time
    if (IsShare(displayUnit_)) {
        shown = length_ > 0 ? value_ / length_ : 0;
    } else if (displayUnit_ >= DisplayUnit::second && displayUnit_ <= DisplayUnit::kilohertz) {
        // A time counted from the end is written negative, so that it reads back so.
        shown = fromEnd_ ? value_ - length_ : value_;
    } else {
        return {};
    }
    return FirstTextReadingBack(
        {WriteValue(shown, displayUnit_), WriteValueExact(shown, displayUnit_),
         WriteValueExact(value_, DisplayUnit::second)},
        [this](std::string_view text) { return Parse(text); });
}

bool unitWavePosition::ReadText(std::string_view text, std::string_view fieldName,
                                std::string& errorText) {
    const UnitReading reading = Parse(text);
    if (!Store(reading, fieldName, errorText, value_, displayUnit_)) return false;
    fromEnd_ = reading.fromEnd;
    return true;
}

}  // namespace kalvora
