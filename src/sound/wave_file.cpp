#include "sound/wave_file.h"

#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstdio>
#include <cstring>
#include <limits>

#include "platform/assertion.h"
#include "platform/messages.h"
#include "platform/replacing_file.h"
#include "sound/sample_memory.h"
#include "sound/wave_kernels.h"

// Samples are held and stored little-endian: the 16-bit data are copied as they are.
static_assert(std::endian::native == std::endian::little);

namespace kalvora {
namespace {

// Samples are moved between the file and the waves through a buffer of this many bytes.
constexpr std::size_t kBufferBytes = 1 << 16;

// Where the reader takes its bytes from: a file or memory. Reading past the end yields
// fewer bytes; Remaining says how many are left.
class ByteSource {
  public:
    virtual ~ByteSource() = default;
    virtual std::size_t Read(void* data, std::size_t size) = 0;
    virtual void Skip(std::uint64_t size) = 0;
    virtual std::uint64_t Remaining() const = 0;
};

class FileSource final : public ByteSource {
  public:
    FileSource(std::FILE* file, std::uint64_t size) : file_(file), remaining_(size) {}
    ~FileSource() override { std::fclose(file_); }
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;

    std::size_t Read(void* data, std::size_t size) override {
        const std::size_t read = std::fread(data, 1, size, file_);
        remaining_ -= std::min<std::uint64_t>(read, remaining_);
        return read;
    }
    void Skip(std::uint64_t size) override {
        size = std::min(size, remaining_);
        if (std::fseek(file_, static_cast<long>(size), SEEK_CUR) == 0) {
            remaining_ -= size;
        } else {
            remaining_ = 0;
        }
    }
    std::uint64_t Remaining() const override { return remaining_; }

  private:
    std::FILE* file_;
    std::uint64_t remaining_;
};

class MemorySource final : public ByteSource {
  public:
    explicit MemorySource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::size_t Read(void* data, std::size_t size) override {
        size = std::min(size, bytes_.size());
        if (size != 0) std::memcpy(data, bytes_.data(), size);
        bytes_ = bytes_.subspan(size);
        return size;
    }
    void Skip(std::uint64_t size) override {
        bytes_ =
            bytes_.subspan(static_cast<std::size_t>(std::min<std::uint64_t>(size, bytes_.size())));
    }
    std::uint64_t Remaining() const override { return bytes_.size(); }

