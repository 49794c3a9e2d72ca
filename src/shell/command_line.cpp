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

std::string FileKindNotSupportedText(FileKind kind, std::string_view fileName) {
    std::string_view what = kind == FileKind::project ? "Project files"
                            : kind == FileKind::music ? "Music files"
                                                      : "Wave files";
    std::string text = "Cannot read the file: \"";
    text.append(fileName).append("\" ").append(what).append(
        " cannot be opened by this version of Kalvora yet.");
    return text;
}

}  // namespace kalvora
