// The header of a WAV file without its samples: the format and where the sample bytes lie,
// for players that stream a file instead of loading it. It follows the rules of the WAV
// reader (wave_file.h) and gives its error texts. Standard C++ only.
#pragma once

#include <cstdint>
#include <filesystem>
#include <istream>
#include <optional>
#include <string>

namespace kalvora {

struct WaveLayout {
    std::int16_t channels = 0;        // 1 or 2
    std::int32_t rate = 0;            // samples per second
    std::int16_t bytesPerSample = 0;  // 1 (unsigned 8-bit) or 2 (signed 16-bit little-endian)
    std::int64_t dataOffset = 0;      // of the first sample byte
    std::int64_t dataBytes = 0;       // whole frames present in the file

    int FrameBytes() const { return channels * bytesPerSample; }
    std::int64_t Frames() const { return dataBytes / FrameBytes(); }
    double Seconds() const { return static_cast<double>(Frames()) / rate; }
};

// The layout of a WAV file, or nothing with errorText set (the reader's texts). Only the
// samples the file holds count, whatever its header claims.
std::optional<WaveLayout> ReadWaveLayout(const std::filesystem::path& fileName,
                                         std::string& errorText);
std::optional<WaveLayout> ReadWaveLayout(std::istream& in, std::string& errorText);

}  // namespace kalvora
