// Channel by channel: the helpers with which the sound operation families outside sound.cpp
// apply Wave operations to each channel of a sound and wrap the results in a new sound of
// the same kind and format. They use only the public interface of Sound. Internal to the
// sound engine; standard C++ only.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <utility>

#include "platform/assertion.h"
#include "sound/sound.h"

namespace kalvora::channels {

// The number of channels: 1 for a mono sound, 2 for a stereo one.
inline int Count(const Sound& sound) {
    return sound.MoSt == 1 ? 1 : 2;
}

// Channel c of sound: the mono wave, or the left (0) and right (1) waves.
inline const Wave& Of(const Sound& sound, int c) {
    return c == 0 ? sound.GetLeftWave() : sound.GetRightWave();
}

// A new sound of like's kind, Freq and BytesPSample adopting the waves (one per channel, of
// equal length).
inline std::unique_ptr<Sound> Adopt(const Sound& like, ChannelWaves waves) {
    if (like.MoSt == 1) {
        return std::make_unique<MonoSound>(std::move(*waves[0]), like.Freq, like.BytesPSample);
    }
    return std::make_unique<StereoSound>(std::move(*waves[0]), std::move(*waves[1]), like.Freq,
                                         like.BytesPSample);
}

// A new sound whose channel c is make(Of(sound, c), c); nullptr when a channel could not be
// made or the flag is set.
template <class Make>
std::unique_ptr<Sound> Map(ErrorFlag* error, const Sound& sound, Make&& make) {
    if (ErrorIsSet(error)) return nullptr;
    ChannelWaves waves;
    for (int c = 0; c < Count(sound); ++c) {
        waves[c] = make(Of(sound, c), c);
        if (!waves[c] || ErrorIsSet(error)) return nullptr;
    }
    return Adopt(sound, std::move(waves));
}

// As Map for operations that replace the range by material of another length: each channel
// gets its own copies of begin and end, and all channels must report the same new range,
// which is stored in begin and end.
template <class Make>
std::unique_ptr<Sound> MapRange(ErrorFlag* error, const Sound& sound, std::int32_t& begin,
                                std::int32_t& end, Make&& make) {
    std::int32_t madeBegin = begin;
    std::int32_t madeEnd = end;
    auto result = Map(error, sound, [&](const Wave& wave, int c) {
        std::int32_t channelBegin = begin;
        std::int32_t channelEnd = end;
        auto made = make(wave, c, channelBegin, channelEnd);
        if (c > 0) KALVORA_ASSERT(channelBegin == madeBegin && channelEnd == madeEnd);
        madeBegin = channelBegin;
        madeEnd = channelEnd;
        return made;
    });
    if (result) {
        begin = madeBegin;
        end = madeEnd;
    }
    return result;
}

// The waves of other that feed the channels of sound, not resampled: a mono sound uses
// other's mono wave (a stereo other averaged), a stereo sound other's left and right waves
// (a mono other feeds both).
class Matched {
  public:
    Matched(ErrorFlag* error, const Sound& sound, const Sound& other) {
        if (ErrorIsSet(error)) return;
        if (sound.MoSt == 1) {
            waves_[0] = other.GetMonoWave(error);
        } else {
            waves_[0] = ChannelWave::Borrowed(other.GetLeftWave());
            waves_[1] = ChannelWave::Borrowed(other.GetRightWave());
        }
        ok_ = waves_[0] && !ErrorIsSet(error);
    }

    explicit operator bool() const { return ok_; }
    const Wave& operator[](int c) const { return *waves_[c]; }

  private:
    std::array<ChannelWave, 2> waves_;
    bool ok_ = false;
};

}  // namespace kalvora::channels
