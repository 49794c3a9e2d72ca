#include "documents/effect_record.h"

#include "documents/effect_table.h"

namespace kalvora {
namespace {

TFieldValue DefaultOf(const TFieldSpec& spec) {
    TFieldValue value;
    switch (spec.kind) {
        case TFieldKind::value:
            value.value = spec.makeValue(nullptr);
            break;
        case TFieldKind::choice:
        case TFieldKind::check:
            value.choice = spec.defaultChoice;
            break;
        case TFieldKind::wave:
            break;
        case TFieldKind::list:
            value.list = std::make_unique<TFieldRecordBrowser>(spec.subFields);
            break;
    }
    return value;
}

TFieldValue CopyOf(const TFieldSpec& spec, const TFieldValue& from) {
    TFieldValue value;
    if (from.value) value.value = spec.makeValue(from.value.get());
    value.choice = from.choice;
    value.wave = from.wave;
    if (from.list) value.list = std::make_unique<TFieldRecordBrowser>(*from.list);
    return value;
}

}  // namespace

TEffectRecord::TEffectRecord(const TEffectEntry& entry) : entry_(&entry) {
    values_.reserve(entry.fields.size());
    for (const TFieldSpec& spec : entry.fields)
        values_.push_back(DefaultOf(spec));
}

TEffectRecord::TEffectRecord(const TEffectRecord& other) : entry_(other.entry_) {
    values_.reserve(other.values_.size());
    for (std::size_t i = 0; i < other.values_.size(); ++i)
        values_.push_back(CopyOf(other.Spec(i), other.values_[i]));
}

TEffectRecord& TEffectRecord::operator=(const TEffectRecord& other) {
    if (this != &other) *this = TEffectRecord(other);
    return *this;
}

const TFieldSpec& TEffectRecord::Spec(std::size_t index) const {
    return entry_->fields.at(index);
}

int TEffectRecord::IndexOf(std::string_view name) const {
    return entry_->FieldIndex(name);
}

TFieldValue& TEffectRecord::Field(std::string_view name, TFieldKind kind) {
    const int index = IndexOf(name);
    KALVORA_ASSERT(index >= 0 && Spec(static_cast<std::size_t>(index)).kind == kind);
    return values_[static_cast<std::size_t>(index)];
}

const TFieldValue& TEffectRecord::Field(std::string_view name, TFieldKind kind) const {
    return const_cast<TEffectRecord*>(this)->Field(name, kind);
}

void TEffectRecord::SetChoice(std::string_view name, int alternative) {
    TFieldValue& value = Field(name, TFieldKind::choice);
    KALVORA_ASSERT(alternative >= 0 &&
                   static_cast<std::size_t>(alternative) <
                       Spec(static_cast<std::size_t>(IndexOf(name))).alternatives.size());
    value.choice = alternative;
}

bool TEffectRecord::IsActive(std::size_t index) const {
    const TFieldSpec& spec = Spec(index);
    if (spec.readAlways || !spec.owner) return true;
    const int owner = IndexOf(spec.owner->choice);
    KALVORA_ASSERT(owner >= 0);
    const auto ownerIndex = static_cast<std::size_t>(owner);
    return values_[ownerIndex].choice == spec.owner->alternative && IsActive(ownerIndex);
}

TEffectRecords::TEffectRecords() {
    for (const TEffectEntry& entry : EffectTable())
        records_.emplace_back(entry);
}

const TEffectRecord& TEffectRecords::Of(const TEffectEntry& entry) const {
    for (const TEffectRecord& record : records_) {
        if (&record.Entry() == &entry) return record;
    }
    KALVORA_ASSERT(!"the entry is not in the effect table");
    return records_.front();
}

void TEffectRecords::Store(const TEffectRecord& record) {
    for (TEffectRecord& stored : records_) {
        if (&stored.Entry() == &record.Entry()) {
            stored = record;
            return;
        }
    }
    // An entry outside the table (a test's) is kept from now on.
    records_.push_back(record);
}

}  // namespace kalvora
