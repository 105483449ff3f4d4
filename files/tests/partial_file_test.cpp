#include "files/partial_file.h"
#include "platform_test/folder_listing.h"
#include "platform_test/test_folder.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace files {
namespace {

namespace fs = std::filesystem;

TEST(PartialFileTest, PartialFilesLieBesideTheTargetUnderANameNoJobRuleTakes) {
    platform_test::TestFolder folder;
    const std::string target = folder.str() + "/N 1207-001 1001 0000 00  .vox";
    const PartialFile first = createPartial(target);
    const PartialFile second = createPartial(target);
    ASSERT_TRUE(first.fd.isOpen());
    ASSERT_TRUE(second.fd.isOpen());
    EXPECT_NE(first.path, second.path);
    const fs::path path(first.path);
    EXPECT_EQ(path.parent_path(), folder.path());
    EXPECT_TRUE(isPartialName(path.filename().string()));
    EXPECT_EQ(path.filename().string().rfind(".N 1207-001", 0), 0u);
    EXPECT_EQ(partialWriter(path.filename().string()), ::getpid());
    EXPECT_FALSE(fs::exists(target));

    for (const char* name : {".part", "a.part", ".a.wav", "memo.wav", ".a.part.wav"})
        EXPECT_FALSE(isPartialName(name)) << name;
    EXPECT_TRUE(isPartialName(".a.wav.12-0.part"));
}

TEST(PartialFileTest, ANameTakenByAnotherWriterIsSteppedOver) {
    platform_test::TestFolder folder;
    const std::string target = folder.str() + "/memo.wav";
    // Occupy the next names this process would pick, as a second library in it would.
    PartialFile probe = createPartial(target);
    ASSERT_TRUE(probe.fd.isOpen());
    const std::string prefix = probe.path.substr(0, probe.path.rfind('-') + 1);
    const unsigned next = std::stoul(probe.path.substr(prefix.size())) + 1;
    for (unsigned token = next; token < next + 5; ++token)
        folder.writeFile(fs::path(prefix + std::to_string(token) + ".part").filename(), "taken");
    const PartialFile created = createPartial(target);
    ASSERT_TRUE(created.fd.isOpen());
    EXPECT_EQ(fs::file_size(created.path), 0u);
}

TEST(PartialFileTest, AFolderThatCannotHoldItSaysWhy) {
    platform_test::TestFolder folder;
    errno = 0;
    const PartialFile missing = createPartial(folder.str() + "/missing/memo.wav");
    EXPECT_FALSE(missing.fd.isOpen());
    EXPECT_EQ(errno, ENOENT);
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
    EXPECT_EQ(platform_test::folderEntries(folder.path()), expected);
    EXPECT_EQ(removeAbandonedPartials((folder.path() / "missing").string()), 0);
}

} // namespace
} // namespace files
