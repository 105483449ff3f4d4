#pragma once
// The steps a conversion job hands its audio to: the DSS converter, the wave conversion chain,
// the speech-recognition hand-off and the toolkit's VOX save. The run sees them only through
// this interface, so the window, the command-line runner and the tests can each supply them
// (the tests inject failures here).

#include "convert/wave_format.h"

#include <cstdint>
#include <string>

namespace convert {

// What the speech hand-off is given for one job.
struct SpeechJob {
    std::string inputName;    // the input file name, shown in the progress window
    std::string tempWavePath; // the job's temporary wave file
    std::string outputPath;   // the job's output file (its name names the speech file)
    std::string userId;       // trimmed
    std::string outputDir;    // as stored
};

class ConversionSteps {
public:
    virtual ~ConversionSteps() = default;

    // Decodes the ".dss" input into tempWavePath (already ending in ".wav"). On failure the
    // step has reported the error for the row and deleted tempWavePath.
    virtual bool ConvertDssToWave(int rowIndex, const std::string& inputPath,
                                  const std::string& tempWavePath) = 0;

    // The same, with the converter reading the job's private copy of the input (native), so
    // that no program reads a shared folder through a name that may have become a link. Steps
    // that read nothing by name need not tell the two apart.
    virtual bool ConvertDssCopyToWave(int rowIndex, const std::string& inputPath,
                                      const std::string& nativeCopy,
                                      const std::string& tempWavePath) {
        static_cast<void>(nativeCopy);
        return ConvertDssToWave(rowIndex, inputPath, tempWavePath);
    }

    // Writes the source as a wave file in the target format. False when the destination does
    // not hold the whole converted sound (nothing is reported; the caller reports).
    virtual bool ConvertWaveFile(const std::string& source, const std::string& destination,
                                 const WaveFormat& target) = 0;

    // Gives the speech engine its copy and collects its texts. False after a failed
    // conversion, which the step has reported for the row.
    virtual bool SpeechHandOff(int rowIndex, const SpeechJob& job) = 0;

    // Opens the 16-bit PCM wave file and saves it as a VOX file in the encoding of formatCode
    // (7 u-law, 23 Dialogic ADPCM). Both paths are native. Runs on a worker thread, never on
    // the interface thread. False when the open or the save failed in any way; a partly
    // written file may then be left at voxPath for the caller to remove.
    virtual bool WriteVox(const std::string& pcmPath, const std::string& voxPath,
                          uint16_t formatCode) = 0;

    // Why the DSS conversion, the wave conversion, the speech copy or the VOX save failed last
    // (the converter's end, the chain's or the toolkit's reason), for the command-line runner's
    // line; empty when unknown.
    virtual std::string FailureDetail() const { return {}; }

    // What the wave conversions since the last call converted with a reservation, to be said
    // after the input's path ("is shorter than its header says": the source held less data
    // than its header declared, and what it held was converted); empty when nothing. Clears it.
    virtual std::string TakeConversionNotice() { return {}; }
};

} // namespace convert
