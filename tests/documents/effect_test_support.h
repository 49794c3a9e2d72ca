// An effect entry for the tests of the dialog pattern, the records and the commands: it has
// every kind of field, nested alternatives, a check box that owns a field, wave lists and a
// check of its own. Its operation scales the work range by factor (times the envelope's
// first sample / 32767 when the envelope is on).
#pragma once

#include <optional>
#include <string>

#include "documents/effect_table.h"
#include "documents/unit_factor.h"
#include "documents/unit_time.h"

namespace kalvora::testing {

inline const TEffectEntry& SampleEffect() {
    static const TEffectEntry entry = [] {
        TEffectEntry e{.command = "SampleEffect", .caption = "Sample Effect"};
        e.fields = {
            ValueField<unitFactorPos>("factor", "Factor", 0.5, DisplayUnit::none),
            ChoiceField("lengthKind", "", {"New Length", "Same Length as", "Count"}),
            ValueField<unitTimePos>("newLength", "New Length", 2.0, DisplayUnit::second)
                .In("lengthKind", 0),
            WaveField("sameLengthAs", "Same Length as", WaveListMode::allButActive, false)
                .In("lengthKind", 1),
            ValueField<unitFactorPosMore>("count", "Count", 3.0, DisplayUnit::none)
                .In("lengthKind", 2),
            ChoiceField("middleKind", "Middle", {"Constant", "Envelope"}).In("lengthKind", 2),
            ValueField<unitAngleFactor>("middle", "Middle", 0.5, DisplayUnit::none)
                .In("middleKind", 0),
            CheckField("envelopeOn", "Envelope"),
            WaveField("envelope", "Envelope", WaveListMode::monoButActive).In("envelopeOn", 1),
        };
        e.range = TEffectRange::work;
        e.check = [](const TEffectRecord& record,
                     const TEffectContext&) -> std::optional<std::string> {
            if (record.Choice("lengthKind") == 2 &&
                record.Value<unitFactor>("count").GetValue() *
                        record.Value<unitFactor>("factor").GetValue() >
                    100) {
                return "Count times Factor may not exceed 100.";
            }
            return std::nullopt;
        };
        e.operation = [](const TEffectCall& call, const Sound& sound, ErrorFlag* error,
                         std::int32_t& begin, std::int32_t& end) {
            double factor = call.Record().Value<unitFactor>("factor").GetValue();
            if (call.Record().Checked("envelopeOn")) {
                factor *= call.WaveSound("envelope").GetLeftWave().wave[0] / 32767.0;
            }
            auto result = sound.Extract(error, 0, sound.GetValues());
            if (result) result->ScaleInPlace(error, factor, begin, end);
            return result;
        };
        return e;
    }();
    return entry;
}

}  // namespace kalvora::testing
