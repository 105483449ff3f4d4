#pragma once
// ConvertWaveFile: the wave format conversion chain. Reads any wave file that the ffmpeg program
// decodes (through wavefile's one reader), mixes it down to mono, resamples it and writes a RIFF
// wave file of 16-bit mono PCM at the target rate with the canonical 44-byte header. The audio
// streams block by block on a worker thread; the calling (interface) thread processes events until
// the chain has ended and shows the progress in the gauge whenever the percentage changes.

#include "convert/event_loop.h"
#include "convert/progress_view.h"
#include "convert/wave_format.h"
#include "wavefile/pcm16_wave_writer.h"
#include "wavefile/wave_file_io.h"

#include <string>

namespace convert {

// The header declared more data than the file held; what it held was converted.
inline constexpr const char* kShortSourceNotice = "is shorter than its header says";

class WaveConverter {
public:
    // The loop, the view and the file seam must outlive the converter.
    WaveConverter(EventLoop& loop, ProgressView& progress,
                  wavefile::WaveFileIo& io = wavefile::SystemWaveFileIo());
    ~WaveConverter();
    WaveConverter(const WaveConverter&) = delete;
    WaveConverter& operator=(const WaveConverter&) = delete;

    // source and destination are stored paths (resolved here); the destination is created or
    // replaced; a private destination (in the run's own temporary folder) is not flushed to the
    // disk. True when the destination holds the whole converted sound (of a source shorter
    // than its header says: all that it holds, with LastNotice set). False when the
    // source cannot be read or converted, or a read, decode or write fails on the way (a full
    // disk included): then no destination file is left behind.
    bool ConvertWaveFile(const std::string& source, const std::string& destination,
                         const WaveFormat& target,
                         wavefile::Publication publication = wavefile::Publication::Durable);

    // Why the last call failed, for logs and the command-line runner; empty after a success.
    const std::string& LastError() const { return lastError_; }
    // What the last successful call converted with a reservation (kShortSourceNotice); empty
    // when it converted the source as its header describes it.
    const std::string& LastNotice() const { return lastNotice_; }

private:
    bool convert(const std::string& nativeSource, const std::string& nativeDestination,
                 const WaveFormat& target, wavefile::Publication publication);
    void showProgress(int percent);

    EventLoop& loop_;
    ProgressView& progress_;
    wavefile::WaveFileIo& io_;
    std::string lastError_;
    std::string lastNotice_;
};

} // namespace convert
