#include "shell/command_line.h"

#include "platform/messages.h"

namespace kalvora {

std::optional<FileKind> FileKindOfArgument(std::string_view argument) {
    std::size_t dot = argument.rfind('.');
    if (dot == std::string_view::npos) {
        std::string text = "Cannot read the file: \"";
        text.append(argument).append("\" File has no extension");
        platform::ShowMessage(text, platform::caption::fileError,
                              platform::MessageIcon::information);
        return std::nullopt;
    }
    std::string extension(argument.substr(dot + 1));
    for (char& c : extension) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    if (extension == "kvp") return FileKind::project;
    if (extension == "kvm") return FileKind::music;
    if (extension == "wav") return FileKind::wave;
    platform::ShowMessage("Invalid extension \"" + extension + "\" used.",
                          platform::caption::fileError, platform::MessageIcon::information);
    return std::nullopt;
}

}  // namespace kalvora
