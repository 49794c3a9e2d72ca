// Helpers shared by the tests that write files: a scratch folder of their own (as an object
// or as a fixture), reading and writing a whole file, and a file-size limit that makes
// writes fail as they would on a full disk. Standard C++, POSIX and GoogleTest.
#pragma once

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <system_error>

namespace kalvora::testing {

// A folder of its own under the temporary directory, removed with its contents, also when a
// test took away its rights. The name holds the process id, so that test programs running
// side by side never share one.
class ScratchFolder {
  public:
    ScratchFolder() {
        static int counter = 0;
        path_ = std::filesystem::temp_directory_path() /
                ("kalvora-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder() {
        std::error_code error;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, error);
        std::filesystem::remove_all(path_, error);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::string File(const std::string& name) const { return (path_ / name).string(); }
    const std::filesystem::path& Path() const { return path_; }

  private:
    std::filesystem::path path_;
};

// A fresh scratch folder for each test, in folder_.
class ScratchFolderTest : public ::testing::Test {
  protected:
    // The entries in the folder, e.g. to see that no temporary file was left behind.
    std::size_t FileCount() const {
        return static_cast<std::size_t>(
            std::distance(std::filesystem::directory_iterator(folder_), {}));
    }

    ScratchFolder scratch_;
    const std::filesystem::path folder_ = scratch_.Path();
};

inline std::string Contents(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void Put(const std::filesystem::path& file, std::string_view text) {
    std::ofstream(file, std::ios::binary) << text;
}

// Lowers the file-size limit for its lifetime; writes beyond it fail with EFBIG, as on a full
// disk.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limit = previous_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
};

}  // namespace kalvora::testing
