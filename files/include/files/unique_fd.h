#pragma once
// An open file descriptor, closed at the end of its owner's scope.

#include <unistd.h>

#include <cerrno>
#include <utility>

namespace files {

class UniqueFd {
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd)
        : fd_(fd) {}
    ~UniqueFd() { reset(); }
    UniqueFd(UniqueFd&& other) noexcept
        : fd_(other.release()) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept {
        if (this != &other)
            reset(other.release());
        return *this;
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;

    int get() const { return fd_; }
    bool isOpen() const { return fd_ >= 0; }
    explicit operator bool() const { return isOpen(); }

    // Gives the descriptor up without closing it.
    int release() { return std::exchange(fd_, -1); }

    // Closes the held descriptor (keeping errno) and holds fd instead.
    void reset(int fd = -1) {
        if (fd_ >= 0) {
            const int saved = errno;
            ::close(fd_);
            errno = saved;
        }
        fd_ = fd;
    }

    // Closes now; false with errno set when the close reports a write the system deferred.
    bool close() {
        if (fd_ < 0)
            return true;
        return ::close(release()) == 0;
    }

private:
    int fd_ = -1;
};

} // namespace files
