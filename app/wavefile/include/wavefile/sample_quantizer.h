#pragma once
// Floats in [-1, 1] to 16-bit samples: scaled by 32768, rounded to the nearest (halves to the
// even neighbour), limited to the 16-bit range (a float source may go beyond it; a value that
// is not a number becomes 0). A 16-bit sample read as a float comes back unchanged. Written as
// plain comparisons so that the loop vectorises (the library is built without math errno).

#include <cmath>
#include <cstddef>
#include <cstdint>

namespace wavefile {

inline void QuantizeToPcm16(const float* input, std::size_t count, int16_t* output) {
    for (std::size_t i = 0; i < count; ++i) {
        float scaled = input[i] * 32768.0f;
        scaled = scaled == scaled ? scaled : 0.0f;
        scaled = scaled > 32767.0f ? 32767.0f : scaled;
        scaled = scaled < -32768.0f ? -32768.0f : scaled;
        output[i] = static_cast<int16_t>(std::lrint(scaled));
    }
}

} // namespace wavefile
