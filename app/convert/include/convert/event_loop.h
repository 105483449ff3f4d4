#pragma once
// The interface thread's event loop as the conversion steps see it. Long steps keep the
// program responsive by processing events while they wait (the window repaints, Cancel is
// taken); work running on another thread hands results to the interface thread by posting.
// The window provides a Qt loop, the command-line runner and the tests a TaskQueueLoop.

#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <type_traits>
#include <utility>

namespace convert {

class EventLoop {
public:
    virtual ~EventLoop() = default;
    // Any thread: queues the task to run on the interface thread during a later
    // ProcessEvents. Tasks run in the order they were posted.
    virtual void Post(std::function<void()> task) = 0;
    // Interface thread only: runs every pending event and posted task. With waitForMore it
    // first waits until there is at least one.
    virtual void ProcessEvents(bool waitForMore) = 0;
};

// A loop whose only events are the posted tasks: for programs without a window and for tests.
class TaskQueueLoop final : public EventLoop {
public:
    void Post(std::function<void()> task) override;
    void ProcessEvents(bool waitForMore) override;

    // Called on the interface thread at every ProcessEvents, before the tasks run (a terminal
    // progress line, a test's hook). May be empty.
    std::function<void()> onProcessEvents;

private:
    std::mutex mutex_;
    std::condition_variable posted_;
    std::deque<std::function<void()>> tasks_;
};

// Runs `work` on a thread of its own while the calling (interface) thread processes events,
// and returns its result once it has ended. An exception of the work is rethrown here.
template <class Work>
auto AwaitInBackground(EventLoop& loop, Work work) -> std::invoke_result_t<Work&> {
    using Result = std::invoke_result_t<Work&>;
    bool done = false;
    std::exception_ptr failure;
    std::conditional_t<std::is_void_v<Result>, bool, std::optional<Result>> result{};
    std::thread worker([&] {
        try {
            if constexpr (std::is_void_v<Result>)
                work();
            else
                result.emplace(work());
        } catch (...) {
            failure = std::current_exception();
        }
        // `done` is read and written on the interface thread only.
        loop.Post([&done] { done = true; });
    });
    while (!done)
        loop.ProcessEvents(true);
    worker.join();
    if (failure)
        std::rethrow_exception(failure);
    if constexpr (!std::is_void_v<Result>)
        return std::move(*result);
}

} // namespace convert
