// The echoes as entries of the effect table: the period echo over the selection, and the
// random echo, which builds a new sound from copies of the whole wave.
#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "documents/effect_table.h"
#include "documents/unit_factor.h"
#include "documents/unit_integer.h"
#include "documents/unit_time.h"
#include "sound/dicer.h"
#include "sound/random_echo.h"
#include "sound/random_source.h"

namespace kalvora {
namespace {

using Result = std::optional<std::string>;

constexpr double kLargestWave = std::numeric_limits<std::int32_t>::max();

double Seconds(const TEffectRecord& record, std::string_view field) {
    return record.Value<unitTime>(field).GetValue();
}

double Factor(const TEffectRecord& record, std::string_view field) {
    return record.Value<unitFactor>(field).GetValue();
}

std::int32_t Integer(const TEffectRecord& record, std::string_view field) {
    return record.Value<unitInteger>(field).GetValue();
}

// ---- Period echo ----

constexpr int kVolumeEnvelope = 1;

// The samples the echoes add to the wave at most: count·trunc(|a| + 1) at one end, or at both
// with a time envelope.
double PeriodEchoGrowth(const TEffectRecord& record, const TEffectContext& context) {
    const double a = context.freq * Seconds(record, "echoTime");
    const double oneSide = Integer(record, "count") * std::trunc(std::fabs(a) + 1);
    return record.Checked("timeEnvelopeOn") ? 2 * oneSide : oneSide;
}

Result CheckPeriodEcho(const TEffectRecord& record, const TEffectContext& context) {
    if (record.Checked("timeEnvelopeOn") && Seconds(record, "echoTime") < 0) {
        return "In Time: The echo time may not be negative with a time envelope; the envelope "
               "gives the direction.";
    }
    if (!(context.values + PeriodEchoGrowth(record, context) < kLargestWave)) {
        return "In Echo Count: So many echoes this far apart make the wave longer than a wave "
               "can be.";
    }
    if (context.work.Length() < 2) {
        return "Period Echo needs at least two samples to echo; select more of the wave.";
    }
    return std::nullopt;
}

TEffectEntry PeriodEcho() {
    TEffectEntry entry{.command = "PerEcho",
                       .caption = "Period Echo",
                       .summary =
                           "echoes at equal distances, each weaker by a volume factor; "
                           "time and volume constant or by envelopes"};
    entry.fields = {
        ValueField<unitTime>("echoTime", "Time", 0.01, DisplayUnit::second),
        CheckField("timeEnvelopeOn", "Envelope"),
        WaveField("timeEnvelope", " Echo Time Envelope").In("timeEnvelopeOn", 1),
        ChoiceField("volumeKind", "Echo Volume", {"Constant", "Envelope"}),
        WaveField("volumeEnvelope", " Echo Volume Envelope").In("volumeKind", kVolumeEnvelope),
        ValueField<unitVolumeFactor>("volume", "Volume", 1.0, DisplayUnit::none)
            .In("volumeKind", 0),
        ValueField<unitIntegerPosMore>("count", "Echo Count", 1),
    };
    entry.check = CheckPeriodEcho;
    entry.range = TEffectRange::workSelected;
    entry.operation = [](const TEffectCall& call, const Sound& sound, ErrorFlag* error,
                         std::int32_t& begin, std::int32_t& end) -> std::unique_ptr<Sound> {
        const TEffectRecord& record = call.Record();
        if (CheckPeriodEcho(record, call.Context())) return nullptr;
        const double time = Seconds(record, "echoTime");
        const std::int32_t count = Integer(record, "count");
        const bool volumeEnvelope = record.Choice("volumeKind") == kVolumeEnvelope;
        if (record.Checked("timeEnvelopeOn")) {
            const Sound& times = call.WaveSound("timeEnvelope");
            if (volumeEnvelope) {
                return sound.PeriodEcho(error, time, times, call.WaveSound("volumeEnvelope"), count,
                                        begin, end);
            }
            return sound.PeriodEcho(error, time, times, Factor(record, "volume"), count, begin,
                                    end);
        }
        if (volumeEnvelope) {
            return sound.PeriodEcho(error, time, call.WaveSound("volumeEnvelope"), count, begin,
                                    end);
        }
        return sound.PeriodEcho(error, time, Factor(record, "volume"), count, begin, end);
    };
    return entry;
}

// ---- Random echo ----

constexpr int kHighQuality = 1;

// The "Source" list of a manipulation: die i - 1 for the item "Die i".
TFieldSpec DieField(std::string_view name, std::string_view page, int die) {
    TFieldSpec field =
        ChoiceField(name, "Source", {"Die 1", "Die 2", "Die 3", "Die 4", "Die 5", "Die 6"}, die);
    return std::move(field).DropDown().OnPage(page);
}

// How a manipulation draws, from the record's kind of it: the kinds that name the "Random
// Envelope" at index envelopeKind and "Linear" at index linearKind (-1: none).
RandomEchoDraw DrawOf(int kind, int linearKind, int envelopeKind) {
    if (kind == envelopeKind) return RandomEchoDraw::envelope;
    if (kind == linearKind) return RandomEchoDraw::linear;
    return RandomEchoDraw::unchanged;
}

// The manipulation of the record's fields "<kind>", "<envelope>" and "<source>".
RandomEchoManipulation ManipulationOf(const TEffectCall& call, std::string_view kind,
                                      std::string_view envelope, std::string_view source,
                                      int linearKind, int envelopeKind) {
    const TEffectRecord& record = call.Record();
    RandomEchoManipulation manipulation;
    manipulation.draw = DrawOf(record.Choice(kind), linearKind, envelopeKind);
    if (manipulation.draw == RandomEchoDraw::envelope) {
        manipulation.envelope = &call.WaveSound(envelope);
    }
    manipulation.die = record.Choice(source);
    return manipulation;
}

enum class BalanceVolume { none = 0, volume = 1, filter = 2 };

RandomEchoSettings SettingsOf(const TEffectCall& call) {
    const TEffectRecord& record = call.Record();
    RandomEchoSettings settings;
    settings.count = Integer(record, "count");
    settings.cyclable = record.Checked("cyclable");
    settings.timeDifference = Seconds(record, "timeDifference");
    settings.time = ManipulationOf(call, "timeKind", "timeEnvelope", "timeSource", 0, 1);
    settings.volume = ManipulationOf(call, "volumeKind", "volumeEnvelope", "volumeSource", 1, 2);
    settings.length = ManipulationOf(call, "lengthKind", "lengthEnvelope", "lengthSource", -1, 1);
    settings.balance =
        ManipulationOf(call, "balanceKind", "balanceEnvelope", "balanceSource", 1, 2);
    settings.pitch = ManipulationOf(call, "pitchKind", "pitchEnvelope", "pitchSource", -1, 1);
    settings.tempo = ManipulationOf(call, "tempoKind", "tempoEnvelope", "tempoSource", -1, 1);
    const auto volume = static_cast<BalanceVolume>(record.Choice("balanceVolumeDifference"));
    settings.balanceVolume = volume == BalanceVolume::volume;
    settings.balanceFilter = volume == BalanceVolume::filter;
    settings.balanceTimeDifference = record.Checked("balanceTimeDifference");
    settings.freqFactor = Factor(record, "frequencyFactor");
    settings.quality = record.Choice("quality");
    settings.blockSize = Seconds(record, "blockSize");
    return settings;
}

Result CheckRandomEcho(const TEffectRecord& record, const TEffectContext& context) {
    const double M = context.freq * Seconds(record, "timeDifference");
    const double length =
        record.Checked("cyclable") ? M + 1 : context.values + M + 1 + context.freq / 3400.0;
    if (!(length < kLargestWave)) {
        return "In Time Difference: The echoes would make a wave longer than a wave can be.";
    }
    // The block of tempo and pitch in samples: one at least, two in high quality.
    const double block = std::trunc(context.freq * Seconds(record, "blockSize"));
    if (block < 1) return "In Block Size: Block Size may not be shorter than one sample.";
    if (record.Choice("quality") == kHighQuality && block < 2) {
        return "In Block Size: Block Size may not be shorter than two samples in high quality.";
    }
    return std::nullopt;
}

std::vector<TFieldSpec> RandomEchoFields() {
    std::vector<TFieldSpec> fields = {
        ValueField<unitIntegerPosMore>("count", "Count", 20),
        CheckField("cyclable", "Cyclable"),
        ValueField<unitInteger>("randomSeed", "Random Seed", 0),
        // Time
        ValueField<unitTimePos>("timeDifference", "Time Difference", 1.0, DisplayUnit::second)
            .OnPage("Time"),
        ChoiceField("timeKind", "", {"Linear", "Random Envelope"}).OnPage("Time"),
        WaveField("timeEnvelope", "Time Envelope").In("timeKind", 1),
        DieField("timeSource", "Time", 0),
        // Volume
        ChoiceField("volumeKind", "", {"No Change", "Linear", "Random Envelope"}).OnPage("Volume"),
        WaveField("volumeEnvelope", "Volume Envelope").In("volumeKind", 2),
        DieField("volumeSource", "Volume", 1),
        // Length
        ChoiceField("lengthKind", "", {"No Change", "Random Envelope"}).OnPage("Length"),
        WaveField("lengthEnvelope", "Length Envelope").In("lengthKind", 1),
        DieField("lengthSource", "Length", 2),
        // Balance
        ChoiceField("balanceKind", "", {"No Change", "Linear", "Random Envelope"})
            .OnPage("Balance"),
        WaveField("balanceEnvelope", "Balance Envelope").In("balanceKind", 2),
        DieField("balanceSource", "Balance", 3),
        ChoiceField("balanceVolumeDifference", "Volume Difference", {"None", "Volume", "Filter"},
                    static_cast<int>(BalanceVolume::volume))
            .OnPage("Balance"),
        CheckField("balanceTimeDifference", "Time Difference", true).OnPage("Balance"),
        // Pitch
        ValueField<unitFactor>("frequencyFactor", "Frequency Factor", 2.0, DisplayUnit::none)
            .OnPage("Pitch"),
        ChoiceField("pitchKind", "", {"No Change", "Random Envelope"}).OnPage("Pitch"),
        WaveField("pitchEnvelope", "Pitch Envelope").In("pitchKind", 1),
        DieField("pitchSource", "Pitch", 4),
        // Tempo
        ChoiceField("tempoKind", "", {"No Change", "Random Envelope"}).OnPage("Tempo"),
        WaveField("tempoEnvelope", "Tempo Envelope").In("tempoKind", 1),
        DieField("tempoSource", "Tempo", 5),
        // Pitch and tempo together
        ChoiceField("quality", "Quality", {"Low", "High"}),
        ValueField<unitTimePosMore>("blockSize", "Block Size", 0.04, DisplayUnit::second),
    };
    return fields;
}

TEffectEntry RandomEcho() {
    TEffectEntry entry{.command = "RndEcho",
                       .caption = "Random Echo",
                       .summary =
                           "a new wave of copies of the whole wave, each changed by "
                           "random amounts and placed at a random time"};
    entry.fields = RandomEchoFields();
    entry.check = CheckRandomEcho;
    entry.applies = [](const TEffectContext& context) -> Result {
        if (context.values == 0)
            return "Random Echo works on a wave with samples; this wave is empty.";
        return std::nullopt;
    };
    entry.range = TEffectRange::whole;
    entry.operation = [](const TEffectCall& call, const Sound& sound, ErrorFlag* error,
                         std::int32_t&, std::int32_t&) -> std::unique_ptr<Sound> {
        if (sound.GetValues() == 0 || CheckRandomEcho(call.Record(), call.Context())) {
            return nullptr;
        }
        const RandomEchoSettings settings = SettingsOf(call);
        // The seed is the record's, so that the program and the command line give the same
        // echoes for the same record.
        const auto seed = static_cast<std::uint32_t>(Integer(call.Record(), "randomSeed"));
        Dicer dicer(SharedRandomSource(), seed);
        return kalvora::RandomEcho(error, sound, settings, dicer);
    };
    return entry;
}

}  // namespace

std::vector<TEffectEntry> EchoEffects() {
    return {PeriodEcho(), RandomEcho()};
}

}  // namespace kalvora
