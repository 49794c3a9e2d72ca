#include "platform/replacing_file.h"

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

}  // namespace

ReplacingFile::~ReplacingFile() {
    Discard();
}

bool ReplacingFile::Open(const std::filesystem::path& target) {
    Discard();
    failed_ = false;
    errorText_.clear();
    target_ = target;
    for (int attempt = 0; attempt < 10 && file_ == nullptr; ++attempt) {
        temporary_ = TemporaryBeside(target);
        // "x": never reuse a name that exists, so two writers cannot share a temporary file.
        file_ = std::fopen(temporary_.c_str(), "wbx");
        if (file_ == nullptr && errno != EEXIST) break;
    }
    if (file_ == nullptr) {
        Fail("cannot create a file in " + target.parent_path().string() + ": " +
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
