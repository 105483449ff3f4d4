#pragma once
// Decodes the audio of a DSS file (DSS SP or DSS LP) with FFmpeg's demuxer and decoders into
// 16-bit mono samples at the decoder's own rate, reading the file through its descriptor.

#include <cstddef>
#include <cstdint>
#include <string>

namespace dictconv {

class PcmSink {
public:
    virtual ~PcmSink() = default;
    // Called once, before the first samples. False stops the decoding.
    virtual bool Begin(uint32_t sampleRate) = 0;
    // False stops the decoding.
    virtual bool Write(const int16_t* samples, std::size_t count) = 0;
};

enum class DecodeOutcome { Decoded, Damaged, NoAudio, SinkFailed };

struct DecodeResult {
    DecodeOutcome outcome = DecodeOutcome::Damaged;
    std::string reason;
    uint64_t samples = 0;
};

// fd is an open DSS file whose layout has been checked; it is read from its start.
DecodeResult DecodeDss(int fd, PcmSink& sink);

} // namespace dictconv
