#include "wav/wav_formats.h"

#include "common/plugin_contract.h"

namespace wav {

const WavFormat* findWavFormat(uint16_t formatTag, uint16_t bitsPerSample) {
    for (const WavFormat& format : wavFormats) {
        if (format.formatTag == formatTag && format.bitsPerSample == bitsPerSample) {
            return &format;
        }
    }
    return nullptr;
}

// A PCM header with a width other than 8 or 16 is written as 8-bit PCM, and the file then says
// 8 bits: a header field that disagreed with the samples would make the file unreadable.
const WavFormat* formatToWrite(uint16_t formatTag, uint16_t bitsPerSample) {
    if (formatTag == FORMAT_TAG_PCM) {
        return &wavFormats[bitsPerSample == 16 ? 0 : 1];
    }
    for (const WavFormat& format : wavFormats) {
        if (format.formatTag == formatTag) {
            return &format;
        }
    }
    return nullptr;
}

uint16_t preselectedIndex(uint16_t formatTag, uint16_t bitsPerSample) {
    const WavFormat* format = formatToWrite(formatTag, bitsPerSample);
    return format ? static_cast<uint16_t>(format - wavFormats.data()) : 0;
}

} // namespace wav
