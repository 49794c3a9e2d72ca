#include "shell/project_file.h"

#include <gtest/gtest.h>

#include <string>

namespace kalvora {
namespace {

TProject Sample() {
    TProject project;
    project.noNameCounter = 12;
    project.frame = {-4, 3, 1024, 768, TWindowShow::maximized};
    project.windows = {
        {TUnitKind::wave, "/w/a b.wav", 0, "A", {1, 2, 300, 200, TWindowShow::normal}},
        {TUnitKind::wave, "", -1, "", {5, 6, 70, 80, TWindowShow::minimized}},
        {TUnitKind::music, "/w/m.kvm", -1, "Tune", {0, 0, 10, 10, TWindowShow::normal}},
        {TUnitKind::music, "", 7, "", {0, 0, 10, 10, TWindowShow::normal}},
    };
    return project;
}

std::string Text(const TProject& project, bool exported) {
    std::string text;
    WriteProjectTree(project, exported)->WriteDocument(text);
    return text;
}

TEST(ProjectFile, RoundTripsEveryField) {
    TProject read;
    std::string error;
    ASSERT_EQ(ReadProjectText(Text(Sample(), false), read, error), TProjectReadResult::read)
        << error;
    EXPECT_EQ(read, Sample());
}

TEST(ProjectFile, AnExportLeavesOutEveryFile) {
    const std::string text = Text(Sample(), true);
    EXPECT_EQ(text.find("<File>"), std::string::npos);
    EXPECT_NE(text.find("<TempFile>7</TempFile>"), std::string::npos);
}

TEST(ProjectFile, RefusesWhatItCannotUse) {
    const std::string good = Text(Sample(), false);
    auto replaced = [&](const std::string& what, const std::string& with) {
        std::string text = good;
        const std::size_t at = text.find(what);
        EXPECT_NE(at, std::string::npos) << what;
        return text.replace(at, what.size(), with);
    };
    const struct {
        const char* what;
        std::string text;
        const char* reason;
    } cases[] = {
        {"version", replaced("<Version>8.0", "<Version>7.1"), "Unknown Version \"7.1\""},
        {"counter", replaced("<NoNameCounter>12", "<NoNameCounter>x"), "In NoNameCounter: "},
        {"width", replaced("<Width>1024", "<Width>99999999999"), "In Width: "},
        {"copy number", replaced("<TempFile>7", "<TempFile>1000000"), "In TempFile: "},
        {"order", replaced("<Name>A</Name>", ""), ""},
        {"music without a file", replaced("<File>/w/m.kvm</File>", ""),
         "In Music: A music document needs"},
    };
    for (const auto& c : cases) {
        TProject project;
        std::string error;
        const TProjectReadResult result = ReadProjectText(c.text, project, error);
        if (std::string(c.what) == "order") {
            EXPECT_EQ(result, TProjectReadResult::read) << "Name is optional";
            continue;
        }
        EXPECT_EQ(result, TProjectReadResult::failed) << c.what;
        EXPECT_NE(error.find(c.reason), std::string::npos) << c.what << ": " << error;
        if (std::string(c.what) != "version") {
            EXPECT_NE(error.find(" At line "), std::string::npos) << c.what << ": " << error;
        }
    }
    TProject project;
    std::string error;
    EXPECT_EQ(ReadProjectText(replaced("<Frame>", "<Window><Frame>"), project, error),
              TProjectReadResult::failed);
}

}  // namespace
}  // namespace kalvora
