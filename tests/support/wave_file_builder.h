// Hand-built RIFF WAVE files for the tests of Import: any format tag (PCM, IEEE float,
// EXTENSIBLE), any sample width, and extra chunks (LIST, bext, JUNK) between "fmt " and
// "data", as other programs write them. Standard C++ only.
#pragma once

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace kalvora::testing {

using Bytes = std::vector<std::uint8_t>;

inline void PutLe(Bytes& bytes, std::uint64_t value, int size) {
    for (int i = 0; i < size; ++i)
        bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

inline void PutText(Bytes& bytes, std::string_view text) {
    bytes.insert(bytes.end(), text.begin(), text.end());
}

struct WaveFileLayout {
    enum class Kind { pcm, ieeeFloat, extensiblePcm, extensibleFloat };
    Kind kind = Kind::pcm;
    std::uint32_t channels = 2;
    std::uint32_t rate = 44100;
    std::uint32_t bits = 16;
    std::uint32_t channelMask = 0;  // EXTENSIBLE only; 0 leaves the layout unnamed
    // Chunks written between "fmt " and "data": id and contents.
    std::vector<std::pair<std::string, Bytes>> chunksBeforeData;
};

// Little-endian sample bytes: integers of the given width (8 bits unsigned, as WAV stores
// them), or IEEE floats.
inline Bytes IntegerSamples(const std::vector<std::int32_t>& samples, std::uint32_t bits) {
    Bytes bytes;
    for (std::int32_t s : samples) {
        if (bits == 8) {
            bytes.push_back(static_cast<std::uint8_t>(s + 128));
        } else {
            PutLe(bytes, static_cast<std::uint32_t>(s), static_cast<int>(bits / 8));
        }
    }
    return bytes;
}

inline Bytes FloatSamples(const std::vector<float>& samples) {
    Bytes bytes;
    for (float s : samples) {
        std::uint32_t bits = 0;
        std::memcpy(&bits, &s, 4);
        PutLe(bytes, bits, 4);
    }
    return bytes;
}

inline Bytes BuildWaveFile(const WaveFileLayout& layout, const Bytes& data) {
    const bool extensible = layout.kind == WaveFileLayout::Kind::extensiblePcm ||
                            layout.kind == WaveFileLayout::Kind::extensibleFloat;
    const bool isFloat = layout.kind == WaveFileLayout::Kind::ieeeFloat ||
                         layout.kind == WaveFileLayout::Kind::extensibleFloat;
    Bytes fmt;
    PutLe(fmt, extensible ? 0xFFFE : isFloat ? 3 : 1, 2);
    PutLe(fmt, layout.channels, 2);
    PutLe(fmt, layout.rate, 4);
    const std::uint32_t block = layout.channels * layout.bits / 8;
    PutLe(fmt, layout.rate * block, 4);
    PutLe(fmt, block, 2);
    PutLe(fmt, layout.bits, 2);
    if (extensible) {
        PutLe(fmt, 22, 2);           // extension size
        PutLe(fmt, layout.bits, 2);  // valid bits
        PutLe(fmt, layout.channelMask, 4);
        // The sub-format GUID: the format tag followed by the fixed tail.
        PutLe(fmt, isFloat ? 3 : 1, 4);
        const std::uint8_t tail[12] = {0x00, 0x00, 0x10, 0x00, 0x80, 0x00,
                                       0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
        fmt.insert(fmt.end(), tail, tail + 12);
    }
    Bytes body;
    PutText(body, "WAVE");
    auto chunk = [&body](std::string_view id, const Bytes& contents) {
        PutText(body, id);
        PutLe(body, contents.size(), 4);
        body.insert(body.end(), contents.begin(), contents.end());
        if (contents.size() % 2 != 0) body.push_back(0);
    };
    chunk("fmt ", fmt);
    for (const auto& [id, contents] : layout.chunksBeforeData)
        chunk(id, contents);
    chunk("data", data);
    Bytes file;
    PutText(file, "RIFF");
    PutLe(file, body.size(), 4);
    file.insert(file.end(), body.begin(), body.end());
    return file;
}

inline void WriteBytes(const std::filesystem::path& file, const Bytes& bytes) {
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

// A "LIST" chunk of INFO text as recorders write it.
inline Bytes InfoList(std::string_view title) {
    Bytes bytes;
    PutText(bytes, "INFO");
    PutText(bytes, "INAM");
    PutLe(bytes, title.size() + 1, 4);
    PutText(bytes, title);
    bytes.push_back(0);
    if ((title.size() + 1) % 2 != 0) bytes.push_back(0);
    return bytes;
}

}  // namespace kalvora::testing
