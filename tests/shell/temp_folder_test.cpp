#include "shell/temp_folder.h"

#include <gtest/gtest.h>

#include <fstream>

#include "platform/recording_message_sink.h"
#include "support/scratch_files.h"

namespace kalvora {
namespace {

namespace fs = std::filesystem;

class TempFolderTest : public ::testing::Test {
  protected:
    testing::ScratchFolder scratch_;
    const fs::path base_ = scratch_.Path();  // the user's temporary directory in these tests
};

TEST_F(TempFolderTest, FolderIsPerUserAndPrivate) {
    fs::path folder = PrivateTempFolderPath(base_, "1000");
    EXPECT_EQ(folder, base_ / "kalvora-1000");
    ASSERT_TRUE(PreparePrivateFolder(folder));
    EXPECT_EQ(fs::status(folder).permissions() & fs::perms::all, fs::perms::owner_all);
    EXPECT_TRUE(PreparePrivateFolder(folder));  // a second run finds it ready
}

TEST_F(TempFolderTest, OpenRightsOfOurOwnFolderAreNarrowed) {
    fs::path folder = base_ / "kalvora-open";
    fs::create_directory(folder);
    fs::permissions(folder, fs::perms::all, fs::perm_options::replace);
    ASSERT_TRUE(PreparePrivateFolder(folder));
    EXPECT_EQ(fs::status(folder).permissions() & fs::perms::all, fs::perms::owner_all);
}

TEST_F(TempFolderTest, LinksAndFilesAreRefusedWithTheMessage) {
    fs::path target = base_ / "elsewhere";
    fs::create_directory(target);
    fs::path link = base_ / "kalvora-link";
    fs::create_directory_symlink(target, link);
    EXPECT_FALSE(PreparePrivateFolder(link));

    fs::path file = base_ / "kalvora-file";
    std::ofstream(file) << "x";
    platform::RecordingMessageSink sink;
    EXPECT_FALSE(CheckTempFolder(file));
    ASSERT_EQ(sink.Messages().size(), 1u);
    EXPECT_EQ(sink.Messages()[0].text,
              "Could not create directory \"" + file.string() + "\". Play and Record disabled");
    EXPECT_EQ(sink.Messages()[0].caption, "Error");
    EXPECT_EQ(sink.Messages()[0].icon, platform::MessageIcon::warning);
}

TEST_F(TempFolderTest, MissingParentIsReported) {
    platform::RecordingMessageSink sink;
    EXPECT_FALSE(CheckTempFolder(base_ / "missing" / "kalvora-1"));
    EXPECT_EQ(sink.Messages().size(), 1u);
}

}  // namespace
}  // namespace kalvora
