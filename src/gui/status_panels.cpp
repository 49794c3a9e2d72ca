#include "gui/status_panels.h"

#include <QLabel>
#include <QStatusBar>
#include <algorithm>

#include "gui/qt_text.h"

namespace kalvora::gui {

namespace {
constexpr std::array<int, TStatusPanels::kPanelCount> widths{300, 160, 75, 70, 45, 24, 65, 60};

// The panel widths were laid out for a small dialog font of about five pixels per character;
// they grow with the font in use so that texts such as "44.100 kHz" fit.
int ScaledWidth(const QWidget& widget, int width) {
    double perCharacter = widget.fontMetrics().averageCharWidth();
    return static_cast<int>(width * std::max(1.0, perCharacter / 5.0) + 0.5);
}

}  // namespace

int TStatusPanels::DesignedWidth(int index) {
    return widths[static_cast<std::size_t>(index)];
}

TStatusPanels::TStatusPanels(QStatusBar* bar) : QObject(bar) {
    bar->setSizeGripEnabled(true);
    for (int i = 0; i < kPanelCount; ++i) {
        auto* label = new QLabel(bar);
        label->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(i == 1 ? QFrame::Raised : QFrame::Sunken);
        label->setContentsMargins(3, 0, 3, 0);
        label->setTextFormat(Qt::PlainText);
        if (i == 0) {
            // The hint panel takes the room the fixed panels leave.
            label->setMinimumWidth(ScaledWidth(*label, widths[0]));
            bar->addWidget(label, 1);
        } else {
            label->setFixedWidth(ScaledWidth(*label, widths[static_cast<std::size_t>(i)]));
            label->setAlignment(Qt::AlignCenter);
            bar->addPermanentWidget(label);
        }
        panels_[static_cast<std::size_t>(i)] = label;
    }
}

void TStatusPanels::SetDesignedWidth(int index, int width) {
    QLabel* label = Panel(index);
    const int scaled = ScaledWidth(*label, width);
    if (label->width() != scaled || label->minimumWidth() != scaled) label->setFixedWidth(scaled);
}

QString TStatusPanels::Text(int index) const {
    return Panel(index)->text();
}

void TStatusPanels::SetText(int index, const QString& text) {
    if (Panel(index)->text() != text) Panel(index)->setText(text);
}

void TStatusPanels::Apply(const StatusPanelTexts& texts) {
    for (int i = 0; i < kPanelCount; ++i) {
        const auto& text = texts[static_cast<std::size_t>(i)];
        if (text) SetText(i, FromCore(*text));
    }
}

}  // namespace kalvora::gui
