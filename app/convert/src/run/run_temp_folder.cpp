#include "convert/run_temp_folder.h"

#include "platform/paths.h"

#include <dirent.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string_view>
#include <system_error>

namespace convert {
namespace {

constexpr std::string_view kRunPrefix = "run-";

// A folder of ours: a real folder (not a link), owned by this user, closed to everyone else.
// Empty, or why the folder cannot be used.
std::string MakePrivateFolder(const std::string& path) {
    const auto failed = [&path](const std::string& why) { return path + " " + why; };
    if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST)
        return failed(std::string("cannot be made: ") + std::strerror(errno));
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0)
        return failed(std::string("cannot be examined: ") + std::strerror(errno));
    if (S_ISLNK(info.st_mode))
        return failed("is a symbolic link");
    if (!S_ISDIR(info.st_mode))
        return failed("is not a folder");
    if (info.st_uid != ::geteuid())
        return failed("belongs to user " + std::to_string(info.st_uid));
    if ((info.st_mode & 077) != 0 && ::chmod(path.c_str(), 0700) != 0)
        return failed(std::string("cannot be closed to other users: ") + std::strerror(errno));
    return {};
}

bool IsRunOfEndedProcess(std::string_view name) {
    if (!name.starts_with(kRunPrefix) || name.size() == kRunPrefix.size())
        return false;
    pid_t pid = 0;
    for (char c : name.substr(kRunPrefix.size())) {
        if (c < '0' || c > '9' || pid > 100000000)
            return false;
        pid = pid * 10 + (c - '0');
    }
    return pid != ::getpid() && ::kill(pid, 0) != 0 && errno == ESRCH;
}

void RemoveEndedRuns(const std::string& userFolder) {
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(userFolder, ignored)) {
        if (IsRunOfEndedProcess(entry.path().filename().string()))
            std::filesystem::remove_all(entry.path(), ignored);
    }
}

} // namespace

std::string RunTempFolder::DefaultBase() {
    return platform::tempFolder();
}

RunTempFolder::RunTempFolder(std::string baseFolder) {
    if (!baseFolder.empty() && baseFolder.back() != '/')
        baseFolder += '/';
    const std::string userFolder = baseFolder + "quorvel-import-" + std::to_string(::geteuid());
    failure_ = MakePrivateFolder(userFolder);
    if (!failure_.empty())
        return;
    RemoveEndedRuns(userFolder);
    const std::string runFolder =
        userFolder + "/" + std::string(kRunPrefix) + std::to_string(::getpid());
    // A folder of this process's id left by an earlier run of this process is emptied too.
    std::error_code ignored;
    std::filesystem::remove_all(runFolder, ignored);
    failure_ = MakePrivateFolder(runFolder);
    if (failure_.empty())
        path_ = runFolder + "/";
}

RunTempFolder::~RunTempFolder() {
    if (path_.empty())
        return;
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

} // namespace convert
