#pragma once
// A conversion run: Convert All, Convert Selected and ConvertJob. It owns the order of the
// work and talks to the program only through its host (rows, status texts, progress, Cancel),
// the message boxes and the event loop, so that the same run drives the main window, the
// command-line runner and the tests.
//
// Every output is written under a partial name in its output folder, flushed and then moved
// into place without replacing anything; only then is the input renamed. A run stopped at any
// moment therefore leaves each dictation converted once or still waiting (converted twice at
// worst, when the stop falls between the output's move and the input's rename), never lost and
// never half-written under an output name.

#include "config/settings.h"
#include "convert/conversion_steps.h"
#include "convert/event_loop.h"
#include "convert/job_error_reporter.h"
#include "convert/job_paths.h"
#include "convert/message_boxes.h"
#include "convert/output_namer.h"
#include "convert/run_host.h"

#include <set>
#include <string>

namespace convert {

class RunTempFolder;

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
    void ConvertJob(int rowIndex, const RunTempFolder& temp);
    void ShowJobStart(int rowIndex, const shell::JobRow& row);
    std::string NextOutputName(const shell::JobRow& row);
    void ConvertJobFiles(int rowIndex, const shell::JobRow& row, const RunTempFolder& temp,
                         JobOutcome& outcome);
    bool BringInputToTemp(int rowIndex, const JobPaths& paths, const std::string& inputName);
    bool WriteOutput(int rowIndex, const JobPaths& paths);
    bool WriteVoxOutput(int rowIndex, const JobPaths& paths, const std::string& voxTemp);
    bool PublishCopy(int rowIndex, const std::string& nativeSource, const JobPaths& paths);
    void ShowConverted(int rowIndex, const JobPaths& paths, const std::string& newCaption,
                       const std::string& outputName, JobOutcome& outcome);
    // Reports the job's error; the detail (why) goes to the job's outcome only.
    void Fail(int rowIndex, const std::string& text, const std::string& detail = {});
    void RemoveTempFile(const std::string& nativePath);
    void CleanOutputFolderOnce(const std::string& nativeOutput);

    RunContext context_;
    std::string tempBase_;
    std::string tempFolder_;
    std::string jobError_;
    std::string jobDetail_;
    std::set<std::string> cleanedOutputFolders_;
};

// The failure texts of a job, for its paths.
std::string CopyToTempFailedText(const std::string& inputPath);
std::string OutputCreationFailedText(const std::string& outputPath);
std::string OutputExistsText(const std::string& outputPath);
std::string VoxConversionFailedText(const std::string& outputPath);
std::string RenameFailedText(const std::string& inputPath);
inline constexpr const char* kPcmConversionFailedText = "Error converting to PCM .wav format";

// The size column's text for a converted output: (size / 1024) + 1.
std::string OutputSizeText(unsigned long long bytes);
// "Converting File:  " (status panel 1) and "Converting File: " (progress window), n of total.
std::string StatusPanelJobText(int number, int total);
std::string ProgressJobText(int number, int total);

} // namespace convert
