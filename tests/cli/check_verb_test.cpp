#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "cli/cli_fixture.h"
#include "documents/wave_document.h"
#include "documents/workspace.h"
#include "shell/project_file.h"
#include "shell/wave_shadow_file.h"

namespace kalvora::cli {
namespace {

class CheckVerbTest : public CliFolderTest {
  protected:
    // A shadow file as the program writes it, for an empty stereo wave.
    std::string WriteShadowFile(const std::string& name) {
        TWorkspace workspace;
        TUnitWave wave(workspace, MakeEmptySound({44100, 2, 2}));
        std::string error;
        EXPECT_TRUE(WriteShadow(wave, Path(name), error)) << error;
        return Path(name);
    }

    static std::string Text(const std::string& file) {
        std::ifstream in(file);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    static void Replace(const std::string& file, const std::string& what, const std::string& with) {
        std::string text = Text(file);
        const std::size_t at = text.find(what);
        ASSERT_NE(at, std::string::npos);
        text.replace(at, what.size(), with);
        std::ofstream(file) << text;
    }
};

TEST_F(CheckVerbTest, AValidShadowFileIsConfirmedWhateverItsExtension) {
    const std::string file = WriteShadowFile("take.kvw");
    EXPECT_EQ(Run({"check", file}), exitSuccess) << err.str();
    EXPECT_EQ(out.str(), file + ": a valid Wave Shadow File.\n");
    EXPECT_EQ(err.str(), "");

    const std::string renamed = Path("take.xml");
    std::filesystem::rename(file, renamed);
    EXPECT_EQ(Run({"check", renamed}), exitSuccess) << err.str();
}

TEST_F(CheckVerbTest, AnInvalidFileGivesTheReadersMessageWithItsPlace) {
    const std::string file = WriteShadowFile("take.kvw");
    Replace(file, "<BytesPerSample>2<", "<BytesPerSample>4<");
    EXPECT_EQ(Run({"check", file}), exitFileError);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(err.str().rfind(file + ": In BytesPerSample: Value must be 1 or 2. At line ", 0), 0u)
        << err.str();

    Replace(file, "<SplitPosition>0<", "<SplitPosition x>0<");
    EXPECT_EQ(Run({"check", file}), exitFileError);
    EXPECT_NE(err.str().find(": unexpected 'x' found in line "), std::string::npos) << err.str();
}

TEST_F(CheckVerbTest, FilesWithoutAKnownTopElementAreRefused) {
    const std::string other = Path("other.kvw");
    std::ofstream(other) << "<?xml?>\n<!DOCTYPE>\n<Something>\n</Something>\n";
    EXPECT_EQ(Run({"check", other}), exitFileError);
    EXPECT_EQ(err.str(), other +
                             ": No file of this program has the top element \"Something\" "
                             "(known: Project, UnitMuz, UnitWave).\n");

    const std::string empty = Path("empty.kvw");
    std::ofstream(empty) << "<?xml?>\n<!DOCTYPE>\n\n";
    EXPECT_EQ(Run({"check", empty}), exitFileError);
    EXPECT_EQ(err.str(), empty + ": The file holds no element.\n");

    EXPECT_EQ(Run({"check", Path("missing.kvw")}), exitFileError);
    EXPECT_EQ(err.str(), Path("missing.kvw") + ": The file cannot be opened.\n");

    EXPECT_EQ(Run({"check"}), exitUsageError);
    EXPECT_EQ(err.str(), "usage: kalvora-cli check FILE\n");
}

TEST_F(CheckVerbTest, AProjectIsCheckedWithEveryCopyItNames) {
    TProject project;
    project.windows = {{TUnitKind::wave, "", 0, "A", {}},
                       {TUnitKind::wave, "/elsewhere/b.wav", -1, "", {}},
                       {TUnitKind::music, "", 3, "", {}}};
    const std::string file = Path("work.kvp");
    std::string error;
    ASSERT_TRUE(WriteProjectTree(project, false)->WriteFile(file, error)) << error;
    std::filesystem::create_directories(CopyFolderOf(file));
    std::ofstream(CopyBaseName(file, 0).string() + ".kvw") << "a shadow file";
    std::ofstream(CopyBaseName(file, 3).string() + ".kvm") << "music";
    EXPECT_EQ(Run({"check", file}), exitSuccess) << err.str();
    EXPECT_EQ(out.str(), file + ": a valid Project File.\n");

    std::filesystem::remove(CopyBaseName(file, 0).string() + ".kvw");
    std::filesystem::remove(CopyBaseName(file, 3).string() + ".kvm");
    EXPECT_EQ(Run({"check", file}), exitFileError);
    EXPECT_EQ(err.str(), file +
                             ": The copies of unsaved changes that the project names are "
                             "missing: \"" +
                             CopyBaseName(file, 0).string() + ".wav\" (window 1), \"" +
                             CopyBaseName(file, 3).string() + ".kvm\" (window 3).\n");

    Replace(file, "<Version>8.0<", "<Version>7.0<");
    EXPECT_EQ(Run({"check", file}), exitFileError);
    EXPECT_EQ(err.str(), file +
                             ": Unknown Version \"7.0\": this program reads Project Files of "
                             "version 8.0 only.\n");
}

}  // namespace
}  // namespace kalvora::cli
