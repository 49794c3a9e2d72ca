// TFieldRecordBrowser: the record browser (record_browser.h) of a list field of the effect
// table, such as the partials of a multi-frequency sound. Its entries hold the values of the
// sub-fields the table declares for the list; it shows them in, and reads them from, a view
// with one text per sub-field (an effect dialog's edits, or kalvora-cli's FIELD.N=TEXT
// words). Standard C++, the platform's messages and the value types only.
#pragma once

#include <cstddef>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "documents/effect_field.h"
#include "documents/record_browser.h"
#include "documents/unit.h"
#include "platform/assertion.h"

namespace kalvora {

// One entry: a value per sub-field, in the declared order.
class TFieldBrowseRecord final : public TBrowseRecord {
  public:
    // Every sub-field at its default. The fields must outlive the entry (those of the effect
    // table live for the whole run).
    explicit TFieldBrowseRecord(std::span<const TFieldSpec> fields);
    TFieldBrowseRecord(const TFieldBrowseRecord& other);
    TFieldBrowseRecord& operator=(const TFieldBrowseRecord&) = delete;
    std::unique_ptr<TBrowseRecord> Clone() const override;

    std::size_t FieldCount() const { return values_.size(); }
    const TFieldSpec& Spec(std::size_t index) const { return fields_[index]; }
    unit& At(std::size_t index) { return *values_.at(index); }
    const unit& At(std::size_t index) const { return *values_.at(index); }
    // The named sub-field's value with the type the table declared (or one of its bases).
    template <class T>
    const T& Value(std::string_view name) const {
        const auto* value = dynamic_cast<const T*>(values_.at(IndexOf(name)).get());
        KALVORA_ASSERT(value != nullptr);
        return *value;
    }

  private:
    std::size_t IndexOf(std::string_view name) const;

    std::span<const TFieldSpec> fields_;
    std::vector<std::unique_ptr<unit>> values_;
};

// What the browse buttons and the position display show.
struct TBrowseState {
    int count = 1;
    int number = 1;  // 1-based number of the current entry
    bool canPrevious = false;
    bool canNext = false;
    bool canDelete = false;
    bool canPaste = false;
    bool operator==(const TBrowseState&) const = default;
};

// Where a list field's current entry is edited: one text per sub-field.
class TFieldBrowseView {
  public:
    virtual ~TFieldBrowseView() = default;
    virtual std::string FieldText(std::size_t field) const = 0;
    virtual void SetFieldText(std::size_t field, const std::string& text) = 0;
    // Whether a new entry takes the sub-field's default; otherwise it starts with the value
    // the field shows (the entry it was added beside).
    virtual bool TakesDefault(std::size_t field) const = 0;
    virtual void ShowState(const TBrowseState& state) = 0;
};

class TFieldRecordBrowser final : public TRecordBrowser {
  public:
    // One entry at the defaults. The fields must outlive the browser.
    explicit TFieldRecordBrowser(std::span<const TFieldSpec> fields);
    TFieldRecordBrowser(const TFieldRecordBrowser& other) = default;
    TFieldRecordBrowser& operator=(const TFieldRecordBrowser& other) = default;

    std::span<const TFieldSpec> Fields() const { return fields_; }

    // Binds view and shows the current entry in it.
    void Open(TFieldBrowseView& view);

    // The entry at index, 0 .. GetCount() - 1, for the owner (closed only).
    const TFieldBrowseRecord& At(int index) const;

  protected:
    void Unbind() override { view_ = nullptr; }
    void UnbindCancel() override { view_ = nullptr; }
    // Reads each sub-field's text in order with one shared ok flag; the first that does
    // not read shows its message.
    std::unique_ptr<TBrowseRecord> ReadFields() override;
    void ShowEntry(const TBrowseRecord& entry) override;
    // The sub-fields that take their default get its text; the others keep theirs.
    void PrepareNew() override;
    std::unique_ptr<TBrowseRecord> NewEntry() const override;
    void ShowState(int count, int number, bool canPrevious, bool canNext, bool canDelete,
                   bool copyPresent) override;

  private:
    TFieldBrowseView& View() const;

    std::span<const TFieldSpec> fields_;
    TFieldBrowseView* view_ = nullptr;
};

}  // namespace kalvora
