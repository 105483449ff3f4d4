#include "common/saved_file.h"

#include "common/message_sink.h"
#include "files/partial_file.h"
#include "files/publish.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace common {
namespace {

constexpr int createFlags = O_WRONLY | O_CREAT | O_CLOEXEC;

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
    files::PartialFile partial = files::createPartial(published);
    if (!partial.fd.isOpen()) {
        return false;
    }
    partialPath_ = std::move(partial.path);
    file_.emplace(targetName_, PluginFile::OpenHandle{partial.fd.release()});
    return true;
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
    // The move removes the partial file when it fails.
    const bool published =
        files::moveIntoPlace(partialPath_, publishedPath_, true) == files::PublishResult::Published;
    partialPath_.clear();
    if (!published) {
        reportSystemError(targetName_);
    }
    return published;
}

} // namespace common
