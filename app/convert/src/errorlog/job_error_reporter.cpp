#include "convert/job_error_reporter.h"

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
    appendToLog(text);
    const std::string whole(text);
    view_.SetJobOutputText(rowIndex, whole);
    view_.SetLastErrorText(whole);
}

void JobErrorReporter::LogJobNotice(std::string_view text) const {
    appendToLog(text);
    view_.SetLastErrorText(std::string(text));
}

void JobErrorReporter::appendToLog(std::string_view text) const {
    // A log that cannot be opened loses the line only; row and status bar still show it.
    if (settings_.ShowErrors)
        log_.Append(ErrorLogLine(LogTimeStamp(clock_.LocalTime(), formats_), text));
}

} // namespace convert
