// "kalvora-cli check" for music files (top element UnitMuz), versions 7.0 and 7.1.
#include "cli/file_checkers.h"
#include "documents/document_registry.h"
#include "music/music_file.h"
#include "music/unit_muz.h"

namespace kalvora::cli {
namespace {

bool CheckMusic(const std::filesystem::path& file, std::string& message) {
    TUnitRegistry registry;
    TUnitMuz music(registry, true);
    return LoadMusicFile(file, music, message);
}

const FileCheckerRegistration registration({"UnitMuz", "Music File", CheckMusic});

}  // namespace
}  // namespace kalvora::cli
