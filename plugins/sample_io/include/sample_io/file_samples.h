// Turning the bytes a plug-in read from a file into the body's 16-bit samples, in place.
#pragma once

#include <cstdint>

namespace sample_io {

// `body` holds room for `sampleCount` samples and its first `byteCount` bytes hold the file's
// encoded samples in the encoding of `formatTag` and `bitsPerSample`: tag 1 with 16 bits is
// taken as it is, tag 1 with any other width is 8-bit unsigned PCM, 6 A-law, 7 u-law and 23
// Dialogic ADPCM (two samples per byte). The caller has checked the tag.
void decodeFileBytes(uint16_t formatTag, uint16_t bitsPerSample, int16_t* body, uint32_t byteCount,
                     uint32_t sampleCount);

} // namespace sample_io
