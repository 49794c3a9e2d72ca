#include "xml/xml_document.h"

#include "platform/assertion.h"

namespace kalvora {
namespace {

TXMLReadResult Match(const TXMLTokenList& tokens, std::string version,
                     const TDTDGrammarPicker& grammarFor) {
    TXMLReadResult result;
    result.version = std::move(version);
    switch (tokens.GetKind()) {
        case xmlTokenEndOfFile:
            result.outcome = TXMLReadOutcome::missing;
            return result;
        case xmlTokenError:
            result.outcome = TXMLReadOutcome::rejected;
            result.message = tokens.GetError();
            return result;
        default:
            break;
    }
    const TDTDItem* grammar = grammarFor(result.version);
    if (grammar == nullptr) {
        result.outcome = TXMLReadOutcome::unknownVersion;
        return result;
    }
    auto container = std::make_unique<TXMLComplexElement>("Root");
    if (!MatchTokens(*grammar, tokens, *container, result.message)) {
        result.outcome = TXMLReadOutcome::rejected;
        return result;
    }
    if (container->GetFirst() == nullptr) {  // a grammar whose top may match nothing
        result.outcome = TXMLReadOutcome::rejected;
        result.message = "The file holds no element.";
        return result;
    }
    result.outcome = TXMLReadOutcome::read;
    result.container = std::move(container);
    return result;
}

}  // namespace

const TXMLItem& TXMLReadResult::Document() const {
    KALVORA_ASSERT(outcome == TXMLReadOutcome::read && container != nullptr &&
                   container->GetFirst() != nullptr);
    return *container->GetFirst();
}

TXMLReadResult ReadXMLFile(const std::filesystem::path& fileName, std::string defaultVersion,
                           const TDTDGrammarPicker& grammarFor) {
    const TXMLTokenList tokens = ReadTokens(fileName, defaultVersion);
    return Match(tokens, std::move(defaultVersion), grammarFor);
}

TXMLReadResult ReadXMLText(std::string_view fileBytes, std::string defaultVersion,
                           const TDTDGrammarPicker& grammarFor) {
    const TXMLTokenList tokens = ReadTokensFromText(fileBytes, defaultVersion);
    return Match(tokens, std::move(defaultVersion), grammarFor);
}

std::string UnknownVersionText(std::string_view fileKind, std::string_view knownVersion,
                               const std::string& version) {
    std::string only = "this program reads ";
    only.append(fileKind).append(" of version ").append(knownVersion).append(" only.");
    if (version.empty()) return "The file holds no Version: " + only;
    return "Unknown Version \"" + version + "\": " + only;
}

}  // namespace kalvora
