// What the core needs from a library that reads and writes the sound files other programs
// make (WAV in all its variants, FLAC, Ogg, MP3): a decoder that hands out interleaved
// frames, and an encoder that takes them. The core's own WAV reader and writer stay as they
// are; this is the road of Import and Export. Standard C++ only; the implementation over
// libsndfile lives in platform/sndfile.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace kalvora::platform {

// Where a channel of a file is meant to be heard, as far as the file says.
enum class SpeakerPosition : std::uint8_t {
    unknown,
    mono,
    frontLeft,
    frontRight,
    frontCentre,
    lowFrequency,
    rearLeft,
    rearRight,
    rearCentre,
    sideLeft,
    sideRight,
    frontLeftOfCentre,
    frontRightOfCentre,
    topCentre,
    topLeft,
    topRight,
};

struct DecodedSoundInfo {
    std::int64_t frames = 0;  // as the file states it; the decoder may deliver fewer
    int channels = 0;
    int rate = 0;
    // The samples carry more than 16 bits: wider integers, floating point, or a lossy codec
    // whose decoder works in floating point. Such samples are read as floats.
    bool wide = false;
    // One per channel when the file names them, else empty.
    std::vector<SpeakerPosition> positions;
    std::string formatName;  // "FLAC, 24 bits", for messages and the info verb
};

// An opened sound file. Reads deliver interleaved frames in file order.
class SoundDecoder {
  public:
    virtual ~SoundDecoder() = default;
    virtual const DecodedSoundInfo& Info() const = 0;
    // Up to frames frames as 16-bit integers (exact for files of 16 bits or less); the number
    // read, 0 at the end or on a decoding error.
    virtual std::int64_t ReadShorts(std::int16_t* data, std::int64_t frames) = 0;
    // Up to frames frames as floats, full scale being -1 .. 1 (values beyond it are kept).
    virtual std::int64_t ReadFloats(float* data, std::int64_t frames) = 0;
    // Why the last read stopped early, or empty when it reached the end normally.
    virtual std::string ReadError() const = 0;
};

enum class EncodedFormat : std::uint8_t { wav, flac, oggVorbis };

struct EncodeSettings {
    EncodedFormat format = EncodedFormat::wav;
    int bits = 16;         // wav and flac: 16 or 24
    double quality = 5.0;  // ogg: 0 (smallest) .. 10 (best)
    int channels = 2;
    int rate = 44100;
};

// A file being written. Nothing appears under the target name until Finish succeeds; an
// encoder destroyed without it leaves the target as it was.
class SoundEncoder {
  public:
    virtual ~SoundEncoder() = default;
    // Appends interleaved 16-bit frames; false when they could not be written.
    virtual bool WriteShorts(const std::int16_t* data, std::int64_t frames) = 0;
    virtual bool Finish() = 0;
    // Why the last write or Finish failed.
    virtual std::string ErrorText() const = 0;
};

class SoundCodec {
  public:
    virtual ~SoundCodec() = default;
    // nullptr with a reason in errorText when the file is not a sound the library reads.
    virtual std::unique_ptr<SoundDecoder> Open(const std::filesystem::path& file,
                                               std::string& errorText) = 0;
    // The same over bytes in memory, which must outlive the decoder.
    virtual std::unique_ptr<SoundDecoder> OpenBytes(std::span<const std::uint8_t> bytes,
                                                    std::string& errorText) = 0;
    virtual std::unique_ptr<SoundEncoder> Create(const std::filesystem::path& file,
                                                 const EncodeSettings& settings,
                                                 std::string& errorText) = 0;
};

}  // namespace kalvora::platform
