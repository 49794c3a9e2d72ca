// The About box: a fixed-size dialog with the painted logo showing the version.
#pragma once

#include <QDialog>

namespace kalvora::gui {

class TAboutBox : public QDialog {
    Q_OBJECT
  public:
    explicit TAboutBox(QWidget* parent);
};

}  // namespace kalvora::gui
