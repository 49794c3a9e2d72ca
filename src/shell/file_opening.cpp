#include "shell/file_opening.h"

#include <filesystem>
#include <string>

#include "platform/messages.h"

namespace kalvora {
namespace {

std::string LowerExtension(std::string_view fileName) {
    std::string extension = std::filesystem::path(fileName).extension().string();
    if (!extension.empty()) extension.erase(0, 1);
    for (char& c : extension) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return extension;
}

}  // namespace

std::optional<FileOpening> ChooseFileOpening(std::string_view fileName,
                                             const std::function<bool()>& waveReadable,
                                             const std::function<bool()>& importable) {
    const std::string extension = LowerExtension(fileName);
    if (extension == "kvp") return FileOpening::project;
    if (extension == "kvm") return FileOpening::music;
    if (extension == "wav") {
        if (waveReadable() || !importable()) return FileOpening::wave;
        return FileOpening::import;
    }
    if (importable()) return FileOpening::import;
    // The command line's messages, with the extension taken from the file's own name.
    const std::string text =
        extension.empty()
            ? "Cannot read the file: \"" + std::string(fileName) + "\" File has no extension"
            : "Invalid extension \"" + extension + "\" used.";
    platform::ShowMessage(text, platform::caption::fileError, platform::MessageIcon::information);
    return std::nullopt;
}

}  // namespace kalvora
