#include "convert/job_claim.h"

#include "convert/input_marking.h"
#include "files/full_write.h"
#include "files/path_parts.h"
#include "files/publish.h"
#include "platform/paths.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <set>

namespace convert {
namespace {

// Each attempt either claims, finds a live claim, or takes over an ended one; only runs that
// keep finishing each other's records at the same instant need more than two.
constexpr int kClaimAttempts = 8;

bool IsOurs(int record) {
    struct stat info {};
    return ::fstat(record, &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == ::geteuid();
}

// The open record is still the one of that name, not one that a run which finished its job
// has removed meanwhile.
bool StillNamed(int folder, const std::string& name, int record) {
    struct stat open {};
    struct stat named {};
    return ::fstat(record, &open) == 0 && open.st_nlink > 0 &&
           ::fstatat(folder, name.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 &&
           named.st_ino == open.st_ino && named.st_dev == open.st_dev;
}

std::string ReadAll(int fd) {
    std::string text;
    char block[4096];
    for (off_t offset = 0;;) {
        const ssize_t got = ::pread(fd, block, sizeof block, offset);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return text;
        text.append(block, static_cast<std::size_t>(got));
        offset += got;
    }
}

bool IsFileOf(const std::string& nativePath, ino_t inode, struct stat& info) {
    return ::lstat(nativePath.c_str(), &info) == 0 && S_ISREG(info.st_mode) && info.st_ino == inode;
}

void RemoveIfItIs(const std::string& nativePath, ino_t inode) {
    struct stat info {};
    if (IsFileOf(nativePath, inode, info) && ::unlink(nativePath.c_str()) == 0)
        files::syncFolder(files::folderOf(nativePath));
}

bool IsPublished(const JobIntent& intent) {
    struct stat info {};
    return IsFileOf(intent.nativeOutput, intent.outputInode, info) &&
           info.st_size == intent.outputSize;
}

// A rename changes the file's change time, not its content.
bool IsMarkedInput(const struct stat& info, const JobIntent& intent) {
    return S_ISREG(info.st_mode) && info.st_ino == intent.input.inode &&
           info.st_size == intent.input.size &&
           info.st_mtim.tv_sec == intent.input.modified.tv_sec &&
           info.st_mtim.tv_nsec == intent.input.modified.tv_nsec;
}

bool MarkedAlready(int folder, const JobIntent& intent) {
    for (int attempt = 0; attempt <= kNumberedRenameAttempts; ++attempt) {
        struct stat info {};
        const std::string name = DoneName(intent.inputName, attempt);
        if (::fstatat(folder, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 &&
            IsMarkedInput(info, intent))
            return true;
    }
    return false;
}

Recovery FinishPublished(int folder, const JobIntent& intent) {
    if (MarkedAlready(folder, intent))
        return Recovery::Finished;
    struct stat input {};
    if (::fstatat(folder, intent.inputName.c_str(), &input, AT_SYMLINK_NOFOLLOW) != 0)
        return Recovery::Finished; // the dictation is gone: nothing would convert it again
    if (S_ISREG(input.st_mode) && files::identityOf(input) == intent.input &&
        MarkInputDone(folder, intent.inputName, intent.doneName))
        return Recovery::Finished;
    RemoveIfItIs(intent.nativeOutput, intent.outputInode);
    return Recovery::Withdrawn;
}

// Opens a record of the folder that is ours and that no live job holds, locked.
files::UniqueFd OpenEndedRecord(int folder, const std::string& name) {
    files::UniqueFd record(::openat(folder, name.c_str(), O_RDWR | O_NOFOLLOW | O_CLOEXEC));
    if (record && IsOurs(record.get()) && ::flock(record.get(), LOCK_EX | LOCK_NB) == 0 &&
        StillNamed(folder, name, record.get()))
        return record;
    return {};
}

} // namespace

Recovery RecoverJob(int folder, int record) {
    const std::optional<JobIntent> intent = ParseJobRecord(ReadAll(record));
    if (!intent)
        return Recovery::Undone;
    if (IsPublished(*intent))
        return FinishPublished(folder, *intent);
    RemoveIfItIs(intent->nativePartial, intent->outputInode);
    return Recovery::Undone;
}

int RecoverEndedJobs(int folder) {
    DIR* dir = ::fdopendir(::dup(folder));
    if (dir == nullptr)
        return 0;
    int recovered = 0;
    while (const dirent* entry = ::readdir(dir)) {
        if (!IsJobRecordName(entry->d_name))
            continue;
        const std::string name = entry->d_name;
        if (const files::UniqueFd record = OpenEndedRecord(folder, name)) {
            RecoverJob(folder, record.get());
            ::unlinkat(folder, name.c_str(), 0);
            ++recovered;
        }
    }
    ::closedir(dir);
    return recovered;
}

int RecoverEndedJobsIn(const std::vector<std::string>& storedFolders) {
    std::set<std::string> visited;
    int recovered = 0;
    for (const std::string& stored : storedFolders) {
        const std::string native = platform::resolvePath(stored);
        if (native.empty() || !visited.insert(native).second)
            continue;
        const files::UniqueFd folder(::open(native.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (folder)
            recovered += RecoverEndedJobs(folder.get());
    }
    return recovered;
}

JobClaim JobClaim::Take(int folder, ino_t inputInode) {
    JobClaim claim;
    claim.recordName_ = JobRecordName(inputInode);
    const char* name = claim.recordName_.c_str();
    const auto fail = [&claim](std::string why) {
        claim.result_ = Result::Failed;
        claim.failure_ = std::move(why);
        return std::move(claim);
    };
    claim.folder_.reset(::dup(folder));
    if (!claim.folder_)
        return fail(std::strerror(errno));
    for (int attempt = 0; attempt < kClaimAttempts; ++attempt) {
        files::UniqueFd record(
            ::openat(folder, name, O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
        const bool created = record.isOpen();
        if (!created) {
            if (errno != EEXIST)
                return fail(std::strerror(errno));
            record.reset(::openat(folder, name, O_RDWR | O_NOFOLLOW | O_CLOEXEC));
            if (!record && errno == ENOENT)
                continue; // finished by another run meanwhile
            if (!record)
                return fail(std::strerror(errno));
        }
        if (!IsOurs(record.get()))
            return fail(claim.recordName_ + " in the input folder is not this user's");
        if (::flock(record.get(), LOCK_EX | LOCK_NB) != 0) {
            if (errno != EWOULDBLOCK)
                return fail(std::strerror(errno));
            claim.result_ = Result::ClaimedElsewhere;
            return claim;
        }
        if (!StillNamed(folder, claim.recordName_, record.get()))
            continue;
        if (!created) {
            RecoverJob(folder, record.get());
            ::unlinkat(folder, name, 0);
            continue;
        }
        claim.record_ = std::move(record);
        claim.result_ = Result::Claimed;
        return claim;
    }
    return fail("the claim of the dictation keeps changing hands");
}

bool JobClaim::RecordIntent(const JobIntent& intent) {
    const std::string text = JobRecordText(intent);
    const int fd = record_.get();
    const auto write = [fd](const void* data, std::size_t size) { return ::write(fd, data, size); };
    return ::ftruncate(fd, 0) == 0 && ::lseek(fd, 0, SEEK_SET) == 0 &&
           files::writeFully(write, text.data(), text.size()) && ::fsync(fd) == 0 &&
           ::fsync(folder_.get()) == 0;
}

JobClaim& JobClaim::operator=(JobClaim&& other) noexcept {
    if (this != &other) {
        Release();
        folder_ = std::move(other.folder_);
        record_ = std::move(other.record_);
        recordName_ = std::move(other.recordName_);
        result_ = other.result_;
        failure_ = std::move(other.failure_);
    }
    return *this;
}

void JobClaim::Release() {
    if (!record_)
        return;
    // Removed while still locked: a run that opened it meanwhile sees that it is gone.
    ::unlinkat(folder_.get(), recordName_.c_str(), 0);
    record_.reset();
}

} // namespace convert
