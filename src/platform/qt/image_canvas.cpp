#include "platform/qt/image_canvas.h"

#include <bit>

#include <QBuffer>
#include <QByteArray>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QString>

#include "platform/assertion.h"
#include "platform/replacing_file.h"

namespace kalvora::platform {
namespace {

// RGBX8888 keeps the bytes R, G, B, X in memory: read as a little-endian 32-bit word that
// is 0xXXBBGGRR, our own colour layout with an opaque top byte.
static_assert(std::endian::native == std::endian::little,
              "the image canvas stores colours as little-endian RGBX words");
constexpr std::uint32_t kOpaque = 0xFF000000u;
constexpr int kDotsPerMeter = 3780;  // 96 dots per inch

QFont ToQFont(const Font& font) {
    QFont result(QString::fromLatin1(font.name.data(), static_cast<qsizetype>(font.name.size())),
                 font.size);
    result.setBold((font.style & fontStyleBold) != 0);
    result.setItalic((font.style & fontStyleItalic) != 0);
    result.setUnderline((font.style & fontStyleUnderline) != 0);
    result.setStrikeOut((font.style & fontStyleStrikeOut) != 0);
    return result;
}

QString ToQString(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

ImageCanvas::ImageCanvas(int width, int height, Color background)
    : image_(std::max(width, 0), std::max(height, 0), QImage::Format_RGBX8888) {
    image_.fill(QColor(RedOf(background), GreenOf(background), BlueOf(background)));
    Attach(reinterpret_cast<std::uint32_t*>(image_.bits()), image_.width(), image_.height(),
           image_.bytesPerLine() / 4, kOpaque);
}

void ImageCanvas::DrawText(Point topLeft, std::string_view text, const Font& font) {
    KALVORA_ASSERT(qGuiApp != nullptr);
    const Rect clip = Clip();
    if (clip.IsEmpty()) return;
    QPainter painter(&image_);
    painter.setClipRect(clip.left, clip.top, clip.Width(), clip.Height());
    const QFont qfont = ToQFont(font);
    painter.setFont(qfont);
    painter.setPen(QColor(RedOf(font.color), GreenOf(font.color), BlueOf(font.color)));
    painter.drawText(topLeft.x, topLeft.y + QFontMetrics(qfont).ascent(), ToQString(text));
}

Size ImageCanvas::TextSize(std::string_view text, const Font& font) const {
    KALVORA_ASSERT(qGuiApp != nullptr);
    const QFontMetrics metrics(ToQFont(font));
    return Size{metrics.horizontalAdvance(ToQString(text)), metrics.height()};
}

QImage ImageCanvas::Image() const {
    return image_.copy();
}

void ImageCanvas::DrawOnto(QPainter& painter, const QPoint& at) const {
    painter.drawImage(at, image_);
}

bool ImageCanvas::SavePng(const std::filesystem::path& file, std::string& errorText) const {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    // The resolution written is fixed (96 dpi): QImage's default follows whether the process
    // has a GUI application, and the same picture must give the same file.
    QImage picture = image_.convertToFormat(QImage::Format_RGB32);
    picture.setDotsPerMeterX(kDotsPerMeter);
    picture.setDotsPerMeterY(kDotsPerMeter);
    if (!picture.save(&buffer, "PNG")) {
        errorText = "Cannot encode the picture as PNG.";
        return false;
    }
    ReplacingFile out;
    if (!out.Open(file) || !out.Write(bytes.constData(), static_cast<std::size_t>(bytes.size())) ||
        !out.Commit()) {
        errorText = out.ErrorText();
        return false;
    }
    return true;
}

}  // namespace kalvora::platform
