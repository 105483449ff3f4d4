#include "chunk_reader.h"

#include "abi/little_endian.h"
#include "wav_messages.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace wav {

ChunkReader::ChunkReader(common::PluginFile& file, uint32_t fileSize, uint32_t position)
    : file_(file)
    , fileSize_(fileSize)
    , position_(std::min(position, fileSize)) {}

bool ChunkReader::read(void* buffer, uint32_t n) {
    if (!file_.read(buffer, n)) {
        return false;
    }
    position_ += n;
    return true;
}

// Seeks take a signed 32-bit distance: larger skips go in steps, so a huge chunk size can
// never turn into a backward move.
bool ChunkReader::skip(uint64_t n) {
    if (n > bytesLeft()) {
        return reportFailure(file_.fileName(), TEXT_ID_SHORT_READ);
    }
    uint64_t left = n;
    while (left > 0) {
        const auto step =
            static_cast<int32_t>(std::min<uint64_t>(left, std::numeric_limits<int32_t>::max()));
        if (!file_.seek(step, common::SeekMethod::Current)) {
            return false;
        }
        left -= static_cast<uint64_t>(step);
    }
    position_ += static_cast<uint32_t>(n);
    return true;
}

bool ChunkReader::skipRestOfChunk(uint32_t size, uint32_t consumed) {
    return skip(uint64_t{size} - consumed + (size & 1u));
}

bool ChunkReader::findChunk(const char (&id)[5], uint32_t& size) {
    for (;;) {
        unsigned char chunkHeader[8];
        if (!read(chunkHeader, sizeof chunkHeader)) {
            return false;
        }
        const uint32_t chunkSize = abi::readLe32(chunkHeader + 4);
        if (std::memcmp(chunkHeader, id, 4) == 0) {
            size = chunkSize;
            return true;
        }
        if (!skipRestOfChunk(chunkSize, 0)) {
            return false;
        }
    }
}

} // namespace wav
