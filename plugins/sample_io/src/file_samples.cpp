#include "sample_io/file_samples.h"

#include "codecs/adpcm.h"
#include "codecs/expand.h"

namespace sample_io {

void decodeFileBytes(uint16_t formatTag, uint16_t bitsPerSample, int16_t* body, uint32_t byteCount,
                     uint32_t sampleCount) {
    switch (formatTag) {
    case 1:
        if (bitsPerSample != 16) {
            codecs::expandInPlace(body, byteCount, codecs::pcm8Table);
        }
        return;
    case 6:
        codecs::expandInPlace(body, byteCount, codecs::alawTable);
        return;
    case 7:
        codecs::expandInPlace(body, byteCount, codecs::ulawTable);
        return;
    default:
        codecs::decodeAdpcm(body, sampleCount);
        return;
    }
}

} // namespace sample_io
