#pragma once
// SpeechHandOff: gives the speech-recognition engine a 16-bit mono PCM copy of the dictation
// at 11025 samples per second in its input folder, waits until the engine has taken it, and
// moves the engine's text files next to the output or into the "Documents" folder.

#include "config/settings.h"
#include "convert/event_loop.h"
#include "convert/job_error_reporter.h"
#include "convert/progress_view.h"
#include "convert/wait_ends.h"
#include "convert/wave_conversion.h"

#include <chrono>
#include <string>

namespace convert {

// The hand-off's pauses (one second between checks for the taken file, three seconds before
// the texts are moved), behind a seam so that tests never wait for real seconds.
class SpeechPauses {
public:
    virtual ~SpeechPauses() = default;
    virtual void Pause(std::chrono::milliseconds duration) = 0;
};

// Waits for real while the interface thread processes events, so that the window repaints
// and takes Cancel during the engine's minutes; a stop (any thread) ends a pause at once. The
// loop must outlive the pauses.
class RealSpeechPauses final : public SpeechPauses {
public:
    explicit RealSpeechPauses(EventLoop& loop, std::function<bool()> stop = {})
        : loop_(loop)
        , stop_(std::move(stop)) {}
    void Pause(std::chrono::milliseconds duration) override;

private:
    EventLoop& loop_;
    std::function<bool()> stop_;
};

class SpeechHandOff {
public:
    // Everything referenced must outlive the hand-off; the settings are read at each call.
    SpeechHandOff(const shell::Settings& settings, WaveConverter& converter,
                  const JobErrorReporter& errors, ProgressView& progress, EventLoop& loop,
                  SpeechPauses& pauses, WaitEnds ends = {});

    // All paths are stored paths. inputName is the job's input file name (shown in the
    // progress window). True when the speech file was written, whatever happened afterwards;
    // false after a failed conversion, which has been reported for the row. A stop or Cancel
    // ends the wait for the engine (checked once a second); the texts then stay for the next
    // job's hand-off.
    bool Run(int rowIndex, const std::string& inputName, const std::string& tempWavePath,
             const std::string& outputPath, const std::string& userId,
             const std::string& outputDir);

private:
    const shell::Settings& settings_;
    WaveConverter& converter_;
    const JobErrorReporter& errors_;
    ProgressView& progress_;
    EventLoop& loop_;
    SpeechPauses& pauses_;
    WaitEnds ends_;
};

} // namespace convert
