#include "convert/job_error_reporter.h"

#include <cerrno>
#include <cstring>
#include <utility>

namespace convert {

JobRowsErrorView::JobRowsErrorView(std::vector<shell::JobRow>& rows, std::string& lastErrorText)
    : rows_(rows)
    , lastErrorText_(lastErrorText) {}

void JobRowsErrorView::SetJobOutputText(int rowIndex, const std::string& text) {
    if (rowIndex >= 0 && static_cast<std::size_t>(rowIndex) < rows_.size()) {
        rows_[static_cast<std::size_t>(rowIndex)].columns[shell::kColOutputFile] = text;
    }
}

void JobRowsErrorView::SetLastErrorText(const std::string& text) {
    lastErrorText_ = text;
}

JobErrorReporter::JobErrorReporter(const shell::Settings& settings, const Clock& clock,
                                   JobErrorView& view, ErrorLogFile log, TimeStampFormats formats)
    : settings_(settings)
    , clock_(clock)
    , view_(view)
    , log_(std::move(log))
    , formats_(std::move(formats)) {}

void JobErrorReporter::LogJobError(int rowIndex, std::string_view text) const {
    const std::string whole(text);
    view_.SetJobOutputText(rowIndex, whole);
    view_.SetLastErrorText(whole);
    appendToLog(text);
}

void JobErrorReporter::LogJobNotice(std::string_view text) const {
    view_.SetLastErrorText(std::string(text));
    appendToLog(text);
}

void JobErrorReporter::appendToLog(std::string_view text) const {
    if (!settings_.ShowErrors)
        return;
    // A log that cannot be written loses the line only; row and status bar still show it, and
    // its failure is said once until it works again.
    if (log_.Append(ErrorLogLine(LogTimeStamp(clock_.LocalTime(), formats_), text))) {
        logFailureTold_ = false;
    } else if (!std::exchange(logFailureTold_, true)) {
        view_.ErrorLogFailed(log_.storedPath(), std::strerror(errno));
    }
}

} // namespace convert
