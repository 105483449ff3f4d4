#include "editing/octave_passes.h"

#include "editing/half_band_filter.h"
#include "editing/sample_math.h"

namespace editing {

OctavePlan planOctaves(uint32_t rate, uint32_t target) {
    const double ratio = static_cast<double>(target) / rate;
    OctavePlan plan{OctavePlan::Direction::none, 0, rate};
    if (ratio <= 0.5) {
        plan.direction = OctavePlan::Direction::down;
        while (plan.rate / 2 >= target) {
            plan.rate /= 2;
            ++plan.steps;
        }
    } else if (ratio >= 2.0) {
        plan.direction = OctavePlan::Direction::up;
        while (uint64_t{plan.rate} * 2 <= target) {
            plan.rate *= 2;
            ++plan.steps;
        }
    }
    return plan;
}

uint32_t halvingPass(int16_t* samples, uint32_t n, bool& keep) {
    HalfBandFilter filter;
    uint32_t written = 0;
    for (uint32_t i = 0; i < n; ++i) {
        filter.push(samples[i]);
        if (keep) {
            samples[written++] = clampToSample(filter.output());
        }
        keep = !keep;
    }
    return n / 2;
}

void doublingPass(const int16_t* in, uint32_t n, int16_t* out) {
    HalfBandFilter filter;
    for (uint32_t i = 0; i < n; ++i) {
        filter.push(in[i]);
        out[2 * i] = clampToSample(2.0 * filter.output());
        filter.push(0.0);
        out[2 * i + 1] = clampToSample(2.0 * filter.output());
    }
}

} // namespace editing
