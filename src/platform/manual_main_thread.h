// A MainThread for tests: posted tasks wait in a queue until the test, playing the main
// thread, runs them. Lets tests decide exactly when progress and end notifications arrive.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>

#include "platform/main_thread.h"

namespace kalvora::platform {

class ManualMainThread final : public MainThread {
  public:
    void Post(std::function<void()> task) override;

    // Runs the tasks queued now (not those they post); returns how many ran.
    std::size_t RunPending();
    // Runs tasks as they arrive until done() holds after a task, or timeout passes;
    // false on timeout.
    bool RunUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout);
    std::size_t PendingCount() const;

  private:
    mutable std::mutex mutex_;
    std::condition_variable posted_;
    std::deque<std::function<void()>> tasks_;
};

}  // namespace kalvora::platform
