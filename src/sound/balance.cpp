// Balance of a mono sound into a stereo one (see balance.h).
#include "sound/balance.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/assertion.h"
#include "sound/bounded_reader.h"
#include "sound/filter.h"
#include "sound/operation_support.h"
#include "sound/sample.h"
#include "sound/sound.h"

namespace kalvora {
namespace {

using operations::NewWave;

constexpr double kLastTableIndex = kDirectionTableValues - 1;
// The direction filter: one first-order section, once.
constexpr double kFilterFactor = 0.4;

// An envelope position that advances by repeated addition may overshoot the last index by a
// rounding error; it is held at the last sample.
double ClampPosition(double position, double last) {
    return std::clamp(position, 0.0, last);
}

// A wave of the frequency-envelope values of the cutoffs for the directions of envelope
// (negated for the right side, in double so that -32768 turns into +32768).
std::unique_ptr<Wave> CutoffWave(ErrorFlag* error, const Wave& table, const Wave& envelope,
                                 int side) {
    auto result = NewWave(error, envelope.values);
    if (!result) return nullptr;
    const double sign = side == 0 ? 1.0 : -1.0;
    const BoundedWaveReader read(table);
    ForEachRun(error, 0, envelope.values, [&](std::int64_t first, std::int64_t last) {
        for (std::int64_t k = first; k < last; ++k) {
            const double s = sign * envelope.wave[k];
            const double x = ClampPosition((s / 65535 + 0.5) * kLastTableIndex, kLastTableIndex);
            result->wave[k] = ToSample(read.At(x));
        }
    });
    return result;
}

std::unique_ptr<Wave> LowPass(ErrorFlag* error, const Wave& wave,
                              const FilterFrequency& frequency) {
    return wave.filterLowHigh(error, LowHighKind::low, frequency, kFilterFactor, 1, 1, 0,
                              wave.values);
}

std::unique_ptr<Wave> DirectionFilter(ErrorFlag* error, const Wave& wave, double a,
                                      std::int32_t freq) {
    auto table = MakeDirectionTable(error, freq);
    if (!table) return nullptr;
    const double cutoff = EnvelopeFrequency(DirectionTableValue(*table, a));
    return LowPass(error, wave, FilterFrequency::Constant(freq / cutoff));
}

// The constant delay: output j = gain·source(j - delay) for a delay >= 0, otherwise the
// source scaled by gain; either way followed by silence up to n + extra samples.
std::unique_ptr<Wave> Delayed(ErrorFlag* error, const Wave& source, double delay,
                              std::int64_t extra, double gain) {
    auto result = NewWave(error, std::int64_t{source.values} + extra);
    if (!result) return nullptr;
    const BoundedWaveReader read(source);
    const double shift = delay >= 0 ? delay : 0;
    ForEachRun(error, 0, result->values, [&](std::int64_t first, std::int64_t last) {
        for (std::int64_t j = first; j < last; ++j)
            result->wave[j] = ToSample(gain * read.At(static_cast<double>(j) - shift));
    });
    return result;
}

}  // namespace

double DirectionPointValue(std::int32_t freq, double hertz) {
    const double divisions = std::floor(freq / hertz);
    if (!(divisions >= 1)) return 32767;
    const double reduced = freq / divisions;
    const double value = std::log10(reduced * 0.05) * 21845 - 32768;
    return std::trunc(std::clamp(value, -32768.0, 32767.0));
}

std::unique_ptr<Wave> MakeDirectionTable(ErrorFlag* error, std::int32_t freq) {
    auto table = NewWave(error, kDirectionTableValues);
    if (!table) return nullptr;
    const double v20000 = DirectionPointValue(freq, 20000);
    const double v3500 = DirectionPointValue(freq, 3500);
    const double v2500 = DirectionPointValue(freq, 2500);
    const double v1000 = DirectionPointValue(freq, 1000);
    const double v350 = DirectionPointValue(freq, 350);
    table->drawLine(error, 0, v20000, 59, v3500);
    table->drawLine(error, 59, v3500, 75, v2500);
    table->drawLine(error, 75, v2500, 90, v1000);
    table->drawLine(error, 90, v1000, 149, v350);
    table->wave[149] = ToSample(v350);
    return table;
}

double DirectionTableValue(const Wave& table, double a) {
    const double last = table.values - 1;
    return std::trunc(BoundedWaveReader(table).At(ClampPosition(last * (a / 2 + 0.5), last)));
}

std::unique_ptr<Wave> BalanceSide(ErrorFlag* error, const Wave& wave, double a, std::int32_t freq,
                                  bool timeDifference, bool volume, bool filter) {
    KALVORA_ASSERT(wave.values > 0 && freq > 0);
    if (ErrorIsSet(error)) return nullptr;
    if (!volume && !filter && !timeDifference) return std::make_unique<Wave>(error, wave);
    const double gain = volume ? (1 - a) / 2 : 1;
    std::unique_ptr<Wave> filtered;
    if (filter) {
        filtered = DirectionFilter(error, wave, a, freq);
        if (!filtered) return nullptr;
    }
    const Wave& source = filtered ? *filtered : wave;
    if (!timeDifference) {
        if (!volume) return filtered;
        return source.scale(error, gain, 0, source.values);
    }
    const double scale = 2.0 * freq / kEarDelayRate;
    const double delay = std::sin(a * std::numbers::pi / 2) * scale;
    // Both sides grow alike: the growth is taken from |a|, whatever the rounding of sin(-x).
    const auto extra = static_cast<std::int64_t>(
        std::fabs(std::sin(std::fabs(a) * std::numbers::pi / 2)) * scale + 1);
    return Delayed(error, source, delay, extra, gain);
}

std::unique_ptr<Wave> BalanceEnvelopeSide(ErrorFlag* error, const Wave& wave, const Wave& envelope,
                                          int side, std::int32_t freq, bool timeDifference,
                                          bool volume, bool filter) {
    KALVORA_ASSERT(wave.values > 0 && envelope.values > 0 && freq > 0);
    if (ErrorIsSet(error)) return nullptr;
    if (!volume && !filter && !timeDifference) return std::make_unique<Wave>(error, wave);
    std::unique_ptr<Wave> made;
    if (volume) {
        auto gains = NewWave(error, envelope.values);
        if (!gains) return nullptr;
        const double sign = side == 0 ? -0.5 : 0.5;
        for (std::int32_t k = 0; k < envelope.values; ++k)
            gains->wave[k] = ToSample(sign * envelope.wave[k] + 16383);
        made = wave.scaleByEnvelope(error, *gains, 0, wave.values);
    } else if (filter) {
        auto table = MakeDirectionTable(error, freq);
        if (!table) return nullptr;
        auto cutoffs = CutoffWave(error, *table, envelope, side);
        if (!cutoffs) return nullptr;
        made = LowPass(error, wave, FilterFrequency::Envelope(*cutoffs, freq));
    }
    if (ErrorIsSet(error)) return nullptr;
    if (!timeDifference) return made;

    const Wave& source = made ? *made : wave;
    const double b = freq / kEarDelayRate;
    const auto c = static_cast<std::int64_t>(b + 1);
    const std::int64_t n = std::int64_t{source.values} + 2 * c;
    auto result = NewWave(error, n);
    if (!result) return nullptr;
    const BoundedWaveReader read(source);
    const BoundedWaveReader direction(envelope);
    const double last = envelope.values - 1;
    const double step = n > 1 ? last / static_cast<double>(n - 1) : 0;
    const double sign = side == 0 ? -1.0 : 1.0;
    double e = 0;
    ForEachRun(error, 0, n, [&](std::int64_t first, std::int64_t end) {
        for (std::int64_t j = first; j < end; ++j) {
            const double lean = direction.At(ClampPosition(e, last)) * b / 32767;
            result->wave[j] = ToSample(read.At(static_cast<double>(j - c) + sign * lean));
            e += step;
        }
    });
    return result;
}

std::unique_ptr<Sound> Sound::Balance(ErrorFlag* error, double d, bool timeDifference, bool volume,
                                      bool filter) const {
    KALVORA_ASSERT(MoSt == 1 && GetValues() > 0);
    if (ErrorIsSet(error)) return nullptr;
    const Wave& wave = GetLeftWave();
    auto left = BalanceSide(error, wave, d, Freq, timeDifference, volume, filter);
    if (!left || ErrorIsSet(error)) return nullptr;
    auto right = BalanceSide(error, wave, -d, Freq, timeDifference, volume, filter);
    if (!right || ErrorIsSet(error)) return nullptr;
    return std::make_unique<StereoSound>(std::move(*left), std::move(*right), Freq, BytesPSample);
}

std::unique_ptr<Sound> Sound::BalanceEnvelope(ErrorFlag* error, const Sound& envelope,
                                              bool timeDifference, bool volume, bool filter) const {
    KALVORA_ASSERT(MoSt == 1 && GetValues() > 0 && envelope.GetValues() > 0);
    if (ErrorIsSet(error)) return nullptr;
    const ChannelWave directions = envelope.GetMonoWave(error);
    if (!directions || ErrorIsSet(error)) return nullptr;
    const Wave& wave = GetLeftWave();
    auto left =
        BalanceEnvelopeSide(error, wave, *directions, 0, Freq, timeDifference, volume, filter);
    if (!left || ErrorIsSet(error)) return nullptr;
    auto right =
        BalanceEnvelopeSide(error, wave, *directions, 1, Freq, timeDifference, volume, filter);
    if (!right || ErrorIsSet(error)) return nullptr;
    return std::make_unique<StereoSound>(std::move(*left), std::move(*right), Freq, BytesPSample);
}

}  // namespace kalvora
