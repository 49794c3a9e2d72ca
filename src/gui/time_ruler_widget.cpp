#include "gui/time_ruler_widget.h"

#include <QEvent>
#include <QPainter>
#include <QVBoxLayout>

#include "gui/view_wave.h"
#include "gui/view_wave_group.h"
#include "shell/time_ruler.h"

namespace kalvora::gui {
namespace {

// Room between two labels, in multiples of the widest label's width.
constexpr double kLabelRoom = 1.6;

}  // namespace

TTimeRuler::TTimeRuler(TViewWave& view, QWidget* parent) : QWidget(parent), view_(view) {
    setObjectName(QStringLiteral("TimeRuler"));
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    setAutoFillBackground(false);
    view_.installEventFilter(this);
}

QSize TTimeRuler::sizeHint() const {
    return QSize(100, fontMetrics().height() + 6);
}

QSize TTimeRuler::minimumSizeHint() const {
    return QSize(0, sizeHint().height());
}

// The view repaints whenever what it shows may have moved: the ruler follows when the
// visible range or the width changed since it was drawn.
bool TTimeRuler::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &view_ && (event->type() == QEvent::Paint || event->type() == QEvent::Resize)) {
        const TWaveViewGeometry& geometry = view_.Geometry();
        const auto now = std::make_pair(
            std::make_pair(geometry.FirstVisible(), geometry.LastVisible()), geometry.Width());
        if (drawnFor_ != now) update();
    }
    return false;
}

void TTimeRuler::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    // Frame chrome, not part of the picture: the ruler follows the desktop's palette.
    painter.fillRect(rect(), palette().color(QPalette::Window));
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawLine(0, height() - 1, width(), height() - 1);
    const TWaveViewGeometry& geometry = view_.Geometry();
    drawnFor_ = std::make_pair(std::make_pair(geometry.FirstVisible(), geometry.LastVisible()),
                               geometry.Width());
    const double freq = view_.Group().Document().GetFreq();
    const int labelWidth = fontMetrics().horizontalAdvance(QStringLiteral("00:00.000"));
    const TRulerScale scale =
        RulerScale(geometry.Mapping(), freq, static_cast<int>(labelWidth * kLabelRoom));
    painter.setPen(palette().color(QPalette::WindowText));
    const int bottom = height() - 1;
    for (const TRulerTick& tick : scale.ticks) {
        painter.drawLine(tick.x, bottom, tick.x, bottom - (tick.labelled ? 6 : 3));
        if (tick.labelled) {
            painter.drawText(QPoint(tick.x + 2, fontMetrics().ascent() + 1),
                             QString::fromLatin1(tick.label.c_str()));
        }
    }
}

QWidget* ViewWithRuler(TViewWave& view, QWidget* parent) {
    auto* column = new QWidget(parent);
    column->setObjectName(view.objectName() + QStringLiteral("Column"));
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(new TTimeRuler(view, column));
    layout->addWidget(&view, 1);
    column->setMinimumWidth(1);
    return column;
}

}  // namespace kalvora::gui
