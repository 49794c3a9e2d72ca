#include "shell/help_contents.h"

#include <gtest/gtest.h>

#include "shell/command_table.h"
#include "shell/file_dialogs.h"

namespace kalvora {
namespace {

TEST(HelpContentsTest, ContentsListEveryCommandWithCaptionShortcutAndHint) {
    std::string html = HelpContentsHtml();
    for (const CommandInfo& info : CommandTable()) {
        EXPECT_NE(html.find("<a name=\"" + std::string(info.name) + "\">"), std::string::npos)
            << info.name;
    }
    EXPECT_NE(html.find("<b>Open wave</b></td><td>Ctrl+O</td><td>Open &mdash; Open a wave file"),
              std::string::npos);
    EXPECT_NE(html.find("<h2>Effects &rsaquo; Echo</h2>"), std::string::npos);
    EXPECT_NE(html.find("<b>H</b></td><td>&mdash;</td><td>Cross</td>"), std::string::npos);
}

TEST(FileDialogsTest, FiltersSplitIntoLabelAndPattern) {
    const FileDialogInfo& open = FileDialog(FileDialogKind::openMusic);
    EXPECT_EQ(open.title, "Open Music");
    EXPECT_TRUE(open.multiSelect);
    EXPECT_FALSE(open.save);
    EXPECT_EQ(open.defaultExtension, "kvm");
    std::vector<FileFilter> filters = ParseFileFilter(open.filter);
    ASSERT_EQ(filters.size(), 3u);
    EXPECT_EQ(filters[0].label, "Music Files (*.kvm)");
    EXPECT_EQ(filters[0].pattern, "*.kvm");
    EXPECT_EQ(filters[2].pattern, "*.*");
    EXPECT_EQ(FileDialog(FileDialogKind::exportProject).helpContext, 56);
    EXPECT_TRUE(FileDialog(FileDialogKind::saveWave).save);
    EXPECT_EQ(ParseFileFilter("Only a label").size(), 0u);
}

}  // namespace
}  // namespace kalvora
