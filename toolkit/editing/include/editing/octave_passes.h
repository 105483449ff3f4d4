// The octave steps of resampling: halving and doubling passes through the half-band filter.
#pragma once

#include <cstdint>

namespace editing {

// How many whole octaves to step from `rate` towards `target` (both above 0), and the integer
// rate reached (an odd rate halved loses its half).
struct OctavePlan {
    enum class Direction { none, down, up };
    Direction direction;
    uint32_t steps;
    uint32_t rate;
};
OctavePlan planOctaves(uint32_t rate, uint32_t target);

// One halving pass in place over n samples: every filter step whose keep flag is set writes
// its output to the next position from the start; the flag flips after every step and carries
// over to the next pass. Returns n / 2, the samples the pass leaves.
uint32_t halvingPass(int16_t* samples, uint32_t n, bool& keep);

// One doubling pass: 2n outputs into `out` (which must not overlap `in`), each input followed by
// a zero, every output doubled to make up for the inserted zeros.
void doublingPass(const int16_t* in, uint32_t n, int16_t* out);

} // namespace editing
