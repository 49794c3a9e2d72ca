// The tone generators of the Make menu as entries of the effect table: block and triangle
// waves, sine waves and sums of decaying partials ("Multi Frequency"). Each replaces the
// selection (or inserts at the cursor) by the new material, which is selected afterwards.
#include <cmath>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "documents/effect_table.h"
#include "documents/message_text.h"
#include "documents/unit_factor.h"
#include "documents/unit_time.h"
#include "documents/unit_wave_value.h"
#include "documents/writers.h"

namespace kalvora {
namespace {

TFieldSpec SampleField(std::string_view name, std::string_view label, int sample) {
    return ValueField<unitWaveVal>(name, label, sample, DisplayUnit::none);
}

// A period in seconds, shown and typed as a frequency.
TFieldSpec FrequencyField(std::string_view name, std::string_view label, double period) {
    return ValueField<unitTimePosMore>(name, label, period, DisplayUnit::hertz);
}

TFieldSpec TimeField(std::string_view name, std::string_view label, double seconds) {
    return ValueField<unitTimePos>(name, label, seconds, DisplayUnit::second);
}

double Seconds(const TEffectRecord& record, std::string_view field) {
    return record.Value<unitTime>(field).GetValue();
}

double Factor(const TEffectRecord& record, std::string_view field) {
    return record.Value<unitFactor>(field).GetValue();
}

double Sample(const TEffectRecord& record, std::string_view field) {
    return record.Value<unitWaveVal>(field).GetValue();
}

std::string AboveTheRate(std::string_view label, std::string_view what, int freq) {
    return Concat(
        {"In ", label, ": ", what, " is above the sample rate (", std::to_string(freq), " Hz)."});
}

// ---- Block and triangle ----

constexpr int kFrequencyMode = 0;
constexpr int kTimeMode = 1;
constexpr int kMiddleEnvelope = 1;
constexpr int kNewLength = 0;
constexpr int kSameLengthAs = 1;
constexpr int kCount = 2;

bool InTime(const TEffectRecord& record) {
    return record.Choice("bloTriHorKind") == kTimeMode;
}

bool HasMiddleEnvelope(const TEffectRecord& record) {
    return !InTime(record) && record.Choice("middleKind") == kMiddleEnvelope;
}

// Time 1 + Time 2 in "Wave in Time", else the frequency's period.
double Period(const TEffectRecord& record) {
    if (InTime(record)) return Seconds(record, "time1") + Seconds(record, "time2");
    return Seconds(record, "frequency");
}

// Time 1 / (Time 1 + Time 2) in "Wave in Time", else the middle.
double Middle(const TEffectRecord& record) {
    if (InTime(record)) return Seconds(record, "time1") / Period(record);
    return Factor(record, "middle");
}

// The length for "New Length" and "Count"; "Same Length as" reads the chosen document.
double OwnLength(const TEffectRecord& record) {
    if (record.Choice("lengthKind") == kCount) return Factor(record, "count") * Period(record);
    return Seconds(record, "newLength");
}

std::optional<std::string> CheckBlockTriangle(const TEffectRecord& record,
                                              const TEffectContext& context) {
    // Below one sample a period has no shape: the phase would skip whole periods.
    if (context.freq * Period(record) < 1) {
        if (InTime(record)) {
            return Concat({"In Wave in Time: Time 1 + Time 2 is shorter than one sample at ",
                           std::to_string(context.freq), " Hz."});
        }
        return AboveTheRate("Frequency", "The frequency", context.freq);
    }
    const int kind = record.Choice("lengthKind");
    if (kind == kSameLengthAs) {
        const unitUnitWave& other = record.Wave("sameLengthAs");
        const WaveDocumentFacts* document =
            context.waves != nullptr ? other.Find(*context.waves) : nullptr;
        if (document != nullptr && std::trunc(context.freq * document->GetSeconds()) < 1) {
            return Concat({"In Same Length as: The Wave ", Quoted(other.GetName()),
                           " is shorter than one sample."});
        }
        return std::nullopt;
    }
    if (std::trunc(context.freq * OwnLength(record)) < 1) {
        return Concat({"In ", kind == kNewLength ? "New Length" : "Count",
                       ": The length is shorter than one sample."});
    }
    return std::nullopt;
}

TEffectEntry BlockTriangle(bool triangle) {
    TEffectEntry entry{.command = triangle ? "MakeTriangle" : "MakeBlock",
                       .caption = triangle ? "Make Triangle" : "Make Block",
                       .summary = triangle ? "a triangle wave between two heights"
                                           : "a block wave of two heights"};
    entry.fields = {
        SampleField("height1", "Height 1", 16383),
        SampleField("height2", "Height 2", -16383),
        ChoiceField("bloTriHorKind", "", {"Frequency", "Wave in Time"}, kFrequencyMode),
        FrequencyField("frequency", "Frequency", 0.001).In("bloTriHorKind", kFrequencyMode),
        ChoiceField("middleKind", "", {"Middle", "Middle Envelope"})
            .In("bloTriHorKind", kFrequencyMode),
        ValueField<unitAngleFactor>("middle", "Middle", 0.5, DisplayUnit::none).In("middleKind", 0),
        WaveField("middleEnvelope", "Middle Envelope").In("middleKind", kMiddleEnvelope),
        TimeField("time1", "Time 1", 0.005).In("bloTriHorKind", kTimeMode),
        TimeField("time2", "Time 2", 0.005).In("bloTriHorKind", kTimeMode),
        ChoiceField("lengthKind", "", {"New Length", "Same Length as", "Count"}),
        TimeField("newLength", "New Length", 1.0).In("lengthKind", kNewLength),
        WaveField("sameLengthAs", "Same Length as", WaveListMode::all, false)
            .In("lengthKind", kSameLengthAs),
        ValueField<unitFactorPosMore>("count", "Count", 10.0, DisplayUnit::none)
            .In("lengthKind", kCount),
        ValueField<unitAngleFactor>("startPosition", "Start Position", 0.0, DisplayUnit::none),
    };
    entry.range = TEffectRange::insert;
    entry.check = CheckBlockTriangle;
    entry.operation = [triangle](const TEffectCall& call, const Sound& sound, ErrorFlag* error,
                                 std::int32_t& begin, std::int32_t& end) {
        const TEffectRecord& record = call.Record();
        const double length = record.Choice("lengthKind") == kSameLengthAs
                                  ? call.WaveSound("sameLengthAs").GetSeconds()
                                  : OwnLength(record);
        const double h1 = Sample(record, "height1");
        const double h2 = Sample(record, "height2");
        const double start = Factor(record, "startPosition");
        if (HasMiddleEnvelope(record)) {
            return sound.BlockTriangleEnvelope(error, h1, h2, Period(record),
                                               call.WaveSound("middleEnvelope"), length, start,
                                               triangle, begin, end);
        }
        return sound.BlockTriangle(error, h1, h2, Period(record), Middle(record), length, start,
                                   triangle, begin, end);
    };
    return entry;
}

// ---- Sinus ----

TEffectEntry Sinus() {
    TEffectEntry entry{.command = "MakeSinus", .caption = "Make Sinus", .summary = "a sine wave"};
    entry.fields = {
        ChoiceField("lengthKind", "", {"Length", "Count"}),
        SampleField("amplitude", "Amplitude", 16383),
        FrequencyField("frequency", "Frequency", 0.001),
        ValueField<unitAngleFactor>("startPhase", "Start Phase", 0.0, DisplayUnit::none),
        TimeField("length", "Length", 0.5).In("lengthKind", 0),
        ValueField<unitFactorPosMore>("count", "Count", 500.0, DisplayUnit::none)
            .In("lengthKind", 1),
    };
    entry.range = TEffectRange::insert;
    entry.operation = [](const TEffectCall& call, const Sound& sound, ErrorFlag* error,
                         std::int32_t& begin, std::int32_t& end) {
        const TEffectRecord& record = call.Record();
        const double period = Seconds(record, "frequency");
        const double periods = record.Choice("lengthKind") == 1
                                   ? Factor(record, "count")
                                   : Seconds(record, "length") / period;
        const double amplitude = Sample(record, "amplitude");
        return sound.Sinus(error, amplitude, -amplitude, period, periods,
                           Factor(record, "startPhase"), begin, end);
    };
    return entry;
}

// ---- Multi frequency ----

constexpr int kWaveForm = 1;

std::vector<FreqPartial> Partials(const TEffectRecord& record) {
    const TFieldRecordBrowser& list = record.List("frequencies");
    std::vector<FreqPartial> partials;
    for (int i = 0; i < list.GetCount(); ++i) {
        const TFieldBrowseRecord& entry = list.At(i);
        partials.push_back({entry.Value<unitFactor>("volume").GetValue(),
                            entry.Value<unitTime>("frequency").GetValue(),
                            entry.Value<unitFactor>("angle").GetValue(),
                            entry.Value<unitFactor>("volumeFactor").GetValue(),
                            entry.Value<unitTime>("volumeFactorTime").GetValue()});
    }
    return partials;
}

std::optional<std::string> CheckMultiFreq(const TEffectRecord& record,
                                          const TEffectContext& context) {
    if (record.Choice("useWaveForm") == kWaveForm && context.waves != nullptr) {
        // The first samples but the last make one period: one sample makes none.
        const unitUnitWave& waveForm = record.Wave("waveForm");
        const WaveDocumentFacts* document = waveForm.Find(*context.waves);
        if (document != nullptr && document->GetValues() < 2) {
            return Concat({"In Wave Form: The Wave ", Quoted(waveForm.GetName()),
                           " has only one sample; a wave form needs at least two."});
        }
    }
    const std::vector<FreqPartial> partials = Partials(record);
    for (std::size_t i = 0; i < partials.size(); ++i) {
        if (context.freq * partials[i].period < 1) {
            return AboveTheRate("Frequency",
                                Concat({"The frequency of entry ", std::to_string(i + 1)}),
                                context.freq);
        }
    }
    return std::nullopt;
}

TEffectEntry MultiFreq() {
    TEffectEntry entry{.command = "MakeMFreq",
                       .caption = "Multi Frequency",
                       .summary = "a sum of decaying partials of a sine or a wave form"};
    entry.fields = {
        TimeField("length", "Length", 3.0),
        ChoiceField("useWaveForm", "", {"Sinus", "Wave Form"}),
        WaveField("waveForm", "Wave Form").In("useWaveForm", kWaveForm),
        CheckField("defaultVolume", "Default", true),
        CheckField("defaultFrequency", "Default", false),
        CheckField("defaultAngle", "Default", true),
        CheckField("defaultVolumeFactor", "Default", true),
        CheckField("defaultVolumeFactorTime", "Default", true),
        ListField(
            "frequencies", "Frequency",
            {ValueField<unitVolumeFactor>("volume", "Start Volume", 0.5, DisplayUnit::none)
                 .DefaultFlag("defaultVolume"),
             FrequencyField("frequency", "Frequency", 0.001).DefaultFlag("defaultFrequency"),
             ValueField<unitAngleFactor>("angle", "Start Angle", 0.0, DisplayUnit::none)
                 .DefaultFlag("defaultAngle"),
             ValueField<unitFactorPosMore>("volumeFactor", "Volume Factor", 0.1, DisplayUnit::none)
                 .DefaultFlag("defaultVolumeFactor"),
             ValueField<unitTimePosMore>("volumeFactorTime", "Volume Factor at Time", 1.0,
                                         DisplayUnit::second)
                 .DefaultFlag("defaultVolumeFactorTime")}),
    };
    entry.range = TEffectRange::insert;
    entry.check = CheckMultiFreq;
    entry.operation = [](const TEffectCall& call, const Sound& sound, ErrorFlag* error,
                         std::int32_t& begin, std::int32_t& end) {
        const TEffectRecord& record = call.Record();
        const std::vector<FreqPartial> partials = Partials(record);
        const double length = Seconds(record, "length");
        if (record.Choice("useWaveForm") == kWaveForm) {
            return sound.MultiFreqEnvelope(error, length, partials, call.WaveSound("waveForm"),
                                           begin, end);
        }
        return sound.MultiFreq(error, length, partials, begin, end);
    };
    return entry;
}

}  // namespace

std::vector<TEffectEntry> ToneGeneratorEffects() {
    return {BlockTriangle(false), BlockTriangle(true), Sinus(), MultiFreq()};
}

}  // namespace kalvora
