#include "batch_host.h"

#include "stop_signal.h"

#include "convert/conversion_run.h"

#include <cstdio>

namespace batch {
namespace {

constexpr std::string_view kProgressPrefix = "Converting File: ";
constexpr std::string_view kFileNamePrefix = "Converting: ";

std::string WithoutPrefix(const std::string& text, std::string_view prefix) {
    return text.starts_with(prefix) ? text.substr(prefix.size()) : text;
}

} // namespace

void PrintLine(const std::string& line) {
    std::fputs(line.c_str(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

void Complain(const std::string& text) {
    std::fprintf(stderr, "import-batch: %s\n", text.c_str());
}

BatchHost::BatchHost(const shell::Settings& settings)
    : settings_(settings) {}

void BatchHost::Load(std::vector<shell::JobRow> rows) {
    rows_ = std::move(rows);
    failedJobs_ = 0;
    convertedJobs_ = 0;
    waitingJobs_ = 0;
}

void BatchHost::SetJobOutputText(int rowIndex, const std::string& text) {
    if (rowIndex >= 0 && rowIndex < JobCount())
        rows_[static_cast<std::size_t>(rowIndex)].columns[shell::kColOutputFile] = text;
}

void BatchHost::ErrorLogFailed(const std::string& logPath, const std::string& reason) {
    progress_.Clear();
    Complain("cannot write the error log " + logPath + " (" + reason + ")");
}

void BatchHost::SetStatusText(const std::string& text) {
    // "Converting File: 3 of 10" becomes the counter "3/10".
    counter_ = WithoutPrefix(text, kProgressPrefix);
    const std::size_t of = counter_.find(" of ");
    if (of != std::string::npos)
        counter_.replace(of, 4, "/");
}

void BatchHost::SetFileNameText(const std::string& text) {
    progress_.SetJob(counter_, WithoutPrefix(text, kFileNamePrefix));
}

void BatchHost::SetGauge(int percent) {
    progress_.SetPercent(percent);
}

int BatchHost::JobCount() const {
    return static_cast<int>(rows_.size());
}

shell::JobRow BatchHost::JobRow(int rowIndex) const {
    return rows_.at(static_cast<std::size_t>(rowIndex));
}

void BatchHost::SetJobCell(int rowIndex, int column, const std::string& text) {
    rows_.at(static_cast<std::size_t>(rowIndex)).columns.at(static_cast<std::size_t>(column)) =
        text;
}

void BatchHost::SetJobImage(int rowIndex, int image) {
    rows_.at(static_cast<std::size_t>(rowIndex)).image = image;
}

int BatchHost::OutputFormatIndex() const {
    return settings_.VoxFormat;
}

int BatchHost::PriorityIndex() const {
    return settings_.Priority;
}

uint16_t BatchHost::OutputFormatCode() const {
    return static_cast<uint16_t>(shell::OutputFormatCode(settings_.VoxFormat));
}

void BatchHost::EndRun() {
    progress_.Clear();
}

bool BatchHost::CancelRequested() const {
    return batch::StopRequested();
}

// A signal also stops the job under way: it is undone and waits for the next run.
bool BatchHost::StopRequested() const {
    return batch::StopRequested();
}

void BatchHost::JobFinished(const convert::JobOutcome& outcome) {
    progress_.Clear();
    if (outcome.end == convert::JobEnd::ConvertedEarlierInRun)
        return; // its line is the earlier row's
    if (const std::string waiting = convert::WaitingJobText(outcome.end); !waiting.empty()) {
        PrintLine(outcome.inputPath + ": " + waiting);
        if (outcome.end != convert::JobEnd::ConvertedElsewhere)
            ++waitingJobs_;
        return;
    }
    std::string line = outcome.inputPath;
    if (outcome.converted) {
        line += " -> " + outcome.outputPath;
        if (!outcome.outputSize.empty())
            line += " (" + outcome.outputSize + " KB)";
        if (!outcome.error.empty())
            line += "; " + outcome.error;
        if (!outcome.notice.empty())
            line += "; " + outcome.notice;
    } else {
        line += ": " + outcome.error;
    }
    if (!outcome.detail.empty())
        line += " (" + outcome.detail + ")";
    PrintLine(line);
    if (outcome.converted)
        ++convertedJobs_;
    if (!outcome.converted || !outcome.error.empty())
        ++failedJobs_;
}

convert::BoxAnswer StderrBoxes::Show(const convert::MessageBoxRequest& request) {
    progress_.Clear();
    Complain(request.caption + ": " + request.text);
    return convert::BoxAnswer::Ok;
}

} // namespace batch
