#pragma once
// ConvertDssToWave: runs the DSS converter program ("Dictconv" beside the program) on a ".dss"
// input and takes its result, the wave file it leaves at "c:\tmp.wav", into the job's
// temporary wave file.

#include "convert/event_loop.h"
#include "convert/job_error_reporter.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

namespace convert {

// The converter's fixed result file, a stored path.
inline constexpr const char* kConverterResultPath = "c:\\tmp.wav";
// The converter program beside ours, and the name its failures are told under.
inline constexpr const char* kConverterName = "Dictconv";

// Native path of the converter: $IMPORT_DICTCONV when set (a stand-in, a converter installed
// elsewhere), else "Dictconv" beside the running program.
std::string DefaultConverterPath();

// How long the converter may run on an input of this many bytes before it is killed: a base of
// 30 seconds ($IMPORT_DICTCONV_TIME_LIMIT seconds when set to a positive number) plus 2 seconds
// per megabyte (2^20 bytes).
std::chrono::milliseconds ConverterTimeLimit(std::uint64_t inputBytes);

// How long a job waits for the result file's lock, which another run's converter holds at most
// for its own time limit: ten times the base (5 minutes by default).
std::chrono::milliseconds ResultLockWaitLimit();

// The job's text when the converter ran but gave no result: the input named, and why (the
// converter's own reason where it left one).
std::string ConverterFailureText(const std::string& inputPath, const std::string& reason);

class DssConverter {
public:
    // The reporter and the loop must outlive the converter. converterPath is native;
    // resultPath is stored (resolved at each use). stop (any thread; may be empty) ends the
    // waits for the result lock and for the converter, which is then killed.
    DssConverter(const JobErrorReporter& errors, EventLoop& loop,
                 std::string converterPath = DefaultConverterPath(),
                 std::string resultPath = kConverterResultPath, std::function<bool()> stop = {});

    // inputPath and tempWavePath (already ending in ".wav") are stored paths. Any earlier
    // result file is removed first, so that a stale one is never taken for this job's. The
    // converter runs in a process group of its own while the interface thread processes
    // events, and is killed with its group when its time limit passes or a stop comes. True
    // when its result is now at tempWavePath. On failure the error has been reported for the
    // row through LogJobError, LastError() says why, and tempWavePath is deleted. nativeSource,
    // when given, is the file the converter reads instead of inputPath's (a private copy of it).
    bool ConvertDssToWave(int rowIndex, const std::string& inputPath,
                          const std::string& tempWavePath, const std::string& nativeSource = {});

    // Why the last conversion failed ("Dictconv timed out after 30 s and was killed", the
    // system's reason); empty after a success.
    const std::string& LastError() const { return lastError_; }
    // Whether the row's text already says LastError() (a converter that ran and failed), so
    // that a report does not repeat it.
    bool ReasonInJobText() const { return reasonInJobText_; }

private:
    const JobErrorReporter& errors_;
    EventLoop& loop_;
    std::string converterPath_;
    std::string resultPath_;
    std::function<bool()> stop_;
    std::string lastError_;
    bool reasonInJobText_ = false;
};

} // namespace convert
