// The simple wave operations as entries of the effect table: volume, maximal volume,
// reverse, vertical moves, block, rotate, roll in and out, length and distort. Each works on
// the selection, or on the whole wave when nothing is selected.
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "documents/effect_table.h"
#include "documents/unit_factor.h"
#include "documents/unit_integer.h"
#include "documents/unit_time.h"
#include "documents/unit_wave_position.h"
#include "documents/unit_wave_value.h"
#include "sound/operation_arguments.h"

namespace kalvora {
namespace {

using Result = std::optional<std::string>;

double Seconds(const TEffectRecord& record, std::string_view field) {
    return record.Value<unitTime>(field).GetValue();
}

double Factor(const TEffectRecord& record, std::string_view field) {
    return record.Value<unitFactor>(field).GetValue();
}

// The duration of the document a "Same Length as" field chose.
double SecondsOfWave(const TEffectCall& call, std::string_view field) {
    return call.WaveSound(field).GetSeconds();
}

// ---- Volume ----

constexpr int kEnvelope = 1;

TEffectEntry Volume() {
    TEffectEntry entry{.command = "Volume",
                       .caption = "Change Volume",
                       .summary = "the volume times a factor or an envelope"};
    entry.fields = {
        ChoiceField("kind", "Volume Factor", {"Constant", "Envelope"}),
        WaveField("envelope", "Envelope").In("kind", kEnvelope),
        ValueField<unitVolumeFactor>("factor", "Factor", 0.5, DisplayUnit::none).In("kind", 0),
    };
    entry.operation = [](const TEffectCall& call, const Sound& sound, ErrorFlag* error,
                         std::int32_t& begin, std::int32_t& end) {
        if (call.Record().Choice("kind") == kEnvelope) {
            return sound.ScaleByEnvelope(error, call.WaveSound("envelope"), begin, end);
        }
        return sound.Scale(error, Factor(call.Record(), "factor"), begin, end);
    };
    // A drawing is scaled by the constant factor; an envelope has no meaning for its nodes.
    entry.drawing = [](const TEffectRecord& record, TDrawNodes& nodes, double&) {
        if (record.Choice("kind") != kEnvelope) nodes.ScaleValues(Factor(record, "factor"));
    };
    return entry;
}

TEffectEntry MaxVolume() {
    TEffectEntry entry{.command = "MaxVolume",
                       .caption = "Maximal Volume",
                       .summary = "the volume raised until the peak reaches full scale"};
    entry.operation = [](const TEffectCall&, const Sound& sound, ErrorFlag* error,
                         std::int32_t& begin,
                         std::int32_t& end) { return sound.MaxVolume(error, begin, end); };
    entry.drawing = [](const TEffectRecord&, TDrawNodes& nodes, double&) {
        nodes.MaximizeValues();
    };
    return entry;
}

TEffectEntry Reverse() {
    TEffectEntry entry{
        .command = "Reverse", .caption = "Reverse", .summary = "the selection played backwards"};
    entry.operation = [](const TEffectCall&, const Sound& sound, ErrorFlag* error,
                         std::int32_t& begin,
                         std::int32_t& end) { return sound.Reverse(error, begin, end); };
    return entry;
}

// ---- Vertical moves ----

TEffectEntry MoveVertically() {
    TEffectEntry entry{.command = "MoveV",
                       .caption = "Move Wave Vertically",
                       .summary = "a value added to every sample"};
    entry.fields = {ValueField<unitWaveVal>("addValue", "Add Value", 16383, DisplayUnit::none)};
    entry.operation = [](const TEffectCall& call, const Sound& sound, ErrorFlag* error,
                         std::int32_t& begin, std::int32_t& end) {
        return sound.MoveVertically(error, call.Record().Value<unitWaveVal>("addValue").GetValue(),
                                    begin, end);
    };
    entry.drawing = [](const TEffectRecord& record, TDrawNodes& nodes, double&) {
        nodes.AddToValues(record.Value<unitWaveVal>("addValue").GetValue());
    };
    return entry;
}

TEffectEntry NormalizeVertically() {
    TEffectEntry entry{.command = "NormalizeVertically",
                       .caption = "Normalize Vertically",
                       .summary = "the mean of every channel moved to 0"};
    entry.operation = [](const TEffectCall&, const Sound& sound, ErrorFlag* error,
                         std::int32_t& begin, std::int32_t& end) {
        return sound.NormalizeVertically(error, begin, end);
    };
    entry.drawing = [](const TEffectRecord&, TDrawNodes& nodes, double&) {
        nodes.NormalizeValues();
    };
    return entry;
}

// ---- Block ----

TEffectEntry Block() {
    TEffectEntry entry{.command = "Block",
                       .caption = "Block",
                       .summary = "fewer steps in time and value: blocks of their mean"};
    entry.fields = {
        ChoiceField("horizontalKind", "Horizontal", {"No Change", "Count", "Time"}),
        ChoiceField("verticalKind", "Vertical", {"No Change", "Count", "Height"}),
        ValueField<unitIntegerPosMore>("horizontalCount", "Count", 20).In("horizontalKind", 1),
        ValueField<unitIntegerPosMore>("verticalCount", "Count", 20).In("verticalKind", 1),
        ValueField<unitTime>("horizontalTime", "Time", 0.01, DisplayUnit::second)
            .In("horizontalKind", 2),
        ValueField<unitWaveValPosMore>("verticalHeight", "Height", 3277, DisplayUnit::none)
            .In("verticalKind", 2),
    };
    entry.operation = [](const TEffectCall& call, const Sound& sound, ErrorFlag* error,
                         std::int32_t& begin, std::int32_t& end) {
        const TEffectRecord& record = call.Record();
        const double time =
            BlockTimeOf(static_cast<BlockHorizontalKind>(record.Choice("horizontalKind")),
                        record.Value<unitInteger>("horizontalCount").GetValue(),
                        Seconds(record, "horizontalTime"), call.Context().SelSeconds());
        const std::int32_t levels =
            BlockLevelsOf(static_cast<BlockVerticalKind>(record.Choice("verticalKind")),
                          record.Value<unitInteger>("verticalCount").GetValue(),
                          record.Value<unitWaveVal>("verticalHeight").GetValue());
        return sound.Block(error, time, levels, begin, end);
    };
    return entry;
}

// ---- Rotate ----

constexpr int kRight = 1;
constexpr int kByFactor = 0;

TEffectEntry Rotate() {
    TEffectEntry entry{.command = "Rotate",
                       .caption = "Rotate",
                       .summary = "the selection rotated: what leaves one end enters the other"};
    // Both edits are read whichever kind is checked; the time must fit the selection when
    // the rotation is by time.
    entry.fields = {
        ChoiceField("shiftTo", "Shift to", {"Left", "Right"}),
        ChoiceField("kind", "", {"Factor", "Time"}),
        ValueField<unitAngleFactor>("factor", "Factor", 0.1, DisplayUnit::none)
            .In("kind", 0)
            .ReadAlways(),
        ValueField<unitTime>("time", "Time", 0.1, DisplayUnit::second).In("kind", 1).ReadAlways(),
    };
    entry.check = [](const TEffectRecord& record, const TEffectContext& context) -> Result {
        if (record.Choice("kind") != kByFactor &&
            std::fabs(Seconds(record, "time")) > context.SelSeconds()) {
            return "In Time: Time may not be longer than the time of the sound.";
        }
        return std::nullopt;
    };
    entry.operation = [](const TEffectCall& call, const Sound& sound, ErrorFlag* error,
                         std::int32_t& begin, std::int32_t& end) {
        const TEffectRecord& record = call.Record();
        const double seconds = RotateSecondsOf(
            record.Choice("shiftTo") == kRight, record.Choice("kind") == kByFactor,
            Factor(record, "factor"), Seconds(record, "time"), call.Context().SelSeconds());
        return sound.Rotate(error, seconds, begin, end);
    };
    return entry;
}

// ---- Roll in and out ----

constexpr int kEndAt = 1;

TEffectEntry RollIn() {
    TEffectEntry entry{.command = "RollIn",
                       .caption = "Roll in",
                       .summary = "the selection folded onto a shorter length"};
    entry.fields = {
        ChoiceField("placement", "Placement", {"Start at", "End at"}),
        ValueField<unitTime>("length", "Length", 1.0, DisplayUnit::second),
        ValueField<unitWavePosition>("startAt", "Start at", 0.0, DisplayUnit::none, false)
            .In("placement", 0),
        ValueField<unitWavePosition>("endAt", "End at", 0.0, DisplayUnit::none, false)
            .In("placement", kEndAt),
    };
    // The places are positions in the rolled-in length: shares are shares of it.
    entry.prepare = [](TEffectRecord& record, const TEffectContext&) {
        const double length = Seconds(record, "length");
        record.Value<unitWavePosition>("startAt").SetLength(length);
        record.Value<unitWavePosition>("endAt").SetLength(length);
    };
    entry.check = [](const TEffectRecord& record, const TEffectContext& context) -> Result {
        if (RollInSamples(context.freq, Seconds(record, "length")) < 1) {
            return "In Length: Length may not be shorter than one sample.";
        }
        return std::nullopt;
    };
    entry.range = TEffectRange::workSelected;
    entry.operation = [](const TEffectCall& call, const Sound& sound, ErrorFlag* error,
                         std::int32_t& begin, std::int32_t& end) {
        const TEffectRecord& record = call.Record();
        const double length = Seconds(record, "length");
        const double n = RollInSamples(sound.Freq, length);
        const std::int32_t target = RollInTarget(
            record.Choice("placement") == kEndAt,
            record.Value<unitWavePosition>("startAt").GetValue(),
            record.Value<unitWavePosition>("endAt").GetValue(), sound.Freq, n, begin, end);
        return sound.RollIn(error, length, target, begin, end);
    };
    return entry;
}

TEffectEntry RollOut() {
    TEffectEntry entry{.command = "RollOut",
                       .caption = "Roll out",
                       .summary = "the selection played as a loop at a speed"};
    entry.fields = {
        ValueField<unitFactorNotNul>("speedFactor", "Factor", 1.0, DisplayUnit::none),
        CheckField("speedEnvelopeOn", "Envelope"),
        WaveField("speedEnvelope", "Envelope").In("speedEnvelopeOn", 1),
        ChoiceField("lengthKind", "", {"Length Factor", "New Length", "Same Length as", "Count"}),
        ValueField<unitFactorPosMore>("lengthFactor", "Length Factor", 1.0, DisplayUnit::none)
            .In("lengthKind", 0),
        ValueField<unitTimePosMore>("newLength", "New Length", 2.0, DisplayUnit::second)
            .In("lengthKind", 1),
        WaveField("sameLengthAs", "Same Length as").In("lengthKind", 2),
        ValueField<unitFactorPosMore>("count", "Count", 3.0, DisplayUnit::none).In("lengthKind", 3),
        ValueField<unitWavePosition>("startPosition", "Start Position", 0.0, DisplayUnit::none,
                                     false),
    };
    // The start position is a place in the selection.
    entry.prepare = [](TEffectRecord& record, const TEffectContext& context) {
        record.Value<unitWavePosition>("startPosition").SetLength(context.SelSeconds());
    };
    entry.range = TEffectRange::workSelected;
    entry.operation = [](const TEffectCall& call, const Sound& sound, ErrorFlag* error,
                         std::int32_t& begin, std::int32_t& end) -> std::unique_ptr<Sound> {
        const TEffectRecord& record = call.Record();
        const double S = call.Context().SelSeconds();
        if (!(S > 0)) return nullptr;  // nothing to roll out
        const auto kind = static_cast<RollOutLengthKind>(record.Choice("lengthKind"));
        const double sameAs =
            kind == RollOutLengthKind::sameAs ? SecondsOfWave(call, "sameLengthAs") : 0;
        const double speed = Factor(record, "speedFactor");
        const RollOutArguments arguments =
            RollOutArgumentsOf(kind, Factor(record, "lengthFactor"), Seconds(record, "newLength"),
                               sameAs, Factor(record, "count"), speed,
                               record.Value<unitWavePosition>("startPosition").GetValue(), S);
        if (record.Checked("speedEnvelopeOn")) {
            return sound.RollOutEnvelope(error, call.WaveSound("speedEnvelope"),
                                         arguments.lengthFactor, speed, arguments.start, begin,
                                         end);
        }
        return sound.RollOut(error, arguments.per, arguments.lengthScale, arguments.start, begin,
                             end);
    };
    return entry;
}

// ---- Length ----

TEffectEntry Length() {
    TEffectEntry entry{.command = "Length",
                       .caption = "Change Length",
                       .summary =
                           "the selection stretched or shrunk, backwards for a "
                           "negative factor"};
    entry.fields = {
        ChoiceField("kind", "", {"Length Factor", "New Length", "Same Length as"}),
        ValueField<unitFactor>("lengthFactor", "Length Factor", 0.5, DisplayUnit::none)
            .In("kind", 0),
        ValueField<unitTimePosMore>("newLength", "New Length", 2.0, DisplayUnit::second)
            .In("kind", 1),
        WaveField("sameLengthAs", "Same Length as").In("kind", 2),
    };
    entry.range = TEffectRange::workSelected;
    entry.operation = [](const TEffectCall& call, const Sound& sound, ErrorFlag* error,
                         std::int32_t& begin, std::int32_t& end) -> std::unique_ptr<Sound> {
        const TEffectRecord& record = call.Record();
        const double S = call.Context().SelSeconds();
        if (!(S > 0)) return nullptr;
        const auto kind = static_cast<LengthKind>(record.Choice("kind"));
        const double sameAs = kind == LengthKind::sameAs ? SecondsOfWave(call, "sameLengthAs") : 0;
        const double factor = LengthFactorOf(kind, Factor(record, "lengthFactor"),
                                             Seconds(record, "newLength"), sameAs, S);
        return sound.Length(error, factor, begin, end);
    };
    // A drawing changes its drawn length; a negative factor also mirrors its nodes, as the
    // sound would be played backwards. "Same Length as" has no document to measure here.
    entry.drawing = [](const TEffectRecord& record, TDrawNodes& nodes, double& drawLength) {
        const auto kind = static_cast<LengthKind>(record.Choice("kind"));
        if (kind == LengthKind::sameAs || !(drawLength > 0)) return;
        const double factor = LengthFactorOf(kind, Factor(record, "lengthFactor"),
                                             Seconds(record, "newLength"), 0, drawLength);
        drawLength *= std::fabs(factor);
        if (factor < 0) {
            std::vector<TDrawNode> mirrored(nodes.begin(), nodes.end());
            nodes.Clear();
            for (const TDrawNode& node : mirrored)
                nodes.Insert(1 - node.position, node.value);
        }
    };
    return entry;
}

// ---- Distort ----

TEffectEntry Distort() {
    TEffectEntry entry{.command = "Distort",
                       .caption = "Distort",
                       .summary =
                           "every sample mapped through a curve (an envelope as a "
                           "function)"};
    entry.fields = {WaveField("distortEnvelope", "Distort Envelope")};
    entry.operation = [](const TEffectCall& call, const Sound& sound, ErrorFlag* error,
                         std::int32_t& begin, std::int32_t& end) {
        return sound.Distort(error, call.WaveSound("distortEnvelope"), begin, end);
    };
    return entry;
}

}  // namespace

std::vector<TEffectEntry> SimpleWaveEffects() {
    return {MaxVolume(), Volume(), Reverse(), MoveVertically(),     Block(), RollOut(), Rotate(),
            RollIn(),    Length(), Distort(), NormalizeVertically()};
}

}  // namespace kalvora
