// The XML tokenizer: reads a whole file of the system's XML dialect into a list of tokens that
// the grammar matcher (xml_grammar.h) walks. The dialect is the one the writer produces: begin,
// end and empty-element tags named with ASCII letters and digits, and text between tags. No
// attributes, comments, processing instructions, CDATA or entities; the first two lines (the
// XML declaration and the DOCTYPE line) are skipped unread. Standard C++ and platform only.
//
// A token list starts with a head token that carries the outcome of the read and stands at
// line 0, column 0, so that messages about a wrong or missing document element have a place.
//
//     std::string version = "7.0";                 // kept when the file has no Version
//     TXMLTokenList tokens = ReadTokens(path, version);
//     if (tokens.GetKind() == xmlTokenEndOfFile) ... // the file cannot be opened
//     if (tokens.GetKind() == xmlTokenError) ...     // tokens.GetError() says why
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace kalvora {

enum TXMLTokenKind : std::uint8_t {
    xmlTokenAttr,       // text between tags (the program's word for text content)
    xmlTokenBegin,      // <Name>
    xmlTokenEnd,        // </Name>
    xmlTokenEmpty,      // <Name />
    xmlTokenEndOfFile,  // end of the file; also a head whose file cannot be opened
    xmlTokenError,      // a lexical error; also a head whose file held one
    xmlTokenStart,      // the head of a list read from a file
};

class TXMLToken {
  public:
    TXMLToken() = default;
    TXMLToken(TXMLTokenKind kind, std::string value, std::int32_t line, std::int32_t column)
        : value_(std::move(value)), line_(line), column_(column), kind_(kind) {}

    TXMLTokenKind GetKind() const { return kind_; }
    // The tag name; only of begin, end and empty tokens.
    const std::string& GetElement() const;
    // The trimmed text; only of text tokens.
    const std::string& GetText() const;
    // The message; only of error tokens and heads.
    const std::string& GetError() const;
    std::int32_t GetLine() const { return line_; }
    std::int32_t GetColumn() const { return column_; }
    // The following token, or nullptr after the last one.
    const TXMLToken* GetNext() const { return next_; }

  private:
    friend class TXMLTokenList;

    std::string value_;  // name, text or message, by kind
    const TXMLToken* next_ = nullptr;
    std::int32_t line_ = 0;
    std::int32_t column_ = 0;
    TXMLTokenKind kind_ = xmlTokenStart;
};

// Reads tokens one at a time from the bytes of a file, with the running line and column
// counters of the caller. A carriage return before a line feed is dropped, so CR LF and LF
// files read alike.
class TXMLTokenReader {
  public:
    explicit TXMLTokenReader(std::string_view bytes) : bytes_(bytes) {}

    // Discards the two header lines: each time up to and including the next line feed, but
    // at most 98 characters.
    void SkipHeaderLines();
    // Reads exactly one token; the last one of a file is an end-of-file or error token.
    TXMLToken ReadToken(std::int32_t& line, std::int32_t& column);

  private:
    int Get();

    std::string_view bytes_;
    std::size_t position_ = 0;
};

// A head token and the tokens of the file after it. The list owns every token; destroying it
// frees them all without recursion, however long the file.
class TXMLTokenList {
  public:
    TXMLTokenList();
    TXMLTokenList(TXMLTokenList&&) noexcept = default;
    TXMLTokenList& operator=(TXMLTokenList&&) noexcept = default;

    // The head: xmlTokenStart (complete list ending in xmlTokenEndOfFile), xmlTokenEndOfFile
    // (the file cannot be opened; no tokens) or xmlTokenError (no tokens; see GetError).
    const TXMLToken& Head() const { return tokens_.front(); }
    TXMLTokenKind GetKind() const { return Head().GetKind(); }
    const std::string& GetError() const { return Head().GetError(); }
    // The tokens after the head; 0 unless the read succeeded.
    std::size_t Size() const { return tokens_.size() - 1; }

  private:
    friend TXMLTokenList ReadTokensFromText(std::string_view, std::string&);
    friend TXMLTokenList ReadTokens(const std::filesystem::path&, std::string&);

    // Makes the head tell a failed read and drops the tokens.
    void Fail(TXMLTokenKind kind, const std::string* message);
    // Chains the tokens once the vector no longer grows.
    void Link();

    std::vector<TXMLToken> tokens_;  // the head first
};

// Reads the named file. `version` receives the text of the last <Version> element that holds
// text directly; it keeps the caller's value when there is none.
TXMLTokenList ReadTokens(const std::filesystem::path& fileName, std::string& version);
// The same for the bytes of a whole file, header lines included.
TXMLTokenList ReadTokensFromText(std::string_view fileBytes, std::string& version);

}  // namespace kalvora
