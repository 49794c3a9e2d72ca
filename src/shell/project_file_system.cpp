#include "shell/project_file_system.h"

#include <system_error>

namespace kalvora {

bool TProjectFileSystem::Write(const std::filesystem::path&, const std::function<bool()>& write) {
    return write();
}

bool TProjectFileSystem::CreateFolder(const std::filesystem::path& folder, std::string& errorText) {
    std::error_code error;
    if (std::filesystem::is_directory(folder, error)) return true;
    std::filesystem::create_directories(folder, error);
    if (!error) return true;
    errorText = "Cannot create the folder \"" + folder.string() + "\": " + error.message() + ".";
    return false;
}

bool TProjectFileSystem::Remove(const std::filesystem::path& path, std::string& errorText) {
    std::error_code error;
    std::filesystem::remove(path, error);
    if (!error) return true;
    errorText = "Cannot delete \"" + path.string() + "\": " + error.message() + ".";
    return false;
}

bool TProjectFileSystem::Exists(const std::filesystem::path& path) const {
    std::error_code error;
    return std::filesystem::exists(path, error);
}

bool TFailingProjectFileSystem::FailsNow(std::string& errorText) {
    ++count_;
    if (count_ != failAt_) return false;
    errorText = "Operation " + std::to_string(count_) + " failed on purpose.";
    return true;
}

bool TFailingProjectFileSystem::Write(const std::filesystem::path& path,
                                      const std::function<bool()>& write) {
    std::string ignored;
    if (FailsNow(ignored)) return false;
    return TProjectFileSystem::Write(path, write);
}

bool TFailingProjectFileSystem::CreateFolder(const std::filesystem::path& folder,
                                             std::string& errorText) {
    if (FailsNow(errorText)) return false;
    return TProjectFileSystem::CreateFolder(folder, errorText);
}

bool TFailingProjectFileSystem::Remove(const std::filesystem::path& path, std::string& errorText) {
    if (FailsNow(errorText)) return false;
    return TProjectFileSystem::Remove(path, errorText);
}

}  // namespace kalvora
