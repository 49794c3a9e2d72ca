// The file system as a project save uses it: every write (a file written under a temporary
// name and renamed into place counts as one) and every removal goes through here, so that
// tests can make any one of them fail and check that the save stays all-or-nothing. The writes
// themselves are done by the documents' and the XML layer's writers; Write only wraps them.
// Standard C++ only.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

namespace kalvora {

class TProjectFileSystem {
  public:
    virtual ~TProjectFileSystem() = default;

    // Runs write, which writes path and reports its own failure; false when it failed.
    virtual bool Write(const std::filesystem::path& path, const std::function<bool()>& write);
    // Creates folder (and its parents) unless it exists.
    virtual bool CreateFolder(const std::filesystem::path& folder, std::string& errorText);
    // Removes a file; a file that is already gone counts as removed.
    virtual bool Remove(const std::filesystem::path& path, std::string& errorText);
    virtual bool Exists(const std::filesystem::path& path) const;
};

// A test seam: the Nth write, folder creation or removal (counted from 1 in the order
// they are asked for) fails without touching the disk.
class TFailingProjectFileSystem final : public TProjectFileSystem {
  public:
    explicit TFailingProjectFileSystem(int failAt) : failAt_(failAt) {}

    bool Write(const std::filesystem::path& path, const std::function<bool()>& write) override;
    bool CreateFolder(const std::filesystem::path& folder, std::string& errorText) override;
    bool Remove(const std::filesystem::path& path, std::string& errorText) override;

    // How many operations were asked for, and whether the failure was reached.
    int Operations() const { return count_; }
    bool Failed() const { return count_ >= failAt_; }

  private:
    // Counts one operation; true when it is the one to fail.
    bool FailsNow(std::string& errorText);

    int failAt_;
    int count_ = 0;
};

}  // namespace kalvora
