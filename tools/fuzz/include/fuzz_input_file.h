// A fuzz input as a file the plug-ins can open by name: an anonymous in-memory file, reached
// through /proc/self/fd, rewritten for every input.
#pragma once

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace fuzzing {

class InputFile {
public:
    explicit InputFile(const char* label)
        : fd_(memfd_create(label, 0)) {
        if (fd_ < 0) {
            std::abort();
        }
        path_ = "/proc/self/fd/" + std::to_string(fd_);
    }
    ~InputFile() { close(fd_); }
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // Replaces the file's whole content.
    void assign(const uint8_t* data, std::size_t size) {
        if (ftruncate(fd_, 0) != 0) {
            std::abort();
        }
        std::size_t done = 0;
        while (done < size) {
            const ssize_t put = pwrite(fd_, data + done, size - done, static_cast<off_t>(done));
            if (put <= 0) {
                std::abort();
            }
            done += static_cast<std::size_t>(put);
        }
    }

    const char* path() const { return path_.c_str(); }

private:
    int fd_;
    std::string path_;
};

// A failed call must leave a message: an empty one means a failure went unreported.
inline void requireMessage(const char* errorText) {
    if (errorText[0] == '\0') {
        __builtin_trap();
    }
}

} // namespace fuzzing
