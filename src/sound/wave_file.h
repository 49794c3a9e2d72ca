// The WAV file format: the reader that builds a MonoSound or StereoSound from a RIFF WAVE
// PCM file (mono or stereo, 8 or 16 bits) and the writer that stores a range of a sound.
// Standard C++ and the platform (messages, ReplacingFile) only.
//
// File samples and wave values: 8-bit bytes b are held as (b - 128)·256 and written as
// (value / 256, truncated toward zero) + 128; 16-bit samples are held unchanged.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "sound/error_flag.h"
#include "sound/sound.h"

namespace kalvora {

// The reader's error texts.
namespace waveFileText {
inline constexpr std::string_view noError = "No errors occurred.";
inline constexpr std::string_view cannotOpen = "Cannot open File.";
inline constexpr std::string_view noRiff = "\"RIFF\" not found.";
inline constexpr std::string_view noWaveFmt = "\"WAVEfmt \" not found.";
inline constexpr std::string_view chunkTooSmall = "chunk too small.";
inline constexpr std::string_view notPcm = "A value must be 1.";
inline constexpr std::string_view badChannels = "MonoStereo must be 1 or 2.";
inline constexpr std::string_view badRate = "The sample rate must be greater than 0.";
inline constexpr std::string_view badBits = "Only 8 and 16 bits per sample are supported.";
inline constexpr std::string_view noData = "\"data\" not found.";
}  // namespace waveFileText

// Reads a WAV file. On success sound receives a new MonoSound (1 channel) or StereoSound
// (2 channels) with the file's rate and sample width, and the error text is
// "No errors occurred.". On failure sound is reset and the error text says why. A data
// chunk shorter than its size gives only the samples that are there.
bool ReadWaveFile(const std::filesystem::path& fileName, std::unique_ptr<Sound>& sound,
                  std::string& errorText);
// The same reader over the bytes of a file held in memory.
bool ReadWaveBytes(std::span<const std::uint8_t> bytes, std::unique_ptr<Sound>& sound,
                   std::string& errorText);

// The caption of the writer's messages.
inline constexpr std::string_view kWriteErrorCaption = "FileError";
inline constexpr std::string_view kCannotOpenForWritingText =
    "Cannot save Wave: Operating System cannot open file for writing, maybe the file is "
    "readonly.";

// Writes samples begin .. end - 1 of every channel in the sound's own format (the 44-byte
// canonical header, then the samples). The file is replaced only when everything was
// written; on failure a message (caption "FileError") says why, the old file is unchanged
// and the result is false.
bool WriteWaveFile(const Sound& sound, ErrorFlag* error, const std::filesystem::path& fileName,
                   std::int32_t begin, std::int32_t end);

}  // namespace kalvora
