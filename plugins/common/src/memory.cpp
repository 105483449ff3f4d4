#include "common/memory.h"

#include "common/message_sink.h"

#include <cstdlib>

namespace common {

bool allocateBuffer(void** out, std::size_t bytes) {
    // A zero-byte body is a valid empty sound; give it a real block so callers can tell
    // success from failure by the pointer alone.
    *out = std::malloc(bytes == 0 ? 1 : bytes);
    return *out != nullptr;
}

bool allocateSamples(int16_t** out, uint32_t n) {
    void* block = nullptr;
    if (!allocateBuffer(&block, static_cast<std::size_t>(n) * 2)) {
        *out = nullptr;
        return reportOutOfMemory();
    }
    *out = static_cast<int16_t*>(block);
    return true;
}

bool resizeBuffer(void** block, std::size_t bytes) {
    void* moved = std::realloc(*block, bytes == 0 ? 1 : bytes);
    if (moved == nullptr) {
        return false;
    }
    *block = moved;
    return true;
}

void freeBuffer(void* block) {
    std::free(block);
}

} // namespace common
