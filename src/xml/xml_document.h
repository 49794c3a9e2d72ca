// Reading one XML file from start to finish, the way every owner of a file kind does it: read
// the tokens and the version, pick the grammar for that version, match the tokens into an
// element tree. Owners then walk the tree (xml_tree.h) and put the reasons of a rejection
// after their own words. Standard C++ and platform only.
//
//     TXMLReadResult file = ReadXMLFile(path, "", [](const std::string& version) {
//         return version == "8.0" ? ProjectGrammar().get() : nullptr;
//     });
//     switch (file.outcome) {
//         case TXMLReadOutcome::missing: ...            // the file cannot be opened
//         case TXMLReadOutcome::unknownVersion: ...     // file.version is not known
//         case TXMLReadOutcome::rejected: ...           // "Cannot read ...: " + file.message
//         case TXMLReadOutcome::read: Walk(file.Document());
//     }
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "xml/xml_grammar.h"

namespace kalvora {

enum class TXMLReadOutcome {
    read,            // matched: Document() is the document element
    missing,         // the file cannot be opened
    unknownVersion,  // the grammar picker knows no grammar for `version`
    rejected,        // a lexical error or a mismatch with the grammar: see `message`
};

struct TXMLReadResult {
    TXMLReadOutcome outcome = TXMLReadOutcome::missing;
    // The text of the file's last <Version> element, or the default given.
    std::string version;
    // Why the file was rejected.
    std::string message;
    // The container named "Root" that holds the document element once the file is read.
    std::unique_ptr<TXMLComplexElement> container;

    const TXMLItem& Document() const;
};

// The grammar for a version, or nullptr when the version is unknown.
using TDTDGrammarPicker = std::function<const TDTDItem*(const std::string& version)>;

TXMLReadResult ReadXMLFile(const std::filesystem::path& fileName, std::string defaultVersion,
                           const TDTDGrammarPicker& grammarFor);
// The same for the bytes of a whole file.
TXMLReadResult ReadXMLText(std::string_view fileBytes, std::string defaultVersion,
                           const TDTDGrammarPicker& grammarFor);

// What an owner says of a file whose version it does not read: "Unknown Version "x": this
// program reads <kind> of version <known> only.", or "The file holds no Version: ..." when
// the file named none.
std::string UnknownVersionText(std::string_view fileKind, std::string_view knownVersion,
                               const std::string& version);

}  // namespace kalvora
