// The simple operations of Sound: each channel through the Wave operation of the same name.
#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/assertion.h"
#include "sound/channel_map.h"
#include "sound/sample_memory.h"
#include "sound/sound.h"

namespace kalvora {

std::unique_ptr<Sound> Sound::Scale(ErrorFlag* error, double factor, std::int32_t begin,
                                    std::int32_t end) const {
    return channels::Map(
        error, *this, [&](const Wave& wave, int) { return wave.scale(error, factor, begin, end); });
}

std::unique_ptr<Sound> Sound::ScaleByEnvelope(ErrorFlag* error, const Sound& envelope,
                                              std::int32_t begin, std::int32_t end) const {
    const channels::Matched matched(error, *this, envelope);
    if (!matched) return nullptr;
    return channels::Map(error, *this, [&](const Wave& wave, int c) {
        return wave.scaleByEnvelope(error, matched[c], begin, end);
    });
}

std::unique_ptr<Sound> Sound::Reverse(ErrorFlag* error, std::int32_t begin,
                                      std::int32_t end) const {
    return channels::Map(error, *this,
                         [&](const Wave& wave, int) { return wave.reverse(error, begin, end); });
}

std::unique_ptr<Sound> Sound::MoveVertically(ErrorFlag* error, std::int32_t add, std::int32_t begin,
                                             std::int32_t end) const {
    return channels::Map(error, *this, [&](const Wave& wave, int) {
        return wave.moveVertically(error, add, begin, end);
    });
}

std::unique_ptr<Sound> Sound::NormalizeVertically(ErrorFlag* error, std::int32_t begin,
                                                  std::int32_t end) const {
    return channels::Map(error, *this, [&](const Wave& wave, int) {
        return wave.normalizeVertically(error, begin, end);
    });
}

std::unique_ptr<Sound> Sound::Block(ErrorFlag* error, double blockTime, std::int32_t levels,
                                    std::int32_t begin, std::int32_t end) const {
    const double x = Freq * blockTime;
    return channels::Map(error, *this, [&](const Wave& wave, int) {
        return wave.block(error, x, levels, begin, end);
    });
}

std::unique_ptr<Sound> Sound::Rotate(ErrorFlag* error, double seconds, std::int32_t begin,
                                     std::int32_t end) const {
    // A shift computed from the range's own duration may come out a hair beyond it.
    const double shift =
        std::clamp(std::trunc(Freq * seconds), 0.0, static_cast<double>(end - begin));
    const auto leftShift = static_cast<std::int32_t>(shift);
    return channels::Map(error, *this, [&](const Wave& wave, int) {
        return wave.rotate(error, leftShift, begin, end);
    });
}

std::unique_ptr<Sound> Sound::RollIn(ErrorFlag* error, double length, std::int32_t target,
                                     std::int32_t& begin, std::int32_t& end) const {
    const double n = std::trunc(Freq * length);
    KALVORA_ASSERT(n >= 1 && target >= 0 && target < n);
    if (n > std::numeric_limits<std::int32_t>::max()) {
        ReportAllocationFailure(error);
        return nullptr;
    }
    return channels::MapRange(
        error, *this, begin, end, [&](const Wave& wave, int, std::int32_t& b, std::int32_t& e) {
            return wave.rollIn(error, static_cast<std::int32_t>(n), target, b, e);
        });
}

std::unique_ptr<Sound> Sound::RollOut(ErrorFlag* error, double per, double lengthScale,
                                      double start, std::int32_t& begin, std::int32_t& end) const {
    const double period = Freq * per;
    return channels::MapRange(error, *this, begin, end,
                              [&](const Wave& wave, int, std::int32_t& b, std::int32_t& e) {
                                  return wave.rollOut(error, period, lengthScale, start, b, e);
                              });
}

std::unique_ptr<Sound> Sound::RollOutEnvelope(ErrorFlag* error, const Sound& envelope,
                                              double lengthFactor, double speed, double start,
                                              std::int32_t& begin, std::int32_t& end) const {
    const channels::Matched matched(error, *this, envelope);
    if (!matched) return nullptr;
    return channels::MapRange(
        error, *this, begin, end, [&](const Wave& wave, int c, std::int32_t& b, std::int32_t& e) {
            return wave.rollOutEnvelope(error, matched[c], lengthFactor, speed, start, b, e);
        });
}

std::unique_ptr<Sound> Sound::Length(ErrorFlag* error, double factor, std::int32_t& begin,
                                     std::int32_t& end) const {
    return channels::MapRange(error, *this, begin, end,
                              [&](const Wave& wave, int, std::int32_t& b, std::int32_t& e) {
                                  return wave.resamplePart(error, factor, b, e);
                              });
}

std::unique_ptr<Sound> Sound::Distort(ErrorFlag* error, const Sound& curve, std::int32_t begin,
                                      std::int32_t end) const {
    const channels::Matched matched(error, *this, curve);
    if (!matched) return nullptr;
    return channels::Map(error, *this, [&](const Wave& wave, int c) {
        return wave.distort(error, matched[c], begin, end);
    });
}

}  // namespace kalvora
