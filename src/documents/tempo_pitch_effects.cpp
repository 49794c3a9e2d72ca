// Tempo and pitch as an entry of the effect table: the speed through the selection, the
// frequency heard and the length of the result, each set on its own.
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "documents/effect_table.h"
#include "documents/unit_factor.h"
#include "documents/unit_time.h"
#include "documents/unit_wave_position.h"

namespace kalvora {
namespace {

using Result = std::optional<std::string>;

enum class TempoLengthKind { factor = 0, newLength = 1, sameAs = 2, count = 3 };
constexpr int kHighQuality = 1;

double Factor(const TEffectRecord& record, std::string_view field) {
    return record.Value<unitFactor>(field).GetValue();
}

double Seconds(const TEffectRecord& record, std::string_view field) {
    return record.Value<unitTime>(field).GetValue();
}

// The output length as a share of the selection's duration S.
double LengthFactorOf(const TEffectCall& call, double S) {
    const TEffectRecord& record = call.Record();
    switch (static_cast<TempoLengthKind>(record.Choice("lengthKind"))) {
        case TempoLengthKind::factor:
            return Factor(record, "lengthFactor");
        case TempoLengthKind::newLength:
            return Seconds(record, "newLength") / S;
        case TempoLengthKind::sameAs:
            return call.WaveSound("sameLengthAs").GetSeconds() / S;
        case TempoLengthKind::count:
            return Factor(record, "count") / std::fabs(Factor(record, "speedFactor"));
    }
    return 1;
}

// The block in samples: one at least, two in high quality (the heads restart half a block
// apart).
Result CheckBlockSize(const TEffectRecord& record, const TEffectContext& context) {
    const double samples = std::trunc(context.freq * Seconds(record, "blockSize"));
    if (samples < 1) return "In Block Size: Block Size may not be shorter than one sample.";
    if (record.Choice("quality") == kHighQuality && samples < 2) {
        return "In Block Size: Block Size may not be shorter than two samples in high quality.";
    }
    return std::nullopt;
}

TEffectEntry TempoPitch() {
    TEffectEntry entry{.command = "TempoPitch",
                       .caption = "Pitch Tempo",
                       .summary = "speed, pitch and length changed independently, block by block"};
    entry.fields = {
        ValueField<unitFactorNotNul>("frequencyFactor", "Factor", 1.0, DisplayUnit::none),
        CheckField("frequencyEnvelopeOn", "Envelope"),
        WaveField("frequencyEnvelope", "Frequency Envelope").In("frequencyEnvelopeOn", 1),
        ValueField<unitFactorNotNul>("speedFactor", "Factor", 1.0, DisplayUnit::none),
        CheckField("speedEnvelopeOn", "Envelope"),
        WaveField("speedEnvelope", "Speed Envelope").In("speedEnvelopeOn", 1),
        ChoiceField("lengthKind", "Length",
                    {"Length Factor", "New Length", "Same Length as", "Count"}),
        ValueField<unitFactorPosMore>("lengthFactor", "Length Factor", 1.0, DisplayUnit::none)
            .In("lengthKind", 0),
        ValueField<unitTimePosMore>("newLength", "New Length", 2.0, DisplayUnit::second)
            .In("lengthKind", 1),
        WaveField("sameLengthAs", "Same Length as").In("lengthKind", 2),
        ValueField<unitFactorPosMore>("count", "Count", 3.0, DisplayUnit::none).In("lengthKind", 3),
        ValueField<unitWavePosition>("startPosition", "Start Position", 0.0, DisplayUnit::none,
                                     false),
        ChoiceField("quality", "Quality", {"Low", "High"}),
        ValueField<unitTimePosMore>("blockSize", "Block Size", 0.04, DisplayUnit::second),
    };
    // The start position is a place in the selection.
    entry.prepare = [](TEffectRecord& record, const TEffectContext& context) {
        record.Value<unitWavePosition>("startPosition").SetLength(context.SelSeconds());
    };
    entry.check = CheckBlockSize;
    entry.range = TEffectRange::workSelected;
    entry.operation = [](const TEffectCall& call, const Sound& sound, ErrorFlag* error,
                         std::int32_t& begin, std::int32_t& end) -> std::unique_ptr<Sound> {
        const TEffectRecord& record = call.Record();
        const double S = call.Context().SelSeconds();
        if (!(S > 0) || CheckBlockSize(record, call.Context())) return nullptr;
        const double lengthFactor = LengthFactorOf(call, S);
        if (!(lengthFactor > 0)) return nullptr;
        const Sound* freqEnvelope =
            record.Checked("frequencyEnvelopeOn") ? &call.WaveSound("frequencyEnvelope") : nullptr;
        const Sound* speedEnvelope =
            record.Checked("speedEnvelopeOn") ? &call.WaveSound("speedEnvelope") : nullptr;
        const double start = record.Value<unitWavePosition>("startPosition").GetValue() / S;
        return sound.TempoPitch(error, Factor(record, "speedFactor"), start, lengthFactor,
                                Factor(record, "frequencyFactor"), Seconds(record, "blockSize"),
                                record.Choice("quality"), freqEnvelope, speedEnvelope, begin, end);
    };
    return entry;
}

}  // namespace

std::vector<TEffectEntry> TempoPitchEffects() {
    return {TempoPitch()};
}

}  // namespace kalvora
