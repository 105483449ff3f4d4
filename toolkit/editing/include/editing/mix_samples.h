// Mixing two blocks of samples with their constant offsets removed.
#pragma once

#include <cstdint>

namespace editing {

// The sum of the samples divided by their number, truncated toward zero; 0 for no samples.
int32_t sampleMean(const int16_t* samples, uint32_t count);

// out[i] = (1 - weight) * (a[i] - mean a) + weight * (b[i] - mean b), clamped to 16 bits and
// truncated, for i below max(countA, countB); the shorter input continues as silence (0, not its
// negated mean). A result that is not a number (a weight that is not one) becomes 0.
void mixSamples(const int16_t* a, uint32_t countA, const int16_t* b, uint32_t countB, double weight,
                int16_t* out);

} // namespace editing
