#include "gui/wave_view_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "gui/color_box.h"
#include "gui/dialog_controls.h"
#include "gui/dialog_help.h"
#include "gui/qt_text.h"
#include "shell/help_topics.h"

namespace kalvora::gui {

TDlgWaveViewProps::TDlgWaveViewProps(QWidget* parent, TWaveViewDialog& model,
                                     std::vector<std::string> envelopes, TWaveViewProps& defaults)
    : QDialog(parent), model_(model), envelopes_(std::move(envelopes)), defaults_(defaults) {
    setObjectName(QStringLiteral("DlgWaveViewProps"));
    setWindowTitle(QStringLiteral("Wave View"));

    // Left: how the wave is sampled and drawn, the grid and the cursor.
    auto* left = new QVBoxLayout;
    left->addWidget(NewRadioGroup(QStringLiteral("Draw"), {"Lines", "Points"},
                                  QStringLiteral("rgrDraw"), rgrDraw_, this));
    left->addWidget(NewRadioGroup(QStringLiteral("Distribution"), {"Constant", "Random"},
                                  QStringLiteral("rgrDistribution"), rgrDistribution_, this));
    auto* sampling = new QGridLayout;
    editValuesPerPixel_ = NewEdit(QStringLiteral("editValuesPerPixel"), this);
    AddRow(sampling, 0, QStringLiteral("&Values per Pixel:"), editValuesPerPixel_);
    chkGrid_ = new QCheckBox(QStringLiteral("Draw &Grid"), this);
    chkGrid_->setObjectName(QStringLiteral("chkGrid"));
    colbGrid_ = NewColorBox(QStringLiteral("colbGrid"), this);
    sampling->addWidget(chkGrid_, 1, 0);
    sampling->addWidget(colbGrid_, 1, 1);
    colbCursor_ = NewColorBox(QStringLiteral("colbCursor"), this);
    AddRow(sampling, 2, QStringLiteral("C&ursor"), colbCursor_);
    left->addLayout(sampling);
    left->addStretch();

    // Right: the colours of the wave, of stereo waves and of the background with the envelope.
    auto* colors = new QGroupBox(QStringLiteral("Colors Wave"), this);
    auto* colorsGrid = new QGridLayout(colors);
    colbSingle_ = NewColorBox(QStringLiteral("colbSingle"), colors);
    AddRow(colorsGrid, 0, QStringLiteral("&Single Wave"), colbSingle_);
    editStrength_ = NewEdit(QStringLiteral("editStrength"), colors);
    AddRow(colorsGrid, 1, QStringLiteral("S&trength"), editStrength_);
    auto* stereo = new QGroupBox(QStringLiteral("Stereo"), colors);
    auto* stereoGrid = new QGridLayout(stereo);
    colbLeft_ = NewColorBox(QStringLiteral("colbLeft"), stereo);
    AddRow(stereoGrid, 0, QStringLiteral("&Left"), colbLeft_);
    colbRight_ = NewColorBox(QStringLiteral("colbRight"), stereo);
    AddRow(stereoGrid, 1, QStringLiteral("&Right"), colbRight_);
    stereoGrid->addWidget(
        NewRadioGroup(QStringLiteral("Combine"), {"Mixed", "Left at Front", "Right at Front"},
                      QStringLiteral("rgrCombine"), rgrFront_, stereo),
        2, 0, 1, 2);
    chk2Waves_ = new QCheckBox(QStringLiteral("&2 Single Waves when Stereo"), stereo);
    chk2Waves_->setObjectName(QStringLiteral("chk2Waves"));
    stereoGrid->addWidget(chk2Waves_, 3, 0, 1, 2);
    colorsGrid->addWidget(stereo, 2, 0, 1, 2);

    auto* background = new QGroupBox(QStringLiteral("Background"), this);
    auto* backgroundGrid = new QGridLayout(background);
    colbBackground_ = NewColorBox(QStringLiteral("colbBackground"), background);
    AddRow(backgroundGrid, 0, QStringLiteral("C&olor"), colbBackground_);
    chkEnvelope_ = new QCheckBox(QStringLiteral("Draw &Envelope"), background);
    chkEnvelope_->setObjectName(QStringLiteral("chkEnvelope"));
    backgroundGrid->addWidget(chkEnvelope_, 1, 0, 1, 2);
    cboEnvelope_ = new QComboBox(background);
    cboEnvelope_->setObjectName(QStringLiteral("cboEnvelope"));
    AddRow(backgroundGrid, 2, QStringLiteral("E&nvelope"), cboEnvelope_);
    editEnvelopeStrength_ = NewEdit(QStringLiteral("editEnvelopeStrength"), background);
    AddRow(backgroundGrid, 3, QStringLiteral("Stre&ngth"), editEnvelopeStrength_);

    auto* right = new QVBoxLayout;
    right->addWidget(colors);
    right->addWidget(background);
    right->addStretch();

    chkDefault_ = LayOutSettingsDialog(this, helpContext::waveView, left, right,
                                       QStringLiteral("Use As &Default"));

    connect(rgrDraw_, &QButtonGroup::idClicked, this, [this] { UpdateEnabling(); });
    connect(chkGrid_, &QCheckBox::toggled, this, [this] { UpdateEnabling(); });
    // Choosing an envelope or its strength means drawing it.
    auto envelopeEdited = [this] {
        model_.EnvelopeEdited();
        chkEnvelope_->setChecked(model_.DrawEnvelopeChecked);
    };
    connect(cboEnvelope_, &QComboBox::activated, this, envelopeEdited);
    connect(editEnvelopeStrength_, &QLineEdit::textEdited, this, envelopeEdited);
}

void TDlgWaveViewProps::showEvent(QShowEvent* event) {
    ShowModel();
    QDialog::showEvent(event);
}

void TDlgWaveViewProps::ShowModel() {
    const TWaveViewProps& s = model_.Settings;
    rgrDraw_->button(s.DrawStyle == drawStylePoints ? 1 : 0)->setChecked(true);
    rgrDistribution_->button(s.Distribution == distributionRandom ? 1 : 0)->setChecked(true);
    editValuesPerPixel_->setText(FromCore(model_.ValuesPerPixelText));
    chkGrid_->setChecked(s.UseGrid);
    colbGrid_->SetColor(s.GridColor);
    colbCursor_->SetColor(s.CursorColor);
    colbSingle_->SetColor(s.SingleColor);
    editStrength_->setText(FromCore(model_.StrengthText));
    colbLeft_->SetColor(s.LeftColor);
    colbRight_->SetColor(s.RightColor);
    rgrFront_->button(s.Front <= frontRight ? s.Front : frontMixed)->setChecked(true);
    chk2Waves_->setChecked(s.DrawSingle);
    colbBackground_->SetColor(s.BackgroundColor);
    cboEnvelope_->clear();
    for (const std::string& name : envelopes_)
        cboEnvelope_->addItem(FromCore(name));
    cboEnvelope_->setCurrentIndex(cboEnvelope_->findText(FromCore(model_.EnvelopeNameText)));
    editEnvelopeStrength_->setText(FromCore(model_.EnvelopeStrengthText));
    // Last: filling the envelope's controls must not tick it.
    chkEnvelope_->setChecked(model_.DrawEnvelopeChecked);
    chkDefault_->setChecked(model_.UseAsDefault);
    UpdateEnabling();
}

void TDlgWaveViewProps::UpdateEnabling() {
    colbGrid_->setEnabled(chkGrid_->isChecked());
    editStrength_->setEnabled(rgrDraw_->checkedId() == 1);
}

void TDlgWaveViewProps::TakeControls() {
    TWaveViewProps& s = model_.Settings;
    s.DrawStyle = rgrDraw_->checkedId() == 1 ? drawStylePoints : drawStyleLines;
    s.Distribution = rgrDistribution_->checkedId() == 1 ? distributionRandom : distributionConstant;
    s.UseGrid = chkGrid_->isChecked();
    s.GridColor = colbGrid_->Color();
    s.CursorColor = colbCursor_->Color();
    s.SingleColor = colbSingle_->Color();
    s.LeftColor = colbLeft_->Color();
    s.RightColor = colbRight_->Color();
    s.Front = static_cast<TFront>(std::max(0, rgrFront_->checkedId()));
    s.DrawSingle = chk2Waves_->isChecked();
    s.BackgroundColor = colbBackground_->Color();
    model_.ValuesPerPixelText = ToCore(editValuesPerPixel_->text());
    model_.StrengthText = ToCore(editStrength_->text());
    model_.DrawEnvelopeChecked = chkEnvelope_->isChecked();
    model_.EnvelopeNameText =
        cboEnvelope_->currentIndex() >= 0 ? ToCore(cboEnvelope_->currentText()) : std::string();
    model_.EnvelopeStrengthText = ToCore(editEnvelopeStrength_->text());
    model_.UseAsDefault = chkDefault_->isChecked();
}

void TDlgWaveViewProps::done(int result) {
    if (result == Accepted) {
        TakeControls();
        if (!model_.Accept(defaults_)) return;
    }
    QDialog::done(result);
}

}  // namespace kalvora::gui
