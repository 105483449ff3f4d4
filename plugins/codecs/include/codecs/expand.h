// Expansion of a freshly read 8-bit file into 16-bit samples in the same block.
#pragma once

#include "codecs/decoding_tables.h"

#include <cstdint>

namespace codecs {

// `body` holds room for `count` 16-bit samples and its first `count` bytes hold the file's
// bytes. Sample i becomes table[byte i]. Runs from the last byte to the first, so no byte is
// overwritten before it has been read. A count of 0 does nothing (body may then be null).
void expandInPlace(void* body, uint32_t count, const DecodingTable& table);

} // namespace codecs
