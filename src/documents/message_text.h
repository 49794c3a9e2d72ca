// Pieces of the messages the dialogs and commands show: texts joined in one go and names in
// double quotes. Standard library only.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace kalvora {

// The parts one after the other.
inline std::string Concat(std::initializer_list<std::string_view> parts) {
    std::string text;
    for (std::string_view part : parts)
        text.append(part);
    return text;
}

// text in double quotes, as messages name documents and fields.
inline std::string Quoted(std::string_view text) {
    return Concat({"\"", text, "\""});
}

}  // namespace kalvora
