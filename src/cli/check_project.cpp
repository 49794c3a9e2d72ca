// "kalvora-cli check" for project files (top element Project), version 8.0: the file itself,
// and every temporary copy it names, which must be beside it in its folder of copies.
#include <filesystem>
#include <system_error>

#include "cli/file_checkers.h"
#include "shell/project_file.h"

namespace kalvora::cli {
namespace {

bool Exists(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::exists(path, error);
}

// A wave's copy is its WAV file, its shadow file or both (an empty wave or one whose samples
// are unchanged has only the shadow file); music's is one music file.
bool CopyExists(const std::filesystem::path& file, const TProjectWindow& window) {
    const std::string base = CopyBaseName(file, window.tempFile).string();
    if (window.kind == TUnitKind::music) return Exists(base + ".kvm");
    return Exists(base + ".wav") || Exists(base + ".kvw");
}

bool CheckProject(const std::filesystem::path& file, std::string& message) {
    TProject project;
    if (ReadProjectFile(file, project, message) != TProjectReadResult::read) {
        if (message.empty()) message = "The file cannot be opened.";
        return false;
    }
    std::string missing;
    for (std::size_t i = 0; i < project.windows.size(); ++i) {
        const TProjectWindow& window = project.windows[i];
        if (window.tempFile < 0 || CopyExists(file, window)) continue;
        if (!missing.empty()) missing += ", ";
        missing += "\"" + CopyBaseName(file, window.tempFile).string() +
                   (window.kind == TUnitKind::music ? ".kvm" : ".wav") + "\" (window " +
                   std::to_string(i + 1) + ")";
    }
    if (missing.empty()) return true;
    message = "The copies of unsaved changes that the project names are missing: " + missing + ".";
    return false;
}

const FileCheckerRegistration registration({"Project", "Project File", CheckProject});

}  // namespace
}  // namespace kalvora::cli
