// The filters as entries of the effect table: the block filter, the low and high cascades,
// and the resonant and notch filters, each with a constant frequency or a frequency envelope.
#include <cmath>
#include <optional>
#include <string>

#include "documents/effect_table.h"
#include "documents/unit_factor.h"
#include "documents/unit_integer.h"
#include "documents/unit_time.h"
#include "documents/writers.h"
#include "sound/filter.h"
#include "sound/operation_arguments.h"

namespace kalvora {
namespace {

using Result = std::optional<std::string>;

constexpr int kEnvelope = 1;

double Seconds(const TEffectRecord& record, std::string_view field) {
    return record.Value<unitTime>(field).GetValue();
}

// A frequency field: the period in seconds, shown as a frequency.
TFieldSpec FrequencyField(std::string_view label) {
    return ValueField<unitTimePosMore>("frequency", label, 0.001, DisplayUnit::hertz);
}

// ---- Block filter ----

TEffectEntry BlockFilter() {
    TEffectEntry entry{.command = "FilterBlock",
                       .caption = "Block Filter",
                       .summary = "half the running mean over a block time (negative: ahead)"};
    entry.fields = {
        CheckField("envelopeOn", "Envelope"),
        WaveField("timeEnvelope", "Envelope").In("envelopeOn", 1),
        ValueField<unitTime>("blockTime", "Block Time", 0.01, DisplayUnit::second),
    };
    // The running mean divides by the block time.
    entry.check = [](const TEffectRecord& record, const TEffectContext&) -> Result {
        if (!record.Checked("envelopeOn") && Seconds(record, "blockTime") == 0) {
            return "In Block Time: Block Time may not be 0.";
        }
        return std::nullopt;
    };
    entry.range = TEffectRange::workSelected;
    entry.operation = [](const TEffectCall& call, const Sound& sound, ErrorFlag* error,
                         std::int32_t& begin, std::int32_t& end) {
        const double time = Seconds(call.Record(), "blockTime");
        if (call.Record().Checked("envelopeOn")) {
            return sound.BlockFilterEnvelope(error, call.WaveSound("timeEnvelope"), time, begin,
                                             end);
        }
        return sound.BlockFilter(error, time, begin, end);
    };
    return entry;
}

// ---- Low and high ----

TEffectEntry LowHigh(LowHighKind kind) {
    const bool low = kind == LowHighKind::low;
    TEffectEntry entry{.command = low ? "FilterLow" : "FilterHigh",
                       .caption = low ? "Low Filter" : "High Filter",
                       .summary = low ? "keeps the low frequencies: a cascade of first-order "
                                        "sections"
                                      : "keeps the high frequencies: a cascade of first-order "
                                        "sections"};
    entry.fields = {
        ChoiceField("frequencyKind", "", {"Constant", "Envelope"}),
        WaveField("frequencyEnvelope", "Envelope").In("frequencyKind", kEnvelope),
        FrequencyField("Frequency").In("frequencyKind", 0),
        ValueField<unitVolumeFactorPosMoreLess1>("factor", "Volume Factor", 0.5, DisplayUnit::none),
        ValueField<unitIntegerPosMore>("count", "Count", 1),
        CheckField("maximizeVolume", "Maximize Volume"),
    };
    entry.operation = [kind](const TEffectCall& call, const Sound& sound, ErrorFlag* error,
                             std::int32_t& begin, std::int32_t& end) {
        const TEffectRecord& record = call.Record();
        LowHighRun run;
        run.kind = kind;
        if (record.Choice("frequencyKind") == kEnvelope) {
            run.envelope = &call.WaveSound("frequencyEnvelope");
        }
        run.period = Seconds(record, "frequency");
        run.factor = record.Value<unitFactor>("factor").GetValue();
        run.count = record.Value<unitInteger>("count").GetValue();
        run.maximizeVolume = record.Checked("maximizeVolume");
        return RunLowHigh(sound, error, run, begin, end);
    };
    return entry;
}

// ---- Resonant and notch ----

std::string HertzText(double hertz) {
    return WriteFrequency(hertz, 5);
}

// The oscillator needs periods of a sample or more: a constant frequency, or the highest
// frequency an envelope can ask for, may not exceed the document's sample rate.
Result CheckResonatorFrequency(const TEffectRecord& record, const TEffectContext& context) {
    if (record.Choice("frequencyKind") != kEnvelope) {
        if (!ResonatorPeriodFits(context.freq, Seconds(record, "frequency"))) {
            return "In Frequency: Frequency may not be higher than the sample frequency (" +
                   HertzText(context.freq) + ").";
        }
        return std::nullopt;
    }
    const std::string& name = record.Wave("frequencyEnvelope").GetName();
    // A document that is gone or empty is refused when the command runs.
    const Sound* envelope = context.FindSound(name);
    if (envelope == nullptr || envelope->GetValues() == 0) return std::nullopt;
    ErrorFlag error = 0;
    const double highest = HighestEnvelopeFrequency(&error, context.moSt, *envelope);
    if (highest > context.freq) {
        return "In Envelope: \"" + name + "\" asks for frequencies up to " + HertzText(highest) +
               ", higher than the sample frequency (" + HertzText(context.freq) + ").";
    }
    return std::nullopt;
}

TEffectEntry ResNotch(ResNotchKind kind) {
    const bool resonant = kind == ResNotchKind::resonant;
    TEffectEntry entry{.command = resonant ? "FilterRes" : "FilterNotch",
                       .caption = resonant ? "Resonant Filter" : "Notch Filter",
                       .summary = resonant ? "keeps the sound around a frequency"
                                           : "takes away the sound around a frequency"};
    entry.fields = {
        ChoiceField("frequencyKind", "", {"Constant", "Envelope"}),
        WaveField("frequencyEnvelope", "Envelope").In("frequencyKind", kEnvelope),
        FrequencyField("Frequency").In("frequencyKind", 0),
        ChoiceField("widthKind", "Frequency Width", {"Constant", "Envelope"}),
        WaveField("widthEnvelope", "Envelope").In("widthKind", kEnvelope),
        ValueField<unitFactorPosMax1>("width", "Width", 0.25, DisplayUnit::none).In("widthKind", 0),
    };
    entry.check = CheckResonatorFrequency;
    entry.operation = [kind](const TEffectCall& call, const Sound& sound, ErrorFlag* error,
                             std::int32_t& begin, std::int32_t& end) {
        const TEffectRecord& record = call.Record();
        const Sound* frequencyEnvelope = record.Choice("frequencyKind") == kEnvelope
                                             ? &call.WaveSound("frequencyEnvelope")
                                             : nullptr;
        const Sound* widthEnvelope =
            record.Choice("widthKind") == kEnvelope ? &call.WaveSound("widthEnvelope") : nullptr;
        return sound.ResNotch(error, kind, Seconds(record, "frequency"),
                              record.Value<unitFactor>("width").GetValue(), frequencyEnvelope,
                              widthEnvelope, begin, end);
    };
    return entry;
}

}  // namespace

std::vector<TEffectEntry> FilterEffects() {
    return {BlockFilter(), LowHigh(LowHighKind::low), LowHigh(LowHighKind::high),
            ResNotch(ResNotchKind::resonant), ResNotch(ResNotchKind::notch)};
}

}  // namespace kalvora
