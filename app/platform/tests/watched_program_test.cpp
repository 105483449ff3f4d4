// A watched program ends one way or another, and takes every process it started with it: stand-in
// scripts that write their process ids ($1) before they do what they do.
#include "platform/watched_program.h"
#include "platform_test/processes.h"
#include "platform_test/test_folder.h"
#include "platform_test/wait_for.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

namespace {

namespace fs = std::filesystem;
using How = platform::WatchedProgramEnd::How;
using namespace std::chrono_literals;

struct WatchCase {
    const char* name;
    const char* script;
    std::chrono::milliseconds limit;
    bool stopOnceRunning; // the stop request comes once the script has written its ids
    How how;
    int exitCode;
    std::size_t processes; // ids the script writes
};

// CTest lists each case under its name.
void PrintTo(const WatchCase& c, std::ostream* os) {
    *os << c.name;
}

void expectAllEnded(const fs::path& ids) {
    for (const pid_t id : platform_test::processIdsIn(ids))
        EXPECT_TRUE(platform_test::waitFor([&] { return platform_test::processEnded(id); }))
            << "process " << id << " outlived the watch";
}

class WatchedProgramTest : public ::testing::TestWithParam<WatchCase> {
protected:
    platform_test::TestFolder folder;
    fs::path ids = folder.path() / "ids";
};

TEST_P(WatchedProgramTest, EndsAsWatchedAndLeavesNoProcess) {
    const WatchCase& c = GetParam();
    ASSERT_EQ(::mkfifo((ids.string() + ".fifo").c_str(), 0600), 0);
    platform::ProgramWatch watch{c.limit, {}};
    if (c.stopOnceRunning)
        watch.stopRequested = [&] {
            return platform_test::processIdsIn(ids).size() >= c.processes;
        };
    const platform::WatchedProgramEnd end =
        platform::runWatchedProgram("sh", {"-c", c.script, "sh", ids.string()}, watch);
    EXPECT_EQ(end.how, c.how);
    EXPECT_EQ(end.exitCode, c.exitCode);
    EXPECT_EQ(platform_test::processIdsIn(ids).size(), c.processes);
    expectAllEnded(ids);
}

constexpr auto kNoLimit = 0ms;
constexpr auto kShortLimit = 500ms;
constexpr const char* kInItsKeepersGroup =
    "read -r _ _ _ _ group _ < /proc/$$/stat; [ \"$group\" = \"$PPID\" ] && exit 7; exit 3";
constexpr const char* kSleeps = "echo $$ >> \"$1\"; exec sleep 600";
constexpr const char* kReadsAFifo = "echo $$ >> \"$1\"; exec cat \"$1.fifo\"";
constexpr const char* kLeavesAGrandchild =
    "trap '' TERM; echo $PPID >> \"$1\"; sleep 600 & echo $! >> \"$1\"; echo $$ >> \"$1\"; wait";

INSTANTIATE_TEST_SUITE_P(
    Programs, WatchedProgramTest,
    ::testing::Values(
        WatchCase{"ExitsInAGroupOfItsOwn", kInItsKeepersGroup, kNoLimit, false, How::Exited, 7, 0},
        WatchCase{"EndedBySignal", "kill -9 $$", kShortLimit, false, How::Exited, 128 + 9, 0},
        WatchCase{"SleepsPastTheLimit", kSleeps, kShortLimit, false, How::TimedOut, -1, 1},
        WatchCase{"BlocksReadingAFifo", kReadsAFifo, kShortLimit, false, How::TimedOut, -1, 1},
        WatchCase{"IgnoresSigtermAndLeavesAGrandchild", kLeavesAGrandchild, kShortLimit, false,
                  How::TimedOut, -1, 3},
        WatchCase{"StoppedWithItsGrandchild", kLeavesAGrandchild, kNoLimit, true, How::Stopped, -1,
                  3}));

TEST(WatchedProgramStartTest, SaysWhyAProgramDidNotStart) {
    platform_test::TestFolder folder;
    const fs::path plain = folder.writeFile("plain.txt", "text");
    const struct {
        std::string program;
        int error;
    } cases[] = {
        {(folder.path() / "missing").string(), ENOENT},
        {"no-such-program-quorvel", ENOENT},
        {"", ENOENT},
        {plain.string(), EACCES},
    };
    for (const auto& c : cases) {
        const platform::WatchedProgramEnd end = platform::runWatchedProgram(c.program, {}, {});
        EXPECT_EQ(end.how, How::NotStarted) << c.program;
        EXPECT_EQ(end.error, c.error) << c.program;
    }
}

// The caller killed with SIGKILL cannot kill anything itself: its keeper takes the group along.
TEST(WatchedProgramCallerTest, NoProcessOutlivesACallerKilledWithSigkill) {
    platform_test::TestFolder folder;
    const fs::path ids = folder.path() / "ids";
    const pid_t caller = ::fork();
    ASSERT_GE(caller, 0);
    if (caller == 0) {
        platform::runWatchedProgram("sh", {"-c", kLeavesAGrandchild, "sh", ids.string()}, {});
        ::_exit(0);
    }
    const bool running =
        platform_test::waitFor([&] { return platform_test::processIdsIn(ids).size() == 3; });
    ::kill(caller, SIGKILL);
    ::waitpid(caller, nullptr, 0);
    ASSERT_TRUE(running);
    expectAllEnded(ids);
}

} // namespace
