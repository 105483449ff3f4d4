#include "editing/amplify.h"

#include "editing/sample_math.h"

#include <cmath>

namespace editing {
namespace {

void scaleDown(int16_t* samples, uint32_t count, double factor) {
    for (uint32_t i = 0; i < count; ++i) {
        samples[i] = static_cast<int16_t>(samples[i] * factor);
    }
}

// The limits are computed once from the factor, so the products that are taken stay in range;
// an infinite factor gives limits of 0 and only a zero sample is multiplied (to 0).
void scaleUp(int16_t* samples, uint32_t count, double factor) {
    const int32_t high = static_cast<int32_t>(32767.0 / factor);
    const int32_t low = static_cast<int32_t>(-32768.0 / factor);
    for (uint32_t i = 0; i < count; ++i) {
        const int32_t x = samples[i];
        if (x > high) {
            samples[i] = 32767;
        } else if (x < low) {
            samples[i] = -32768;
        } else {
            samples[i] = clampToSample(x * factor);
        }
    }
}

} // namespace

void amplifySamples(int16_t* samples, uint32_t count, double gainDb) {
    if (std::isnan(gainDb)) {
        return;
    }
    const double factor = std::pow(10.0, 0.05 * gainDb);
    if (factor <= 1.0) {
        scaleDown(samples, count, factor);
    } else {
        scaleUp(samples, count, factor);
    }
}

} // namespace editing
