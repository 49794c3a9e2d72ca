#include "gui/vold_view_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "gui/color_box.h"
#include "gui/color_palette_dialog.h"
#include "gui/dialog_controls.h"
#include "gui/dialog_help.h"
#include "gui/qt_text.h"
#include "shell/help_topics.h"

namespace kalvora::gui {

TDlgVoldViewProps::TDlgVoldViewProps(QWidget* parent, TVoldViewDialog& model,
                                     TVoldViewProps& defaults)
    : QDialog(parent), model_(model), defaults_(defaults) {
    setObjectName(QStringLiteral("DlgVoldViewProps"));
    setWindowTitle(QStringLiteral("Volume Diagram"));

    // Left: how the diagram is computed.
    auto* resolution = new QGroupBox(QStringLiteral("Resolution"), this);
    auto* resolutionGrid = new QGridLayout(resolution);
    editHorizontal_ = NewEdit(QStringLiteral("editHorizontal"), resolution);
    AddRow(resolutionGrid, 0, QStringLiteral("&Horizontal"), editHorizontal_);
    auto* btnXResWindow = new QPushButton(QStringLiteral("< &Window"), resolution);
    btnXResWindow->setObjectName(QStringLiteral("btnXResWindow"));
    resolutionGrid->addWidget(btnXResWindow, 0, 2);
    editVertical_ = NewEdit(QStringLiteral("editVertical"), resolution);
    AddRow(resolutionGrid, 1, QStringLiteral("&Vertical"), editVertical_);
    auto* btnYResWindow = new QPushButton(QStringLiteral("< W&indow"), resolution);
    btnYResWindow->setObjectName(QStringLiteral("btnYResWindow"));
    resolutionGrid->addWidget(btnYResWindow, 1, 2);

    auto* frequency = new QGroupBox(QStringLiteral("Frequency"), this);
    auto* frequencyGrid = new QGridLayout(frequency);
    editTop_ = NewEdit(QStringLiteral("editTop"), frequency);
    AddRow(frequencyGrid, 0, QStringLiteral("&Top"), editTop_);
    editBottom_ = NewEdit(QStringLiteral("editBottom"), frequency);
    AddRow(frequencyGrid, 1, QStringLiteral("&Bottom"), editBottom_);
    editWidth_ = NewEdit(QStringLiteral("editWidth"), frequency);
    AddRow(frequencyGrid, 2, QStringLiteral("Wi&dth"), editWidth_);

    auto* strengthRow = new QGridLayout;
    editStrength_ = NewEdit(QStringLiteral("editStrength"), this);
    AddRow(strengthRow, 0, QStringLiteral("&Strength"), editStrength_);

    auto* left = new QVBoxLayout;
    left->addWidget(resolution);
    left->addWidget(frequency);
    left->addLayout(strengthRow);
    left->addWidget(NewRadioGroup(
        QStringLiteral("Sensitivity"),
        {"Low (Kwadratic)", "Normal (Linear)", "High (Square root)", "Very High (Fourth root)"},
        QStringLiteral("rgrSensitivity"), rgrSensitivity_, this));
    left->addStretch();

    // Right: how the cells are coloured.
    auto* colors = new QGroupBox(QStringLiteral("Colors"), this);
    auto* colorsGrid = new QGridLayout(colors);
    colbBackground_ = NewColorBox(QStringLiteral("colbBackground"), colors);
    AddRow(colorsGrid, 0, QStringLiteral("Back&ground"), colbBackground_);
    colbSingle_ = NewColorBox(QStringLiteral("colbSingle"), colors);
    AddRow(colorsGrid, 1, QStringLiteral("Volume Single or Both "), colbSingle_);
    chkSingleColorPalette_ =
        new QCheckBox(QStringLiteral("Use &Palette for Single Diagrams"), colors);
    chkSingleColorPalette_->setObjectName(QStringLiteral("chkSingleColorPalette"));
    colorsGrid->addWidget(chkSingleColorPalette_, 2, 0, 1, 2);
    auto* btnSingleColorPalette = new QPushButton(QStringLiteral("&Edit Palette..."), colors);
    btnSingleColorPalette->setObjectName(QStringLiteral("btnSingleColorPalette"));
    colorsGrid->addWidget(btnSingleColorPalette, 3, 1);
    auto* stereo = new QGroupBox(QStringLiteral("Stereo"), colors);
    auto* stereoGrid = new QGridLayout(stereo);
    colbLeft_ = NewColorBox(QStringLiteral("colbLeft"), stereo);
    AddRow(stereoGrid, 0, QStringLiteral("Volume &Left"), colbLeft_);
    colbRight_ = NewColorBox(QStringLiteral("colbRight"), stereo);
    AddRow(stereoGrid, 1, QStringLiteral("Volume &Right"), colbRight_);
    colorsGrid->addWidget(stereo, 4, 0, 1, 2);

    auto* cursorRow = new QGridLayout;
    colbCursor_ = NewColorBox(QStringLiteral("colbCursor"), this);
    AddRow(cursorRow, 0, QStringLiteral("C&ursor"), colbCursor_);
    chk2Waves_ = new QCheckBox(QStringLiteral("&2 Single Diagrams when Stereo"), this);
    chk2Waves_->setObjectName(QStringLiteral("chk2Waves"));

    auto* right = new QVBoxLayout;
    right->addWidget(NewRadioGroup(QStringLiteral("Horizontal Distribution"),
                                   {"Frequency Linear", "Logaritmic", "Time Linear"},
                                   QStringLiteral("rgrHorDistribution"), rgrHorDistribution_,
                                   this));
    right->addWidget(colors);
    right->addLayout(cursorRow);
    right->addWidget(chk2Waves_);
    right->addStretch();

    chkDefault_ = LayOutSettingsDialog(this, helpContext::volumeDiagram, left, right,
                                       QStringLiteral("Use As De&fault"));

    connect(btnXResWindow, &QPushButton::clicked, this, [this] {
        model_.HorizontalFromWindow();
        editHorizontal_->setText(FromCore(model_.HorizontalText));
    });
    connect(btnYResWindow, &QPushButton::clicked, this, [this] {
        model_.Settings.DrawSingle = chk2Waves_->isChecked() ? 1 : 0;
        model_.VerticalFromWindow();
        editVertical_->setText(FromCore(model_.VerticalText));
    });
    connect(btnSingleColorPalette, &QPushButton::clicked, this, &TDlgVoldViewProps::EditPalette);
}

void TDlgVoldViewProps::showEvent(QShowEvent* event) {
    ShowModel();
    QDialog::showEvent(event);
}

void TDlgVoldViewProps::ShowModel() {
    const TVoldViewProps& s = model_.Settings;
    editHorizontal_->setText(FromCore(model_.HorizontalText));
    editVertical_->setText(FromCore(model_.VerticalText));
    editTop_->setText(FromCore(model_.TopText));
    editBottom_->setText(FromCore(model_.BottomText));
    editWidth_->setText(FromCore(model_.WidthText));
    editStrength_->setText(FromCore(model_.StrengthText));
    rgrSensitivity_->button(s.Sensitivity <= TVoldViewProps::SensVeryHigh ? s.Sensitivity : 1)
        ->setChecked(true);
    rgrHorDistribution_->button(s.YScale <= TVoldViewProps::YLinTime ? s.YScale : 1)
        ->setChecked(true);
    colbBackground_->SetColor(s.BackgroundColor);
    colbSingle_->SetColor(s.SingleColor);
    colbLeft_->SetColor(s.LeftColor);
    colbRight_->SetColor(s.RightColor);
    colbCursor_->SetColor(s.CursorColor);
    chkSingleColorPalette_->setChecked(s.UseColorPalette1D != 0);
    chk2Waves_->setChecked(s.DrawSingle != 0);
    chkDefault_->setChecked(model_.UseAsDefault);
}

void TDlgVoldViewProps::EditPalette() {
    TDlgColorPalette1D dialog(this, model_.Settings.ColorPalette1D);
    if (dialog.exec() != Accepted) return;
    model_.TakePalette(dialog.Palette());
    chkSingleColorPalette_->setChecked(true);
}

void TDlgVoldViewProps::TakeControls() {
    TVoldViewProps& s = model_.Settings;
    s.Sensitivity = static_cast<std::uint8_t>(std::max(0, rgrSensitivity_->checkedId()));
    s.YScale = static_cast<std::uint8_t>(std::max(0, rgrHorDistribution_->checkedId()));
    s.BackgroundColor = colbBackground_->Color();
    s.SingleColor = colbSingle_->Color();
    s.LeftColor = colbLeft_->Color();
    s.RightColor = colbRight_->Color();
    s.CursorColor = colbCursor_->Color();
    s.UseColorPalette1D = chkSingleColorPalette_->isChecked() ? 1 : 0;
    s.DrawSingle = chk2Waves_->isChecked() ? 1 : 0;
    model_.HorizontalText = ToCore(editHorizontal_->text());
    model_.VerticalText = ToCore(editVertical_->text());
    model_.TopText = ToCore(editTop_->text());
    model_.BottomText = ToCore(editBottom_->text());
    model_.WidthText = ToCore(editWidth_->text());
    model_.StrengthText = ToCore(editStrength_->text());
    model_.UseAsDefault = chkDefault_->isChecked();
}

void TDlgVoldViewProps::done(int result) {
    if (result == Accepted) {
        TakeControls();
        if (!model_.Accept(defaults_)) return;
    }
    QDialog::done(result);
}

}  // namespace kalvora::gui
