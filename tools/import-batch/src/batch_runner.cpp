#include "batch_runner.h"

#include "batch_check.h"
#include "stop_signal.h"

#include "config/config_check.h"
#include "config/config_store.h"
#include "convert/job_claim.h"
#include "convert/program_steps.h"
#include "convert/run_lock.h"
#include "jobs/job_scan.h"
#include "platform/paths.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <set>
#include <thread>

namespace batch {
namespace {

bool IsWaiting(const shell::JobRow& row) {
    return !row.columns[shell::kColInputFile].starts_with('_');
}

std::vector<std::string> InputFolders(const shell::DirectoryTable& table) {
    std::vector<std::string> folders;
    for (int row = 0; row < table.tableRowCount; ++row) {
        const std::string& folder = table.rowsRead[static_cast<std::size_t>(row)].inputDir();
        if (!shell::IsBlankFolder(folder))
            folders.push_back(folder);
    }
    return folders;
}

// What the scan passed over, once per run.
void TellWhatWasSkipped(const shell::ScanResult& scan) {
    if (scan.table.rowsBeyondLimit)
        Complain(shell::kRowsBeyondLimitText);
    for (const shell::SkippedEntry& entry : scan.skipped)
        Complain(shell::SkippedEntryText(entry));
}

// A file that two table rows list is one dictation: the first row's job takes it.
bool ListedBefore(const shell::JobRow& row, std::set<std::string>& listed) {
    const std::string native = platform::resolvePath(row.columns[shell::kColInputDir]) + '/' +
                               row.columns[shell::kColInputFile];
    return !listed.insert(native).second;
}

std::string SignalName(int signal) {
    switch (signal) {
    case SIGINT:
        return "SIGINT";
    case SIGTERM:
        return "SIGTERM";
    default:
        return "signal " + std::to_string(signal);
    }
}

std::string StillWaitingText(std::size_t count) {
    return count == 1 ? "1 dictation is still waiting"
                      : std::to_string(count) + " dictations are still waiting";
}

// Waits the minutes unless a stop signal comes first; true when the time has passed.
bool WaitMinutes(int minutes) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::minutes(minutes);
    while (std::chrono::steady_clock::now() < end) {
        if (StopRequested())
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return !StopRequested();
}

} // namespace

BatchRunner::BatchRunner()
    : host_(settings_)
    , boxes_(host_.progress())
    , namer_(clock_)
    , errors_(settings_, clock_, host_)
    , steps_(convert::MakeProgramSteps(settings_, errors_, host_, loop_,
                                       convert::WaitEnds{StopRequested, StopRequested}))
    , run_(convert::RunContext{host_, *steps_, namer_, errors_, boxes_, loop_, settings_}) {}

BatchRunner::~BatchRunner() = default;

bool BatchRunner::LoadSettings() {
    if (const auto problem = shell::ConfigFileProblem()) {
        Complain(*problem);
        return false;
    }
    settings_ = shell::ConfigStore(shell::kConfigFileName).LoadSettings();
    return true;
}

bool BatchRunner::IntervalIsValid() const {
    if (shell::IsValidConvertInterval(settings_.ConvertInterval))
        return true;
    Complain(WatchIntervalProblem(settings_.ConvertInterval));
    return false;
}

int BatchRunner::Stopped() {
    // A file that two rows list waits once.
    std::set<std::string> listed;
    std::size_t waiting = 0;
    for (const shell::JobRow& row : shell::ScanJobs(shell::kConfigFileName, settings_).rows)
        waiting += ListedBefore(row, listed) ? 0 : 1;
    Complain("stopped by " + SignalName(StopSignal()) + "; " + StillWaitingText(waiting));
    return kStopped;
}

int BatchRunner::RunOnce() {
    if (!LoadSettings())
        return kBadUsage;
    bool told = false;
    const convert::RunLock lock = convert::RunLock::Acquire([&] {
        if (!told)
            Complain("waiting for the conversion running in this folder to end");
        told = true;
        return !StopRequested();
    });
    if (!lock.held()) {
        if (lock.unavailable()) {
            Complain(std::string("cannot create the lock file ") + convert::kRunLockFileName +
                     " in the current folder (" + std::strerror(lock.openError()) + ")");
            return kSomeFailed;
        }
        return Stopped(); // while waiting: nothing was touched
    }
    // The scan comes after the lock, so it sees what an earlier run has left, and again after
    // the jobs that ended runs left half done are finished or undone.
    shell::ScanResult scan = shell::ScanJobs(shell::kConfigFileName, settings_);
    if (convert::RecoverEndedJobsIn(InputFolders(scan.table)) > 0)
        scan = shell::ScanJobs(shell::kConfigFileName, settings_);
    TellWhatWasSkipped(scan);
    host_.Load(std::move(scan.rows));
    run_.ConvertAll();
    Complain(SummaryText());
    if (StopRequested())
        return Stopped();
    return host_.failedJobs() > 0 ? kSomeFailed : kAllConverted;
}

std::string BatchRunner::SummaryText() const {
    if (host_.convertedJobs() + host_.failedJobs() + host_.waitingJobs() == 0)
        return "no dictation is waiting";
    std::string text = std::to_string(host_.convertedJobs()) + " converted, " +
                       std::to_string(host_.failedJobs()) + " with errors";
    if (host_.waitingJobs() > 0)
        text += ", " + std::to_string(host_.waitingJobs()) + " left for a later run";
    return text;
}

int BatchRunner::DryRun() {
    if (!LoadSettings())
        return kBadUsage;
    const shell::ScanResult scan = shell::ScanJobs(shell::kConfigFileName, settings_);
    TellWhatWasSkipped(scan);
    namer_.CountHandedOutNumbers();
    std::set<std::string> listed;
    for (const shell::JobRow& row : scan.rows) {
        if (!IsWaiting(row) || ListedBefore(row, listed))
            continue;
        const std::string& outputDir = row.columns[shell::kColOutputDir];
        const std::string name =
            namer_.NameNextJob(settings_, row.columns[shell::kColInputFile], outputDir,
                               row.columns[shell::kColUserId], row.columns[shell::kColLoc]);
        PrintLine(platform::joinPath(row.columns[shell::kColInputDir],
                                     row.columns[shell::kColInputFile]) +
                  " -> " + platform::joinPath(outputDir, name));
    }
    return kAllConverted;
}

int BatchRunner::Watch() {
    // The interval is checked before anything is converted, and again after every round, which
    // reads import.ini anew.
    if (!LoadSettings() || !IntervalIsValid())
        return kBadUsage;
    for (;;) {
        const int status = RunOnce();
        if (status == kBadUsage || status == kStopped)
            return status;
        if (!IntervalIsValid())
            return kBadUsage;
        if (!WaitMinutes(settings_.ConvertInterval))
            return Stopped();
    }
}

} // namespace batch
