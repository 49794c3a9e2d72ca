#include "cli/cli_music.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "documents/document_registry.h"
#include "music/music_file.h"
#include "music/unit_muz.h"

namespace kalvora::cli {

bool IsMusicFileName(const std::filesystem::path& file) {
    std::string extension = file.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".kvm";
}

int ConvertMusicFile(VerbContext& context, const std::filesystem::path& input,
                     const std::filesystem::path& output) {
    TUnitRegistry registry;
    TUnitMuz music(registry, true);
    std::string error;
    if (!LoadMusicFile(input, music, error)) {
        context.err << input.string() << ": Cannot read the file: " << error << '\n';
        return exitFileError;
    }
    if (!WriteMusic(music)->WriteFile(output, error)) {
        context.err << output.string() << ": Cannot save Music: " << error << '\n';
        return exitFileError;
    }
    return exitSuccess;
}

}  // namespace kalvora::cli
