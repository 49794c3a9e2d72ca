#include "documents/wave_import.h"

#include <filesystem>

#include "documents/wave_creation.h"
#include "documents/workspace.h"
#include "platform/busy_cursor.h"
#include "platform/messages.h"
#include "sound/sound_import.h"

namespace kalvora {
namespace {

constexpr std::string_view kNoCodecText = "No library for other sound files is available.";

void ShowFileError(const std::string& text) {
    platform::ShowMessage(text, platform::caption::fileError, platform::MessageIcon::information);
}

}  // namespace

std::unique_ptr<TUnitWave> ImportWave(TWorkspace& workspace, const std::string& fileName) {
    ImportResult result;
    std::string errorText;
    {
        platform::BusyScope busy;
        platform::SoundCodec* codec = workspace.SoundCodec();
        if (codec == nullptr) {
            errorText = kNoCodecText;
        } else {
            ImportSoundFile(*codec, fileName, result, errorText);
        }
    }
    if (!result.sound) {
        ShowFileError("Cannot import the file: \"" + fileName + "\" " + errorText);
        return nullptr;
    }
    const std::string stem = std::filesystem::path(fileName).stem().string();
    std::unique_ptr<TUnitWave> document;
    if (!stem.empty() && workspace.Registry().FindUnit(stem) == nullptr) {
        document = std::make_unique<TUnitWave>(workspace, std::move(result.sound));
        document->SetName(stem);
    } else {
        document = NamedWave(workspace, std::move(result.sound));
    }
    if (const std::string clipped = ClippedSamplesText(result.clippedSamples); !clipped.empty())
        platform::ShowMessage(clipped, kImportCaption, platform::MessageIcon::warning);
    return document;
}

bool ExportWave(TUnitWave& document, const std::string& fileName, const ExportChoices& choices) {
    std::string errorText;
    bool written = false;
    {
        platform::BusyScope busy;
        platform::SoundCodec* codec = document.Workspace().SoundCodec();
        if (codec == nullptr) {
            errorText = kNoCodecText;
        } else {
            written = ExportSound(*codec, document.TheSound(), document.SelStart(),
                                  document.SelEnd(), fileName, choices, errorText);
        }
    }
    if (!written) ShowFileError("Cannot export the wave to \"" + fileName + "\": " + errorText);
    return written;
}

bool CanImport(const TWorkspace& workspace, const std::string& fileName) {
    platform::SoundCodec* codec = workspace.SoundCodec();
    std::string ignored;
    return codec != nullptr && codec->Open(fileName, ignored) != nullptr;
}

}  // namespace kalvora
