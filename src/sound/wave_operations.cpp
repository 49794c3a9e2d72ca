// The simple one-channel operations of Wave: volume, reverse, vertical moves, block,
// rotate, roll in and out, distort.
#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "platform/assertion.h"
#include "sound/operation_kernels.h"
#include "sound/operation_support.h"
#include "sound/sample.h"
#include "sound/wave.h"
#include "sound/wave_kernels.h"

namespace kalvora {
namespace {

using operations::EnvelopeReader;
using operations::Framed;
using operations::Interpolate;

bool ValidRange(const Wave& wave, std::int32_t begin, std::int32_t end) {
    return 0 <= begin && begin <= end && end <= wave.values;
}

// A new wave of the same length whose range is work(target, source, count) applied in runs
// to the range of this, with head and tail copied.
template <class Work>
std::unique_ptr<Wave> MapRange(ErrorFlag* error, const Wave& wave, std::int32_t begin,
                               std::int32_t end, Work&& work) {
    KALVORA_ASSERT(ValidRange(wave, begin, end));
    auto result = Framed(error, wave, begin, end, end - begin);
    if (!result) return nullptr;
    ForEachRun(error, begin, end, [&](std::int64_t first, std::int64_t last) {
        work(result->wave + first, wave.wave + first, first - begin, last - first);
    });
    return result;
}

// The quantisation of a block mean to levels >= 2 steps over the full sample range.
double Quantise(double mean, std::int32_t levels) {
    const double step = 65535.0 / (levels - 1);
    return step * std::floor((mean + 32768) * levels / 65536) - 32768;
}

// Ranges shorter than this compute a transfer function (a distortion, a quantisation) per
// sample; longer ones through a table of all 65536 sample values, which gives the same
// values.
constexpr std::int32_t kTableFrom = 16384;

double DistortValue(const Wave& curve, std::int32_t sample) {
    const std::int64_t last = curve.values - 1;
    const double x = (sample / 65535.0 + 0.5) * static_cast<double>(last);
    return x > 0 ? Interpolate(curve.wave, last, x) : curve.wave[0];
}

// The phase p wrapped into 0 .. 1: p - floor(p), without the call for the usual case of a
// phase at most one period outside (where the floor is exact: 0, 1 or -1).
inline double WrapPhase(double p) {
    if (p >= 1) return p < 2 ? p - 1 : p - std::floor(p);
    if (p < 0) return p >= -1 ? p + 1 : p - std::floor(p);
    return p;
}

// A position wrapped into 0 .. span (a whole period is added or taken away until it lies
// there).
inline double WrapPosition(double position, double span) {
    if (position >= span) {
        position -= span;
        if (position >= span) position -= span * std::floor(position / span);
    } else if (position < 0) {
        position += span;
        if (position < 0) position -= span * std::floor(position / span);
    }
    // Rounding can land on the end itself, which is the start again.
    return position < span && position >= 0 ? position : 0.0;
}

}  // namespace

std::unique_ptr<Wave> Wave::scale(ErrorFlag* error, double factor, std::int32_t begin,
                                  std::int32_t end) const {
    return MapRange(error, *this, begin, end,
                    [&](std::int16_t* target, const std::int16_t* source, std::int64_t,
                        std::int64_t count) { kernels::ScaleCopy(target, source, factor, count); });
}

std::unique_ptr<Wave> Wave::scaleByEnvelope(ErrorFlag* error, const Wave& envelope,
                                            std::int32_t begin, std::int32_t end) const {
    KALVORA_ASSERT(envelope.values > 0);
    EnvelopeReader reader(envelope, end - begin);
    return MapRange(
        error, *this, begin, end,
        [&](std::int16_t* target, const std::int16_t* source, std::int64_t, std::int64_t count) {
            for (std::int64_t k = 0; k < count; ++k) {
                target[k] = ToSample(reader.Next() * source[k] / 32767);
            }
        });
}

std::unique_ptr<Wave> Wave::reverse(ErrorFlag* error, std::int32_t begin, std::int32_t end) const {
    KALVORA_ASSERT(ValidRange(*this, begin, end));
    auto result = Framed(error, *this, begin, end, end - begin);
    if (!result) return nullptr;
    // Output run [first, last) of the range reads the mirrored run of the input.
    ForEachRun(error, 0, end - begin, [&](std::int64_t first, std::int64_t last) {
        kernels::ReverseCopy(result->wave + begin + first, wave + end - last, last - first);
    });
    return result;
}

std::unique_ptr<Wave> Wave::moveVertically(ErrorFlag* error, std::int32_t add, std::int32_t begin,
                                           std::int32_t end) const {
    return MapRange(error, *this, begin, end,
                    [&](std::int16_t* target, const std::int16_t* source, std::int64_t,
                        std::int64_t count) { kernels::AddConstant(target, source, add, count); });
}

std::unique_ptr<Wave> Wave::normalizeVertically(ErrorFlag* error, std::int32_t begin,
                                                std::int32_t end) const {
    KALVORA_ASSERT(ValidRange(*this, begin, end) && begin < end);
    // Sums of 16-bit samples are exact in 64 bits, and so in a double up to 2^53.
    std::int64_t sum = 0;
    const bool complete = ForEachRun(error, begin, end, [&](std::int64_t first, std::int64_t last) {
        sum += kernels::Sum(wave + first, last - first);
    });
    if (!complete) return nullptr;
    const double mean = static_cast<double>(sum) / (end - begin);
    return moveVertically(error, -static_cast<std::int32_t>(mean), begin, end);
}

std::unique_ptr<Wave> Wave::block(ErrorFlag* error, double x, std::int32_t levels,
                                  std::int32_t begin, std::int32_t end) const {
    KALVORA_ASSERT(ValidRange(*this, begin, end) && levels >= 0);
    if (!(x >= 1)) x = 1;
    if (x == 1 && levels == 0) return scale(error, 1, begin, end);
    auto result = Framed(error, *this, begin, end, end - begin);
    if (!result) return nullptr;
    if (levels == 1) {
        result->clearPart(error, begin, end);
        return result;
    }
    if (x == 1 && end - begin >= kTableFrom) {
        // Blocks of one sample: each sample quantised on its own, through a table.
        std::vector<std::int16_t> table(65536);
        for (std::int32_t v = -32768; v <= 32767; ++v)
            table[v + 32768] = ToSample(Quantise(v, levels));
        ForEachRun(error, begin, end, [&](std::int64_t first, std::int64_t last) {
            kernels::Lookup(result->wave + first, wave + first, table.data(), last - first);
        });
        return result;
    }
    double boundary = begin;
    std::int64_t blockBegin = begin;
    while (blockBegin < end && !ErrorIsSet(error)) {
        boundary = std::min(boundary + x, static_cast<double>(end));
        const auto blockEnd = static_cast<std::int64_t>(boundary);
        if (blockEnd <= blockBegin) continue;
        std::int64_t sum = 0;
        ForEachRun(error, blockBegin, blockEnd, [&](std::int64_t first, std::int64_t last) {
            sum += kernels::Sum(wave + first, last - first);
        });
        double mean =
            std::trunc(static_cast<double>(sum) / static_cast<double>(blockEnd - blockBegin));
        if (levels >= 2) mean = Quantise(mean, levels);
        const std::int16_t value = ToSample(mean);
        ForEachRun(error, blockBegin, blockEnd, [&](std::int64_t first, std::int64_t last) {
            kernels::Fill(result->wave + first, value, last - first);
        });
        blockBegin = blockEnd;
    }
    return result;
}

std::unique_ptr<Wave> Wave::rotate(ErrorFlag* error, std::int32_t leftShift, std::int32_t begin,
                                   std::int32_t end) const {
    KALVORA_ASSERT(ValidRange(*this, begin, end) && 0 <= leftShift && leftShift <= end - begin);
    auto result = Framed(error, *this, begin, end, end - begin);
    if (!result) return nullptr;
    const std::int32_t split = begin + leftShift;
    result->copyPart(error, *this, split, end, begin);
    result->copyPart(error, *this, begin, split, begin + (end - split));
    return result;
}

std::unique_ptr<Wave> Wave::rollIn(ErrorFlag* error, std::int32_t n, std::int32_t target,
                                   std::int32_t begin, std::int32_t& end) const {
    KALVORA_ASSERT(ValidRange(*this, begin, end) && begin < end && n > 0 && 0 <= target &&
                   target < n);
    auto result = Framed(error, *this, begin, end, n);
    if (!result) return nullptr;
    result->clearPart(error, begin, begin + n);
    // The range is added lap after lap: from target to the region's end, then from its start.
    std::int32_t from = begin;
    std::int32_t at = target;
    while (from < end && !ErrorIsSet(error)) {
        const std::int32_t count = std::min(end - from, n - at);
        result->addPart(error, *this, from, from + count, begin + at);
        from += count;
        at = 0;
    }
    end = begin + n;
    return result;
}

std::unique_ptr<Wave> Wave::rollOut(ErrorFlag* error, double period, double scale, double start,
                                    std::int32_t begin, std::int32_t& end) const {
    KALVORA_ASSERT(ValidRange(*this, begin, end) && begin < end && period != 0 && scale >= 0);
    const double n = std::trunc(std::fabs(period) * scale);
    auto result = Framed(error, *this, begin, end, static_cast<std::int64_t>(std::min(n, 4e9)));
    if (!result) return nullptr;
    const auto count = static_cast<std::int32_t>(n);
    const std::int16_t* range = wave + begin;
    const std::int64_t last = end - begin - 1;
    const double span = static_cast<double>(last);
    const double step = 1 / period;
    double phase = WrapPhase(start);
    std::int16_t* out = result->wave + begin;
    ForEachRun(error, 0, count, [&](std::int64_t first, std::int64_t stop) {
        for (std::int64_t k = first; k < stop; ++k) {
            out[k] = ToSample(Interpolate(range, last, span * phase));
            phase = WrapPhase(phase + step);
        }
    });
    end = begin + count;
    return result;
}

std::unique_ptr<Wave> Wave::rollOutEnvelope(ErrorFlag* error, const Wave& envelope,
                                            double lengthFactor, double speed, double start,
                                            std::int32_t begin, std::int32_t& end) const {
    KALVORA_ASSERT(ValidRange(*this, begin, end) && begin < end && lengthFactor >= 0 &&
                   envelope.values > 0);
    const std::int32_t length = end - begin;
    const double n = std::trunc(lengthFactor * length);
    auto result = Framed(error, *this, begin, end, static_cast<std::int64_t>(std::min(n, 4e9)));
    if (!result) return nullptr;
    const auto count = static_cast<std::int32_t>(n);
    auto reader =
        EnvelopeReader::WithStep(envelope, (envelope.values - 1) / (lengthFactor * length));
    const std::int16_t* range = wave + begin;
    const double span = length;
    // The position inside the range, 0 <= position < length.
    double position = WrapPosition(start * span, span);
    std::int16_t* out = result->wave + begin;
    ForEachRun(error, 0, count, [&](std::int64_t first, std::int64_t stop) {
        for (std::int64_t k = first; k < stop; ++k) {
            position = WrapPosition(position + reader.Next() * speed / 32767, span);
            const auto i = static_cast<std::int32_t>(position);
            const double f = position - i;
            const std::int32_t next = i + 1 < length ? i + 1 : 0;
            out[k] = ToSample((1 - f) * range[i] + f * range[next]);
        }
    });
    end = begin + count;
    return result;
}

std::unique_ptr<Wave> Wave::distort(ErrorFlag* error, const Wave& curve, std::int32_t begin,
                                    std::int32_t end) const {
    KALVORA_ASSERT(curve.values > 0);
    if (end - begin < kTableFrom) {
        return MapRange(error, *this, begin, end,
                        [&](std::int16_t* target, const std::int16_t* source, std::int64_t,
                            std::int64_t count) {
                            for (std::int64_t k = 0; k < count; ++k)
                                target[k] = ToSample(DistortValue(curve, source[k]));
                        });
    }
    std::vector<std::int16_t> table(65536);
    for (std::int32_t s = -32768; s <= 32767; ++s)
        table[s + 32768] = ToSample(DistortValue(curve, s));
    return MapRange(
        error, *this, begin, end,
        [&](std::int16_t* target, const std::int16_t* source, std::int64_t, std::int64_t count) {
            kernels::Lookup(target, source, table.data(), count);
        });
}

}  // namespace kalvora
