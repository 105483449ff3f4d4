// Running the built import-batch in a workspace: its own working folder, drive root and
// temporary folder, standard output and error captured in files.
#pragma once

#include "platform_test/test_folder.h"

#include <sys/types.h>

#include <filesystem>
#include <functional>
#include <memory>
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
class BatchWorkspace {
public:
    // inMemory: on /dev/shm where it exists, for tests of many jobs, where flushing every
    // output to a real disk would cost most of the time.
    explicit BatchWorkspace(bool inMemory = false);

    fs::path work() const { return root() / "work"; }
    fs::path drive(const std::string& relative) const { return root() / "drives" / relative; }
    fs::path temp() const { return root() / "tmp"; }
    const fs::path& root() const { return folder_->path(); }

    // import.ini with these [Startup] lines, and a settle time of 0 unless they set one.
    void writeConfig(const std::vector<std::string>& lines) const;
    // A file below the drive root.
    fs::path addFile(const std::string& relative, const std::string& content) const;

private:
    std::unique_ptr<platform_test::TestFolder> folder_;
};

// A started import-batch.
class RunningBatch {
public:
    // inChild runs in the child before the program starts (limits, namespaces); it returns
    // false when the child cannot go on (the program then ends with 125).
    RunningBatch(const BatchWorkspace& workspace, const std::vector<std::string>& arguments,
                 const std::function<bool()>& inChild = {});
    ~RunningBatch();
    RunningBatch(const RunningBatch&) = delete;
    RunningBatch& operator=(const RunningBatch&) = delete;

    pid_t pid() const { return pid_; }
    void signal(int number) const;
    // Waits until standard error holds the text; false at the deadline.
    bool waitForError(const std::string& text) const;
    BatchResult wait();

private:
    std::string read(const fs::path& file) const;
    pid_t pid_ = -1;
    fs::path outFile_;
    fs::path errFile_;
    bool waited_ = false;
};

BatchResult runBatch(const BatchWorkspace& workspace, const std::vector<std::string>& arguments,
                     const std::function<bool()>& inChild = {});

} // namespace batch_test
