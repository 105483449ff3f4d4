#pragma once
// Synthetic DSS files for the tests, the fuzzer's seeds and the benchmarks, built from the
// container's public layout: version byte and "dss", a header of 512 bytes per version with
// the author at 0x0C, the record start and end at 0x26 and 0x32 and the codec at 0x2A4, then
// the audio in 512-byte blocks of a 6-byte block header and 506 bytes of frames that run
// across the block borders. The frames are pseudo-random bytes: they decode to noise of a
// length that follows from the frame count.

#include <cstdint>
#include <random>
#include <string>

namespace dss_test {

inline constexpr std::size_t kBlockBytes = 512;
inline constexpr std::size_t kBlockHeaderBytes = 6;
inline constexpr std::size_t kStandardPlayFrameBytes = 42;

enum class Codec { StandardPlay = 0, LongPlay = 2 };

// What a generated DSS file holds: its header fields and how many frames of which codec.
struct DssShape {
    int version = 2;
    Codec codec = Codec::StandardPlay;
    std::size_t frames = 100;
    uint32_t seed = 1;
    std::string author = "JSMITH";
    std::string recordStart = "240315093000";
    std::string recordEnd = "240315093512";
};

// Long-play frame lengths by the low two bits of the frame's first byte.
inline std::size_t LongPlayFrameBytes(unsigned char first) {
    static constexpr std::size_t lengths[4] = {24, 20, 4, 1};
    return lengths[first & 3u];
}

inline std::string DssHeader(const DssShape& shape) {
    std::string header(kBlockBytes * static_cast<std::size_t>(shape.version), '\0');
    header[0] = static_cast<char>(shape.version);
    header.replace(1, 3, "dss");
    header.replace(0x0C, std::min<std::size_t>(shape.author.size(), 16), shape.author, 0, 16);
    header.replace(0x26, 12, shape.recordStart, 0, 12);
    header.replace(0x32, 12, shape.recordEnd, 0, 12);
    header[0x2A4] = static_cast<char>(shape.codec);
    return header;
}

// The frames' bytes, one after the other.
inline std::string DssFrames(const DssShape& shape) {
    std::mt19937 random(shape.seed);
    std::uniform_int_distribution<int> byte(0, 255);
    std::string frames;
    for (std::size_t i = 0; i < shape.frames; ++i) {
        if (shape.codec == Codec::StandardPlay) {
            for (std::size_t b = 0; b < kStandardPlayFrameBytes; ++b)
                frames.push_back(static_cast<char>(byte(random)));
            continue;
        }
        unsigned char first = static_cast<unsigned char>(byte(random));
        if (first == 0xFF)
            first = 0xFE; // a first byte of 0xFF marks an invalid frame
        frames.push_back(static_cast<char>(first));
        for (std::size_t b = 1; b < LongPlayFrameBytes(first); ++b)
            frames.push_back(static_cast<char>(byte(random)));
    }
    return frames;
}

// The frames laid into blocks; the last block is filled up with `fill`.
inline std::string DssAudioBlocks(const std::string& frames, char fill = '\0') {
    const std::size_t payload = kBlockBytes - kBlockHeaderBytes;
    std::string audio;
    for (std::size_t at = 0; at < frames.size(); at += payload) {
        std::string block(kBlockHeaderBytes, '\0');
        block[2] = 1; // a plausible block header: the index of the first frame of the block
        block += frames.substr(at, payload);
        block.resize(kBlockBytes, fill);
        audio += block;
    }
    return audio;
}

inline std::string DssFile(const DssShape& shape) {
    return DssHeader(shape) + DssAudioBlocks(DssFrames(shape));
}

} // namespace dss_test
