// TDlgWaveViewProps: the modal dialog "Wave View" over the core model TWaveViewDialog. It
// fills its controls from the model on show and, on OK, hands their texts, choices and
// colours back; the model checks them and the dialog stays open while it refuses.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "shell/wave_view_dialog.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;

namespace kalvora::gui {

class TColorBox;

class TDlgWaveViewProps : public QDialog {
    Q_OBJECT
  public:
    // A dialog over model (which must outlive it); envelopes are the names offered in the
    // drop-down list "Envelope"; "Use As Default" writes into defaults.
    TDlgWaveViewProps(QWidget* parent, TWaveViewDialog& model, std::vector<std::string> envelopes,
                      TWaveViewProps& defaults);

    TColorBox* GridColorBox() const { return colbGrid_; }
    TColorBox* CursorColorBox() const { return colbCursor_; }
    TColorBox* SingleColorBox() const { return colbSingle_; }
    TColorBox* LeftColorBox() const { return colbLeft_; }
    TColorBox* RightColorBox() const { return colbRight_; }
    TColorBox* BackgroundColorBox() const { return colbBackground_; }

  protected:
    void showEvent(QShowEvent* event) override;
    // OK closes only when the model takes the input.
    void done(int result) override;

  private:
    void ShowModel();
    void TakeControls();
    void UpdateEnabling();

    TWaveViewDialog& model_;
    std::vector<std::string> envelopes_;
    TWaveViewProps& defaults_;
    QButtonGroup* rgrDraw_ = nullptr;
    QButtonGroup* rgrDistribution_ = nullptr;
    QLineEdit* editValuesPerPixel_ = nullptr;
    QCheckBox* chkGrid_ = nullptr;
    TColorBox* colbGrid_ = nullptr;
    TColorBox* colbCursor_ = nullptr;
    TColorBox* colbSingle_ = nullptr;
    QLineEdit* editStrength_ = nullptr;
    TColorBox* colbLeft_ = nullptr;
    TColorBox* colbRight_ = nullptr;
    QButtonGroup* rgrFront_ = nullptr;
    QCheckBox* chk2Waves_ = nullptr;
    TColorBox* colbBackground_ = nullptr;
    QCheckBox* chkEnvelope_ = nullptr;
    QComboBox* cboEnvelope_ = nullptr;
    QLineEdit* editEnvelopeStrength_ = nullptr;
    QCheckBox* chkDefault_ = nullptr;
};

}  // namespace kalvora::gui
