#include "shell/temp_folder.h"

#include <system_error>

#include "platform/messages.h"

namespace kalvora {

namespace fs = std::filesystem;

fs::path PrivateTempFolderPath(const fs::path& base, std::string_view userTag) {
    return base / ("kalvora-" + std::string(userTag));
}

bool PreparePrivateFolder(const fs::path& folder) {
    std::error_code error;
    fs::create_directory(folder, error);
    if (error) return false;
    fs::file_status status = fs::symlink_status(folder, error);
    if (error || !fs::is_directory(status)) return false;
    // Only the owner may change the rights, so this also proves the folder is ours.
    fs::permissions(folder, fs::perms::owner_all, fs::perm_options::replace, error);
    if (error) return false;
    fs::perms rights = fs::status(folder, error).permissions();
    if (error) return false;
    return (rights & (fs::perms::group_all | fs::perms::others_all)) == fs::perms::none;
}

std::string TempFolderMessage(const fs::path& folder) {
    return "Could not create directory \"" + folder.string() + "\". Play and Record disabled";
}

bool CheckTempFolder(const fs::path& folder) {
    if (PreparePrivateFolder(folder)) return true;
    platform::ShowMessage(TempFolderMessage(folder), platform::caption::error,
                          platform::MessageIcon::warning);
    return false;
}

}  // namespace kalvora
