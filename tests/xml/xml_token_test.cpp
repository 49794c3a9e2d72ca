#include "xml/xml_token.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "xml/xml_test_support.h"

namespace kalvora {
namespace {

using testing::ToCrLf;
using testing::WithHeader;

// One token in a short written form: <Name>, </Name>, <Name/>, 'text' or EOF, with "@line,column"
// when positions are asked for.
std::string Describe(const TXMLToken& token, bool withPosition) {
    std::string text;
    switch (token.GetKind()) {
        case xmlTokenBegin:
            text = "<" + token.GetElement() + ">";
            break;
        case xmlTokenEnd:
            text = "</" + token.GetElement() + ">";
            break;
        case xmlTokenEmpty:
            text = "<" + token.GetElement() + "/>";
            break;
        case xmlTokenAttr:
            text = "'" + token.GetText() + "'";
            break;
        case xmlTokenEndOfFile:
            text = "EOF";
            break;
        default:
            text = "?";
            break;
    }
    if (withPosition) {
        text += "@" + std::to_string(token.GetLine()) + "," + std::to_string(token.GetColumn());
    }
    return text;
}

std::vector<std::string> Tokens(const TXMLTokenList& list, bool withPosition = false) {
    std::vector<std::string> out;
    for (const TXMLToken* token = list.Head().GetNext(); token != nullptr;
         token = token->GetNext()) {
        out.push_back(Describe(*token, withPosition));
    }
    return out;
}

TXMLTokenList Read(const std::string& body) {
    std::string version;
    return ReadTokensFromText(WithHeader(body), version);
}

using Strings = std::vector<std::string>;

TEST(XMLTokenTest, HeaderAndBlankLinesOnlyGiveOneEndOfFileToken) {
    const TXMLTokenList list = Read("\n \t\n\n");
    EXPECT_EQ(list.GetKind(), xmlTokenStart);
    EXPECT_EQ(Tokens(list), Strings{"EOF"});
}

TEST(XMLTokenTest, HeadStandsAtLineZeroColumnZero) {
    const TXMLTokenList list = Read("<A />");
    EXPECT_EQ(list.Head().GetLine(), 0);
    EXPECT_EQ(list.Head().GetColumn(), 0);
    EXPECT_EQ(list.GetError(), "Unknown Error");
}

TEST(XMLTokenTest, BlanksMayStandInsideTags) {
    const struct {
        const char* text;
        const char* token;
    } cases[] = {
        {"<Name >", "<Name>"},     {"< Name>", "<Name>"},    {"<Name/>", "<Name/>"},
        {"<Name  / >", "<Name/>"}, {"</ Name >", "</Name>"}, {"<\n Name\t>", "<Name>"},
        {"<7up>", "<7up>"},        {"</x1\n>", "</x1>"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Tokens(Read(c.text)), (Strings{c.token, "EOF"})) << c.text;
    }
}

TEST(XMLTokenTest, TextIsTrimmedAndLineEndsBecomeBlanksButNothingIsDecoded) {
    EXPECT_EQ(Tokens(Read("<Name>a &amp; b</Name>")),
              (Strings{"<Name>", "'a &amp; b'", "</Name>", "EOF"}));
    EXPECT_EQ(Tokens(Read("<T>  first\n\tsecond  \n</T>")),
              (Strings{"<T>", "'first  second'", "</T>", "EOF"}));
    EXPECT_EQ(Tokens(Read("<T>a/b\rc</T>")), (Strings{"<T>", "'a/b c'", "</T>", "EOF"}));
    // Control characters at the ends are trimmed like blanks; high bytes are kept.
    EXPECT_EQ(Tokens(Read("<T>\x01\xe9t\xe9\x02</T>")),
              (Strings{"<T>", "'\xe9t\xe9'", "</T>", "EOF"}));
}

TEST(XMLTokenTest, LexicalErrorsNameTheCharacterAndItsPosition) {
    // Columns follow the counting rule: visible characters of the dialect advance the column,
    // other bytes do not, and each completed token takes one back.
    const struct {
        const char* body;
        const char* message;
    } cases[] = {
        {"<Name a=\"1\">", "unexpected 'a' found in line 4, column 7."},
        {"<!-- x -->", "unexpected '!' found in line 4, column 1."},
        {"<A>text", "unexpected end-of-file  found in line 4, column 6."},
        {"<A", "unexpected end-of-file  found in line 4, column 2."},
        {">", "unexpected '>' found in line 4, column 1."},
        {"<A>a>b</A>", "unexpected '>' found in line 4, column 4."},
        {"<<A>", "unexpected '<' found in line 4, column 2."},
        {"<A_B>", "unexpected '_' found in line 4, column 2."},
        {"<A/B>", "unexpected 'B' found in line 4, column 4."},
        {"<A>\n  <?x?>", "unexpected '?' found in line 5, column 3."},
        {"<\xe9>", "unexpected '\xe9' found in line 4, column 1."},
        {"</A B>", "unexpected 'B' found in line 4, column 5."},
    };
    for (const auto& c : cases) {
        const TXMLTokenList list = Read(c.body);
        EXPECT_EQ(list.GetKind(), xmlTokenError) << c.body;
        EXPECT_EQ(list.GetError(), c.message) << c.body;
        EXPECT_EQ(list.Size(), 0u) << c.body;
    }
}

TEST(XMLTokenTest, PositionsCountHeaderLinesAndLowerTheColumnPerToken) {
    const TXMLTokenList list = Read("<Root>\n  <A>x=y</A>\n  <B />\n</Root>\n");
    EXPECT_EQ(Tokens(list, true), (Strings{"<Root>@4,6", "<A>@5,5", "'x=y'@5,7", "</A>@5,10",
                                           "<B/>@6,7", "</Root>@7,7", "EOF@8,0"}));
}

TEST(XMLTokenTest, CrLfFilesReadExactlyLikeLfFiles) {
    const std::string body = "<Root>\n  <A>one\ntwo</A>\n  <B />\n</Root>\n";
    std::string lfVersion;
    std::string crlfVersion;
    const TXMLTokenList lf = ReadTokensFromText(WithHeader(body), lfVersion);
    const TXMLTokenList crlf = ReadTokensFromText(ToCrLf(WithHeader(body)), crlfVersion);
    EXPECT_EQ(Tokens(crlf, true), Tokens(lf, true));

    const std::string broken = "<Root>\n  <A>one\n\n  <B =/>";
    EXPECT_EQ(ReadTokensFromText(ToCrLf(WithHeader(broken)), crlfVersion).GetError(),
              ReadTokensFromText(WithHeader(broken), lfVersion).GetError());
}

TEST(XMLTokenTest, VersionIsTheTextOfTheLastVersionElement) {
    const struct {
        const char* body;
        const char* version;
    } cases[] = {
        {"<P><Version>8.0</Version></P>", "8.0"},
        {"<P><X><Version> 7.1 </Version></X></P>", "7.1"},
        {"<P><Version>7.0</Version><Version>7.1</Version></P>", "7.1"},
        {"<P><Version><A>1</A></Version></P>", "default"},
        {"<P><version>7.0</version></P>", "default"},
        {"<P></P>", "default"},
    };
    for (const auto& c : cases) {
        std::string version = "default";
        ReadTokensFromText(WithHeader(c.body), version);
        EXPECT_EQ(version, c.version) << c.body;
    }
}

TEST(XMLTokenTest, HeaderLinesAreSkippedAtMost98CharactersEach) {
    // A first line longer than that spills into the second skip, so the DOCTYPE line is read.
    std::string version;
    const std::string file = std::string(100, 'x') + "\n<!DOCTYPE Doc>\n<A />";
    EXPECT_EQ(ReadTokensFromText(file, version).GetError(),
              "unexpected '!' found in line 3, column 1.");
    EXPECT_EQ(ReadTokensFromText(std::string(97, 'x') + "\n\n<A />", version).GetKind(),
              xmlTokenStart);
}

TEST(XMLTokenTest, EmptyInputGivesOnlyTheEndOfFile) {
    std::string version;
    EXPECT_EQ(Tokens(ReadTokensFromText("", version)), Strings{"EOF"});
}

class XMLTokenFileTest : public testing::ScratchFolderTest {};

TEST_F(XMLTokenFileTest, ReadsAFileAndTellsAMissingOne) {
    const auto file = folder_ / "a.kvp";
    testing::Put(file, WithHeader("<P>\n  <Version>8.0</Version>\n</P>\n"));
    std::string version = "none";
    const TXMLTokenList list = ReadTokens(file, version);
    EXPECT_EQ(list.GetKind(), xmlTokenStart);
    EXPECT_EQ(Tokens(list), (Strings{"<P>", "<Version>", "'8.0'", "</Version>", "</P>", "EOF"}));
    EXPECT_EQ(version, "8.0");

    std::string untouched = "none";
    EXPECT_EQ(ReadTokens(folder_ / "missing.kvp", untouched).GetKind(), xmlTokenEndOfFile);
    EXPECT_EQ(ReadTokens(folder_, untouched).GetKind(), xmlTokenEndOfFile);
    EXPECT_EQ(untouched, "none");
}

TEST(XMLTokenDeathTest, AskingATokenOfTheWrongKindIsAProgrammingError) {
    const TXMLTokenList list = Read("<A>t</A>");
    EXPECT_DEATH(list.Head().GetNext()->GetText(), "failed!");
    EXPECT_DEATH(list.Head().GetNext()->GetNext()->GetElement(), "failed!");
}

}  // namespace
}  // namespace kalvora
