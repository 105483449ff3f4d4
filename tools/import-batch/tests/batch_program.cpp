#include "batch_program.h"

#include "platform_test/wait_for.h"

#include <fcntl.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <fstream>

namespace batch_test {

BatchWorkspace::BatchWorkspace(bool inMemory) {
    std::error_code ignored;
    const bool useMemory =
        inMemory && fs::is_directory("/dev/shm", ignored) && ::access("/dev/shm", W_OK) == 0;
    {
        const platform_test::ScopedEnv base(
            "TMPDIR", useMemory ? std::optional<std::string>("/dev/shm")
                                : std::optional<std::string>(fs::temp_directory_path().string()));
        folder_ = std::make_unique<platform_test::TestFolder>();
    }
    fs::create_directories(work());
    fs::create_directories(temp());
    fs::create_directories(root() / "drives");
}

void BatchWorkspace::writeConfig(const std::vector<std::string>& lines) const {
    std::string text = "[Startup]\r\n";
    for (const std::string& line : lines)
        text += line + "\r\n";
    folder_->writeFile("work/import.ini", text);
}

fs::path BatchWorkspace::addFile(const std::string& relative, const std::string& content) const {
    return folder_->writeFile(fs::path("drives") / relative, content);
}

fs::path BatchWorkspace::addScript(const std::string& name, const std::string& body) const {
    const fs::path path = folder_->writeFile(fs::path("bin") / name, "#!/bin/sh\n" + body + "\n");
    fs::permissions(path, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                              fs::perms::others_read | fs::perms::others_exec);
    return path;
}

RunningBatch::RunningBatch(const BatchWorkspace& workspace,
                           const std::vector<std::string>& arguments,
                           const std::function<bool()>& inChild,
                           const std::vector<std::string>& launcher) {
    static std::atomic<int> counter{0};
    const std::string tag = std::to_string(::getpid()) + "-" + std::to_string(counter++);
    outFile_ = workspace.root() / ("out-" + tag + ".txt");
    errFile_ = workspace.root() / ("err-" + tag + ".txt");
    const std::string work = workspace.work().string();
    const std::string drives = (workspace.root() / "drives").string();
    const std::string temp = workspace.temp().string() + "/";
    std::vector<std::string> argv = launcher;
    argv.push_back(IMPORT_BATCH_PROGRAM);
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    std::vector<char*> pointers;
    for (std::string& argument : argv)
        pointers.push_back(argument.data());
    pointers.push_back(nullptr);

    pid_ = ::fork();
    if (pid_ != 0)
        return;
    const int out = ::open(outFile_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int err = ::open(errFile_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int in = ::open("/dev/null", O_RDONLY);
    if (out < 0 || err < 0 || in < 0 || ::dup2(out, 1) < 0 || ::dup2(err, 2) < 0 ||
        ::dup2(in, 0) < 0 || ::chdir(work.c_str()) != 0)
        ::_exit(126);
    ::setenv("IMPORT_DRIVE_ROOT", drives.c_str(), 1);
    ::setenv("TMPDIR", temp.c_str(), 1);
    if (inChild && !inChild())
        ::_exit(125);
    ::execvp(pointers[0], pointers.data());
    ::_exit(127);
}

RunningBatch::~RunningBatch() {
    if (!waited_ && pid_ > 0) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
}

void RunningBatch::signal(int number) const {
    ::kill(pid_, number);
}

std::string RunningBatch::read(const fs::path& file) const {
    return platform_test::readFileBytes(file);
}

bool RunningBatch::waitForError(const std::string& text) const {
    return platform_test::waitFor([&] { return read(errFile_).find(text) != std::string::npos; });
}

BatchResult RunningBatch::wait() {
    int status = 0;
    const bool ended = ::waitpid(pid_, &status, 0) == pid_;
    return collect(ended, status);
}

std::optional<BatchResult> RunningBatch::waitWithin(std::chrono::milliseconds time) {
    int status = 0;
    if (!platform_test::waitFor([&] { return ::waitpid(pid_, &status, WNOHANG) == pid_; }, time))
        return std::nullopt;
    return collect(true, status);
}

BatchResult RunningBatch::collect(bool ended, int status) {
    BatchResult result;
    if (ended) {
        waited_ = true;
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    result.out = read(outFile_);
    result.err = read(errFile_);
    std::error_code ignored;
    fs::remove(outFile_, ignored);
    fs::remove(errFile_, ignored);
    return result;
}

std::function<bool()> smallFileSystemAt(const fs::path& folder, const std::string& size) {
    const std::string target = folder.string();
    const std::string options = "size=" + size;
    return [target, options] {
        return ::unshare(CLONE_NEWNS) == 0 &&
               ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
               ::mount("tmpfs", target.c_str(), "tmpfs", 0, options.c_str()) == 0;
    };
}

BatchResult runBatch(const BatchWorkspace& workspace, const std::vector<std::string>& arguments,
                     const std::function<bool()>& inChild,
                     const std::vector<std::string>& launcher) {
    RunningBatch running(workspace, arguments, inChild, launcher);
    return running.wait();
}

} // namespace batch_test
