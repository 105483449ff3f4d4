#include "codecs/block_encoder.h"

#include "abi/sound_header.h"

#include "codecs/g711.h"
#include "codecs/pcm8.h"

#include <array>

namespace codecs {
namespace {

template <uint8_t (*encode)(int16_t)>
std::size_t encodeBytes(const int16_t* samples, uint32_t count, uint8_t* out, AdpcmState&) {
    for (uint32_t i = 0; i < count; ++i)
        out[i] = encode(samples[i]);
    return count;
}

std::size_t encodeAdpcm(const int16_t* samples, uint32_t count, uint8_t* out, AdpcmState& state) {
    encodeAdpcmBlock(samples, count, out, state);
    return (std::size_t{count} + 1) / 2;
}

struct BlockEncoding {
    uint16_t formatTag;
    BlockEncoder encode;
};

constexpr std::array<BlockEncoding, 4> blockEncodings = {{
    {FORMAT_TAG_PCM, encodeBytes<encodePcm8>},
    {FORMAT_TAG_ALAW, encodeBytes<encodeAlaw>},
    {FORMAT_TAG_MULAW, encodeBytes<encodeUlaw>},
    {FORMAT_TAG_DIALOGIC_ADPCM, encodeAdpcm},
}};

} // namespace

BlockEncoder findBlockEncoder(uint16_t formatTag) {
    for (const BlockEncoding& encoding : blockEncodings)
        if (encoding.formatTag == formatTag)
            return encoding.encode;
    return nullptr;
}

} // namespace codecs
