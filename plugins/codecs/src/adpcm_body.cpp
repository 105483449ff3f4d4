#include "codecs/adpcm.h"

#include <cstring>

namespace codecs {

// The samples are four times as wide as the codes they come from, so decoding forwards from
// the start would overwrite codes not yet read. The codes are first moved to the end of the
// block: the samples of code k then end before code k + 1, so every code is read before a
// sample lands on it, and no second block is needed.
void decodeAdpcm(int16_t* body, uint32_t sampleCount) {
    if (sampleCount == 0)
        return;
    const std::size_t codeBytes = (std::size_t{sampleCount} + 1) / 2;
    const std::size_t bodyBytes = std::size_t{sampleCount} * 2;
    auto* bytes = reinterpret_cast<uint8_t*>(body);
    uint8_t* codes = bytes + bodyBytes - codeBytes;
    std::memmove(codes, bytes, codeBytes);
    AdpcmState state;
    decodeAdpcmBlock(codes, sampleCount, body, state);
}

} // namespace codecs
