#include "editing/mix_samples.h"

#include "editing/sample_math.h"

#include <algorithm>

namespace editing {

int32_t sampleMean(const int16_t* samples, uint32_t count) {
    if (count == 0) {
        return 0;
    }
    int64_t sum = 0;
    for (uint32_t i = 0; i < count; ++i) {
        sum += samples[i];
    }
    return static_cast<int32_t>(sum / static_cast<int64_t>(count));
}

void mixSamples(const int16_t* a, uint32_t countA, const int16_t* b, uint32_t countB, double weight,
                int16_t* out) {
    const int32_t meanA = sampleMean(a, countA);
    const int32_t meanB = sampleMean(b, countB);
    const double shareA = 1.0 - weight;
    const uint32_t count = std::max(countA, countB);
    for (uint32_t i = 0; i < count; ++i) {
        const double x = i < countA ? static_cast<double>(a[i] - meanA) : 0.0;
        const double y = i < countB ? static_cast<double>(b[i] - meanB) : 0.0;
        out[i] = clampToSample(shareA * x + weight * y);
    }
}

} // namespace editing
