// The manual's readers: a help page's HTML (its title, text, links, anchors and the generated
// parts it asks for) and the words typed into the topic search.
#include <cstddef>
#include <cstdint>
#include <string>

#include "shell/help_manual.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    static const kalvora::THelpManual generated;
    generated.SearchResultHtml(text);
    kalvora::THelpManual manual;
    manual.AddPage("fuzz.html", text);
    manual.Search(text);
    manual.BrokenLinks();
    kalvora::HelpImages(text);
    return 0;
}
