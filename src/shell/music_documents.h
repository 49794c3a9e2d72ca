// The ways a music document comes into being: New music, opening a music file, Duplicate and
// Revert (reading its own file again), and the sample waves an opened music file names that
// lie beside it. Each returns the document, or nullptr after a message; the caller (the
// frame) creates its window and registers it. Standard C++ and the document model only.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "documents/document_registry.h"
#include "music/unit_muz.h"

namespace kalvora {

// "New music...": one stave and a 4/4 part, named "NONAME" + the next counter, no file.
std::unique_ptr<TUnitMuz> NewMusic(TUnitRegistry& registry);

// Reads a music file of either version, with an empty name. A failed read shows
// "Cannot read the file: "<name>" <reason>" (caption "File Error") and returns nullptr.
std::unique_ptr<TUnitMuz> OpenMusic(TUnitRegistry& registry, const std::string& fileName);

// "&Duplicate": a copy of everything the music file holds, with the source's wave format and
// editing state, named "NONAME" + the next counter, no file.
std::unique_ptr<TUnitMuz> DuplicateMusic(TUnitMuz& source, TUnitRegistry& registry);

// "&Revert": the document's file read again into a new document that keeps the source's
// name, file, wave format and editing state. A failed read shows "Cannot revert the file:
// "<name>" <reason>" (caption "File Error") and returns nullptr; the source stays as it was.
std::unique_ptr<TUnitMuz> RevertMusic(TUnitMuz& source, TUnitRegistry& registry);

// A sample wave that names no open wave document, and the file NAME.wav beside the music
// file that can stand in for it.
struct TSampleWaveFile {
    std::string Name;
    std::filesystem::path File;
};

// The sample waves of the music that no open wave document has as its name, and for which a
// file NAME.wav lies beside the music file.
std::vector<TSampleWaveFile> SampleWavesBeside(const TUnitMuz& music, const TUnitRegistry& registry,
                                               const std::filesystem::path& musicFile);

}  // namespace kalvora
