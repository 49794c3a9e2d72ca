#include "gui/dialog_controls.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "gui/color_box.h"
#include "gui/dialog_help.h"
#include "shell/help_topics.h"

namespace kalvora::gui {

QGroupBox* NewRadioGroup(const QString& title, std::initializer_list<const char*> captions,
                         const QString& objectName, QButtonGroup*& buttons, QWidget* parent) {
    auto* box = new QGroupBox(title, parent);
    box->setObjectName(objectName);
    auto* layout = new QVBoxLayout(box);
    buttons = new QButtonGroup(box);
    int index = 0;
    for (const char* caption : captions) {
        auto* radio = new QRadioButton(QString::fromLatin1(caption), box);
        radio->setObjectName(objectName + QLatin1Char('.') + QString::number(index));
        buttons->addButton(radio, index++);
        layout->addWidget(radio);
    }
    return box;
}

QLineEdit* NewEdit(const QString& objectName, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(objectName);
    edit->setMaxLength(99);
    // Room for a value with its unit ("0.000045 s") whatever the layout around it.
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0.000045 kHz")));
    return edit;
}

TColorBox* NewColorBox(const QString& objectName, QWidget* parent) {
    auto* box = new TColorBox(parent);
    box->setObjectName(objectName);
    return box;
}

void AddRow(QGridLayout* grid, int row, const QString& label, QWidget* control) {
    auto* text = new QLabel(label);
    text->setBuddy(control);
    grid->addWidget(text, row, 0);
    grid->addWidget(control, row, 1);
}

QCheckBox* LayOutSettingsDialog(QDialog* dialog, int helpContext, QBoxLayout* left,
                                QBoxLayout* right, const QString& defaultCaption) {
    auto* useAsDefault = new QCheckBox(defaultCaption, dialog);
    useAsDefault->setObjectName(QStringLiteral("chkDefault"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    InstallDialogHelp(*dialog, helpContext, buttons);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(useAsDefault);
    bottom->addStretch();
    bottom->addWidget(buttons);

    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right);
    auto* layout = new QVBoxLayout(dialog);
    layout->addLayout(columns);
    layout->addLayout(bottom);
    return useAsDefault;
}

}  // namespace kalvora::gui
