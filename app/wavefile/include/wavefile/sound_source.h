#pragma once
// The one reader of recordings: the conversion chain, the DSS converter and the player all decode
// through it. A source gives the sound block by block, mixed down to mono (the channels
// averaged).
//
// Wave files: libsndfile parses every RIFF WAVE file (RIFF, RIFX, RF64, extensible headers, PCM
// of 8 to 64 bits, float, any channel count, the compressed encodings it knows); what it refuses
// FFmpeg's demuxer and decoders read (the older speech codecs, data before the format chunk,
// odd layouts); Dialogic ADPCM (format tag 23) is demuxed by FFmpeg and decoded by our own
// codec, as the VOX plug-in decodes it. DSS dictations: FFmpeg's DSS SP and DSS LP decoders
// after our own check of the file's layout.

#include "files/unique_fd.h"
#include "wavefile/wave_file_io.h"

#include <cstdint>
#include <memory>
#include <string>

namespace wavefile {

// About this many bytes of the source are decoded per block.
inline constexpr std::size_t kSourceBlockBytes = 4096;

// The sample rates a source may have. Below the lowest, resampling to a target would blow a
// short file up into a huge one (a header claiming 1 Hz makes 8000 samples of every sample);
// above the highest, no recorder writes.
inline constexpr uint32_t kLowestSourceRate = 1000;
inline constexpr uint32_t kHighestSourceRate = 768000;

class SoundSource {
public:
    virtual ~SoundSource() = default;
    // Decodes the next block (BlockFrames() frames at most, possibly fewer before the end) into
    // `mono`, which holds BlockFrames() floats, scaled so that full scale is 1 (a float source
    // may go beyond). The frames decoded; 0 at the end of the data; -1 on a read or decode
    // failure, with the reason in Error().
    virtual long ReadBlock(float* mono) = 0;
    // True when the decoder's own output is 16-bit mono (PCM, G.711, the ADPCMs, GSM and the DSS
    // codecs of one channel): such a source can be written as decoded, sample for sample.
    virtual bool DecodesToPcm16Mono() const = 0;
    // As ReadBlock, the decoder's 16-bit samples themselves; only where DecodesToPcm16Mono.
    virtual long ReadPcm16Block(int16_t* mono) = 0;
    virtual long BlockFrames() const = 0;
    virtual uint32_t SampleRate() const = 0;
    // The frames of the whole sound as far as the header tells (an estimate for some encodings,
    // 0 when unknown); progress is counted against it.
    virtual int64_t TotalFrames() const = 0;

    // The header declares more data than the file holds: the source ends with what is there.
    // Final once the source has been read to its end (FFmpeg's path knows it only then).
    bool ShorterThanHeader() const { return shorterThanHeader_; }
    const std::string& Error() const { return error_; }

protected:
    std::string error_;
    bool shorterThanHeader_ = false;
};

enum class RecordingKind { Wave, Dss };

// ".dss" in any case is a DSS dictation; any other name a wave file.
RecordingKind RecordingKindOf(const std::string& fileName);

// Opens a recording from its open file, which the source keeps. Null, with the reason in
// `error`, when the file is not a recording of that kind any decoder reads, or its sample rate
// lies outside kLowestSourceRate to kHighestSourceRate. Every read goes through `io`, which
// must outlive the source.
std::unique_ptr<SoundSource> OpenSoundSource(files::UniqueFd file, RecordingKind kind,
                                             WaveFileIo& io, std::string& error);

// Opens the native path for reading (a FIFO or device is refused, never waited on), then as
// OpenSoundSource.
std::unique_ptr<SoundSource> OpenSoundFile(const std::string& nativePath, RecordingKind kind,
                                           std::string& error, WaveFileIo& io = SystemWaveFileIo());

// Frames in about kSourceBlockBytes of data whose frames take `bytesPerFrame` on average.
long FramesPerSourceBlock(double bytesPerFrame);

} // namespace wavefile
