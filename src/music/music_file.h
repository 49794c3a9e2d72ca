// The music file (".kvm"): the grammars of its two versions, the writer of the current
// version "7.1" and the reader of both. Version "7.0" files have one single part, keys that
// sit directly in the stave and notes whose height is a staff position; the reader turns
// them into the current model. Every refusal names the element where reading stopped
// (" At line L, column C."). Core code: the music model, the value types and the XML layer.
//
//     TUnitMuz music(registry, /*empty=*/true);
//     std::string error;
//     if (!LoadMusicFile(path, music, error)) -> show "Cannot read the file: ..." + error
//     SaveMusicFile(music, path);  // shows "Cannot save Music: ..." itself on failure
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "xml/xml_grammar.h"
#include "xml/xml_tree.h"

namespace kalvora {

class TUnitMuz;

inline constexpr std::string_view kMusicFileVersion = "7.1";
inline constexpr std::string_view kMusicFileOldVersion = "7.0";

// The largest position in whole notes that a file may hold: far beyond any real piece, and
// small enough that the silence filler and the layout stay exact and quick.
inline constexpr double kMaxMusicPosition = 100000.0;
// The most times loops may repeat a part, nested loops multiplied: playing and drawing walk
// every turn.
inline constexpr int kMaxLoopCount = 1000;
// The longest whole note in seconds, and the most room in pixels above or below a stave: far
// beyond real music, and small enough that wave lengths and window coordinates cannot
// overflow.
inline constexpr double kMaxMusicTempo = 3600.0;
inline constexpr int kMaxStaveRoom = 10000;
// The deepest part tree: the model walks it recursively.
inline constexpr int kMaxPartDepth = 1000;

const TDTDNode& MusicGrammar71();
const TDTDNode& MusicGrammar70();
// The grammar of a version, or nullptr for an unknown one.
const TDTDItem* MusicGrammarFor(const std::string& version);

// The document as the element tree of a version "7.1" file.
std::unique_ptr<TXMLComplexElement> WriteMusic(TUnitMuz& music);
// The whole file's bytes; false with the writer's reason when the tree cannot be written.
bool WriteMusicText(TUnitMuz& music, std::string& bytes, std::string& error);
// Writes the file. On failure shows "Cannot save Music: " and the reason under "FileError"
// and returns false.
bool SaveMusicFile(TUnitMuz& music, const std::filesystem::path& fileName);

// Builds the document from a matched UnitMuz element of the given version into `music`,
// which must be empty (TUnitMuz(registry, true)). On failure returns false with the reason
// and its position; the document must then be discarded.
bool ReadMusic(const TXMLItem& document, std::string_view version, TUnitMuz& music,
               std::string& error);
// Reads a whole file (or its bytes) of either version into the empty `music`.
bool LoadMusicFile(const std::filesystem::path& fileName, TUnitMuz& music, std::string& error);
bool LoadMusicText(std::string_view bytes, TUnitMuz& music, std::string& error);

}  // namespace kalvora
