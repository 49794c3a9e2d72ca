#include "sound/wave_layout.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <string_view>
#include <system_error>

#include "sound/wave_file.h"

namespace kalvora {
namespace {

// Little-endian fields; bytes missing at the end of the file read as zeros, as in the reader.
class HeaderReader {
  public:
    explicit HeaderReader(std::istream& in) : in_(in) {
        in_.seekg(0, std::ios::end);
        end_ = static_cast<std::int64_t>(in_.tellg());
        in_.seekg(0);
    }

    std::uint32_t Unsigned(std::size_t size) {
        std::array<unsigned char, 4> bytes{};
        Read(bytes.data(), size);
        std::uint32_t value = 0;
        for (std::size_t i = size; i-- > 0;)
            value = (value << 8) | bytes[i];
        return value;
    }
    bool Tag(std::string_view expected) {
        std::array<char, 8> tag{};
        Read(tag.data(), expected.size());
        return std::string_view(tag.data(), expected.size()) == expected;
    }
    void Skip(std::uint64_t size) {
        position_ += static_cast<std::int64_t>(std::min<std::uint64_t>(size, Remaining()));
    }
    std::int64_t Position() const { return position_; }
    std::uint64_t Remaining() const {
        return end_ > position_ ? static_cast<std::uint64_t>(end_ - position_) : 0;
    }

  private:
    void Read(void* data, std::size_t size) {
        const std::size_t count = std::min<std::uint64_t>(size, Remaining());
        in_.clear();
        in_.seekg(position_);
        in_.read(static_cast<char*>(data), static_cast<std::streamsize>(count));
        position_ += count;
    }

    std::istream& in_;
    std::int64_t position_ = 0;
    std::int64_t end_ = 0;
};

std::optional<WaveLayout> Fail(std::string_view text, std::string& errorText) {
    errorText = text;
    return std::nullopt;
}

}  // namespace

std::optional<WaveLayout> ReadWaveLayout(const std::filesystem::path& fileName,
                                         std::string& errorText) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(fileName, error)) {
        return Fail(waveFileText::cannotOpen, errorText);
    }
    std::ifstream in(fileName, std::ios::binary);
    if (!in) return Fail(waveFileText::cannotOpen, errorText);
    return ReadWaveLayout(in, errorText);
}

std::optional<WaveLayout> ReadWaveLayout(std::istream& in, std::string& errorText) {
    HeaderReader header(in);
    if (!header.Tag("RIFF")) return Fail(waveFileText::noRiff, errorText);
    header.Skip(4);
    if (!header.Tag("WAVEfmt ")) return Fail(waveFileText::noWaveFmt, errorText);
    const std::uint32_t fmtSize = header.Unsigned(4);
    if (fmtSize < 16) return Fail(waveFileText::chunkTooSmall, errorText);
    if (header.Unsigned(2) != 1) return Fail(waveFileText::notPcm, errorText);
    const std::uint32_t channels = header.Unsigned(2);
    if (channels < 1 || channels > 2) return Fail(waveFileText::badChannels, errorText);
    const auto rate = static_cast<std::int32_t>(header.Unsigned(4));
    header.Skip(6);
    const std::uint32_t bits = header.Unsigned(2);
    if (rate <= 0) return Fail(waveFileText::badRate, errorText);
    if (bits != 8 && bits != 16) return Fail(waveFileText::badBits, errorText);
    header.Skip(fmtSize - 16);
    std::uint32_t chunk = header.Unsigned(4);
    constexpr std::uint32_t fact = 0x74636166;  // "fact"
    constexpr std::uint32_t data = 0x61746164;  // "data"
    if (chunk == fact) {
        header.Skip(8);  // its size and its one value
        chunk = header.Unsigned(4);
    }
    if (chunk != data) return Fail(waveFileText::noData, errorText);
    const std::uint32_t claimed = header.Unsigned(4);

    WaveLayout layout;
    layout.channels = static_cast<std::int16_t>(channels);
    layout.rate = rate;
    layout.bytesPerSample = static_cast<std::int16_t>(bits / 8);
    layout.dataOffset = header.Position();
    const std::uint64_t present = std::min<std::uint64_t>(claimed, header.Remaining());
    layout.dataBytes = static_cast<std::int64_t>(present - present % layout.FrameBytes());
    errorText = waveFileText::noError;
    return layout;
}

}  // namespace kalvora
