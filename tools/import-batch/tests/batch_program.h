// Running the built import-batch in a workspace: its own working folder, drive root and
// temporary folder, standard output and error captured in files.
#pragma once

#include "platform_test/test_folder.h"

#include <sys/types.h>

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace batch_test {

namespace fs = std::filesystem;

struct BatchResult {
    int exitCode = -1; // 128 + signal when ended by a signal
    std::string out;
    std::string err;
};

// A workspace: work/ holds import.ini, drives/ the drive letters, tmp/ the temporary files.
// Further working folders lie beside work/.
class BatchWorkspace {
public:
    // inMemory: on /dev/shm where it exists, for tests of many jobs, where flushing every
    // output to a real disk would cost most of the time.
    explicit BatchWorkspace(bool inMemory = false);

    fs::path work(const std::string& name = "work") const { return root() / name; }
    fs::path drive(const std::string& relative) const { return root() / "drives" / relative; }
    fs::path temp() const { return root() / "tmp"; }
    const fs::path& root() const { return folder_->path(); }

    // import.ini with these [Startup] lines, and a settle time of 0 unless they set one, in a
    // working folder (made when missing).
    void writeConfig(const std::vector<std::string>& lines,
                     const std::string& workFolder = "work") const;
    // A file below the drive root.
    fs::path addFile(const std::string& relative, const std::string& content) const;
    // An executable shell script in bin/ with this body; its native path.
    fs::path addScript(const std::string& name, const std::string& body) const;

private:
    std::unique_ptr<platform_test::TestFolder> folder_;
};

// How a run is started.
struct Launch {
    const BatchWorkspace& workspace;
    std::vector<std::string> arguments = {};
    std::string workFolder = "work"; // below the workspace's root
    // A program the runner is started under, with its arguments (strace ...), searched in
    // PATH; empty for none.
    std::vector<std::string> wrapper = {};
    // Runs in the child before the program starts (limits, namespaces, dropping privileges);
    // returns false when the child cannot go on (the program then ends with 125).
    std::function<bool()> inChild = {};
};

// A started import-batch.
class RunningBatch {
public:
    explicit RunningBatch(const Launch& launch);
    RunningBatch(const BatchWorkspace& workspace, const std::vector<std::string>& arguments,
                 const std::function<bool()>& inChild = {},
                 const std::vector<std::string>& wrapper = {});
    ~RunningBatch();
    RunningBatch(const RunningBatch&) = delete;
    RunningBatch& operator=(const RunningBatch&) = delete;

    pid_t pid() const { return pid_; }
    void signal(int number) const;
    // Waits until standard error holds the text; false at the deadline.
    bool waitForError(const std::string& text) const;
    // True when the program has ended by the deadline (it is then waited for by wait()).
    bool endsWithin(std::chrono::milliseconds deadline);
    BatchResult wait();
    // The result when the program ends within the time; nullopt (and it is killed at the end
    // of the scope) when it does not.
    std::optional<BatchResult> waitWithin(std::chrono::milliseconds time);

private:
    std::string read(const fs::path& file) const;
    pid_t pid_ = -1;
    int status_ = 0;
    bool ended_ = false;
    fs::path outFile_;
    fs::path errFile_;
    bool waited_ = false;
};

// For inChild: mounts a file system of this size (such as "64k") on the folder, in a mount
// namespace of the child's own. It needs the privilege to make one: without it the program ends
// with 125 and the test is skipped.
std::function<bool()> smallFileSystemAt(const fs::path& folder, const std::string& size);

BatchResult runBatch(const BatchWorkspace& workspace, const std::vector<std::string>& arguments,
                     const std::function<bool()>& inChild = {},
                     const std::vector<std::string>& wrapper = {});
BatchResult runBatch(const Launch& launch);

// The lines of a program's output, without their line breaks.
std::vector<std::string> linesOf(const std::string& text);
// Today's day key as the program computes it.
std::string todayKey();
// A 16-bit mono wave of 8000 Hz whose samples depend on the seed.
std::string wave(int seed, std::size_t samples = 4000);

} // namespace batch_test
