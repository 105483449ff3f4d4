// The conversion run's host without a window: the job rows of the scan, one result line per job
// on standard output, the progress line on a terminal, message boxes as lines on standard
// error, and a stop signal as Cancel.
#pragma once

#include "terminal_progress.h"

#include "config/settings.h"
#include "convert/message_boxes.h"
#include "convert/run_host.h"

#include <vector>

namespace batch {

class BatchHost final : public convert::RunHost {
public:
    // The settings must outlive the host.
    explicit BatchHost(const shell::Settings& settings);

    // The rows of a new run; the counts start again.
    void Load(std::vector<shell::JobRow> rows);

    int failedJobs() const { return failedJobs_; }
    int convertedJobs() const { return convertedJobs_; }
    // Jobs left for a later run without an error (still arriving, claimed by another run).
    int waitingJobs() const { return waitingJobs_; }

    void SetJobOutputText(int rowIndex, const std::string& text) override;
    void SetLastErrorText(const std::string&) override {}
    // A line on standard error.
    void ErrorLogFailed(const std::string& logPath, const std::string& reason) override;
    void SetStatusText(const std::string& text) override;
    void SetFileNameText(const std::string& text) override;
    void SetInputText(const std::string&) override {}
    void SetOutputText(const std::string&) override {}
    void SetGauge(int percent) override;

    int JobCount() const override;
    shell::JobRow JobRow(int rowIndex) const override;
    bool IsJobSelected(int) const override { return false; }
    void SetJobCell(int rowIndex, int column, const std::string& text) override;
    void SetJobImage(int rowIndex, int image) override;
    void RepaintJobList() override {}
    void SetStatusPanel(int, const std::string&) override {}
    int OutputFormatIndex() const override;
    int PriorityIndex() const override;
    uint16_t OutputFormatCode() const override;
    void BeginRun() override {}
    void EndRun() override;
    void StartSchedulerTimer() override {}
    void RepaintProgress() override {}
    bool CancelRequested() const override;
    bool StopRequested() const override;
    void JobFinished(const convert::JobOutcome& outcome) override;

    TerminalProgress& progress() { return progress_; }

private:
    std::vector<shell::JobRow> rows_;
    const shell::Settings& settings_;
    TerminalProgress progress_;
    std::string counter_;
    int failedJobs_ = 0;
    int convertedJobs_ = 0;
    int waitingJobs_ = 0;
};

// A message box as a line "import-batch: caption: text" on standard error.
class StderrBoxes final : public convert::MessageBoxes {
public:
    explicit StderrBoxes(TerminalProgress& progress)
        : progress_(progress) {}
    convert::BoxAnswer Show(const convert::MessageBoxRequest& request) override;

private:
    TerminalProgress& progress_;
};

// Writes a line to standard output at once, so that a reader sees every job as it ends.
void PrintLine(const std::string& line);

// "import-batch: " + the text, on standard error.
void Complain(const std::string& text);

} // namespace batch
