// Feeds arbitrary files to the reader of project files (Project). Nothing may crash or reach
// an assertion; what reads must keep the reader's promises (copy numbers in range, music
// with a file or a copy, copy paths inside the project's folder of copies) and must write a
// file that reads back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "shell/project_file.h"

namespace {

using namespace kalvora;

void Require(bool condition) {
    if (!condition) std::abort();
}

void CheckPromises(const TProject& project) {
    const std::filesystem::path file = "/projects/work.kvp";
    for (const TProjectWindow& window : project.windows) {
        Require(window.tempFile >= -1 && window.tempFile <= kMaximumTempFile);
        if (window.kind == TUnitKind::music) Require(window.tempFile >= 0 || !window.file.empty());
        if (window.tempFile >= 0) {
            // A copy's path comes from its number only: never outside the folder.
            Require(CopyBaseName(file, window.tempFile).parent_path() == CopyFolderOf(file));
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    TProject project;
    std::string error;
    const TProjectReadResult result = ReadProjectText(bytes, project, error);
    if (result != TProjectReadResult::read) {
        Require(result == TProjectReadResult::failed && !error.empty());
        return 0;
    }
    CheckPromises(project);

    const auto tree = WriteProjectTree(project, false);
    if (!tree->CheckWritable(error)) return 0;  // the writer refuses what it cannot write back
    std::string written;
    tree->WriteDocument(written);
    TProject back;
    Require(ReadProjectText(written, back, error) == TProjectReadResult::read);
    Require(back == project);
    return 0;
}
