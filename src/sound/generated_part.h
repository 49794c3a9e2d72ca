// Building blocks of the generators: a new wave made of a wave's head, n generated samples
// and its tail, and a new sound whose channels share one generated part. Internal to the
// sound engine; standard C++ only.
#pragma once

#include <cstdint>
#include <limits>
#include <memory>

#include "platform/assertion.h"
#include "sound/error_flag.h"
#include "sound/sample_memory.h"
#include "sound/sound.h"
#include "sound/wave.h"

namespace kalvora::generated {

// A new wave of wave.values - (end - begin) + n samples: the head before begin, room for n
// samples at begin, the tail from end. nullptr (flag set) when it cannot be made.
inline std::unique_ptr<Wave> HeadRoomTail(ErrorFlag* error, const Wave& wave, std::int32_t begin,
                                          std::int32_t end, std::int64_t n) {
    KALVORA_ASSERT(0 <= begin && begin <= end && end <= wave.values && n >= 0);
    if (ErrorIsSet(error)) return nullptr;
    const std::int64_t total = std::int64_t{wave.values} - (end - begin) + n;
    if (total > std::numeric_limits<std::int32_t>::max()) {
        ReportAllocationFailure(error);
        return nullptr;
    }
    auto result = std::make_unique<Wave>(error, static_cast<std::int32_t>(total));
    if (ErrorIsSet(error)) return nullptr;
    result->copyPart(error, wave, 0, begin, 0);
    result->copyPart(error, wave, end, wave.values, static_cast<std::int32_t>(begin + n));
    return result;
}

// A new wave: head, n samples written by fill(target, first, last) for consecutive runs
// first .. last of 0 .. n (target points at the generated part), tail. end = begin + n.
template <class Fill>
std::unique_ptr<Wave> Generate(ErrorFlag* error, const Wave& wave, std::int32_t& begin,
                               std::int32_t& end, std::int32_t n, Fill&& fill) {
    auto result = HeadRoomTail(error, wave, begin, end, n);
    if (!result) return nullptr;
    std::int16_t* target = result->wave + begin;
    ForEachRun(error, 0, n,
               [&](std::int64_t first, std::int64_t last) { fill(target, first, last); });
    end = begin + n;
    return result;
}

// A new sound of sound's kind and format adopting the waves (one per channel).
inline std::unique_ptr<Sound> SoundOf(const Sound& sound, ChannelWaves waves) {
    if (sound.MoSt == 1) {
        return std::make_unique<MonoSound>(std::move(*waves[0]), sound.Freq, sound.BytesPSample);
    }
    return std::make_unique<StereoSound>(std::move(*waves[0]), std::move(*waves[1]), sound.Freq,
                                         sound.BytesPSample);
}

// A new sound: the first channel made by makeFirst(wave, begin, end) (a wave operation that
// replaces begin .. end and sets end), the right channel of a stereo sound given the same
// generated samples by copy. begin and end as the wave operation leaves them.
template <class MakeFirst>
std::unique_ptr<Sound> SameInEveryChannel(ErrorFlag* error, const Sound& sound, std::int32_t& begin,
                                          std::int32_t& end, MakeFirst&& makeFirst) {
    if (ErrorIsSet(error)) return nullptr;
    const std::int32_t oldEnd = end;
    ChannelWaves waves;
    waves[0] = makeFirst(sound.GetLeftWave(), begin, end);
    if (!waves[0] || ErrorIsSet(error)) return nullptr;
    if (sound.MoSt == 2) {
        const Wave& right = sound.GetRightWave();
        waves[1] = HeadRoomTail(error, right, begin, oldEnd, end - begin);
        if (!waves[1]) return nullptr;
        waves[1]->copyPart(error, *waves[0], begin, end, begin);
        if (ErrorIsSet(error)) return nullptr;
    }
    return SoundOf(sound, std::move(waves));
}

// A new sound whose channels are made one by one by makeChannel(wave, channel, begin, end).
template <class MakeChannel>
std::unique_ptr<Sound> EachChannel(ErrorFlag* error, const Sound& sound, std::int32_t& begin,
                                   std::int32_t& end, MakeChannel&& makeChannel) {
    if (ErrorIsSet(error)) return nullptr;
    ChannelWaves waves;
    std::int32_t newEnd = end;
    for (int c = 0; c < sound.MoSt; ++c) {
        newEnd = end;
        const Wave& wave = c == 0 ? sound.GetLeftWave() : sound.GetRightWave();
        waves[c] = makeChannel(wave, c, begin, newEnd);
        if (!waves[c] || ErrorIsSet(error)) return nullptr;
    }
    end = newEnd;
    return SoundOf(sound, std::move(waves));
}

// n = trunc(count) as a sample count, or -1 (flag set, message shown) when it cannot be
// held in a wave. Requires count >= 0 (NaN counts as too large).
inline std::int32_t SampleCount(ErrorFlag* error, double count) {
    if (!(count < 2147483648.0)) {
        ReportAllocationFailure(error);
        return -1;
    }
    KALVORA_ASSERT(count >= 0);
    return static_cast<std::int32_t>(count);
}

}  // namespace kalvora::generated
