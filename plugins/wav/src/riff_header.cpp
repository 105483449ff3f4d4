#include "riff_header.h"

#include "riff_bytes.h"

#include <algorithm>
#include <cstring>

namespace wav {

CanonicalHeader canonicalHeader(const WavFormat& format, uint32_t sampleRate, uint32_t dataSize) {
    CanonicalHeader bytes{};
    unsigned char* at = bytes.data();
    std::memcpy(at, "RIFF", 4);
    writeLe32(at + 4, static_cast<uint32_t>(riffSizeFor(dataSize)));
    std::memcpy(at + 8, "WAVE", 4);
    std::memcpy(at + 12, "fmt ", 4);
    writeLe32(at + 16, formatFieldBytes);
    writeLe16(at + 20, format.formatTag);
    writeLe16(at + 22, 1); // channels
    writeLe32(at + 24, sampleRate);
    writeLe32(at + 28, static_cast<uint32_t>((uint64_t{format.bitsPerSample} * sampleRate) >> 3));
    // ADPCM packs two samples in a byte: 4 / 8 would give 0, a block is still one byte.
    writeLe16(at + 32, static_cast<uint16_t>(std::max(1, format.bitsPerSample / 8)));
    writeLe16(at + 34, format.bitsPerSample);
    std::memcpy(at + 36, "data", 4);
    writeLe32(at + 40, dataSize);
    return bytes;
}

} // namespace wav
