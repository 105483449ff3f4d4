#include "batch_program.h"

#include "convert/clock.h"
#include "convert/output_namer.h"
#include "platform_test/wait_for.h"
#include "wave_test/wave_fixture.h"

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

void BatchWorkspace::writeConfig(const std::vector<std::string>& lines,
                                 const std::string& workFolder) const {
    std::string text = "[Startup]\r\n";
    for (const std::string& line : lines)
        text += line + "\r\n";
    // The tests' dictations were written a moment ago; the first key of a name wins, so a test
    // that sets the settle time itself gets its own.
    text += "SettleSeconds=0\r\n";
    folder_->writeFile(fs::path(workFolder) / "import.ini", text);
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
                           const std::vector<std::string>& wrapper)
    : RunningBatch(Launch{workspace, arguments, "work", wrapper, inChild}) {}

RunningBatch::RunningBatch(const Launch& launch) {
    const BatchWorkspace& workspace = launch.workspace;
    static std::atomic<int> counter{0};
    const std::string tag = std::to_string(::getpid()) + "-" + std::to_string(counter++);
    outFile_ = workspace.root() / ("out-" + tag + ".txt");
    errFile_ = workspace.root() / ("err-" + tag + ".txt");
    const std::string work = workspace.work(launch.workFolder).string();
    const std::string drives = (workspace.root() / "drives").string();
    const std::string temp = workspace.temp().string() + "/";
    std::vector<std::string> argv = launch.wrapper;
    argv.push_back(IMPORT_BATCH_PROGRAM);
    argv.insert(argv.end(), launch.arguments.begin(), launch.arguments.end());
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
    if (launch.inChild && !launch.inChild())
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

bool RunningBatch::endsWithin(std::chrono::milliseconds deadline) {
    ended_ = ended_ || platform_test::waitFor(
                           [&] { return ::waitpid(pid_, &status_, WNOHANG) == pid_; }, deadline);
    return ended_;
}

std::optional<BatchResult> RunningBatch::waitWithin(std::chrono::milliseconds time) {
    if (!endsWithin(time))
        return std::nullopt;
    return wait();
}

BatchResult RunningBatch::wait() {
    BatchResult result;
    if (ended_ || ::waitpid(pid_, &status_, 0) == pid_) {
        waited_ = true;
        result.exitCode = WIFEXITED(status_) ? WEXITSTATUS(status_) : 128 + WTERMSIG(status_);
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
                     const std::vector<std::string>& wrapper) {
    RunningBatch running(workspace, arguments, inChild, wrapper);
    return running.wait();
}

BatchResult runBatch(const Launch& launch) {
    RunningBatch running(launch);
    return running.wait();
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end - start));
        start = end == std::string::npos ? text.size() : end + 1;
    }
    return lines;
}

std::string todayKey() {
    const convert::SystemClock clock;
    convert::OutputNamer namer(clock);
    namer.UpdateJobDateKey();
    return namer.JobDateKey();
}

std::string wave(int seed, std::size_t samples) {
    std::vector<int16_t> values(samples);
    for (std::size_t i = 0; i < samples; ++i)
        values[i] = static_cast<int16_t>((static_cast<int>(i) * 31 + seed * 977) % 20000 - 10000);
    return toolkit_test::pcm16Wave(values, 8000);
}

} // namespace batch_test
