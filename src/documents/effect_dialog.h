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
// - after a successful Ok() the edited record is Record(); Cancel simply drops the model.
// Standard C++, the platform's messages and the documents only.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "documents/effect_record.h"
#include "documents/effect_table.h"
#include "documents/unit_unit_wave.h"
#include "documents/wave_registry.h"

namespace kalvora {

// The state of one field's control.
struct TFieldControl {
    std::string text;      // value: the edit's text
    int choice = 0;        // choice: the checked radio button; check: 1 checked
    WaveChoiceList waves;  // wave: the drop-down list and its selection
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

    // The user's edits. Editing a field of an alternative checks that alternative.
    void SetText(std::size_t field, std::string text);
    void SelectWave(std::size_t field, int item);
    // Selects the list item named name; false when the list has none (nothing changes).
    bool SelectWaveNamed(std::size_t field, std::string_view name);
    void SetChoice(std::size_t field, int alternative);
    void SetChecked(std::size_t field, bool checked);

    // The choices (field index, alternative) that must be checked for the field to be read,
    // innermost first.
    std::vector<std::pair<std::size_t, int>> AlternativePath(std::size_t field) const;
    // Whether OK reads the field with the radio buttons and check boxes as they stand.
    bool IsRead(std::size_t field) const;

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

    TEffectRecord record_;
    TEffectContext context_;
    const WaveRegistry& registry_;
    std::vector<TFieldControl> controls_;
    bool valid_ = true;
};

// The message, under "Input Error", for a chosen wave document without samples.
std::string EmptyWaveText(std::string_view label, std::string_view name);

}  // namespace kalvora
