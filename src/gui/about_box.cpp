#include "gui/about_box.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

#include "gui/qt_text.h"
#include "shell/frame_texts.h"

namespace kalvora::gui {
namespace {

// The logo: a wave over a dark field with the program's name and version.
class TLogo : public QWidget {
  public:
    explicit TLogo(QWidget* parent) : QWidget(parent) { setFixedSize(360, 150); }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        QLinearGradient field(0, 0, 0, height());
        field.setColorAt(0, QColor(0x1c, 0x2b, 0x45));
        field.setColorAt(1, QColor(0x0d, 0x14, 0x22));
        painter.fillRect(rect(), field);
        QPainterPath wave;
        const double middle = height() * 0.62;
        for (int x = 0; x <= width(); ++x) {
            double t = x / static_cast<double>(width());
            double envelope = std::sin(t * M_PI);
            double y = middle - envelope * 30 * std::sin(t * 2 * M_PI * 6) *
                                    (0.6 + 0.4 * std::sin(t * 2 * M_PI * 1.5));
            if (x == 0) {
                wave.moveTo(x, y);
            } else {
                wave.lineTo(x, y);
            }
        }
        painter.setPen(QPen(QColor(0x62, 0xa0, 0xea), 2.5));
        painter.drawPath(wave);
        QFont title = font();
        title.setPointSize(26);
        title.setBold(true);
        painter.setFont(title);
        painter.setPen(Qt::white);
        painter.drawText(QRect(20, 10, width() - 40, 50), Qt::AlignLeft | Qt::AlignVCenter,
                         QStringLiteral("Kalvora"));
        QFont version = font();
        version.setPointSize(20);
        painter.setFont(version);
        painter.setPen(QColor(0xf6, 0xd3, 0x2d));
        painter.drawText(QRect(20, 10, width() - 40, 50), Qt::AlignRight | Qt::AlignVCenter,
                         FromCore(kProgramVersion));
    }
};

}  // namespace

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(FromCore(AboutBoxCaption()));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new TLogo(this), 0, Qt::AlignHCenter);
    auto* text = new QLabel(
        QStringLiteral("<p><b>Kalvora %1</b><br>A sound workshop: create, edit, view and play "
                       "waves, and compose music in staff notation.</p>"
                       "<p>Icons of standard actions from the Adwaita icon theme "
                       "(CC-BY-SA 3.0 / LGPL-3).</p>")
            .arg(FromCore(kProgramVersion)),
        this);
    text->setWordWrap(true);
    layout->addWidget(text);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace kalvora::gui
