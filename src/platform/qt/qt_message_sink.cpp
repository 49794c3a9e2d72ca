#include "platform/qt/qt_message_sink.h"

#include <QMessageBox>
#include <QString>

namespace kalvora::platform {
namespace {

QMessageBox::Icon ToQtIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::information:
            return QMessageBox::Information;
        case MessageIcon::warning:
            return QMessageBox::Warning;
        case MessageIcon::stop:
            return QMessageBox::Critical;
        case MessageIcon::question:
            return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

// Core texts are single-byte ISO-8859-1.
QString FromCore(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

void QtMessageSink::Show(std::string_view text, std::string_view caption, MessageIcon icon) {
    QMessageBox box(ToQtIcon(icon), FromCore(caption), FromCore(text), QMessageBox::Ok,
                    parent_);
    box.exec();
}

}  // namespace kalvora::platform
