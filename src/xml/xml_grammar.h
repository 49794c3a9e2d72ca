// Grammars of the XML files and the matcher that checks a token list (xml_token.h) against
// one while it builds the element tree (xml_tree.h). Every owner of a file kind states its
// grammar in code with the builders of namespace dtd below, once, and keeps it for the run.
// After a successful match a reader may rely on names and order without checking them again.
// Standard C++ and platform only.
//
// The notation and its builders:
//
//     Name: text        dtd::Text("Name")                 <Name>text</Name>
//     Name: empty       dtd::Empty("Name")                <Name />
//     Name: (content)   dtd::Element("Name", a, b, ...)   content a, b, ... in this order
//     a, b, c           dtd::Sequence(a, b, c)            nests to the right: a, (b, c)
//     a | b | c         dtd::Choice(a, b, c)              nests to the right: a | (b | c)
//     a?  a*  a+        dtd::Optional(a), dtd::ZeroOrMore(a), dtd::OneOrMore(a)
//
// For example, the grammar
//
//     ColorPalette1D: (BeginColor, ColorPalette1DItem*, EndColor)
//     ColorPalette1DItem: (Position, ColorBefore, UseColorAfter?, ColorAfter)
//     ... (DrawSingle | DrawJoined) ...   with DrawSingle, DrawJoined, UseColorAfter empty
//
// is written
//
//     const TDTDNode& PaletteGrammar() {
//         using namespace dtd;
//         static const TDTDNode grammar = Element("ColorPalette1D",
//             Text("BeginColor"),
//             ZeroOrMore(Element("ColorPalette1DItem",
//                 Text("Position"), Text("ColorBefore"), Optional(Empty("UseColorAfter")),
//                 Text("ColorAfter"))),
//             Text("EndColor"));
//         return grammar;
//     }
//
// A node may stand inside any number of grammars, so the volume diagram's grammar takes the
// palette's as it is: Element("ViewVolume", ..., PaletteGrammar(), Choice(Empty("DrawSingle"),
// Empty("DrawJoined"))). Nodes are immutable and shared; building them once (function-local
// statics) keeps them for the run.
//
// Matching, when the file is read (or in one call, ReadXMLFile of xml_document.h):
//
//     TXMLComplexElement container("Root");
//     std::string message;
//     if (!MatchTokens(*PaletteGrammar(), tokens, container, message)) -> reject with message
//     const TXMLItem& palette = *container.GetFirst();
//
// A failure names the token met, what was expected and where, for example
// unexpected begin of element "Left", expect begin of element "Top", at line 6, column 8.
// Repeating something that can match nothing never ends, so ZeroOrMore and OneOrMore assert
// that their item cannot be empty.
#pragma once

#include <concepts>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "xml/xml_token.h"
#include "xml/xml_tree.h"

namespace kalvora {

// Why a match failed, kept as facts and put into words only when asked, so that the failures
// backtracking undoes cost little. It refers to the tokens and grammar nodes of the match:
// ask Message() while both are alive.
class TDTDFailure {
  public:
    // On failure: whether it must end the whole match (true) or may be undone by trying an
    // alternative (false).
    bool fatal = false;

    std::string Message() const;

    // What was expected when a token did not fit.
    enum class Expectation : std::uint8_t { beginOfCompound, beginOfText, endOfElement, text };

    // Recorders for the element nodes; each returns false, to be returned by Match.
    bool Unexpected(const TXMLToken& met, Expectation expectation, const std::string& name,
                    const TXMLToken& at, bool isFatal);
    bool ShouldNotBeEmpty(const std::string& name, const TXMLToken& at);
    bool EndMismatch(const TXMLToken& met, const std::string& name, const TXMLToken& at);

  private:
    enum class Kind : std::uint8_t { none, unexpected, shouldNotBeEmpty, endMismatch };
    void Record(Kind kind, const TXMLToken* met, const std::string& name, const TXMLToken& at,
                bool isFatal);

    Kind kind_ = Kind::none;
    Expectation expectation_ = Expectation::text;
    const TXMLToken* met_ = nullptr;
    const std::string* name_ = nullptr;
    std::int32_t line_ = 0;
    std::int32_t column_ = 0;
};

// A grammar node. Nodes never change after construction and may be shared by any number of
// grammars.
class TDTDItem {
  public:
    virtual ~TDTDItem() = default;
    // Whether the node may match no element at all.
    virtual bool CanBeEmpty() const = 0;
    // Matches at `token`, advancing it past what was matched and adding the elements matched
    // to `parent`. On failure returns false with the reason in `failure`.
    virtual bool Match(TXMLComplexElement& parent, const TXMLToken*& token,
                       TDTDFailure& failure) const = 0;
    // The node in the notation above, e.g. "Name: (A: text, (B: empty | C: text)*)".
    std::string Notation() const;

    // How tightly the node's notation binds, for parentheses: choice 1, sequence 2,
    // element 3, postfix operators 4, empty 5.
    virtual int Precedence() const = 0;
    virtual void AppendNotation(std::string& out) const = 0;
    // The notation, in parentheses when it binds less tightly than asked.
    void AppendWrapped(std::string& out, int minimumPrecedence) const;
};

using TDTDNode = std::shared_ptr<const TDTDItem>;

// A node that matches one element of the given name.
class TDTDElement : public TDTDItem {
  public:
    const std::string& GetName() const { return name_; }
    bool CanBeEmpty() const final { return false; }
    // Matches the end tag of the element.
    bool MatchEnd(const TXMLToken*& token, TDTDFailure& failure) const;
    int Precedence() const final { return 3; }

  protected:
    explicit TDTDElement(std::string name);

