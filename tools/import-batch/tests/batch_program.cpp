#include "batch_program.h"

#include "platform_test/wait_for.h"

#include <fcntl.h>
#include <signal.h>
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
    // The tests' dictations were written a moment ago; the first key of a name wins, so a test
    // that sets the settle time itself gets its own.
    text += "SettleSeconds=0\r\n";
    folder_->writeFile("work/import.ini", text);
}

fs::path BatchWorkspace::addFile(const std::string& relative, const std::string& content) const {
    return folder_->writeFile(fs::path("drives") / relative, content);
}

RunningBatch::RunningBatch(const BatchWorkspace& workspace,
                           const std::vector<std::string>& arguments,
                           const std::function<bool()>& inChild) {
    static std::atomic<int> counter{0};
    const std::string tag = std::to_string(::getpid()) + "-" + std::to_string(counter++);
    outFile_ = workspace.root() / ("out-" + tag + ".txt");
    errFile_ = workspace.root() / ("err-" + tag + ".txt");
    const std::string work = workspace.work().string();
    const std::string drives = (workspace.root() / "drives").string();
    const std::string temp = workspace.temp().string() + "/";
    std::vector<std::string> argv = {IMPORT_BATCH_PROGRAM};
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
    ::execv(pointers[0], pointers.data());
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
    BatchResult result;
    int status = 0;
    if (::waitpid(pid_, &status, 0) == pid_) {
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

BatchResult runBatch(const BatchWorkspace& workspace, const std::vector<std::string>& arguments,
                     const std::function<bool()>& inChild) {
    RunningBatch running(workspace, arguments, inChild);
    return running.wait();
}

} // namespace batch_test
