#pragma once
// Waiting in a test for something another thread or process brings about: the condition is
// checked often and the wait ends as soon as it holds, or at the deadline.

#include <chrono>
#include <thread>

namespace platform_test {

inline constexpr std::chrono::seconds kEventDeadline{30};

// True as soon as `condition()` holds; false when it still does not at the deadline.
template <typename Condition>
bool waitFor(Condition condition, std::chrono::milliseconds deadline = kEventDeadline) {
    const auto end = std::chrono::steady_clock::now() + deadline;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

} // namespace platform_test
