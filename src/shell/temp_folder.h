// The folder that holds the temporary files for playing and recording: a private folder of the
// user under the system's temporary directory, never a fixed name shared with other users.
// Standard C++ only.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace kalvora {

inline constexpr std::string_view kPlayFileName = "kvtempplaywave.wav";
inline constexpr std::string_view kRecordFileName = "kvtemprecwave.wav";

// <base>/kalvora-<userTag>: one folder per user.
std::filesystem::path PrivateTempFolderPath(const std::filesystem::path& base,
                                            std::string_view userTag);

// Makes sure the folder exists, is a real folder (not a link) and only its owner may use it:
// it is created when missing and its rights are narrowed to the owner, which fails unless the
// folder belongs to the user. Returns false when the folder cannot be made so.
bool PreparePrivateFolder(const std::filesystem::path& folder);

// "Could not create directory "<folder>". Play and Record disabled"
std::string TempFolderMessage(const std::filesystem::path& folder);

// PreparePrivateFolder, showing TempFolderMessage under "Error" with a warning when it fails.
bool CheckTempFolder(const std::filesystem::path& folder);

}  // namespace kalvora
