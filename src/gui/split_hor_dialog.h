// The "Split Horizontally" dialog: how a selection cuts the wave (radio group "Result").
#pragma once

#include <QDialog>

#include "documents/merge_split_records.h"

class QButtonGroup;

namespace kalvora::gui {

class TDlgSplitHorProps : public QDialog {
    Q_OBJECT
  public:
    TDlgSplitHorProps(QWidget* parent, TSplitHorResult result);

    TSplitHorResult Result() const { return result_; }
    QButtonGroup* Buttons() const { return buttons_; }

    void accept() override;

  private:
    QButtonGroup* buttons_ = nullptr;
    TSplitHorResult result_;
};

}  // namespace kalvora::gui
