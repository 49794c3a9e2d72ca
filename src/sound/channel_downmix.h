// How a file of more than two channels becomes stereo: the usual downmix in which the front
// left and right channels go to their side at full level, every other channel at -3 dB
// (centres to both sides, left and right surrounds to their side), the low-frequency channel
// is left out, and the whole is scaled down so that the weights of each side add up to at
// most 1: a mix of full-scale channels cannot clip. Standard C++ only.
#pragma once

#include <vector>

#include "platform/sound_codec.h"

namespace kalvora {

struct StereoWeights {
    float left = 0;
    float right = 0;
};

// The positions a file of that many channels has when it does not name them: the layouts
// most programs assume (3: L R C; 4: L R rear L, rear R; 5: L R C rear L, rear R; 6: 5.1;
// 7: 6.1; 8: 7.1). Beyond eight channels the extra ones are unknown.
std::vector<platform::SpeakerPosition> DefaultPositions(int channels);

// One weight pair per channel. positions: what the file says, or empty (the defaults above).
std::vector<StereoWeights> StereoDownmix(const std::vector<platform::SpeakerPosition>& positions,
                                         int channels);

}  // namespace kalvora
