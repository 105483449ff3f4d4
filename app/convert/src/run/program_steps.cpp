#include "convert/program_steps.h"

#include "convert/toolkit_vox_writer.h"

#include <unistd.h>

namespace convert {
namespace {

// The VOX save goes through the toolkit. The DSS converter, the wave conversion chain and the
// speech hand-off are not part of this build yet: their jobs fail with the texts those steps
// report when they cannot run, and the inputs stay waiting.
class ProgramSteps final : public ConversionSteps {
public:
    explicit ProgramSteps(const JobErrorReporter& errors)
        : errors_(errors) {}

    bool ConvertDssToWave(int rowIndex, const std::string& inputPath,
                          const std::string& tempWavePath) override {
        errors_.LogJobError(rowIndex, "Could not convert " + inputPath +
                                          " to .wav format in Windows temp folder");
        ::unlink(tempWavePath.c_str());
        return false;
    }
    bool ConvertWaveFile(const std::string&, const std::string&, const WaveFormat&) override {
        return false;
    }
    bool SpeechHandOff(int rowIndex, const SpeechJob&) override {
        errors_.LogJobError(rowIndex, "Error converting to PCM .wav format in Speech Rec folder");
        return false;
    }
    bool WriteVox(const std::string& pcmPath, const std::string& voxPath,
                  uint16_t formatCode) override {
        return WriteVoxWithToolkit(pcmPath, voxPath, formatCode);
    }

private:
    const JobErrorReporter& errors_;
};

} // namespace

std::unique_ptr<ConversionSteps> MakeProgramSteps(const shell::Settings&,
                                                  const JobErrorReporter& errors, ProgressView&,
                                                  EventLoop&) {
    return std::make_unique<ProgramSteps>(errors);
}

} // namespace convert
