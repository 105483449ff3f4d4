#pragma once
// The minute scheduler: a one-minute timer and a minute counter that start a fresh scan and a
// Convert All every ConvertInterval minutes while "Scheduled timer on" is set, with a countdown
// in status panel 1. The timer and the window are seams, so that tests drive any number of
// ticks without waiting for a minute.

#include "config/settings.h"

#include <string>

namespace shell {

// The window timer behind the scheduler (Timer1, a period of one minute). The conversion run
// also switches it off and on directly for the length of a run.
class MinuteTimer {
public:
    virtual ~MinuteTimer() = default;
    virtual void SetEnabled(bool enabled) = 0;
    virtual bool IsEnabled() const = 0;
};

// What the scheduler does in the window.
class SchedulerWindow {
public:
    virtual ~SchedulerWindow() = default;
    // Status panel 1; an empty text empties it.
    virtual void ShowCountdownText(const std::string& text) = 0;
    virtual void RefreshJobList() = 0;
    // The installed Convert All run; returns when the run has ended or was cancelled.
    virtual void ConvertAll() = 0;
};

class Scheduler {
public:
    static constexpr int kTickIntervalMs = 60000;

    // Reads EnableSched and ConvertInterval from `settings` at every call; all three must
    // outlive the scheduler.
    Scheduler(const Settings& settings, MinuteTimer& timer, SchedulerWindow& window);

    // Start-up: the timer runs if and only if EnableSched is on. The counter stays as it is.
    void Start();

    // Timer1Timer: one minute has passed.
    void Tick();

    // The settings dialog's OK, after the new values are in the settings: the count restarts
    // from 0, the timer follows EnableSched, and the panel shows the full interval or nothing.
    void SettingsConfirmed();

    int MinutesElapsed() const { return minutesElapsed_; }
    int MinutesRemaining() const { return minutesRemaining_; }

private:
    const Settings& settings_;
    MinuteTimer& timer_;
    SchedulerWindow& window_;
    int minutesElapsed_ = 0;
    int minutesRemaining_ = 0;
};

} // namespace shell
