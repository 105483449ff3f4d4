#include "convert/conversion_run.h"

#include "config/output_formats.h"
#include "convert/input_marking.h"
#include "convert/run_temp_folder.h"
#include "convert/text_cut.h"
#include "files/partial_file.h"
#include "files/path_parts.h"
#include "jobs/job_scan.h"
#include "platform/paths.h"
#include "platform/safe_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <exception>
#include <filesystem>
#include <system_error>

namespace convert {
namespace {

constexpr int kStatusPanelRun = 1;
constexpr const char* kVoxTempName = "output.vox";

bool IsConvertedCaption(const std::string& caption) {
    return !caption.empty() && caption.front() == '_';
}

std::string Trimmed(const std::string& text) {
    return std::string(TrimBlanksAndControls(text));
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
        cleanedOutputFolders_.clear();
        const RunTempFolder temp(tempBase_);
        tempFolder_ = temp.path();
        convertRows(temp);
    } catch (...) {
        close();
        throw;
    }
    close();
}

void ConversionRun::ConvertAll() {
    RunHost& host = context_.host;
    Run([&](const RunTempFolder& temp) {
        // The count is read again before every row.
        for (int index = 0; index < host.JobCount(); ++index) {
            if (IsConvertedCaption(host.JobRow(index).columns[shell::kColInputFile]))
                continue;
            ConvertJob(index, temp);
            host.RepaintJobList();
            if (host.CancelRequested())
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
    Run([&](const RunTempFolder& temp) {
        for (int index = first; index < host.JobCount(); ++index) {
            if (!host.IsJobSelected(index))
                continue;
            ConvertJob(index, temp);
            host.RepaintJobList();
            if (host.CancelRequested())
                break;
        }
    });
}

void ConversionRun::RemoveTempFile(const std::string& nativePath) {
    // Removing a long dictation's file takes a while on some file systems: off the interface
    // thread, like every other long step.
    if (!nativePath.empty())
        AwaitInBackground(context_.loop, [&] { ::unlink(nativePath.c_str()); });
}

void ConversionRun::Fail(int rowIndex, const std::string& text, const std::string& detail) {
    jobError_ = text;
    jobDetail_ = detail;
    context_.errors.LogJobError(rowIndex, text);
}

void ConversionRun::ConvertJob(int rowIndex, const RunTempFolder& temp) {
    const shell::JobRow row = context_.host.JobRow(rowIndex);
    ShowJobStart(rowIndex, row);
    JobOutcome outcome;
    outcome.rowIndex = rowIndex;
    outcome.inputPath =
        platform::joinPath(row.columns[shell::kColInputDir], row.columns[shell::kColInputFile]);
    jobError_.clear();
    jobDetail_.clear();
    try {
        ConvertJobFiles(rowIndex, row, temp, outcome);
    } catch (const std::exception& failure) {
        // One job's unexpected failure (no memory, a file system error) ends that job only.
        Fail(rowIndex, failure.what());
    }
    // A step that reported its own error left it in the row.
    outcome.error = jobError_;
    outcome.detail = jobDetail_;
    if (outcome.error.empty() && !outcome.converted)
        outcome.error = context_.host.JobRow(rowIndex).columns[shell::kColOutputFile];
    const std::string notice = context_.steps.TakeConversionNotice();
    if (outcome.converted && !notice.empty()) {
        outcome.notice = outcome.inputPath + " " + notice;
        context_.errors.LogJobNotice(outcome.notice);
    }
    context_.host.JobFinished(outcome);
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

std::string ConversionRun::NextOutputName(const shell::JobRow& row) {
    // The output format and the priority are the selectors' current indexes.
    shell::Settings naming = context_.settings;
    naming.VoxFormat = context_.host.OutputFormatIndex();
    naming.Priority = context_.host.PriorityIndex();
    return context_.namer.NameNextJob(naming, row.columns[shell::kColInputFile],
                                      row.columns[shell::kColOutputDir],
                                      row.columns[shell::kColUserId], row.columns[shell::kColLoc]);
}

void ConversionRun::ConvertJobFiles(int rowIndex, const shell::JobRow& row,
                                    const RunTempFolder& temp, JobOutcome& outcome) {
    const std::string& inputDir = row.columns[shell::kColInputDir];
    const std::string& inputName = row.columns[shell::kColInputFile];
    const std::string outputName = NextOutputName(row);
    const JobPaths paths = BuildJobPaths(inputDir, inputName, row.columns[shell::kColOutputDir],
                                         outputName, temp.path());
    if (!temp.ready()) {
        Fail(rowIndex, CopyToTempFailedText(paths.inputPath));
        return;
    }
    if (!InputCanBeMarkedDone(inputDir, inputName)) {
        Fail(rowIndex, RenameFailedText(paths.inputPath), std::strerror(errno));
        return;
    }
    RemoveTempFile(paths.tempWavePath);
    if (!BringInputToTemp(rowIndex, paths, inputName) || !WriteOutput(rowIndex, paths))
        return;
    if (!platform::pathExists(paths.outputPath)) {
        Fail(rowIndex, OutputCreationFailedText(paths.outputPath));
        return;
    }
    // Only now, with the output complete and in place, is the input marked as done.
    std::string caption = "_" + inputName;
    if (auto renamed = MarkInputDone(inputDir, inputName))
        caption = *renamed;
    else
        Fail(rowIndex, RenameFailedText(paths.inputPath));
    ShowConverted(rowIndex, paths, caption, outputName, outcome);
}

bool ConversionRun::BringInputToTemp(int rowIndex, const JobPaths& paths,
                                     const std::string& inputName) {
    if (IsDssInput(inputName))
        return context_.steps.ConvertDssToWave(rowIndex, paths.inputPath, paths.tempWavePath);
    const std::string nativeInput = platform::resolvePath(paths.inputPath);
    // The temporary copy is private and thrown away: it needs no flush to disk.
    const std::error_code copyError = AwaitInBackground(context_.loop, [&] {
        std::error_code error;
        if (std::filesystem::is_directory(nativeInput, error))
            return std::make_error_code(std::errc::is_a_directory);
        std::filesystem::copy_file(nativeInput, paths.tempWavePath,
                                   std::filesystem::copy_options::overwrite_existing, error);
        return error;
    });
    if (!copyError)
        return true;
    RemoveTempFile(paths.tempWavePath);
    Fail(rowIndex, CopyToTempFailedText(paths.inputPath), copyError.message());
    return false;
}

bool ConversionRun::WriteOutput(int rowIndex, const JobPaths& paths) {
    RunHost& host = context_.host;
    if (context_.settings.SpeechRec) {
        const shell::JobRow row = host.JobRow(rowIndex);
        const SpeechJob job{row.columns[shell::kColInputFile], paths.tempWavePath, paths.outputPath,
                            Trimmed(row.columns[shell::kColUserId]),
                            row.columns[shell::kColOutputDir]};
        if (!context_.steps.SpeechHandOff(rowIndex, job)) {
            jobDetail_ = context_.steps.FailureDetail();
            RemoveTempFile(paths.tempWavePath);
            return false;
        }
    }
    bool written = false;
    switch (shell::OutputFormatAt(host.OutputFormatIndex()).extension) {
    case shell::OutputExtensionRule::Vox: {
        const std::string voxTemp = tempFolder_ + kVoxTempName;
        written = WriteVoxOutput(rowIndex, paths, voxTemp);
        RemoveTempFile(voxTemp);
        break;
    }
    case shell::OutputExtensionRule::Wav:
        written = PublishCopy(rowIndex, paths.tempWavePath, paths);
        break;
    case shell::OutputExtensionRule::SourceExtension:
        written = PublishCopy(rowIndex, platform::resolvePath(paths.inputPath), paths);
        break;
    }
    RemoveTempFile(paths.tempWavePath);
    return written;
}

bool ConversionRun::WriteVoxOutput(int rowIndex, const JobPaths& paths,
                                   const std::string& voxTemp) {
    const WaveFormat target = WaveFormat::pcm16Mono(kVoxIntermediateRate);
    if (!context_.steps.ConvertWaveFile(paths.tempWavePath, paths.pcmPath, target)) {
        RemoveTempFile(paths.pcmPath);
        Fail(rowIndex, kPcmConversionFailedText, context_.steps.FailureDetail());
        return false;
    }
    const uint16_t formatCode = context_.host.OutputFormatCode();
    // The toolkit's open and save of a long dictation take a while: the interface stays live.
    const bool saved = AwaitInBackground(
        context_.loop, [&] { return context_.steps.WriteVox(paths.pcmPath, voxTemp, formatCode); });
    // The intermediate file is never read again.
    RemoveTempFile(paths.pcmPath);
    if (!saved) {
        Fail(rowIndex, VoxConversionFailedText(paths.outputPath), context_.steps.FailureDetail());
        return false;
    }
    return PublishCopy(rowIndex, voxTemp, paths);
}

bool ConversionRun::PublishCopy(int rowIndex, const std::string& nativeSource,
                                const JobPaths& paths) {
    const std::string nativeOutput = platform::resolvePath(paths.outputPath);
    CleanOutputFolderOnce(nativeOutput);
    int error = 0; // errno belongs to the thread that copied
    const files::PublishResult result = AwaitInBackground(context_.loop, [&] {
        const files::PublishResult copied =
            platform::copyFileSafely(nativeSource, nativeOutput, false);
        error = errno;
        return copied;
    });
    switch (result) {
    case files::PublishResult::Published:
        return true;
    case files::PublishResult::TargetExists:
        Fail(rowIndex, OutputExistsText(paths.outputPath));
        return false;
    case files::PublishResult::Failed:
        break;
    }
    Fail(rowIndex, OutputCreationFailedText(paths.outputPath), std::strerror(error));
    return false;
}

void ConversionRun::CleanOutputFolderOnce(const std::string& nativeOutput) {
    const std::string folder = files::folderOf(nativeOutput);
    if (cleanedOutputFolders_.insert(folder).second)
        files::removeAbandonedPartials(folder);
}

void ConversionRun::ShowConverted(int rowIndex, const JobPaths& paths,
                                  const std::string& newCaption, const std::string& outputName,
                                  JobOutcome& outcome) {
    RunHost& host = context_.host;
    host.SetJobCell(rowIndex, shell::kColInputFile, newCaption);
    host.SetJobImage(rowIndex, shell::kImageConverted);
    context_.loop.ProcessEvents(false);
    host.SetJobCell(rowIndex, shell::kColOutputFile, outputName);
    outcome.converted = true;
    outcome.outputPath = paths.outputPath;

    const int fd = ::open(platform::resolvePath(paths.outputPath).c_str(), O_RDONLY | O_CLOEXEC);
    struct stat info {};
    if (fd < 0 || ::fstat(fd, &info) != 0) {
        if (fd >= 0)
            ::close(fd);
        context_.boxes.Show({kErrorCaption, "Error opening vox file.", BoxIcon::Error,
                             BoxButtons::Ok, BoxOwner::None});
        return;
    }
    ::close(fd);
    outcome.outputSize = OutputSizeText(static_cast<unsigned long long>(info.st_size));
    host.SetJobCell(rowIndex, shell::kColOutputSize, outcome.outputSize);
}

} // namespace convert
