#include "sound/sound_export.h"

#include <algorithm>
#include <cctype>
#include <memory>
#include <vector>

#include "platform/assertion.h"
#include "sound/wave_kernels.h"

namespace kalvora {
namespace {

constexpr std::int32_t kBlockFrames = 16384;

std::string LowerExtension(const std::filesystem::path& file) {
    std::string extension = file.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

}  // namespace

std::optional<platform::EncodedFormat> ExportFormatOf(const std::filesystem::path& file) {
    const std::string extension = LowerExtension(file);
    if (extension == ".wav") return platform::EncodedFormat::wav;
    if (extension == ".flac") return platform::EncodedFormat::flac;
    if (extension == ".ogg" || extension == ".oga") return platform::EncodedFormat::oggVorbis;
    return std::nullopt;
}

bool ExportSound(platform::SoundCodec& codec, const Sound& sound, std::int32_t begin,
                 std::int32_t end, const std::filesystem::path& file, const ExportChoices& choices,
                 std::string& errorText) {
    KALVORA_ASSERT(0 <= begin && begin <= end && end <= sound.GetValues());
    const std::optional<platform::EncodedFormat> format = ExportFormatOf(file);
    if (!format) {
        errorText = exportText::unknownExtension;
        return false;
    }
    platform::EncodeSettings settings;
    settings.format = *format;
    settings.bits = choices.bits == 24 ? 24 : 16;
    settings.quality = std::clamp(choices.quality, 0.0, 10.0);
    settings.channels = sound.MoSt;
    settings.rate = sound.Freq;
    std::unique_ptr<platform::SoundEncoder> encoder = codec.Create(file, settings, errorText);
    if (!encoder) return false;

    // Left and right of a mono sound are its one wave: never a copy.
    const Wave& left = sound.GetLeftWave();
    const Wave& right = sound.GetRightWave();
    std::vector<std::int16_t> frames(static_cast<std::size_t>(kBlockFrames) * 2);
    for (std::int32_t first = begin; first < end; first += kBlockFrames) {
        const std::int32_t count = std::min(kBlockFrames, end - first);
        const std::int16_t* data = left.wave + first;
        if (sound.MoSt == 2) {
            kernels::Interleave(left.wave + first, right.wave + first, frames.data(), count);
            data = frames.data();
        }
        if (!encoder->WriteShorts(data, count)) {
            errorText = encoder->ErrorText();
            return false;
        }
    }
    if (!encoder->Finish()) {
        errorText = encoder->ErrorText();
        return false;
    }
    return true;
}

}  // namespace kalvora
