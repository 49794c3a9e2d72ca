#include "xml/xml_grammar.h"

#include "platform/assertion.h"

namespace kalvora {
namespace {

using Expectation = TDTDFailure::Expectation;

// The token a node looks at. The list handed to a match never holds an error token, and a
// head stands only at its start, where the element nodes step past it.
const TXMLToken& Current(const TXMLToken* token) {
    KALVORA_ASSERT(token != nullptr);
    KALVORA_ASSERT(token->GetKind() != xmlTokenError && token->GetKind() != xmlTokenStart);
    return *token;
}

// An element node begins at the token current on entry but reads past a head first.
const TXMLToken* PastHead(const TXMLToken* token) {
    KALVORA_ASSERT(token != nullptr);
    return token->GetKind() == xmlTokenStart ? token->GetNext() : token;
}

bool IsName(const std::string& name) {
    if (name.empty()) return false;
    for (char c : name) {
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))) {
            return false;
        }
    }
    return true;
}

// What a matcher that failed on the way can undo: the token it started at and the parent's
// last child at that moment.
class SavePoint {
  public:
    SavePoint(TXMLComplexElement& parent, const TXMLToken* token)
        : token_(token), last_(parent.GetLast()) {}
    void Restore(TXMLComplexElement& parent, const TXMLToken*& token) const {
        token = token_;
        parent.DeleteAfter(last_);
    }

  private:
    const TXMLToken* token_;
    TXMLItem* last_;
};

}  // namespace

// ---- Failure messages ----

void TDTDFailure::Record(Kind kind, const TXMLToken* met, const std::string& name,
                         const TXMLToken& at, bool isFatal) {
    kind_ = kind;
    met_ = met;
    name_ = &name;
    line_ = at.GetLine();
    column_ = at.GetColumn();
    fatal = isFatal;
}

bool TDTDFailure::Unexpected(const TXMLToken& met, Expectation expectation, const std::string& name,
                             const TXMLToken& at, bool isFatal) {
    Record(Kind::unexpected, &met, name, at, isFatal);
    expectation_ = expectation;
    return false;
}

bool TDTDFailure::ShouldNotBeEmpty(const std::string& name, const TXMLToken& at) {
    Record(Kind::shouldNotBeEmpty, nullptr, name, at, true);
    return false;
}

bool TDTDFailure::EndMismatch(const TXMLToken& met, const std::string& name, const TXMLToken& at) {
    Record(Kind::endMismatch, &met, name, at, true);
    return false;
}

std::string TDTDFailure::Message() const {
    const std::string position =
        " at line " + std::to_string(line_) + ", column " + std::to_string(column_) + ".";
    const auto quoted = [](const std::string& text) { return "\"" + text + "\""; };
    switch (kind_) {
        case Kind::none:
            return "Unknown Error";
        case Kind::shouldNotBeEmpty:
            return "element " + quoted(*name_) + " should not be empty," + position;
        case Kind::endMismatch:
            return "end of element " + quoted(met_->GetElement()) +
                   " does not match begin of element " + quoted(*name_) + "," + position;
        case Kind::unexpected:
            break;
    }
    std::string message = "unexpected ";
    switch (met_->GetKind()) {
        case xmlTokenAttr:
            message += "text " + quoted(met_->GetText()) + ", ";
            break;
        case xmlTokenBegin:
            message += "begin of element " + quoted(met_->GetElement()) + ", ";
            break;
        case xmlTokenEnd:
            message += "end of element " + quoted(met_->GetElement()) + ", ";
            break;
        case xmlTokenEmpty:
            message += "empty element " + quoted(met_->GetElement()) + ", ";
            break;
        default:
            message += "end-of-file, ";
            break;
    }
    switch (expectation_) {
        case Expectation::beginOfCompound:
            message += "expect begin of element " + quoted(*name_) + ",";
            break;
        case Expectation::beginOfText:
            message += "expect begin of element " + quoted(*name_) + ".";
            break;
        case Expectation::endOfElement:
            message += "expect end of element " + quoted(*name_) + ",";
            break;
        case Expectation::text:
            message += "expect text,";
            break;
    }
    return message + position;
}

// ---- Notation ----

std::string TDTDItem::Notation() const {
    std::string out;
    AppendNotation(out);
    return out;
}

void TDTDItem::AppendWrapped(std::string& out, int minimumPrecedence) const {
    if (Precedence() >= minimumPrecedence) {
        AppendNotation(out);
        return;
    }
    out += '(';
    AppendNotation(out);
    out += ')';
}

void TDTDAttribute::AppendNotation(std::string& out) const {
    out += GetName() + ": text";
}

void TDTDCompound::AppendNotation(std::string& out) const {
    out += GetName();
    if (dynamic_cast<const TDTDEmpty*>(content_.get()) != nullptr) {
        out += ": empty";
        return;
    }
    out += ": (";
    content_->AppendNotation(out);
    out += ')';
}

