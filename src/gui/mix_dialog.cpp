#include "gui/mix_dialog.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include "gui/dialog_help.h"
#include "gui/qt_text.h"
#include "shell/help_topics.h"

namespace kalvora::gui {

TDlgMix::TDlgMix(QWidget* parent, TMixPlace place) : QDialog(parent), place_(place) {
    setObjectName(QStringLiteral("DlgMix"));
    setWindowTitle(FromCore(kMixCaption));
    auto* group = new QGroupBox(FromCore(kMixPlaceLabel), this);
    group->setObjectName(QStringLiteral("rgrPlace"));
    auto* groupLayout = new QVBoxLayout(group);
    buttons_ = new QButtonGroup(this);
    for (std::size_t i = 0; i < kMixPlaceNames.size(); ++i) {
        auto* button = new QRadioButton(FromCore(kMixPlaceNames[i]), group);
        buttons_->addButton(button, static_cast<int>(i));
        groupLayout->addWidget(button);
    }
    buttons_->button(static_cast<int>(place))->setChecked(true);
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(box, &QDialogButtonBox::accepted, this, &TDlgMix::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    InstallDialogHelp(*this, helpContext::mix, box);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(box);
    setFixedSize(sizeHint());
}

void TDlgMix::accept() {
    if (!MixPlaceFromIndex(buttons_->checkedId(), place_)) return;
    QDialog::accept();
}

}  // namespace kalvora::gui
