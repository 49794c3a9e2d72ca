#include "sound/wave.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <numbers>
#include <utility>

#include "platform/assertion.h"
#include "platform/messages.h"
#include "sound/sample.h"
#include "sound/sample_memory.h"
#include "sound/wave_kernels.h"

namespace kalvora {
namespace {

// A new wave of count samples (count may be computed in 64 bits; beyond the 32-bit limit
// it fails like an exhausted memory), or nullptr with the flag set.
std::unique_ptr<Wave> NewWave(ErrorFlag* error, std::int64_t count) {
    std::int16_t* samples = AllocateSamples(error, count);
    if (samples == nullptr && count != 0) return nullptr;
    return std::make_unique<Wave>(samples, static_cast<std::int32_t>(count));
}

// Copies count samples in runs, testing the flag between runs. Source and target may overlap.
void MoveRuns(ErrorFlag* error, std::int16_t* target, const std::int16_t* source,
              std::int64_t count) {
    if (target == source) return;
    if (target > source && target < source + count) {
        // Overlap with the target after the source: copy from the end backwards.
        std::int64_t left = count;
        while (left > 0 && !ErrorIsSet(error)) {
            const std::int64_t run = std::min<std::int64_t>(left, kRunLength);
            left -= run;
            std::memmove(target + left, source + left, static_cast<std::size_t>(run) * 2);
        }
        return;
    }
    ForEachRun(error, 0, count, [&](std::int64_t first, std::int64_t last) {
        std::memmove(target + first, source + first, static_cast<std::size_t>(last - first) * 2);
    });
}

void ClearRuns(ErrorFlag* error, std::int16_t* target, std::int64_t count) {
    ForEachRun(error, 0, count, [&](std::int64_t first, std::int64_t last) {
        std::memset(target + first, 0, static_cast<std::size_t>(last - first) * 2);
    });
}

bool ValidRange(const Wave& wave, std::int32_t begin, std::int32_t end) {
    return 0 <= begin && begin <= end && end <= wave.values;
}

// Reads a range of a wave by relative position, forwards (position 0 is sample begin) or
// mirrored (position 0 is the range's last sample). The neighbour past the range is the
// sample after it (forwards) or before it (mirrored); at an end of the wave the end sample
// itself is read, so nothing outside the array is ever touched.
class RangeReader {
  public:
    RangeReader(const Wave& wave, std::int32_t begin, std::int32_t length, bool mirrored)
        : samples_(wave.wave),
          last_(wave.values - 1),
          step_(mirrored ? -1 : 1),
          origin_(mirrored ? begin + length - 1 : begin),
          // Positions below this have both neighbours inside the array.
          safeEnd_(static_cast<double>(mirrored ? origin_ : last_ - origin_)) {}

    double At(std::int64_t i) const {
        const std::int64_t index = std::clamp<std::int64_t>(origin_ + step_ * i, 0, last_);
        return samples_[index];
    }

    // The interpolated value at relative position x >= 0. With f = 0 the formula gives
    // s[i] exactly, so it needs no test for it.
    double Interpolated(double x) const {
        const auto i = static_cast<std::int64_t>(x);
        const double f = x - static_cast<double>(i);
        if (x < safeEnd_) {
            const std::int16_t* at = samples_ + origin_ + step_ * i;
            return (1 - f) * at[0] + f * at[step_];
        }
        return (1 - f) * At(i) + f * At(i + 1);
    }

