#include "documents/wave_creation.h"

#include <filesystem>
#include <system_error>

#include "documents/wave_file_names.h"
#include "documents/wave_import.h"
#include "documents/workspace.h"
#include "platform/assertion.h"
#include "platform/busy_cursor.h"
#include "platform/messages.h"
#include "sound/wave_file.h"

namespace kalvora {
namespace {

bool FileExists(const std::string& name) {
    std::error_code error;
    return !name.empty() && std::filesystem::exists(name, error);
}

}  // namespace

std::unique_ptr<TUnitWave> NamedWave(TWorkspace& workspace, std::unique_ptr<Sound> sound) {
    auto document = std::make_unique<TUnitWave>(workspace, std::move(sound));
    document->SetName(workspace.Registry().NextNoName());
    return document;
}

std::unique_ptr<TUnitWave> NewWave(TWorkspace& workspace, const waveFileProps& props) {
    KALVORA_ASSERT(props.MoSt == 1 || props.MoSt == 2);
    KALVORA_ASSERT(props.BytesPSample == 1 || props.BytesPSample == 2);
    KALVORA_ASSERT(props.Freq > 0);
    return NamedWave(workspace, MakeEmptySound(props));
}

std::unique_ptr<TUnitWave> DuplicateWave(TUnitWave& source) {
    platform::BusyScope busy;
    source.ClearError();
    std::unique_ptr<Sound> sound =
        source.TheSound().Extract(source.Error(), source.SelStart(), source.SelEnd());
    if (!sound || source.HasError()) return nullptr;
    return NamedWave(source.Workspace(), std::move(sound));
}

std::unique_ptr<TUnitWave> OpenWave(TWorkspace& workspace, const std::string& fileName,
                                    const std::string& tempFileName, bool keepLoading) {
    platform::BusyScope busy;
    const bool fromCopy = !tempFileName.empty();
    std::unique_ptr<Sound> sound;
    std::string readName = fileName;
    if (fromCopy && FileExists(tempFileName)) {
        readName = tempFileName;
    } else if (fromCopy && !FileExists(fileName)) {
        readName.clear();
        sound = std::make_unique<StereoSound>(44100, 2);
    }
    if (!readName.empty()) {
        std::string errorText;
        if (!ReadWaveFile(readName, sound, errorText)) {
            std::string text = "Cannot read the file: \"" + readName + "\" " + errorText;
            if (CanImport(workspace, readName)) text += " " + std::string(kUseImportHint);
            platform::ShowMessage(text, platform::caption::fileError,
                                  platform::MessageIcon::information);
            return nullptr;
        }
    }

    auto document = std::make_unique<TUnitWave>(workspace, std::move(sound));
    document->SetTrackChanges(false);
    document->SetFileName(fileName);
    const bool copyShadow = fromCopy && FileExists(ShadowFileNameOf(tempFileName));
    document->ReadShadowOf(copyShadow ? tempFileName : fileName, keepLoading);

    document->SetTrackChanges(true);
    if (fromCopy) document->MarkChanged();
    if (copyShadow) document->MarkShadowChanged();
    if (keepLoading) document->SetTrackChanges(false);
    return document;
}

}  // namespace kalvora
