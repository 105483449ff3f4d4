#include "files/partial_file.h"
#include "files/publish.h"
#include "platform_test/folder_listing.h"
#include "platform_test/test_folder.h"

#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

namespace files {
namespace {

namespace fs = std::filesystem;
using platform_test::folderEntries;
using platform_test::readFileBytes;

TEST(MoveWithoutReplacingTest, RefusesAnExistingNameAndKeepsBothFiles) {
    platform_test::TestFolder folder;
    const fs::path from = folder.writeFile("abc.wav", "new");
    const fs::path taken = folder.writeFile("_abc.wav", "old");
    errno = 0;
    EXPECT_FALSE(moveWithoutReplacing(from, taken));
    EXPECT_EQ(errno, EEXIST);
    EXPECT_EQ(readFileBytes(taken), "old");
    EXPECT_EQ(readFileBytes(from), "new");

    EXPECT_TRUE(moveWithoutReplacing(from, folder.path() / "_abc(1).wav"));
    EXPECT_EQ(folderEntries(folder.path()), (std::vector<std::string>{"_abc(1).wav", "_abc.wav"}));
}

struct PublishCase {
    const char* label;
    bool targetExists;
    bool replace;
    PublishResult expected;
    const char* targetAfter;
};

TEST(PublishTest, MovesTheCompleteFileIntoPlaceOrLeavesNothing) {
    const PublishCase cases[] = {
        {"new name", false, false, PublishResult::Published, "complete"},
        {"taken name kept", true, false, PublishResult::TargetExists, "earlier"},
        {"taken name replaced", true, true, PublishResult::Published, "complete"},
    };
    for (const PublishCase& c : cases) {
        platform_test::TestFolder folder;
        const std::string target = folder.str() + "/memo.wav";
        if (c.targetExists)
            folder.writeFile("memo.wav", "earlier");
        PartialFile partial = createPartial(target);
        ASSERT_TRUE(partial.fd.isOpen()) << c.label;
        ASSERT_EQ(::write(partial.fd.get(), "complete", 8), 8) << c.label;
        ASSERT_TRUE(partial.fd.close()) << c.label;

        EXPECT_EQ(publish(partial.path, target, c.replace), c.expected) << c.label;
        EXPECT_EQ(readFileBytes(target), c.targetAfter) << c.label;
        EXPECT_EQ(folderEntries(folder.path()), std::vector<std::string>{"memo.wav"}) << c.label;
    }
}

TEST(PublishTest, AFolderThatIsGoneFailsAndRemovesThePartialFile) {
    platform_test::TestFolder folder;
    PartialFile partial = createPartial(folder.str() + "/memo.wav");
    ASSERT_TRUE(partial.fd.close());
    errno = 0;
    EXPECT_EQ(publish(partial.path, folder.str() + "/missing/memo.wav", false),
              PublishResult::Failed);
    EXPECT_EQ(errno, ENOENT);
    EXPECT_TRUE(folderEntries(folder.path()).empty());
}

} // namespace
} // namespace files
