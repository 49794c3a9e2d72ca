#include "platform/replacing_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>
#include <system_error>

namespace kalvora::platform {
namespace {

std::string SystemReason(int error) {
    return std::strerror(error);
}

std::filesystem::path TemporaryBeside(const std::filesystem::path& target) {
    static std::mt19937 generator{std::random_device{}()};
    std::filesystem::path name = target;
    name += ".kvsave-" + std::to_string(generator() % 1000000000u);
    return name;
}

// The file a chain of symbolic links ends at (which need not exist yet), or the path itself
// when it is no link. Empty after too many links (a loop).
std::filesystem::path EndOfLinks(const std::filesystem::path& path) {
    namespace fs = std::filesystem;
    fs::path current = path;
    for (int links = 0; links < 40; ++links) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(current, error))) return current;
        const fs::path next = fs::read_symlink(current, error);
        if (error) return current;
        current = next.is_absolute() ? next : current.parent_path() / next;
    }
    return {};
}

// The replaced file's permission bits, owner and group go to the new file. The owner and
// group can only be given by a privileged user; otherwise the new file is the writer's.
void KeepAttributes(const std::filesystem::path& from, const std::filesystem::path& to) {
    struct stat old {};
    if (::stat(from.c_str(), &old) != 0) return;
    ::chmod(to.c_str(), old.st_mode & 07777);
    if (::chown(to.c_str(), old.st_uid, old.st_gid) != 0) {
        // Not allowed to give the file away: it stays the writer's, with the old mode.
    }
}

}  // namespace

bool IsReadOnlyFile(const std::filesystem::path& fileName) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::file_status status = fs::status(fileName, error);
    if (error || !fs::exists(status)) return false;
    if ((status.permissions() & fs::perms::owner_write) == fs::perms::none) return true;
    // Opening for update creates and changes nothing, and fails without write permission.
    std::FILE* file = std::fopen(fileName.c_str(), "r+b");
    if (file == nullptr) return fs::is_regular_file(status);
    std::fclose(file);
    return false;
}

ReplacingFile::~ReplacingFile() {
    Discard();
}

bool ReplacingFile::Open(const std::filesystem::path& target) {
    Discard();
    failed_ = false;
    errorText_.clear();
    target_ = EndOfLinks(target);
    if (target_.empty()) {
        Fail("cannot follow the links of " + target.string() + ": " + SystemReason(ELOOP));
        return false;
    }
    for (int attempt = 0; attempt < 10 && file_ == nullptr; ++attempt) {
        temporary_ = TemporaryBeside(target_);
        // "x": never reuse a name that exists, so two writers cannot share a temporary file.
        file_ = std::fopen(temporary_.c_str(), "wbx");
        if (file_ == nullptr && errno != EEXIST) break;
    }
    if (file_ == nullptr) {
        Fail("cannot create a file in " + target_.parent_path().string() + ": " +
             SystemReason(errno));
        temporary_.clear();
        return false;
    }
    return true;
}

bool ReplacingFile::Write(const void* data, std::size_t size) {
    if (failed_ || file_ == nullptr) {
        failed_ = true;
        return false;
    }
    if (size != 0 && std::fwrite(data, 1, size, file_) != size) {
        Fail("cannot write " + temporary_.string() + ": " + SystemReason(errno));
        return false;
    }
    return true;
}

bool ReplacingFile::Commit() {
    if (file_ == nullptr) {
        if (!failed_) Fail("no file is open");
        return false;
    }
    if (!failed_ && std::fflush(file_) != 0)
        Fail("cannot write " + temporary_.string() + ": " + SystemReason(errno));
    const int closed = std::fclose(file_);
    file_ = nullptr;
    if (!failed_ && closed != 0)
        Fail("cannot close " + temporary_.string() + ": " + SystemReason(errno));
    if (!failed_) {
        KeepAttributes(target_, temporary_);
        std::error_code error;
        std::filesystem::rename(temporary_, target_, error);
        if (error) Fail("cannot replace " + target_.string() + ": " + error.message());
    }
    if (failed_) {
        Discard();
        return false;
    }
    temporary_.clear();
    return true;
}

void ReplacingFile::Fail(const std::string& what) {
    if (!failed_) errorText_ = what;
    failed_ = true;
}

void ReplacingFile::Discard() {
    if (file_ != nullptr) {
        std::fclose(file_);
        file_ = nullptr;
    }
    if (!temporary_.empty()) {
        std::error_code ignored;
        std::filesystem::remove(temporary_, ignored);
        temporary_.clear();
    }
}

}  // namespace kalvora::platform
