// The "Mix" dialog: where the clipboard goes into the wave (radio group "Place").
#pragma once

#include <QDialog>

#include "documents/mix_place.h"

class QButtonGroup;

namespace kalvora::gui {

class TDlgMix : public QDialog {
    Q_OBJECT
  public:
    TDlgMix(QWidget* parent, TMixPlace place);

    // The chosen place; the dialog closes with OK only when a button is chosen.
    TMixPlace Place() const { return place_; }
    QButtonGroup* Buttons() const { return buttons_; }

    void accept() override;

  private:
    QButtonGroup* buttons_ = nullptr;
    TMixPlace place_;
};

}  // namespace kalvora::gui
