// The sound file codec over libsndfile: reads every WAV variant, FLAC, Ogg (Vorbis, Opus),
// MP3 and the other formats the library knows; writes WAV, FLAC and Ogg Vorbis.
#pragma once

#include "platform/sound_codec.h"

namespace kalvora::platform {

class SndfileCodec final : public SoundCodec {
  public:
    std::unique_ptr<SoundDecoder> Open(const std::filesystem::path& file,
                                       std::string& errorText) override;
    std::unique_ptr<SoundDecoder> OpenBytes(std::span<const std::uint8_t> bytes,
                                            std::string& errorText) override;
    std::unique_ptr<SoundEncoder> Create(const std::filesystem::path& file,
                                         const EncodeSettings& settings,
                                         std::string& errorText) override;
};

}  // namespace kalvora::platform
