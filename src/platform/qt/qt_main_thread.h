// The main thread of a Qt program as a MainThread: posted tasks run from its event loop,
// in the order they were posted. Create it on the main thread while the application object
// exists; tasks still queued when it is destroyed are dropped.
#pragma once

#include <functional>
#include <memory>

#include "platform/main_thread.h"

class QObject;

namespace kalvora::platform {

class QtMainThread final : public MainThread {
  public:
    QtMainThread();
    ~QtMainThread() override;
    QtMainThread(const QtMainThread&) = delete;
    QtMainThread& operator=(const QtMainThread&) = delete;

    void Post(std::function<void()> task) override;

  private:
    std::unique_ptr<QObject> context_;  // lives on the main thread; receives the tasks
};

}  // namespace kalvora::platform
