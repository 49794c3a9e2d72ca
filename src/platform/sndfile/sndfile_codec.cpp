#include "platform/sndfile/sndfile_codec.h"

#include <sndfile.h>
#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/replacing_file.h"

namespace kalvora::platform {
namespace {

// Sample encodings that decode to at most 16 bits: read as 16-bit integers, they come out
// exactly. Every other encoding is read as floats.
bool IsNarrow(int subtype) {
    switch (subtype) {
        case SF_FORMAT_PCM_S8:
        case SF_FORMAT_PCM_U8:
        case SF_FORMAT_PCM_16:
        case SF_FORMAT_ULAW:
        case SF_FORMAT_ALAW:
        case SF_FORMAT_IMA_ADPCM:
        case SF_FORMAT_MS_ADPCM:
        case SF_FORMAT_GSM610:
        case SF_FORMAT_VOX_ADPCM:
        case SF_FORMAT_DWVW_12:
        case SF_FORMAT_DWVW_16:
        case SF_FORMAT_DPCM_8:
        case SF_FORMAT_DPCM_16:
        case SF_FORMAT_ALAC_16:
            return true;
        default:
            return false;
    }
}

SpeakerPosition PositionOf(int channel) {
    switch (channel) {
        case SF_CHANNEL_MAP_MONO:
            return SpeakerPosition::mono;
        case SF_CHANNEL_MAP_LEFT:
        case SF_CHANNEL_MAP_FRONT_LEFT:
            return SpeakerPosition::frontLeft;
        case SF_CHANNEL_MAP_RIGHT:
        case SF_CHANNEL_MAP_FRONT_RIGHT:
            return SpeakerPosition::frontRight;
        case SF_CHANNEL_MAP_CENTER:
        case SF_CHANNEL_MAP_FRONT_CENTER:
            return SpeakerPosition::frontCentre;
        case SF_CHANNEL_MAP_LFE:
            return SpeakerPosition::lowFrequency;
        case SF_CHANNEL_MAP_REAR_LEFT:
            return SpeakerPosition::rearLeft;
        case SF_CHANNEL_MAP_REAR_RIGHT:
            return SpeakerPosition::rearRight;
        case SF_CHANNEL_MAP_REAR_CENTER:
            return SpeakerPosition::rearCentre;
        case SF_CHANNEL_MAP_SIDE_LEFT:
            return SpeakerPosition::sideLeft;
        case SF_CHANNEL_MAP_SIDE_RIGHT:
            return SpeakerPosition::sideRight;
        case SF_CHANNEL_MAP_FRONT_LEFT_OF_CENTER:
            return SpeakerPosition::frontLeftOfCentre;
        case SF_CHANNEL_MAP_FRONT_RIGHT_OF_CENTER:
            return SpeakerPosition::frontRightOfCentre;
        case SF_CHANNEL_MAP_TOP_CENTER:
        case SF_CHANNEL_MAP_TOP_FRONT_CENTER:
        case SF_CHANNEL_MAP_TOP_REAR_CENTER:
            return SpeakerPosition::topCentre;
        case SF_CHANNEL_MAP_TOP_FRONT_LEFT:
        case SF_CHANNEL_MAP_TOP_REAR_LEFT:
            return SpeakerPosition::topLeft;
        case SF_CHANNEL_MAP_TOP_FRONT_RIGHT:
        case SF_CHANNEL_MAP_TOP_REAR_RIGHT:
            return SpeakerPosition::topRight;
        default:
            return SpeakerPosition::unknown;
    }
}

std::string FormatName(int format) {
    std::string name;
    for (int part : {format & SF_FORMAT_TYPEMASK, format & SF_FORMAT_SUBMASK}) {
        SF_FORMAT_INFO info{};
        info.format = part;
        if (sf_command(nullptr, SFC_GET_FORMAT_INFO, &info, sizeof(info)) != 0 ||
            info.name == nullptr) {
            continue;
        }
        if (!name.empty()) name += ", ";
        name += info.name;
    }
    return name;
}

// Bytes in memory seen as a file by the library.
struct MemoryFile {
    std::span<const std::uint8_t> bytes;
    sf_count_t position = 0;

