// The eight panels of the status bar: 0 the long hint of what is under the mouse, 1 the
// position under the mouse in a view, 2 to 7 the active document.
#pragma once

#include <QObject>
#include <array>

#include "shell/command_update.h"

class QLabel;
class QStatusBar;

namespace kalvora::gui {

class TStatusPanels : public QObject {
    Q_OBJECT
  public:
    static constexpr int kPanelCount = 8;
    explicit TStatusPanels(QStatusBar* bar);
    // The width a panel is laid out with for a font of five pixels per character.
    static int DesignedWidth(int index);

    QLabel* Panel(int index) const { return panels_[static_cast<std::size_t>(index)]; }
    // Lays a panel out with another designed width (panel 1 is narrower for the waveform's
    // position than for the volume diagram's).
    void SetDesignedWidth(int index, int width);
    QString Text(int index) const;
    void SetText(int index, const QString& text);
    void Apply(const StatusPanelTexts& texts);

  private:
    std::array<QLabel*, kPanelCount> panels_{};
};

}  // namespace kalvora::gui
