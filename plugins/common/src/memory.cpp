#include "common/memory.h"

#include "common/message_sink.h"

#include <cstdlib>
#include <sys/mman.h>

namespace common {
namespace {

constexpr std::uintptr_t kHugePageBytes = std::uintptr_t{2} << 20;

// A body is written once from end to end (a file read into it): in pages of 4 KB each first
// touch costs a fault, some 10,000 for a 45-minute dictation, which virtual machines make
// expensive. Large pages, where the system has them, take a fault per 2 MB. Only the whole
// large pages inside the block are asked for; the advice may be refused without harm.
void preferLargePages(void* block, std::size_t bytes) {
#if defined(MADV_HUGEPAGE)
    const auto start = reinterpret_cast<std::uintptr_t>(block);
    const std::uintptr_t first = (start + kHugePageBytes - 1) & ~(kHugePageBytes - 1);
    const std::uintptr_t end = (start + bytes) & ~(kHugePageBytes - 1);
    if (end > first)
        ::madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
#else
    static_cast<void>(block);
    static_cast<void>(bytes);
#endif
}

} // namespace

bool allocateBuffer(void** out, std::size_t bytes) {
    // A zero-byte body is a valid empty sound; give it a real block so callers can tell
    // success from failure by the pointer alone.
    *out = std::malloc(bytes == 0 ? 1 : bytes);
    if (*out != nullptr && bytes >= 2 * kHugePageBytes)
        preferLargePages(*out, bytes);
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
