#include "documents/field_record_browser.h"

namespace kalvora {

TFieldBrowseRecord::TFieldBrowseRecord(std::span<const TFieldSpec> fields) : fields_(fields) {
    values_.reserve(fields.size());
    for (const TFieldSpec& spec : fields) {
        KALVORA_ASSERT(spec.kind == TFieldKind::value);
        values_.push_back(spec.makeValue(nullptr));
    }
}

TFieldBrowseRecord::TFieldBrowseRecord(const TFieldBrowseRecord& other)
    : TBrowseRecord(other), fields_(other.fields_) {
    values_.reserve(other.values_.size());
    for (std::size_t i = 0; i < other.values_.size(); ++i)
        values_.push_back(fields_[i].makeValue(other.values_[i].get()));
}

std::unique_ptr<TBrowseRecord> TFieldBrowseRecord::Clone() const {
    return std::make_unique<TFieldBrowseRecord>(*this);
}

std::size_t TFieldBrowseRecord::IndexOf(std::string_view name) const {
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        if (SameName(fields_[i].name, name)) return i;
    }
    KALVORA_ASSERT(!"the list declares no such field");
    return 0;
}

TFieldRecordBrowser::TFieldRecordBrowser(std::span<const TFieldSpec> fields)
    : TRecordBrowser(std::make_unique<TFieldBrowseRecord>(fields)), fields_(fields) {}

void TFieldRecordBrowser::Open(TFieldBrowseView& view) {
    view_ = &view;
    Opened();
}

const TFieldBrowseRecord& TFieldRecordBrowser::At(int index) const {
    KALVORA_ASSERT(!IsOpen() && index >= 0 && index < Count());
    return static_cast<const TFieldBrowseRecord&>(Entry(index));
}

TFieldBrowseView& TFieldRecordBrowser::View() const {
    KALVORA_ASSERT(view_ != nullptr);
    return *view_;
}

std::unique_ptr<TBrowseRecord> TFieldRecordBrowser::ReadFields() {
    auto entry = std::make_unique<TFieldBrowseRecord>(fields_);
    bool ok = true;
    for (std::size_t i = 0; i < fields_.size() && ok; ++i)
        entry->At(i).Check(ok, View().FieldText(i), fields_[i].label);
    if (!ok) return nullptr;
    return entry;
}

void TFieldRecordBrowser::ShowEntry(const TBrowseRecord& entry) {
    const auto& fields = static_cast<const TFieldBrowseRecord&>(entry);
    for (std::size_t i = 0; i < fields_.size(); ++i)
        View().SetFieldText(i, fields.At(i).GetText());
}

void TFieldRecordBrowser::PrepareNew() {
    const TFieldBrowseRecord defaults(fields_);
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        if (View().TakesDefault(i)) View().SetFieldText(i, defaults.At(i).GetText());
    }
}

std::unique_ptr<TBrowseRecord> TFieldRecordBrowser::NewEntry() const {
    return std::make_unique<TFieldBrowseRecord>(fields_);
}

void TFieldRecordBrowser::ShowState(int count, int number, bool canPrevious, bool canNext,
                                    bool canDelete, bool copyPresent) {
    View().ShowState({count, number, canPrevious, canNext, canDelete, copyPresent});
}

}  // namespace kalvora