    static sf_count_t Length(void* self) {
        return static_cast<sf_count_t>(static_cast<MemoryFile*>(self)->bytes.size());
    }
    static sf_count_t Seek(sf_count_t offset, int whence, void* self) {
        auto& file = *static_cast<MemoryFile*>(self);
        const auto size = static_cast<sf_count_t>(file.bytes.size());
        sf_count_t base = whence == SEEK_CUR ? file.position : whence == SEEK_END ? size : 0;
        if (offset > 0 && base > INT64_MAX - offset) return -1;
        const sf_count_t target = base + offset;
        if (target < 0) return -1;
        file.position = target;
        return target;
    }
    static sf_count_t Read(void* data, sf_count_t count, void* self) {
        auto& file = *static_cast<MemoryFile*>(self);
        const auto size = static_cast<sf_count_t>(file.bytes.size());
        if (count <= 0 || file.position >= size) return 0;
        const sf_count_t n = std::min(count, size - file.position);
        std::memcpy(data, file.bytes.data() + file.position, static_cast<std::size_t>(n));
        file.position += n;
        return n;
    }
    static sf_count_t Write(const void*, sf_count_t, void*) { return 0; }
    static sf_count_t Tell(void* self) { return static_cast<MemoryFile*>(self)->position; }
};

class SndfileDecoder final : public SoundDecoder {
  public:
    SndfileDecoder(SNDFILE* file, const SF_INFO& info, std::unique_ptr<MemoryFile> memory)
        : file_(file), memory_(std::move(memory)) {
        info_.frames = info.frames;
        info_.channels = info.channels;
        info_.rate = info.samplerate;
        info_.wide = !IsNarrow(info.format & SF_FORMAT_SUBMASK);
        info_.formatName = FormatName(info.format);
        std::vector<int> map(static_cast<std::size_t>(info.channels));
        if (sf_command(file_, SFC_GET_CHANNEL_MAP_INFO, map.data(),
                       static_cast<int>(map.size() * sizeof(int))) == SF_TRUE) {
            for (int channel : map)
                info_.positions.push_back(PositionOf(channel));
        }
        // Floating-point files keep values beyond full scale, so that the import can count
        // what it has to clip.
        sf_command(file_, SFC_SET_NORM_FLOAT, nullptr, SF_TRUE);
    }
    ~SndfileDecoder() override { sf_close(file_); }
    SndfileDecoder(const SndfileDecoder&) = delete;
    SndfileDecoder& operator=(const SndfileDecoder&) = delete;

    const DecodedSoundInfo& Info() const override { return info_; }

    std::int64_t ReadShorts(std::int16_t* data, std::int64_t frames) override {
        return Finish(sf_readf_short(file_, data, frames), frames);
    }
    std::int64_t ReadFloats(float* data, std::int64_t frames) override {
        return Finish(sf_readf_float(file_, data, frames), frames);
    }
    std::string ReadError() const override { return readError_; }

  private:
    std::int64_t Finish(sf_count_t read, std::int64_t wanted) {
        if (read < 0) read = 0;
        if (read < wanted && sf_error(file_) != SF_ERR_NO_ERROR) readError_ = sf_strerror(file_);
        return read;
    }

    SNDFILE* file_;
    std::unique_ptr<MemoryFile> memory_;
    DecodedSoundInfo info_;
    std::string readError_;
};

std::unique_ptr<SoundDecoder> Opened(SNDFILE* file, const SF_INFO& info,
                                     std::unique_ptr<MemoryFile> memory, std::string& errorText) {
    if (file == nullptr) {
        errorText = sf_strerror(nullptr);
        return nullptr;
    }
    if (info.channels <= 0 || info.samplerate <= 0 || info.frames < 0) {
        sf_close(file);
        errorText = "The file holds no usable sound.";
        return nullptr;
    }
    return std::make_unique<SndfileDecoder>(file, info, std::move(memory));
}

// Writes into the temporary file of a ReplacingFile, which the library may seek in.
class SndfileEncoder final : public SoundEncoder {
  public:
    bool Open(const std::filesystem::path& target, const EncodeSettings& settings,
              std::string& errorText) {
        SF_INFO info{};
        info.samplerate = settings.rate;
        info.channels = settings.channels;
        const int depth = settings.bits == 24 ? SF_FORMAT_PCM_24 : SF_FORMAT_PCM_16;
        switch (settings.format) {
            case EncodedFormat::wav:
                info.format = SF_FORMAT_WAV | depth;
                break;
            case EncodedFormat::flac:
                info.format = SF_FORMAT_FLAC | depth;
                break;
            case EncodedFormat::oggVorbis:
                info.format = SF_FORMAT_OGG | SF_FORMAT_VORBIS;
                break;
        }
        if (!sf_format_check(&info)) {
            errorText = "This format cannot hold the sound.";
            return false;
        }
        if (!file_.Open(target)) {
            errorText = file_.ErrorText();
            return false;
        }
        SF_VIRTUAL_IO io{&Length, &Seek, &Read, &Write, &Tell};
        sound_ = sf_open_virtual(&io, SFM_WRITE, &info, this);
        if (sound_ == nullptr) {
            errorText = sf_strerror(nullptr);
            return false;
        }
        if (settings.format == EncodedFormat::oggVorbis) {
            double quality = std::clamp(settings.quality, 0.0, 10.0) / 10.0;
            sf_command(sound_, SFC_SET_VBR_ENCODING_QUALITY, &quality, sizeof(quality));
        }
        return true;
    }
    ~SndfileEncoder() override {
        if (sound_ != nullptr) sf_close(sound_);
    }