void TDTDBinary::AppendNotation(std::string& out) const {
    first_->AppendWrapped(out, 3);
    out += separator_;
    // Only the same operator nested to the right goes without parentheses.
    second_->AppendWrapped(out, second_->Precedence() == Precedence() ? Precedence() : 3);
}

void TDTDPostfix::AppendNotation(std::string& out) const {
    item_->AppendWrapped(out, Precedence());
    out += symbol_;
}

// ---- Construction ----

TDTDElement::TDTDElement(std::string name) : name_(std::move(name)) {
    KALVORA_ASSERT(IsName(name_));
}

TDTDCompound::TDTDCompound(std::string name, TDTDNode content)
    : TDTDElement(std::move(name)), content_(std::move(content)) {
    KALVORA_ASSERT(content_ != nullptr);
}

TDTDBinary::TDTDBinary(TDTDNode first, TDTDNode second, const char* separator)
    : first_(std::move(first)), second_(std::move(second)), separator_(separator) {
    KALVORA_ASSERT(first_ != nullptr && second_ != nullptr);
}

TDTDConcat::TDTDConcat(TDTDNode first, TDTDNode second)
    : TDTDBinary(std::move(first), std::move(second), ", ") {}

TDTDChoice::TDTDChoice(TDTDNode first, TDTDNode second)
    : TDTDBinary(std::move(first), std::move(second), " | ") {}

TDTDPostfix::TDTDPostfix(TDTDNode item, char symbol) : item_(std::move(item)), symbol_(symbol) {
    KALVORA_ASSERT(item_ != nullptr);
}

TDTDOptional::TDTDOptional(TDTDNode item) : TDTDPostfix(std::move(item), '?') {}

// A repeated item that could match nothing would repeat for ever.
TDTDRepeatMin0::TDTDRepeatMin0(TDTDNode item) : TDTDPostfix(std::move(item), '*') {
    KALVORA_ASSERT(!item_->CanBeEmpty());
}

TDTDRepeatMin1::TDTDRepeatMin1(TDTDNode item) : TDTDPostfix(std::move(item), '+') {
    KALVORA_ASSERT(!item_->CanBeEmpty());
}

// ---- Matching ----

bool TDTDElement::MatchEnd(const TXMLToken*& token, TDTDFailure& failure) const {
    const TXMLToken& met = Current(token);
    if (met.GetKind() != xmlTokenEnd) {
        return failure.Unexpected(met, Expectation::endOfElement, name_, met, true);
    }
    if (met.GetElement() != name_) return failure.EndMismatch(met, name_, met);
    token = met.GetNext();
    return true;
}

bool TDTDAttribute::Match(TXMLComplexElement& parent, const TXMLToken*& token,
                          TDTDFailure& failure) const {
    const TXMLToken& start = *token;
    const TXMLToken& begin = Current(PastHead(token));
    switch (begin.GetKind()) {
        case xmlTokenBegin:
            break;
        case xmlTokenEnd:
        case xmlTokenEmpty:  // <Name /> never holds a text
            return failure.Unexpected(begin, Expectation::beginOfText, GetName(), start, false);
        default:  // a text or the end of the file
            return failure.Unexpected(begin, Expectation::beginOfText, GetName(), start, true);
    }
    if (begin.GetElement() != GetName()) {
        return failure.Unexpected(begin, Expectation::beginOfText, GetName(), start, false);
    }
    const TXMLToken& text = Current(begin.GetNext());
    if (text.GetKind() != xmlTokenAttr) {
        return failure.Unexpected(text, Expectation::text, GetName(), begin, true);
    }
    parent.AddText(GetName(), text.GetText()).SetPosition(begin.GetLine(), begin.GetColumn());
    token = text.GetNext();
    return MatchEnd(token, failure);
}

bool TDTDCompound::Match(TXMLComplexElement& parent, const TXMLToken*& token,
                         TDTDFailure& failure) const {
    const TXMLToken& start = *token;
    const TXMLToken& begin = Current(PastHead(token));
    switch (begin.GetKind()) {
        case xmlTokenBegin:
        case xmlTokenEmpty:
            break;
        case xmlTokenEnd:
            return failure.Unexpected(begin, Expectation::beginOfCompound, GetName(), start, false);
        default:  // a text or the end of the file
            return failure.Unexpected(begin, Expectation::beginOfCompound, GetName(), start, true);
    }
    if (begin.GetElement() != GetName()) {
        return failure.Unexpected(begin, Expectation::beginOfCompound, GetName(), start, false);
    }
    auto element = std::make_unique<TXMLComplexElement>(GetName());
    element->SetPosition(start.GetLine(), start.GetColumn());
    if (begin.GetKind() == xmlTokenEmpty) {
        if (!content_->CanBeEmpty()) return failure.ShouldNotBeEmpty(GetName(), start);
        parent.Add(std::move(element));
        token = begin.GetNext();
        return true;
    }
    token = begin.GetNext();
    if (!content_->Match(*element, token, failure)) {
        // The begin tag is consumed: no alternative may read this element again.
        failure.fatal = true;
        return false;
    }
    parent.Add(std::move(element));
    return MatchEnd(token, failure);
}

