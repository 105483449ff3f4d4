#include "editing/trim_plan.h"

#include <cmath>
#include <cstring>

namespace editing {
namespace {

void moveSamples(int16_t* samples, uint64_t to, uint64_t from, uint64_t count) {
    if (count != 0 && to != from) {
        std::memmove(samples + to, samples + from, count * 2);
    }
}

void zeroSamples(int16_t* samples, uint64_t at, uint64_t count) {
    if (count != 0) {
        std::memset(samples + at, 0, count * 2);
    }
}

} // namespace

int32_t loudnessLevel(double threshold) {
    return static_cast<int32_t>(std::lround(threshold * 32767.0));
}

LoudPart findLoudPart(const int16_t* samples, uint32_t start, uint32_t end, int32_t level,
                      uint32_t minLoudRun) {
    uint32_t run = 0;
    uint32_t next = start;
    while (next < end) {
        run = isLoud(samples[next], level) ? run + 1 : 0;
        ++next;
        if (run == minLoudRun) {
            break;
        }
    }
    const int64_t first = static_cast<int64_t>(next) - run;

    run = 0;
    uint32_t examined = end;
    while (examined > start) {
        --examined;
        run = isLoud(samples[examined], level) ? run + 1 : 0;
        if (run == minLoudRun) {
            break;
        }
    }
    const int64_t last = static_cast<int64_t>(examined) + run - 1;
    return LoudPart{first, last};
}

void rearrangeForTrim(int16_t* samples, const TrimLayout& layout) {
    const uint64_t tail = layout.count - layout.end;
    const uint64_t loudAt = uint64_t{layout.start} + layout.lead;
    const uint64_t loudLength = layout.loud.length();
    const uint64_t tailAt = layout.newCount() - tail;
    const auto loudFrom = static_cast<uint64_t>(loudLength == 0 ? loudAt : layout.loud.first);
    if (layout.newCount() > layout.count) {
        moveSamples(samples, tailAt, layout.end, tail);
        moveSamples(samples, loudAt, loudFrom, loudLength);
    } else {
        moveSamples(samples, loudAt, loudFrom, loudLength);
        moveSamples(samples, tailAt, layout.end, tail);
    }
    zeroSamples(samples, layout.start, layout.lead);
    zeroSamples(samples, loudAt + loudLength, layout.trail);
}

} // namespace editing
