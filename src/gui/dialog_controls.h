// Small builders shared by the settings dialogs: a titled radio group, an edit box, a colour
// box and a label in front of a control, each given the object name the tests find it by.
#pragma once

#include <QString>
#include <initializer_list>

class QBoxLayout;
class QButtonGroup;
class QCheckBox;
class QDialog;
class QGridLayout;
class QGroupBox;
class QLineEdit;
class QWidget;

namespace kalvora::gui {

class TColorBox;

// A group box titled title with one radio button per caption, stacked; the button group
// numbers them from 0. The box is named objectName, its buttons objectName + "." + index.
QGroupBox* NewRadioGroup(const QString& title, std::initializer_list<const char*> captions,
                         const QString& objectName, QButtonGroup*& buttons, QWidget* parent);

// An edit box that holds at most 99 characters.
QLineEdit* NewEdit(const QString& objectName, QWidget* parent);

TColorBox* NewColorBox(const QString& objectName, QWidget* parent);

// Adds label (with its buddy control) and control as one row of grid.
void AddRow(QGridLayout* grid, int row, const QString& label, QWidget* control);

// Lays out a settings dialog: the left and right columns side by side over a bottom row with
// the "Use As Default" check box (captioned defaultCaption, named "chkDefault") and OK and
// Cancel. Returns the check box.
QCheckBox* LayOutSettingsDialog(QDialog* dialog, int helpContext, QBoxLayout* left,
                                QBoxLayout* right, const QString& defaultCaption);

}  // namespace kalvora::gui
