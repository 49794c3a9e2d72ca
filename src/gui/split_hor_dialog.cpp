#include "gui/split_hor_dialog.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include "gui/dialog_help.h"
#include "gui/qt_text.h"
#include "shell/help_topics.h"

namespace kalvora::gui {

TDlgSplitHorProps::TDlgSplitHorProps(QWidget* parent, TSplitHorResult result)
    : QDialog(parent), result_(result) {
    setObjectName(QStringLiteral("DlgSplitHorProps"));
    setWindowTitle(FromCore(kSplitHorCaption));
    auto* group = new QGroupBox(FromCore(kSplitHorResultLabel), this);
    group->setObjectName(QStringLiteral("rgrResult"));
    auto* groupLayout = new QVBoxLayout(group);
    buttons_ = new QButtonGroup(this);
    for (std::size_t i = 0; i < kSplitHorResultNames.size(); ++i) {
        auto* button = new QRadioButton(FromCore(kSplitHorResultNames[i]), group);
        buttons_->addButton(button, static_cast<int>(i));
        groupLayout->addWidget(button);
    }
    buttons_->button(static_cast<int>(result))->setChecked(true);
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(box, &QDialogButtonBox::accepted, this, &TDlgSplitHorProps::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    InstallDialogHelp(*this, helpContext::splitHorizontally, box);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(box);
    setFixedSize(sizeHint());
}

void TDlgSplitHorProps::accept() {
    if (!SplitHorResultFromIndex(buttons_->checkedId(), result_)) return;
    QDialog::accept();
}

}  // namespace kalvora::gui
