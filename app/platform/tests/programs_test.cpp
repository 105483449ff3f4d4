#include "platform/programs.h"
#include "platform_test/test_folder.h"
#include "platform_test/wait_for.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

using platform_test::TestFolder;

// The shell is only the program under test here: its script is fixed and every argument
// arrives as a positional parameter, so nothing is ever parsed by a shell.
const char* kWriteArgsScript =
    "out=$1; shift; for a in \"$@\"; do printf '[%s]\\n' \"$a\"; done > \"$out\"";

TEST(StartProgramTest, PassesEveryArgumentUnchanged) {
    TestFolder folder;
    const std::string out = (folder.path() / "args out.txt").string();
    const std::vector<std::string> args = {"-c",
                                           kWriteArgsScript,
                                           "sh",
                                           out,
                                           "plain",
                                           "with blanks",
                                           "$(touch pwned) `x` ; | & > <",
                                           "'quoted' \"double\"",
                                           "Ärger ü",
                                           ""};
    int exitCode = -1;
    ASSERT_TRUE(platform::startProgram("/bin/sh", args, true, &exitCode));
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(platform_test::readFileBytes(out),
              "[plain]\n[with blanks]\n[$(touch pwned) `x` ; | & > <]\n['quoted' \"double\"]\n"
              "[Ärger ü]\n[]\n");
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "pwned"));
}

TEST(StartProgramTest, ReportsTheExitCode) {
    for (int code : {0, 1, 7, 255}) {
        int exitCode = -1;
        ASSERT_TRUE(platform::startProgram("/bin/sh", {"-c", "exit " + std::to_string(code)}, true,
                                           &exitCode));
        EXPECT_EQ(exitCode, code) << "exit " << code;
    }
    int exitCode = -1;
    ASSERT_TRUE(platform::startProgram("sh", {"-c", "kill -9 $$"}, true, &exitCode));
    EXPECT_EQ(exitCode, 128 + 9);
}

TEST(StartProgramTest, FailureToStartIsTheResult) {
    TestFolder folder;
    int exitCode = 12345;
    EXPECT_FALSE(
        platform::startProgram((folder.path() / "no such program").string(), {}, true, &exitCode));
    EXPECT_EQ(exitCode, 12345);
    EXPECT_FALSE(platform::startProgram("no-such-program-quorvel", {"x"}, false));
    EXPECT_FALSE(platform::startProgram("", {}, true));
    const auto notExecutable = folder.writeFile("plain.txt", "text");
    EXPECT_FALSE(platform::startProgram(notExecutable.string(), {}, true));
}

TEST(StartProgramTest, WithoutWaitReturnsAndTheProgramStillRuns) {
    TestFolder folder;
    const std::string out = (folder.path() / "later.txt").string();
    const std::string done = (folder.path() / "done").string();
    ASSERT_TRUE(platform::startProgram(
        "/bin/sh", {"-c", "printf '%s' \"$1\" > \"$2\" && : > \"$3\"", "sh", "a b;c", out, done},
        false));
    ASSERT_TRUE(platform_test::waitFor([&] { return std::filesystem::exists(done); }));
    EXPECT_EQ(platform_test::readFileBytes(out), "a b;c");
}

} // namespace
