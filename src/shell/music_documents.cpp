#include "shell/music_documents.h"

#include <algorithm>
#include <system_error>

#include "music/music_file.h"
#include "music/music_generation.h"
#include "platform/busy_cursor.h"
#include "platform/messages.h"

namespace kalvora {
namespace {

void ShowFileError(const std::string& text) {
    platform::ShowMessage(text, platform::caption::fileError, platform::MessageIcon::information);
}

// What a document keeps for the run besides its file's contents.
void CopyRunState(const TUnitMuz& from, TUnitMuz& to) {
    to.MoSt = from.MoSt;
    to.Freq = from.Freq;
    to.BytesPSample = from.BytesPSample;
    to.UnitMuzMode = from.UnitMuzMode;
    to.Insert = from.Insert;
    to.AutoPlay = from.AutoPlay;
}

}  // namespace

std::unique_ptr<TUnitMuz> NewMusic(TUnitRegistry& registry) {
    auto music = std::make_unique<TUnitMuz>(registry);
    music->SetName(registry.NextNoName());
    music->MarkSaved();
    return music;
}

std::unique_ptr<TUnitMuz> OpenMusic(TUnitRegistry& registry, const std::string& fileName) {
    platform::BusyScope busy;
    auto music = std::make_unique<TUnitMuz>(registry, true);
    std::string error;
    if (!LoadMusicFile(fileName, *music, error)) {
        ShowFileError("Cannot read the file: \"" + fileName + "\" " + error);
        return nullptr;
    }
    music->SetFileName(fileName);
    music->MarkSaved();
    return music;
}

std::unique_ptr<TUnitMuz> DuplicateMusic(TUnitMuz& source, TUnitRegistry& registry) {
    platform::BusyScope busy;
    std::string bytes;
    std::string error;
    auto copy = std::make_unique<TUnitMuz>(registry, true);
    if (!WriteMusicText(source, bytes, error) || !LoadMusicText(bytes, *copy, error)) {
        platform::ShowMessage("Cannot duplicate the music: " + error, platform::caption::error,
                              platform::MessageIcon::information);
        return nullptr;
    }
    CopyRunState(source, *copy);
    copy->SetName(registry.NextNoName());
    copy->MarkSaved();
    return copy;
}

std::unique_ptr<TUnitMuz> RevertMusic(TUnitMuz& source, TUnitRegistry& registry) {
    platform::BusyScope busy;
    auto music = std::make_unique<TUnitMuz>(registry, true);
    std::string error;
    if (!LoadMusicFile(source.FileName(), *music, error)) {
        ShowFileError("Cannot revert the file: \"" + source.FileName() + "\" " + error);
        return nullptr;
    }
    CopyRunState(source, *music);
    music->SetName(source.Name());
    music->SetFileName(source.FileName());
    music->MarkSaved();
    return music;
}

std::vector<TSampleWaveFile> SampleWavesBeside(const TUnitMuz& music, const TUnitRegistry& registry,
                                               const std::filesystem::path& musicFile) {
    std::vector<TSampleWaveFile> files;
    const std::filesystem::path folder = musicFile.parent_path();
    for (const std::string& name : SampleWaveNames(music)) {
        if (registry.FindWave(name) != nullptr) continue;
        // A name is a document name, not a path: one that would leave the folder is no file
        // beside the music.
        const std::filesystem::path own(name);
        if (own.has_parent_path() || own.is_absolute() || name == "." || name == "..") continue;
        std::filesystem::path file = folder / (name + ".wav");
        std::error_code error;
        if (std::filesystem::is_regular_file(file, error)) files.push_back({name, file});
    }
    return files;
}

}  // namespace kalvora
