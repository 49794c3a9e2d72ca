// TListFieldBox: the part of an effect dialog that edits a list field (such as the partials
// of "Multi Frequency") one entry at a time: an edit per sub-field, each with the "Default"
// check box the table gives it, the browse buttons, and the count and the number of the
// current entry shown read-only. Every edit and button goes to the core dialog model, whose
// record browser decides what happens; the box shows what the model then holds.
#pragma once

#include <QGroupBox>
#include <array>
#include <cstddef>
#include <utility>
#include <vector>

#include "documents/effect_dialog.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace kalvora::gui {

class TListFieldBox : public QGroupBox {
    Q_OBJECT
  public:
    static constexpr std::size_t kButtons = 10;

    // The box of list field `field` of model, which must outlive it.
    TListFieldBox(TEffectDialogModel& model, std::size_t field, QWidget* parent = nullptr);

    // The edit of a sub-field; its object name is the list's name, "." and the sub-field's.
    QLineEdit* EditOf(std::size_t subField) const { return edits_.at(subField); }
    // The "Default" check boxes made for check fields of the record: (field index, box).
    // Their object names are those fields' names.
    const std::vector<std::pair<std::size_t, QCheckBox*>>& DefaultBoxes() const {
        return defaultBoxes_;
    }
    // A browse button; its object name is the list's name, "." and its caption's word
    // ("frequencies.Append").
    QPushButton* ButtonOf(TBrowseButton button) const {
        return buttons_.at(static_cast<std::size_t>(button));
    }

    // Shows the current entry's texts, the count, the number and which buttons work.
    void Refresh();

  signals:
    // Editing checked the alternative the list belongs to, or a check box changed.
    void ChoicesChanged();

  private:
    void Press(TBrowseButton button);

    TEffectDialogModel& model_;
    std::size_t field_;
    std::vector<QLineEdit*> edits_;
    std::vector<std::pair<std::size_t, QCheckBox*>> defaultBoxes_;
    std::array<QPushButton*, kButtons> buttons_{};
    QLineEdit* count_ = nullptr;
    QLineEdit* number_ = nullptr;
};

}  // namespace kalvora::gui
