#include "platform/replacing_file.h"

#include <gtest/gtest.h>

#include "support/scratch_files.h"

namespace kalvora::platform {
namespace {

namespace fs = std::filesystem;

using testing::Contents;
using testing::FileSizeLimit;
using testing::Put;

class ReplacingFileTest : public testing::ScratchFolderTest {};

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

// A dangling link is written through too: the file it names is created. A loop of links
// fails at once.
TEST_F(ReplacingFileTest, LinksAreFollowedToTheirEnd) {
    fs::create_symlink("second.wav", folder_ / "first.wav");
    fs::create_symlink("real.wav", folder_ / "second.wav");
    ReplacingFile file;
    ASSERT_TRUE(file.Open(folder_ / "first.wav"));
    file.Write("new");
    ASSERT_TRUE(file.Commit()) << file.ErrorText();
    EXPECT_EQ(Contents(folder_ / "real.wav"), "new");
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(folder_ / "first.wav")));

    fs::create_symlink("loop-b", folder_ / "loop-a");
    fs::create_symlink("loop-a", folder_ / "loop-b");
    EXPECT_FALSE(file.Open(folder_ / "loop-a"));
    EXPECT_EQ(FileCount(), 5u);
}

}  // namespace
}  // namespace kalvora::platform
