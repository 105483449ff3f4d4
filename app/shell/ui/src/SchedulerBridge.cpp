#include "ui/SchedulerBridge.h"

#include "ui/MainForm.h"
#include "ui/StatusPanels.h"

#include <QTimer>

namespace ui {
namespace {

constexpr int kCountdownPanel = 1;

} // namespace

QtMinuteTimer::QtMinuteTimer(QTimer& timer)
    : timer_(timer) {}

void QtMinuteTimer::SetEnabled(bool enabled) {
    if (enabled)
        timer_.start();
    else
        timer_.stop();
}

bool QtMinuteTimer::IsEnabled() const {
    return timer_.isActive();
}

MainFormSchedulerWindow::MainFormSchedulerWindow(TfrmMainForm& form)
    : form_(form) {}

void MainFormSchedulerWindow::ShowCountdownText(const std::string& text) {
    form_.StatusBar1()->setPanelText(kCountdownPanel, QString::fromStdString(text));
}

void MainFormSchedulerWindow::RefreshJobList() {
    form_.RefreshJobList();
}

void MainFormSchedulerWindow::ConvertAll() {
    form_.runCommand(Command::ConvertAll);
}

} // namespace ui
