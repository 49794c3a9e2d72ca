#include "shell/project_session.h"

#include <algorithm>
#include <set>
#include <system_error>

#include "documents/wave_creation.h"
#include "documents/wave_document.h"
#include "documents/workspace.h"
#include "music/music_file.h"
#include "music/unit_muz.h"
#include "platform/busy_cursor.h"
#include "platform/messages.h"

namespace kalvora {
namespace {

void ShowFileError(const std::string& text) {
    platform::ShowMessage(text, platform::caption::fileError, platform::MessageIcon::information);
}

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

bool FileExists(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::exists(path, error);
}

// The numbers of the copies (and left-over new copies) in the folder.
std::set<int> CopyNumbersIn(const std::filesystem::path& folder) {
    std::set<int> numbers;
    std::error_code error;
    for (auto it = std::filesystem::directory_iterator(folder, error);
         !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
        if (std::optional<int> number = CopyNumberOfFileName(it->path().filename().string()))
            numbers.insert(*number);
    }
    return numbers;
}

std::string KindWord(const TUnit& unit) {
    return unit.IsWave() ? "Wave" : "Music";
}

}  // namespace

std::string ProjectDocumentText(const std::string& name, const std::string& file) {
    if (!name.empty()) return Quoted(name);
    if (!file.empty()) return Quoted(file);
    return "without name";
}

struct TProjectSession::PlannedCopy {
    TUnit* unit;
    std::filesystem::path base;  // the copy's path without extension
};

TProjectSession::TProjectSession(TWorkspace& workspace, ProjectHost& host)
    : workspace_(workspace), host_(host), fileSystem_(&ownFileSystem_) {}

void TProjectSession::SetFileSystem(TProjectFileSystem* fileSystem) {
    fileSystem_ = fileSystem != nullptr ? fileSystem : &ownFileSystem_;
}

void TProjectSession::SetProjectFile(std::string file) {
    projectFile_ = std::move(file);
    unshown_.clear();
    host_.ProjectFileChanged();
}

// ---- Saving ----------------------------------------------------------------------------------

bool TProjectSession::NeedsCopy(TUnit& unit, bool exported) const {
    if (exported) return true;
    if (unit.IsWave()) {
        auto& wave = static_cast<TUnitWave&>(unit);
        // An empty wave has no WAV file: its format lives in the copy's shadow file.
        return wave.NeedsSave() || wave.GetValues() == 0;
    }
    auto& music = static_cast<TUnitMuz&>(unit);
    // Music without a file of its own exists only in its copy.
    return music.NeedsSave() || music.HasNoFile();
}

bool TProjectSession::WriteCopy(const PlannedCopy& copy, bool exported) {
    if (copy.unit->IsWave()) {
        auto& wave = static_cast<TUnitWave&>(*copy.unit);
        const std::string path = copy.base.string() + ".wav";
        return fileSystem_->Write(path, [&] {
            return exported ? wave.ExportForProject(path) : wave.SaveForProject(path);
        });
    }
    auto& music = static_cast<TUnitMuz&>(*copy.unit);
    const std::string path = copy.base.string() + ".kvm";
    return fileSystem_->Write(path, [&] { return SaveMusicFile(music, path); });
}

void TProjectSession::RemoveWritten(const std::vector<PlannedCopy>& copies) {
    std::string ignored;
    for (const PlannedCopy& copy : copies) {
        for (std::string_view extension : kCopyExtensions) {
            const std::filesystem::path path = copy.base.string() + std::string(extension);
            if (FileExists(path)) fileSystem_->Remove(path, ignored);
        }
    }
}

void TProjectSession::RemoveUnnamedCopies(const std::string& file, const std::vector<int>& named) {
    const std::filesystem::path folder = CopyFolderOf(file);
    std::vector<std::filesystem::path> stale;
    std::error_code error;
    for (auto it = std::filesystem::directory_iterator(folder, error);
         !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
        const std::optional<int> number = CopyNumberOfFileName(it->path().filename().string());
        if (number && std::find(named.begin(), named.end(), *number) == named.end())
            stale.push_back(it->path());
    }
    std::string failures;
    for (const std::filesystem::path& path : stale) {
        std::string errorText;
        if (!fileSystem_->Remove(path, errorText))
            failures += "\n" + (errorText.empty() ? Quoted(path.string()) : errorText);
    }
    if (!failures.empty()) {
        ShowFileError("The project " + Quoted(file) +
                      " is saved, but some of its old copies could not be deleted; they are "
                      "left in the folder and tried again at the next save:" +
                      failures);
    }
}

bool TProjectSession::SaveProject(const std::string& file, bool exported) {
    if (file.empty()) return true;
    platform::BusyScope busy;
    const std::vector<TProjectWindowRef> windows = host_.DocumentWindows();
    const std::filesystem::path folder = CopyFolderOf(file);
    const std::string unchanged =
        exported ? " Nothing was exported." : " The project file was not changed.";

    // The copies take numbers that no file of the folder has, so that the previous project's
    // copies stay intact until the new project file has replaced it.
    std::set<int> taken = CopyNumbersIn(folder);
    std::vector<PlannedCopy> copies;
    TProject project;
    project.noNameCounter = workspace_.Registry().NoNameCounter();
    project.frame = host_.FrameBounds();
    int next = 0;
    for (const TProjectWindowRef& ref : windows) {
        TProjectWindow window;
        window.kind = ref.unit->Kind();
        window.file = ref.unit->FileName();
        window.name = ref.unit->Name();
        window.bounds = ref.bounds;
        if (NeedsCopy(*ref.unit, exported)) {
            while (taken.count(next) != 0)
                ++next;
            window.tempFile = next++;
            copies.push_back({ref.unit, CopyBaseName(file, window.tempFile)});
        }
        project.windows.push_back(std::move(window));
    }

    const bool keepsUnshown = !exported && file == projectFile_;
    if (keepsUnshown)
        project.windows.insert(project.windows.end(), unshown_.begin(), unshown_.end());

    std::string errorText;
    if (!copies.empty() && !fileSystem_->CreateFolder(folder, errorText)) {
        ShowFileError("Cannot save the project " + Quoted(file) + ": " +
                      (errorText.empty()
                           ? "the folder " + Quoted(folder.string()) + " cannot be created."
                           : errorText) +
                      unchanged);
        return false;
    }
    std::vector<PlannedCopy> written;
    for (const PlannedCopy& copy : copies) {
        written.push_back(copy);
        if (!WriteCopy(copy, exported)) {
            RemoveWritten(written);
            ShowFileError("Cannot save the project " + Quoted(file) + ": the copy of the " +
                          KindWord(*copy.unit) + " " +
                          ProjectDocumentText(copy.unit->Name(), copy.unit->FileName()) +
                          " could not be written to the folder " + Quoted(folder.string()) + "." +
                          unchanged);
            return false;
        }
    }

    const std::unique_ptr<TXMLComplexElement> tree = WriteProjectTree(project, exported);
    const bool projectWritten = fileSystem_->Write(file, [&] {
        if (tree->WriteFile(file, errorText)) return true;
        platform::ShowMessage("Cannot save Project File: " + errorText, "FileError",
                              platform::MessageIcon::information);
        return false;
    });
    if (!projectWritten) {
        RemoveWritten(written);
        ShowFileError("Cannot save the project " + Quoted(file) +
                      ": the project file could not "
                      "be written." +
                      unchanged);
        return false;
    }

    // The new project file is in place: its copies are the documents' copies now.
    std::vector<int> named;
    for (std::size_t i = 0; i < project.windows.size(); ++i) {
        const int number = project.windows[i].tempFile;
        if (number >= 0) named.push_back(number);
        if (!exported && i < windows.size()) windows[i].unit->SetTempFile(number);
    }
    // An export over the project's own file must not take the copies of its unshown windows.
    if (file == projectFile_) {
        for (const TProjectWindow& window : unshown_) named.push_back(window.tempFile);
    }
    RemoveUnnamedCopies(file, named);
    return true;
}

// ---- Closing ---------------------------------------------------------------------------------

bool TProjectSession::CloseAllWindows() {
    if (!HasProject()) return host_.CloseDocumentWindows(true);
    for (const TProjectWindowRef& ref : host_.DocumentWindows()) {
        if (ref.unit->TempFile() < 0) continue;
        if (ref.unit->IsWave()) {
            static_cast<TUnitWave*>(ref.unit)->MarkSaved();
        } else {
            static_cast<TUnitMuz*>(ref.unit)->MarkSaved();
        }
    }
    return host_.CloseDocumentWindows(false);
}

// ---- Loading ---------------------------------------------------------------------------------

std::unique_ptr<TUnitWave> TProjectSession::OpenProjectWave(const TProjectWindow& window,
                                                            const std::string& file) {
    if (window.tempFile < 0) {
        if (window.file.empty()) return nullptr;
        return OpenWave(workspace_, window.file, {}, true);
    }
    const std::string base = CopyBaseName(file, window.tempFile).string();
    const std::string copy = base + ".wav";
    const bool copyThere = FileExists(copy) || FileExists(base + ".kvw");
    if (copyThere) {
        if (std::unique_ptr<TUnitWave> wave = OpenWave(workspace_, window.file, copy, true))
            return wave;
    }
    // The unsaved changes are gone: the wave's own file, or an empty sound without one.
    std::unique_ptr<TUnitWave> wave;
    if (!window.file.empty() && FileExists(window.file))
        wave = OpenWave(workspace_, window.file, {}, true);
    if (!wave) {
        wave = std::make_unique<TUnitWave>(workspace_, std::make_unique<StereoSound>(44100, 2));
        wave->SetFileName(window.file);
        wave->SetTrackChanges(false);
    }
    ShowFileError("The copy " + Quoted(copy) + " that kept the unsaved changes of the Wave " +
                  ProjectDocumentText(window.name, window.file) + " is " +
                  (copyThere ? "unreadable" : "missing") + ": those changes are lost.");
    return wave;
}

std::unique_ptr<TUnitMuz> TProjectSession::OpenProjectMusic(const TProjectWindow& window,
                                                            const std::string& file) {
    auto load = [&](const std::string& path) -> std::unique_ptr<TUnitMuz> {
        auto music = std::make_unique<TUnitMuz>(workspace_.Registry(), true);
        music->SetTrackChanges(false);
        std::string errorText;
        if (!LoadMusicFile(path, *music, errorText)) {
            if (!FileExists(path)) errorText = "The file does not exist.";
            ShowFileError("Cannot read the file: " + Quoted(path) + " " + errorText);
            return nullptr;
        }
        music->SetTrackChanges(true);
        return music;
    };
    if (window.tempFile >= 0) {
        const std::string copy = CopyBaseName(file, window.tempFile).string() + ".kvm";
        if (std::unique_ptr<TUnitMuz> music = load(copy)) {
            music->SetFileName(window.file);
            // Opened from its copy: the changes are unsaved again.
            music->MarkChanged();
            return music;
        }
        ShowFileError("The unsaved changes of the Music " +
                      ProjectDocumentText(window.name, window.file) + " kept in " + Quoted(copy) +
                      " are lost." +
                      (window.file.empty() ? "" : " Its own file is opened instead."));
    }
    if (window.file.empty()) return nullptr;
    std::unique_ptr<TUnitMuz> music = load(window.file);
    if (music) music->SetFileName(window.file);
    return music;
}

bool TProjectSession::OpenWindow(const TProjectWindow& window, const std::string& file) {
    std::string name = window.name;
    if (!name.empty() && workspace_.Registry().FindUnit(name) != nullptr) {
        platform::ShowMessage("When opening file " + Quoted(window.file) +
                                  " from project, a window with name " + Quoted(name) +
                                  " already exists",
                              platform::caption::error, platform::MessageIcon::information);
        name.clear();
    }
    bool shown = false;
    if (window.kind == TUnitKind::wave) {
        std::unique_ptr<TUnitWave> wave = OpenProjectWave(window, file);
        if (!wave) return false;
        wave->SetName(name);
        shown = host_.AddWave(std::move(wave), window.bounds);
    } else {
        std::unique_ptr<TUnitMuz> music = OpenProjectMusic(window, file);
        if (!music) return false;
        music->SetName(name);
        shown = host_.AddMusic(std::move(music), window.bounds);
    }
    if (!shown) unshown_.push_back(window);
    return shown;
}

void TProjectSession::LoadProject(const std::string& file) {
    TProject project;
    std::string errorText;
    TProjectReadResult result;
    {
        platform::BusyScope busy;
        result = ReadProjectFile(file, project, errorText);
    }
    if (result != TProjectReadResult::read) {
        if (result == TProjectReadResult::missing) errorText = "The file cannot be opened.";
        ShowFileError("Cannot read the file: " + Quoted(file) + " " + errorText);
        SetProjectFile({});
        return;
    }
    SetProjectFile(file);
    workspace_.Registry().SetNoNameCounter(project.noNameCounter);
    host_.SetFrameBounds(project.frame);
    for (const TProjectWindow& window : project.windows)
        OpenWindow(window, file);
    host_.WindowsLoaded();
    // Loading is over: from now on edits mark the documents changed.
    for (const TProjectWindowRef& ref : host_.DocumentWindows())
        ref.unit->SetTrackChanges(true);
}

// ---- Commands --------------------------------------------------------------------------------

bool TProjectSession::OpenProject(const std::string& file) {
    if (!SaveProject(projectFile_, false) || !CloseAllWindows()) return false;
    LoadProject(file);
    return HasProject();
}

bool TProjectSession::NewProject(const std::string& file) {
    if (!SaveProject(projectFile_, false) || !CloseAllWindows()) return false;
    SetProjectFile(file);
    return true;
}

bool TProjectSession::CloseProject() {
    if (!SaveProject(projectFile_, false) || !CloseAllWindows()) return false;
    SetProjectFile({});
    return true;
}

bool TProjectSession::CloseForShutdown() {
    if (!HasProject()) return host_.CloseDocumentWindows(true);
    return SaveProject(projectFile_, false) && CloseAllWindows();
}

}  // namespace kalvora
