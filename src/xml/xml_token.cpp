#include "xml/xml_token.h"

#include <array>
#include <climits>
#include <cstdio>

#include "platform/assertion.h"

namespace kalvora {
namespace {

constexpr int endOfFile = -1;

enum class CharClass : std::uint8_t { blank, letter, digit, slash, open, close, end, other };

constexpr std::array<CharClass, 256> MakeClassTable() {
    std::array<CharClass, 256> table{};
    for (auto& entry : table)
        entry = CharClass::other;
    table[' '] = table['\t'] = table['\n'] = CharClass::blank;
    for (int c = 'A'; c <= 'Z'; ++c)
        table[c] = CharClass::letter;
    for (int c = 'a'; c <= 'z'; ++c)
        table[c] = CharClass::letter;
    for (int c = '0'; c <= '9'; ++c)
        table[c] = CharClass::digit;
    table['/'] = CharClass::slash;
    table['<'] = CharClass::open;
    table['>'] = CharClass::close;
    return table;
}

constexpr std::array<CharClass, 256> classTable = MakeClassTable();

CharClass Classify(int c) {
    return c == endOfFile ? CharClass::end : classTable[static_cast<unsigned char>(c)];
}

void Increment(std::int32_t& counter) {
    if (counter < INT32_MAX) ++counter;
}

// Every character moves the counters: visible characters of the dialect advance the column, a
// line feed starts a new line, other bytes and the end of the file leave both alone.
void Count(int c, CharClass charClass, std::int32_t& line, std::int32_t& column) {
    if (c == '\n') {
        Increment(line);
        column = 1;
    } else if (charClass != CharClass::other && charClass != CharClass::end) {
        Increment(column);
    }
}

char TextCharacter(int c) {
    return c == '\t' || c == '\n' || c == '\r' ? ' ' : static_cast<char>(c);
}

void Trim(std::string& text) {
    std::size_t first = 0;
    while (first < text.size() && static_cast<unsigned char>(text[first]) <= 32)
        ++first;
    std::size_t last = text.size();
    while (last > first && static_cast<unsigned char>(text[last - 1]) <= 32)
        --last;
    text.erase(last);
    text.erase(0, first);
}

// Begin, end and empty tags share their states: what kind of tag is being read is kept
// apart (see ReadToken).
enum class State : std::uint8_t {
    between,    // before a token
    text,       // in a text
    tagOpen,    // after '<' (or "</"), before the name
    name,       // in the name of a tag
    afterName,  // after the name (or after the '/' of an empty tag)
};

}  // namespace

const std::string& TXMLToken::GetElement() const {
    KALVORA_ASSERT(kind_ == xmlTokenBegin || kind_ == xmlTokenEnd || kind_ == xmlTokenEmpty);
    return value_;
}

const std::string& TXMLToken::GetText() const {
    KALVORA_ASSERT(kind_ == xmlTokenAttr);
    return value_;
}

const std::string& TXMLToken::GetError() const {
    KALVORA_ASSERT(kind_ == xmlTokenError || kind_ == xmlTokenStart || kind_ == xmlTokenEndOfFile);
    return value_;
}

int TXMLTokenReader::Get() {
    if (position_ >= bytes_.size()) return endOfFile;
    char c = bytes_[position_++];
    if (c == '\r' && position_ < bytes_.size() && bytes_[position_] == '\n') {
        c = bytes_[position_++];
    }
    return static_cast<unsigned char>(c);
}

void TXMLTokenReader::SkipHeaderLines() {
    for (int line = 0; line < 2; ++line) {
        for (int count = 0; count < 98; ++count) {
            const int c = Get();
            if (c == '\n' || c == endOfFile) break;
        }
    }
}

TXMLToken TXMLTokenReader::ReadToken(std::int32_t& line, std::int32_t& column) {
    State state = State::between;
    // A tag is a begin tag unless a '/' makes it an end tag (before the name) or an empty
    // tag (after it); a second '/' is an error.
    TXMLTokenKind tag = xmlTokenBegin;
    std::string value;
    const auto complete = [&](TXMLTokenKind kind) {
        --column;
        return TXMLToken(kind, std::move(value), line, column);
    };
    const auto error = [&](int c) {
        --column;
        std::string message = "unexpected ";
        if (c == endOfFile) {
            message += "end-of-file ";
        } else {
            message += '\'';
            message += static_cast<char>(c);
            message += '\'';
        }
        message +=
            " found in line " + std::to_string(line) + ", column " + std::to_string(column) + ".";
        return TXMLToken(xmlTokenError, std::move(message), line, column);
    };

    for (;;) {
        const std::size_t before = position_;
        const int c = Get();
        const CharClass charClass = Classify(c);
        Count(c, charClass, line, column);
        switch (state) {
            case State::between:
                switch (charClass) {
                    case CharClass::blank:
                        break;
                    case CharClass::open:
                        state = State::tagOpen;
                        break;
                    case CharClass::close:
                        return error(c);
                    case CharClass::end:
                        return complete(xmlTokenEndOfFile);
                    default:
                        value += TextCharacter(c);
                        state = State::text;
                        break;
                }
                break;
            case State::text:
                switch (charClass) {
                    case CharClass::open:
                        position_ = before;  // the '<' is read again, and counted again
                        Trim(value);
                        return complete(xmlTokenAttr);
                    case CharClass::close:
                    case CharClass::end:
                        return error(c);
                    default:
                        value += TextCharacter(c);
                        break;
                }
                break;
            case State::tagOpen:
                switch (charClass) {
                    case CharClass::blank:
                        break;
                    case CharClass::letter:
                    case CharClass::digit:
                        value += static_cast<char>(c);
                        state = State::name;
                        break;
                    case CharClass::slash:
                        if (tag != xmlTokenBegin) return error(c);
                        tag = xmlTokenEnd;
                        break;
                    default:
                        return error(c);
                }
                break;
            case State::name:
                if (charClass == CharClass::letter || charClass == CharClass::digit) {
                    value += static_cast<char>(c);
                    break;
                }
                // Any other character ends the name and is read as one after it.
                state = State::afterName;
                [[fallthrough]];
            case State::afterName:
                switch (charClass) {
                    case CharClass::blank:
                        break;
                    case CharClass::slash:
                        if (tag != xmlTokenBegin) return error(c);
                        tag = xmlTokenEmpty;
                        break;
                    case CharClass::close:
                        return complete(tag);
                    default:
                        return error(c);
                }
                break;
        }
    }
}

TXMLTokenList::TXMLTokenList() {
    tokens_.emplace_back(xmlTokenStart, "Unknown Error", 0, 0);
}

void TXMLTokenList::Fail(TXMLTokenKind kind, const std::string* message) {
    tokens_.resize(1);
    tokens_.shrink_to_fit();
    tokens_.front().kind_ = kind;
    if (message != nullptr) tokens_.front().value_ = *message;
}

void TXMLTokenList::Link() {
    for (std::size_t i = 0; i + 1 < tokens_.size(); ++i)
        tokens_[i].next_ = &tokens_[i + 1];
}

TXMLTokenList ReadTokensFromText(std::string_view fileBytes, std::string& version) {
    TXMLTokenList list;
    std::vector<TXMLToken>& tokens = list.tokens_;
    TXMLTokenReader reader(fileBytes);
    reader.SkipHeaderLines();
    std::int32_t line = 3;
    std::int32_t column = 1;
    for (;;) {
        tokens.push_back(reader.ReadToken(line, column));
        const TXMLToken& token = tokens.back();
        const TXMLToken& previous = tokens[tokens.size() - 2];
        if (token.GetKind() == xmlTokenAttr && previous.GetKind() == xmlTokenBegin &&
            previous.GetElement() == "Version") {
            version = token.GetText();
        }
        if (token.GetKind() == xmlTokenEndOfFile) break;
        if (token.GetKind() == xmlTokenError) {
            const std::string message = token.GetError();
            list.Fail(xmlTokenError, &message);
            return list;
        }
    }
    list.Link();
    return list;
}

TXMLTokenList ReadTokens(const std::filesystem::path& fileName, std::string& version) {
    std::string bytes;
    bool readable = false;
    if (std::FILE* file = std::fopen(fileName.c_str(), "rb")) {
        char block[1 << 16];
        std::size_t got = 0;
        while ((got = std::fread(block, 1, sizeof block, file)) > 0)
            bytes.append(block, got);
        readable = std::ferror(file) == 0;
        std::fclose(file);
    }
    if (!readable) {
        // Not there, not readable, or a folder: there is nothing to read.
        TXMLTokenList missing;
        missing.Fail(xmlTokenEndOfFile, nullptr);
        return missing;
    }
    return ReadTokensFromText(bytes, version);
}

}  // namespace kalvora
