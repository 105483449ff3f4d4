#include "convert/event_loop.h"

namespace convert {

void TaskQueueLoop::Post(std::function<void()> task) {
    {
        const std::lock_guard lock(mutex_);
        tasks_.push_back(std::move(task));
    }
    posted_.notify_one();
}

void TaskQueueLoop::ProcessEvents(bool waitForMore) {
    std::deque<std::function<void()>> ready;
    {
        std::unique_lock lock(mutex_);
        if (waitForMore)
            posted_.wait(lock, [this] { return !tasks_.empty(); });
        ready.swap(tasks_);
    }
    if (onProcessEvents)
        onProcessEvents();
    for (auto& task : ready)
        task();
}

} // namespace convert
