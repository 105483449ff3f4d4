#pragma once
// A dictation's input file as its job holds it: opened once, as an entry of its open folder
// (a name is never a path that could lead elsewhere), never through a link, checked to be a
// regular file, and read only through that descriptor. Its identity at the opening tells, when
// the job marks it done, whether the name still leads to the same file, unchanged.

#include "files/file_identity.h"
#include "files/unique_fd.h"

#include <chrono>
#include <ctime>
#include <string>

namespace convert {

// Why an input could not be opened.
enum class InputProblem {
    None,
    FolderMissing,  // the input folder cannot be opened (errno tells)
    Missing,        // no entry of that name (any more)
    NotAName,       // a name that holds a separator, or "." or ".."
    Link,           // a symbolic link
    NotRegularFile, // a folder, FIFO, socket or device
    Unreadable,     // errno tells
};

// Where a file's modification time lies beyond the clock by more than this, the clock that set
// it is wrong: it does not count as a sign that the file is still being written.
inline constexpr std::chrono::hours kFutureTimeLimit{24};

class InputFile {
public:
    // nativeFolder: the resolved input folder; name: the job row's caption.
    static InputFile Open(const std::string& nativeFolder, const std::string& name);

    bool isOpen() const { return file_.isOpen(); }
    InputProblem problem() const { return problem_; }
    int error() const { return error_; }

    // The open folder, and the file open for reading.
    int folder() const { return folder_.get(); }
    int fd() const { return file_.get(); }
    const std::string& name() const { return name_; }
    const files::FileIdentity& identity() const { return identity_; }
    uid_t owner() const { return owner_; }

    // Still being written: a process of this machine holds it open for writing, or it was
    // modified less than `settle` before `now`.
    bool IsArriving(std::chrono::seconds settle, const struct timespec& now) const;

    // The name still leads to this file, and neither it nor its content has changed since the
    // opening.
    bool Unchanged() const;

    // The descriptor back at the file's start, for a read of the whole content.
    bool Rewind() const;

private:
    files::UniqueFd folder_;
    files::UniqueFd file_;
    std::string name_;
    files::FileIdentity identity_;
    uid_t owner_ = 0;
    InputProblem problem_ = InputProblem::None;
    int error_ = 0;
};

// True while a process of this machine holds the open file open for writing: a read lease
// cannot be taken then. False when it can, and where no lease can be taken at all (a file of
// another user without the capability to lease it, a network file system).
bool IsHeldOpenForWriting(int fd);

// True when `modified` lies less than `settle` before `now`, or after it by less than
// kFutureTimeLimit.
bool ChangedRecently(const struct timespec& modified, std::chrono::seconds settle,
                     const struct timespec& now);

} // namespace convert
