#include "codecs/block_writer.h"

#include "codecs/adpcm.h"
#include "codecs/g711.h"
#include "codecs/pcm8.h"

#include "common/message_sink.h"
#include "common/plugin_contract.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace codecs {
namespace {

// Encodes one block into `out` and returns the number of bytes produced.
using BlockEncoder = std::size_t (*)(const int16_t* samples, uint32_t count, uint8_t* out,
                                     AdpcmState& state);

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

BlockEncoder findEncoder(uint16_t formatTag) {
    for (const BlockEncoding& encoding : blockEncodings)
        if (encoding.formatTag == formatTag)
            return encoding.encode;
    return nullptr;
}

bool reportUnsupportedTag(const common::PluginFile& file, uint16_t formatTag) {
    char text[128];
    std::snprintf(text, sizeof text, common::loadText(103), int{formatTag});
    return common::reportWithName(file.fileName(), text);
}

} // namespace

bool canEncode(uint16_t formatTag) {
    return findEncoder(formatTag) != nullptr;
}

bool writeEncodedBlocks(common::PluginFile& file, const int16_t* samples, uint32_t count,
                        uint16_t formatTag) {
    const BlockEncoder encode = findEncoder(formatTag);
    if (encode == nullptr)
        return reportUnsupportedTag(file, formatTag);
    std::array<uint8_t, encodeBlockSamples> buffer;
    AdpcmState state;
    for (uint32_t done = 0; done < count;) {
        const auto blockCount =
            static_cast<uint32_t>(std::min<std::size_t>(encodeBlockSamples, count - done));
        const std::size_t bytes = encode(samples + done, blockCount, buffer.data(), state);
        if (!file.write(buffer.data(), bytes))
            return false;
        done += blockCount;
    }
    return true;
}

} // namespace codecs
