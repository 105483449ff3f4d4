#include "platform/safe_files.h"
#include "platform_test/folder_listing.h"
#include "platform_test/test_folder.h"
#include "platform_test/unprivileged.h"

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
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

TEST_F(CopyFileSafelyTest, AMissingTargetFolderFails) {
    EXPECT_EQ(copyFileSafely(source_, folder_.path() / "missing" / "memo.wav", false),
              PublishResult::Failed);
    EXPECT_EQ(errno, ENOENT);
}

// Files may grow to 70000 bytes for the scope: a write part-way through a copy fails.
class FileSizeLimit {
public:
    FileSizeLimit() {
        ::getrlimit(RLIMIT_FSIZE, &old_);
        struct rlimit small = old_;
        small.rlim_cur = 70000;
        ::setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, handler_);
    }

private:
    struct rlimit old_ {};
    void (*handler_)(int) = std::signal(SIGXFSZ, SIG_IGN);
};

// A full disk part-way through: the copy fails, says why, and nothing is left under any name.
TEST_F(CopyFileSafelyTest, AWriteFailingPartWayLeavesNothing) {
    PublishResult published = PublishResult::Published;
    int error = 0;
    {
        const FileSizeLimit limit;
        published = copyFileSafely(source_, target_, false);
        error = errno;
    }
    EXPECT_EQ(published, PublishResult::Failed);
    EXPECT_EQ(error, EFBIG);
    EXPECT_TRUE(folderEntries(target_.parent_path()).empty());
}

// What is not a regular file is refused at once, a FIFO without a writer included.
TEST_F(CopyFileSafelyTest, RefusesWhatIsNotARegularFileWithoutWaiting) {
    ASSERT_EQ(::mkfifo(folder_.file("in/fifo.wav").c_str(), 0600), 0);
    folder_.makeFolder("in/folder.wav");
    const struct {
        const char* name;
        std::errc error;
    } cases[] = {
        {"fifo.wav", std::errc::not_supported},
        {"folder.wav", std::errc::is_a_directory},
        {"gone.wav", std::errc::no_such_file_or_directory},
    };
    for (const auto& c : cases) {
        const fs::path source = folder_.path() / "in" / c.name;
        EXPECT_EQ(copyFileSafely(source, target_, false), PublishResult::Failed) << c.name;
        EXPECT_EQ(errno, static_cast<int>(c.error)) << c.name;
        EXPECT_TRUE(folderEntries(target_.parent_path()).empty()) << c.name;
    }
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
