#pragma once
// The canonical 44-byte header of a mono RIFF WAVE file: the RIFF header, a 16-byte "fmt "
// chunk and the header of the "data" chunk. The WAV plug-in, the wave conversion chain and the
// DSS converter all write this one header.

#include "abi/little_endian.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace abi {

inline constexpr std::size_t kRiffHeaderBytes = 12;
inline constexpr std::size_t kChunkHeaderBytes = 8;
inline constexpr std::size_t kFormatFieldBytes = 16;
inline constexpr std::size_t kCanonicalWaveHeaderBytes =
    kRiffHeaderBytes + kChunkHeaderBytes + kFormatFieldBytes + kChunkHeaderBytes;

using CanonicalWaveHeader = std::array<unsigned char, kCanonicalWaveHeaderBytes>;

// The RIFF size of such a file (36 + data size + the pad byte after a data chunk of odd size),
// which must fit 32 bits.
inline uint64_t riffSizeFor(uint64_t dataSize) {
    return kCanonicalWaveHeaderBytes - kChunkHeaderBytes + dataSize + (dataSize & 1u);
}

// The header of a mono file of `formatTag` with `bitsPerSample` at `sampleRate` whose data
// chunk holds `dataSize` bytes.
inline CanonicalWaveHeader canonicalWaveHeader(uint16_t formatTag, uint16_t bitsPerSample,
                                               uint32_t sampleRate, uint32_t dataSize) {
    CanonicalWaveHeader bytes{};
    unsigned char* at = bytes.data();
    std::memcpy(at, "RIFF", 4);
    writeLe32(at + 4, static_cast<uint32_t>(riffSizeFor(dataSize)));
    std::memcpy(at + 8, "WAVE", 4);
    std::memcpy(at + 12, "fmt ", 4);
    writeLe32(at + 16, kFormatFieldBytes);
    writeLe16(at + 20, formatTag);
    writeLe16(at + 22, 1); // channels
    writeLe32(at + 24, sampleRate);
    writeLe32(at + 28, static_cast<uint32_t>((uint64_t{bitsPerSample} * sampleRate) >> 3));
    // ADPCM packs two samples in a byte: 4 / 8 would give 0, a block is still one byte.
    writeLe16(at + 32, static_cast<uint16_t>(std::max(1, bitsPerSample / 8)));
    writeLe16(at + 34, bitsPerSample);
    std::memcpy(at + 36, "data", 4);
    writeLe32(at + 40, dataSize);
    return bytes;
}

} // namespace abi
