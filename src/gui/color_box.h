// TColorBox: a drop-down list of colours, the standard and extended named colours with a
// swatch each and "Custom..." for any other colour, chosen in the colour dialog. Values are
// the system's 0x00BBGGRR colours.
#pragma once

#include <QComboBox>

#include "platform/color.h"

namespace kalvora::gui {

class TColorBox : public QComboBox {
    Q_OBJECT
  public:
    explicit TColorBox(QWidget* parent = nullptr);

    platform::Color Color() const { return color_; }
    // Shows color (its named entry, else "Custom..." with its swatch); emits nothing.
    void SetColor(platform::Color color);
    // The user's choice of color: shown, then announced through ColorChosen.
    void Choose(platform::Color color);

  signals:
    void ColorChosen(kalvora::platform::Color color);

  private:
    void OnActivated(int index);

    platform::Color color_ = 0;
};

QColor ToQColor(platform::Color color);
platform::Color FromQColor(const QColor& color);

}  // namespace kalvora::gui
