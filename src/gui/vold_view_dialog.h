// TDlgVoldViewProps: the modal dialog "Volume Diagram" over the core model TVoldViewDialog,
// with the palette dialog behind "Edit Palette...". It fills its controls from the model on
// show and, on OK, hands their texts, choices and colours back; the model checks them and
// the dialog stays open while it refuses.
#pragma once

#include <QDialog>

#include "shell/vold_view_dialog.h"

class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QPushButton;

namespace kalvora::gui {

class TColorBox;

class TDlgVoldViewProps : public QDialog {
    Q_OBJECT
  public:
    // A dialog over model (which must outlive it); "Use As Default" writes into defaults.
    TDlgVoldViewProps(QWidget* parent, TVoldViewDialog& model, TVoldViewProps& defaults);

  protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

  private:
    void ShowModel();
    void TakeControls();
    void EditPalette();

    TVoldViewDialog& model_;
    TVoldViewProps& defaults_;
    QLineEdit* editHorizontal_ = nullptr;
    QLineEdit* editVertical_ = nullptr;
    QLineEdit* editTop_ = nullptr;
    QLineEdit* editBottom_ = nullptr;
    QLineEdit* editWidth_ = nullptr;
    QLineEdit* editStrength_ = nullptr;
    QButtonGroup* rgrSensitivity_ = nullptr;
    QButtonGroup* rgrHorDistribution_ = nullptr;
    TColorBox* colbBackground_ = nullptr;
    TColorBox* colbSingle_ = nullptr;
    TColorBox* colbLeft_ = nullptr;
    TColorBox* colbRight_ = nullptr;
    TColorBox* colbCursor_ = nullptr;
    QCheckBox* chkSingleColorPalette_ = nullptr;
    QCheckBox* chk2Waves_ = nullptr;
    QCheckBox* chkDefault_ = nullptr;
};

}  // namespace kalvora::gui
