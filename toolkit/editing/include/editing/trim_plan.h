// Silence trimming on a block of samples: finding the loud part of a stretch and rearranging
// the block so that the loud part sits between exact digital silences.
#pragma once

#include <cstdint>

namespace editing {

// The loudness level of a threshold in [0, 1]: threshold * 32767 rounded half away from zero.
int32_t loudnessLevel(double threshold);

// A sample is loud when its magnitude (32768 for -32768) is at least the level.
inline bool isLoud(int16_t sample, int32_t level) {
    const int32_t magnitude = sample < 0 ? -static_cast<int32_t>(sample) : sample;
    return magnitude >= level;
}

// Signed, so that an empty loud part (last < first) can be told apart, also at index 0.
struct LoudPart {
    int64_t first;
    int64_t last;
    uint32_t length() const { return last < first ? 0 : static_cast<uint32_t>(last - first + 1); }
};

// Scans samples start..end-1 from both ends for the first and last run of minLoudRun loud samples
// (minLoudRun >= 1). Without such a run the part reaches from the loud run touching one end to
// the loud run touching the other, which is empty for a stretch of quiet samples.
LoudPart findLoudPart(const int16_t* samples, uint32_t start, uint32_t end, int32_t level,
                      uint32_t minLoudRun);

// Where everything goes: samples before start stay, then lead zeros, the loud part, trail zeros
// and the tail (end..count-1).
struct TrimLayout {
    uint32_t count;
    uint32_t start;
    uint32_t end;
    LoudPart loud;
    uint32_t lead;
    uint32_t trail;
    uint64_t newCount() const {
        return uint64_t{start} + lead + loud.length() + trail + (count - end);
    }
    // The end of the trailing silence: the new end of the selection, in samples.
    uint64_t newEnd() const { return uint64_t{start} + lead + loud.length() + trail; }
};

// Rearranges the block in place. The block must hold max(count, newCount()) samples. The moves
// are ordered so that every source is intact until it has been moved.
void rearrangeForTrim(int16_t* samples, const TrimLayout& layout);

} // namespace editing
