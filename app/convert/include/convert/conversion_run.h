#pragma once
// A conversion run: Convert All, Convert Selected and ConvertJob. It owns the order of the
// work and talks to the program only through its host (rows, status texts, progress, Cancel),
// the message boxes and the event loop, so that the same run drives the main window, the
// command-line runner and the tests.
//
// Every dictation is converted exactly once, whatever happens. A job reads its input only
// through the regular file it opened (never through a link or a name that leads elsewhere),
// and only once the file has stopped arriving. It claims the input in the input folder, so
// that no other run converts it at the same time, and checks that the input can be marked done
// before it converts anything. Its output is written under a reserved partial name in the
// output folder (the reservation keeps its job number), flushed, and, with the job's intent
// recorded beside the input, moved into place without replacing anything; the input is then
// renamed, unless it changed meanwhile, in which case the output is withdrawn. A run stopped at
// any moment (even kill -9) leaves a record from which the next run finishes or undoes the job.

#include "config/settings.h"
#include "convert/conversion_steps.h"
#include "convert/event_loop.h"
#include "convert/job_error_reporter.h"
#include "convert/message_boxes.h"
#include "convert/output_namer.h"
#include "convert/run_host.h"

#include <string>

namespace convert {

struct RunState;

// Everything a run works with; all of it must outlive the run. The namer and the reporter are
// the program's own, created once and used for every job.
struct RunContext {
    RunHost& host;
    ConversionSteps& steps;
    OutputNamer& namer;
    const JobErrorReporter& errors;
    MessageBoxes& boxes;
    EventLoop& loop;
    const shell::Settings& settings;
};

class ConversionRun {
public:
    // tempBase: native folder (ending with "/") below which the run keeps its temporary files;
    // by default the temporary-files folder.
    explicit ConversionRun(RunContext context, std::string tempBase = {});

    // Every row whose caption does not begin with "_", in list order.
    void ConvertAll();
    // Every selected row from the first selected one on; "No files have been selected!" when
    // none is.
    void ConvertSelected();

private:
    template <class ConvertRows>
    void Run(ConvertRows convertRows);
    // Converts one row; false when the run is to stop after it.
    bool ConvertJob(int rowIndex, RunState& state);
    void ShowJobStart(int rowIndex, const shell::JobRow& row);

    RunContext context_;
    std::string tempBase_;
};

// The failure texts of a job, for its paths.
std::string CopyToTempFailedText(const std::string& inputPath);
std::string OutputCreationFailedText(const std::string& outputPath);
std::string OutputExistsText(const std::string& outputPath);
std::string VoxConversionFailedText(const std::string& outputPath);
std::string RenameFailedText(const std::string& inputPath);
inline constexpr const char* kPcmConversionFailedText = "Error converting to PCM .wav format";

// What the "Output File" column of a job that ended without error or output says; the input
// keeps its name and its row stays waiting.
std::string WaitingJobText(JobEnd end);

// The size column's text for a converted output: (size / 1024) + 1.
std::string OutputSizeText(unsigned long long bytes);
// "Converting File:  " (status panel 1) and "Converting File: " (progress window), n of total.
std::string StatusPanelJobText(int number, int total);
std::string ProgressJobText(int number, int total);

} // namespace convert
