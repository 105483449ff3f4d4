// Reading a RIFF file chunk by chunk. The reader knows the file's size, so a chunk that claims
// more bytes than the file holds is refused before anything is skipped or allocated.
#pragma once

#include "common/plugin_file.h"

#include <cstdint>

namespace wav {

class ChunkReader {
public:
    // `position` is where the file stands now.
    ChunkReader(common::PluginFile& file, uint32_t fileSize, uint32_t position);

    // Exactly n bytes (string 112 when the file ends first).
    bool read(void* buffer, uint32_t n);
    // Moves forward by n bytes. Past the end of the file: string 112, as the next read would.
    bool skip(uint64_t n);
    // Moves past the rest of a chunk of `size` bytes of which `consumed` have been read,
    // including the pad byte that follows a chunk of odd size.
    bool skipRestOfChunk(uint32_t size, uint32_t consumed);
    // Reads chunk headers from here on, skipping other chunks, until one is `id`; the file then
    // stands at its first data byte. False (reported) when a read or a skip fails first.
    bool findChunk(const char (&id)[5], uint32_t& size);

    // A file that grew since its size was taken counts as ending at that size.
    uint32_t bytesLeft() const { return position_ < fileSize_ ? fileSize_ - position_ : 0; }

private:
    common::PluginFile& file_;
    uint32_t fileSize_;
    uint32_t position_;
};

} // namespace wav
