// TViewWave: one of the two views of a wave window. It shows the document over its full
// height with its own horizontal zoom and scroll bar, paints through the core painter into a
// double buffer, and hands mouse and key events to the core input rules.
#pragma once

#include <QWidget>
#include <memory>
#include <optional>
#include <utility>

#include "shell/wave_view_geometry.h"
#include "shell/wave_view_input.h"

class QScrollBar;

namespace kalvora::platform {
class ImageCanvas;
}

namespace kalvora::gui {

class TViewWaveGroup;

class TViewWave : public QWidget {
    Q_OBJECT
  public:
    TViewWave(TViewWaveGroup& group, QWidget* parent);
    ~TViewWave() override;

    // The geometry with the document's current sample count.
    const TWaveViewGeometry& Geometry();
    bool Zoomed() const { return geometry_.Zoomed(); }
    QScrollBar* ScrollBar() const { return scroll_; }
    const TWaveViewMouse& Mouse() const { return mouse_; }
    TViewWaveGroup& Group() const { return group_; }

    // Shows the samples a .. b (ignored for an empty wave or when b is not beyond a); with
    // repaint a full repaint is requested.
    bool ZoomTo(double a, double b, bool repaint);
    void Unzoom();
    // Around a change of the sound's length: the visible range keeps its distances to the
    // changed range.
    void BeforeChange(std::int32_t begin, std::int32_t end);
    void AfterChange(std::int32_t begin, std::int32_t end);

    void RequestFullRepaint();
    // The next paint takes its visible range as the one stored (after a shadow file set it).
    void ForgetPaintedRange() { paintedRange_.reset(); }
    // Repaints the strip of the samples a .. b (and a column either side).
    void RepaintSamples(double a, double b);
    // Repaints what a selection change from (oldFirst, oldSecond) affects.
    void RepaintSelection(std::int32_t oldFirst, std::int32_t oldSecond);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    void SyncGeometry();
    void LayoutScrollBar();
    void UpdateScrollBar();
    void OnScrolled(int value);
    void ApplyReaction(const TViewReaction& reaction);
    // The stored view state changed: the document's shadow file has to be written again.
    void NotifyViewChanged();
    void CheckVisibleRange();

    TViewWaveGroup& group_;
    TWaveViewGeometry geometry_;
    TWaveViewMouse mouse_;
    QPoint pointer_;  // where the pointer last moved
    QScrollBar* scroll_ = nullptr;
    std::int64_t scrollScale_ = 1;  // scroll positions per scroll bar step
    bool updatingScrollBar_ = false;
    std::unique_ptr<platform::ImageCanvas> buffer_;
    // The zoomed range at the last paint; nullopt unzoomed. Unset before the first paint.
    std::optional<std::optional<std::pair<double, double>>> paintedRange_;
};

}  // namespace kalvora::gui
