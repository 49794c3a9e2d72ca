#include "platform/manual_main_thread.h"

#include <utility>

namespace kalvora::platform {

void ManualMainThread::Post(std::function<void()> task) {
    {
        std::lock_guard lock(mutex_);
        tasks_.push_back(std::move(task));
    }
    posted_.notify_all();
}

std::size_t ManualMainThread::RunPending() {
    std::deque<std::function<void()>> batch;
    {
        std::lock_guard lock(mutex_);
        batch.swap(tasks_);
    }
    for (auto& task : batch)
        task();
    return batch.size();
}

bool ManualMainThread::RunUntil(const std::function<bool()>& done,
                                std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        std::function<void()> task;
        {
            std::unique_lock lock(mutex_);
            if (!posted_.wait_until(lock, deadline, [this] { return !tasks_.empty(); })) {
                return done();
            }
            task = std::move(tasks_.front());
            tasks_.pop_front();
        }
        task();
    }
    return true;
}

std::size_t ManualMainThread::PendingCount() const {
    std::lock_guard lock(mutex_);
    return tasks_.size();
}

}  // namespace kalvora::platform
