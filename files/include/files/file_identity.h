#pragma once
// What a file is and how it stands: its inode, size and times. Two looks at one name that give
// the same identity saw the same file, unchanged: a rename away and back, a rewrite or an
// append all change it.

#include <sys/stat.h>
#include <sys/types.h>

namespace files {

struct FileIdentity {
    ino_t inode = 0;
    off_t size = 0;
    struct timespec modified {};
    // Changes with any rename or link of the file, which no user can set back.
    struct timespec changed {};
};

FileIdentity identityOf(const struct stat& info);

// The device is not compared: the files of one folder lie on one file system, whose device
// number differs between the machines that share it.
bool operator==(const FileIdentity& a, const FileIdentity& b);

} // namespace files
