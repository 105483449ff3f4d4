#include "failing_allocator.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace toolkit_test {
namespace {

std::atomic<long> allocationsUntilFailure{-1};
std::atomic<bool> failed{false};

void* allocate(std::size_t size) {
    const long left = allocationsUntilFailure.load();
    if (left >= 0) {
        allocationsUntilFailure.store(left - 1);
        if (left == 0) {
            failed.store(true);
            throw std::bad_alloc();
        }
    }
    if (void* block = std::malloc(size == 0 ? 1 : size)) {
        return block;
    }
    throw std::bad_alloc();
}

} // namespace

void failAllocation(long index) {
    failed.store(false);
    allocationsUntilFailure.store(index);
}

bool allocationFailed() {
    return failed.load();
}

} // namespace toolkit_test

// Visible to the libraries the program loads, whatever the build's default visibility.
#define REPLACEMENT __attribute__((visibility("default")))

REPLACEMENT void* operator new(std::size_t size) {
    return toolkit_test::allocate(size);
}
REPLACEMENT void* operator new[](std::size_t size) {
    return toolkit_test::allocate(size);
}
REPLACEMENT void operator delete(void* block) noexcept {
    std::free(block);
}
REPLACEMENT void operator delete[](void* block) noexcept {
    std::free(block);
}
REPLACEMENT void operator delete(void* block, std::size_t) noexcept {
    std::free(block);
}
REPLACEMENT void operator delete[](void* block, std::size_t) noexcept {
    std::free(block);
}
