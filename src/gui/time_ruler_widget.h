// The time ruler above a wave view: ticks at the view's grid step and time labels where
// they fit, following the view's zoom and scroll. It only looks at the view; the view's
// own geometry and picture are unchanged by it.
#pragma once

#include <QWidget>
#include <optional>
#include <utility>

namespace kalvora::gui {

class TViewWave;

class TTimeRuler : public QWidget {
    Q_OBJECT
  public:
    TTimeRuler(TViewWave& view, QWidget* parent);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    TViewWave& view_;
    // The visible range and width it was last drawn for.
    std::optional<std::pair<std::pair<double, double>, int>> drawnFor_;
};

// A view with its ruler above it: what the view group puts side by side.
QWidget* ViewWithRuler(TViewWave& view, QWidget* parent);

}  // namespace kalvora::gui
