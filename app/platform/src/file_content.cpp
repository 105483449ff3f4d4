#include "profile_lines.h"

#include "files/full_write.h"
#include "files/partial_file.h"
#include "files/unique_fd.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace platform::detail {

namespace {

// Writing through a link must replace the file it points to, not the link.
std::string followLinks(const std::string& nativePath) {
    char buffer[PATH_MAX];
    if (::realpath(nativePath.c_str(), buffer) != nullptr) {
        return buffer;
    }
    return nativePath;
}

} // namespace

std::optional<std::string> readWholeFile(const std::string& nativePath) {
    // Non-blocking, so that a FIFO in the file's place is refused instead of waited on.
    const files::UniqueFd fd(::open(nativePath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat info {};
    if (!fd || ::fstat(fd.get(), &info) != 0) {
        return std::nullopt;
    }
    if (!S_ISREG(info.st_mode)) {
        errno = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
        return std::nullopt;
    }
    std::string content;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd.get(), buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return std::nullopt;
        }
        if (got == 0) {
            break;
        }
        content.append(buffer, static_cast<std::size_t>(got));
    }
    return content;
}

// The profile is rewritten for every key: a rename replaces it whole, so that a full disk or a
// crash never leaves half a file; syncing the disk for each of a table's 400 keys would make a
// save take seconds.
bool replaceFileContent(const std::string& nativePath, std::string_view content) {
    const std::string target = followLinks(nativePath);
    struct stat existing {};
    const bool hadFile = ::stat(target.c_str(), &existing) == 0;
    files::PartialFile partial = files::createPartial(target);
    if (!partial.fd) {
        return false;
    }
    const int fd = partial.fd.get();
    bool ok = files::writeFully(
        [fd](const void* data, std::size_t size) { return ::write(fd, data, size); },
        content.data(), content.size());
    if (ok && hadFile) {
        ok = ::fchmod(fd, existing.st_mode & 07777) == 0;
    }
    ok = partial.fd.close() && ok;
    if (ok) {
        ok = ::rename(partial.path.c_str(), target.c_str()) == 0;
    }
    if (!ok) {
        const int saved = errno;
        ::unlink(partial.path.c_str());
        errno = saved;
    }
    return ok;
}

} // namespace platform::detail
