#include "convert/dss_conversion.h"

#include "convert/run_lock.h"

#include "files/partial_file.h"
#include "files/path_parts.h"
#include "platform/file_search.h"
#include "platform/paths.h"
#include "platform/safe_files.h"
#include "platform/watched_program.h"
#include "wavefile/converter_reason.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace convert {
namespace {

using SteadyClock = std::chrono::steady_clock;
using ProgramEnd = platform::WatchedProgramEnd;

bool isRegularFile(const std::string& nativePath) {
    struct stat status {};
    return ::stat(nativePath.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

// A FIFO or a missing input counts as empty: the converter gets the base time.
std::uint64_t sizeOf(const std::string& nativePath) {
    struct stat status {};
    return ::stat(nativePath.c_str(), &status) == 0 && S_ISREG(status.st_mode)
               ? static_cast<std::uint64_t>(status.st_size)
               : 0;
}

// "30 s", "0.5 s".
std::string SecondsText(std::chrono::milliseconds duration) {
    const long long ms = duration.count();
    if (ms % 1000 == 0)
        return std::to_string(ms / 1000) + " s";
    char text[32];
    std::snprintf(text, sizeof text, "%.1f s", static_cast<double>(ms) / 1000);
    return text;
}

// How a converter that ran to its end without a result ended.
std::string ExitReason(int exitCode) {
    // How the platform reports a converter ended by a signal: 128 + the signal's number.
    constexpr int kSignalExitBase = 128;
    constexpr int kHighestSignal = 64;
    const std::string name = kConverterName;
    if (exitCode == 0)
        return name + " left no result";
    if (exitCode > kSignalExitBase && exitCode <= kSignalExitBase + kHighestSignal)
        return name + " was ended by signal " + std::to_string(exitCode - kSignalExitBase);
    return name + " ended with exit code " + std::to_string(exitCode);
}

std::string EndReason(const ProgramEnd& end, std::chrono::milliseconds limit) {
    const std::string name = kConverterName;
    switch (end.how) {
    case ProgramEnd::How::TimedOut:
        return name + " timed out after " + SecondsText(limit) + " and was killed";
    case ProgramEnd::How::Stopped:
        return "the conversion was stopped and " + name + " killed";
    case ProgramEnd::How::NotStarted:
        return std::strerror(end.error);
    case ProgramEnd::How::Exited:
        break;
    }
    return ExitReason(end.exitCode);
}

// The result file is one for every working folder below the drive root: runs of other
// folders (a window and an import-batch, two import-batch) take turns through this lock
// beside it, or one job would take another's result for its own.
std::string resultLockPath(const std::string& nativeResult) {
    return files::folderOf(nativeResult) + "/." + files::nameOf(nativeResult) + ".lock";
}

// A result left by an earlier run, its reason and the partial files of a converter that was
// killed must never be taken for this job's.
void removeEarlierResults(const std::string& nativeResult) {
    ::unlink(nativeResult.c_str());
    ::unlink(wavefile::ConverterReasonPath(nativeResult).c_str());
    const std::string folder = files::folderOf(nativeResult) + "/";
    const std::string partials = "." + files::nameOf(nativeResult) + ".*.part";
    for (const auto& entry : platform::findEntries(folder, partials))
        if (!entry.isDirectory && files::isPartialName(entry.name))
            ::unlink((folder + entry.name).c_str());
}

// Moves the converter's result to the job's temporary wave; across file systems by a copy.
bool takeResult(const std::string& nativeResult, const std::string& nativeTarget) {
    if (::rename(nativeResult.c_str(), nativeTarget.c_str()) == 0)
        return true;
    if (errno != EXDEV)
        return false;
    const bool copied = platform::copyFileSafely(nativeResult, nativeTarget, true) ==
                        files::PublishResult::Published;
    ::unlink(nativeResult.c_str());
    return copied;
}

// Why a converter that ran gave no result: its own reason when it left one, else how it ended.
std::string converterFailureReason(int exitCode, const std::string& nativeResult) {
    const std::string reason = wavefile::TakeConverterReason(nativeResult);
    return reason.empty() ? ExitReason(exitCode) : reason;
}

} // namespace

std::string ConverterFailureText(const std::string& inputPath, const std::string& reason) {
    return "Could not convert " + inputPath + " to .wav format (" + reason + ")";
}

DssConverter::DssConverter(const JobErrorReporter& errors, EventLoop& loop,
                           std::string converterPath, std::string resultPath,
                           std::function<bool()> stop)
    : errors_(errors)
    , loop_(loop)
    , converterPath_(std::move(converterPath))
    , resultPath_(std::move(resultPath))
    , stop_(std::move(stop)) {}

bool DssConverter::ConvertDssToWave(int rowIndex, const std::string& inputPath,
                                    const std::string& tempWavePath,
                                    const std::string& nativeSource) {
    const std::string nativeResult = platform::resolvePath(resultPath_);
    const std::string nativeTemp = platform::resolvePath(tempWavePath);
    const std::string nativeInput =
        nativeSource.empty() ? platform::resolvePath(inputPath) : nativeSource;
    const auto stopped = [this] { return stop_ && stop_(); };
    lastError_.clear();
    reasonInJobText_ = false;
    // Without a folder for the lock there is none for the result either: the converter fails.
    const SteadyClock::time_point lockDeadline = SteadyClock::now() + ResultLockWaitLimit();
    const RunLock resultLock = AwaitInBackground(loop_, [&] {
        return RunLock::Acquire([&] { return !stopped() && SteadyClock::now() < lockDeadline; },
                                resultLockPath(nativeResult));
    });
    ProgramEnd end;
    // Without the lock the result file is another conversion's: it is neither taken nor removed.
    const bool ran = resultLock.held() || resultLock.unavailable();
    if (ran) {
        removeEarlierResults(nativeResult);
        const platform::ProgramWatch watch{ConverterTimeLimit(sizeOf(nativeInput)), stop_};
        end = AwaitInBackground(loop_, [&] {
            return platform::runWatchedProgram(converterPath_, {nativeInput}, watch);
        });
        lastError_ = EndReason(end, watch.timeLimit);
    } else {
        lastError_ = stopped() ? "the conversion was stopped while another conversion's "
                                 "Dictconv held its result file"
                               : "another conversion's Dictconv held its result file for " +
                                     SecondsText(ResultLockWaitLimit());
    }
    // A stopped conversion is no failure of the job: it waits for the next run, unreported.
    if (stopped()) {
        if (ran)
            removeEarlierResults(nativeResult);
        ::unlink(nativeTemp.c_str());
        return false;
    }
    if (end.how == ProgramEnd::How::NotStarted) {
        errors_.LogJobError(rowIndex, "Could not convert " + inputPath +
                                          " to .wav format in Windows temp folder");
        ::unlink(nativeTemp.c_str());
        return false;
    }
    // A converter that failed may still have left a file: it is not this job's result.
    if (ran && end.exitCode == 0 && isRegularFile(nativeResult)) {
        if (takeResult(nativeResult, nativeTemp)) {
            lastError_.clear();
            return true;
        }
        lastError_ = "its result cannot be taken: " + std::string(std::strerror(errno));
    } else if (ran && end.how == ProgramEnd::How::Exited) {
        lastError_ = converterFailureReason(end.exitCode, nativeResult);
    }
    // A killed converter leaves its partial result behind.
    if (ran)
        removeEarlierResults(nativeResult);
    errors_.LogJobError(rowIndex, ConverterFailureText(inputPath, lastError_));
    reasonInJobText_ = true;
    ::unlink(nativeTemp.c_str());
    return false;
}

} // namespace convert
