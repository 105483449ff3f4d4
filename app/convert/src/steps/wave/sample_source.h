#pragma once
// A source's sound, decoded block by block and mixed down to mono as floats in [-1, 1].

#include "riff_wave_scan.h"
#include "wavefile/wave_file_io.h"

#include <cstdint>
#include <memory>
#include <string>

namespace convert::steps {

// About this many bytes of the source are decoded per block.
inline constexpr std::size_t kSourceBlockBytes = 4096;

class SampleSource {
public:
    virtual ~SampleSource() = default;
    // Decodes the next block (BlockFrames() frames at most) into `mono`, which holds that
    // many floats. The frames decoded; 0 at the end of the data; -1 on a read or decode
    // failure, with the reason in Error().
    virtual long ReadBlock(float* mono) = 0;
    // True when the decoder's own output is 16-bit mono (PCM, G.711, the ADPCMs, GSM of one
    // channel): such a source at the target rate is written as decoded, sample for sample.
    virtual bool DecodesToPcm16Mono() const = 0;
    // As ReadBlock, the decoder's 16-bit samples themselves; only where DecodesToPcm16Mono.
    virtual long ReadPcm16Block(int16_t* mono) = 0;
    virtual long BlockFrames() const = 0;
    virtual uint32_t SampleRate() const = 0;
    // The frames of the whole data as the header declares them (the progress counts against it).
    virtual int64_t TotalFrames() const = 0;
    const std::string& Error() const { return error_; }

protected:
    std::string error_;
};

// Frames in about kSourceBlockBytes of data whose frames take `bytesPerFrame` on average.
long FramesPerSourceBlock(double bytesPerFrame);

// The sample rates a source may have. Below the lowest, resampling to the target would blow a
// short file up into a huge one (a header claiming 1 Hz makes 8000 samples of every sample);
// above the highest, no recorder writes.
inline constexpr uint32_t kLowestSourceRate = 1000;
inline constexpr uint32_t kHighestSourceRate = 768000;

// Opens the source for the layout that was scanned from its header: Dialogic OKI ADPCM with
// our own decoder, every other encoding through libsndfile. The file descriptor must stay open
// for the source's lifetime. Null, with the reason in `error`, when the encoding is not
// supported, the decoder refuses the file or its sample rate is out of range.
std::unique_ptr<SampleSource> OpenSampleSource(wavefile::WaveFileIo& io, int fd,
                                               const RiffWaveInfo& layout, std::string& error);

// The two kinds, for tests and the fuzzers.
std::unique_ptr<SampleSource> OpenOkiAdpcmSource(wavefile::WaveFileIo& io, int fd,
                                                 const RiffWaveInfo& layout, std::string& error);
std::unique_ptr<SampleSource> OpenSndfileSource(wavefile::WaveFileIo& io, int fd,
                                                const RiffWaveInfo& layout, std::string& error);

} // namespace convert::steps
