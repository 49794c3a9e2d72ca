#include "cli/file_checkers.h"

#include <algorithm>

namespace kalvora::cli {
namespace {

std::vector<FileChecker>& Registry() {
    static std::vector<FileChecker> checkers;
    return checkers;
}

}  // namespace

FileCheckerRegistration::FileCheckerRegistration(const FileChecker& checker) {
    Registry().push_back(checker);
}

const FileChecker* FindFileChecker(std::string_view topElement) {
    for (const FileChecker& checker : Registry()) {
        if (checker.topElement == topElement) return &checker;
    }
    return nullptr;
}

std::vector<std::string_view> CheckedTopElements() {
    std::vector<std::string_view> names;
    for (const FileChecker& checker : Registry())
        names.push_back(checker.topElement);
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace kalvora::cli
