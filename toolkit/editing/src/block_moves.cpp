#include "editing/block_moves.h"

#include <cstring>

namespace editing {

uint32_t cropInPlace(int16_t* samples, SampleRange range) {
    const uint32_t length = range.end - range.start;
    if (range.start != 0) {
        std::memmove(samples, samples + range.start, static_cast<std::size_t>(length) * 2);
    }
    return length;
}

uint32_t cutInPlace(int16_t* samples, uint32_t count, SampleRange range) {
    const uint32_t tail = count - range.end;
    const uint32_t length = range.start + tail;
    if (length == 0) {
        samples[0] = 0;
        return 1;
    }
    std::memmove(samples + range.start, samples + range.end, static_cast<std::size_t>(tail) * 2);
    return length;
}

} // namespace editing
