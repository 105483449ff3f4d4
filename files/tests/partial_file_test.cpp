#include "files/partial_file.h"
#include "platform_test/folder_listing.h"
#include "platform_test/test_folder.h"

#include <fcntl.h>
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
    const std::optional<PartialWriter> writer = partialWriter(path.filename().string());
    ASSERT_TRUE(writer.has_value());
    EXPECT_EQ(writer->host, hostName());
    EXPECT_EQ(writer->pid, ::getpid());
    EXPECT_EQ(partialTarget(path.filename().string()), "N 1207-001 1001 0000 00  .vox");
    EXPECT_FALSE(fs::exists(target));

    for (const char* name : {".part", "a.part", ".a.wav", "memo.wav", ".a.part.wav"})
        EXPECT_FALSE(isPartialName(name)) << name;
    EXPECT_TRUE(isPartialName(".a.wav.12-0.part"));
}

// The host's part of a name never holds the "." that separates it from the target's name.
TEST(PartialFileTest, TheHostNameIsOneFieldOfTheName) {
    const std::string& host = hostName();
    EXPECT_FALSE(host.empty());
    EXPECT_EQ(host.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"
                                     "0123456789-_"),
              std::string::npos)
        << host;
}

struct WriterCase {
    const char* name;
    const char* host; // nullptr: no writer
    pid_t pid;
    const char* target;
};

TEST(PartialFileTest, TheWriterAndTheTargetAreReadFromTheName) {
    const WriterCase cases[] = {
        {".a.wav.pc1-12-0.part", "pc1", 12, "a.wav"},
        {".N 0315-002 1001 0000 00  .vox.my-pc-4711-3.part", "my-pc", 4711,
         "N 0315-002 1001 0000 00  .vox"},
        {".x.y.z.host_2-1-99.part", "host_2", 1, "x.y.z"},
        {".a.wav.12-0.part", nullptr, 0, ""},     // an older name without the host
        {".a.wav.pc-x1-0.part", nullptr, 0, ""},  // not a process id
        {".a.wav.pc-0-0.part", nullptr, 0, ""},   // no process has id 0
        {".a.wav.p c-12-0.part", nullptr, 0, ""}, // not a host name
        {"..pc-12-0.part", nullptr, 0, ""},       // no target
        {".a.wav.pc-12-.part", nullptr, 0, ""},   // no token
        {"a.wav.pc-12-0.part", nullptr, 0, ""},   // not a partial name
        {".a.wav.pc-123456789012-0.part", nullptr, 0, ""},
    };
    for (const WriterCase& c : cases) {
        const std::optional<PartialWriter> writer = partialWriter(c.name);
        EXPECT_EQ(writer.has_value(), c.host != nullptr) << c.name;
        if (writer && c.host != nullptr) {
            EXPECT_EQ(writer->host, c.host) << c.name;
            EXPECT_EQ(writer->pid, c.pid) << c.name;
        }
        EXPECT_EQ(partialTarget(c.name), c.target) << c.name;
    }
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

void setAge(const fs::path& file, std::time_t now, std::chrono::seconds age) {
    const struct timespec times[2] = {{now - age.count(), 0}, {now - age.count(), 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, file.c_str(), times, AT_SYMLINK_NOFOLLOW), 0);
}

// This machine's partials go when their process has; another machine's process cannot be
// asked, so its partials (and those whose writer the name does not tell) go only when they
// have not changed for a day.
TEST(RemoveAbandonedPartialsTest, RemovesWhatNoWriterWillFinish) {
    using std::chrono::hours;
    platform_test::TestFolder folder;
    const std::string here = hostName();
    const std::string dead = std::to_string(endedProcessId());
    const std::string live = std::to_string(::getpid());
    const std::string other = here == "elsewhere" ? "abroad" : "elsewhere";
    const std::time_t now = ::time(nullptr);
    struct AgeCase {
        std::string name;
        hours age;
        bool removed;
    };
    const AgeCase cases[] = {
        {".N 0315-001 1001 0000 00  .vox." + here + "-" + live + "-0.part", hours(48), false},
        {".N 0315-002 1001 0000 00  .vox." + here + "-" + dead + "-3.part", hours(0), true},
        {".a b 'c'.wav." + here + "-" + dead + "-17.part", hours(0), true},
        {".memo.wav." + other + "-" + dead + "-1.part", hours(23), false},
        {".memo.wav." + other + "-" + live + "-2.part", hours(25), true},
        {".memo.wav." + dead + "-0.part", hours(1), false},
        {".memo.wav." + dead + "-1.part", hours(30), true},
        {".memo.wav.part", hours(30), true},
        {"N 0315-001 1001 0000 00  .vox", hours(30), false},
        {"memo.wav." + here + "-" + dead + "-0.part", hours(30), false},
    };
    std::vector<std::string> kept;
    int expectedRemovals = 0;
    for (const AgeCase& c : cases) {
        setAge(folder.writeFile(c.name, "x"), now, c.age);
        if (c.removed)
            ++expectedRemovals;
        else
            kept.push_back(c.name);
    }

    EXPECT_EQ(removeAbandonedPartials(folder.str(), now), expectedRemovals);
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(platform_test::folderEntries(folder.path()), kept);
    EXPECT_EQ(removeAbandonedPartials((folder.path() / "missing").string()), 0);
}

} // namespace
} // namespace files
