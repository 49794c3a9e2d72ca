#include "gui/artwork.h"

#include <QFile>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

#include "gui/icon_tint.h"
#include "gui/qt_text.h"

namespace kalvora::gui {
namespace {

QString IconPath(std::string_view image) {
    return QStringLiteral(":/icons/") + FromCore(image) + QStringLiteral(".svg");
}

struct CursorArt {
    ScreenCursor cursor;
    const char* file;
    int hotX;  // in the 32 x 32 picture
    int hotY;
};

constexpr CursorArt cursorArt[] = {
    {ScreenCursor::draw, "draw", 2, 29},        {ScreenCursor::del, "delete", 16, 16},
    {ScreenCursor::sil, "sil", 16, 16},         {ScreenCursor::reject, "reject", 16, 16},
    {ScreenCursor::note, "note", 16, 16},       {ScreenCursor::zoom, "zoom", 12, 12},
    {ScreenCursor::zoomOut, "zoomout", 12, 12},
};

QCursor LoadCursor(const CursorArt& art) {
    QSvgRenderer renderer(QStringLiteral(":/cursors/%1.svg").arg(QLatin1String(art.file)));
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    painter.end();
    return QCursor(pixmap, art.hotX, art.hotY);
}

}  // namespace

QIcon CommandIcon(std::string_view image) {
    if (!HasCommandIcon(image)) return QIcon();
    return IconForPalette(IconPath(image));
}

bool HasCommandIcon(std::string_view image) {
    return !image.empty() && QFile::exists(IconPath(image));
}

QIcon ApplicationIcon() {
    return QIcon(QStringLiteral(":/icons/kalvora.svg"));
}

ScreenCursors::ScreenCursors() {
    for (const CursorArt& art : cursorArt) {
        cursors_[static_cast<std::size_t>(art.cursor)] = LoadCursor(art);
    }
}

const QCursor& ScreenCursors::Get(ScreenCursor cursor) const {
    return cursors_[static_cast<std::size_t>(cursor)];
}

}  // namespace kalvora::gui
