#include "gui/export_options_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QVBoxLayout>

#include "gui/dialog_help.h"
#include "gui/qt_text.h"
#include "shell/help_topics.h"

namespace kalvora::gui {

TDlgExportOptions::TDlgExportOptions(QWidget* parent, platform::EncodedFormat format,
                                     const ExportChoices& choices)
    : QDialog(parent), choices_(choices) {
    setObjectName(QStringLiteral("DlgExportOptions"));
    setWindowTitle(FromCore(exportText::caption));
    auto* form = new QFormLayout;
    if (format == platform::EncodedFormat::oggVorbis) {
        quality_ = new QDoubleSpinBox(this);
        quality_->setObjectName(QStringLiteral("edQuality"));
        quality_->setRange(0, 10);
        quality_->setDecimals(1);
        quality_->setSingleStep(1);
        quality_->setValue(choices.quality);
        form->addRow(FromCore(exportText::qualityLabel), quality_);
    } else {
        width_ = new QComboBox(this);
        width_->setObjectName(QStringLiteral("cbSampleWidth"));
        width_->addItem(FromCore(exportText::sixteenBits), 16);
        width_->addItem(FromCore(exportText::twentyFourBits), 24);
        width_->setCurrentIndex(choices.bits == 24 ? 1 : 0);
        form->addRow(FromCore(exportText::widthLabel), width_);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    InstallDialogHelp(*this, helpContext::exportOptions, buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

ExportChoices TDlgExportOptions::Choices() const {
    ExportChoices choices = choices_;
    if (width_ != nullptr) choices.bits = width_->currentData().toInt();
    if (quality_ != nullptr) choices.quality = quality_->value();
    return choices;
}

}  // namespace kalvora::gui
