#include "platform/safe_files.h"
#include "platform_test/folder_listing.h"
#include "platform_test/test_folder.h"
#include "platform_test/unprivileged.h"

#include <sys/resource.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

namespace platform {
namespace {

namespace fs = std::filesystem;
using files::PublishResult;
using platform_test::folderEntries;
using platform_test::readFileBytes;

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
    EXPECT_EQ(folderEntries(target_.parent_path()), std::vector<std::string>{"memo.wav"});
}

TEST_F(CopyFileSafelyTest, NeverReplacesAnExistingTargetUnlessAskedTo) {
    folder_.writeFile("out/memo.wav", "older dictation");
    EXPECT_EQ(copyFileSafely(source_, target_, false), PublishResult::TargetExists);
    EXPECT_EQ(readFileBytes(target_), "older dictation");
    EXPECT_EQ(folderEntries(target_.parent_path()), std::vector<std::string>{"memo.wav"});

    EXPECT_EQ(copyFileSafely(source_, target_, true), PublishResult::Published);
    EXPECT_EQ(readFileBytes(target_), readFileBytes(source_));
}

TEST_F(CopyFileSafelyTest, AnUnreadableSourceLeavesNothing) {
    folder_.makeFolder("in/folder.wav");
    for (const fs::path& source :
         {folder_.path() / "in" / "gone.wav", folder_.path() / "in/folder.wav"}) {
        EXPECT_EQ(copyFileSafely(source, target_, false), PublishResult::Failed) << source;
        EXPECT_TRUE(folderEntries(target_.parent_path()).empty()) << source;
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
    EXPECT_TRUE(folderEntries(target_.parent_path()).empty());
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
    EXPECT_TRUE(folderEntries(target_.parent_path()).empty());
}

} // namespace
} // namespace platform
