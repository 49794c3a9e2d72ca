#include "gui/color_box.h"

#include <QColorDialog>
#include <QPainter>
#include <QPixmap>
#include <array>

namespace kalvora::gui {
namespace {

struct NamedColor {
    const char* name;
    platform::Color color;
};

// The sixteen standard colours, then the extended ones.
constexpr std::array<NamedColor, 20> kNamedColors = {{
    {"Black", 0x000000}, {"Maroon", 0x000080},      {"Green", 0x008000},
    {"Olive", 0x008080}, {"Navy", 0x800000},        {"Purple", 0x800080},
    {"Teal", 0x808000},  {"Gray", 0x808080},        {"Silver", 0xC0C0C0},
    {"Red", 0x0000FF},   {"Lime", 0x00FF00},        {"Yellow", 0x00FFFF},
    {"Blue", 0xFF0000},  {"Fuchsia", 0xFF00FF},     {"Aqua", 0xFFFF00},
    {"White", 0xFFFFFF}, {"Money Green", 0xC0DCC0}, {"Sky Blue", 0xF0CAA6},
    {"Cream", 0xF0FBFF}, {"Medium Gray", 0xA4A0A0},
}};

constexpr int kCustomIndex = 0;

QIcon Swatch(platform::Color color) {
    QPixmap pixmap(24, 14);
    pixmap.fill(ToQColor(color));
    QPainter painter(&pixmap);
    painter.setPen(QColor(0x60, 0x60, 0x60));
    painter.drawRect(0, 0, pixmap.width() - 1, pixmap.height() - 1);
    return QIcon(pixmap);
}

}  // namespace

QColor ToQColor(platform::Color color) {
    return QColor(platform::RedOf(color), platform::GreenOf(color), platform::BlueOf(color));
}

platform::Color FromQColor(const QColor& color) {
    return platform::MakeColor(color.red(), color.green(), color.blue());
}

TColorBox::TColorBox(QWidget* parent) : QComboBox(parent) {
    setIconSize(QSize(24, 14));
    addItem(Swatch(0), QStringLiteral("Custom..."));
    for (const NamedColor& named : kNamedColors)
        addItem(Swatch(named.color), QString::fromLatin1(named.name), named.color);
    setMaxVisibleItems(count());
    connect(this, &QComboBox::activated, this, &TColorBox::OnActivated);
    SetColor(0);
}

void TColorBox::SetColor(platform::Color color) {
    color_ = color & 0xFFFFFF;
    const int named = findData(color_);
    if (named > kCustomIndex) {
        setCurrentIndex(named);
        return;
    }
    setItemIcon(kCustomIndex, Swatch(color_));
    setCurrentIndex(kCustomIndex);
}

void TColorBox::Choose(platform::Color color) {
    SetColor(color);
    emit ColorChosen(color_);
}

void TColorBox::OnActivated(int index) {
    if (index != kCustomIndex) {
        Choose(itemData(index).value<platform::Color>());
        return;
    }
    const QColor chosen = QColorDialog::getColor(ToQColor(color_), this);
    if (chosen.isValid()) {
        Choose(FromQColor(chosen));
    } else {
        SetColor(color_);  // back to what was shown
    }
}

}  // namespace kalvora::gui
