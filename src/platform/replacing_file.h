// Writes a file so that a failure never destroys the file it replaces: the bytes go to a
// temporary file in the target's folder, every write and the close are checked, and only
// then is the temporary file renamed over the target. Until Commit succeeds the target is
// untouched; an abandoned or failed write removes the temporary file. The new file keeps the
// old one's permission bits (and, where the system allows, its owner and group), and a target
// that is a symbolic link is written through: the file it points at is replaced, the link
// stays a link.
#pragma once

#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace kalvora::platform {

// Whether the user asked that the existing file not be written: its write permission bits
// are off (checked as bits, since a privileged user may write anything), or the system
// refuses to open it for writing. A missing file is not read-only. Links are followed.
bool IsReadOnlyFile(const std::filesystem::path& fileName);

class ReplacingFile {
  public:
    ReplacingFile() = default;
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    // Creates the temporary file beside target (beside the file it points at, for a link).
    // False when it cannot be created (a missing or read-only folder, a loop of links); the
    // target is then untouched. Open does not refuse a read-only target: callers that
    // respect it ask IsReadOnlyFile first.
    bool Open(const std::filesystem::path& target);

    // Appends bytes. After the first failed write every later call fails too, so callers
    // may write everything and check once, at Commit.
    bool Write(const void* data, std::size_t size);
    bool Write(std::string_view text) { return Write(text.data(), text.size()); }

    // Flushes, closes and renames over the target. False when any write, the close or the
    // rename failed; the target then keeps its old contents and the temporary file is gone.
    bool Commit();

    bool Failed() const { return failed_; }
    // The open temporary file, for writers that must seek (libraries with their own I/O).
    // Their writes bypass the failure tracking: such a writer checks its own writes and does
    // not Commit after a failure.
    std::FILE* Stream() const { return file_; }
    // Why the last failure happened, in words for a message box.
    const std::string& ErrorText() const { return errorText_; }

  private:
    void Fail(const std::string& what);
    void Discard();

    std::FILE* file_ = nullptr;
    // The file that is replaced: the target, or the end of its chain of links.
    std::filesystem::path target_;
    std::filesystem::path temporary_;
    bool failed_ = false;
    std::string errorText_;
};

}  // namespace kalvora::platform
