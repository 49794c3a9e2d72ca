// The project file (".kvp"): which documents are open, their own files, the numbers of their
// temporary copies, their names and where their windows and the main window stand. Core
// code: the XML layer and the value types. Reading is done in one piece, so that a broken
// file opens nothing: the whole file is checked into a TProject first.
//
// The copies live beside the project: for "D/B.kvp" in the folder "D/BTempSaveFiles", named
// "savedProjectWindowFile" + number + ".wav" / ".kvw" (a wave and its shadow file) or
// ".kvm" (music).
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "documents/document.h"
#include "xml/xml_grammar.h"
#include "xml/xml_tree.h"

namespace kalvora {

inline constexpr std::string_view kProjectFileVersion = "8.0";
inline constexpr std::string_view kProjectExtension = ".kvp";
// The highest copy number a project file may name.
inline constexpr int kMaximumTempFile = 999999;

enum class TWindowShow : std::uint8_t { normal, minimized, maximized };

// A window's place: position and size in pixels, and how it is shown.
struct TProjectBounds {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    TWindowShow show = TWindowShow::normal;
    friend bool operator==(const TProjectBounds&, const TProjectBounds&) = default;
};

// One document window.
struct TProjectWindow {
    TUnitKind kind = TUnitKind::wave;
    std::string file;   // the document's own file; empty when it has none
    int tempFile = -1;  // the number of its copy; -1 when it has none
    std::string name;   // empty when the document is unnamed
    TProjectBounds bounds;
    friend bool operator==(const TProjectWindow&, const TProjectWindow&) = default;
};

struct TProject {
    int noNameCounter = 0;
    TProjectBounds frame;
    // From the window activated longest ago to the active one.
    std::vector<TProjectWindow> windows;
    friend bool operator==(const TProject&, const TProject&) = default;
};

const TDTDNode& ProjectGrammar();

// The element tree of the file. exported leaves out every File element, so that the project
// depends on its copies only.
std::unique_ptr<TXMLComplexElement> WriteProjectTree(const TProject& project, bool exported);
// Reads a Project element the grammar has matched. On failure returns false with
// "In <field>: <reason> At line <l>, column <c>.".
bool ReadProjectTree(const TXMLItem& element, TProject& project, std::string& errorText);

enum class TProjectReadResult { read, missing, failed };

// Reads and checks a whole project file: missing when it cannot be opened; failed with the
// reason when it is not of version "8.0", does not fit the grammar or holds a value that
// cannot be used.
TProjectReadResult ReadProjectFile(const std::filesystem::path& fileName, TProject& project,
                                   std::string& errorText);
// The same for the bytes of a whole file (never missing).
TProjectReadResult ReadProjectText(std::string_view bytes, TProject& project,
                                   std::string& errorText);

// ---- The folder of copies ----
// "D/BTempSaveFiles" for the project file "D/B.E".
std::filesystem::path CopyFolderOf(const std::filesystem::path& projectFile);
// The path of copy number without its extension: folder / "savedProjectWindowFile<number>".
std::filesystem::path CopyBaseName(const std::filesystem::path& projectFile, int number);
// The extensions a copy's files may have.
inline constexpr std::string_view kCopyExtensions[] = {".wav", ".kvw", ".kvm"};
// The number of a file name of the folder that is a copy ("savedProjectWindowFile<n>.<ext>"
// or, left over from saves of earlier versions, "newProjectWindowFile<n>.<ext>"), or nothing.
std::optional<int> CopyNumberOfFileName(std::string_view fileName);

}  // namespace kalvora
