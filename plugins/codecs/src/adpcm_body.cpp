#include "codecs/adpcm.h"

#include "common/memory.h"
#include "common/message_sink.h"

#include <cstring>

namespace codecs {

// The samples are twice as wide as the codes they come from, so decoding forwards in place
// would overwrite codes not yet read: the codes are decoded from a copy.
bool decodeAdpcm(int16_t* body, uint32_t sampleCount) {
    if (sampleCount == 0)
        return true;
    const std::size_t codeBytes = (std::size_t{sampleCount} + 1) / 2;
    void* copy = nullptr;
    if (!common::allocateBuffer(&copy, codeBytes))
        return common::reportOutOfMemory();
    std::memcpy(copy, body, codeBytes);
    AdpcmState state;
    decodeAdpcmBlock(static_cast<const uint8_t*>(copy), sampleCount, body, state);
    common::freeBuffer(copy);
    return true;
}

} // namespace codecs
