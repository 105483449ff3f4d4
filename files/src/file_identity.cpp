#include "files/file_identity.h"

namespace files {
namespace {

bool sameTime(const struct timespec& a, const struct timespec& b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

} // namespace

FileIdentity identityOf(const struct stat& info) {
    return {info.st_ino, info.st_size, info.st_mtim, info.st_ctim};
}

bool operator==(const FileIdentity& a, const FileIdentity& b) {
    return a.inode == b.inode && a.size == b.size && sameTime(a.modified, b.modified) &&
           sameTime(a.changed, b.changed);
}

} // namespace files
