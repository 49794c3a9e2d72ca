// Shift ("Move Wave Horizontally"): the range lifted out of each channel and added back at
// another time, by a constant amount or by an envelope.
#include <algorithm>
#include <array>
#include <cmath>

#include "platform/assertion.h"
#include "sound/bounded_reader.h"
#include "sound/channel_map.h"
#include "sound/operation_support.h"
#include "sound/sample.h"
#include "sound/sound.h"

namespace kalvora {
namespace {

using operations::NewWave;

std::int64_t RoundAwayFromZero(double x) {
    return static_cast<std::int64_t>(x >= 0 ? std::ceil(x) : std::floor(x));
}

// How far the wave grows at its front and at its end.
struct Growth {
    std::int64_t before = 0;
    std::int64_t after = 0;
};

Growth GrowthFor(std::int64_t lowest, std::int64_t highest, std::int32_t begin, std::int32_t end,
                 std::int32_t values) {
    return {std::max<std::int64_t>(0, -(begin + lowest)),
            std::max<std::int64_t>(0, end + highest - values)};
}

// The channel grown by growth with its range silenced: head and tail keep their samples.
std::unique_ptr<Wave> WithRangeLifted(ErrorFlag* error, const Wave& wave, std::int32_t begin,
                                      std::int32_t end, Growth growth) {
    auto result = NewWave(error, wave.values + growth.before + growth.after);
    if (!result) return nullptr;
    const auto before = static_cast<std::int32_t>(growth.before);
    result->clearPart(error, 0, result->values);
    result->copyPart(error, wave, 0, begin, before);
    result->copyPart(error, wave, end, wave.values, before + end);
    return result;
}

// One channel moved by x samples: the lifted range read back at p - x and added onto what
// lies there.
std::unique_ptr<Wave> ShiftChannel(ErrorFlag* error, const Wave& wave, double x, std::int32_t begin,
                                   std::int32_t end, Growth growth) {
    auto result = WithRangeLifted(error, wave, begin, end, growth);
    if (!result) return nullptr;
    const BoundedWaveReader range(wave, begin, std::int64_t{end} - 1);
    // Only where p - x can lie inside the range is there anything to add.
    const std::int64_t first =
        std::max<std::int64_t>(0, static_cast<std::int64_t>(std::floor(begin + x)) + growth.before);
    const std::int64_t last = std::min<std::int64_t>(
        result->values, static_cast<std::int64_t>(std::ceil(end + x)) + growth.before + 1);
    ForEachRun(error, first, last, [&](std::int64_t runFirst, std::int64_t runEnd) {
        for (std::int64_t k = runFirst; k < runEnd; ++k) {
            const double p = static_cast<double>(k - growth.before);
            result->wave[k] = ToSample(result->wave[k] + range.At(p - x));
        }
    });
    return result;
}

// One channel whose range moves by x·E/32768 samples at each place, E stretched over the
// range and m samples on either side of it, which hold only moved material or silence.
std::unique_ptr<Wave> ShiftChannelEnvelope(ErrorFlag* error, const Wave& wave, const Wave& envelope,
                                           double x, std::int32_t begin, std::int32_t end,
                                           Growth growth) {
    auto result = WithRangeLifted(error, wave, begin, end, growth);
    if (!result) return nullptr;
    const std::int64_t m = RoundAwayFromZero(std::fabs(x));
    const BoundedWaveReader range(wave, begin, std::int64_t{end} - 1);
    const BoundedWaveReader shape(envelope);
    const double lastShape = envelope.values - 1;
    const double step = lastShape / static_cast<double>(std::int64_t{end} - begin + 2 * m + 1);
    const std::int64_t first = begin + growth.before - m;
    const std::int64_t last = end + growth.before + m;
    double e = 0;
    ForEachRun(error, first, last, [&](std::int64_t runFirst, std::int64_t runEnd) {
        for (std::int64_t k = runFirst; k < runEnd; ++k) {
            const double moved = x * shape.At(std::min(e, lastShape)) / 32768;
            result->wave[k] = ToSample(range.At(static_cast<double>(k - growth.before) - moved));
            e += step;
        }
    });
    return result;
}

// A shift of more samples than a wave can hold fails like exhausted memory.
bool ShiftFits(ErrorFlag* error, double x) {
    if (std::fabs(x) < 2147483647.0) return true;
    SetError(error);
    return false;
}

std::int32_t Truncated(double position) {
    return static_cast<std::int32_t>(position);
}

}  // namespace

std::unique_ptr<Sound> Sound::Shift(ErrorFlag* error, double timeLeft, double timeRight,
                                    std::int32_t& begin, std::int32_t& end) const {
    KALVORA_ASSERT(0 <= begin && begin <= end && end <= GetValues());
    if (ErrorIsSet(error)) return nullptr;
    const int count = channels::Count(*this);
    const std::array<double, 2> x{Freq * timeLeft, Freq * timeRight};
    if (!ShiftFits(error, x[0]) || !ShiftFits(error, x[1])) return nullptr;
    std::int64_t lowest = RoundAwayFromZero(x[0]);
    std::int64_t highest = lowest;
    for (int c = 1; c < count; ++c) {
        lowest = std::min(lowest, RoundAwayFromZero(x[c]));
        highest = std::max(highest, RoundAwayFromZero(x[c]));
    }
    const Growth growth = GrowthFor(lowest, highest, begin, end, GetValues());
    auto result = channels::Map(error, *this, [&](const Wave& wave, int c) {
        return ShiftChannel(error, wave, x[c], begin, end, growth);
    });
    if (!result) return nullptr;
    // Stereo: where both channels' moved ranges overlap, a cursor when they do not.
    std::int32_t newBegin = 0;
    std::int32_t newEnd = result->GetValues();
    for (int c = 0; c < count; ++c) {
        newBegin = std::max(newBegin, Truncated(begin + growth.before + x[c]));
        newEnd = std::min(newEnd, Truncated(end + growth.before + x[c]));
    }
    begin = newBegin;
    end = std::max(newBegin, newEnd);
    return result;
}

std::unique_ptr<Sound> Sound::ShiftEnvelope(ErrorFlag* error, double timeLeft, double timeRight,
                                            const Sound& envelope, std::int32_t& begin,
                                            std::int32_t& end) const {
    KALVORA_ASSERT(0 <= begin && begin <= end && end <= GetValues() && envelope.GetValues() > 0);
    const channels::Matched shapes(error, *this, envelope);
    if (!shapes) return nullptr;
    const int count = channels::Count(*this);
    const std::array<double, 2> x{Freq * timeLeft, Freq * timeRight};
    if (!ShiftFits(error, x[0]) || !ShiftFits(error, x[1])) return nullptr;
    // Both channels grow by the larger shift, so that they keep equal lengths.
    double largest = 0;
    for (int c = 0; c < count; ++c)
        largest = std::max(largest, std::fabs(x[c]));
    const std::int64_t m = RoundAwayFromZero(largest);
    const Growth growth = GrowthFor(-m, m, begin, end, GetValues());
    auto result = channels::Map(error, *this, [&](const Wave& wave, int c) {
        return ShiftChannelEnvelope(error, wave, shapes[c], x[c], begin, end, growth);
    });
    if (!result) return nullptr;
    begin = Truncated(begin + growth.before - largest);
    end = Truncated(end + growth.before + largest);
    return result;
}

}  // namespace kalvora
