// THelpManual: the pages of the user manual, with the parts the program writes itself filled
// in, and the topic search over their whole text. The pages are HTML files the caller reads
// (the program from its resources, the tests from the source tree); the manual adds the
// generated pages, the command list and the keyboard table, and fills each effect page's
// field table from the effect table. Standard C++ only.
//
// A page written by hand asks for generated text with a comment of its own line:
//   <!--kalvora:fields MakeLine-->   the fields of that effect's dialog
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace kalvora {

struct THelpPage {
    std::string name;   // "make-line.html"
    std::string title;  // the text of <title>, else of the first <h1>, else the name
    std::string html;   // with the generated parts filled in
    std::string text;   // the visible text, for searching
};

struct THelpHit {
    const THelpPage* page = nullptr;
    int score = 0;        // how often the words occur, titles counting more
    std::string excerpt;  // the text around the first word found
};

class THelpManual {
  public:
    // The manual with the generated pages ("commands.html", "shortcuts.html") only.
    THelpManual();

    // Adds (or replaces) a page as written; generated parts are filled in.
    void AddPage(std::string_view name, std::string_view html);

    // The page of that name; a "#anchor" is ignored. Null when there is none.
    const THelpPage* Find(std::string_view name) const;
    const std::vector<THelpPage>& Pages() const { return pages_; }

    // The pages holding every word of the query (a word matches the words of the page that
    // begin with it, without regard to case), best first. An empty query finds nothing.
    std::vector<THelpHit> Search(std::string_view query) const;
    // The search result as a page of links.
    std::string SearchResultHtml(std::string_view query) const;

    // Every link of every page that leads nowhere: "page.html -> target". A link to another
    // page must name a page of the manual, and its anchor one of that page's anchors.
    std::vector<std::string> BrokenLinks() const;

  private:
    void IndexPage(std::size_t page);
    void Reindex();

    std::vector<THelpPage> pages_;
    // word -> (page, occurrences)
    std::map<std::string, std::map<std::size_t, int>, std::less<>> index_;
};

// The visible text of an HTML page: tags dropped, entities replaced, blanks folded.
std::string HelpPlainText(std::string_view html);
// The words of a text, lower case: runs of letters and digits.
std::vector<std::string> HelpWords(std::string_view text);
// The targets of the page's links (href) and its anchors (name and id).
std::vector<std::string> HelpLinks(std::string_view html);
std::vector<std::string> HelpAnchors(std::string_view html);
// The pictures the page shows (img src).
std::vector<std::string> HelpImages(std::string_view html);

}  // namespace kalvora
