// Every failure says why: the job's line carries the reason in brackets (a full temporary
// folder, a read-only output folder, a temporary folder that is not the run's own), and an error
// log that cannot be written is said once on standard error.
#include "batch_fixture.h"

#include "platform_test/unprivileged.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

namespace batch_test {
namespace {

namespace fs = std::filesystem;

class ReasonTest;

// What a case makes of the workspace: the child's set-up, the launcher, and what it expects.
struct ReasonSetup {
    std::function<bool()> inChild;
    std::vector<std::string> launcher;
    std::string firstLine;
    std::string errOnce; // said exactly once on standard error; may be empty
};

struct ReasonCase {
    const char* name;
    bool unprivileged; // run as "nobody" when the suite runs as root
    bool needsRoot;    // to make a folder for another user
    ReasonSetup (*prepare)(ReasonTest&);
};

void PrintTo(const ReasonCase& c, std::ostream* os) {
    *os << c.name;
}

class ReasonTest : public OneRowTest, public ::testing::TestWithParam<ReasonCase> {
public:
    const std::string a = "C:\\Dict\\Type1\\a.wav";

    // The folder below $TMPDIR that the program takes for its runs.
    fs::path userTemp(bool unprivileged) const {
        const uid_t user =
            unprivileged && ::geteuid() == 0 ? platform_test::kNobodyId : ::geteuid();
        return workspace.temp() / ("quorvel-import-" + std::to_string(user));
    }
    std::string copyFailed(const std::string& why) const {
        return a + ": Could not copy file " + a + " to Windows temp folder (" + why + ")";
    }
    std::string outputFailed(const std::string& output, const std::string& why) const {
        return a + ": Error creating output file - " + output + " (" + why + ")";
    }
};

// The dictation is large enough for two of the kernel's copy chunks of 1 MiB.
constexpr std::size_t kLargeDictation = 800000;

ReasonSetup SmallTemporaryFileSystem(ReasonTest& t) {
    return {smallFileSystemAt(t.workspace.temp(), "64k"),
            {},
            t.copyFailed("No space left on device"),
            ""};
}

// The second copy call of every thread fails as on a full disk, after the first chunk went
// through. The leak check cannot stop threads under a tracer.
ReasonSetup NoSpaceInjectedAfterAFirstChunk(ReasonTest& t) {
    return {[] { return ::setenv("ASAN_OPTIONS", "detect_leaks=0", 1) == 0; },
            {"strace", "-f", "-qq", "-o", "/dev/null", "-e", "trace=copy_file_range", "-e",
             "inject=copy_file_range:error=ENOSPC:when=2", "--"},
            t.copyFailed("No space left on device"),
            ""};
}

ReasonSetup ReadOnlyOutputFolder(ReasonTest& t) {
    fs::permissions(t.out1, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                fs::perms::group_exec | fs::perms::others_read |
                                fs::perms::others_exec);
    return {platform_test::dropPrivileges,
            {},
            t.outputFailed(t.outputPath(1), "Permission denied"),
            ""};
}

ReasonSetup TemporaryFolderIsALink(ReasonTest& t) {
    fs::create_directories(t.workspace.root() / "elsewhere");
    fs::create_directory_symlink(t.workspace.root() / "elsewhere", t.userTemp(false));
    return {{}, {}, t.copyFailed(t.userTemp(false).string() + " is a symbolic link"), ""};
}

ReasonSetup TemporaryFolderIsAFile(ReasonTest& t) {
    std::ofstream(t.userTemp(false)) << "not a folder";
    return {{}, {}, t.copyFailed(t.userTemp(false).string() + " is not a folder"), ""};
}

// Made by root for the unprivileged user who runs the program.
ReasonSetup TemporaryFolderOfAnotherUser(ReasonTest& t) {
    fs::create_directories(t.userTemp(true));
    return {platform_test::dropPrivileges,
            {},
            t.copyFailed(t.userTemp(true).string() + " belongs to user 0"),
            ""};
}

// Both jobs fail for a missing output folder; the log's failure is said once.
ReasonSetup UnwritableErrorLog(ReasonTest& t) {
    t.configure({"VoxFormat=3", "ShowErrors=1"});
    fs::remove_all(t.out1);
    fs::create_directory(t.workspace.work() / "errorlog.txt");
    return {{},
            {},
            t.outputFailed(t.outputPath(1), "No such file or directory"),
            "import-batch: cannot write the error log errorlog.txt (Is a directory)"};
}

TEST_P(ReasonTest, TheLineSaysWhy) {
    const ReasonCase& c = GetParam();
    if (c.needsRoot && ::geteuid() != 0)
        GTEST_SKIP() << "only root can make a folder for another user";
    configure({"VoxFormat=3"});
    workspace.addFile("c/Dict/Type1/a.wav", wave(1, kLargeDictation));
    workspace.addFile("c/Dict/Type1/b.wav", wave(2));
    if (c.unprivileged)
        platform_test::shareWithEveryone(workspace.root());
    const ReasonSetup setup = c.prepare(*this);
    if (!setup.launcher.empty() && std::system("strace -o /dev/null -qq true 2>/dev/null") != 0)
        GTEST_SKIP() << "strace cannot trace here";
    const BatchResult result = runBatch(workspace, {}, setup.inChild, setup.launcher);
    if (result.exitCode == 125)
        GTEST_SKIP() << "the set-up needs privileges this machine does not give";

    EXPECT_EQ(result.exitCode, 1) << result.err;
    const std::vector<std::string> lines = linesOf(result.out);
    ASSERT_FALSE(lines.empty()) << result.err;
    EXPECT_EQ(lines[0], setup.firstLine);
    EXPECT_TRUE(fs::exists(in1 / "a.wav")) << "the dictation stays waiting";
    if (!setup.errOnce.empty()) {
        const std::size_t first = result.err.find(setup.errOnce);
        EXPECT_NE(first, std::string::npos) << result.err;
        EXPECT_EQ(result.err.find(setup.errOnce, first + 1), std::string::npos) << result.err;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Failures, ReasonTest,
    ::testing::Values(
        ReasonCase{"SmallTemporaryFileSystem", false, false, SmallTemporaryFileSystem},
        ReasonCase{"NoSpaceInjectedAfterAFirstChunk", false, false,
                   NoSpaceInjectedAfterAFirstChunk},
        ReasonCase{"ReadOnlyOutputFolder", true, false, ReadOnlyOutputFolder},
        ReasonCase{"TemporaryFolderIsALink", false, false, TemporaryFolderIsALink},
        ReasonCase{"TemporaryFolderIsAFile", false, false, TemporaryFolderIsAFile},
        ReasonCase{"TemporaryFolderOfAnotherUser", true, true, TemporaryFolderOfAnotherUser},
        ReasonCase{"UnwritableErrorLog", false, false, UnwritableErrorLog}));

} // namespace
} // namespace batch_test
