#include "convert/dss_conversion.h"

#include "convert/run_lock.h"

#include "files/partial_file.h"
#include "files/path_parts.h"
#include "platform/file_search.h"
#include "platform/paths.h"
#include "platform/programs.h"
#include "platform/safe_files.h"
#include "wavefile/converter_reason.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace convert {
namespace {

constexpr const char* kConverterName = "Dictconv";

bool isRegularFile(const std::string& nativePath) {
    struct stat status {};
    return ::stat(nativePath.c_str(), &status) == 0 && S_ISREG(status.st_mode);
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
    // How the platform reports a converter ended by a signal: 128 + the signal's number.
    constexpr int kSignalExitBase = 128;
    constexpr int kHighestSignal = 64;
    const std::string reason = wavefile::TakeConverterReason(nativeResult);
    if (!reason.empty())
        return reason;
    if (exitCode == 0)
        return std::string(kConverterName) + " left no result";
    if (exitCode > kSignalExitBase && exitCode <= kSignalExitBase + kHighestSignal)
        return std::string(kConverterName) + " was ended by signal " +
               std::to_string(exitCode - kSignalExitBase);
    return std::string(kConverterName) + " ended with exit code " + std::to_string(exitCode);
}

} // namespace

std::string ConverterFailureText(const std::string& inputPath, const std::string& reason) {
    return "Could not convert " + inputPath + " to .wav format (" + reason + ")";
}

std::string DefaultConverterPath() {
    return platform::executableFolder() + kConverterName;
}

DssConverter::DssConverter(const JobErrorReporter& errors, EventLoop& loop,
                           std::string converterPath, std::string resultPath)
    : errors_(errors)
    , loop_(loop)
    , converterPath_(std::move(converterPath))
    , resultPath_(std::move(resultPath)) {}

bool DssConverter::ConvertDssToWave(int rowIndex, const std::string& inputPath,
                                    const std::string& tempWavePath) {
    const std::string nativeResult = platform::resolvePath(resultPath_);
    const std::string nativeTemp = platform::resolvePath(tempWavePath);
    const std::string nativeInput = platform::resolvePath(inputPath);
    int exitCode = -1;
    // Without a folder for the lock there is none for the result either: the converter fails.
    const RunLock resultLock = AwaitInBackground(
        loop_, [&] { return RunLock::Acquire([] { return true; }, resultLockPath(nativeResult)); });
    removeEarlierResults(nativeResult);
    const bool started = AwaitInBackground(loop_, [&] {
        return platform::startProgram(converterPath_, {nativeInput}, true, &exitCode,
                                      platform::ProcessGroup::Own);
    });
    if (!started) {
        errors_.LogJobError(rowIndex, "Could not convert " + inputPath +
                                          " to .wav format in Windows temp folder");
        ::unlink(nativeTemp.c_str());
        return false;
    }
    // A converter that failed may still have left a file: it is not this job's result.
    std::string reason;
    if (exitCode == 0 && isRegularFile(nativeResult)) {
        if (takeResult(nativeResult, nativeTemp))
            return true;
        reason = "its result cannot be taken: " + std::string(std::strerror(errno));
    } else {
        reason = converterFailureReason(exitCode, nativeResult);
    }
    ::unlink(nativeResult.c_str());
    errors_.LogJobError(rowIndex, ConverterFailureText(inputPath, reason));
    ::unlink(nativeTemp.c_str());
    return false;
}

} // namespace convert
