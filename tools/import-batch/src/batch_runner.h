// import-batch's work in the current folder: one Convert All, the dry run, and the watch loop.
#pragma once

#include "batch_host.h"

#include "config/settings.h"
#include "convert/clock.h"
#include "convert/conversion_run.h"
#include "convert/event_loop.h"
#include "convert/job_error_reporter.h"
#include "convert/output_namer.h"

#include <memory>

namespace batch {

enum ExitStatus : int { kAllConverted = 0, kSomeFailed = 1, kBadUsage = 2, kStopped = 3 };

class BatchRunner {
public:
    BatchRunner();
    ~BatchRunner();

    int RunOnce();
    int DryRun();
    int Watch();

private:
    // False, having said why, when import.ini cannot drive a conversion.
    bool LoadSettings();
    std::string SummaryText() const;
    bool IntervalIsValid() const;
    // Says that a stop signal ended the work and how many dictations still wait.
    int Stopped();

    shell::Settings settings_;
    convert::SystemClock clock_;
    convert::TaskQueueLoop loop_;
    BatchHost host_;
    StderrBoxes boxes_;
    convert::OutputNamer namer_;
    convert::JobErrorReporter errors_;
    std::unique_ptr<convert::ConversionSteps> steps_;
    convert::ConversionRun run_;
};

} // namespace batch
