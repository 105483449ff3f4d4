#include "codecs/expand.h"

#include <cstring>

namespace codecs {
namespace {

constexpr uint32_t chunk = 8;

// The samples of bytes first.. land at byte 2 * first and above, never below `first`, so the
// bytes still to be read are untouched as long as each chunk is read before it is stored.
void expandChunk(uint8_t* body, uint32_t first, const int16_t* table) {
    uint8_t in[chunk];
    std::memcpy(in, body + first, chunk);
    int16_t out[chunk];
    for (uint32_t k = 0; k < chunk; ++k)
        out[k] = table[in[k]];
    std::memcpy(body + 2 * std::size_t{first}, out, sizeof out);
}

void expandOne(uint8_t* body, uint32_t index, const int16_t* table) {
    const int16_t sample = table[body[index]];
    std::memcpy(body + 2 * std::size_t{index}, &sample, sizeof sample);
}

} // namespace

void expandInPlace(void* body, uint32_t count, const DecodingTable& table) {
    auto* bytes = static_cast<uint8_t*>(body);
    uint32_t i = count;
    while (i % chunk != 0)
        expandOne(bytes, --i, table.data());
    while (i > 0) {
        i -= chunk;
        expandChunk(bytes, i, table.data());
    }
}

} // namespace codecs
