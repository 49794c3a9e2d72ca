#include "platform/qt/qt_message_sink.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QString>
#include <QThread>
#include <string>

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
    // Long work runs off the main thread (its progress window waits meanwhile): its
    // messages are shown by the main thread, and the work waits until they are closed.
    QCoreApplication* application = QCoreApplication::instance();
    if (application != nullptr && QThread::currentThread() != application->thread()) {
        const std::string copiedText(text);
        const std::string copiedCaption(caption);
        QMetaObject::invokeMethod(
            application, [&] { Show(copiedText, copiedCaption, icon); },
            Qt::BlockingQueuedConnection);
        return;
    }
    QMessageBox box(ToQtIcon(icon), FromCore(caption), FromCore(text), QMessageBox::Ok, parent_);
    box.exec();
}

}  // namespace kalvora::platform
