#include "format_code.h"

#include "common/plugin_contract.h"

namespace quiesc {

void applyFormatCode(SoundHeader& header, uint32_t formatCode, uint32_t rate) {
    const auto code = static_cast<uint16_t>(formatCode & 0xFFFF);
    switch (code) {
    case QC_FORMAT_PCM8:
        header.formatTag = FORMAT_TAG_PCM;
        header.bitsPerSample = 8;
        break;
    case QC_FORMAT_PCM16:
        header.formatTag = FORMAT_TAG_PCM;
        header.bitsPerSample = 16;
        break;
    default:
        header.formatTag = code;
        header.bitsPerSample = 0;
        break;
    }
    header.sampleRate = rate;
}

} // namespace quiesc
