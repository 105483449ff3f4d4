// Conversions shared by every editing operation: seconds to sample indices and floating-point
// results back to 16-bit samples.
#pragma once

#include <cmath>
#include <cstdint>

namespace editing {

// The index of time `seconds` at `rate` samples per second: rate * t + 0.5, truncated toward
// zero. A value that is not a number gives 0 and huge values are clamped, so that the
// conversion stays defined for any input (valid selections never come near the clamp).
inline int64_t sampleIndex(uint32_t rate, double seconds) {
    constexpr double limit = 9.0e18;
    const double value = static_cast<double>(rate) * seconds + 0.5;
    if (std::isnan(value)) {
        return 0;
    }
    if (value >= limit) {
        return static_cast<int64_t>(limit);
    }
    if (value <= -limit) {
        return -static_cast<int64_t>(limit);
    }
    return static_cast<int64_t>(value);
}

// Clamps to the 16-bit range and truncates toward zero. Not-a-number becomes 0: the conversion
// of such a value to an integer would otherwise be undefined.
inline int16_t clampToSample(double value) {
    if (value >= 32767.0) {
        return 32767;
    }
    if (value <= -32768.0) {
        return -32768;
    }
    if (std::isnan(value)) {
        return 0;
    }
    return static_cast<int16_t>(value);
}

} // namespace editing
