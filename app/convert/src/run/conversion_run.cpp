#include "convert/conversion_run.h"

#include "job_conversion.h"

#include "convert/run_temp_folder.h"
#include "jobs/job_scan.h"

namespace convert {
namespace {

constexpr int kStatusPanelRun = 1;

bool IsConvertedCaption(const std::string& caption) {
    return !caption.empty() && caption.front() == '_';
}

} // namespace

std::string CopyToTempFailedText(const std::string& inputPath) {
    return "Could not copy file " + inputPath + " to Windows temp folder";
}
std::string OutputCreationFailedText(const std::string& outputPath) {
    return "Error creating output file - " + outputPath;
}
std::string OutputExistsText(const std::string& outputPath) {
    return "Output file already exists - " + outputPath;
}
std::string VoxConversionFailedText(const std::string& outputPath) {
    return outputPath + " - error in wav to vox conversion";
}
std::string RenameFailedText(const std::string& inputPath) {
    return "Error renaming input file " + inputPath;
}

std::string WaitingJobText(JobEnd end) {
    switch (end) {
    case JobEnd::StillArriving:
        return "Still arriving - converted when complete";
    case JobEnd::ClaimedElsewhere:
        return "Being converted by another run";
    case JobEnd::ConvertedElsewhere:
        return "Converted by another run";
    case JobEnd::Stopped:
        return "Stopped - still waiting";
    case JobEnd::Converted:
    case JobEnd::Failed:
    case JobEnd::ConvertedEarlierInRun:
        break;
    }
    return {};
}

std::string OutputSizeText(unsigned long long bytes) {
    return std::to_string(bytes / 1024 + 1);
}
std::string StatusPanelJobText(int number, int total) {
    return "Converting File:  " + std::to_string(number) + " of " + std::to_string(total);
}
std::string ProgressJobText(int number, int total) {
    return "Converting File: " + std::to_string(number) + " of " + std::to_string(total);
}

ConversionRun::ConversionRun(RunContext context, std::string tempBase)
    : context_(context)
    , tempBase_(tempBase.empty() ? RunTempFolder::DefaultBase() : std::move(tempBase)) {}

template <class ConvertRows>
void ConversionRun::Run(ConvertRows convertRows) {
    RunHost& host = context_.host;
    host.BeginRun();
    const auto close = [&] {
        host.EndRun();
        host.SetStatusPanel(kStatusPanelRun, std::string());
        if (context_.settings.EnableSched) {
            host.StartSchedulerTimer();
            host.SetStatusPanel(kStatusPanelRun,
                                shell::NextConversionText(context_.settings.ConvertInterval));
        }
    };
    try {
        const RunTempFolder temp(tempBase_);
        RunState state(temp);
        convertRows(state);
    } catch (...) {
        close();
        throw;
    }
    close();
}

void ConversionRun::ConvertAll() {
    RunHost& host = context_.host;
    Run([&](RunState& state) {
        // The count is read again before every row.
        for (int index = 0; index < host.JobCount(); ++index) {
            if (IsConvertedCaption(host.JobRow(index).columns[shell::kColInputFile]))
                continue;
            if (!ConvertJob(index, state))
                break;
        }
    });
}

void ConversionRun::ConvertSelected() {
    RunHost& host = context_.host;
    int first = -1;
    for (int index = 0; index < host.JobCount() && first < 0; ++index) {
        if (host.IsJobSelected(index))
            first = index;
    }
    if (first < 0) {
        context_.boxes.Show({kErrorCaption, "No files have been selected!", BoxIcon::Warning,
                             BoxButtons::Ok, BoxOwner::None});
        return;
    }
    Run([&](RunState& state) {
        for (int index = first; index < host.JobCount(); ++index) {
            if (host.IsJobSelected(index) && !ConvertJob(index, state))
                break;
        }
    });
}

bool ConversionRun::ConvertJob(int rowIndex, RunState& state) {
    RunHost& host = context_.host;
    ShowJobStart(rowIndex, host.JobRow(rowIndex));
    JobOutcome outcome = JobConversion(context_, state, rowIndex).Convert();
    // What a conversion says of its source (a header that claims more than the file holds) goes
    // with a converted job only; taken either way, so that it never reaches the next job.
    const std::string notice = context_.steps.TakeConversionNotice();
    if (outcome.converted && !notice.empty()) {
        outcome.notice = outcome.inputPath + " " + notice;
        context_.errors.LogJobNotice(outcome.notice);
    }
    host.JobFinished(outcome);
    host.RepaintJobList();
    return !host.CancelRequested() && !host.StopRequested();
}

void ConversionRun::ShowJobStart(int rowIndex, const shell::JobRow& row) {
    RunHost& host = context_.host;
    const int number = rowIndex + 1;
    const int total = host.JobCount();
    host.SetStatusPanel(kStatusPanelRun, StatusPanelJobText(number, total));
    host.SetStatusText(ProgressJobText(number, total));
    host.SetFileNameText("Converting: " + row.columns[shell::kColInputFile]);
    host.SetInputText("Input Dir: " + row.columns[shell::kColInputDir]);
    host.SetOutputText("Output Dir: " + row.columns[shell::kColOutputDir]);
    // A job starts at nothing: the last job's (or the last run's) 100 % would stand until the
    // wave conversion reports, which a copy or a DSS conversion never does.
    host.SetGauge(0);
    host.RepaintProgress();
}

} // namespace convert
