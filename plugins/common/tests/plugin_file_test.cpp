#include "common/memory.h"
#include "common/message_sink.h"
#include "common/plugin_file.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

class PluginFileTest : public testing::Test {
protected:
    char message[common::messageBufferSize] = "";
    std::string folder;

    void SetUp() override {
        common::setMessageTarget(message);
        char pattern[] = "/tmp/plugin_file_test_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder = pattern;
    }
    void TearDown() override { std::system(("rm -rf '" + folder + "'").c_str()); }

    std::string makeFile(const std::string& name, const std::string& bytes) {
        const std::string path = folder + "/" + name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    std::string expected(const char* text, const std::string& name) {
        return std::string(text) + " (\"" + name + "\").";
    }
};

TEST_F(PluginFileTest, MissingFileReportsTheSystemText) {
    const std::string path = folder + "/missing.wav";
    common::PluginFile file(path.c_str(), true);
    EXPECT_FALSE(file.isOpen());
    EXPECT_EQ(std::string(message), expected(std::strerror(ENOENT), path));
}

TEST_F(PluginFileTest, DirectoryIsRefusedForReading) {
    common::PluginFile file(folder.c_str(), true);
    EXPECT_FALSE(file.isOpen());
    EXPECT_EQ(std::string(message), expected(std::strerror(EISDIR), folder));
}

TEST_F(PluginFileTest, ShortReadReportsString112) {
    const std::string path = makeFile("short.wav", "abc");
    common::PluginFile file(path.c_str(), true);
    ASSERT_TRUE(file.isOpen());
    char bytes[8];
    EXPECT_TRUE(file.read(bytes, 2));
    EXPECT_FALSE(file.read(bytes, 2));
    EXPECT_EQ(std::string(message), expected(common::loadText(112), path));
}

TEST_F(PluginFileTest, SizeAndSeek) {
    const std::string path = makeFile("ten.vox", "0123456789");
    common::PluginFile file(path.c_str(), true);
    uint32_t size = 0;
    ASSERT_TRUE(file.size(size));
    EXPECT_EQ(size, 10u);
    EXPECT_TRUE(file.seek(4, common::SeekMethod::Current));
    char byte = 0;
    EXPECT_TRUE(file.read(&byte, 1));
    EXPECT_EQ(byte, '4');
    EXPECT_FALSE(file.seek(-100, common::SeekMethod::Current));
    EXPECT_EQ(std::string(message), expected(std::strerror(EINVAL), path));
}

TEST_F(PluginFileTest, WritingTruncatesAnExistingFile) {
    const std::string path = makeFile("out.vox", "old contents");
    {
        common::PluginFile file(path.c_str(), false);
        ASSERT_TRUE(file.isOpen());
        EXPECT_TRUE(file.write("new", 3));
    }
    std::ifstream in(path, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "new");
}

TEST_F(PluginFileTest, FullDiskReportsTheSystemText) {
    common::PluginFile file("/dev/full", false);
    ASSERT_TRUE(file.isOpen());
    const char bytes[16] = {};
    EXPECT_FALSE(file.write(bytes, sizeof bytes));
    EXPECT_EQ(std::string(message), expected(std::strerror(ENOSPC), "/dev/full"));
}

TEST_F(PluginFileTest, ReadOnlyLocationCannotBeCreated) {
    if (geteuid() == 0) {
        // root writes anywhere; a path below a regular file fails for everyone
        const std::string blocker = makeFile("plain", "x");
        const std::string path = blocker + "/out.vox";
        common::PluginFile file(path.c_str(), false);
        EXPECT_FALSE(file.isOpen());
        EXPECT_EQ(std::string(message), expected(std::strerror(ENOTDIR), path));
        return;
    }
    const std::string path = "/proc/out.vox";
    common::PluginFile file(path.c_str(), false);
    EXPECT_FALSE(file.isOpen());
    EXPECT_NE(std::string(message).find("(\"/proc/out.vox\")."), std::string::npos);
}

TEST_F(PluginFileTest, ClosedFileCanBeClosedAgain) {
    const std::string path = makeFile("c.vox", "x");
    common::PluginFile file(path.c_str(), true);
    file.close();
    EXPECT_FALSE(file.isOpen());
    file.close();
    EXPECT_FALSE(file.isOpen());
}

TEST(Memory, SamplesAreTwoBytesEachAndFailureAppendsString115) {
    char message[common::messageBufferSize] = "before.";
    common::setMessageTarget(message);
    int16_t* samples = nullptr;
    ASSERT_TRUE(common::allocateSamples(&samples, 3));
    samples[2] = 7; // the sanitizer proves the block holds three samples
    common::freeBuffer(samples);

    ASSERT_TRUE(common::allocateSamples(&samples, 0));
    EXPECT_NE(samples, nullptr);
    common::freeBuffer(samples);

    void* block = nullptr;
    ASSERT_TRUE(common::allocateBuffer(&block, 4));
    ASSERT_TRUE(common::resizeBuffer(&block, 4096));
    static_cast<char*>(block)[4095] = 1;
    common::freeBuffer(block);
    EXPECT_STREQ(message, "before.");
}

} // namespace
