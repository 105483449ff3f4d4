// The final step of resampling: linear interpolation from one integer rate to another.
#pragma once

#include <cstdint>

namespace editing {

// truncate(to / from * count): the length after interpolation; may exceed 32 bits.
uint64_t interpolatedLength(uint32_t from, uint32_t to, uint32_t count);

// Writes outCount samples (outCount >= 1 needs count >= 1). Output 0 is input 0; output i takes
// the time t = i steps of 1/to (a running sum), j = truncate(t * from), and
// x[j] + (t - j / from) * (x[j + 1] - x[j]) * from. The neighbour past the last input sample is
// that sample itself, so nothing is read past the block.
void interpolate(const int16_t* in, uint32_t count, uint32_t from, uint32_t to, int16_t* out,
                 uint32_t outCount);

} // namespace editing
