// TEffectDialog: the one Qt dialog of every generator and effect. It lays out the fields of
// a command's table entry with their captions and labels (an edit or a drop-down list beside
// its label, a check box, a group of radio buttons with the controls of each alternative
// beside it) and binds each control to the core dialog model, which does all the reading,
// checking and deciding (documents/effect_dialog.h).
#pragma once

#include <QDialog>
#include <optional>
#include <string_view>
#include <vector>

#include "documents/effect_dialog.h"

class QAbstractButton;
class QButtonGroup;
class QGridLayout;
class QTabWidget;
class QWidget;

namespace kalvora::gui {

class TEffectDialog : public QDialog {
    Q_OBJECT
  public:
    // A dialog over model, which must outlive it.
    TEffectDialog(TEffectDialogModel& model, QWidget* parent = nullptr);

    // The control of the named field: a QLineEdit, QComboBox, QCheckBox, the QGroupBox of a
    // choice (the QComboBox of a preset list), or the TListFieldBox of a list. Its object name
    // is the field's name.
    QWidget* ControlOf(std::string_view field) const;
    // The radio button of an alternative of a choice; its object name is the field's name,
    // "." and the alternative's label without blanks ("kind.Exponential").
    QAbstractButton* RadioOf(std::string_view field, int alternative) const;

  protected:
    // OnShow: the model writes the record into the controls.
    void showEvent(QShowEvent* event) override;
    // The closing after OK is refused while the model says the input was wrong.
    void done(int result) override;

  private:
    // Adds the rows of the fields that belong to owner (none: the fields outside every
    // alternative) to grid.
    void AddRows(QGridLayout* grid, std::optional<TAlternativeOf> owner);
    void AddField(QGridLayout* grid, int row, std::size_t index, std::string_view ownerLabel);
    QWidget* AlternativeBox(const TFieldSpec& choice, int alternative);
    void ShowModel();
    void ShowChoices();
    // The edits' texts from the model (after a preset or a copy wrote them).
    void ShowTexts();
    // The list fields' boxes show their current entries and states.
    void ShowLists();
    void Ok();

    // The pages of a tabbed dialog being laid out, each with its grid and rows so far.
    struct TPages {
        struct Page {
            std::string_view name;
            QGridLayout* grid;
            int rows;
        };
        QTabWidget* tabs = nullptr;
        std::vector<Page> pages;

        Page& Of(std::string_view name);
        void Finish();
    };

    TEffectDialogModel& model_;
    std::vector<QWidget*> controls_;      // per field
    std::vector<QButtonGroup*> choices_;  // per field: the radio buttons of a choice
};

// Runs the dialog of model modally over parent: true when it closed with OK.
bool ExecEffectDialog(TEffectDialogModel& model, QWidget* parent);

}  // namespace kalvora::gui
