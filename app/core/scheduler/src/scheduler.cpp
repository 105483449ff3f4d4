#include "scheduler/scheduler.h"

#include "jobs/job_scan.h"

namespace shell {

Scheduler::Scheduler(const Settings& settings, MinuteTimer& timer, SchedulerWindow& window)
    : settings_(settings)
    , timer_(timer)
    , window_(window) {}

void Scheduler::Start() {
    timer_.SetEnabled(settings_.EnableSched);
}

void Scheduler::Tick() {
    if (!settings_.EnableSched) {
        window_.ShowCountdownText("");
        minutesElapsed_ = 0;
        return;
    }
    ++minutesElapsed_;
    // Computed in 64 bits: an interval near the integer limits must not overflow.
    const long long remaining = static_cast<long long>(settings_.ConvertInterval) - minutesElapsed_;
    minutesRemaining_ = static_cast<int>(remaining);
    window_.ShowCountdownText(NextConversionText(minutesRemaining_));
    if (minutesElapsed_ >= settings_.ConvertInterval && minutesElapsed_ > 0) {
        minutesElapsed_ = 0;
        if (settings_.ConvertInterval > 0) {
            window_.RefreshJobList();
            window_.ConvertAll();
        }
    }
}

void Scheduler::SettingsConfirmed() {
    minutesElapsed_ = 0;
    timer_.SetEnabled(settings_.EnableSched);
    window_.ShowCountdownText(settings_.EnableSched ? NextConversionText(settings_.ConvertInterval)
                                                    : std::string());
}

} // namespace shell
