#include "wav_bytes.h"

#include <cstring>

namespace wavtest {

Bytes le16(uint16_t value) {
    return {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8)};
}

Bytes le32(uint32_t value) {
    return {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
            static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)};
}

Bytes concat(std::initializer_list<Bytes> parts) {
    Bytes joined;
    for (const Bytes& part : parts) {
        joined.insert(joined.end(), part.begin(), part.end());
    }
    return joined;
}

Bytes chunk(const char* id, const Bytes& body, std::optional<uint32_t> declaredSize, bool pad) {
    Bytes bytes(id, id + 4);
    const Bytes size = le32(declaredSize.value_or(static_cast<uint32_t>(body.size())));
    bytes.insert(bytes.end(), size.begin(), size.end());
    bytes.insert(bytes.end(), body.begin(), body.end());
    if (pad && body.size() % 2 != 0) {
        bytes.push_back(0);
    }
    return bytes;
}

Bytes formatBody(uint16_t formatTag, uint16_t channels, uint32_t sampleRate, uint16_t bitsPerSample,
                 std::size_t extra) {
    const uint16_t blockAlign = static_cast<uint16_t>(channels * bitsPerSample / 8);
    Bytes body = concat({le16(formatTag), le16(channels), le32(sampleRate),
                         le32(sampleRate * blockAlign), le16(blockAlign), le16(bitsPerSample)});
    body.resize(body.size() + extra, 0);
    return body;
}

Bytes riff(const Bytes& chunks, const char* form, const char* id) {
    Bytes bytes(id, id + 4);
    const Bytes size = le32(static_cast<uint32_t>(chunks.size() + 4));
    bytes.insert(bytes.end(), size.begin(), size.end());
    bytes.insert(bytes.end(), form, form + 4);
    bytes.insert(bytes.end(), chunks.begin(), chunks.end());
    return bytes;
}

Bytes simpleWav(uint16_t formatTag, uint16_t bitsPerSample, const Bytes& data,
                uint32_t sampleRate) {
    return riff(concat(
        {chunk("fmt ", formatBody(formatTag, 1, sampleRate, bitsPerSample)), chunk("data", data)}));
}

} // namespace wavtest
