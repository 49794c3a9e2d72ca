#include "shell/file_dialogs.h"

#include <array>

namespace kalvora {
namespace {

constexpr std::string_view waveFilter = "Wave Files (*.wav)|*.wav|All files (*.*)|*.*";
constexpr std::string_view musicFilter =
    "Music Files (*.kvm)|*.kvm|XML Files (*.xml)|*.xml|All files (*.*)|*.*";
constexpr std::string_view projectFilter =
    "Project Files (*.kvp)|*.kvp|XML Files (*.xml)|*.xml|All files (*.*)|*.*";

// Import reads whatever the codec reads; Export chooses its format by the extension.
constexpr std::string_view importFilter =
    "Sound Files (*.wav *.flac *.ogg *.oga *.opus *.mp3 *.aif *.aiff *.au *.caf *.w64)|"
    "*.wav;*.flac;*.ogg;*.oga;*.opus;*.mp3;*.aif;*.aiff;*.au;*.caf;*.w64|All files (*.*)|*.*";
constexpr std::string_view exportFilter =
    "Wave Files (*.wav)|*.wav|FLAC Files (*.flac)|*.flac|Ogg Vorbis Files (*.ogg)|*.ogg";

constexpr std::array<FileDialogInfo, 9> dialogs{{
    {"Open Wave", waveFilter, "wav", false, true, 0},
    {"Save Wave", waveFilter, "wav", true, false, 0},
    {"Open Music", musicFilter, "kvm", false, true, 0},
    {"Save Music", musicFilter, "kvm", true, false, 0},
    {"Open Project", projectFilter, "kvp", false, false, 53},
    {"New Project", projectFilter, "kvp", true, false, 54},
    {"Export Project", projectFilter, "kvp", true, false, 56},
    {"Import Sound", importFilter, "", false, true, 0},
    {"Export Sound", exportFilter, "wav", true, false, 0},
}};

}  // namespace

const FileDialogInfo& FileDialog(FileDialogKind kind) {
    return dialogs[static_cast<std::size_t>(kind)];
}

std::vector<FileFilter> ParseFileFilter(std::string_view filter) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= filter.size()) {
        std::size_t bar = filter.find('|', start);
        if (bar == std::string_view::npos) bar = filter.size();
        parts.emplace_back(filter.substr(start, bar - start));
        start = bar + 1;
    }
    std::vector<FileFilter> filters;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        filters.push_back({parts[i], parts[i + 1]});
    }
    return filters;
}

}  // namespace kalvora
