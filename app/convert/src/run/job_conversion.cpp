#include "job_conversion.h"

#include "config/output_formats.h"
#include "convert/input_marking.h"
#include "convert/job_number_lock.h"
#include "convert/text_cut.h"
#include "files/full_write.h"
#include "files/path_parts.h"
#include "files/publish.h"
#include "platform/paths.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <exception>
#include <filesystem>
#include <system_error>

namespace convert {
namespace {

// The number-lock wait gave up on a holder that did not let go.
constexpr const char* kNumbersLockedDetail = "the job numbers are held by another run";

std::string Trimmed(const std::string& text) {
    return std::string(TrimBlanksAndControls(text));
}

// Recovery finds the output from any working folder.
std::string AbsolutePath(const std::string& native) {
    std::error_code ignored;
    const std::filesystem::path absolute = std::filesystem::absolute(native, ignored);
    return absolute.empty() ? native : absolute.string();
}

std::string InputProblemDetail(const InputFile& input) {
    switch (input.problem()) {
    case InputProblem::NotAName:
        return "the name is no file name of the input folder";
    case InputProblem::Link:
        return "a link, not converted";
    case InputProblem::NotRegularFile:
        return "not a regular file, not converted";
    case InputProblem::None:
    case InputProblem::FolderMissing:
    case InputProblem::Missing:
    case InputProblem::Unreadable:
        break;
    }
    return std::strerror(input.error());
}

bool AnyDoneNameExists(int folder, const std::string& inputName) {
    for (int attempt = 0; attempt <= kNumberedRenameAttempts; ++attempt) {
        struct stat info {};
        if (::fstatat(folder, DoneName(inputName, attempt).c_str(), &info, AT_SYMLINK_NOFOLLOW) ==
            0)
            return true;
    }
    return false;
}

struct timespec Now() {
    struct timespec now {};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return now;
}

} // namespace

JobConversion::JobConversion(const RunContext& context, RunState& state, int rowIndex)
    : context_(context)
    , state_(state)
    , rowIndex_(rowIndex)
    , row_(context.host.JobRow(rowIndex))
    , inputName_(row_.columns[shell::kColInputFile])
    , inputPath_(platform::joinPath(row_.columns[shell::kColInputDir], inputName_)) {}

JobConversion::~JobConversion() {
    // Nothing of an unfinished job survives it: what it began is taken back before its claim
    // goes (a kill in between leaves the claim's record, from which the next run does it).
    if (paths_.tempWavePath.empty() && reservation_.path.empty())
        return;
    AwaitInBackground(context_.loop, [this] {
        for (const std::string* leftover :
             {&reservation_.path, &paths_.tempWavePath, &paths_.pcmPath, &paths_.inputCopyPath,
              &paths_.voxPath})
            if (!leftover->empty())
                ::unlink(leftover->c_str());
    });
}

JobOutcome JobConversion::Convert() {
    outcome_.rowIndex = rowIndex_;
    outcome_.inputPath = inputPath_;
    try {
        outcome_.end = Steps();
    } catch (const std::exception& failure) {
        // One job's unexpected failure (no memory, a file system error) ends that job only.
        outcome_.end = Fail(failure.what());
    }
    if (published_)
        Withdraw();
    outcome_.converted = outcome_.end == JobEnd::Converted;
    outcome_.error = error_;
    outcome_.detail = detail_;
    // A step that reported its own error left it in the row.
    if (outcome_.end == JobEnd::Failed && outcome_.error.empty())
        outcome_.error = context_.host.JobRow(rowIndex_).columns[shell::kColOutputFile];
    // No error: the row says why it still waits, and looks waiting (not failed).
    if (const std::string waiting = WaitingJobText(outcome_.end); !waiting.empty()) {
        context_.host.SetJobCell(rowIndex_, shell::kColOutputFile, waiting);
        context_.host.SetJobImage(rowIndex_, shell::kImageWaiting);
    }
    return outcome_;
}

JobEnd JobConversion::Steps() {
    for (const auto step :
         {&JobConversion::OpenInput, &JobConversion::ClaimInput, &JobConversion::ReserveOutput,
          &JobConversion::ConvertIntoReservation}) {
        if (const std::optional<JobEnd> end = (this->*step)())
            return *end;
    }
    return PublishAndMark();
}

std::optional<JobEnd> JobConversion::OpenInput() {
    nativeFolder_ = platform::resolvePath(row_.columns[shell::kColInputDir]);
    RecoverInputFolderOnce();
    input_ = InputFile::Open(nativeFolder_, inputName_);
    if (input_.problem() == InputProblem::Missing)
        return EndForMissingInput();
    if (!input_.isOpen())
        return Fail(CopyToTempFailedText(inputPath_), InputProblemDetail(input_));
    const auto settle = std::chrono::seconds(std::max(0, context_.settings.SettleSeconds));
    if (input_.IsArriving(settle, Now()))
        return JobEnd::StillArriving;
    return std::nullopt;
}

std::optional<JobEnd> JobConversion::EndForMissingInput() {
    const auto earlier = state_.convertedInputs.find(nativeFolder_ + '/' + inputName_);
    if (earlier != state_.convertedInputs.end()) {
        ShowConvertedEarlier(earlier->second);
        return JobEnd::ConvertedEarlierInRun;
    }
    if (AnyDoneNameExists(input_.folder(), inputName_))
        return JobEnd::ConvertedElsewhere;
    return Fail(CopyToTempFailedText(inputPath_), std::strerror(input_.error()));
}

std::optional<JobEnd> JobConversion::ClaimInput() {
    // Before anything is converted: an input that cannot be marked done would be converted
    // again, into another output, by every later run.
    doneName_ = FreeDoneName(input_.folder(), inputName_, input_.owner());
    if (!doneName_)
        return Fail(RenameFailedText(inputPath_), std::strerror(errno));
    claim_.emplace(JobClaim::Take(input_.folder(), input_.identity().inode));
    switch (claim_->result()) {
    case JobClaim::Result::Claimed:
        break;
    case JobClaim::Result::ClaimedElsewhere:
        return JobEnd::ClaimedElsewhere;
    case JobClaim::Result::Failed:
        return Fail(RenameFailedText(inputPath_), claim_->failure());
    }
    // A run that finished the job of an earlier one while claiming has marked it done.
    if (!input_.Unchanged()) {
        struct stat info {};
        const bool gone =
            ::fstatat(input_.folder(), inputName_.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0;
        return gone ? JobEnd::ConvertedElsewhere : JobEnd::StillArriving;
    }
    if (!state_.temp.ready())
        return Fail(CopyToTempFailedText(inputPath_), state_.temp.failure());
    return std::nullopt;
}

std::optional<JobEnd> JobConversion::ReserveOutput() {
    RunHost& host = context_.host;
    const std::string& outputDir = row_.columns[shell::kColOutputDir];
    CleanOutputFolderOnce();
    const RunLock numbers = AcquireJobNumberLock(outputDir, [&] { return !Stopping(); });
    if (Stopping())
        return JobEnd::Stopped;
    // The output format and the priority are the selectors' current indexes.
    shell::Settings naming = context_.settings;
    naming.VoxFormat = host.OutputFormatIndex();
    naming.Priority = host.PriorityIndex();
    outputName_ =
        context_.namer.NameNextJob(naming, inputName_, outputDir, row_.columns[shell::kColUserId],
                                   row_.columns[shell::kColLoc]);
    paths_ = BuildJobPaths(row_.columns[shell::kColInputDir], inputName_, outputDir, outputName_,
                           state_.temp.path(), ++state_.jobs);
    if (!numbers.held() && !numbers.unavailable())
        return Fail(OutputCreationFailedText(paths_.outputPath), kNumbersLockedDetail);
    nativeOutput_ = AbsolutePath(platform::resolvePath(paths_.outputPath));
    reservation_ = files::createPartial(nativeOutput_);
    if (!reservation_.fd)
        return Fail(OutputCreationFailedText(paths_.outputPath), std::strerror(errno));
    return std::nullopt;
}

std::optional<JobEnd> JobConversion::ConvertIntoReservation() {
    if (Stopping())
        return JobEnd::Stopped;
    if (!BringInputToTemp() || !HandOffSpeech() || !WriteOutput())
        return StepFailed();
    return std::nullopt;
}

JobEnd JobConversion::PublishAndMark() {
    if (Stopping())
        return JobEnd::Stopped;
    if (!input_.Unchanged())
        return JobEnd::StillArriving;
    const JobIntent intent{inputName_,    input_.identity(), *doneName_,   paths_.outputPath,
                           nativeOutput_, reservation_.path, outputInode_, outputSize_};
    if (!claim_->RecordIntent(intent))
        return Fail(RenameFailedText(inputPath_), std::strerror(errno));
    int error = 0;
    const files::PublishResult result = AwaitInBackground(context_.loop, [&] {
        const files::PublishResult moved =
            files::moveIntoPlace(reservation_.path, nativeOutput_, false);
        error = errno;
        return moved;
    });
    // Published or removed: the partial name is gone either way.
    reservation_.path.clear();
    if (result == files::PublishResult::TargetExists)
        return Fail(OutputExistsText(paths_.outputPath));
    if (result == files::PublishResult::Failed)
        return Fail(OutputCreationFailedText(paths_.outputPath), std::strerror(error));
    published_ = true;
    if (!input_.Unchanged())
        return JobEnd::StillArriving;
    const std::optional<std::string> marked =
        MarkInputDone(input_.folder(), inputName_, *doneName_);
    if (!marked)
        return Fail(RenameFailedText(inputPath_), std::strerror(errno));
    published_ = false;
    claim_->Release();
    state_.convertedInputs[nativeFolder_ + '/' + inputName_] = rowIndex_;
    ShowConverted(*marked);
    return JobEnd::Converted;
}

bool JobConversion::BringInputToTemp() {
    if (IsDssInput(inputName_)) {
        if (!CopyInputTo(paths_.inputCopyPath))
            return false;
        const bool converted = context_.steps.ConvertDssCopyToWave(
            rowIndex_, paths_.inputPath, paths_.inputCopyPath, paths_.tempWavePath);
        RemoveTempFile(paths_.inputCopyPath);
        if (!converted)
            detail_ = context_.steps.FailureDetail();
        return converted;
    }
    return CopyInputTo(paths_.tempWavePath);
}

// The input is read through its open descriptor only: whatever its name leads to by now.
bool JobConversion::CopyInputTo(const std::string& nativePath) {
    const int error = AwaitInBackground(context_.loop, [&] {
        files::UniqueFd copy(::open(nativePath.c_str(),
                                    O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0600));
        if (!copy || !input_.Rewind() || !files::copyContent(input_.fd(), copy.get()) ||
            !copy.close())
            return errno;
        return 0;
    });
    if (error == 0)
        return true;
    RemoveTempFile(nativePath);
    Fail(CopyToTempFailedText(paths_.inputPath), std::strerror(error));
    return false;
}

bool JobConversion::HandOffSpeech() {
    if (!context_.settings.SpeechRec)
        return true;
    const shell::JobRow row = context_.host.JobRow(rowIndex_);
    const SpeechJob job{inputName_, paths_.tempWavePath, paths_.outputPath,
                        Trimmed(row.columns[shell::kColUserId]), row.columns[shell::kColOutputDir]};
    if (context_.steps.SpeechHandOff(rowIndex_, job))
        return true;
    detail_ = context_.steps.FailureDetail();
    return false;
}

bool JobConversion::WriteOutput() {
    switch (shell::OutputFormatAt(context_.host.OutputFormatIndex()).extension) {
    case shell::OutputExtensionRule::Vox:
        return WriteVoxOutput();
    case shell::OutputExtensionRule::Wav:
        return FillReservation(paths_.tempWavePath);
    case shell::OutputExtensionRule::SourceExtension:
        break;
    }
    return input_.Rewind() && FillReservationFrom(input_.fd());
}

bool JobConversion::WriteVoxOutput() {
    const WaveFormat target = WaveFormat::pcm16Mono(kVoxIntermediateRate);
    if (!context_.steps.ConvertWaveFile(paths_.tempWavePath, paths_.pcmPath, target)) {
        RemoveTempFile(paths_.pcmPath);
        Fail(kPcmConversionFailedText, context_.steps.FailureDetail());
        return false;
    }
    const uint16_t formatCode = context_.host.OutputFormatCode();
    // The toolkit's open and save of a long dictation take a while: the interface stays live.
    const bool saved = AwaitInBackground(context_.loop, [&] {
        return context_.steps.WriteVox(paths_.pcmPath, paths_.voxPath, formatCode);
    });
    // The intermediate file is never read again.
    RemoveTempFile(paths_.pcmPath);
    if (!saved) {
        Fail(VoxConversionFailedText(paths_.outputPath), context_.steps.FailureDetail());
        return false;
    }
    const bool filled = FillReservation(paths_.voxPath);
    RemoveTempFile(paths_.voxPath);
    return filled;
}

bool JobConversion::FillReservation(const std::string& nativeSource) {
    const files::UniqueFd source(::open(nativeSource.c_str(), O_RDONLY | O_CLOEXEC));
    if (!source) {
        Fail(OutputCreationFailedText(paths_.outputPath), std::strerror(errno));
        return false;
    }
    return FillReservationFrom(source.get());
}

// The content on disk before the job's intent is recorded: a published output is always whole.
bool JobConversion::FillReservationFrom(int sourceFd) {
    const int error = AwaitInBackground(context_.loop, [&] {
        struct stat written {};
        const int fd = reservation_.fd.get();
        if (!files::copyContent(sourceFd, fd) || ::fsync(fd) != 0 || ::fstat(fd, &written) != 0)
            return errno;
        outputInode_ = written.st_ino;
        outputSize_ = written.st_size;
        return reservation_.fd.close() ? 0 : errno;
    });
    if (error == 0)
        return true;
    Fail(OutputCreationFailedText(paths_.outputPath), std::strerror(error));
    return false;
}

// A published output whose input is not marked done would be converted again: it goes.
void JobConversion::Withdraw() {
    struct stat info {};
    if (::lstat(nativeOutput_.c_str(), &info) == 0 && info.st_ino == outputInode_ &&
        ::unlink(nativeOutput_.c_str()) == 0)
        files::syncFolder(files::folderOf(nativeOutput_));
    published_ = false;
}

void JobConversion::ShowConverted(const std::string& newCaption) {
    RunHost& host = context_.host;
    host.SetJobCell(rowIndex_, shell::kColInputFile, newCaption);
    host.SetJobImage(rowIndex_, shell::kImageConverted);
    context_.loop.ProcessEvents(false);
    host.SetJobCell(rowIndex_, shell::kColOutputFile, outputName_);
    outcome_.outputPath = paths_.outputPath;

    const int fd = ::open(nativeOutput_.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat info {};
    if (fd < 0 || ::fstat(fd, &info) != 0) {
        if (fd >= 0)
            ::close(fd);
        context_.boxes.Show({kErrorCaption, "Error opening vox file.", BoxIcon::Error,
                             BoxButtons::Ok, BoxOwner::None});
        return;
    }
    ::close(fd);
    outcome_.outputSize = OutputSizeText(static_cast<unsigned long long>(info.st_size));
    host.SetJobCell(rowIndex_, shell::kColOutputSize, outcome_.outputSize);
}

void JobConversion::ShowConvertedEarlier(int earlierRow) {
    RunHost& host = context_.host;
    const shell::JobRow earlier = host.JobRow(earlierRow);
    for (const int column : {shell::kColInputFile, shell::kColOutputFile, shell::kColOutputSize})
        host.SetJobCell(rowIndex_, column, earlier.columns[static_cast<std::size_t>(column)]);
    host.SetJobImage(rowIndex_, earlier.image);
}

// Jobs that ended runs left half done in this folder are finished or undone before its first
// job of the run.
void JobConversion::RecoverInputFolderOnce() {
    if (!state_.recoveredInputFolders.insert(nativeFolder_).second)
        return;
    const files::UniqueFd folder(::open(nativeFolder_.empty() ? "." : nativeFolder_.c_str(),
                                        O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder)
        RecoverEndedJobs(folder.get());
}

void JobConversion::CleanOutputFolderOnce() {
    const std::string folder = platform::resolvePath(row_.columns[shell::kColOutputDir]);
    if (state_.cleanedOutputFolders.insert(folder).second)
        files::removeAbandonedPartials(folder.empty() ? "." : folder);
}

JobEnd JobConversion::Fail(const std::string& text, const std::string& detail) {
    error_ = text;
    detail_ = detail;
    context_.errors.LogJobError(rowIndex_, text);
    return JobEnd::Failed;
}

JobEnd JobConversion::StepFailed() {
    return Stopping() ? JobEnd::Stopped : JobEnd::Failed;
}

bool JobConversion::Stopping() const {
    return context_.host.StopRequested();
}

void JobConversion::RemoveTempFile(const std::string& nativePath) {
    // Removing a long dictation's file takes a while on some file systems: off the interface
    // thread, like every other long step.
    if (!nativePath.empty())
        AwaitInBackground(context_.loop, [&] { ::unlink(nativePath.c_str()); });
}

} // namespace convert
