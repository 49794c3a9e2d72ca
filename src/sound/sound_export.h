// Export: a range of a sound written through the codec as WAV (16 or 24 bits), FLAC (16 or
// 24 bits) or Ogg Vorbis (quality 0 to 10), the format chosen by the file's extension.
// 24-bit files hold the 16-bit samples exactly (shifted by 8 bits). Standard C++ and the
// codec interface only.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/sound_codec.h"
#include "sound/sound.h"

namespace kalvora {

namespace exportText {
inline constexpr std::string_view unknownExtension =
    "The file name must end in .wav, .flac or .ogg: the extension chooses the format.";
inline constexpr std::string_view badBits = "the sample width must be 16 or 24.";
inline constexpr std::string_view badQuality = "the quality must lie between 0 and 10.";
inline constexpr std::string_view noBitsForOgg = "Ogg Vorbis files have no sample width.";
inline constexpr std::string_view noQualityForLossless =
    "only Ogg Vorbis files have a quality; WAV and FLAC are lossless.";
// The dialog that asks for the choices.
inline constexpr std::string_view caption = "Export";
inline constexpr std::string_view widthLabel = "Sample width:";
inline constexpr std::string_view sixteenBits = "16 bits";
inline constexpr std::string_view twentyFourBits = "24 bits";
inline constexpr std::string_view qualityLabel = "Quality (0 smallest, 10 best):";
}  // namespace exportText

// What the user chooses besides the file name.
struct ExportChoices {
    int bits = 16;         // WAV and FLAC
    double quality = 5.0;  // Ogg Vorbis
    bool operator==(const ExportChoices&) const = default;
};

// The format an extension chooses (".wav", ".flac", ".ogg", in any case), or none.
std::optional<platform::EncodedFormat> ExportFormatOf(const std::filesystem::path& file);

// Samples begin .. end - 1 of every channel of sound into file. False with a reason in
// errorText; the file is then left as it was.
bool ExportSound(platform::SoundCodec& codec, const Sound& sound, std::int32_t begin,
                 std::int32_t end, const std::filesystem::path& file, const ExportChoices& choices,
                 std::string& errorText);

}  // namespace kalvora
