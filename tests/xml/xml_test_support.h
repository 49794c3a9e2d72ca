// Helpers shared by the XML tests: files with the two header lines, and (from
// support/scratch_files.h) a scratch folder with reading and writing whole files.
#pragma once

#include <string>
#include <string_view>

#include "support/scratch_files.h"

namespace kalvora::testing {

// The two header lines and the empty line the writer puts before the document element, so
// that `body` starts on line 4.
inline std::string WithHeader(std::string_view body, std::string_view root = "Doc") {
    std::string file = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<!DOCTYPE ";
    file += root;
    file += " SYSTEM \"";
    file += root;
    file += ".dtd\">\n\n";
    file += body;
    return file;
}

inline std::string ToCrLf(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

}  // namespace kalvora::testing
