// Convert All and Convert Selected in the main window: the conversion run of the conversion
// library, shown through the job list, the status bar and the progress window.
#pragma once

#include "convert/conversion_steps.h"
#include "convert/event_loop.h"
#include "convert/run_host.h"

#include <atomic>
#include <functional>
#include <memory>

namespace ui {

class TfrmMainForm;
class TfrmProgress;

// The run's host over the main window and its progress window.
class MainFormRunHost final : public convert::RunHost {
public:
    // closing: set when the main window closes; the job under way is then undone.
    MainFormRunHost(TfrmMainForm& form, TfrmProgress& progress,
                    std::shared_ptr<const std::atomic<bool>> closing);

    void SetJobOutputText(int rowIndex, const std::string& text) override;
    void SetLastErrorText(const std::string& text) override;
    void SetStatusText(const std::string& text) override;
    void SetFileNameText(const std::string& text) override;
    void SetInputText(const std::string& text) override;
    void SetOutputText(const std::string& text) override;
    void SetGauge(int percent) override;

    int JobCount() const override;
    shell::JobRow JobRow(int rowIndex) const override;
    bool IsJobSelected(int rowIndex) const override;
    void SetJobCell(int rowIndex, int column, const std::string& text) override;
    void SetJobImage(int rowIndex, int image) override;
    void RepaintJobList() override;
    void SetStatusPanel(int panel, const std::string& text) override;
    int OutputFormatIndex() const override;
    int PriorityIndex() const override;
    uint16_t OutputFormatCode() const override;
    void BeginRun() override;
    void EndRun() override;
    void StartSchedulerTimer() override;
    void RepaintProgress() override;
    bool CancelRequested() const override;
    bool StopRequested() const override;

private:
    TfrmMainForm& form_;
    TfrmProgress& progress_;
    std::shared_ptr<const std::atomic<bool>> closing_;
};

// Builds the steps of a run from the window's reporter, progress view and loop.
using StepsFactory = std::function<std::unique_ptr<convert::ConversionSteps>(
    const convert::JobErrorReporter&, convert::ProgressView&, convert::EventLoop&)>;

// Installs Convert All and Convert Selected (menu bar, toolbar and pop-up), which enables their
// items. The main window's companions must be set. Without a factory the program's own steps
// are used. A run holds the working folder's run lock; while another run holds it, a message
// box says so and nothing is converted.
void installConversionCommands(TfrmMainForm& form, StepsFactory steps = {});

// When $IMPORT_CONVERT_ALL is "1", Convert All runs as soon as the window is shown, and, when
// $IMPORT_SCREENSHOT names a file, the window is saved there once the run has ended (the demo
// shows a converted job list this way on a machine without a screen).
void scheduleConvertAllFromEnvironment(TfrmMainForm& window);

// The text of the box shown when another run holds the lock.
inline constexpr const char* kConversionRunningText =
    "A conversion is already running in this folder. Try again when it has ended.";

} // namespace ui
