#include "gui/view_wave.h"

#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <limits>

#include "gui/view_wave_group.h"
#include "platform/qt/image_canvas.h"
#include "shell/wave_painter.h"
#include "shell/wave_view_repaint.h"
#include "shell/wave_view_wheel.h"

namespace kalvora::gui {
namespace {

TInputModifiers ModifiersOf(Qt::KeyboardModifiers modifiers) {
    return TInputModifiers{(modifiers & Qt::ShiftModifier) != 0,
                           (modifiers & Qt::ControlModifier) != 0,
                           (modifiers & Qt::AltModifier) != 0};
}

platform::Rect ToCore(const QRect& rect) {
    return platform::Rect{rect.left(), rect.top(), rect.right() + 1, rect.bottom() + 1};
}

QRect FromCore(const platform::Rect& rect) {
    return QRect(rect.left, rect.top, rect.Width(), rect.Height());
}

}  // namespace

TViewWave::TViewWave(TViewWaveGroup& group, QWidget* parent)
    : QWidget(parent), group_(group), mouse_(group.Document(), geometry_) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setMinimumWidth(1);
    scroll_ = new QScrollBar(Qt::Horizontal, this);
    scroll_->setTracking(true);  // the view follows while the thumb is dragged
    scroll_->setFocusPolicy(Qt::NoFocus);
    scroll_->hide();
    connect(scroll_, &QScrollBar::valueChanged, this, &TViewWave::OnScrolled);
}

TViewWave::~TViewWave() = default;

const TWaveViewGeometry& TViewWave::Geometry() {
    SyncGeometry();
    return geometry_;
}

void TViewWave::SyncGeometry() {
    const bool wasZoomed = geometry_.Zoomed();
    geometry_.SetSampleCount(static_cast<std::int32_t>(group_.Document().GetValues()));
    // The sound became empty under a zoomed view: the scroll bar goes with the zoom (the
    // next paint tells the change of view).
    if (wasZoomed && !geometry_.Zoomed()) {
        LayoutScrollBar();
        RequestFullRepaint();
        return;
    }
    const int barHeight = geometry_.Zoomed() ? scroll_->sizeHint().height() : 0;
    geometry_.SetClient(platform::Rect{0, 0, width(), std::max(0, height() - barHeight)});
}

void TViewWave::LayoutScrollBar() {
    const int barHeight = scroll_->sizeHint().height();
    scroll_->setGeometry(0, height() - barHeight, width(), barHeight);
    scroll_->setVisible(geometry_.Zoomed());
    SyncGeometry();
}

void TViewWave::UpdateScrollBar() {
    LayoutScrollBar();
    if (!geometry_.Zoomed()) return;
    // The scroll range of a deep zoom into a long wave exceeds what a scroll bar holds: the
    // bar then moves in steps of several positions.
    const std::int64_t maximum = geometry_.MaxScrollPosition();
    constexpr std::int64_t kBarLimit = std::numeric_limits<int>::max() / 2;
    scrollScale_ = std::max<std::int64_t>(1, (maximum + kBarLimit - 1) / kBarLimit);
    updatingScrollBar_ = true;
    scroll_->setRange(0, static_cast<int>(maximum / scrollScale_));
    scroll_->setSingleStep(
        static_cast<int>(std::max<std::int64_t>(1, geometry_.ScrollIncrement() / scrollScale_)));
    scroll_->setPageStep(
        static_cast<int>(std::max<std::int64_t>(1, geometry_.Width() / scrollScale_)));
    scroll_->setValue(static_cast<int>(geometry_.ScrollPosition() / scrollScale_));
    updatingScrollBar_ = false;
}

void TViewWave::OnScrolled(int value) {
    if (updatingScrollBar_) return;
    geometry_.SetScrollPosition(static_cast<std::int64_t>(value) * scrollScale_);
    RequestFullRepaint();
}

bool TViewWave::ZoomTo(double a, double b, bool repaint) {
    if (repaint) RequestFullRepaint();
    if (!mouse_.ZoomTo(a, b)) return false;
    UpdateScrollBar();
    NotifyViewChanged();
    RequestFullRepaint();
    return true;
}

void TViewWave::Unzoom() {
    geometry_.Unzoom();
    UpdateScrollBar();
    NotifyViewChanged();
    RequestFullRepaint();
}

void TViewWave::BeforeChange(std::int32_t begin, std::int32_t end) {
    SyncGeometry();
    geometry_.BeforeChange(begin, end);
}

void TViewWave::AfterChange(std::int32_t begin, std::int32_t end) {
    SyncGeometry();
    const bool wasZoomed = geometry_.Zoomed();
    geometry_.AfterChange(begin, end);
    if (wasZoomed) UpdateScrollBar();
    RequestFullRepaint();
}

void TViewWave::RequestFullRepaint() {
    update();
}

void TViewWave::RepaintSamples(double a, double b) {
    SyncGeometry();
    if (const std::optional<platform::Rect> strip = geometry_.RangeStrip(a, b))
        update(FromCore(*strip));
}

