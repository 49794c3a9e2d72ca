#include "gui/register_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/dialog_help.h"
#include "gui/qt_text.h"
#include "shell/help_topics.h"

namespace kalvora::gui {

TDlgRegister::TDlgRegister(QWidget* parent, const std::string& name,
                           std::function<bool(const std::string&)> rename)
    : QDialog(parent), rename_(std::move(rename)) {
    setObjectName(QStringLiteral("DlgRegister"));
    setWindowTitle(QStringLiteral("Register"));
    name_ = new QLineEdit(FromCore(name), this);
    name_->setObjectName(QStringLiteral("EditName"));
    name_->setMinimumWidth(220);
    auto* label = new QLabel(QStringLiteral("Name:"), this);
    label->setBuddy(name_);
    auto* buttons = new QDialogButtonBox(
        QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &TDlgRegister::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    InstallDialogHelp(*this, helpContext::registerName, buttons);
    auto* form = new QFormLayout;
    form->addRow(label, name_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    setFixedSize(sizeHint());
}

// The name is taken as typed, blanks and all.
void TDlgRegister::accept() {
    if (!rename_(ToCore(name_->text()))) return;
    QDialog::accept();
}

}  // namespace kalvora::gui
