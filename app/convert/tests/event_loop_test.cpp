#include "convert/event_loop.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace convert {
namespace {

TEST(TaskQueueLoopTest, RunsTasksPostedFromOtherThreadsInOrderOnTheCallingThread) {
    TaskQueueLoop loop;
    std::vector<int> seen;
    const auto interfaceThread = std::this_thread::get_id();
    bool allOnInterfaceThread = true;
    std::thread poster([&] {
        for (int i = 0; i < 100; ++i)
            loop.Post([&, i] {
                allOnInterfaceThread &= std::this_thread::get_id() == interfaceThread;
                seen.push_back(i);
            });
    });
    while (seen.size() < 100)
        loop.ProcessEvents(true);
    poster.join();
    EXPECT_TRUE(allOnInterfaceThread);
    for (int i = 0; i < 100; ++i)
        ASSERT_EQ(seen[static_cast<std::size_t>(i)], i);
}

TEST(TaskQueueLoopTest, ProcessingWithoutWaitingReturnsWhenNothingIsPosted) {
    TaskQueueLoop loop;
    int hooks = 0;
    loop.onProcessEvents = [&] { ++hooks; };
    loop.ProcessEvents(false);
    EXPECT_EQ(hooks, 1);
}

TEST(AwaitInBackgroundTest, ProcessesEventsWhileTheWorkRunsAndReturnsItsResult) {
    TaskQueueLoop loop;
    std::atomic<bool> release{false};
    int eventsWhileWorking = 0;
    // The work cannot end before the interface thread has processed an event of its own, so
    // the wait must be processing events rather than blocking.
    loop.onProcessEvents = [&] {
        ++eventsWhileWorking;
        release = true;
    };
    loop.Post([] {});
    const std::string result = AwaitInBackground(loop, [&] {
        while (!release)
            std::this_thread::yield();
        return std::string("done");
    });
    EXPECT_EQ(result, "done");
    EXPECT_GE(eventsWhileWorking, 1);
}

TEST(AwaitInBackgroundTest, RethrowsTheWorksExceptionOnTheCallingThread) {
    TaskQueueLoop loop;
    EXPECT_THROW(AwaitInBackground(loop, [] { throw std::runtime_error("disk"); }),
                 std::runtime_error);
    bool ran = false;
    AwaitInBackground(loop, [&] { ran = true; });
    EXPECT_TRUE(ran);
}

} // namespace
} // namespace convert
