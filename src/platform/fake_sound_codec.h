// A sound codec for tests: files are entries of a map from name to decoded content, and
// what is encoded is kept in another map. Decoders deliver the stored frames, as 16-bit
// integers or floats, and can be told to stop early with a read error.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/sound_codec.h"

namespace kalvora::platform {

struct FakeSoundFile {
    DecodedSoundInfo info;
    std::vector<float> samples;         // interleaved, full scale -1 .. 1 (narrow files: k / 32768)
    std::int64_t framesDelivered = -1;  // stop after this many frames; -1: all of them
    std::string readError;              // reported when stopping early
};

struct FakeEncodedFile {
    EncodeSettings settings;
    std::vector<std::int16_t> samples;  // interleaved
};

class FakeSoundCodec final : public SoundCodec {
  public:
    std::map<std::string, FakeSoundFile> files;
    std::map<std::string, FakeEncodedFile> written;
    std::string createError;  // when not empty, Create fails with it

    std::unique_ptr<SoundDecoder> Open(const std::filesystem::path& file,
                                       std::string& errorText) override;
    std::unique_ptr<SoundDecoder> OpenBytes(std::span<const std::uint8_t> bytes,
                                            std::string& errorText) override;
    std::unique_ptr<SoundEncoder> Create(const std::filesystem::path& file,
                                         const EncodeSettings& settings,
                                         std::string& errorText) override;
};

}  // namespace kalvora::platform
