// The XML files that "kalvora-cli check" validates, known by their top element rather than
// their extension (a renamed file is still checked by the reader it was written for). Each file
// kind registers its checker with a static FileCheckerRegistration in a check_*.cpp file.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace kalvora::cli {

struct FileChecker {
    std::string_view topElement;  // "UnitWave"
    std::string_view kind;        // "Wave Shadow File", for the confirmation
    // Reads and checks the whole file as the program reads it; on failure returns false with
    // the reader's message (which names the line and column where it has one).
    bool (*check)(const std::filesystem::path& file, std::string& message);
};

struct FileCheckerRegistration {
    explicit FileCheckerRegistration(const FileChecker& checker);
};

const FileChecker* FindFileChecker(std::string_view topElement);
// The top elements with a checker, sorted, for the message about any other one.
std::vector<std::string_view> CheckedTopElements();

}  // namespace kalvora::cli
