// Memory blocks that cross library boundaries (sound bodies). Every module allocates, resizes
// and frees them with the one C runtime allocator, so any library may free another's block.
#pragma once

#include <cstddef>
#include <cstdint>

namespace common {

// True when a block of `bytes` was allocated; no message.
bool allocateBuffer(void** out, std::size_t bytes);
// A block of n samples; on failure string 115 is appended to the message and false returned.
bool allocateSamples(int16_t** out, uint32_t n);
// Resizes a block (the block may move); on failure the old block stays valid and false is
// returned without a message.
bool resizeBuffer(void** block, std::size_t bytes);
void freeBuffer(void* block);

} // namespace common
