// Long work on a wave and how the user may cancel it. The operations of the effect and
// generator table test the document's error flag between runs of samples; a runner may run
// one on a thread of its own and, when the user cancels, set the flag to kErrorCancelled:
// the operation then stops as after a failure, and the document keeps its sound and its
// undo record. Standard C++ only.
#pragma once

#include <chrono>
#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

#include "sound/error_flag.h"

namespace kalvora {

class TLongWorkRunner {
  public:
    virtual ~TLongWorkRunner() = default;
    // Runs work to its end and returns then. work reads error between runs of samples; the
    // runner may cancel it through CancelWork(error) (from any thread). An exception of work
    // reaches the caller.
    virtual void Run(const std::function<void()>& work, ErrorFlag* error) = 0;
};

// Runs work on the calling thread (no way to cancel): the runner of kalvora-cli and of a
// workspace that has none installed.
void RunInPlace(TLongWorkRunner* runner, const std::function<void()>& work, ErrorFlag* error);

// Work started on a thread of its own at construction. The destructor waits for its end.
class TBackgroundWork {
  public:
    explicit TBackgroundWork(std::function<void()> work);
    ~TBackgroundWork();
    TBackgroundWork(const TBackgroundWork&) = delete;
    TBackgroundWork& operator=(const TBackgroundWork&) = delete;

    // Waits at most timeout; true when the work has ended.
    bool WaitFor(std::chrono::milliseconds timeout);
    bool Ended();
    // Waits for the end, then passes on an exception of the work.
    void Finish();

  private:
    std::function<void()> work_;
    std::mutex mutex_;
    std::condition_variable endedSignal_;
    bool ended_ = false;
    std::exception_ptr failure_;
    std::thread thread_;
};

}  // namespace kalvora
