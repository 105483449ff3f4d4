// The canonical 44-byte header the plug-in writes: RIFF header, a 16-byte "fmt " chunk and the
// header of the "data" chunk.
#pragma once

#include "wav/wav_formats.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace wav {

inline constexpr std::size_t riffHeaderBytes = 12;
inline constexpr std::size_t chunkHeaderBytes = 8;
inline constexpr std::size_t formatFieldBytes = 16;
inline constexpr std::size_t canonicalHeaderBytes =
    riffHeaderBytes + chunkHeaderBytes + formatFieldBytes + chunkHeaderBytes;

using CanonicalHeader = std::array<unsigned char, canonicalHeaderBytes>;

// The header of a mono file in `format` at `sampleRate` whose data chunk holds `dataSize`
// bytes. The RIFF size counts the pad byte that follows a data chunk of odd size.
CanonicalHeader canonicalHeader(const WavFormat& format, uint32_t sampleRate, uint32_t dataSize);

// The RIFF size of such a file (36 + data size + pad), which must fit 32 bits.
inline uint64_t riffSizeFor(uint64_t dataSize) {
    return canonicalHeaderBytes - chunkHeaderBytes + dataSize + (dataSize & 1u);
}

} // namespace wav
