// The 31-tap half-band low-pass filter of the octave steps. The taps at an even, non-zero
// distance from the centre are 0 and are skipped: an output costs the centre and 8 products.
#pragma once

#include <cstdint>

namespace editing {

class HalfBandFilter {
public:
    // Places the newest value; the oldest of the 31 drops out.
    void push(double value) {
        position_ = (position_ + 1) & (ringSize - 1);
        ring_[position_] = value;
        ring_[position_ + ringSize] = value;
    }

    // 0.5 * d[15] + sum over odd distances j of tap(j) * (d[15 - j] + d[15 + j]), where d[30] is
    // the newest value. Summed in this order, so results are reproducible to the last bit.
    double output() const {
        const double* d = ring_ + position_ + ringSize - 30;
        double y = 0.5 * d[15];
        y += 0.3154089 * (d[14] + d[16]);
        y += -0.0976549 * (d[12] + d[18]);
        y += 0.0503876 * (d[10] + d[20]);
        y += -0.0284492 * (d[8] + d[22]);
        y += 0.0158647 * (d[6] + d[24]);
        y += -0.0082398 * (d[4] + d[26]);
        y += 0.0037324 * (d[2] + d[28]);
        y += -0.0012889 * (d[0] + d[30]);
        return y;
    }

private:
    // A ring of 32 values stored twice, so that the 31 newest are always contiguous.
    static constexpr uint32_t ringSize = 32;
    double ring_[2 * ringSize] = {};
    uint32_t position_ = 0;
};

} // namespace editing