  private:
    std::span<const std::uint8_t> bytes_;
};

// Header fields; bytes missing at the end of the file read as zeros.
std::uint32_t ReadUnsigned(ByteSource& in, std::size_t size) {
    std::array<std::uint8_t, 4> bytes{};
    in.Read(bytes.data(), size);
    std::uint32_t value = 0;
    for (std::size_t i = size; i-- > 0;)
        value = (value << 8) | bytes[i];
    return value;
}

bool ReadTag(ByteSource& in, std::string_view expected) {
    std::array<char, 8> tag{};
    in.Read(tag.data(), expected.size());
    return std::string_view(tag.data(), expected.size()) == expected;
}

// Reads count bytes in full; what the source does not hold any more becomes zeros.
void ReadFully(ByteSource& in, void* data, std::size_t count) {
    const std::size_t read = in.Read(data, count);
    if (read < count) std::memset(static_cast<std::uint8_t*>(data) + read, 0, count - read);
}

struct Format {
    std::int16_t channels;
    std::int32_t rate;
    std::int16_t bytesPerSample;
};

// Reads frames into the waves (one per channel), through the buffer except for 16-bit mono,
// which goes straight into its wave.
void ReadSamples(ByteSource& in, const Format& format, std::int32_t frames, Wave* waves) {
    const std::int32_t frameBytes = format.channels * format.bytesPerSample;
    if (format.channels == 1 && format.bytesPerSample == 2) {
        ReadFully(in, waves[0].wave, static_cast<std::size_t>(frames) * 2);
        return;
    }
    auto buffer = std::make_unique<std::uint8_t[]>(kBufferBytes);
    const std::int32_t framesPerBlock = static_cast<std::int32_t>(kBufferBytes) / frameBytes;
    for (std::int32_t first = 0; first < frames; first += framesPerBlock) {
        const std::int32_t count = std::min(framesPerBlock, frames - first);
        ReadFully(in, buffer.get(), static_cast<std::size_t>(count) * frameBytes);
        if (format.channels == 1) {
            kernels::BytesToSamples(buffer.get(), waves[0].wave + first, count);
        } else if (format.bytesPerSample == 1) {
            kernels::DeinterleaveBytes(buffer.get(), waves[0].wave + first, waves[1].wave + first,
                                       count);
        } else {
            kernels::Deinterleave(reinterpret_cast<const std::int16_t*>(buffer.get()),
                                  waves[0].wave + first, waves[1].wave + first, count);
        }
    }
}

bool Fail(std::string_view text, std::string& errorText) {
    errorText = text;
    return false;
}

bool ReadWave(ByteSource& in, std::unique_ptr<Sound>& sound, std::string& errorText) {
    if (!ReadTag(in, "RIFF")) return Fail(waveFileText::noRiff, errorText);
    in.Skip(4);
    if (!ReadTag(in, "WAVEfmt ")) return Fail(waveFileText::noWaveFmt, errorText);
    const std::uint32_t fmtSize = ReadUnsigned(in, 4);
    if (fmtSize < 16) return Fail(waveFileText::chunkTooSmall, errorText);
    if (ReadUnsigned(in, 2) != 1) return Fail(waveFileText::notPcm, errorText);
    const std::uint32_t channels = ReadUnsigned(in, 2);
    if (channels < 1 || channels > 2) return Fail(waveFileText::badChannels, errorText);
    const auto rate = static_cast<std::int32_t>(ReadUnsigned(in, 4));
    in.Skip(6);
    const std::uint32_t bits = ReadUnsigned(in, 2);
    if (rate <= 0) return Fail(waveFileText::badRate, errorText);
    if (bits != 8 && bits != 16) return Fail(waveFileText::badBits, errorText);
    in.Skip(fmtSize - 16);

    std::uint32_t chunk = ReadUnsigned(in, 4);
    constexpr std::uint32_t fact = 0x74636166;  // "fact"
    constexpr std::uint32_t data = 0x61746164;  // "data"
    if (chunk == fact) {
        in.Skip(8);  // its size and its one value
        chunk = ReadUnsigned(in, 4);
    }
    if (chunk != data) return Fail(waveFileText::noData, errorText);
    const std::uint32_t claimed = ReadUnsigned(in, 4);

    const Format format{static_cast<std::int16_t>(channels), rate,
                        static_cast<std::int16_t>(bits / 8)};
    // Only the samples the file holds are read, whatever the header claims.
    const std::uint64_t present = std::min<std::uint64_t>(claimed, in.Remaining());
    const std::uint64_t frames =
        std::min<std::uint64_t>(present / (format.channels * format.bytesPerSample),
                                std::numeric_limits<std::int32_t>::max());

    // The failure is told once, by the caller that names the file, not by the allocation.
    std::array<Wave, 2> waves;
    for (int c = 0; c < format.channels; ++c) {
        std::int16_t* samples = AllocateSamplesQuietly(static_cast<std::int64_t>(frames));
        if (samples == nullptr && frames > 0) return Fail(kNotEnoughMemoryText, errorText);
        waves[c] = Wave(samples, static_cast<std::int32_t>(frames));
    }
    ReadSamples(in, format, static_cast<std::int32_t>(frames), waves.data());
    if (format.channels == 1) {
        sound = std::make_unique<MonoSound>(std::move(waves[0]), rate, format.bytesPerSample);
    } else {
        sound = std::make_unique<StereoSound>(std::move(waves[0]), std::move(waves[1]), rate,
                                              format.bytesPerSample);
    }
    return true;
}

// The canonical 44-byte header.
std::array<std::uint8_t, 44> Header(const Sound& sound, std::uint32_t dataSize) {
    std::array<std::uint8_t, 44> header{};
    std::size_t at = 0;
    auto put = [&](std::uint32_t value, std::size_t size) {
        for (std::size_t i = 0; i < size; ++i)
            header[at++] = static_cast<std::uint8_t>(value >> (8 * i));
    };
    auto tag = [&](std::string_view text) {
        std::memcpy(header.data() + at, text.data(), text.size());
        at += text.size();
    };
    const auto moSt = static_cast<std::uint32_t>(sound.MoSt);
    const auto bytes = static_cast<std::uint32_t>(sound.BytesPSample);
    const auto freq = static_cast<std::uint32_t>(sound.Freq);
    tag("RIFF");
    put(dataSize + 36, 4);
    tag("WAVEfmt ");
    put(16, 4);
    put(1, 2);
    put(moSt, 2);
    put(freq, 4);
    put(moSt * bytes * freq, 4);
    put(moSt * bytes, 2);
    put(bytes * 8, 2);
    tag("data");
    put(dataSize, 4);
    return header;
}

void WriteSamples(platform::ReplacingFile& file, const Sound& sound, const Wave& left,
                  const Wave& right, std::int32_t begin, std::int32_t end) {
    const std::int64_t frameBytes = sound.MoSt * sound.BytesPSample;
    if (sound.MoSt == 1 && sound.BytesPSample == 2) {
        file.Write(left.wave + begin, static_cast<std::size_t>(end - begin) * 2);
        return;
    }
    auto buffer = std::make_unique<std::uint8_t[]>(kBufferBytes);
    const std::int64_t framesPerBlock = static_cast<std::int64_t>(kBufferBytes) / frameBytes;
    for (std::int64_t first = begin; first < end && !file.Failed(); first += framesPerBlock) {
        const std::int64_t count = std::min<std::int64_t>(framesPerBlock, end - first);
        if (sound.MoSt == 1) {
            kernels::SamplesToBytes(left.wave + first, buffer.get(), count);
        } else if (sound.BytesPSample == 1) {
            kernels::InterleaveBytes(left.wave + first, right.wave + first, buffer.get(), count);
        } else {
            kernels::Interleave(left.wave + first, right.wave + first,
                                reinterpret_cast<std::int16_t*>(buffer.get()), count);
        }
        file.Write(buffer.get(), static_cast<std::size_t>(count * frameBytes));
    }
}

void ShowWriteError(std::string_view text) {
    platform::ShowMessage(text, kWriteErrorCaption, platform::MessageIcon::information);
}

}  // namespace

bool ReadWaveFile(const std::filesystem::path& fileName, std::unique_ptr<Sound>& sound,
                  std::string& errorText) {
    sound.reset();
    errorText = waveFileText::noError;
    std::FILE* file = std::fopen(fileName.c_str(), "rb");
    if (file == nullptr) return Fail(waveFileText::cannotOpen, errorText);
    struct stat status {};
    if (fstat(fileno(file), &status) != 0 || !S_ISREG(status.st_mode)) {
        std::fclose(file);
        return Fail(waveFileText::cannotOpen, errorText);
    }
    FileSource source(file, static_cast<std::uint64_t>(status.st_size));
    return ReadWave(source, sound, errorText);
}

bool ReadWaveBytes(std::span<const std::uint8_t> bytes, std::unique_ptr<Sound>& sound,
                   std::string& errorText) {
    sound.reset();
    errorText = waveFileText::noError;
    MemorySource source(bytes);
    return ReadWave(source, sound, errorText);
}

bool WriteWaveFile(const Sound& sound, ErrorFlag* error, const std::filesystem::path& fileName,
                   std::int32_t begin, std::int32_t end) {
    KALVORA_ASSERT(0 <= begin && begin <= end && end <= sound.GetValues());
    const std::uint64_t dataSize =
        static_cast<std::uint64_t>(sound.MoSt) * (end - begin) * sound.BytesPSample;
    if (dataSize > std::numeric_limits<std::uint32_t>::max() - 36) {
        ShowWriteError("Cannot save Wave: the sound is too long for a WAV file.");
        return false;
    }
    // A mono sound's mono wave is its own wave, never a copy: writing needs no memory, so a
    // document whose error flag is set can still be saved.
    const ChannelWave middle = sound.MoSt == 1 ? sound.GetMonoWave(error) : ChannelWave();
    const Wave& left = sound.MoSt == 1 ? *middle : sound.GetLeftWave();
    const Wave& right = sound.MoSt == 1 ? *middle : sound.GetRightWave();

    // Replacing goes through a new file, which the system allows beside a file the user
    // made read-only: such a file is refused as the system would refuse opening it.
    platform::ReplacingFile file;
    if (platform::IsReadOnlyFile(fileName) || !file.Open(fileName)) {
        ShowWriteError(kCannotOpenForWritingText);
        return false;
    }
    const auto header = Header(sound, static_cast<std::uint32_t>(dataSize));
    file.Write(header.data(), header.size());
    WriteSamples(file, sound, left, right, begin, end);
    if (!file.Commit()) {
        ShowWriteError("Cannot save Wave: the file could not be written completely (" +
                       file.ErrorText() + "). Nothing was changed on disk.");
        return false;
    }
    return true;
}

}  // namespace kalvora
