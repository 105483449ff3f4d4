#include "common/saved_file.h"

#include "common/message_sink.h"
#include "common/partial_name.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace common {
namespace {

constexpr int createFlags = O_WRONLY | O_CREAT | O_CLOEXEC;
// Enough attempts to step past names left by earlier calls of this process that died.
constexpr unsigned partialNameAttempts = 100;

// Counts the partial files of this load of the library; the process id sets loads apart.
unsigned nextToken() {
    static unsigned token = 0;
    return token++;
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The file a link names, so that saving through a link replaces that file, not the link; empty
// when the link names no file a path reaches (an anonymous file behind /proc/self/fd).
std::string resolvedTarget(const char* targetName) {
    struct stat link {};
    if (::lstat(targetName, &link) != 0 || !S_ISLNK(link.st_mode)) {
        return targetName;
    }
    char resolved[PATH_MAX];
    return ::realpath(targetName, resolved) != nullptr ? std::string(resolved) : std::string();
}

// Only a regular file that the path names in its folder can be replaced by a rename: not a
// device or a pipe, nor an anonymous file reached through /proc/self/fd.
bool replaceable(const struct stat& target, const std::string& published) {
    struct stat named {};
    return S_ISREG(target.st_mode) && ::stat(published.c_str(), &named) == 0 &&
           named.st_dev == target.st_dev && named.st_ino == target.st_ino;
}

// A rename reaches the disk only with its folder; the file itself is already there, so a
// failure here loses nothing and is not reported.
void syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

SavedFile::SavedFile(const char* targetName)
    : targetName_(targetName) {
    struct stat target {};
    const bool exists = ::stat(targetName, &target) == 0;
    const std::string published = resolvedTarget(targetName);
    if (exists && (published.empty() || !replaceable(target, published))) {
        file_.emplace(targetName,
                      PluginFile::OpenHandle{::open(targetName, createFlags | O_TRUNC, 0666)});
    } else if (!openPartial(published.empty() ? std::string(targetName) : published)) {
        file_.emplace(targetName, PluginFile::OpenHandle{-1});
    } else if (exists) {
        // The new file takes the place of the old one, so it keeps the old one's permissions.
        ::fchmod(file_->handle(), target.st_mode & 07777);
    }
    if (!isOpen()) {
        reportSystemError(targetName_);
    }
}

SavedFile::~SavedFile() {
    discardPartial();
}

// Whatever allocates comes before the file is created, so that nothing can escape between the
// creation of the partial file and the moment this object owns it.
bool SavedFile::openPartial(const std::string& published) {
    publishedPath_ = published;
    publishedFolder_ = folderOf(published);
    for (unsigned attempt = 0; attempt < partialNameAttempts; ++attempt) {
        std::string partial = partialPathFor(published, nextToken());
        const int fd = ::open(partial.c_str(), createFlags | O_EXCL, 0666);
        if (fd >= 0) {
            partialPath_ = std::move(partial);
            file_.emplace(targetName_, PluginFile::OpenHandle{fd});
            return true;
        }
        if (errno != EEXIST) {
            return false;
        }
    }
    return false;
}

void SavedFile::discardPartial() {
    if (file_.has_value()) {
        file_->close();
    }
    if (!partialPath_.empty()) {
        const int saved = errno;
        ::unlink(partialPath_.c_str());
        errno = saved;
        partialPath_.clear();
    }
}

bool SavedFile::commit() {
    if (partialPath_.empty()) {
        return file_->closeReporting();
    }
    if (!file_->flush() || !file_->closeReporting()) {
        discardPartial();
        return false;
    }
    if (::rename(partialPath_.c_str(), publishedPath_.c_str()) != 0) {
        reportSystemError(targetName_);
        discardPartial();
        return false;
    }
    partialPath_.clear();
    syncFolder(publishedFolder_);
    return true;
}

} // namespace common
