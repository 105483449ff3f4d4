// The main window's side of the minute scheduler: Timer1 as its minute timer, and status
// panel 1, the job list and the installed Convert All as its window.
#pragma once

#include "scheduler/scheduler.h"

class QTimer;

namespace ui {

class TfrmMainForm;

class QtMinuteTimer final : public shell::MinuteTimer {
public:
    explicit QtMinuteTimer(QTimer& timer);
    void SetEnabled(bool enabled) override;
    bool IsEnabled() const override;

private:
    QTimer& timer_;
};

class MainFormSchedulerWindow final : public shell::SchedulerWindow {
public:
    explicit MainFormSchedulerWindow(TfrmMainForm& form);
    void ShowCountdownText(const std::string& text) override;
    void RefreshJobList() override;
    void ConvertAll() override;

private:
    TfrmMainForm& form_;
};

} // namespace ui
