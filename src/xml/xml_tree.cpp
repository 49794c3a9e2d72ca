#include "xml/xml_tree.h"

#include <utility>
#include <vector>

#include "platform/assertion.h"

namespace kalvora {

const std::string& TXMLItem::GetString() const {
    KALVORA_ASSERT(!complex_);
    return static_cast<const TXMLStringElement*>(this)->Text();
}

const TXMLItem* TXMLItem::GetFirst() const {
    KALVORA_ASSERT(complex_);
    return static_cast<const TXMLComplexElement*>(this)->GetFirst();
}

std::string TXMLItem::PositionText() const {
    return " At line " + std::to_string(line_) + ", column " +
           std::to_string(static_cast<std::int64_t>(column_) + 1) + ".";
}

TXMLComplexElement::~TXMLComplexElement() {
    // Children still to be freed, chained through their next links. A complex child hands its
    // own children over to this chain before it goes, so nothing recurses.
    TXMLItem* pending = first_;
    first_ = last_ = nullptr;
    while (pending != nullptr) {
        TXMLItem* item = pending;
        pending = item->next_;
        if (item->complex_) {
            auto* complex = static_cast<TXMLComplexElement*>(item);
            if (complex->first_ != nullptr) {
                complex->last_->next_ = pending;
                pending = complex->first_;
                complex->first_ = complex->last_ = nullptr;
            }
        }
        delete item;
    }
}

TXMLItem& TXMLComplexElement::Add(std::unique_ptr<TXMLItem> child) {
    KALVORA_ASSERT(child != nullptr);
    TXMLItem* item = child.release();
    item->next_ = nullptr;
    if (last_ == nullptr) {
        first_ = item;
    } else {
        last_->next_ = item;
    }
    last_ = item;
    return *item;
}

TXMLStringElement& TXMLComplexElement::AddText(std::string name, std::string text) {
    return static_cast<TXMLStringElement&>(
        Add(std::make_unique<TXMLStringElement>(std::move(name), std::move(text))));
}

TXMLComplexElement& TXMLComplexElement::AddElement(std::string name) {
    return static_cast<TXMLComplexElement&>(
        Add(std::make_unique<TXMLComplexElement>(std::move(name))));
}

void TXMLComplexElement::DeleteAfter(TXMLItem* child) {
    TXMLItem* doomed = nullptr;
    if (child == nullptr) {
        doomed = first_;
        first_ = last_ = nullptr;
    } else {
        doomed = child->next_;
        child->next_ = nullptr;
        last_ = child;
    }
    if (doomed == nullptr) return;
    // Hand the chain to a temporary parent whose destructor frees it without recursion.
    TXMLComplexElement bin("");
    bin.first_ = doomed;
}

bool SameTree(const TXMLItem* a, const TXMLItem* b) {
    // Pairs of sibling chains still to compare.
    std::vector<std::pair<const TXMLItem*, const TXMLItem*>> pending{{a, b}};
    while (!pending.empty()) {
        auto [left, right] = pending.back();
        pending.pop_back();
        for (; left != nullptr && right != nullptr;
             left = left->GetNext(), right = right->GetNext()) {
            if (left->IsComplex() != right->IsComplex() ||
                left->GetElement() != right->GetElement()) {
                return false;
            }
            if (left->IsComplex()) {
                pending.emplace_back(left->GetFirst(), right->GetFirst());
            } else if (left->GetString() != right->GetString()) {
                return false;
            }
        }
        if (left != right) return false;  // one chain is longer
    }
    return true;
}

const TXMLItem& TXMLChildCursor::Take(std::string_view name) {
    KALVORA_ASSERT(Is(name));
    const TXMLItem& item = *current_;
    current_ = current_->GetNext();
    return item;
}

const TXMLItem* TXMLChildCursor::TakeIf(std::string_view name) {
    if (!Is(name)) return nullptr;
    const TXMLItem* item = current_;
    current_ = current_->GetNext();
    return item;
}

}  // namespace kalvora
