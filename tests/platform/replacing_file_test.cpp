#include "platform/replacing_file.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <fstream>
#include <iterator>

namespace kalvora::platform {
namespace {

namespace fs = std::filesystem;

// Lowers the file-size limit for its lifetime; writes beyond it fail with EFBIG.
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

class ReplacingFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("kalvora-replacing-" +
                   std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override {
        fs::permissions(folder_, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(folder_);
    }
    static std::string Contents(const fs::path& file) {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    static void Put(const fs::path& file, const std::string& text) {
        std::ofstream(file, std::ios::binary) << text;
    }
    std::size_t FileCount() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder_), {}));
    }
    fs::path folder_;
};

TEST_F(ReplacingFileTest, CommitReplacesTheTargetAndLeavesNoTemporaryFile) {
    const fs::path target = folder_ / "a.wav";
    Put(target, "old");
    ReplacingFile file;
    ASSERT_TRUE(file.Open(target));
    EXPECT_TRUE(file.Write("new "));
    EXPECT_TRUE(file.Write("contents"));
    EXPECT_EQ(Contents(target), "old");  // untouched until the commit
    ASSERT_TRUE(file.Commit()) << file.ErrorText();
    EXPECT_EQ(Contents(target), "new contents");
    EXPECT_EQ(FileCount(), 1u);
}

TEST_F(ReplacingFileTest, AbandonedWriteKeepsTheOldFile) {
    const fs::path target = folder_ / "a.wav";
    Put(target, "old");
    {
        ReplacingFile file;
        ASSERT_TRUE(file.Open(target));
        file.Write("half");
    }
    EXPECT_EQ(Contents(target), "old");
    EXPECT_EQ(FileCount(), 1u);
}

TEST_F(ReplacingFileTest, FullDiskIsReportedAndTheOldFileSurvives) {
    // A file-size limit makes writes fail as they would on a full disk.
    const fs::path target = folder_ / "a.wav";
    Put(target, "old");
    ReplacingFile file;
    ASSERT_TRUE(file.Open(target));
    {
        FileSizeLimit limit(1000);
        const std::string block(1 << 16, 'x');
        file.Write(block);
        EXPECT_FALSE(file.Commit());
    }
    EXPECT_TRUE(file.Failed());
    EXPECT_NE(file.ErrorText().find("cannot write"), std::string::npos) << file.ErrorText();
    EXPECT_EQ(Contents(target), "old");
    EXPECT_EQ(FileCount(), 1u);
}

TEST_F(ReplacingFileTest, MissingFolderFailsAtOpen) {
    ReplacingFile file;
    EXPECT_FALSE(file.Open(folder_ / "no-such-folder" / "a.wav"));
    EXPECT_NE(file.ErrorText().find("cannot create a file"), std::string::npos);
    EXPECT_FALSE(file.Commit());
}

}  // namespace
}  // namespace kalvora::platform
