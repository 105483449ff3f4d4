// A save that fails never destroys anything: the earlier file at the target stays as it was and
// no partial file is left beside it. Run for both plug-ins.
#include "plugin_test_support.h"
#include "plugins_under_test.h"

#include "platform_test/folder_listing.h"
#include "platform_test/test_folder.h"
#include "platform_test/unprivileged.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using plugintest::Bytes;
using plugintest::PluginUnderTest;

// Files may grow to `bytes` only; a larger write fails with EFBIG instead of a signal.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = saved_;
        limited.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
    void (*previousHandler_)(int);
};

class PluginSave : public testing::TestWithParam<PluginUnderTest> {
protected:
    platform_test::TestFolder dir;
    const std::string fileName = std::string("sound") + GetParam().extension;
    const std::string target = dir.file(fileName);
    const Bytes earlier = {'e', 'a', 'r', 'l', 'i', 'e', 'r'};
    char errorText[512] = "";
    PluginOptions options = plugintest::headerFormatOptions(errorText);

    bool save(SoundHeader& header, const std::string& name) {
        const std::vector<int16_t> samples = plugintest::testSignal(header.sampleCount);
        return GetParam().save(name.c_str(), &header, samples.data(), &options);
    }
    void expectEarlierFileAlone() {
        EXPECT_EQ(plugintest::readBytes(target), earlier);
        EXPECT_EQ(platform_test::folderEntries(dir.path()), std::vector<std::string>{fileName})
            << "no partial file is left beside the target";
    }
};

TEST_P(PluginSave, UnsupportedTagIsRefusedBeforeTheFileIsTouched) {
    for (const uint16_t tag : {0, 2, 49, 65535}) {
        plugintest::writeBytes(target, earlier);
        SoundHeader header{tag, 8000, 10, 12};
        EXPECT_FALSE(save(header, target)) << tag;
        EXPECT_EQ(errorText, plugintest::unsupportedTagMessage(tag, target));
        EXPECT_EQ(header.formatTag, tag);
        EXPECT_EQ(header.bitsPerSample, 12);
        expectEarlierFileAlone();
    }
}

TEST_P(PluginSave, FailedWriteLeavesTheEarlierFileAndNoPartialFile) {
    plugintest::writeBytes(target, earlier);
    SoundHeader header{7, 8000, 5000, 16};
    {
        const FileSizeLimit limit(1000);
        EXPECT_FALSE(save(header, target));
    }
    EXPECT_EQ(errorText, plugintest::systemErrorMessage(EFBIG, target));
    EXPECT_EQ(header.bitsPerSample, 16) << "the header is unchanged";
    expectEarlierFileAlone();
}

TEST_P(PluginSave, SuccessReplacesTheEarlierFileWholeAndKeepsItsPermissions) {
    plugintest::writeBytes(target, Bytes(20000, 0x55));
    ::chmod(target.c_str(), 0640);
    SoundHeader header{7, 8000, 100, 16};
    ASSERT_TRUE(save(header, target)) << errorText;

    SoundHeader reread{7, 8000, 0, 0};
    int16_t* body = nullptr;
    ASSERT_TRUE(GetParam().open(target.c_str(), &reread, &body, &options)) << errorText;
    std::free(body);
    EXPECT_EQ(reread.sampleCount, 100u) << "nothing of the longer earlier file is left";
    struct stat info {};
    ASSERT_EQ(::stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(platform_test::folderEntries(dir.path()), std::vector<std::string>{fileName});
}

TEST_P(PluginSave, UnwritableFolderGivesTheSystemTextAndCreatesNothing) {
    const std::string locked = dir.file("locked");
    ::mkdir(locked.c_str(), 0755);
    platform_test::shareWithEveryone(dir.path());
    ::chmod(locked.c_str(), 0555);
    const std::string name = locked + "/" + fileName;
    const std::optional<bool> refused = platform_test::runUnprivileged([&] {
        SoundHeader header{7, 8000, 10, 16};
        const bool saved = save(header, name);
        const std::string expected = plugintest::systemErrorMessage(EACCES, name);
        if (saved || errorText != expected) {
            std::fprintf(stderr, "saved %d, message \"%s\", expected \"%s\"\n", saved, errorText,
                         expected.c_str());
        }
        return !saved && errorText == expected && platform_test::folderEntries(locked).empty();
    });
    ASSERT_TRUE(refused.has_value()) << "the check could not run as an unprivileged user";
    EXPECT_TRUE(*refused);
}

TEST_P(PluginSave, DeviceIsWrittenInPlaceAndStaysADevice) {
    SoundHeader header{23, 8000, 5000, 16};
    EXPECT_FALSE(save(header, "/dev/full"));
    EXPECT_EQ(errorText, plugintest::systemErrorMessage(ENOSPC, "/dev/full"));
    EXPECT_EQ(header.formatTag, 23);
    EXPECT_EQ(header.bitsPerSample, 16);
    struct stat info {};
    ASSERT_EQ(::stat("/dev/full", &info), 0);
    EXPECT_TRUE(S_ISCHR(info.st_mode));
}

// A file without a name in any folder (the fuzzers hand the plug-ins such files) cannot be
// replaced by a rename; it is written in place.
TEST_P(PluginSave, AnonymousFileIsWrittenInPlace) {
    const int fd = ::memfd_create("saved", 0);
    ASSERT_GE(fd, 0);
    const std::string name = "/proc/self/fd/" + std::to_string(fd);
    SoundHeader header{7, 8000, 100, 16};
    EXPECT_TRUE(save(header, name)) << errorText;
    struct stat info {};
    ASSERT_EQ(::fstat(fd, &info), 0);
    EXPECT_GE(info.st_size, 100);
    ::close(fd);
}

INSTANTIATE_TEST_SUITE_P(BothPlugins, PluginSave,
                         testing::ValuesIn(plugintest::pluginsUnderTest()));

} // namespace
