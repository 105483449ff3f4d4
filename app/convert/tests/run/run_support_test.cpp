// The run's lock, its private temporary folder and the marking of a converted input.
#include "convert/input_marking.h"
#include "convert/run_lock.h"
#include "convert/run_temp_folder.h"
#include "files/unique_fd.h"
#include "platform_test/unprivileged.h"

#include "platform_test/test_folder.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

namespace convert {
namespace {

namespace fs = std::filesystem;

TEST(RunLockTest, OneHolderAtATimeAndTheNextWaitsForTheEnd) {
    platform_test::TestFolder folder;
    const std::string path = (folder.path() / kRunLockFileName).string();
    std::optional<RunLock> first = RunLock::TryAcquire(path);
    ASSERT_TRUE(first->held());
    EXPECT_FALSE(RunLock::TryAcquire(path).held());

    std::atomic<bool> released{false};
    std::thread waiter([&] {
        const RunLock second =
            RunLock::Acquire([] { return true; }, path, std::chrono::milliseconds(5));
        EXPECT_TRUE(second.held());
        EXPECT_TRUE(released.load()) << "taken while the first run still held it";
    });
    released = true;
    first.reset();
    waiter.join();
    EXPECT_TRUE(RunLock::TryAcquire(path).held());
}

TEST(RunLockTest, WaitingEndsWhenAskedToStop) {
    platform_test::TestFolder folder;
    const std::string path = (folder.path() / kRunLockFileName).string();
    const RunLock first = RunLock::TryAcquire(path);
    int checks = 0;
    const RunLock second =
        RunLock::Acquire([&] { return ++checks < 3; }, path, std::chrono::milliseconds(1));
    EXPECT_FALSE(second.held());
    EXPECT_FALSE(second.unavailable());
    EXPECT_EQ(checks, 3);
    EXPECT_TRUE(RunLock::TryAcquire((folder.path() / "missing" / "x").string()).unavailable());
}

pid_t EndedProcessId() {
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

TEST(RunTempFolderTest, IsPrivateRemovesEndedRunsAndGoesAtTheEnd) {
    platform_test::TestFolder folder;
    const fs::path user = folder.path() / ("quorvel-import-" + std::to_string(::geteuid()));
    const fs::path ended = user / ("run-" + std::to_string(EndedProcessId()));
    fs::create_directories(ended);
    std::ofstream(ended / "abc.wav") << "left by a killed run";
    const fs::path unrelated = user / "notes";
    fs::create_directories(unrelated);

    std::string path;
    {
        const RunTempFolder temp(folder.str() + "/");
        ASSERT_TRUE(temp.ready());
        path = temp.path();
        EXPECT_EQ(path, (user / ("run-" + std::to_string(::getpid()))).string() + "/");
        struct stat info {};
        ASSERT_EQ(::stat(path.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0700u);
        EXPECT_FALSE(fs::exists(ended));
        EXPECT_TRUE(fs::exists(unrelated));
        std::ofstream(path + "x.wav") << "x";
    }
    EXPECT_FALSE(fs::exists(path));
}

TEST(RunTempFolderTest, RefusesAFolderSomeoneElsePlaced) {
    platform_test::TestFolder folder;
    const fs::path user = folder.path() / ("quorvel-import-" + std::to_string(::geteuid()));
    fs::create_directories(folder.path() / "elsewhere");
    fs::create_directory_symlink(folder.path() / "elsewhere", user);
    const RunTempFolder temp(folder.str() + "/");
    EXPECT_FALSE(temp.ready());
    EXPECT_TRUE(temp.path().empty());
    EXPECT_EQ(temp.failure(), user.string() + " is a symbolic link");
}

class InputMarkingTest : public ::testing::Test {
protected:
    platform_test::TestFolder folder;
    files::UniqueFd in = OpenFolder(folder.makeFolder("In"));

    static files::UniqueFd OpenFolder(const fs::path& path) {
        return files::UniqueFd(::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    }
    void takeDoneNames(int upTo) const {
        folder.writeFile("In/_abc.wav", "0");
        for (int k = 1; k <= upTo; ++k)
            folder.writeFile("In/_abc(" + std::to_string(k) + ").wav", std::to_string(k));
    }
};

TEST_F(InputMarkingTest, TheFreeDoneNameIsTheFirstOfTheTakenOnes) {
    folder.writeFile("In/abc.wav", "input");
    EXPECT_EQ(FreeDoneName(in.get(), "abc.wav", ::geteuid()), "_abc.wav");
    takeDoneNames(99);
    EXPECT_EQ(FreeDoneName(in.get(), "abc.wav", ::geteuid()), "_abc(100).wav");
    folder.writeFile("In/_abc(100).wav", "100");
    errno = 0;
    EXPECT_EQ(FreeDoneName(in.get(), "abc.wav", ::geteuid()), std::nullopt);
    EXPECT_EQ(errno, EEXIST);
    const std::string longest(255, 'n');
    EXPECT_EQ(FreeDoneName(in.get(), longest, ::geteuid()), std::nullopt);
    EXPECT_EQ(errno, ENAMETOOLONG);
}

// The done name was free when the job began; one taken meanwhile gives way to the next free.
TEST_F(InputMarkingTest, MarksUnderTheDoneNameOrTheNextFreeOneAndGivesUpAfterTheHundredth) {
    folder.writeFile("In/abc.wav", "input");
    folder.writeFile("In/_abc.wav", "taken meanwhile");
    EXPECT_EQ(MarkInputDone(in.get(), "abc.wav", "_abc.wav"), "_abc(1).wav");
    EXPECT_EQ(platform_test::readFileBytes(folder.path() / "In/_abc.wav"), "taken meanwhile");
    EXPECT_EQ(platform_test::readFileBytes(folder.path() / "In/_abc(1).wav"), "input");

    takeDoneNames(100);
    folder.writeFile("In/abc.wav", "another");
    errno = 0;
    EXPECT_EQ(MarkInputDone(in.get(), "abc.wav", "_abc(100).wav"), std::nullopt);
    EXPECT_EQ(errno, EEXIST);
    EXPECT_EQ(platform_test::readFileBytes(folder.path() / "In/abc.wav"), "another");
    EXPECT_EQ(MarkInputDone(in.get(), "gone.wav", "_gone.wav"), std::nullopt);
    EXPECT_EQ(errno, ENOENT);
}

// In a shared folder with the sticky bit only the file's owner, the folder's owner and the
// administrator may rename a file, though anyone may write there.
TEST_F(InputMarkingTest, TheStickyBitKeepsOtherUsersFilesFromBeingMarked) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs a folder and a file of another user";
    const fs::path shared = folder.makeFolder("Shared");
    folder.writeFile("Shared/abc.wav", "input");
    platform_test::shareWithEveryone(folder.path());
    fs::permissions(shared, fs::perms::sticky_bit, fs::perm_options::add);
    const std::optional<bool> refused = platform_test::runUnprivileged([&] {
        const files::UniqueFd sharedFd = OpenFolder(shared);
        errno = 0;
        const bool othersRefused = !FreeDoneName(sharedFd.get(), "abc.wav", 0) && errno == EPERM;
        // A file of its own the same user may rename.
        return othersRefused && FreeDoneName(sharedFd.get(), "abc.wav", ::geteuid()) == "_abc.wav";
    });
    ASSERT_TRUE(refused.has_value()) << "the check could not run without privileges";
    EXPECT_TRUE(*refused);
}

} // namespace
} // namespace convert
