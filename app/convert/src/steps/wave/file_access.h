#pragma once
// Whole reads and writes through the chain's file seam, with EINTR retried and errno kept.

#include "convert/wave_file_io.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace convert::steps {

// An open file descriptor, closed at the end of its scope.
class FileHandle {
public:
    FileHandle() = default;
    explicit FileHandle(int fd)
        : fd_(fd) {}
    ~FileHandle();
    FileHandle(FileHandle&& other) noexcept
        : fd_(other.release()) {}
    FileHandle& operator=(FileHandle&& other) noexcept;

    int get() const { return fd_; }
    bool isOpen() const { return fd_ >= 0; }
    int release();
    // Closes now; false (errno set) when the close reports a failed write.
    bool close();

private:
    int fd_ = -1;
};

// Reads up to size bytes, fewer only at the end of the file. -1 with errno on failure.
ssize_t ReadFully(WaveFileIo& io, int fd, void* buffer, std::size_t size);

// Writes all bytes; false with errno set (ENOSPC for a write that makes no progress).
bool WriteFully(WaveFileIo& io, int fd, const void* data, std::size_t size);

// The system's text for errno.
std::string SystemErrorText(int error);

} // namespace convert::steps
