// Feeds arbitrary files to the XML tokenizer and matches what reads against a grammar with
// repetition, choice, optional parts and nesting. Whatever matches must write back and read
// back to an equal tree.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "xml/xml_grammar.h"

namespace {

using namespace kalvora;

// Doc: (Version?, Head: (Title, Flag: empty?)?,
//       (Item | Group: (Item*, Mark: empty?) | Note)*, (End: empty | Tail)+)
// Item: (Name, (Value | Values: (Value+) | Nil: empty))
const TDTDItem& Grammar() {
    using namespace dtd;
    static const TDTDNode value = Text("Value");
    static const TDTDNode item = Element(
        "Item", Text("Name"), Choice(value, Element("Values", OneOrMore(value)), Empty("Nil")));
    static const TDTDNode grammar =
        Element("Doc", Optional(Text("Version")),
                Optional(Element("Head", Text("Title"), Optional(Empty("Flag")))),
                ZeroOrMore(Choice(item, Element("Group", ZeroOrMore(item), Optional(Empty("Mark"))),
                                  Text("Note"))),
                OneOrMore(Choice(Empty("End"), Text("Tail"))));
    return *grammar;
}

void Check(bool condition) {
    if (!condition) std::abort();
}

void CheckTokenList(const TXMLTokenList& tokens) {
    switch (tokens.GetKind()) {
        case xmlTokenStart: {
            const TXMLToken* token = tokens.Head().GetNext();
            std::size_t count = 0;
            for (; token->GetNext() != nullptr; token = token->GetNext()) {
                Check(token->GetKind() <= xmlTokenEmpty);
                ++count;
            }
            Check(token->GetKind() == xmlTokenEndOfFile && count + 1 == tokens.Size());
            break;
        }
        case xmlTokenError:
            Check(tokens.GetError().rfind("unexpected ", 0) == 0 && tokens.Size() == 0);
            break;
        default:
            Check(false);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::string version;
    const TXMLTokenList tokens = ReadTokensFromText(bytes, version);
    CheckTokenList(tokens);

    TXMLComplexElement container("Root");
    std::string message;
    if (!MatchTokens(Grammar(), tokens, container, message)) {
        Check(!message.empty());
        return 0;
    }
    const auto& document = static_cast<const TXMLComplexElement&>(*container.GetFirst());
    std::string error;
    if (!document.CheckWritable(error)) {
        // The reader trims texts, so only a text of control characters alone comes back empty.
        Check(error.find("its text is empty") != std::string::npos);
        return 0;
    }
    std::string written;
    document.WriteDocument(written);
    std::string writtenVersion;
    const TXMLTokenList again = ReadTokensFromText(written, writtenVersion);
    TXMLComplexElement reread("Root");
    Check(MatchTokens(Grammar(), again, reread, message));
    Check(SameTree(container.GetFirst(), reread.GetFirst()));
    return 0;
}
