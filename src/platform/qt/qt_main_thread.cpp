#include "platform/qt/qt_main_thread.h"

#include <utility>

#include <QMetaObject>
#include <QObject>

namespace kalvora::platform {

QtMainThread::QtMainThread() : context_(std::make_unique<QObject>()) {}

QtMainThread::~QtMainThread() = default;

void QtMainThread::Post(std::function<void()> task) {
    // A queued call on an object of the main thread: thread-safe, and dropped with the
    // object.
    QMetaObject::invokeMethod(
        context_.get(), [task = std::move(task)] { task(); }, Qt::QueuedConnection);
}

}  // namespace kalvora::platform
