// Feeds arbitrary bytes to the reader of the recent files list and checks what it keeps: at
// most eight names, each once, none empty, none a comment, none with a line break; a name
// added afterwards comes first and the list stays within eight.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <sstream>
#include <string>

#include "shell/recent_files.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

void CheckList(const kalvora::TRecentFiles& recent) {
    const auto& files = recent.Files();
    Check(files.size() <= kalvora::TRecentFiles::kMaxCount);
    std::set<std::string> seen;
    for (const std::string& file : files) {
        Check(!file.empty());
        Check(file.front() != '#');
        Check(file.find('\n') == std::string::npos);
        Check(seen.insert(file).second);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    kalvora::TRecentFiles recent;  // no settings file: nothing is written
    recent.LoadFrom(in);
    CheckList(recent);
    recent.Add("/fuzz/added.wav");
    CheckList(recent);
    Check(recent.Files().front() == "/fuzz/added.wav");
    return 0;
}
