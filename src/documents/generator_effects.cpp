// The generators of the Make menu as entries of the effect table: each replaces the selection
// (or inserts at the cursor) by new material, which is selected afterwards.
#include <optional>
#include <string>

#include "documents/effect_table.h"
#include "documents/unit_time.h"
#include "documents/unit_wave_value.h"

namespace kalvora {
namespace {

// Lengths cannot be negative: a negative count of samples has no meaning.
TFieldSpec LengthField(double seconds) {
    return ValueField<unitTimePos>("length", "Length", seconds, DisplayUnit::second);
}

TFieldSpec SampleField(std::string_view name, std::string_view label, int sample) {
    return ValueField<unitWaveVal>(name, label, sample, DisplayUnit::none);
}

double Seconds(const TEffectCall& call, std::string_view field) {
    return call.Record().Value<unitTime>(field).GetValue();
}

double Sample(const TEffectCall& call, std::string_view field) {
    return call.Record().Value<unitWaveVal>(field).GetValue();
}

constexpr int kExponential = 1;

TEffectEntry Silence() {
    TEffectEntry entry{.command = "MakeSilence",
                       .caption = "Make Silence",
                       .summary = "silence of the given length"};
    entry.fields = {LengthField(0.1)};
    entry.range = TEffectRange::insert;
    entry.operation = [](const TEffectCall& call, const Sound& sound, ErrorFlag* error,
                         std::int32_t& begin, std::int32_t& end) {
        return sound.InsertSilence(error, Seconds(call, "length"), begin, end);
    };
    return entry;
}

TEffectEntry Line() {
    TEffectEntry entry{
        .command = "MakeLine", .caption = "Make Line", .summary = "a straight or exponential line"};
    entry.fields = {
        ChoiceField("kind", "Kind", {"Linear", "Exponential"}),
        SampleField("beginValue", "Begin Value", 16383),
        SampleField("endValue", "End Value", -16384),
        LengthField(0.1),
    };
    entry.range = TEffectRange::insert;
    entry.check = [](const TEffectRecord& record,
                     const TEffectContext&) -> std::optional<std::string> {
        const double product =
            static_cast<double>(record.Value<unitWaveVal>("beginValue").GetValue()) *
            record.Value<unitWaveVal>("endValue").GetValue();
        if (record.Choice("kind") == kExponential && product <= 0) {
            return "Exponential Line may not contain value 0.";
        }
        return std::nullopt;
    };
    entry.operation = [](const TEffectCall& call, const Sound& sound, ErrorFlag* error,
                         std::int32_t& begin, std::int32_t& end) {
        return sound.Line(error, Sample(call, "beginValue"), Sample(call, "endValue"),
                          Seconds(call, "length"), call.Record().Choice("kind") == kExponential,
                          begin, end);
    };
    return entry;
}

TEffectEntry Noise() {
    TEffectEntry entry{.command = "MakeNoise",
                       .caption = "Make Noise",
                       .summary = "noise of the given volume and length"};
    entry.fields = {SampleField("volume", "Volume", 16383), LengthField(0.5)};
    entry.range = TEffectRange::insert;
    entry.operation = [](const TEffectCall& call, const Sound& sound, ErrorFlag* error,
                         std::int32_t& begin, std::int32_t& end) {
        return sound.Noise(error, Sample(call, "volume"), Seconds(call, "length"), begin, end);
    };
    return entry;
}

}  // namespace

std::vector<TEffectEntry> GeneratorEffects() {
    return {Silence(), Line(), Noise()};
}

}  // namespace kalvora
