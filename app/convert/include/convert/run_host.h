#pragma once
// What a conversion run needs of the program that shows it: the job rows, the status bar, the
// progress window and the run's frame (timer, main window, Cancel). The main window, the
// command-line runner and the tests each implement it.

#include "convert/job_error_reporter.h"
#include "convert/progress_view.h"
#include "jobs/job_row.h"

#include <string>

namespace convert {

// How a job ended. Only a failed job is an error; the others leave the dictation waiting for a
// later run, or were converted elsewhere.
enum class JobEnd {
    Converted,             // the output is in place and the input marked done
    Failed,                // the job's error says why; the input waits
    StillArriving,         // the input is still being written, or changed during the job
    ClaimedElsewhere,      // another run (another working folder, another machine) converts it
    ConvertedElsewhere,    // no longer waiting: another run has converted it meanwhile
    ConvertedEarlierInRun, // an earlier row of this run listed and converted the same file
    Stopped,               // a stop ended the job before its end; all it began is undone
};

// How one job ended, for a host that lists the results (the command-line runner).
struct JobOutcome {
    int rowIndex = 0;
    std::string inputPath;
    JobEnd end = JobEnd::Failed;
    bool converted = false; // end is Converted: the output is in place and the row shows it
    std::string outputPath; // when converted
    std::string outputSize; // the size column's text, when converted
    std::string error;      // the job's last error text; empty when there was none
    std::string detail;     // why it failed, as far as known (the system's or a step's reason)
    std::string notice;     // said of a converted job: "<input> is shorter than its header says"
};

class RunHost : public JobErrorView, public ProgressView {
public:
    // Job rows, addressed by their 0-based position.
    virtual int JobCount() const = 0;
    virtual shell::JobRow JobRow(int rowIndex) const = 0;
    virtual bool IsJobSelected(int rowIndex) const = 0;
    virtual void SetJobCell(int rowIndex, int column, const std::string& text) = 0;
    virtual void SetJobImage(int rowIndex, int image) = 0;
    virtual void RepaintJobList() = 0;

    // Status panels 0 to 3.
    virtual void SetStatusPanel(int panel, const std::string& text) = 0;

    // The selected indexes of the output format and the priority (-1 without a selection),
    // and the format tag a VOX output is written with.
    virtual int OutputFormatIndex() const = 0;
    virtual int PriorityIndex() const = 0;
    virtual uint16_t OutputFormatCode() const = 0;

    // The run's frame: clears the Cancel request, stops the scheduler timer, shows the
    // progress window and disables the main window; EndRun hides the progress window and
    // enables the main window again (the scheduler's restart is the run's own step).
    virtual void BeginRun() = 0;
    virtual void EndRun() = 0;
    virtual void StartSchedulerTimer() = 0;
    virtual void RepaintProgress() = 0;
    virtual bool CancelRequested() const = 0;
    // A stop that cannot wait for the current job's end (SIGTERM of the command-line runner),
    // unlike Cancel, which lets it finish. The run looks at it between the steps of a job and
    // after a step that failed, undoes the job and ends: the input waits, no output, partial
    // or record is left. A step that gives up a wait because of a stop returns false without
    // reporting an error.
    virtual bool StopRequested() const { return false; }

    virtual void JobFinished(const JobOutcome&) {}
};

} // namespace convert
