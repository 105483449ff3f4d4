#include "convert/input_file.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace convert {
namespace {

bool IsOneEntryName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of("/\\") == std::string::npos;
}

InputProblem ProblemOfKind(mode_t mode) {
    if (S_ISREG(mode))
        return InputProblem::None;
    return S_ISLNK(mode) ? InputProblem::Link : InputProblem::NotRegularFile;
}

long double Seconds(const struct timespec& time) {
    return static_cast<long double>(time.tv_sec) + static_cast<long double>(time.tv_nsec) / 1e9L;
}

} // namespace

InputFile InputFile::Open(const std::string& nativeFolder, const std::string& name) {
    InputFile input;
    input.name_ = name;
    const auto fail = [&input](InputProblem problem, int error = 0) {
        input.file_.reset();
        input.problem_ = problem;
        input.error_ = error;
        return std::move(input);
    };
    input.folder_.reset(::open(nativeFolder.empty() ? "." : nativeFolder.c_str(),
                               O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!input.folder_)
        return fail(InputProblem::FolderMissing, errno);
    if (!IsOneEntryName(name))
        return fail(InputProblem::NotAName);
    // The kind is looked at before opening: opening a device or a FIFO may itself do harm.
    struct stat listed {};
    if (::fstatat(input.folder(), name.c_str(), &listed, AT_SYMLINK_NOFOLLOW) != 0)
        return fail(errno == ENOENT ? InputProblem::Missing : InputProblem::Unreadable, errno);
    if (const InputProblem kind = ProblemOfKind(listed.st_mode); kind != InputProblem::None)
        return fail(kind);
    input.file_.reset(::openat(input.folder(), name.c_str(),
                               O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!input.file_) {
        const int error = errno;
        if (error == ELOOP)
            return fail(InputProblem::Link);
        return fail(error == ENOENT ? InputProblem::Missing : InputProblem::Unreadable, error);
    }
    struct stat opened {};
    if (::fstat(input.fd(), &opened) != 0)
        return fail(InputProblem::Unreadable, errno);
    // Swapped for something else between the look and the opening.
    if (!S_ISREG(opened.st_mode) || opened.st_ino != listed.st_ino)
        return fail(InputProblem::NotRegularFile);
    input.identity_ = files::identityOf(opened);
    input.owner_ = opened.st_uid;
    return input;
}

bool InputFile::IsArriving(std::chrono::seconds settle, const struct timespec& now) const {
    return IsHeldOpenForWriting(fd()) || ChangedRecently(identity_.modified, settle, now);
}

bool InputFile::Unchanged() const {
    struct stat byDescriptor {};
    struct stat byName {};
    return ::fstat(fd(), &byDescriptor) == 0 &&
           ::fstatat(folder(), name_.c_str(), &byName, AT_SYMLINK_NOFOLLOW) == 0 &&
           S_ISREG(byName.st_mode) && files::identityOf(byDescriptor) == identity_ &&
           files::identityOf(byName) == identity_;
}

bool InputFile::Rewind() const {
    return ::lseek(fd(), 0, SEEK_SET) == 0;
}

bool IsHeldOpenForWriting(int fd) {
    // Someone opening the file for writing while the lease is held breaks it with a signal
    // whose default is to end the process; SIGURG's default is to ignore it.
    ::fcntl(fd, F_SETSIG, SIGURG);
    if (::fcntl(fd, F_SETLEASE, F_RDLCK) == 0) {
        ::fcntl(fd, F_SETLEASE, F_UNLCK);
        return false;
    }
    return errno == EAGAIN;
}

bool ChangedRecently(const struct timespec& modified, std::chrono::seconds settle,
                     const struct timespec& now) {
    const long double age = Seconds(now) - Seconds(modified);
    const auto future = std::chrono::duration_cast<std::chrono::seconds>(kFutureTimeLimit);
    return age < static_cast<long double>(settle.count()) &&
           -age < static_cast<long double>(future.count());
}

} // namespace convert
