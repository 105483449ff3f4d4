// Shared fixtures of the toolkit tests: the stand-in plug-in folders and the last-error text.
#pragma once

#include "recorded_call.h"

#include "platform_test/test_folder.h"

#include <optional>
#include <string>

namespace toolkit_test {

// A fresh temporary folder, removed with its files when the object goes.
using TempFolder = platform_test::TestFolder;

// Points the toolkit at one folder of stand-in plug-ins ("recorder", "failing", "noentry")
// or any other folder, and restores the previous setting when the object goes.
class PluginFolder {
public:
    explicit PluginFolder(const std::string& folder);
    ~PluginFolder();
    PluginFolder(const PluginFolder&) = delete;
    PluginFolder& operator=(const PluginFolder&) = delete;

    static std::string standIn(const char* behaviour);

private:
    std::optional<std::string> previous_;
};

// The toolkit's last-error text, through its export.
std::string lastError();

// The record the recording plug-in wrote into fileName, or nothing when there is none.
std::optional<RecordedCall> readRecord(const std::string& fileName);

void writeFile(const std::string& fileName, const std::string& bytes);
std::string readFile(const std::string& fileName);

} // namespace toolkit_test

// Runs `check` (returning true when all is well) in a freshly started copy of the test
// program, so that it sees the toolkit as it is right after loading, whatever ran before in
// this process. The child prints its findings to standard error.
#define EXPECT_IN_FRESHLY_LOADED_TOOLKIT(check)                                                    \
    do {                                                                                           \
        GTEST_FLAG_SET(death_test_style, "threadsafe");                                            \
        EXPECT_EXIT(std::exit((check)() ? 0 : 1), testing::ExitedWithCode(0), "");                 \
    } while (false)
