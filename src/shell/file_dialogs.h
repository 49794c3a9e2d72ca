// The file dialogs of the frame: title, filter, default extension and options of each, as
// data. Standard C++ only.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kalvora {

enum class FileDialogKind {
    openWave,
    saveWave,
    openMusic,
    saveMusic,
    openProject,
    newProject,
    exportProject,
    importSound,
    exportSound
};

struct FileDialogInfo {
    std::string_view title;             // "Open Wave"
    std::string_view filter;            // "Wave Files (*.wav)|*.wav|All files (*.*)|*.*"
    std::string_view defaultExtension;  // "wav"
    bool save;                          // a save dialog, which asks before overwriting
    bool multiSelect;                   // opening several files at once
    int helpContext;                    // 0 for none
};

const FileDialogInfo& FileDialog(FileDialogKind kind);

struct FileFilter {
    std::string label;    // "Wave Files (*.wav)"
    std::string pattern;  // "*.wav"; several patterns are separated by ";"
};

// Splits "label|pattern|label|pattern..." into its pairs; a trailing label without pattern is
// dropped.
std::vector<FileFilter> ParseFileFilter(std::string_view filter);

}  // namespace kalvora
