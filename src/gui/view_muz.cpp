#include "gui/view_muz.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "gui/main_form.h"
#include "gui/mdi_child_muz.h"
#include "notation/muz_scroll.h"

namespace kalvora::gui {
namespace {

using notation::TMuzCursor;
using notation::TMuzKey;

notation::TMouseButtons ButtonsOf(Qt::MouseButtons buttons) {
    return {(buttons & Qt::LeftButton) != 0, (buttons & Qt::RightButton) != 0};
}

TMuzKey KeyOf(int key) {
    switch (key) {
        case Qt::Key_Left:
            return TMuzKey::left;
        case Qt::Key_Right:
            return TMuzKey::right;
        case Qt::Key_Up:
            return TMuzKey::up;
        case Qt::Key_Down:
            return TMuzKey::down;
        case Qt::Key_Home:
            return TMuzKey::home;
        case Qt::Key_End:
            return TMuzKey::end;
        case Qt::Key_PageUp:
            return TMuzKey::pageUp;
        case Qt::Key_PageDown:
            return TMuzKey::pageDown;
        default:
            return TMuzKey::other;
    }
}

}  // namespace

TViewMuz::TViewMuz(TMDIChildMuz& window) : window_(window) {
    setObjectName(QStringLiteral("ViewMuz"));
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setCursor(Qt::ArrowCursor);
}

TViewMuz::~TViewMuz() = default;

int TViewMuz::ScrollX() const {
    return horizontalScrollBar()->value();
}

int TViewMuz::ScrollY() const {
    return verticalScrollBar()->value();
}

void TViewMuz::Redraw() {
    viewport()->update();
}

void TViewMuz::ScrollSelectionIntoView() {
    scrollPending_ = true;
    viewport()->update();
}

void TViewMuz::PaintNotation() {
    const QSize size = viewport()->size();
    const int width = std::max(1, size.width());
    const int height = std::max(1, size.height());
    if (!buffer_ || buffer_->Bounds().Width() != width || buffer_->Bounds().Height() != height)
        buffer_ = std::make_unique<platform::ImageCanvas>(width, height);
    TUnitMuz& music = window_.Music();
    extent_ = notation::TNotationPainter(*buffer_, music.Staves(), music.SelectedSymbol(),
                                         {ScrollX(), ScrollY(), width, height})
                  .Paint(music.Root());
}

// The extent and the selection's touch area are known only once a paint has laid them out:
// the scroll bars follow, and a symbol selected just now (inserted, or reached by a key) is
// scrolled to, right after the paint, outside it.
void TViewMuz::paintEvent(QPaintEvent*) {
    PaintNotation();
    QPainter painter(viewport());
    buffer_->DrawOnto(painter, QPoint(0, 0));
    if (!followPending_) {
        followPending_ = true;
        QMetaObject::invokeMethod(this, &TViewMuz::FollowLayout, Qt::QueuedConnection);
    }
}

void TViewMuz::FollowLayout() {
    followPending_ = false;
    UpdateScrollBars();
    if (scrollPending_) {
        scrollPending_ = false;
        ScrollToSelection();
    }
}

void TViewMuz::UpdateScrollBars() {
    const QSize client = viewport()->size();
    QScrollBar* horizontal = horizontalScrollBar();
    horizontal->setPageStep(std::max(1, client.width()));
    horizontal->setSingleStep(std::max(1, client.width() / 10));
    horizontal->setRange(0, std::max(0, extent_.Width - client.width()));
    QScrollBar* vertical = verticalScrollBar();
    vertical->setPageStep(std::max(1, client.height()));
    vertical->setSingleStep(std::max(1, client.height() / 10));
    vertical->setRange(0, std::max(0, extent_.Height - client.height()));
}

void TViewMuz::ScrollToSelection() {
    const TXTouchMuzSymbol* symbol = window_.Music().SelectedSymbol();
    if (symbol == nullptr || symbol->HasTouch == 0) return;
    const notation::TScrollRanges ranges = notation::ScrollRangesOf(*symbol);
    const QSize client = viewport()->size();
    const int dx = notation::HorizontalScrollToShow(ranges.Left, ranges.Right, client.width());
    const int dy = ranges.Vertical
                       ? notation::VerticalScrollToShow(ranges.Top, ranges.Bottom, client.height())
                       : 0;
    // Setting a value repaints through scrollContentsBy; the bars reach as far as the last
    // paint measured, which holds every symbol drawn.
    horizontalScrollBar()->setValue(ScrollX() + dx);
    verticalScrollBar()->setValue(ScrollY() + dy);
}

void TViewMuz::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    viewport()->update();
}

void TViewMuz::scrollContentsBy(int, int) {
    viewport()->update();
}

void TViewMuz::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    input_.MouseDown(window_.Music(), at.x(), at.y());
    if (input_.Dragging()) ShowCursor(TMuzCursor::splitVertical);
    window_.Changed();
}

void TViewMuz::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (input_.Dragging()) {
        if (TNoteStave* stave =
                input_.MouseMove(window_.Music(), ButtonsOf(event->buttons()), at.y())) {
            window_.StaveRoomsChanged(*stave);
        }
        if (input_.Dragging()) return;
    }
    ShowCursor(input_.CursorAt(window_.Music(), at.x(), at.y()));
}

void TViewMuz::mouseReleaseEvent(QMouseEvent* event) {
    input_.MouseUp(ButtonsOf(event->buttons()));
}

void TViewMuz::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    const notation::TKeyModifiers keys{(modifiers & Qt::ShiftModifier) != 0,
                                       (modifiers & Qt::ControlModifier) != 0,
                                       (modifiers & Qt::AltModifier) != 0};
    const TMuzKey key = KeyOf(event->key());
    if (key == TMuzKey::other) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    // The keys belong to the notation, not to the scroll bars, even when nothing moves.
    input_.KeyDown(window_.Music(), key, keys);
    window_.Changed();
    event->accept();
}

void TViewMuz::ShowCursor(TMuzCursor cursor) {
    const TMainForm& frame = window_.Frame();
    switch (cursor) {
        case TMuzCursor::unchanged:
            return;
        case TMuzCursor::arrow:
            viewport()->setCursor(Qt::ArrowCursor);
            return;
        case TMuzCursor::splitVertical:
            viewport()->setCursor(Qt::SplitVCursor);
            return;
        case TMuzCursor::deleteSymbol:
            viewport()->setCursor(frame.ScreenCursorOf(ScreenCursor::del));
            return;
        case TMuzCursor::silence:
            viewport()->setCursor(frame.ScreenCursorOf(ScreenCursor::sil));
            return;
        case TMuzCursor::reject:
            viewport()->setCursor(frame.ScreenCursorOf(ScreenCursor::reject));
            return;
        case TMuzCursor::note:
            viewport()->setCursor(frame.ScreenCursorOf(ScreenCursor::note));
            return;
    }
}

}  // namespace kalvora::gui
