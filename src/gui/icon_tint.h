// The desktop's symbolic icons are drawn in one dark ink, which disappears on a dark
// palette: under one they are drawn in the palette's text colour instead.
#pragma once

#include <QIcon>
#include <QString>

namespace kalvora::gui {

// The icon of the SVG file at path; a symbolic icon (in the ink "#2e3436") is redrawn in the
// application palette's text colour when the palette is dark.
QIcon IconForPalette(const QString& path);

}  // namespace kalvora::gui
