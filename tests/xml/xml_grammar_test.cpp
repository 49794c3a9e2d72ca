#include "xml/xml_grammar.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "xml/xml_test_support.h"

namespace kalvora {
namespace {

using namespace dtd;
using testing::WithHeader;

// A tree in one line: Doc(A='1',B(),C) for a text A, a complex B without children written
// <B></B> or <B />, and so on. Small trees only.
std::string Shape(const TXMLItem& item) {
    if (!item.IsComplex()) return item.GetElement() + "='" + item.GetString() + "'";
    std::string out = item.GetElement() + "(";
    for (const TXMLItem* child = item.GetFirst(); child != nullptr; child = child->GetNext()) {
        if (child != item.GetFirst()) out += ",";
        out += Shape(*child);
    }
    return out + ")";
}

struct Outcome {
    bool matched = false;
    std::string message;
    std::unique_ptr<TXMLComplexElement> container = std::make_unique<TXMLComplexElement>("Root");

    std::string Tree() const { return Shape(*container); }
};

Outcome MatchBody(const TDTDNode& grammar, const std::string& body) {
    std::string version;
    const TXMLTokenList tokens = ReadTokensFromText(WithHeader(body), version);
    Outcome outcome;
    outcome.matched = MatchTokens(*grammar, tokens, *outcome.container, outcome.message);
    return outcome;
}

TEST(DTDNotationTest, BuildersNestToTheRightAndPrintAsTheNotation) {
    const TDTDNode palette = Element("ColorPalette1D", Text("BeginColor"),
                                     ZeroOrMore(Element("ColorPalette1DItem", Text("Position"),
                                                        Optional(Empty("UseColorAfter")))),
                                     Text("EndColor"));
    EXPECT_EQ(palette->Notation(),
              "ColorPalette1D: (BeginColor: text, (ColorPalette1DItem: (Position: text, "
              "(UseColorAfter: empty)?))*, EndColor: text)");
    const TDTDNode view = Element("View", Choice(Empty("A"), Empty("B"), Empty("C")),
                                  OneOrMore(Choice(Text("D"), Text("E"))), palette,
                                  Optional(Sequence(Text("F"), Text("G"))));
    EXPECT_EQ(view->Notation(),
              "View: ((A: empty | B: empty | C: empty), (D: text | E: text)+, ColorPalette1D: "
              "(BeginColor: text, (ColorPalette1DItem: (Position: text, (UseColorAfter: "
              "empty)?))*, EndColor: text), (F: text, G: text)?)");
    // Nesting to the left shows in parentheses.
    EXPECT_EQ(std::make_shared<TDTDConcat>(Sequence(Text("A"), Text("B")), Text("C"))->Notation(),
              "(A: text, B: text), C: text");
    EXPECT_EQ(Choice(Sequence(Text("A"), Text("B")), Text("C"))->Notation(),
              "(A: text, B: text) | C: text");
}

TEST(DTDNotationTest, CanBeEmptyFollowsTheOperators) {
    const TDTDNode a = Text("A");
    EXPECT_FALSE(a->CanBeEmpty());
    EXPECT_FALSE(Empty("E")->CanBeEmpty());
    EXPECT_TRUE(Nothing()->CanBeEmpty());
    EXPECT_TRUE(Optional(a)->CanBeEmpty());
    EXPECT_TRUE(ZeroOrMore(a)->CanBeEmpty());
    EXPECT_FALSE(OneOrMore(a)->CanBeEmpty());
    EXPECT_FALSE(Sequence(a, Optional(a))->CanBeEmpty());
    EXPECT_TRUE(Sequence(Optional(a), ZeroOrMore(a))->CanBeEmpty());
    EXPECT_TRUE(Choice(a, Optional(a))->CanBeEmpty());
    EXPECT_FALSE(Choice(a, a)->CanBeEmpty());
}

TEST(DTDMatchTest, OptionalContentAcceptsBothEmptyForms) {
    const TDTDNode grammar = Element("Name", Optional(Text("X")));
    for (const char* body : {"<Name />", "<Name></Name>", "<Name>\n  </Name>"}) {
        const Outcome outcome = MatchBody(grammar, body);
        EXPECT_TRUE(outcome.matched) << body << ": " << outcome.message;
        EXPECT_EQ(outcome.Tree(), "Root(Name())") << body;
    }
    EXPECT_EQ(MatchBody(grammar, "<Name><X>1</X></Name>").Tree(), "Root(Name(X='1'))");
}

TEST(DTDMatchTest, WholeDocumentIsBuiltWithPositions) {
    const TDTDNode grammar = Element("Doc", Text("A"), Element("B", Text("C")), Empty("E"));
    const Outcome outcome = MatchBody(
        grammar, "<Doc>\n  <A>1</A>\n  <B>\n    <C>two words</C>\n  </B>\n  <E/>\n</Doc>\n");
    ASSERT_TRUE(outcome.matched) << outcome.message;
    EXPECT_EQ(outcome.Tree(), "Root(Doc(A='1',B(C='two words'),E()))");
    const TXMLItem& doc = *outcome.container->GetFirst();
    const TXMLItem& a = *doc.GetFirst();
    const TXMLItem& b = *a.GetNext();
    const TXMLItem& c = *b.GetFirst();
    const TXMLItem& e = *b.GetNext();
    // The document element carries the head's position; the others that of their begin tag.
    EXPECT_EQ(std::make_pair(doc.GetLine(), doc.GetColumn()), std::make_pair(0, 0));
    EXPECT_EQ(std::make_pair(a.GetLine(), a.GetColumn()), std::make_pair(5, 5));
    EXPECT_EQ(std::make_pair(b.GetLine(), b.GetColumn()), std::make_pair(6, 5));
    EXPECT_EQ(std::make_pair(c.GetLine(), c.GetColumn()), std::make_pair(7, 7));
    EXPECT_EQ(std::make_pair(e.GetLine(), e.GetColumn()), std::make_pair(9, 6));
}

struct FailureCase {
    const char* body;
    const char* message;
};

void ExpectFailures(const TDTDNode& grammar, std::initializer_list<FailureCase> cases) {
    for (const auto& c : cases) {
        const Outcome outcome = MatchBody(grammar, c.body);
        EXPECT_FALSE(outcome.matched) << c.body;
        EXPECT_EQ(outcome.message, c.message) << c.body;
    }
}

TEST(DTDMatchTest, MessagesNameTheTokenMetAndTheElementExpected) {
    ExpectFailures(Element("Doc", Element("Inner", Empty("Want"))),
                   {
                       {"<Doc><Inner>hello</Inner></Doc>",
                        "unexpected text \"hello\", expect begin of element \"Want\", at line 4, "
                        "column 16."},
                       {"<Doc><Inner><Other>x</Other></Inner></Doc>",
                        "unexpected begin of element \"Other\", expect begin of element \"Want\", "
                        "at line 4, column 17."},
                       {"<Doc><Inner><Other /></Inner></Doc>",
                        "unexpected empty element \"Other\", expect begin of element \"Want\", at "
                        "line 4, column 19."},
                       {"<Doc><Inner></Inner></Doc>",
                        "unexpected end of element \"Inner\", expect begin of element \"Want\", at "
                        "line 4, column 18."},
                       {"<Doc><Inner>",
                        "unexpected end-of-file, expect begin of element \"Want\", at line 4, "
                        "column 10."},
                   });
    // A text element's expectation ends with a full stop.
    ExpectFailures(Element("Doc", Element("Inner", Text("Want"))),
                   {
                       {"<Doc><Inner>hello</Inner></Doc>",
                        "unexpected text \"hello\", expect begin of element \"Want\". at line 4, "
                        "column 16."},
                       {"<Doc><Inner><Other>x</Other></Inner></Doc>",
                        "unexpected begin of element \"Other\", expect begin of element \"Want\". "
                        "at line 4, column 17."},
                       {"<Doc><Inner><Want /></Inner></Doc>",
                        "unexpected empty element \"Want\", expect begin of element \"Want\". at "
                        "line 4, column 18."},
                       {"<Doc><Inner>",
                        "unexpected end-of-file, expect begin of element \"Want\". at line 4, "
                        "column 10."},
                   });
    // Inside a text element the text is expected, at the position of its begin tag.
    ExpectFailures(Element("Doc", Text("A")),
                   {
                       {"<Doc><A><B>1</B></A></Doc>",
                        "unexpected begin of element \"B\", expect text, at line 4, column 7."},
                       {"<Doc><A><B /></A></Doc>",
                        "unexpected empty element \"B\", expect text, at line 4, column 7."},
                       {"<Doc>\n  <A></A></Doc>",
                        "unexpected end of element \"A\", expect text, at line 5, column 5."},
                       {"<Doc><A>", "unexpected end-of-file, expect text, at line 4, column 7."},
                   });
    // After the content the end tag is expected.
    ExpectFailures(Element("Doc", Element("Inner", Text("A"))),
                   {
                       {"<Doc><Inner><A>1</A>hi</Inner></Doc>",
                        "unexpected text \"hi\", expect end of element \"Inner\", at line 4, "
                        "column 19."},
                       {"<Doc><Inner><A>1</A><A>2</A></Inner></Doc>",
                        "unexpected begin of element \"A\", expect end of element \"Inner\", at "
                        "line 4, column 19."},
                       {"<Doc><Inner><A>1</A><B /></Inner></Doc>",
                        "unexpected empty element \"B\", expect end of element \"Inner\", at line "
                        "4, column 21."},
                       {"<Doc><Inner><A>1</A>",
                        "unexpected end-of-file, expect end of element \"Inner\", at line 4, "
                        "column 16."},
                       {"<Doc><Inner><A>1</A></B></Doc>",
                        "end of element \"B\" does not match begin of element \"Inner\", at line "
                        "4, column 20."},
                   });
}

TEST(DTDMatchTest, EmptyTagOfAnElementThatNeedsContentIsRefused) {
    const TDTDNode inner = Element("Name", Text("X"));
    ExpectFailures(inner,
                   {{"<Name />", "element \"Name\" should not be empty, at line 0, column 0."}});
    ExpectFailures(Element("Doc", inner),
                   {{"<Doc>\n  <Name />\n</Doc>",
                     "element \"Name\" should not be empty, at line 5, column 10."}});
}

TEST(DTDMatchTest, WrongOrMissingDocumentElementIsReportedAtLineZero) {
    ExpectFailures(Element("Doc", Text("A")),
                   {
                       {"",
                        "unexpected end-of-file, expect begin of element \"Doc\", at line 0, "
                        "column 0."},
                       {"<Other>",
                        "unexpected begin of element \"Other\", expect begin of "
                        "element \"Doc\", at line 0, column 0."},
                       {"<Other />",
                        "unexpected empty element \"Other\", expect begin of element "
                        "\"Doc\", at line 0, column 0."},
                       {"</Doc>",
                        "unexpected end of element \"Doc\", expect begin of element "
                        "\"Doc\", at line 0, column 0."},
                   });
}

TEST(DTDMatchTest, LastAlternativeIsReportedWhenNoneFits) {
    ExpectFailures(Element("Doc", Text("A"), Choice(Text("B"), Text("C"), Text("D")), Text("E")),
                   {{"<Doc>\n  <A>1</A>\n  <F>2</F>\n  <E>3</E>\n</Doc>",
                     "unexpected begin of element \"F\", expect begin of element \"D\". at line 6, "
                     "column 5."}});
    ExpectFailures(Element("Doc", Choice(Empty("B"), Empty("C"), Empty("D"))),
                   {{"<Doc>\n  <F />\n</Doc>",
                     "unexpected empty element \"F\", expect begin of element \"D\", at line 5, "
                     "column 7."}});
}

TEST(DTDMatchTest, FailedAlternativeLeavesNothingBehind) {
    const TDTDNode ab = Sequence(Text("A"), Text("B"));
    const TDTDNode ac = Sequence(Text("A"), Text("C"));
    EXPECT_EQ(MatchBody(Element("Doc", Choice(ab, ac)), "<Doc><A>1</A><C>3</C></Doc>").Tree(),
              "Root(Doc(A='1',C='3'))");
    EXPECT_EQ(
        MatchBody(Element("Doc", Text("Z"), Choice(ab, ac)), "<Doc><Z>0</Z><A>1</A><C>3</C></Doc>")
            .Tree(),
        "Root(Doc(Z='0',A='1',C='3'))");
    // The same for an optional item and for the run that ends a repetition.
    EXPECT_EQ(MatchBody(Element("Doc", Optional(ab), ac), "<Doc><A>1</A><C>3</C></Doc>").Tree(),
              "Root(Doc(A='1',C='3'))");
    EXPECT_EQ(MatchBody(Element("Doc", ZeroOrMore(ab), ac),
                        "<Doc><A>1</A><B>2</B><A>3</A><B>4</B><A>5</A><C>6</C></Doc>")
                  .Tree(),
              "Root(Doc(A='1',B='2',A='3',B='4',A='5',C='6'))");
}

TEST(DTDMatchTest, RepetitionsMatchZeroOrOneOrMoreTimes) {
    const TDTDNode many = Element("Doc", ZeroOrMore(Text("A")), Text("Z"));
    EXPECT_EQ(MatchBody(many, "<Doc><Z>0</Z></Doc>").Tree(), "Root(Doc(Z='0'))");
    EXPECT_EQ(MatchBody(many, "<Doc><A>1</A><A>2</A><Z>0</Z></Doc>").Tree(),
              "Root(Doc(A='1',A='2',Z='0'))");
    const TDTDNode some = Element("Doc", OneOrMore(Text("A")));
    EXPECT_EQ(MatchBody(some, "<Doc><A>1</A><A>2</A></Doc>").Tree(), "Root(Doc(A='1',A='2'))");
    ExpectFailures(some, {{"<Doc><Z>0</Z></Doc>",
                           "unexpected begin of element \"Z\", expect begin of element \"A\". at "
                           "line 4, column 7."}});
    // A repetition ends at the first item that does not fit; what follows must fit the rest.
    ExpectFailures(many, {{"<Doc><A>1</A><B>2</B></Doc>",
                           "unexpected begin of element \"B\", expect begin of element \"Z\". at "
                           "line 4, column 13."}});
}

TEST(DTDMatchTest, FailureInsideABegunElementIsFinal) {
    // The second alternative would fit, but the first has consumed <A>.
    ExpectFailures(Element("Doc", Choice(Element("A", Text("X")), Element("A", Text("Y")))),
                   {{"<Doc><A><Y>1</Y></A></Doc>",
                     "unexpected begin of element \"Y\", expect begin of element \"X\". at line "
                     "4, column 9."}});
    // A wrong end tag ends the match whatever alternatives remain.
    ExpectFailures(Element("Doc", ZeroOrMore(Choice(Text("A"), Text("B"))), Optional(Text("C"))),
                   {{"<Doc><A>1</B></Doc>",
                     "end of element \"B\" does not match begin of element \"A\", at line 4, "
                     "column 11."}});
    // A text where an element must begin is final too.
    ExpectFailures(Element("Doc", Optional(Text("A")), Optional(Empty("B"))),
                   {{"<Doc>stray</Doc>",
                     "unexpected text \"stray\", expect begin of element \"A\". at line 4, "
                     "column 10."}});
}

TEST(DTDMatchTest, EmptyTagNeverSatisfiesATextElementButMayFitAnAlternative) {
    const TDTDNode grammar = Element("Doc", Choice(Text("Name"), Empty("Name")));
    EXPECT_EQ(MatchBody(grammar, "<Doc><Name /></Doc>").Tree(), "Root(Doc(Name()))");
    EXPECT_EQ(MatchBody(grammar, "<Doc><Name>x</Name></Doc>").Tree(), "Root(Doc(Name='x'))");
}

TEST(DTDMatchTest, TokensAfterTheDocumentElementAreNotExamined) {
    const Outcome outcome =
        MatchBody(Element("Doc", Text("A")), "<Doc><A>1</A></Doc>\n<Other>x</Other></Stray><B />");
    EXPECT_TRUE(outcome.matched) << outcome.message;
    EXPECT_EQ(outcome.Tree(), "Root(Doc(A='1'))");
}

TEST(DTDMatchTest, UnreadableListsGiveTheReadersMessage) {
    const TDTDNode grammar = Element("Doc", Text("A"));
    std::string version;
    TXMLComplexElement container("Root");
    std::string message;
    EXPECT_FALSE(MatchTokens(*grammar, ReadTokensFromText(WithHeader("<Doc><="), version),
                             container, message));
    EXPECT_EQ(message, "unexpected '=' found in line 4, column 5.");
    EXPECT_FALSE(
        MatchTokens(*grammar, ReadTokens("/no/such/file.kvp", version), container, message));
    EXPECT_EQ(message,
              "unexpected end-of-file, expect begin of element \"Doc\", at line 0, column 0.");
    EXPECT_EQ(container.GetFirst(), nullptr);
}

TEST(DTDMatchTest, HundredsOfThousandsOfRepeatedElementsNeedNoStack) {
    // Notes with an optional element and a choice, the shape of a long piece of music.
    const TDTDNode grammar = Element(
        "Music", Text("Version"),
        ZeroOrMore(Choice(Element("Note", Text("Height"), Optional(Empty("Dot"))), Empty("Rest"))),
        OneOrMore(Empty("Bar")));
    constexpr int count = 200000;
    std::string body = "<Music>\n<Version>7.1</Version>\n";
    for (int i = 0; i < count; ++i) {
        body += i % 3 == 2 ? "<Rest />\n" : "<Note><Height>5</Height><Dot /></Note>\n";
    }
    for (int i = 0; i < count; ++i)
        body += "<Bar />\n";
    body += "</Music>\n";
    const Outcome outcome = MatchBody(grammar, body);
    ASSERT_TRUE(outcome.matched) << outcome.message;
    int children = 0;
    for (const TXMLItem* child = outcome.container->GetFirst()->GetFirst(); child != nullptr;
         child = child->GetNext()) {
        ++children;
    }
    EXPECT_EQ(children, 1 + 2 * count);
}

TEST(DTDGrammarDeathTest, RepeatingWhatCanBeEmptyIsAProgrammingError) {
    EXPECT_DEATH(ZeroOrMore(Optional(Text("A"))), "failed!");
    EXPECT_DEATH(OneOrMore(ZeroOrMore(Text("A"))), "failed!");
    EXPECT_DEATH(Text("Colour_1"), "failed!");
}

}  // namespace
}  // namespace kalvora
