// The music files of kalvora-cli: reading one for a verb and writing one in the current
// version.
#pragma once

#include <filesystem>

#include "cli/cli.h"

namespace kalvora::cli {

// Whether the file is named as a music file (".kvm", any case).
bool IsMusicFileName(const std::filesystem::path& file);

// Reads a music file of either version and writes it in the current one; the output is
// written only when the input reads. On failure the reader's or writer's text goes to
// standard error after the file's name.
int ConvertMusicFile(VerbContext& context, const std::filesystem::path& input,
                     const std::filesystem::path& output);

}  // namespace kalvora::cli
