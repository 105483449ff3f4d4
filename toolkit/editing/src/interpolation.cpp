#include "editing/interpolation.h"

#include "editing/sample_math.h"

namespace editing {

uint64_t interpolatedLength(uint32_t from, uint32_t to, uint32_t count) {
    const double length = static_cast<double>(to) / from * count;
    return length >= 1.8e19 ? UINT64_MAX : static_cast<uint64_t>(length);
}

void interpolate(const int16_t* in, uint32_t count, uint32_t from, uint32_t to, int16_t* out,
                 uint32_t outCount) {
    if (outCount == 0 || count == 0) {
        return;
    }
    out[0] = in[0];
    const double step = 1.0 / to;
    const double rate = from;
    const uint32_t lastIndex = count - 1;
    double t = 0.0;
    for (uint32_t i = 1; i < outCount; ++i) {
        t += step;
        auto j = static_cast<uint64_t>(t * rate);
        if (j > lastIndex) {
            j = lastIndex;
        }
        const double here = in[j];
        const double next = j < lastIndex ? in[j + 1] : here;
        out[i] = clampToSample(here + (t - static_cast<double>(j) / rate) * (next - here) * rate);
    }
}

} // namespace editing
