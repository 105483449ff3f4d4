#include "convert/program_steps.h"

#include "convert/dss_conversion.h"
#include "convert/speech_handoff.h"
#include "convert/toolkit_vox_writer.h"
#include "convert/wave_conversion.h"

#include <utility>

namespace convert {
namespace {

// The DSS converter program, the wave conversion chain, the speech hand-off with real pauses,
// and the VOX save through the toolkit.
class ProgramSteps final : public ConversionSteps {
public:
    ProgramSteps(const shell::Settings& settings, const JobErrorReporter& errors,
                 ProgressView& progress, EventLoop& loop, const WaitEnds& ends)
        : converter_(loop, progress)
        , dss_(errors, loop, DefaultConverterPath(), kConverterResultPath, ends.stop)
        , pauses_(loop, ends.stop)
        , speech_(settings, converter_, errors, progress, loop, pauses_, ends) {}

    bool ConvertDssToWave(int rowIndex, const std::string& inputPath,
                          const std::string& tempWavePath) override {
        const bool converted = dss_.ConvertDssToWave(rowIndex, inputPath, tempWavePath);
        keepDssReason();
        return converted;
    }
    bool ConvertDssCopyToWave(int rowIndex, const std::string& inputPath,
                              const std::string& nativeCopy,
                              const std::string& tempWavePath) override {
        const bool converted = dss_.ConvertDssToWave(rowIndex, inputPath, tempWavePath, nativeCopy);
        keepDssReason();
        return converted;
    }
    // The run's intermediate file, in its private temporary folder: read back at once and
    // removed, it need not reach the disk.
    bool ConvertWaveFile(const std::string& source, const std::string& destination,
                         const WaveFormat& target) override {
        const bool converted =
            converter_.ConvertWaveFile(source, destination, target, wavefile::Publication::Private);
        detail_ = converter_.LastError();
        keepNotice();
        return converted;
    }
    bool SpeechHandOff(int rowIndex, const SpeechJob& job) override {
        const bool handedOff = speech_.Run(rowIndex, job.inputName, job.tempWavePath,
                                           job.outputPath, job.userId, job.outputDir);
        detail_ = converter_.LastError();
        keepNotice();
        return handedOff;
    }
    // Runs on a worker thread; the run reads the detail only after it has ended.
    bool WriteVox(const std::string& pcmPath, const std::string& voxPath,
                  uint16_t formatCode) override {
        detail_.clear();
        return WriteVoxWithToolkit(pcmPath, voxPath, formatCode, &detail_);
    }
    std::string FailureDetail() const override { return detail_; }
    std::string TakeConversionNotice() override { return std::exchange(notice_, {}); }

private:
    void keepDssReason() { detail_ = dss_.ReasonInJobText() ? std::string() : dss_.LastError(); }
    void keepNotice() {
        if (!converter_.LastNotice().empty())
            notice_ = converter_.LastNotice();
    }

    WaveConverter converter_;
    DssConverter dss_;
    RealSpeechPauses pauses_;
    convert::SpeechHandOff speech_;
    std::string detail_;
    std::string notice_;
};

} // namespace

std::unique_ptr<ConversionSteps> MakeProgramSteps(const shell::Settings& settings,
                                                  const JobErrorReporter& errors,
                                                  ProgressView& progress, EventLoop& loop,
                                                  WaitEnds ends) {
    return std::make_unique<ProgramSteps>(settings, errors, progress, loop, ends);
}

} // namespace convert