  private:
    std::string name_;
};

// Name: text
class TDTDAttribute final : public TDTDElement {
  public:
    explicit TDTDAttribute(std::string name) : TDTDElement(std::move(name)) {}
    bool Match(TXMLComplexElement& parent, const TXMLToken*& token,
               TDTDFailure& failure) const override;
    void AppendNotation(std::string& out) const override;
};

// Name: (content), or Name: empty when the content is TDTDEmpty.
class TDTDCompound final : public TDTDElement {
  public:
    TDTDCompound(std::string name, TDTDNode content);
    bool Match(TXMLComplexElement& parent, const TXMLToken*& token,
               TDTDFailure& failure) const override;
    void AppendNotation(std::string& out) const override;

  private:
    TDTDNode content_;
};

// The operators that combine nodes into content.
class TDTDExpression : public TDTDItem {};

// Matches nothing: the content of an element written <Name />.
class TDTDEmpty final : public TDTDExpression {
  public:
    bool CanBeEmpty() const override { return true; }
    bool Match(TXMLComplexElement&, const TXMLToken*&, TDTDFailure&) const override { return true; }
    int Precedence() const override { return 5; }
    void AppendNotation(std::string& out) const override { out += "empty"; }
};

// An operator between two nodes. A chain of the same operator nests to the right and is
// written without parentheses: a, b, c.
class TDTDBinary : public TDTDExpression {
  public:
    void AppendNotation(std::string& out) const final;

  protected:
    TDTDBinary(TDTDNode first, TDTDNode second, const char* separator);

    TDTDNode first_;
    TDTDNode second_;

  private:
    const char* separator_;
};

// first, second
class TDTDConcat final : public TDTDBinary {
  public:
    TDTDConcat(TDTDNode first, TDTDNode second);
    bool CanBeEmpty() const override { return first_->CanBeEmpty() && second_->CanBeEmpty(); }
    bool Match(TXMLComplexElement& parent, const TXMLToken*& token,
               TDTDFailure& failure) const override;
    int Precedence() const override { return 2; }
};

// first | second: the second is tried when the first fails without a fatal failure.
class TDTDChoice final : public TDTDBinary {
  public:
    TDTDChoice(TDTDNode first, TDTDNode second);
    bool CanBeEmpty() const override { return first_->CanBeEmpty() || second_->CanBeEmpty(); }
    bool Match(TXMLComplexElement& parent, const TXMLToken*& token,
               TDTDFailure& failure) const override;
    int Precedence() const override { return 1; }
};

// An operator written after its one item: item?, item*, item+.
class TDTDPostfix : public TDTDExpression {
  public:
    int Precedence() const final { return 4; }
    void AppendNotation(std::string& out) const final;

  protected:
    TDTDPostfix(TDTDNode item, char symbol);

    TDTDNode item_;

  private:
    char symbol_;
};

// item?
class TDTDOptional final : public TDTDPostfix {
  public:
    explicit TDTDOptional(TDTDNode item);
    bool CanBeEmpty() const override { return true; }
    bool Match(TXMLComplexElement& parent, const TXMLToken*& token,
               TDTDFailure& failure) const override;
};

// item*
class TDTDRepeatMin0 final : public TDTDPostfix {
  public:
    explicit TDTDRepeatMin0(TDTDNode item);
    bool CanBeEmpty() const override { return true; }
    bool Match(TXMLComplexElement& parent, const TXMLToken*& token,
               TDTDFailure& failure) const override;
};

// item+
class TDTDRepeatMin1 final : public TDTDPostfix {
  public:
    explicit TDTDRepeatMin1(TDTDNode item);
    bool CanBeEmpty() const override { return item_->CanBeEmpty(); }
    bool Match(TXMLComplexElement& parent, const TXMLToken*& token,
               TDTDFailure& failure) const override;
};

// Matches a whole token list against a grammar. On success the container (by custom a
// TXMLComplexElement named "Root") holds the document element as its first child. On
// failure returns false with the reason in `message`: the head's error for a list that could
// not be read, else the first failure that backtracking could not undo, or the last
// alternative's when nothing fitted. Tokens after the document element are not looked at.
bool MatchTokens(const TDTDItem& grammar, const TXMLTokenList& tokens,
                 TXMLComplexElement& container, std::string& message);

// The builders of the notation.
namespace dtd {

// Name: text
TDTDNode Text(std::string name);
// Name: empty
TDTDNode Empty(std::string name);
// Content that matches nothing (every Empty element shares it).
TDTDNode Nothing();
// a?
TDTDNode Optional(TDTDNode item);
// a*
TDTDNode ZeroOrMore(TDTDNode item);
// a+
TDTDNode OneOrMore(TDTDNode item);

// a, b, c, ... and a | b | c | ... from a list of two or more nodes, nested to the right.
TDTDNode SequenceOf(std::vector<TDTDNode> items);
TDTDNode ChoiceOf(std::vector<TDTDNode> items);
TDTDNode ElementOf(std::string name, std::vector<TDTDNode> content);

// a, b, c, ...
template <std::convertible_to<TDTDNode>... More>
TDTDNode Sequence(TDTDNode first, TDTDNode second, More&&... more) {
    return SequenceOf({std::move(first), std::move(second), TDTDNode(std::forward<More>(more))...});
}

// a | b | c | ...
template <std::convertible_to<TDTDNode>... More>
TDTDNode Choice(TDTDNode first, TDTDNode second, More&&... more) {
    return ChoiceOf({std::move(first), std::move(second), TDTDNode(std::forward<More>(more))...});
}

// Name: (a, b, c, ...)
template <std::convertible_to<TDTDNode>... More>
TDTDNode Element(std::string name, TDTDNode content, More&&... more) {
    return ElementOf(std::move(name), {std::move(content), TDTDNode(std::forward<More>(more))...});
}

}  // namespace dtd
}  // namespace kalvora
