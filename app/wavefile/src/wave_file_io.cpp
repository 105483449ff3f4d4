#include "wavefile/wave_file_io.h"

#include <sys/statvfs.h>
#include <unistd.h>

namespace wavefile {

ssize_t WaveFileIo::Read(int fd, void* buffer, std::size_t size) {
    return ::read(fd, buffer, size);
}

ssize_t WaveFileIo::Write(int fd, const void* data, std::size_t size) {
    return ::write(fd, data, size);
}

std::optional<uint64_t> WaveFileIo::FreeBytes(int fd) {
    struct statvfs disk {};
    if (::fstatvfs(fd, &disk) != 0)
        return std::nullopt;
    return uint64_t{disk.f_bavail} * uint64_t{disk.f_frsize};
}

WaveFileIo& SystemWaveFileIo() {
    static WaveFileIo system;
    return system;
}

} // namespace wavefile
