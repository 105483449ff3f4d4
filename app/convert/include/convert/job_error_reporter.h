#pragma once
// The one place where a failed job is reported: the job row's "Output File" column, status
// panel 3 and, when "Create error log" is on, a line of the error log. The run then goes on.

#include "config/settings.h"
#include "convert/clock.h"
#include "convert/error_log_file.h"
#include "convert/time_stamp.h"
#include "jobs/job_row.h"

#include <string>
#include <string_view>
#include <vector>

namespace convert {

// Where a job's error is shown besides the log.
class JobErrorView {
public:
    virtual ~JobErrorView() = default;
    // The row's "Output File" column; rowIndex is 0-based and may be out of range (ignored).
    virtual void SetJobOutputText(int rowIndex, const std::string& text) = 0;
    // Status panel 3, the last error message.
    virtual void SetLastErrorText(const std::string& text) = 0;
    // The error log could not be written (told once until it can be again); by default in
    // status panel 3: "The error log errorlog.txt cannot be written (Permission denied)".
    virtual void ErrorLogFailed(const std::string& logPath, const std::string& reason) {
        SetLastErrorText("The error log " + logPath + " cannot be written (" + reason + ")");
    }
};

// A JobErrorView over plain job rows and a panel text, for code that holds the rows itself.
class JobRowsErrorView final : public JobErrorView {
public:
    // Both must outlive the view.
    JobRowsErrorView(std::vector<shell::JobRow>& rows, std::string& lastErrorText);
    void SetJobOutputText(int rowIndex, const std::string& text) override;
    void SetLastErrorText(const std::string& text) override;

private:
    std::vector<shell::JobRow>& rows_;
    std::string& lastErrorText_;
};

class JobErrorReporter {
public:
    // The settings, the clock and the view are referenced, not copied: ShowErrors is read at
    // each report, so a change in the settings dialog takes effect at once.
    JobErrorReporter(const shell::Settings& settings, const Clock& clock, JobErrorView& view,
                     ErrorLogFile log = ErrorLogFile(), TimeStampFormats formats = {});

    // Writes the text whole into the row's "Output File" column and into status panel 3, and
    // logs it when ShowErrors is on. A log that cannot be written loses the line, and the view
    // is told why, once until the log can be written again.
    void LogJobError(int rowIndex, std::string_view text) const;
    // A converted job's notice: logged as an error is, and shown in status panel 3, while the
    // row keeps its output.
    void LogJobNotice(std::string_view text) const;

private:
    void appendToLog(std::string_view text) const;

    const shell::Settings& settings_;
    const Clock& clock_;
    JobErrorView& view_;
    ErrorLogFile log_;
    TimeStampFormats formats_;
    mutable bool logFailureTold_ = false;
};

} // namespace convert
