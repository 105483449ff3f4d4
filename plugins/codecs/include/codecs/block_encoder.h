// Encoding a block of samples into the bytes of a file encoding, chosen by format tag.
#pragma once

#include "codecs/adpcm.h"

#include <cstddef>
#include <cstdint>

namespace codecs {

// Encodes `count` samples into `out` and returns the number of bytes produced: one per sample
// for the 8-bit encodings, (count + 1) / 2 for ADPCM, which continues from and stores back
// `state` (the other encodings leave it alone).
using BlockEncoder = std::size_t (*)(const int16_t* samples, uint32_t count, uint8_t* out,
                                     AdpcmState& state);

// The encoder of tag 1 (8-bit unsigned PCM here), 6 (A-law), 7 (u-law) or 23 (Dialogic
// ADPCM); null for any other tag.
BlockEncoder findBlockEncoder(uint16_t formatTag);

} // namespace codecs
