// Placing sound between the ears and in time, as entries of the effect table: balance (a
// mono sound made stereo for a direction), mixing the left and right channels, and moving
// the selection horizontally.
#include <optional>
#include <string>
#include <vector>

#include "documents/effect_table.h"
#include "documents/unit_factor.h"
#include "documents/unit_time.h"

namespace kalvora {
namespace {

using Result = std::optional<std::string>;

constexpr int kEnvelope = 1;

double Seconds(const TEffectRecord& record, std::string_view field) {
    return record.Value<unitTime>(field).GetValue();
}

double Factor(const TEffectRecord& record, std::string_view field) {
    return record.Value<unitFactor>(field).GetValue();
}

// ---- Balance ----

enum class VolumeDifference { none = 0, volume = 1, filter = 2 };

TEffectEntry Balance() {
    TEffectEntry entry{.command = "Balance",
                       .caption = "Balance",
                       .summary =
                           "a mono sound made stereo for a direction: volume or filter and a "
                           "time difference between the ears"};
    entry.fields = {
        ChoiceField("directionKind", "Direction", {"Constant", "Envelope"}),
        ValueField<unitBalAngleFactor>("direction", "Direction", 0.0, DisplayUnit::none)
            .In("directionKind", 0),
        WaveField("directionEnvelope", "Direction Envelope").In("directionKind", kEnvelope),
        CheckField("timeDifference", "Time Difference", true),
        ChoiceField("volumeDifference", "Volume Difference", {"None", "Volume", "Filter"},
                    static_cast<int>(VolumeDifference::volume)),
    };
    // A stereo sound is already placed; an empty one has nothing to place.
    entry.applies = [](const TEffectContext& context) -> Result {
        if (context.moSt != 1) return "Balance works on a mono wave; this wave is stereo.";
        if (context.values == 0) return "Balance works on a wave with samples; this wave is empty.";
        return std::nullopt;
    };
    entry.range = TEffectRange::whole;
    entry.operation = [](const TEffectCall& call, const Sound& sound, ErrorFlag* error,
                         std::int32_t&, std::int32_t&) -> std::unique_ptr<Sound> {
        if (sound.MoSt != 1 || sound.GetValues() == 0) return nullptr;
        const TEffectRecord& record = call.Record();
        const auto difference = static_cast<VolumeDifference>(record.Choice("volumeDifference"));
        const bool timeDifference = record.Checked("timeDifference");
        const bool volume = difference == VolumeDifference::volume;
        const bool filter = difference == VolumeDifference::filter;
        if (record.Choice("directionKind") == kEnvelope) {
            return sound.BalanceEnvelope(error, call.WaveSound("directionEnvelope"), timeDifference,
                                         volume, filter);
        }
        return sound.Balance(error, Factor(record, "direction"), timeDifference, volume, filter);
    };
    return entry;
}

// ---- Mix left and right ----

TEffectEntry MixLeftRight() {
    TEffectEntry entry{.command = "MixLeftRight",
                       .caption = "Mix Left Right",
                       .summary =
                           "the left and right channels mixed into each other by four "
                           "factors"};
    auto factor = [](std::string_view name, std::string_view label, double value) {
        return ValueField<unitVolumeFactor>(name, label, value, DisplayUnit::none);
    };
    entry.fields = {
        PresetField("example", "Example",
                    {"leftToLeft", "leftToRight", "rightToLeft", "rightToRight"},
                    {
                        {"Normal", {"1", "0", "0", "1"}},
                        {"Swapped", {"0", "1", "1", "0"}},
                        {"Extra Stereo", {"0.75", "-0.25", "-0.25", "0.75"}},
                        {"Super Stereo", {"0.5", "-0.25", "-0.25", "0.5"}},
                        {"Surround", {"0.5", "-0.5", "-0.5", "0.5"}},
                        {"Mono", {"0.5", "0.5", "0.5", "0.5"}},
                        {"Mono at Left, Surround at Right", {"0.4", "-0.8", "0.4", "0.8"}},
                        {"Mono at Right, Surround at Left", {"0.8", "0.4", "-0.8", "0.4"}},
                    }),
        factor("leftToLeft", "Left to Left", 1.0),
        factor("leftToRight", "Left to Right", 0.0),
        factor("rightToLeft", "Right to Left", 0.0),
        factor("rightToRight", "Right to Right", 1.0),
    };
    entry.applies = [](const TEffectContext& context) -> Result {
        if (context.moSt != 2) return "Mix Left Right works on a stereo wave; this wave is mono.";
        if (context.values == 0) {
            return "Mix Left Right works on a wave with samples; this wave is empty.";
        }
        return std::nullopt;
    };
    entry.operation = [](const TEffectCall& call, const Sound& sound, ErrorFlag* error,
                         std::int32_t& begin, std::int32_t& end) -> std::unique_ptr<Sound> {
        if (sound.MoSt != 2 || sound.GetValues() == 0) return nullptr;
        const TEffectRecord& record = call.Record();
        return sound.MixLeftRight(error, Factor(record, "leftToLeft"),
                                  Factor(record, "leftToRight"), Factor(record, "rightToLeft"),
                                  Factor(record, "rightToRight"), begin, end);
    };
    return entry;
}

// ---- Move horizontally ----

TEffectEntry MoveHorizontally() {
    TEffectEntry entry{.command = "MoveH",
                       .caption = "Move Wave Horizontally",
                       .summary =
                           "the selection moved in time (per channel, constant or by an "
                           "envelope), added onto what lies there"};
    auto time = [](std::string_view name, std::string_view label) {
        return ValueField<unitTime>(name, label, 0.0, DisplayUnit::second);
    };
    TFieldSpec middle = time("timeMiddle", "Time Middle");
    middle.copiesTo = {"timeLeft", "timeRight"};
    TFieldSpec left = time("timeLeft", "Time Left");
    left.stereoOnly = true;
    TFieldSpec right = time("timeRight", "Time Right");
    right.stereoOnly = true;
    entry.fields = {
        std::move(middle),
        std::move(left),
        std::move(right),
        CheckField("envelopeOn", "Envelope"),
        WaveField("timeEnvelope", "Time Envelope").In("envelopeOn", 1),
    };
    entry.range = TEffectRange::workSelected;
    entry.operation = [](const TEffectCall& call, const Sound& sound, ErrorFlag* error,
                         std::int32_t& begin, std::int32_t& end) {
        const TEffectRecord& record = call.Record();
        // A mono wave moves by the middle time; a stereo one by its channels' own.
        const bool mono = sound.MoSt == 1;
        const double left = Seconds(record, mono ? "timeMiddle" : "timeLeft");
        const double right = Seconds(record, mono ? "timeMiddle" : "timeRight");
        if (record.Checked("envelopeOn")) {
            return sound.ShiftEnvelope(error, left, right, call.WaveSound("timeEnvelope"), begin,
                                       end);
        }
        return sound.Shift(error, left, right, begin, end);
    };
    return entry;
}

}  // namespace

std::vector<TEffectEntry> ChannelEffects() {
    return {MoveHorizontally(), Balance(), MixLeftRight()};
}

}  // namespace kalvora
