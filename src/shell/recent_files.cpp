#include "shell/recent_files.h"

#include <algorithm>
#include <fstream>
#include <system_error>

#include "platform/messages.h"
#include "platform/replacing_file.h"

namespace kalvora {
namespace {

constexpr std::string_view kHeader = "# Kalvora recent files";

std::string Absolute(std::string_view fileName) {
    std::error_code error;
    std::filesystem::path path(fileName);
    std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return (error ? path : absolute.lexically_normal()).string();
}

}  // namespace

TRecentFiles::TRecentFiles(std::filesystem::path settingsFile)
    : settingsFile_(std::move(settingsFile)) {}

void TRecentFiles::Load() {
    files_.clear();
    if (settingsFile_.empty()) return;
    std::ifstream in(settingsFile_);
    LoadFrom(in);
}

void TRecentFiles::LoadFrom(std::istream& in) {
    files_.clear();
    std::string line;
    while (files_.size() < kMaxCount && std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line.front() == '#') continue;
        if (std::find(files_.begin(), files_.end(), line) == files_.end()) files_.push_back(line);
    }
}

void TRecentFiles::Add(std::string_view fileName) {
    // A name with a line break cannot be kept in a file of lines.
    if (fileName.empty() || fileName.find_first_of("\r\n") != std::string_view::npos) return;
    const std::string name = Absolute(fileName);
    files_.erase(std::remove(files_.begin(), files_.end(), name), files_.end());
    files_.insert(files_.begin(), name);
    if (files_.size() > kMaxCount) files_.resize(kMaxCount);
    Save();
}

void TRecentFiles::Remove(std::string_view fileName) {
    const auto old = files_.size();
    files_.erase(std::remove(files_.begin(), files_.end(), fileName), files_.end());
    if (files_.size() != old) Save();
}

bool TRecentFiles::CheckExists(std::string_view fileName) {
    std::error_code error;
    if (std::filesystem::is_regular_file(std::filesystem::path(fileName), error)) return true;
    Remove(fileName);
    platform::ShowMessage("The file \"" + std::string(fileName) +
                              "\" no longer exists. It has been removed from the recent files.",
                          platform::caption::fileError, platform::MessageIcon::information);
    return false;
}

void TRecentFiles::Save() {
    if (settingsFile_.empty()) return;
    std::error_code error;
    std::filesystem::create_directories(settingsFile_.parent_path(), error);
    std::string text(kHeader);
    text += '\n';
    for (const std::string& file : files_)
        text.append(file).append("\n");
    platform::ReplacingFile file;
    if (file.Open(settingsFile_) && file.Write(text) && file.Commit()) return;
    if (saveFailureShown_) return;
    saveFailureShown_ = true;
    platform::ShowMessage(
        "Cannot keep the recent files in \"" + settingsFile_.string() + "\": " + file.ErrorText(),
        platform::caption::fileError, platform::MessageIcon::information);
}

std::filesystem::path RecentFilesLocation(const char* xdgConfigHome, const char* home) {
    std::filesystem::path base;
    if (xdgConfigHome != nullptr && std::filesystem::path(xdgConfigHome).is_absolute()) {
        base = xdgConfigHome;
    } else if (home != nullptr && std::filesystem::path(home).is_absolute()) {
        base = std::filesystem::path(home) / ".config";
    } else {
        return {};
    }
    return base / "kalvora" / "recent-files";
}

std::string RecentFileCaption(std::size_t index, std::string_view fileName) {
    std::string name = std::filesystem::path(fileName).filename().string();
    std::string escaped;
    for (char c : name) {
        escaped += c;
        if (c == '&') escaped += '&';
    }
    return "&" + std::to_string(index + 1) + " " + escaped;
}

}  // namespace kalvora
