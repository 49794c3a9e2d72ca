#include "documents/record_browser.h"

#include <utility>

#include "platform/assertion.h"

namespace kalvora {

TRecordBrowser::TRecordBrowser(std::unique_ptr<TBrowseRecord> first) {
    KALVORA_ASSERT(first != nullptr);
    entries_.push_back(std::move(first));
}

TRecordBrowser::~TRecordBrowser() = default;

TRecordBrowser::TRecordBrowser(const TRecordBrowser& other)
    : cursor_(other.cursor_), isOpen_(other.isOpen_) {
    entries_.reserve(other.entries_.size());
    for (const auto& entry : other.entries_)
        entries_.push_back(entry->Clone());
    KALVORA_ASSERT(Count() == other.Count() && cursor_ < Count());
}

TRecordBrowser& TRecordBrowser::operator=(const TRecordBrowser& other) {
    if (this == &other) return *this;
    std::vector<std::unique_ptr<TBrowseRecord>> entries;
    entries.reserve(other.entries_.size());
    for (const auto& entry : other.entries_)
        entries.push_back(entry->Clone());
    entries_ = std::move(entries);
    cursor_ = other.cursor_;
    isOpen_ = other.isOpen_;
    walk_ = 0;
    copy_.reset();
    KALVORA_ASSERT(Count() == other.Count() && cursor_ < Count());
    return *this;
}

void TRecordBrowser::Opened() {
    isOpen_ = true;
    GoTo(cursor_);
}

bool TRecordBrowser::CloseOk() {
    KALVORA_ASSERT(isOpen_);
    const bool stored = StoreEdit();
    walk_ = 0;
    if (!stored) return false;
    Unbind();
    isOpen_ = false;
    return true;
}

void TRecordBrowser::CloseCancel() {
    isOpen_ = false;
    UnbindCancel();
    walk_ = 0;
}

bool TRecordBrowser::StoreEdit() {
    std::unique_ptr<TBrowseRecord> entry = ReadFields();
    if (!entry || !Validate(*entry)) return false;
    entries_[cursor_] = std::move(entry);
    return true;
}

void TRecordBrowser::GoTo(int index) {
    KALVORA_ASSERT(index >= 0 && index < Count());
    cursor_ = index;
    ShowEntry(*entries_[cursor_]);
    UpdateState();
}

void TRecordBrowser::UpdateState() {
    ShowState(Count(), cursor_ + 1, cursor_ > 0, cursor_<Count() - 1, Count()> 1, CopyPresent());
}

bool TRecordBrowser::First() {
    KALVORA_ASSERT(isOpen_);
    if (!StoreEdit()) return false;
    GoTo(0);
    return true;
}

bool TRecordBrowser::Previous() {
    KALVORA_ASSERT(isOpen_ && cursor_ > 0);
    if (!StoreEdit()) return false;
    GoTo(cursor_ - 1);
    return true;
}

bool TRecordBrowser::Next() {
    KALVORA_ASSERT(isOpen_ && cursor_ < Count() - 1);
    if (!StoreEdit()) return false;
    GoTo(cursor_ + 1);
    return true;
}

bool TRecordBrowser::Last() {
    KALVORA_ASSERT(isOpen_);
    if (!StoreEdit()) return false;
    GoTo(Count() - 1);
    return true;
}

bool TRecordBrowser::InsertNew(int at) {
    KALVORA_ASSERT(isOpen_);
    if (!StoreEdit()) return false;
    PrepareNew();
    entries_.insert(entries_.begin() + at, NewEntry());
    cursor_ = at;
    UpdateState();
    return true;
}

bool TRecordBrowser::Insert() {
    return InsertNew(cursor_);
}

bool TRecordBrowser::Append() {
    return InsertNew(cursor_ + 1);
}

void TRecordBrowser::Delete() {
    KALVORA_ASSERT(isOpen_ && Count() > 1);
    std::unique_ptr<TBrowseRecord> deleted = std::move(entries_[cursor_]);
    entries_.erase(entries_.begin() + cursor_);
    EntryDeleted(*deleted);
    deleted.reset();
    // The next entry moved into the deleted one's place; after the last, the previous one.
    GoTo(cursor_ < Count() ? cursor_ : cursor_ - 1);
}

void TRecordBrowser::Copy() {
    KALVORA_ASSERT(isOpen_);
    if (std::unique_ptr<TBrowseRecord> entry = ReadFields()) copy_ = std::move(entry);
    UpdateState();
}

void TRecordBrowser::Paste() {
    KALVORA_ASSERT(isOpen_ && copy_ != nullptr);
    ShowEntry(*copy_);
    UpdateState();
}

void TRecordBrowser::Clear() {
    KALVORA_ASSERT(isOpen_);
    entries_.clear();
    entries_.push_back(NewEntry());
    GoTo(0);
}

void TRecordBrowser::EntryDeleted(TBrowseRecord&) {}

bool TRecordBrowser::Validate(const TBrowseRecord&) {
    return true;
}

int TRecordBrowser::GetCount() const {
    KALVORA_ASSERT(!isOpen_);
    return Count();
}

const TBrowseRecord& TRecordBrowser::Current() const {
    KALVORA_ASSERT(!isOpen_);
    return *entries_[walk_];
}

bool TRecordBrowser::MoveNext() {
    KALVORA_ASSERT(!isOpen_);
    if (walk_ + 1 >= Count()) return false;
    ++walk_;
    return true;
}

void TRecordBrowser::Rewind() {
    walk_ = 0;
}

}  // namespace kalvora
