// Building a player's sound channel by channel: the result has the sample's kind (mono or
// stereo), rate and width. Standard C++ only.
#pragma once

#include <memory>

#include "sound/sound.h"

namespace kalvora {

// makeChannel(const Wave& sampleChannel) returns the new channel or null; channels of a
// stereo sample must come out equally long. Null when a channel could not be made.
template <class MakeChannel>
std::unique_ptr<Sound> SoundFromChannels(const Sound& sample, ErrorFlag* error,
                                         MakeChannel&& makeChannel) {
    if (ErrorIsSet(error)) return nullptr;
    std::unique_ptr<Wave> left = makeChannel(sample.GetLeftWave());
    if (left == nullptr || ErrorIsSet(error)) return nullptr;
    if (sample.MoSt == 1) {
        return std::make_unique<MonoSound>(std::move(*left), sample.Freq, sample.BytesPSample);
    }
    std::unique_ptr<Wave> right = makeChannel(sample.GetRightWave());
    if (right == nullptr || ErrorIsSet(error)) return nullptr;
    return std::make_unique<StereoSound>(std::move(*left), std::move(*right), sample.Freq,
                                         sample.BytesPSample);
}

}  // namespace kalvora
