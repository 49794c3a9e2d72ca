// Import: any sound file the codec reads becomes a 16-bit mono or stereo sound at the file's
// rate. Samples of 16 bits or less are taken exactly; wider ones (24 and 32 bits, floating
// point, lossy codecs) are rounded to 16 bits with TPDF dither, and values beyond full scale
// are clipped and counted. Files of more than two channels are mixed down to stereo
// (channel_downmix.h). Standard C++ and the codec interface only.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "platform/sound_codec.h"
#include "sound/sound.h"

namespace kalvora {

namespace importText {
inline constexpr std::string_view tooLong =
    "The sound is too long: a wave holds at most 2147483647 samples per channel.";
inline constexpr std::string_view badFormat = "The file states no usable rate or channel count.";
inline constexpr std::string_view damaged = "The sound data are damaged: ";
}  // namespace importText

struct ImportResult {
    std::unique_ptr<Sound> sound;
    std::int64_t clippedSamples = 0;  // samples beyond full scale, held at the limit
    int fileChannels = 0;             // more than 2: the sound is a stereo downmix
    bool dithered = false;            // the file had more than 16 bits
    std::string formatName;           // as the codec names the file's format
};

struct ImportLimits {
    // The most samples per channel allocated before they are decoded: a file stating a
    // longer sound grows its waves as the samples arrive instead.
    std::int64_t framesUpFront = 0x7FFFFFFF;
    // The most samples per channel accepted (what a wave holds); longer sounds are refused.
    std::int64_t mostFrames = 0x7FFFFFFF;
};

// Reads the whole of an opened file. False with a reason in errorText (the sound is then
// not made); an allocation failure has shown its own message too.
bool ImportSound(platform::SoundDecoder& decoder, ImportResult& result, std::string& errorText,
                 const ImportLimits& limits = {});

// Opens and reads a file.
bool ImportSoundFile(platform::SoundCodec& codec, const std::filesystem::path& file,
                     ImportResult& result, std::string& errorText);

// The text that tells the user about clipped samples, or empty when none were clipped.
std::string ClippedSamplesText(std::int64_t clippedSamples);

}  // namespace kalvora
