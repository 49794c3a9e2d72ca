#include "documents/long_work.h"

#include <utility>

namespace kalvora {

void RunInPlace(TLongWorkRunner* runner, const std::function<void()>& work, ErrorFlag* error) {
    if (runner != nullptr) {
        runner->Run(work, error);
    } else {
        work();
    }
}

TBackgroundWork::TBackgroundWork(std::function<void()> work) : work_(std::move(work)) {
    thread_ = std::thread([this] {
        std::exception_ptr failure;
        try {
            work_();
        } catch (...) {
            failure = std::current_exception();
        }
        std::lock_guard lock(mutex_);
        failure_ = failure;
        ended_ = true;
        endedSignal_.notify_all();
    });
}

TBackgroundWork::~TBackgroundWork() {
    if (thread_.joinable()) thread_.join();
}

bool TBackgroundWork::WaitFor(std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    return endedSignal_.wait_for(lock, timeout, [this] { return ended_; });
}

bool TBackgroundWork::Ended() {
    std::lock_guard lock(mutex_);
    return ended_;
}

void TBackgroundWork::Finish() {
    if (thread_.joinable()) thread_.join();
    if (failure_) std::rethrow_exception(std::exchange(failure_, nullptr));
}

}  // namespace kalvora
