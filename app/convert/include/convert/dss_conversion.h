#pragma once
// ConvertDssToWave: runs the DSS converter program ("Dictconv" beside the program) on a ".dss"
// input and takes its result, the wave file it leaves at "c:\tmp.wav", into the job's
// temporary wave file.

#include "convert/event_loop.h"
#include "convert/job_error_reporter.h"

#include <string>

namespace convert {

// The converter's fixed result file, a stored path.
inline constexpr const char* kConverterResultPath = "c:\\tmp.wav";

// Native path of the converter beside the running program.
std::string DefaultConverterPath();

// The job's text when the converter ran but gave no result: the input named, and why (the
// converter's own reason where it left one).
std::string ConverterFailureText(const std::string& inputPath, const std::string& reason);

class DssConverter {
public:
    // The reporter and the loop must outlive the converter. converterPath is native;
    // resultPath is stored (resolved at each use).
    DssConverter(const JobErrorReporter& errors, EventLoop& loop,
                 std::string converterPath = DefaultConverterPath(),
                 std::string resultPath = kConverterResultPath);

    // inputPath and tempWavePath (already ending in ".wav") are stored paths. Any earlier
    // result file is removed first, so that a stale one is never taken for this job's. The
    // converter runs while the interface thread processes events. True when its result is now
    // at tempWavePath. On failure the error has been reported for the row through LogJobError
    // and tempWavePath is deleted.
    bool ConvertDssToWave(int rowIndex, const std::string& inputPath,
                          const std::string& tempWavePath);

private:
    const JobErrorReporter& errors_;
    EventLoop& loop_;
    std::string converterPath_;
    std::string resultPath_;
};

} // namespace convert
