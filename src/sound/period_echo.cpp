// Period echo: delayed, weakened copies of a range added to the sound, with the delay and
// the gain constant or following envelopes (see sound.h).
//
// Every sample of the region receiving echoes is its old value plus the sum of its echo
// terms, converted to a sample once: the terms are not truncated or wrapped one by one, so
// that many quiet echoes add up to what they sum to.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <utility>

#include "platform/assertion.h"
#include "sound/bounded_reader.h"
#include "sound/channel_map.h"
#include "sound/operation_support.h"
#include "sound/sample.h"
#include "sound/sound.h"

namespace kalvora {
namespace {

using operations::Interpolate;
using operations::NewWave;

constexpr double kLargestWave = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t kRun = 1000;

// The region that receives echoes, in sample indices of the old wave, and how the wave
// grows: `front` zeros before its first sample, and `length` samples in all.
struct EchoRegion {
    std::int64_t first = 0;  // d
    std::int64_t end = 0;    // c
    std::int64_t front = 0;
    std::int64_t length = 0;
};

// The region from begin + before to end + after; nothing when the grown wave could not be
// held (the flag is then set, as for exhausted memory).
std::optional<EchoRegion> RegionOf(ErrorFlag* error, double before, double after,
                                   std::int32_t begin, std::int32_t end, std::int32_t values) {
    if (!(std::fabs(before) < kLargestWave && std::fabs(after) < kLargestWave)) {
        SetError(error);
        return std::nullopt;
    }
    EchoRegion region;
    region.first = begin + static_cast<std::int64_t>(before);
    region.end = end + static_cast<std::int64_t>(after);
    region.front = std::max<std::int64_t>(0, -region.first);
    region.length = region.front + std::max<std::int64_t>(values, region.end);
    if (region.length > std::numeric_limits<std::int32_t>::max()) {
        SetError(error);
        return std::nullopt;
    }
    return region;
}

// Constant delay a: the region reaches count·trunc(a + 1) beyond the end for a positive
// delay, count·trunc(a - 1) before the start for a negative one.
std::optional<EchoRegion> ConstantDelayRegion(ErrorFlag* error, double a, std::int32_t count,
                                              std::int32_t begin, std::int32_t end,
                                              std::int32_t values) {
    const double before = a < 0 ? count * std::trunc(a - 1) : 0;
    const double after = a > 0 ? count * std::trunc(a + 1) : 0;
    return RegionOf(error, before, after, begin, end, values);
}

// A delay that follows an envelope can point either way: the region grows on both sides by
// count·trunc(|a| + 1).
std::optional<EchoRegion> EnvelopeDelayRegion(ErrorFlag* error, double a, std::int32_t count,
                                              std::int32_t begin, std::int32_t end,
                                              std::int32_t values) {
    const double e = count * std::trunc(std::fabs(a) + 1);
    return RegionOf(error, -e, e, begin, end, values);
}

// The channel with region.front zeros before it and zeros after it up to region.length.
std::unique_ptr<Wave> GrownCopy(ErrorFlag* error, const Wave& wave, const EchoRegion& region) {
    auto result = NewWave(error, region.length);
    if (!result) return nullptr;
    const auto front = static_cast<std::int32_t>(region.front);
    result->clearPart(error, 0, front);
    result->copyPart(error, wave, 0, wave.values, front);
    result->clearPart(error, front + wave.values, result->values);
    return result;
}

// v + v² + ... + v^count.
double GeometricSum(double v, std::int64_t count) {
    if (v == 1) return static_cast<double>(count);
    return v * (1 - std::pow(v, static_cast<double>(count))) / (1 - v);
}

// The echoes i in 1 .. count whose read position p - δ·i may lie inside the range: a range
// one wider on each side than the exact one, the reader decides at its edges. Empty when
// first > last.
struct EchoSpan {
    std::int64_t first = 1;
    std::int64_t last = 0;
};

EchoSpan SpanOf(double pLow, double pHigh, double delta, const BoundedWaveReader& range,
                std::int64_t count) {
    const auto rangeFirst = static_cast<double>(range.First());
    const auto rangeLast = static_cast<double>(range.Last());
    // p - δ·i in first .. last  <=>  i between (p - last)/δ and (p - first)/δ.
    double low = delta > 0 ? (pLow - rangeLast) / delta : (pHigh - rangeFirst) / delta;
    double high = delta > 0 ? (pHigh - rangeFirst) / delta : (pLow - rangeLast) / delta;
    const double maximum = static_cast<double>(count);
    low = std::clamp(std::floor(low) - 1, 1.0, maximum + 1);
    high = std::clamp(std::ceil(high) + 1, 0.0, maximum);
    return {static_cast<std::int64_t>(low), static_cast<std::int64_t>(high)};
}

// The sum of the echo terms of position p: Σ v^i · range(p - δ·i) over i = 1 .. count.
double EchoSum(const BoundedWaveReader& range, double p, double delta, double v,
               std::int64_t count) {
    if (delta == 0) {
        const double value = range.At(p);
        return value == 0 ? 0 : value * GeometricSum(v, count);
    }
    const EchoSpan span = SpanOf(p, p, delta, range, count);
    if (span.first > span.last) return 0;
    double gain = std::pow(v, static_cast<double>(span.first));
    double sum = 0;
    for (std::int64_t i = span.first; i <= span.last; ++i) {
        sum += gain * range.At(p - delta * static_cast<double>(i));
        gain *= v;
    }
    return sum;
}

// The samples j in 0 .. n of a run whose read position shift + j may lie inside the range
// (one more on each side; the reader decides at the edges).
std::pair<std::int64_t, std::int64_t> RunPart(const BoundedWaveReader& range, double shift,
                                              std::int64_t n) {
    const double low = std::floor(static_cast<double>(range.First()) - shift) - 1;
    const double high = std::ceil(static_cast<double>(range.Last()) - shift) + 2;
    const auto clampToRun = [n](double j) {
        return static_cast<std::int64_t>(std::clamp(j, 0.0, static_cast<double>(n)));
    };
    return {clampToRun(low), clampToRun(high)};
}

// Constant delay and gain, one run of output samples [k0, k1) at a time, echo by echo:
// each echo adds its terms to the run's sums, which then join the old samples.
void AddConstantEchoes(ErrorFlag* error, Wave& out, const BoundedWaveReader& range,
                       const EchoRegion& region, double delta, double v, std::int64_t count) {
    const double allEchoes = delta == 0 ? GeometricSum(v, count) : 0;
    std::array<double, kRun> sums{};
    ForEachRun(error, region.first + region.front, region.end + region.front,
               [&](std::int64_t k0, std::int64_t k1) {
                   const std::int64_t n = k1 - k0;
                   const auto p0 = static_cast<double>(k0 - region.front);
                   std::fill_n(sums.begin(), n, 0.0);
                   if (delta == 0) {
                       for (std::int64_t j = 0; j < n; ++j)
                           sums[j] = range.At(p0 + j) * allEchoes;
                   } else {
                       const EchoSpan span =
                           SpanOf(p0, p0 + static_cast<double>(n - 1), delta, range, count);
                       for (std::int64_t i = span.first; i <= span.last; ++i) {
                           const double gain = std::pow(v, static_cast<double>(i));
                           const double shift = p0 - delta * static_cast<double>(i);
                           const auto [j0, j1] = RunPart(range, shift, n);
                           for (std::int64_t j = j0; j < j1; ++j)
                               sums[j] += gain * range.At(shift + static_cast<double>(j));
                       }
                   }
                   for (std::int64_t j = 0; j < n; ++j)
                       out.wave[k0 + j] = ToSample(out.wave[k0 + j] + sums[j]);
               });
}

// Delay and gain of every sample: from the envelopes where given, stretched over the
// region, else the constants.
struct EchoEnvelopes {
    const Wave* time = nullptr;
    const Wave* volume = nullptr;
};

double StretchStep(const Wave& envelope, std::int64_t regionLength) {
    if (regionLength <= 1) return 0;
    return static_cast<double>(envelope.values - 1) / static_cast<double>(regionLength - 1);
}

void AddEnvelopeEchoes(ErrorFlag* error, Wave& out, const BoundedWaveReader& range,
                       const EchoRegion& region, double a, double b, std::int64_t count,
                       const EchoEnvelopes& envelopes) {
    const std::int64_t regionLength = region.end - region.first;
    const double timeStep = envelopes.time ? StretchStep(*envelopes.time, regionLength) : 0;
    const double volumeStep = envelopes.volume ? StretchStep(*envelopes.volume, regionLength) : 0;
    // Positions past the envelope's last sample read the last sample.
    auto read = [](const Wave& envelope, double x) {
        return Interpolate(envelope.wave, envelope.values - 1, x);
    };
    ForEachRun(error, region.first + region.front, region.end + region.front,
               [&](std::int64_t k0, std::int64_t k1) {
                   for (std::int64_t k = k0; k < k1; ++k) {
                       const auto x = static_cast<double>(k - region.front - region.first);
                       const double delta =
                           envelopes.time ? a * read(*envelopes.time, x * timeStep) / 32767 : a;
                       const double v =
                           envelopes.volume ? read(*envelopes.volume, x * volumeStep) / 32767 : b;
                       const auto p = static_cast<double>(k - region.front);
                       out.wave[k] = ToSample(out.wave[k] + EchoSum(range, p, delta, v, count));
                   }
               });
}

// One channel: grown, then the echoes of its range added over the region.
std::unique_ptr<Wave> EchoChannel(ErrorFlag* error, const Wave& wave, const EchoRegion& region,
                                  double a, double b, std::int32_t count, std::int32_t begin,
                                  std::int32_t end, const EchoEnvelopes& envelopes) {
    auto result = GrownCopy(error, wave, region);
    if (!result) return nullptr;
    const BoundedWaveReader range(wave, begin, std::int64_t{end} - 1);
    if (envelopes.time == nullptr && envelopes.volume == nullptr) {
        AddConstantEchoes(error, *result, range, region, a, b, count);
    } else {
        AddEnvelopeEchoes(error, *result, range, region, a, b, count, envelopes);
    }
    return result;
}

// The echoes of every channel; begin and end become the region in the new sound.
std::unique_ptr<Sound> EchoSound(ErrorFlag* error, const Sound& sound,
                                 const std::optional<EchoRegion>& region, double a, double b,
                                 std::int32_t count, const Sound* timeEnvelope,
                                 const Sound* volumeEnvelope, std::int32_t& begin,
                                 std::int32_t& end) {
    if (!region || ErrorIsSet(error)) return nullptr;
    std::optional<channels::Matched> times;
    std::optional<channels::Matched> volumes;
    if (timeEnvelope != nullptr) {
        times.emplace(error, sound, *timeEnvelope);
        if (!*times) return nullptr;
    }
    if (volumeEnvelope != nullptr) {
        volumes.emplace(error, sound, *volumeEnvelope);
        if (!*volumes) return nullptr;
    }
    auto result = channels::Map(error, sound, [&](const Wave& wave, int c) {
        const EchoEnvelopes envelopes{times ? &(*times)[c] : nullptr,
                                      volumes ? &(*volumes)[c] : nullptr};
        return EchoChannel(error, wave, *region, a, b, count, begin, end, envelopes);
    });
    if (!result) return nullptr;
    begin = static_cast<std::int32_t>(region->first + region->front);
    end = static_cast<std::int32_t>(region->end + region->front);
    return result;
}

void AssertArguments(const Sound& sound, std::int32_t count, std::int32_t begin, std::int32_t end,
                     const Sound* timeEnvelope, const Sound* volumeEnvelope) {
    KALVORA_ASSERT(0 <= begin && begin <= end && end <= sound.GetValues() && count >= 0);
    KALVORA_ASSERT(timeEnvelope == nullptr || timeEnvelope->GetValues() > 0);
    KALVORA_ASSERT(volumeEnvelope == nullptr || volumeEnvelope->GetValues() > 0);
}

}  // namespace

std::unique_ptr<Sound> Sound::PeriodEcho(ErrorFlag* error, double time, double volume,
                                         std::int32_t count, std::int32_t& begin,
                                         std::int32_t& end) const {
    AssertArguments(*this, count, begin, end, nullptr, nullptr);
    if (ErrorIsSet(error)) return nullptr;
    const double a = Freq * time;
    const auto region = ConstantDelayRegion(error, a, count, begin, end, GetValues());
    return EchoSound(error, *this, region, a, volume, count, nullptr, nullptr, begin, end);
}

std::unique_ptr<Sound> Sound::PeriodEcho(ErrorFlag* error, double time, const Sound& volumeEnvelope,
                                         std::int32_t count, std::int32_t& begin,
                                         std::int32_t& end) const {
    AssertArguments(*this, count, begin, end, nullptr, &volumeEnvelope);
    if (ErrorIsSet(error)) return nullptr;
    const double a = Freq * time;
    const auto region = ConstantDelayRegion(error, a, count, begin, end, GetValues());
    return EchoSound(error, *this, region, a, 0, count, nullptr, &volumeEnvelope, begin, end);
}

std::unique_ptr<Sound> Sound::PeriodEcho(ErrorFlag* error, double time, const Sound& timeEnvelope,
                                         double volume, std::int32_t count, std::int32_t& begin,
                                         std::int32_t& end) const {
    AssertArguments(*this, count, begin, end, &timeEnvelope, nullptr);
    if (ErrorIsSet(error)) return nullptr;
    const double a = Freq * time;
    const auto region = EnvelopeDelayRegion(error, a, count, begin, end, GetValues());
    return EchoSound(error, *this, region, a, volume, count, &timeEnvelope, nullptr, begin, end);
}

std::unique_ptr<Sound> Sound::PeriodEcho(ErrorFlag* error, double time, const Sound& timeEnvelope,
                                         const Sound& volumeEnvelope, std::int32_t count,
                                         std::int32_t& begin, std::int32_t& end) const {
    AssertArguments(*this, count, begin, end, &timeEnvelope, &volumeEnvelope);
    if (ErrorIsSet(error)) return nullptr;
    const double a = Freq * time;
    const auto region = EnvelopeDelayRegion(error, a, count, begin, end, GetValues());
    return EchoSound(error, *this, region, a, 0, count, &timeEnvelope, &volumeEnvelope, begin, end);
}

}  // namespace kalvora
