#include "shell/help_manual.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "documents/effect_table.h"
#include "shell/help_topics.h"

namespace kalvora {
namespace {

namespace fs = std::filesystem;

const fs::path helpFolder = KALVORA_HELP_DIR;

std::string FileText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The manual as the program builds it: every page of the help folder.
THelpManual SourceManual() {
    THelpManual manual;
    for (const fs::directory_entry& entry : fs::directory_iterator(helpFolder)) {
        if (entry.path().extension() == ".html")
            manual.AddPage(entry.path().filename().string(), FileText(entry.path()));
    }
    return manual;
}

class HelpManualTest : public ::testing::Test {
  protected:
    static const THelpManual& Manual() {
        static const THelpManual manual = SourceManual();
        return manual;
    }
};

TEST_F(HelpManualTest, EveryHelpContextLeadsToAPageAndItsAnchor) {
    std::set<int> contexts;
    for (const THelpTopic& topic : HelpTopics()) {
        EXPECT_TRUE(contexts.insert(topic.context).second)
            << "context used twice: " << topic.context;
        const THelpPage* page = Manual().Find(topic.page);
        ASSERT_NE(page, nullptr) << topic.context << " " << topic.page;
        std::string_view pageName = topic.page;
        std::size_t hash = pageName.find('#');
        if (hash != std::string_view::npos) {
            std::vector<std::string> anchors = HelpAnchors(page->html);
            EXPECT_NE(std::find(anchors.begin(), anchors.end(), pageName.substr(hash + 1)),
                      anchors.end())
                << topic.page;
        }
    }
    EXPECT_NE(Manual().Find(kHelpStartPage), nullptr);
    EXPECT_EQ(HelpPageOfContext(helpContext::waveView), "wave-view-dialog.html");
    EXPECT_EQ(HelpPageOfContext(9999), kHelpStartPage);
}

TEST_F(HelpManualTest, EveryEffectDialogHasItsOwnPageWithItsFields) {
    for (const TEffectEntry& entry : EffectTable()) {
        if (!entry.HasDialog()) continue;
        int context = HelpContextOfEffect(entry.command);
        ASSERT_NE(context, 0) << entry.command << " has no help context";
        const THelpPage* page = Manual().Find(HelpPageOfContext(context));
        ASSERT_NE(page, nullptr) << entry.command;
        // The field table of the command's dialog is on its page (shared pages show the
        // table of the first command; their siblings have the same fields).
        for (const TFieldSpec& field : entry.fields) {
            EXPECT_NE(page->html.find("<code>" + std::string(field.name) + "</code>"),
                      std::string::npos)
                << entry.command << " " << field.name << " on " << page->name;
        }
    }
    // The tables say what each field holds as the dialog shows it.
    const std::string& sinus = Manual().Find("make-sinus.html")->html;
    EXPECT_NE(sinus.find("<td>Length / Count</td>"), std::string::npos);
    EXPECT_NE(sinus.find("<code>frequency</code></td><td><code>1000 Hz</code></td><td><a "
                         "href=\"units.html#frequency\">"),
              std::string::npos);
    EXPECT_NE(Manual().Find("multi-frequency.html")->html.find("Default (Start Volume)"),
              std::string::npos);
    EXPECT_EQ(HelpContextOfEffect("makeline"), HelpContextOfEffect("MakeLine"));
    EXPECT_EQ(HelpContextOfEffect("NoSuchCommand"), 0);
}

TEST_F(HelpManualTest, EveryLinkAndPictureResolves) {
    EXPECT_EQ(Manual().BrokenLinks(), std::vector<std::string>{});
    for (const THelpPage& page : Manual().Pages()) {
        for (const std::string& image : HelpImages(page.html))
            EXPECT_TRUE(fs::exists(helpFolder / image)) << page.name << " shows " << image;
    }
}

// The program reads the pages as single-byte text: anything beyond ASCII is written as an
// entity, so that it shows the same everywhere. No page is left as a stub.
TEST_F(HelpManualTest, PagesAreFinishedAsciiWithATitle) {
    for (const fs::directory_entry& entry : fs::directory_iterator(helpFolder)) {
        if (entry.path().extension() != ".html") continue;
        std::string text = FileText(entry.path());
        auto wide = std::find_if(text.begin(), text.end(),
                                 [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
        EXPECT_EQ(wide, text.end())
            << entry.path().filename() << " at byte " << (wide - text.begin());
        const THelpPage* page = Manual().Find(entry.path().filename().string());
        ASSERT_NE(page, nullptr);
        EXPECT_NE(page->title, page->name) << "no <title> in " << page->name;
        EXPECT_EQ(text.find("being written"), std::string::npos) << page->name << " is unfinished";
    }
}

TEST_F(HelpManualTest, SearchFindsFieldNamesUnitsAndWordBeginnings) {
    struct Case {
        std::string query;
        std::string page;  // expected among the hits
    };
    const Case cases[] = {
        {"Start Phase", "make-sinus.html"},
        {"startPhase", "make-sinus.html"},
        {"beginValue", "make-line.html"},
        {"echo", "random-echo.html"},
        {"16383", "units.html"},
        {"decibels", "units.html"},
        {"shadow", "shadow-files.html"},
        {"kvw", "shadow-files.html"},
        {"Ctrl+Shift+Del", "shortcuts.html"},
        {"Getting Help", "commands.html"},
        {"Resonant Factor", "edit-music-dialog.html"},
        {"Room Up", "edit-music-dialog.html"},
        {"Play and Draw Subtree", "music-parts-dialog.html"},
        {"Forward into Next", "music-parts-dialog.html"},
        {"Recent Files", "files.html"},
        {"Select All", "editing.html"},
    };
    for (const Case& c : cases) {
        std::vector<THelpHit> hits = Manual().Search(c.query);
        EXPECT_TRUE(std::any_of(hits.begin(), hits.end(),
                                [&](const THelpHit& hit) { return hit.page->name == c.page; }))
            << c.query << " should find " << c.page;
    }
    // Words that follow each other as typed count most: a field's name finds its page first,
    // and the excerpt shows it.
    std::vector<THelpHit> hits = Manual().Search("Play and Draw");
    ASSERT_FALSE(hits.empty());
    EXPECT_EQ(hits.front().page->name, "music-parts-dialog.html");
    EXPECT_NE(hits.front().excerpt.find("Play and Draw Subtree"), std::string::npos);
    // Every word must occur; the title counts more than the text.
    hits = Manual().Search("Make Sinus");
    ASSERT_FALSE(hits.empty());
    EXPECT_EQ(hits.front().page->name, "make-sinus.html");
    EXPECT_TRUE(Manual().Search("sinus zzzzunknown").empty());
    EXPECT_TRUE(Manual().Search("  ,;  ").empty());
}

TEST(HelpManualPagesTest, GeneratedPartsAreFilledInAndSearched) {
    THelpManual manual;
    manual.AddPage("line.html",
                   "<html><head><title>Line &amp; more</title></head><body>\n"
                   "<h1>Ignored</h1><p>Intro <b>bold</b>word.</p>\n"
                   "<!--kalvora:fields MakeLine-->\n<!--kalvora:fields NoSuchCommand-->"
                   "<a href=\"#top\">up</a><a name=\"top\"></a>"
                   "<a href=\"line.html#nowhere\">x</a><a href=\"gone.html\">y</a>"
                   "<a href=\"http://example.org/\">z</a></body></html>");
    const THelpPage* page = manual.Find("line.html#top");
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->title, "Line & more");
    EXPECT_NE(page->html.find("<code>beginValue</code>"), std::string::npos);
    EXPECT_EQ(page->html.find("kalvora:fields"), std::string::npos);
    EXPECT_NE(page->text.find("Intro boldword."), std::string::npos);
    // Alone, the page's field table links to the units page, which this manual lacks.
    std::vector<std::string> broken;
    for (const std::string& link : manual.BrokenLinks()) {
        if (link.starts_with("line.html") && link.find("units.html") == std::string::npos)
            broken.push_back(link);
    }
    EXPECT_EQ(broken, (std::vector<std::string>{"line.html -> line.html#nowhere",
                                                "line.html -> gone.html"}));
    ASSERT_EQ(manual.Search("boldword").size(), 1u);
    EXPECT_EQ(manual.Search("exponential").size(), 2u);  // this page and the command list
    // The generated pages are always there.
    EXPECT_NE(manual.Find("commands.html"), nullptr);
    ASSERT_NE(manual.Find("shortcuts.html"), nullptr);
    EXPECT_NE(manual.Find("shortcuts.html")->html.find("<b>Ctrl+Z</b>"), std::string::npos);
    // Replacing a page reindexes it.
    manual.AddPage("line.html", "<title>Other</title><p>zebraword here</p>");
    EXPECT_TRUE(manual.Search("boldword").empty());
    EXPECT_EQ(manual.Search("zebraword").size(), 1u);
}

// The excerpt of a hit begins at a word before it; a text without blanks has no such word.
TEST(HelpManualPagesTest, ExcerptsOfTextsWithoutBlanks) {
    THelpManual manual;
    const std::string run(100, 'a');
    manual.AddPage("run.html", "<p>" + run + "-needle-" + run + "</p>");
    std::vector<THelpHit> hits = manual.Search("needle");
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_EQ(hits[0].excerpt.substr(0, 9), "...needle");
}

TEST(HelpManualPagesTest, PlainTextDropsTagsAndDecodesEntities) {
    EXPECT_EQ(HelpPlainText("<p>a&lt;b</p><p>c&#65;&unknown;d</p><!-- <p>x</p> -->"), "a<b cA d");
    EXPECT_EQ(HelpPlainText("<head><title>T</title></head><h1>H</h1>"), "H");
    EXPECT_EQ(HelpWords("Start-Phase 90' startPhase"),
              (std::vector<std::string>{"start", "phase", "90", "startphase"}));
    EXPECT_EQ(HelpPlainText("unclosed <b"), "unclosed");
}

}  // namespace
}  // namespace kalvora
