#include "shell/frame_texts.h"

namespace kalvora {

std::string MainCaption(std::string_view projectFile) {
    std::string caption(kDesignedCaption);
    caption.append(kProgramVersion);
    if (!projectFile.empty()) caption.append(" - ").append(projectFile);
    return caption;
}

std::string AboutBoxCaption() {
    return std::string(kAboutCaption).append(kProgramVersion);
}

std::string DocumentCaption(std::string_view name, std::string_view fileName) {
    if (fileName.empty()) return std::string(name);
    if (name.empty()) return std::string(fileName);
    return std::string(name).append(" - ").append(fileName);
}

std::string CloseQuestionText(std::string_view noun, std::string_view name,
                              std::string_view fileName) {
    std::string text = "Do you want to save the ";
    text.append(noun);
    if (name.empty()) {
        text.append(" without name");
    } else {
        text.append(" with name \"").append(name).append("\"");
    }
    if (fileName.empty()) {
        text.append(" to a new file");
    } else {
        text.append(" to current file \"").append(fileName).append("\"");
    }
    return text + "?";
}

std::string TrimmedName(std::string_view text) {
    const std::string_view blanks = " \t";
    std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) return {};
    std::size_t last = text.find_last_not_of(blanks);
    return std::string(text.substr(first, last - first + 1));
}

std::string_view ScreenCursorName(ScreenCursor cursor) {
    switch (cursor) {
        case ScreenCursor::draw:
            return "DRAW";
        case ScreenCursor::del:
            return "DELETE";
        case ScreenCursor::sil:
            return "SIL";
        case ScreenCursor::reject:
            return "REJECT";
        case ScreenCursor::note:
            return "NOTE";
        case ScreenCursor::zoom:
            return "ZOOM";
        case ScreenCursor::zoomOut:
            return "ZOOMOUT";
    }
    return "";
}

}  // namespace kalvora
