// 8-bit unsigned PCM: the high byte of the offset-binary sample.
#pragma once

#include <cstdint>

namespace codecs {

// Truncates: -32768 gives 0, -1 gives 127, 0 gives 128, 32767 gives 255.
inline uint8_t encodePcm8(int16_t sample) {
    return static_cast<uint8_t>((sample + 32768) >> 8);
}

} // namespace codecs
