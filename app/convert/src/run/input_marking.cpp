#include "convert/input_marking.h"

#include "files/publish.h"
#include "platform/safe_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace convert {
namespace {

bool IsFree(int folder, const std::string& name) {
    struct stat info {};
    return ::fstatat(folder, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0 && errno == ENOENT;
}

// The sticky bit lets only the owner of a file, the owner of the folder and the administrator
// rename a file in it; access(2) does not tell.
bool StickyBitForbids(int folder, uid_t inputOwner) {
    struct stat info {};
    const uid_t self = ::geteuid();
    return ::fstat(folder, &info) == 0 && (info.st_mode & S_ISVTX) != 0 && self != 0 &&
           inputOwner != self && info.st_uid != self;
}

} // namespace

std::string DoneName(std::string_view inputName, int attempt) {
    const std::string done = "_" + std::string(inputName);
    return attempt == 0 ? done : platform::numberedName(done, attempt);
}

std::optional<std::string> FreeDoneName(int folder, std::string_view inputName, uid_t inputOwner) {
    if (::faccessat(folder, ".", W_OK | X_OK, AT_EACCESS) != 0)
        return std::nullopt;
    if (StickyBitForbids(folder, inputOwner)) {
        errno = EPERM;
        return std::nullopt;
    }
    const long longestName = ::fpathconf(folder, _PC_NAME_MAX);
    const auto fits = [longestName](const std::string& name) {
        return longestName < 0 || name.size() <= static_cast<std::size_t>(longestName);
    };
    if (!fits(DoneName(inputName, 0))) {
        errno = ENAMETOOLONG;
        return std::nullopt;
    }
    for (int attempt = 0; attempt <= kNumberedRenameAttempts; ++attempt) {
        std::string name = DoneName(inputName, attempt);
        if (fits(name) && IsFree(folder, name))
            return name;
    }
    errno = EEXIST;
    return std::nullopt;
}

std::optional<std::string> MarkInputDone(int folder, std::string_view inputName,
                                         std::string_view doneName) {
    const std::string from(inputName);
    std::optional<std::string> marked;
    if (files::moveWithoutReplacingAt(folder, from, folder, std::string(doneName)))
        marked = std::string(doneName);
    for (int attempt = 0; !marked && errno == EEXIST && attempt <= kNumberedRenameAttempts;
         ++attempt) {
        std::string name = DoneName(inputName, attempt);
        if (files::moveWithoutReplacingAt(folder, from, folder, name))
            marked = std::move(name);
    }
    if (marked)
        ::fsync(folder);
    return marked;
}

} // namespace convert
