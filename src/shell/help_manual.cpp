#include "shell/help_manual.h"

#include <algorithm>
#include <cctype>

#include "documents/effect_table.h"
#include "shell/help_contents.h"
#include "shell/help_field_table.h"
#include "shell/help_shortcuts.h"

namespace kalvora {
namespace {

constexpr std::string_view kFieldsMarker = "<!--kalvora:fields ";
constexpr int kTitleWeight = 10;
// Each time the words of a query follow each other as typed ("Play and Draw").
constexpr int kPhraseWeight = 20;

bool IsWordChar(char c) {
    auto u = static_cast<unsigned char>(c);
    return std::isalnum(u) != 0 || u >= 0x80;
}

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

std::string Entity(std::string_view name) {
    // Plain text is for searching and for excerpts, which the core keeps in single bytes.
    static const std::pair<std::string_view, std::string_view> entities[] = {
        {"amp", "&"},    {"lt", "<"},     {"gt", ">"},    {"quot", "\""},  {"apos", "'"},
        {"nbsp", " "},   {"mdash", "-"},  {"ndash", "-"}, {"rsaquo", ">"}, {"hellip", "..."},
        {"ldquo", "\""}, {"rdquo", "\""}, {"times", "x"}, {"minus", "-"},  {"rarr", "->"}};
    for (const auto& [key, value] : entities) {
        if (key == name) return std::string(value);
    }
    if (name.size() > 1 && name[0] == '#') {
        int code = 0;
        for (char c : name.substr(1)) {
            if (!std::isdigit(static_cast<unsigned char>(c)) || code > 0x10000) return " ";
            code = code * 10 + (c - '0');
        }
        if (code >= 32 && code < 127) return std::string(1, static_cast<char>(code));
    }
    return " ";
}

// The tag name of "<h1 class=x>" or "</h1>", lower case, without the slash.
std::string TagName(std::string_view tag) {
    std::size_t i = 1;
    if (i < tag.size() && tag[i] == '/') ++i;
    std::size_t start = i;
    while (i < tag.size() && std::isalnum(static_cast<unsigned char>(tag[i])))
        ++i;
    return Lower(tag.substr(start, i - start));
}

// The text between the first opening tag of that name and its closing tag.
std::string Element(std::string_view html, std::string_view name) {
    std::string open = "<" + std::string(name);
    std::size_t at = html.find(open);
    while (at != std::string_view::npos && at + open.size() < html.size() &&
           std::isalnum(static_cast<unsigned char>(html[at + open.size()])))
        at = html.find(open, at + 1);
    if (at == std::string_view::npos) return {};
    std::size_t begin = html.find('>', at);
    std::size_t end = html.find("</" + std::string(name), at);
    if (begin == std::string_view::npos || end == std::string_view::npos || end < begin) return {};
    return std::string(html.substr(begin + 1, end - begin - 1));
}

// The value of attribute in every tag named tag (any tag when empty) that has it.
std::vector<std::string> Attributes(std::string_view html, std::string_view tag,
                                    std::string_view attribute) {
    std::vector<std::string> values;
    for (std::size_t at = html.find('<'); at != std::string_view::npos;
         at = html.find('<', at + 1)) {
        std::size_t close = html.find('>', at);
        if (close == std::string_view::npos) break;
        std::string_view inside = html.substr(at, close - at);
        if (inside.starts_with("<!--") || inside.starts_with("</")) continue;
        if (!tag.empty() && TagName(inside) != tag) continue;
        std::string lower = Lower(inside);
        std::string key = " " + std::string(attribute) + "=\"";
        std::size_t found = lower.find(key);
        if (found == std::string::npos) continue;
        std::size_t begin = found + key.size();
        std::size_t end = inside.find('"', begin);
        if (end == std::string_view::npos) continue;
        values.emplace_back(inside.substr(begin, end - begin));
    }
    return values;
}

std::string Trimmed(std::string text) {
    std::size_t begin = text.find_first_not_of(' ');
    if (begin == std::string::npos) return {};
    std::size_t end = text.find_last_not_of(' ');
    return text.substr(begin, end - begin + 1);
}

// The page with every "<!--kalvora:fields COMMAND-->" replaced by that effect's table.
std::string FilledIn(std::string_view html) {
    std::string filled;
    std::size_t at = 0;
    while (true) {
        std::size_t marker = html.find(kFieldsMarker, at);
        std::size_t close = marker == std::string_view::npos ? marker : html.find("-->", marker);
        if (close == std::string_view::npos) break;
        filled += html.substr(at, marker - at);
        std::string_view command =
            html.substr(marker + kFieldsMarker.size(), close - marker - kFieldsMarker.size());
        if (const TEffectEntry* entry = FindEffect(command)) {
            filled += EffectFieldTableHtml(*entry);
        }
        at = close + 3;
    }
    filled += html.substr(at);
    return filled;
}

// How often the words occur one after the other in textWords, each as a word or the
// beginning of one.
int PhraseCount(const std::vector<std::string>& textWords, const std::vector<std::string>& words) {
    int count = 0;
    for (std::size_t i = 0; i + words.size() <= textWords.size(); ++i) {
        bool all = true;
        for (std::size_t w = 0; all && w < words.size(); ++w)
            all = textWords[i + w].starts_with(words[w]);
        count += all ? 1 : 0;
    }
    return count;
}

// The text around the phrase (the words with a blank between them), or else around the
// first word.
std::string Excerpt(const std::string& text, const std::vector<std::string>& words) {
    constexpr std::size_t before = 70;
    constexpr std::size_t after = 130;
    std::string lower = Lower(text);
    std::string phrase;
    for (const std::string& word : words)
        phrase += (phrase.empty() ? "" : " ") + word;
    std::size_t at = lower.find(phrase);
    if (at == std::string::npos) at = lower.find(words.front());
    if (at == std::string::npos) at = 0;
    std::size_t begin = at > before ? at - before : 0;
    std::size_t end = std::min(text.size(), at + after);
    // Start at a word, but never after the word found (a text without blanks has none).
    while (begin > 0 && begin < at && text[begin - 1] != ' ')
        ++begin;
    while (end < text.size() && text[end] != ' ')
        ++end;
    std::string excerpt = text.substr(begin, end - begin);
    if (begin > 0) excerpt = "..." + excerpt;
    if (end < text.size()) excerpt += "...";
    return excerpt;
}

}  // namespace

std::string HelpPlainText(std::string_view html) {
    std::string text;
    std::size_t i = 0;
    auto space = [&text] {
        if (!text.empty() && text.back() != ' ') text += ' ';
    };
    while (i < html.size()) {
        char c = html[i];
        if (c == '<') {
            std::size_t close = html.find('>', i);
            if (close == std::string_view::npos) break;
            std::string name = TagName(html.substr(i, close - i));
            if (html.compare(i, 4, "<!--") == 0) {
                close = html.find("-->", i);
                if (close == std::string_view::npos) break;
                close += 2;
            } else if ((name == "head" || name == "style" || name == "script") &&
                       html[i + 1] != '/') {
                close = html.find("</" + name, i);
                if (close == std::string_view::npos) break;
                close = html.find('>', close);
                if (close == std::string_view::npos) break;
            }
            // Inline tags join words; every other tag separates them.
            if (name != "b" && name != "i" && name != "code" && name != "a" && name != "em" &&
                name != "strong" && name != "kbd" && name != "span")
                space();
            i = close + 1;
        } else if (c == '&') {
            std::size_t semicolon = html.find(';', i);
            if (semicolon == std::string_view::npos || semicolon - i > 8) {
                text += '&';
                ++i;
            } else {
                text += Entity(html.substr(i + 1, semicolon - i - 1));
                i = semicolon + 1;
            }
        } else if (std::isspace(static_cast<unsigned char>(c))) {
            space();
            ++i;
        } else {
            text += c;
            ++i;
        }
    }
    return Trimmed(text);
}

std::vector<std::string> HelpWords(std::string_view text) {
    std::vector<std::string> words;
    std::string word;
    for (char c : text) {
        if (IsWordChar(c)) {
            word += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        } else if (!word.empty()) {
            words.push_back(word);
            word.clear();
        }
    }
    if (!word.empty()) words.push_back(word);
    return words;
}

std::vector<std::string> HelpLinks(std::string_view html) {
    return Attributes(html, "a", "href");
}

std::vector<std::string> HelpAnchors(std::string_view html) {
    std::vector<std::string> anchors = Attributes(html, "a", "name");
    std::vector<std::string> ids = Attributes(html, "", "id");
    anchors.insert(anchors.end(), ids.begin(), ids.end());
    return anchors;
}

std::vector<std::string> HelpImages(std::string_view html) {
    return Attributes(html, "img", "src");
}

THelpManual::THelpManual() {
    AddPage("commands.html", HelpContentsHtml());
    AddPage("shortcuts.html", HelpShortcutsHtml());
}

void THelpManual::AddPage(std::string_view name, std::string_view html) {
    THelpPage page{std::string(name), {}, FilledIn(html), {}};
    page.title = HelpPlainText(Element(page.html, "title"));
    if (page.title.empty()) page.title = HelpPlainText(Element(page.html, "h1"));
    if (page.title.empty()) page.title = page.name;
    page.text = HelpPlainText(page.html);
    auto same = std::find_if(pages_.begin(), pages_.end(),
                             [&](const THelpPage& p) { return p.name == name; });
    if (same != pages_.end()) {
        *same = std::move(page);
        Reindex();
    } else {
        pages_.push_back(std::move(page));
        IndexPage(pages_.size() - 1);
    }
}

void THelpManual::Reindex() {
    index_.clear();
    for (std::size_t i = 0; i < pages_.size(); ++i)
        IndexPage(i);
}

void THelpManual::IndexPage(std::size_t page) {
    for (const std::string& word : HelpWords(pages_[page].text))
        ++index_[word][page];
    for (const std::string& word : HelpWords(pages_[page].title))
        index_[word][page] += kTitleWeight;
}

const THelpPage* THelpManual::Find(std::string_view name) const {
    name = name.substr(0, name.find('#'));
    for (const THelpPage& page : pages_) {
        if (page.name == name) return &page;
    }
    return nullptr;
}

std::vector<THelpHit> THelpManual::Search(std::string_view query) const {
    std::vector<std::string> words = HelpWords(query);
    std::vector<THelpHit> hits;
    if (words.empty()) return hits;
    std::map<std::size_t, int> scores;
    for (std::size_t w = 0; w < words.size(); ++w) {
        std::map<std::size_t, int> found;
        for (auto it = index_.lower_bound(words[w]);
             it != index_.end() && it->first.starts_with(words[w]); ++it) {
            for (const auto& [page, count] : it->second)
                found[page] += count;
        }
        if (w == 0) {
            scores = std::move(found);
            continue;
        }
        std::map<std::size_t, int> both;
        for (const auto& [page, score] : scores) {
            auto other = found.find(page);
            if (other != found.end()) both[page] = score + other->second;
        }
        scores = std::move(both);
    }
    for (auto& [page, score] : scores) {
        if (words.size() > 1)
            score += kPhraseWeight * PhraseCount(HelpWords(pages_[page].text), words);
        hits.push_back(THelpHit{&pages_[page], score, Excerpt(pages_[page].text, words)});
    }
    std::stable_sort(hits.begin(), hits.end(),
                     [](const THelpHit& a, const THelpHit& b) { return a.score > b.score; });
    return hits;
}

std::string THelpManual::SearchResultHtml(std::string_view query) const {
    std::vector<THelpHit> hits = Search(query);
    std::string html = "<html><body>\n<h1>Topic Search</h1>\n";
    if (hits.empty()) {
        return html + "<p>No page of the manual holds &ldquo;" + HtmlEscaped(query) +
               "&rdquo;.</p>\n</body></html>\n";
    }
    for (const THelpHit& hit : hits) {
        html += "<p><a href=\"" + HtmlEscaped(hit.page->name) + "\"><b>" +
                HtmlEscaped(hit.page->title) + "</b></a><br/>" + HtmlEscaped(hit.excerpt) +
                "</p>\n";
    }
    return html + "</body></html>\n";
}

std::vector<std::string> THelpManual::BrokenLinks() const {
    std::vector<std::string> broken;
    for (const THelpPage& page : pages_) {
        for (const std::string& link : HelpLinks(page.html)) {
            if (link.starts_with("http:") || link.starts_with("https:") ||
                link.starts_with("mailto:"))
                continue;
            std::size_t hash = link.find('#');
            std::string target = link.substr(0, hash);
            const THelpPage* to = target.empty() ? &page : Find(target);
            bool ok = to != nullptr;
            if (ok && hash != std::string::npos) {
                std::vector<std::string> anchors = HelpAnchors(to->html);
                ok = std::find(anchors.begin(), anchors.end(), link.substr(hash + 1)) !=
                     anchors.end();
            }
            if (!ok) broken.push_back(page.name + " -> " + link);
        }
    }
    return broken;
}

}  // namespace kalvora