  private:
    const std::int16_t* samples_;
    std::int64_t last_;
    std::int64_t step_;
    std::int64_t origin_;
    double safeEnd_;
};

}  // namespace

Wave::Wave(ErrorFlag* error, std::int32_t n) {
    KALVORA_ASSERT(n >= 0);
    wave = AllocateSamples(error, n);
    values = wave != nullptr ? n : 0;
}

Wave::Wave(std::int16_t* array, std::int32_t n) : wave(array), values(n) {
    KALVORA_ASSERT(n >= 0 && (n > 0 || array == nullptr));
}

Wave::Wave(ErrorFlag* error, const Wave& other) {
    if (ErrorIsSet(error) || other.values == 0) return;
    wave = AllocateSamples(error, other.values);
    if (wave == nullptr) return;
    values = other.values;
    MoveRuns(error, wave, other.wave, values);
}

Wave::Wave(Wave&& other) noexcept
    : wave(std::exchange(other.wave, nullptr)), values(std::exchange(other.values, 0)) {}

Wave& Wave::operator=(Wave&& other) noexcept {
    if (this != &other) {
        Release();
        wave = std::exchange(other.wave, nullptr);
        values = std::exchange(other.values, 0);
    }
    return *this;
}

Wave::~Wave() {
    Release();
}

void Wave::Release() {
    if (values > 0) FreeSamples(wave);
    wave = nullptr;
    values = 0;
}

std::int16_t* Wave::release() {
    values = 0;
    return std::exchange(wave, nullptr);
}

double Wave::getInterpolated(double x) const {
    KALVORA_ASSERT(values > 0);
    if (!(x > 0)) return wave[0];
    if (x >= values - 1) return wave[values - 1];
    return RangeReader(*this, 0, values, false).Interpolated(x);
}

void Wave::copyPart(ErrorFlag* error, const Wave& from, std::int32_t begin, std::int32_t end,
                    std::int32_t to) {
    KALVORA_ASSERT(ValidRange(from, begin, end) && to >= 0 &&
                   std::int64_t{to} + end - begin <= values);
    if (ErrorIsSet(error)) return;
    MoveRuns(error, wave + to, from.wave + begin, end - begin);
}

void Wave::clearPart(ErrorFlag* error, std::int32_t begin, std::int32_t end) {
    KALVORA_ASSERT(ValidRange(*this, begin, end));
    if (ErrorIsSet(error)) return;
    ClearRuns(error, wave + begin, end - begin);
}

void Wave::addPart(ErrorFlag* error, const Wave& from, std::int32_t begin, std::int32_t end,
                   std::int32_t to) {
    KALVORA_ASSERT(ValidRange(from, begin, end) && to >= 0 &&
                   std::int64_t{to} + end - begin <= values);
    ForEachRun(error, 0, end - begin, [&](std::int64_t first, std::int64_t last) {
        kernels::Add(wave + to + first, from.wave + begin + first, last - first);
    });
}

std::int32_t Wave::getMaxAbs(ErrorFlag* error, std::int32_t begin, std::int32_t end) const {
    KALVORA_ASSERT(ValidRange(*this, begin, end));
    std::int32_t peak = 0;
    const bool complete = ForEachRun(error, begin, end, [&](std::int64_t first, std::int64_t last) {
        peak = std::max(peak, kernels::MaxAbs(wave + first, last - first));
    });
    return complete ? peak : 0;
}

std::unique_ptr<Wave> Wave::extract(ErrorFlag* error, std::int32_t begin, std::int32_t end) const {
    KALVORA_ASSERT(ValidRange(*this, begin, end) && begin < end);
    if (ErrorIsSet(error)) return nullptr;
    auto result = NewWave(error, end - begin);
    if (result) MoveRuns(error, result->wave, wave + begin, end - begin);
    return result;
}

std::unique_ptr<Wave> Wave::remove(ErrorFlag* error, std::int32_t begin, std::int32_t end) const {
    KALVORA_ASSERT(ValidRange(*this, begin, end) && begin < end);
    if (ErrorIsSet(error)) return nullptr;
    auto result = NewWave(error, values - (end - begin));
    if (!result) return nullptr;
    MoveRuns(error, result->wave, wave, begin);
    MoveRuns(error, result->wave + begin, wave + end, values - end);
    return result;
}

std::unique_ptr<Wave> Wave::replace(ErrorFlag* error, const Wave& other, std::int32_t begin,
                                    std::int32_t end) const {
    KALVORA_ASSERT(ValidRange(*this, begin, end));
    if (ErrorIsSet(error)) return nullptr;
    auto result = NewWave(error, std::int64_t{values} - (end - begin) + other.values);
    if (!result) return nullptr;
    MoveRuns(error, result->wave, wave, begin);
    MoveRuns(error, result->wave + begin, other.wave, other.values);
    MoveRuns(error, result->wave + begin + other.values, wave + end, values - end);
    return result;
}

std::unique_ptr<Wave> Wave::openGap(ErrorFlag* error, std::int32_t n, std::int32_t begin,
                                    std::int32_t& end) const {
    KALVORA_ASSERT(ValidRange(*this, begin, end) && n >= 0);
    if (ErrorIsSet(error)) return nullptr;
    auto result = NewWave(error, std::int64_t{values} - (end - begin) + n);
    if (!result) return nullptr;
    MoveRuns(error, result->wave, wave, begin);
    MoveRuns(error, result->wave + begin + n, wave + end, values - end);
    end = begin + n;
    return result;
}

std::unique_ptr<Wave> Wave::append(ErrorFlag* error, const Wave& other) const {
    return replace(error, other, values, values);
}

void Wave::drawLine(ErrorFlag* error, std::int32_t begin, double a, std::int32_t end, double b) {
    KALVORA_ASSERT(ValidRange(*this, begin, end) && begin < end);
    if (ErrorIsSet(error)) return;
    if (end - begin == 1) {
        wave[begin] = ToSample((a + b) / 2);
        return;
    }
    const double step = (b - a) / (end - begin - 1);
    double position = a;
    ForEachRun(error, begin, end, [&](std::int64_t first, std::int64_t last) {
        for (std::int64_t k = first; k < last; ++k) {
            wave[k] = ToSample(position);
            position += step;
        }
    });
}

void Wave::scaleInPlace(ErrorFlag* error, double factor, std::int32_t begin, std::int32_t end) {
    KALVORA_ASSERT(ValidRange(*this, begin, end));
    ForEachRun(error, begin, end, [&](std::int64_t first, std::int64_t last) {
        kernels::Scale(wave + first, last - first, factor);
    });
}

std::unique_ptr<Wave> Wave::combine(ErrorFlag* error, double a, const Wave& other, double b,
                                    std::int32_t begin, std::int32_t end) const {
    KALVORA_ASSERT(other.values == values && ValidRange(*this, begin, end));
    if (ErrorIsSet(error)) return nullptr;
    auto result = NewWave(error, values);
    if (!result) return nullptr;
    MoveRuns(error, result->wave, wave, begin);
    ForEachRun(error, begin, end, [&](std::int64_t first, std::int64_t last) {
        kernels::Combine(result->wave + first, wave + first, a, other.wave + first, b,
                         last - first);
    });
    MoveRuns(error, result->wave + end, wave + end, values - end);
    return result;
}

std::unique_ptr<Wave> Wave::average(ErrorFlag* error, const Wave& other) const {
    return combine(error, 0.5, other, 0.5, 0, values);
}

std::unique_ptr<Wave> Wave::resample(ErrorFlag* error, double factor) const {
    std::int32_t begin = 0;
    std::int32_t end = values;
    return resamplePart(error, factor, begin, end);
}

std::unique_ptr<Wave> Wave::resamplePart(ErrorFlag* error, double factor, std::int32_t& begin,
                                         std::int32_t& end) const {
    KALVORA_ASSERT(ValidRange(*this, begin, end));
    if (ErrorIsSet(error)) return nullptr;
    const double length = std::fabs(factor) * (end - begin - 1) + 1;
    if (begin == end || !(length >= 1)) {
        // Nothing to stretch: the wave stays as it is and the range stays empty.
        end = begin;
        return replace(error, Wave(), begin, begin);
    }
    if (length > std::numeric_limits<std::int32_t>::max()) {
        ReportAllocationFailure(error);
        return nullptr;
    }
    return stretchPart(error, static_cast<std::int32_t>(length), factor < 0, begin, end);
}

std::unique_ptr<Wave> Wave::stretchPart(ErrorFlag* error, std::int32_t n, bool backwards,
                                        std::int32_t& begin, std::int32_t& end) const {
    KALVORA_ASSERT(ValidRange(*this, begin, end) && begin < end && n > 0);
    if (ErrorIsSet(error)) return nullptr;
    const std::int32_t length = end - begin;
    auto result = NewWave(error, std::int64_t{values} - length + n);
    if (!result) return nullptr;
    MoveRuns(error, result->wave, wave, begin);
    const RangeReader reader(*this, begin, length, backwards);
    const double step = static_cast<double>(length) / n;
    double position = 0;
    std::int16_t* target = result->wave + begin;
    ForEachRun(error, 0, n, [&](std::int64_t first, std::int64_t last) {
        for (std::int64_t j = first; j < last; ++j) {
            target[j] = ToSample(reader.Interpolated(position));
            position += step;
        }
    });
    MoveRuns(error, result->wave + begin + n, wave + end, values - end);
    end = begin + n;
    return result;
}

void Wave::mixAfter(ErrorFlag* error, const Wave& other, std::int32_t after) {
    KALVORA_ASSERT(values > 0 && 0 <= after && after < values);
    const std::int64_t count = std::min<std::int64_t>(values - after, other.values);
    ForEachRun(error, 0, count, [&](std::int64_t first, std::int64_t last) {
        kernels::Add(wave + after + first, other.wave + first, last - first);
    });
}

void Wave::mixAfter(ErrorFlag* error, const Wave& other, std::int32_t after, double factor) {
    KALVORA_ASSERT(values > 0 && 0 <= after && after < values);
    const std::int64_t count = std::min<std::int64_t>(values - after, other.values);
    ForEachRun(error, 0, count, [&](std::int64_t first, std::int64_t last) {
        kernels::AddScaled(wave + after + first, other.wave + first, factor, last - first);
    });
}

void Wave::mixCycleAfter(ErrorFlag* error, const Wave& other, std::int32_t after) {
    KALVORA_ASSERT(values > 0 && 0 <= after && after < values);
    std::int64_t used = 0;
    std::int64_t position = after;
    while (used < other.values && !ErrorIsSet(error)) {
        const std::int64_t count = std::min<std::int64_t>(values - position, other.values - used);
        ForEachRun(error, 0, count, [&](std::int64_t first, std::int64_t last) {
            kernels::Add(wave + position + first, other.wave + used + first, last - first);
        });
        used += count;
        position = 0;
    }
}

std::unique_ptr<Wave> Wave::mix(ErrorFlag* error, const Wave& other, std::int32_t at,
                                std::int32_t length, bool fromEnd) const {
    KALVORA_ASSERT(length >= -1);
    if (ErrorIsSet(error)) return nullptr;
    const std::int64_t used = length == -1 ? other.values : std::min(length, other.values);
    const std::int64_t source = fromEnd ? other.values - used : 0;
    const std::int64_t shift = std::max<std::int64_t>(0, -std::int64_t{at});
    const std::int64_t total =
        shift + values + std::max<std::int64_t>(0, std::int64_t{at} + used - values);
    auto result = NewWave(error, total);
    if (!result) return nullptr;
    ClearRuns(error, result->wave, shift);
    MoveRuns(error, result->wave + shift, wave, values);
    ClearRuns(error, result->wave + shift + values, total - shift - values);
    std::int16_t* target = result->wave + shift + at;
    ForEachRun(error, 0, used, [&](std::int64_t first, std::int64_t last) {
        kernels::Add(target + first, other.wave + source + first, last - first);
    });
    return result;
}

std::unique_ptr<Wave> Wave::mixAlignEnd(ErrorFlag* error, const Wave& other, std::int32_t position,
                                        std::int32_t length) const {
    KALVORA_ASSERT(length >= -1);
    const std::int32_t used = length == -1 ? other.values : std::min(length, other.values);
    const std::int64_t at = std::int64_t{position} - used;
    if (at < std::numeric_limits<std::int32_t>::min()) {
        ReportAllocationFailure(error);
        return nullptr;
    }
    return mix(error, other, static_cast<std::int32_t>(at), length, true);
}

std::unique_ptr<Wave> Wave::mixStretched(ErrorFlag* error, const Wave& other, std::int32_t begin,
                                         std::int32_t end) const {
    KALVORA_ASSERT(ValidRange(*this, begin, end) && begin < end);
    if (ErrorIsSet(error)) return nullptr;
    auto result = NewWave(error, values);
    if (!result) return nullptr;
    MoveRuns(error, result->wave, wave, begin);
    MoveRuns(error, result->wave + end, wave + end, values - end);
    if (other.values == 0) {
        MoveRuns(error, result->wave + begin, wave + begin, end - begin);
        return result;
    }
    const double span = static_cast<double>(other.values - 1);
    const double divisor = static_cast<double>(end - begin) + 1;
    const RangeReader reader(other, 0, other.values, false);
    ForEachRun(error, 0, end - begin, [&](std::int64_t first, std::int64_t last) {
        for (std::int64_t k = first; k < last; ++k) {
            const double x = static_cast<double>(k) * span / divisor;
            result->wave[begin + k] = ToSample(wave[begin + k] + reader.Interpolated(x));
        }
    });
    return result;
}

Wave sinus;

bool CreateSinus() {
    ErrorFlag error = 0;
    Wave table(&error, kSinusValues);
    if (error) {
        platform::ShowMessage("Could not create sinus.", platform::caption::systemError,
                              platform::MessageIcon::stop);
        return false;
    }
    for (std::int32_t i = 0; i < kSinusValues; ++i) {
        table.wave[i] = ToSample(std::sin(2 * std::numbers::pi * i / kSinusValues) * 32767);
    }
    sinus = std::move(table);
    return true;
}

void ReleaseSinus() {
    sinus = Wave();
}

}  // namespace kalvora
