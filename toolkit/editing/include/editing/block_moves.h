// Crop and cut on a block of samples, in place. Both only move samples (overlap-safe); the
// caller shrinks the block to the returned length afterwards.
#pragma once

#include <cstdint>

namespace editing {

// Samples start to end - 1 of a sound; start < end <= sample count.
struct SampleRange {
    uint32_t start;
    uint32_t end;
};

// Moves the range to the front of the block; returns its length.
uint32_t cropInPlace(int16_t* samples, SampleRange range);

// Moves the samples after the range onto it and returns the remaining length. When the range was
// the whole sound the result is a single sample of value 0 (length 1), so a sound never becomes
// empty through a cut.
uint32_t cutInPlace(int16_t* samples, uint32_t count, SampleRange range);

} // namespace editing
