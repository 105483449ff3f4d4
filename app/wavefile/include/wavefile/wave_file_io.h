#pragma once
// The file operations of the wave files the program reads and writes, behind a seam: tests make
// a read or a write fail after a number of bytes, or the disk look full, to prove that such
// failures are reported and leave nothing behind. Every operation defaults to the system call.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <sys/types.h>

namespace wavefile {

class WaveFileIo {
public:
    virtual ~WaveFileIo() = default;
    // As ::read: bytes read, 0 at the end, -1 with errno set on failure.
    virtual ssize_t Read(int fd, void* buffer, std::size_t size);
    // As ::write: bytes written, -1 with errno set on failure.
    virtual ssize_t Write(int fd, const void* data, std::size_t size);
    // Bytes an unprivileged writer may still use on the disk of the open file; empty when the
    // system cannot tell (the check is then skipped).
    virtual std::optional<uint64_t> FreeBytes(int fd);
};

// The system's calls; shared by every reader and writer that is given no other.
WaveFileIo& SystemWaveFileIo();

} // namespace wavefile
