// TEffectDialogModel: the effect dialog pattern without the widgets. Every effect dialog (and
// kalvora-cli, which fills the same model from FIELD=TEXT words) works through it:
// - it edits a copy of the document's record;
// - Show() writes every field into its control in the field's own text form, sets the radio
//   buttons and check boxes, fills each wave list with the open wave documents, and marks
//   the dialog valid;
// - editing a field that belongs to an alternative checks that alternative (and the ones it
//   lies inside);
// - Ok() reads back, in the entry's order and with one shared ok flag, only the fields of
//   checked alternatives; the first value that cannot be read or fails a check shows its
//   message under "Input Error" and the later ones are skipped; then the entry's own check.
//   A failure marks the dialog invalid, so that the closing that follows OK is refused once
//   (CloseQuery) and the dialog stays open;
// - a list field shows its current entry in a TListControl; its buttons move through the
//   entries, and OK stores the entry being edited (a value that does not read keeps the
//   dialog open, as for any other field);
// - after a successful Ok() the edited record is Record(); Cancel simply drops the model.
// Standard C++, the platform's messages and the documents only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "documents/effect_record.h"
#include "documents/effect_table.h"
#include "documents/field_record_browser.h"
#include "documents/unit_unit_wave.h"
#include "documents/wave_registry.h"

namespace kalvora {

// The controls of a list field: the edits of the current entry's sub-fields and the state
// of the browse buttons. The list's browser shows its entries here while the dialog is open.
class TListControl final : public TFieldBrowseView {
  public:
    // defaults[i]: the choice of sub-field i's "Default" check box control, or null.
    explicit TListControl(std::vector<const int*> defaults);

    const std::vector<std::string>& Texts() const { return texts_; }
    const TBrowseState& State() const { return state_; }

    std::string FieldText(std::size_t field) const override { return texts_.at(field); }
    void SetFieldText(std::size_t field, const std::string& text) override;
    bool TakesDefault(std::size_t field) const override;
    void ShowState(const TBrowseState& state) override { state_ = state; }

  private:
    std::vector<std::string> texts_;
    std::vector<const int*> defaults_;
    TBrowseState state_;
};

// The buttons of a list field, as the dialog binds them to its browser.
enum class TBrowseButton : std::uint8_t {
    first,
    previous,
    next,
    last,
    insert,
    append,
    remove,  // "Delete"
    copy,
    paste,
    clear,
};

// The state of one field's control.
struct TFieldControl {
    std::string text;                    // value: the edit's text
    int choice = 0;                      // choice: the checked radio button; check: 1 checked
    WaveChoiceList waves;                // wave: the drop-down list and its selection
    std::unique_ptr<TListControl> list;  // list: made by Show()
    bool enabled = true;                 // false: emptied, not editable and not read
    bool edited = false;                 // value: changed since it was shown or left
};

class TEffectDialogModel {
  public:
    // A dialog on a copy of record (prepared by the entry for context) whose wave lists
    // offer the documents of registry. The registry must outlive the model.
    TEffectDialogModel(const TEffectRecord& record, const TEffectContext& context,
                       const WaveRegistry& registry);

    const TEffectEntry& Entry() const { return record_.Entry(); }
    std::string_view Caption() const { return Entry().caption; }
    std::size_t FieldCount() const { return controls_.size(); }
    const TFieldSpec& Field(std::size_t index) const { return record_.Spec(index); }
    const TFieldControl& Control(std::size_t index) const { return controls_.at(index); }

    // OnShow: the controls from the record; the dialog is valid.
    void Show();

    // The user's edits. Editing a field of an alternative checks that alternative; editing a
    // field a preset writes clears that preset's choice.
    void SetText(std::size_t field, std::string text);
    // The user leaves a value's edit: after a change, its text goes into the fields it
    // copies to (TFieldSpec::copiesTo). True when other controls changed.
    bool LeaveField(std::size_t field);
    void SelectWave(std::size_t field, int item);
    // Selects the list item named name; false when the list has none (nothing changes).
    bool SelectWaveNamed(std::size_t field, std::string_view name);
    void SetChoice(std::size_t field, int alternative);
    void SetChecked(std::size_t field, bool checked);
    // A list field: the edit of one sub-field of the current entry, and a browse button. A
    // button that the state shows disabled does nothing. False when the button did not act:
    // disabled, or the fields it stores first did not read.
    void SetListText(std::size_t field, std::size_t subField, std::string text);
    bool Browse(std::size_t field, TBrowseButton button);

    // The choices (field index, alternative) that must be checked for the field to be read,
    // innermost first.
    std::vector<std::pair<std::size_t, int>> AlternativePath(std::size_t field) const;
    // Whether OK reads the field with the radio buttons and check boxes as they stand.
    bool IsRead(std::size_t field) const;
    // Whether the field's control is enabled (TFieldSpec::stereoOnly on a mono document).
    bool IsEnabled(std::size_t field) const { return controls_.at(field).enabled; }

    // OK: reads and checks (see the top of this file). True when the record was accepted.
    bool Ok();
    // The closing after OK: refused once after a failed Ok(); the mark is then reset.
    bool CloseQuery();
    bool Valid() const { return valid_; }

    // The edited copy; after a successful Ok() it holds what the user entered.
    const TEffectRecord& Record() const { return record_; }

  private:
    void CheckOwners(std::size_t field);
    void ReadField(bool& ok, std::size_t index);
    // Opens the browsers of list fields that are closed (after a refused OK).
    void OpenLists();

    TEffectRecord record_;
    TEffectContext context_;
    const WaveRegistry& registry_;
    std::vector<TFieldControl> controls_;
    bool valid_ = true;
};

// The message, under "Input Error", for a chosen wave document without samples.
std::string EmptyWaveText(std::string_view label, std::string_view name);

}  // namespace kalvora