bool TDTDConcat::Match(TXMLComplexElement& parent, const TXMLToken*& token,
                       TDTDFailure& failure) const {
    return first_->Match(parent, token, failure) && second_->Match(parent, token, failure);
}

namespace {

// How trying an item where backtracking may take another way ended.
enum class Attempt : std::uint8_t { matched, undone, fatal };

// Tries `item`; a failure that is not fatal is undone, leaving token and parent as before.
Attempt TryMatch(const TDTDItem& item, TXMLComplexElement& parent, const TXMLToken*& token,
                 TDTDFailure& failure) {
    const SavePoint save(parent, token);
    if (item.Match(parent, token, failure)) return Attempt::matched;
    if (failure.fatal) return Attempt::fatal;
    save.Restore(parent, token);
    return Attempt::undone;
}

// Matches `item` again and again until it fails; the failure that ends the run is undone
// unless it is fatal. A loop, not a recursion, so a run of any length needs no stack.
bool MatchRepeatedly(const TDTDItem& item, TXMLComplexElement& parent, const TXMLToken*& token,
                     TDTDFailure& failure) {
    Attempt attempt = Attempt::matched;
    while (attempt == Attempt::matched)
        attempt = TryMatch(item, parent, token, failure);
    return attempt == Attempt::undone;
}

}  // namespace

bool TDTDChoice::Match(TXMLComplexElement& parent, const TXMLToken*& token,
                       TDTDFailure& failure) const {
    const Attempt first = TryMatch(*first_, parent, token, failure);
    if (first != Attempt::undone) return first == Attempt::matched;
    return second_->Match(parent, token, failure);
}

bool TDTDOptional::Match(TXMLComplexElement& parent, const TXMLToken*& token,
                         TDTDFailure& failure) const {
    return TryMatch(*item_, parent, token, failure) != Attempt::fatal;
}

bool TDTDRepeatMin0::Match(TXMLComplexElement& parent, const TXMLToken*& token,
                           TDTDFailure& failure) const {
    return MatchRepeatedly(*item_, parent, token, failure);
}

bool TDTDRepeatMin1::Match(TXMLComplexElement& parent, const TXMLToken*& token,
                           TDTDFailure& failure) const {
    return item_->Match(parent, token, failure) && MatchRepeatedly(*item_, parent, token, failure);
}

bool MatchTokens(const TDTDItem& grammar, const TXMLTokenList& tokens,
                 TXMLComplexElement& container, std::string& message) {
    if (tokens.GetKind() == xmlTokenError) {
        message = tokens.GetError();
        return false;
    }
    const TXMLToken* token = &tokens.Head();
    TDTDFailure failure;
    if (grammar.Match(container, token, failure)) return true;
    message = failure.Message();
    return false;
}

// ---- Builders ----

namespace dtd {

TDTDNode Text(std::string name) {
    return std::make_shared<TDTDAttribute>(std::move(name));
}

TDTDNode Nothing() {
    static const TDTDNode empty = std::make_shared<TDTDEmpty>();
    return empty;
}

TDTDNode Empty(std::string name) {
    return std::make_shared<TDTDCompound>(std::move(name), Nothing());
}

TDTDNode Optional(TDTDNode item) {
    return std::make_shared<TDTDOptional>(std::move(item));
}

TDTDNode ZeroOrMore(TDTDNode item) {
    return std::make_shared<TDTDRepeatMin0>(std::move(item));
}

TDTDNode OneOrMore(TDTDNode item) {
    return std::make_shared<TDTDRepeatMin1>(std::move(item));
}

namespace {

// a op (b op (c ...)) for the binary operator node Operator.
template <typename Operator>
TDTDNode NestedToTheRight(std::vector<TDTDNode> items) {
    KALVORA_ASSERT(!items.empty());
    TDTDNode node = std::move(items.back());
    for (std::size_t i = items.size() - 1; i-- > 0;) {
        node = std::make_shared<Operator>(std::move(items[i]), std::move(node));
    }
    return node;
}

}  // namespace

TDTDNode SequenceOf(std::vector<TDTDNode> items) {
    return NestedToTheRight<TDTDConcat>(std::move(items));
}

TDTDNode ChoiceOf(std::vector<TDTDNode> items) {
    return NestedToTheRight<TDTDChoice>(std::move(items));
}

TDTDNode ElementOf(std::string name, std::vector<TDTDNode> content) {
    return std::make_shared<TDTDCompound>(std::move(name), SequenceOf(std::move(content)));
}

}  // namespace dtd
}  // namespace kalvora
