// Changing the level of a stretch of samples by a gain in decibels.
#pragma once

#include <cstdint>

namespace editing {

// Multiplies samples[0..count) by 10^(gainDb / 20). Factors above 1 saturate at the 16-bit
// limits; every product is truncated toward zero. A gain that is not a number leaves the samples
// as they are (there is no factor to apply).
void amplifySamples(int16_t* samples, uint32_t count, double gainDb);

} // namespace editing