void TViewWave::RepaintSelection(std::int32_t oldFirst, std::int32_t oldSecond) {
    SyncGeometry();
    const TUnitWave& document = group_.Document();
    for (const platform::Rect& strip : SelectionRepaintRects(
             geometry_, oldFirst, oldSecond, document.FirstEnd(), document.SecondEnd())) {
        update(FromCore(strip));
    }
}

void TViewWave::NotifyViewChanged() {
    group_.ViewChanged(*this);
}

// A zoomed view whose visible range moved (scrolling, resizing, an edit) has a new state to
// store. An unzoomed view shows the whole wave whatever its length, so it stores nothing new.
void TViewWave::CheckVisibleRange() {
    std::optional<std::pair<double, double>> range;
    if (geometry_.Zoomed())
        range = std::make_pair(geometry_.FirstVisible(), geometry_.LastVisible());
    if (paintedRange_ && *paintedRange_ != range) NotifyViewChanged();
    paintedRange_ = range;
}

void TViewWave::paintEvent(QPaintEvent* event) {
    SyncGeometry();
    CheckVisibleRange();
    const platform::Rect client = geometry_.Client();
    if (!buffer_ || buffer_->Bounds().Width() != client.Width() ||
        buffer_->Bounds().Height() != client.Height()) {
        buffer_ = std::make_unique<platform::ImageCanvas>(std::max(1, client.Width()),
                                                          std::max(1, client.Height()));
    }
    TViewScene scene;
    group_.FillScene(scene);
    TWavePainter painter(*buffer_, geometry_, scene.scene);
    const platform::Rect rect = ToCore(event->rect()).Intersected(client);
    if (!rect.IsEmpty()) painter.Paint(rect);
    QPainter widgetPainter(this);
    widgetPainter.setClipRect(event->rect());
    buffer_->DrawOnto(widgetPainter, QPoint(0, 0));
}

void TViewWave::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayoutScrollBar();
    if (geometry_.Zoomed()) UpdateScrollBar();
    RequestFullRepaint();
}

void TViewWave::mousePressEvent(QMouseEvent* event) {
    SyncGeometry();
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        ApplyReaction(mouse_.LeftButtonDown(at.x(), at.y(), ModifiersOf(event->modifiers())));
    } else if (event->button() == Qt::RightButton) {
        ApplyReaction(mouse_.RightButtonDown(at.x(), at.y()));
    }
    event->accept();
}

void TViewWave::mouseMoveEvent(QMouseEvent* event) {
    SyncGeometry();
    const QPoint at = event->position().toPoint();
    pointer_ = at;
    ApplyReaction(mouse_.PointerMove(at.x(), at.y(), (event->buttons() & Qt::LeftButton) != 0,
                                     (event->buttons() & Qt::RightButton) != 0));
    event->accept();
}

void TViewWave::mouseReleaseEvent(QMouseEvent* event) {
    SyncGeometry();
    if (event->button() == Qt::LeftButton) {
        const QPoint at = event->position().toPoint();
        TWaveToolMode mode = group_.ToolMode();
        ApplyReaction(mouse_.LeftButtonUp(at.x(), at.y(), mode));
        if (mode != group_.ToolMode()) group_.SetToolMode(mode);
    }
    event->accept();
}

void TViewWave::keyPressEvent(QKeyEvent* event) {
    if (!group_.KeyPressed(*event)) QWidget::keyPressEvent(event);
}

// The wheel scrolls a zoomed view, and with Ctrl zooms around the pointer. The view takes
// every turn, also those that do nothing, so that the document area does not scroll instead.
void TViewWave::wheelEvent(QWheelEvent* event) {
    SyncGeometry();
    const QPoint angle = event->angleDelta();
    const int delta = angle.y() != 0 ? angle.y() : angle.x();  // tilting scrolls as well
    const bool ctrl = (event->modifiers() & Qt::ControlModifier) != 0;
    const TWheelAction action =
        WheelAction(geometry_, static_cast<int>(event->position().x()), delta, ctrl);
    switch (action.kind) {
        case TWheelAction::Kind::none:
            break;
        case TWheelAction::Kind::scroll:
            geometry_.SetScrollPosition(action.scrollPosition);
            UpdateScrollBar();
            RequestFullRepaint();
            break;
        case TWheelAction::Kind::zoom:
            ZoomTo(action.first, action.last, true);
            break;
        case TWheelAction::Kind::unzoom:
            Unzoom();
            break;
    }
    event->accept();
}

void TViewWave::ApplyReaction(const TViewReaction& reaction) {
    if (reaction.zoomChanged) {
        UpdateScrollBar();
        NotifyViewChanged();
    }
    if (reaction.fullRepaint) RequestFullRepaint();
    if (reaction.movePointer) {
        QCursor::setPos(mapToGlobal(QPoint(reaction.movePointer->x, reaction.movePointer->y)));
    }
    if (reaction.positionText)
        group_.ShowPosition(*this, *reaction.positionText, pointer_.x(), pointer_.y());
}

}  // namespace kalvora::gui
