// TEffectRecord: the parameter record of one effect command, the values of the fields its
// table entry declares (effect_table.h), and TEffectRecords, one record per command of the
// table, which each wave document and the frame keep as the last values used. Copies are
// deep: a dialog edits a copy and the document keeps its own. Standard C++ and the value
// types only.
//
// The entry's operation reads its arguments by field name, with the value type the entry
// declared (or one of its bases):
//   record.Value<unitTime>("length").GetValue()
//   record.Choice("kind") == 1
//   record.Wave("envelope").GetName()
//   record.List("frequencies").At(0).Value<unitFactor>("volume")
// Asking for a field the entry does not declare, or with another type, is a programming
// error.
#pragma once

#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

#include "documents/effect_field.h"
#include "documents/field_record_browser.h"
#include "documents/unit.h"
#include "documents/unit_unit_wave.h"
#include "platform/assertion.h"

namespace kalvora {

struct TEffectEntry;

// The value of one field; which member is used depends on the field's kind.
struct TFieldValue {
    std::unique_ptr<unit> value;  // value fields
    int choice = 0;               // choice: the checked alternative; check: 1 on, 0 off
    unitUnitWave wave;            // wave fields
    std::unique_ptr<TFieldRecordBrowser> list;  // list fields
};

class TEffectRecord {
  public:
    // Every field at the entry's default. The entry must outlive the record (entries of the
    // effect table live for the whole run).
    explicit TEffectRecord(const TEffectEntry& entry);
    TEffectRecord(const TEffectRecord& other);
    TEffectRecord& operator=(const TEffectRecord& other);
    TEffectRecord(TEffectRecord&&) noexcept = default;
    TEffectRecord& operator=(TEffectRecord&&) noexcept = default;

    const TEffectEntry& Entry() const { return *entry_; }

    // Fields in the entry's order.
    std::size_t FieldCount() const { return values_.size(); }
    const TFieldSpec& Spec(std::size_t index) const;
    TFieldValue& At(std::size_t index) { return values_.at(index); }
    const TFieldValue& At(std::size_t index) const { return values_.at(index); }
    // The index of the named field (SameName), or -1.
    int IndexOf(std::string_view name) const;

    template <class T>
    T& Value(std::string_view name) {
        auto* value = dynamic_cast<T*>(Field(name, TFieldKind::value).value.get());
        KALVORA_ASSERT(value != nullptr);
        return *value;
    }
    template <class T>
    const T& Value(std::string_view name) const {
        return const_cast<TEffectRecord*>(this)->Value<T>(name);
    }
    int Choice(std::string_view name) const { return Field(name, TFieldKind::choice).choice; }
    void SetChoice(std::string_view name, int alternative);
    bool Checked(std::string_view name) const { return Field(name, TFieldKind::check).choice != 0; }
    void SetChecked(std::string_view name, bool on) {
        Field(name, TFieldKind::check).choice = on ? 1 : 0;
    }
    const unitUnitWave& Wave(std::string_view name) const {
        return Field(name, TFieldKind::wave).wave;
    }
    unitUnitWave& Wave(std::string_view name) { return Field(name, TFieldKind::wave).wave; }
    const TFieldRecordBrowser& List(std::string_view name) const {
        return *Field(name, TFieldKind::list).list;
    }
    TFieldRecordBrowser& List(std::string_view name) { return *Field(name, TFieldKind::list).list; }

    // Whether the field is read: it belongs to no alternative, or to one that is checked
    // inside a choice that is itself read, or it is read always.
    bool IsActive(std::size_t index) const;

  private:
    TFieldValue& Field(std::string_view name, TFieldKind kind);
    const TFieldValue& Field(std::string_view name, TFieldKind kind) const;

    const TEffectEntry* entry_;
    std::vector<TFieldValue> values_;
};

// One record per entry of the effect table, at the defaults until a command stores its own.
class TEffectRecords {
  public:
    TEffectRecords();

    const TEffectRecord& Of(const TEffectEntry& entry) const;
    // Replaces the record of record's entry (an entry outside the table is added).
    void Store(const TEffectRecord& record);

  private:
    std::vector<TEffectRecord> records_;  // in table order
};

}  // namespace kalvora
