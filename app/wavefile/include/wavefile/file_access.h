#pragma once
// Whole reads and writes through the wave files' seam, with EINTR retried and errno kept.

#include "wavefile/wave_file_io.h"

#include <cstddef>
#include <string>

namespace wavefile {

// Reads up to size bytes, fewer only at the end of the file. -1 with errno on failure.
ssize_t ReadFully(WaveFileIo& io, int fd, void* buffer, std::size_t size);

// Writes all bytes; false with errno set (ENOSPC for a write that makes no progress).
bool WriteFully(WaveFileIo& io, int fd, const void* data, std::size_t size);

// The system's text for errno.
std::string SystemErrorText(int error);

} // namespace wavefile
