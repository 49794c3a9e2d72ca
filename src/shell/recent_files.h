// File > Recent Files: the last files opened or saved, newest first, kept across runs in a
// small settings file of their own (nothing else is stored there). Core code: standard C++
// and the platform's messages.
//
// The settings file is plain text: the line "# Kalvora recent files" and then one file name
// per line. Lines that are empty or begin with "#" are ignored; a missing file is an empty
// list; a file that cannot be written is reported once under "File Error", and the list
// still works for the run.
#pragma once

#include <cstddef>
#include <filesystem>
#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kalvora {

class TRecentFiles {
  public:
    static constexpr std::size_t kMaxCount = 8;

    // settingsFile: where the list is kept; empty keeps it for this run only.
    explicit TRecentFiles(std::filesystem::path settingsFile = {});

    const std::vector<std::string>& Files() const { return files_; }
    const std::filesystem::path& SettingsFile() const { return settingsFile_; }

    // Reads the settings file (what it holds replaces the list).
    void Load();
    // ... from a stream of the settings file's text.
    void LoadFrom(std::istream& in);
    // A file opened or saved: first in the list, once, the oldest beyond eight dropped.
    // Names are kept absolute, so that the list works from any working folder. The
    // settings file is written at once.
    void Add(std::string_view fileName);
    // The file is gone: out of the list, written at once.
    void Remove(std::string_view fileName);
    // Before a recent file is opened: true when it exists. A missing one is removed with
    // the message "The file "<name>" no longer exists. It has been removed from the recent
    // files." (caption "File Error").
    bool CheckExists(std::string_view fileName);

  private:
    void Save();

    std::filesystem::path settingsFile_;
    std::vector<std::string> files_;
    bool saveFailureShown_ = false;
};

// Where the list is kept: $XDG_CONFIG_HOME/kalvora/recent-files, or
// $HOME/.config/kalvora/recent-files when XDG_CONFIG_HOME is unset or not absolute; empty
// when neither gives a folder.
std::filesystem::path RecentFilesLocation(const char* xdgConfigHome, const char* home);

// The menu text of entry index (from 0): "&1 name" ... "&8 name", the file name without
// its folder, ampersands doubled.
std::string RecentFileCaption(std::size_t index, std::string_view fileName);

}  // namespace kalvora
