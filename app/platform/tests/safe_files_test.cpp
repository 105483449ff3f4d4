#include "platform/safe_files.h"
#include "platform_test/test_folder.h"
#include "platform_test/unprivileged.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

namespace platform {
namespace {

namespace fs = std::filesystem;
using platform_test::readFileBytes;

// Only the files a test expects: a partial file left behind shows up here.
std::vector<std::string> namesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

struct NumberedCase {
    const char* name;
    int k;
    const char* expected;
};

TEST(NumberedNameTest, PutsTheNumberBeforeTheLastExtension) {
    const NumberedCase cases[] = {
        {"_abc.wav", 1, "_abc(1).wav"},
        {"_abc.wav", 100, "_abc(100).wav"},
        {"a.b.dss", 2, "a.b(2).dss"},
        {"noext", 3, "noext(3)"},
        {"trailing.", 4, "trailing(4)."},
        {".hidden", 5, "(5).hidden"},
        {"Ünïcode memo.WAV", 6, "Ünïcode memo(6).WAV"},
    };
    for (const NumberedCase& c : cases)
        EXPECT_EQ(numberedName(c.name, c.k), c.expected) << c.name << " " << c.k;
}

TEST(PartialNameTest, PartialPathsLieBesideTheTargetUnderANameNoJobRuleTakes) {
    const std::string first = partialPathFor("/out/N 1207-001 1001 0000 00  .vox");
    const std::string second = partialPathFor("/out/N 1207-001 1001 0000 00  .vox");
    EXPECT_NE(first, second);
    const fs::path path(first);
    EXPECT_EQ(path.parent_path(), "/out");
    EXPECT_TRUE(isPartialName(path.filename().string()));
    EXPECT_EQ(path.filename().string().rfind(".N 1207-001", 0), 0u);
    EXPECT_EQ(fs::path(partialPathFor("relative.wav")).parent_path(), ".");

    for (const char* name : {".part", "a.part", ".a.wav", "memo.wav", ".a.part.wav"})
        EXPECT_FALSE(isPartialName(name)) << name;
    EXPECT_TRUE(isPartialName(".a.wav.12-0.part"));
}

class CopyFileSafelyTest : public ::testing::Test {
protected:
    platform_test::TestFolder folder_;
    fs::path source_ = folder_.writeFile("in/memo.wav", std::string(200000, 'd'));
    fs::path target_ = folder_.path() / "out" / "memo.wav";
    void SetUp() override { fs::create_directories(target_.parent_path()); }
};

TEST_F(CopyFileSafelyTest, CopiesTheWholeFileAndLeavesNoPartialFile) {
    EXPECT_EQ(copyFileSafely(source_, target_, false), PublishResult::Published);
    EXPECT_EQ(readFileBytes(target_), readFileBytes(source_));
    EXPECT_EQ(namesIn(target_.parent_path()), std::vector<std::string>{"memo.wav"});
}

TEST_F(CopyFileSafelyTest, NeverReplacesAnExistingTargetUnlessAskedTo) {
    folder_.writeFile("out/memo.wav", "older dictation");
    EXPECT_EQ(copyFileSafely(source_, target_, false), PublishResult::TargetExists);
    EXPECT_EQ(readFileBytes(target_), "older dictation");
    EXPECT_EQ(namesIn(target_.parent_path()), std::vector<std::string>{"memo.wav"});

    EXPECT_EQ(copyFileSafely(source_, target_, true), PublishResult::Published);
    EXPECT_EQ(readFileBytes(target_), readFileBytes(source_));
}

TEST_F(CopyFileSafelyTest, AnUnreadableSourceLeavesNothing) {
    folder_.makeFolder("in/folder.wav");
    for (const fs::path& source :
         {folder_.path() / "in" / "gone.wav", folder_.path() / "in/folder.wav"}) {
        EXPECT_EQ(copyFileSafely(source, target_, false), PublishResult::Failed) << source;
        EXPECT_TRUE(namesIn(target_.parent_path()).empty()) << source;
    }
    EXPECT_EQ(copyFileSafely(source_, folder_.path() / "missing" / "memo.wav", false),
              PublishResult::Failed);
}

// A full disk part-way through: the copy fails and nothing is left under any name.
TEST_F(CopyFileSafelyTest, AWriteFailingPartWayLeavesNothing) {
    struct rlimit old {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 70000;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const PublishResult result = copyFileSafely(source_, target_, false);
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(result, PublishResult::Failed);
    EXPECT_TRUE(namesIn(target_.parent_path()).empty());
}

TEST_F(CopyFileSafelyTest, AnUnwritableFolderFailsCleanly) {
    platform_test::shareWithEveryone(folder_.path());
    fs::permissions(target_.parent_path(),
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    const std::optional<bool> failed = platform_test::runUnprivileged(
        [&] { return copyFileSafely(source_, target_, false) == PublishResult::Failed; });
    ASSERT_TRUE(failed.has_value()) << "the check could not run without privileges";
    EXPECT_TRUE(*failed);
    EXPECT_TRUE(namesIn(target_.parent_path()).empty());
}

TEST(RenameWithoutReplacingTest, RefusesAnExistingNameAndKeepsBothFiles) {
    platform_test::TestFolder folder;
    const fs::path from = folder.writeFile("abc.wav", "new");
    const fs::path taken = folder.writeFile("_abc.wav", "old");
    errno = 0;
    EXPECT_FALSE(renameWithoutReplacing(from, taken));
    EXPECT_EQ(errno, EEXIST);
    EXPECT_EQ(readFileBytes(taken), "old");
    EXPECT_EQ(readFileBytes(from), "new");

    EXPECT_TRUE(renameWithoutReplacing(from, folder.path() / "_abc(1).wav"));
    EXPECT_EQ(namesIn(folder.path()), (std::vector<std::string>{"_abc(1).wav", "_abc.wav"}));
}

// A process id that has surely ended: a child that has exited and been reaped.
pid_t endedProcessId() {
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    int status = 0;
    ::waitpid(child, &status, 0);
    return child;
}

TEST(RemoveAbandonedPartialsTest, RemovesOnlyPartialFilesOfEndedProcesses) {
    platform_test::TestFolder folder;
    const std::string dead = std::to_string(endedProcessId());
    const std::string live = std::to_string(::getpid());
    const std::vector<std::string> kept = {
        ".N 0315-001 1001 0000 00  .vox." + live + "-0.part", // being written
        "N 0315-001 1001 0000 00  .vox",                      // a finished output
        ".memo.wav.part",                                     // no writer named
        ".memo.wav.x" + dead + "-0.part",                     // not a process id
        "memo.wav." + dead + "-0.part",                       // not a partial name
    };
    for (const std::string& name : kept)
        folder.writeFile(name, "x");
    folder.writeFile(".N 0315-002 1001 0000 00  .vox." + dead + "-3.part", "half");
    folder.writeFile(".a b 'c'.wav." + dead + "-17.part", "half");

    EXPECT_EQ(removeAbandonedPartials(folder.str()), 2);
    std::vector<std::string> expected = kept;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(namesIn(folder.path()), expected);
    EXPECT_EQ(removeAbandonedPartials((folder.path() / "missing").string()), 0);
}

} // namespace
} // namespace platform
