#include "sample_io/encoded_writer.h"

#include "codecs/block_encoder.h"
#include "common/message_sink.h"
#include "textpack/string_ids.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <utility>

namespace sample_io {
namespace {

bool reportUnsupportedTag(const common::PluginFile& file, uint16_t formatTag) {
    char text[128];
    std::snprintf(text, sizeof text, common::loadText(TEXT_ID_UNSUPPORTED_TAG), int{formatTag});
    return common::reportWithName(file.fileName(), text);
}

} // namespace

bool writeEncodedBlocks(common::PluginFile& file, const int16_t* samples, uint32_t count,
                        uint16_t formatTag) {
    const codecs::BlockEncoder encode = codecs::findBlockEncoder(formatTag);
    if (encode == nullptr) {
        return reportUnsupportedTag(file, formatTag);
    }
    std::array<uint8_t, encodeBlockSamples * blocksPerWrite> buffer;
    std::size_t buffered = 0;
    codecs::AdpcmState state;
    for (uint32_t done = 0; done < count;) {
        const auto blockCount =
            static_cast<uint32_t>(std::min<std::size_t>(encodeBlockSamples, count - done));
        buffered += encode(samples + done, blockCount, buffer.data() + buffered, state);
        done += blockCount;
        const bool full = buffered + encodeBlockSamples > buffer.size();
        if ((full || done == count) && !file.write(buffer.data(), std::exchange(buffered, 0))) {
            return false;
        }
    }
    return true;
}

} // namespace sample_io