    bool WriteShorts(const std::int16_t* data, std::int64_t frames) override {
        if (sound_ == nullptr) return false;
        if (sf_writef_short(sound_, data, frames) != frames && error_.empty())
            error_ = sf_strerror(sound_);
        return error_.empty() && !failed_;
    }

    bool Finish() override {
        if (sound_ == nullptr) return false;
        const int closed = sf_close(sound_);
        sound_ = nullptr;
        if (closed != 0 && error_.empty()) error_ = sf_error_number(closed);
        if (failed_ && error_.empty()) error_ = "cannot write the file: " + systemError_;
        if (!error_.empty()) return false;
        if (!file_.Commit()) {
            error_ = file_.ErrorText();
            return false;
        }
        return true;
    }
    std::string ErrorText() const override {
        return !error_.empty() ? error_ : failed_ ? systemError_ : std::string();
    }

  private:
    static SndfileEncoder& Self(void* self) { return *static_cast<SndfileEncoder*>(self); }
    std::FILE* Stream() const { return file_.Stream(); }

    static sf_count_t Length(void* self) {
        // Bytes still in the stream's buffer count too.
        std::fflush(Self(self).Stream());
        struct stat status {};
        if (fstat(fileno(Self(self).Stream()), &status) != 0) return -1;
        return status.st_size;
    }
    static sf_count_t Seek(sf_count_t offset, int whence, void* self) {
        if (fseeko(Self(self).Stream(), offset, whence) != 0) return -1;
        return ftello(Self(self).Stream());
    }
    static sf_count_t Read(void* data, sf_count_t count, void* self) {
        return static_cast<sf_count_t>(
            std::fread(data, 1, static_cast<std::size_t>(count), Self(self).Stream()));
    }
    static sf_count_t Write(const void* data, sf_count_t count, void* self) {
        SndfileEncoder& encoder = Self(self);
        const std::size_t written =
            std::fwrite(data, 1, static_cast<std::size_t>(count), encoder.Stream());
        if (written != static_cast<std::size_t>(count) && !encoder.failed_) {
            encoder.failed_ = true;
            encoder.systemError_ = std::strerror(errno);
        }
        return static_cast<sf_count_t>(written);
    }
    static sf_count_t Tell(void* self) { return ftello(Self(self).Stream()); }

    ReplacingFile file_;
    SNDFILE* sound_ = nullptr;
    bool failed_ = false;
    std::string systemError_;
    std::string error_;
};

}  // namespace

std::unique_ptr<SoundDecoder> SndfileCodec::Open(const std::filesystem::path& file,
                                                 std::string& errorText) {
    struct stat status {};
    if (stat(file.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) {
        errorText = "Cannot open File.";
        return nullptr;
    }
    SF_INFO info{};
    SNDFILE* sound = sf_open(file.c_str(), SFM_READ, &info);
    return Opened(sound, info, nullptr, errorText);
}

std::unique_ptr<SoundDecoder> SndfileCodec::OpenBytes(std::span<const std::uint8_t> bytes,
                                                      std::string& errorText) {
    auto memory = std::make_unique<MemoryFile>();
    memory->bytes = bytes;
    SF_VIRTUAL_IO io{&MemoryFile::Length, &MemoryFile::Seek, &MemoryFile::Read, &MemoryFile::Write,
                     &MemoryFile::Tell};
    SF_INFO info{};
    SNDFILE* sound = sf_open_virtual(&io, SFM_READ, &info, memory.get());
    return Opened(sound, info, std::move(memory), errorText);
}

std::unique_ptr<SoundEncoder> SndfileCodec::Create(const std::filesystem::path& file,
                                                   const EncodeSettings& settings,
                                                   std::string& errorText) {
    auto encoder = std::make_unique<SndfileEncoder>();
    if (!encoder->Open(file, settings, errorText)) return nullptr;
    return encoder;
}

}  // namespace kalvora::platform
