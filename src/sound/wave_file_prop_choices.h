// The choices of the "Wave Properties" dialog, which edits the format of a new or changed wave
// (waveFileProps): the sample width, the sample frequency from a list and mono or stereo. The
// dialog only edits the record; what a document does with it is the document's business.
// Standard C++ only.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "sound/sound.h"

namespace kalvora {

inline constexpr std::string_view kWaveFilePropCaption = "Wave Properties";
inline constexpr std::string_view kWaveValuesLabel = "Wave Values";
inline constexpr std::string_view kEightBitsLabel = "8 Bits";
inline constexpr std::string_view kSixteenBitsLabel = "16 Bits";
inline constexpr std::string_view kSampleFrequencyLabel = "Sample Frequency:";
inline constexpr std::string_view kMonoLabel = "Mono";
inline constexpr std::string_view kStereoLabel = "Stereo";

// A new wave starts as 44100 Hz, stereo, 16 bits.
inline constexpr waveFileProps kNewWaveProps{44100, 2, 2};

struct TSampleFrequencyChoice {
    int rate = 0;      // samples per second
    std::string text;  // "44 kHz"
};

// The standard entries of the list: "5 kHz" 5512, "11 kHz" 11025, "22 kHz" 22050, "44 kHz"
// 44100, "88 kHz" 88200, "176 kHz" 176128.
const std::array<TSampleFrequencyChoice, 6>& StandardSampleFrequencies();

// The entries the list shows for a wave of rate current: the standard ones, and, when current
// is none of them, one more entry "<current> Hz" in rate order, so that a wave of 48000 Hz
// keeps its rate unless the user picks another entry.
std::vector<TSampleFrequencyChoice> SampleFrequencyChoices(int current);

// The index of rate among choices; -1 when it is not there.
int SampleFrequencyIndex(const std::vector<TSampleFrequencyChoice>& choices, int rate);

}  // namespace kalvora
