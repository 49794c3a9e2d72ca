// The file named on the program's command line: which kind of document it opens, chosen by
// its extension. Standard C++ only.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kalvora {

enum class FileKind { project, music, wave };

// The extension is the text after the argument's last "." (even when that dot lies in a
// folder name), compared without regard to case: "kvp", "kvm" or "wav". Without a "." the
// message "Cannot read the file: "<argument>" File has no extension" is shown; any other
// extension gives "Invalid extension "<extension in lower case>" used."; both under
// "File Error", and the result is nullopt.
std::optional<FileKind> FileKindOfArgument(std::string_view argument);

}  // namespace kalvora
