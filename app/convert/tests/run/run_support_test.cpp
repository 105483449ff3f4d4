// The run's lock, its private temporary folder and the marking of a converted input.
#include "convert/input_marking.h"
#include "convert/run_lock.h"
#include "convert/run_temp_folder.h"

#include "platform_test/test_folder.h"

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

TEST(InputMarkingTest, GivesUpAfterTheHundredthNumberedName) {
    platform_test::TestFolder folder;
    platform_test::ScopedEnv root("IMPORT_DRIVE_ROOT", folder.str());
    folder.writeFile("c/In/abc.wav", "input");
    folder.writeFile("c/In/_abc.wav", "0");
    for (int k = 1; k <= 99; ++k)
        folder.writeFile("c/In/_abc(" + std::to_string(k) + ").wav", std::to_string(k));
    EXPECT_EQ(MarkInputDone("C:\\In", "abc.wav"), "_abc(100).wav");

    folder.writeFile("c/In/abc.wav", "another");
    EXPECT_EQ(MarkInputDone("C:\\In", "abc.wav"), std::nullopt);
    EXPECT_EQ(platform_test::readFileBytes(folder.path() / "c/In/abc.wav"), "another");
    EXPECT_EQ(platform_test::readFileBytes(folder.path() / "c/In/_abc(100).wav"), "input");
}

} // namespace
} // namespace convert
