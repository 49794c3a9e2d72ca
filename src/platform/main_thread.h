// The main thread as a service for background work: a worker hands it small tasks to run
// there (drawing progress, end notifications) without waiting for them. Standard C++ only;
// the program implements it over Qt's event loop (platform/qt/qt_main_thread.h), the tests
// use ManualMainThread (platform/manual_main_thread.h), which runs tasks only when asked.
//
// Rules for callers: Post never blocks and never runs the task inside the call; tasks run
// on the main thread in the order they were posted. A worker must never wait for a posted
// task, so that the main thread may always wait for a worker without a deadlock.
#pragma once

#include <functional>

namespace kalvora::platform {

class MainThread {
  public:
    virtual ~MainThread() = default;

    // Queues task to run on the main thread. Safe to call from any thread.
    virtual void Post(std::function<void()> task) = 0;
};

}  // namespace kalvora::platform
