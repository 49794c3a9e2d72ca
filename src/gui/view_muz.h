// TViewMuz: the notation area of a music window. It paints the document through the
// notation layout into a double buffer, keeps both scroll bars at the extent the last paint
// measured, scrolls the selection into view, and hands mouse and key events to the window's
// input rules (notation/muz_window_input.h).
#pragma once

#include <QAbstractScrollArea>
#include <memory>

#include "notation/muz_window_input.h"
#include "notation/notation_painter.h"
#include "platform/qt/image_canvas.h"

namespace kalvora::gui {

class TMDIChildMuz;

class TViewMuz : public QAbstractScrollArea {
    Q_OBJECT
  public:
    explicit TViewMuz(TMDIChildMuz& window);
    ~TViewMuz() override;

    // Paints again, and scrolls the selection into view first when asked for since the last
    // paint.
    void Redraw();
    void ScrollSelectionIntoView();

    // The extent of the last paint (document coordinates).
    const notation::TNotationExtent& Extent() const { return extent_; }
    int ScrollX() const;
    int ScrollY() const;
    notation::TMuzWindowInput& Input() { return input_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void PaintNotation();
    void FollowLayout();
    void UpdateScrollBars();
    void ScrollToSelection();
    void ShowCursor(notation::TMuzCursor cursor);

    TMDIChildMuz& window_;
    notation::TMuzWindowInput input_;
    std::unique_ptr<platform::ImageCanvas> buffer_;
    notation::TNotationExtent extent_;
    bool scrollPending_ = false;
    bool followPending_ = false;
};

}  // namespace kalvora::gui
