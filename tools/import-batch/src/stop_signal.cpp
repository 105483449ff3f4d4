#include "stop_signal.h"

#include <atomic>
#include <csignal>

namespace batch {
namespace {

// Read by the threads that wait for the converter: a lock-free atomic is safe for both.
std::atomic<int> stopSignal{0};
static_assert(std::atomic<int>::is_always_lock_free);

void RequestStop(int signal) {
    stopSignal.store(signal);
}

} // namespace

void InstallStopSignals() {
    struct sigaction action {};
    action.sa_handler = RequestStop;
    sigemptyset(&action.sa_mask);
    // The second signal finds the default action again and ends the program.
    action.sa_flags = SA_RESETHAND;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
}

bool StopRequested() {
    return stopSignal.load() != 0;
}

int StopSignal() {
    return stopSignal.load();
}

} // namespace batch
