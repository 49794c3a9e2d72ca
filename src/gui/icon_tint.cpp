#include "gui/icon_tint.h"

#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QSvgRenderer>

namespace kalvora::gui {
namespace {

// The ink of the Adwaita symbolic icons.
constexpr char kSymbolicInk[] = "#2e3436";
// The sizes drawn: toolbars (22), menus (16), and both at a scale factor of 2.
constexpr int kSizes[] = {16, 22, 32, 44};

bool PaletteIsDark() {
    const QPalette palette = QGuiApplication::palette();
    return palette.color(QPalette::Window).lightness() < 128;
}

}  // namespace

QIcon IconForPalette(const QString& path) {
    if (!PaletteIsDark()) return QIcon(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return QIcon(path);
    QByteArray svg = file.readAll();
    if (!svg.contains(kSymbolicInk)) return QIcon(path);
    const QColor ink = QGuiApplication::palette().color(QPalette::WindowText);
    svg.replace(kSymbolicInk, ink.name().toLatin1());
    QSvgRenderer renderer(svg);
    QIcon icon;
    for (int size : kSizes) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        renderer.render(&painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace kalvora::gui
