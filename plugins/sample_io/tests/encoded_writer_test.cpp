#include "sample_io/encoded_writer.h"

#include "codecs/adpcm.h"
#include "codecs/g711.h"
#include "codecs/pcm8.h"
#include "wave_test/speech_signal.h"

#include "common/message_sink.h"
#include "common/plugin_contract.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace sample_io {
namespace {

using namespace codecs;

char messages[common::messageBufferSize];

class BlockWriterTest : public ::testing::Test {
protected:
    void SetUp() override {
        common::setMessageTarget(messages);
        messages[0] = '\0';
        const char* dir = std::getenv("TMPDIR");
        std::string pattern = std::string(dir != nullptr ? dir : "/tmp") + "/codecs_XXXXXX";
        const int fd = ::mkstemp(pattern.data());
        ASSERT_GE(fd, 0) << std::strerror(errno);
        ::close(fd);
        path_ = pattern;
    }
    void TearDown() override { std::remove(path_.c_str()); }

    bool write(const int16_t* samples, uint32_t count, uint16_t tag) {
        common::PluginFile file(path_.c_str(), false);
        EXPECT_TRUE(file.isOpen()) << messages;
        return writeEncodedBlocks(file, samples, count, tag);
    }

    std::vector<uint8_t> written() const {
        std::ifstream in(path_, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    std::string path_;
};

std::vector<uint8_t> encodedEach(const std::vector<int16_t>& samples, uint8_t (*encode)(int16_t)) {
    std::vector<uint8_t> bytes;
    for (int16_t sample : samples)
        bytes.push_back(encode(sample));
    return bytes;
}

// One sample at a time from a fresh state, packed high nibble first.
std::vector<uint8_t> adpcmEach(const std::vector<int16_t>& samples) {
    std::vector<uint8_t> bytes((samples.size() + 1) / 2, 0);
    AdpcmState state;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const uint8_t code = encodeSample(state, samples[i]);
        bytes[i / 2] |= i % 2 == 0 ? code << 4 : code;
    }
    return bytes;
}

std::vector<uint8_t> expectedBytes(uint16_t tag, const std::vector<int16_t>& samples) {
    switch (tag) {
    case FORMAT_TAG_PCM:
        return encodedEach(samples, encodePcm8);
    case FORMAT_TAG_ALAW:
        return encodedEach(samples, encodeAlaw);
    case FORMAT_TAG_MULAW:
        return encodedEach(samples, encodeUlaw);
    default:
        return adpcmEach(samples);
    }
}

class BlockWriterEncodings : public BlockWriterTest,
                             public ::testing::WithParamInterface<std::tuple<uint16_t, uint32_t>> {
};

TEST_P(BlockWriterEncodings, WritesEverySampleWithTheTagsEncoding) {
    const auto [tag, count] = GetParam();
    const std::vector<int16_t> samples = codecs::testing::speechSignal(count, count + tag);
    ASSERT_TRUE(write(samples.data(), count, tag)) << messages;
    EXPECT_EQ(written(), expectedBytes(tag, samples))
        << "tag " << tag << ", " << count << " samples";
    EXPECT_STREQ(messages, "");
}

INSTANTIATE_TEST_SUITE_P(
    TagsAndCounts, BlockWriterEncodings,
    ::testing::Combine(::testing::Values(uint16_t{FORMAT_TAG_PCM}, uint16_t{FORMAT_TAG_ALAW},
                                         uint16_t{FORMAT_TAG_MULAW},
                                         uint16_t{FORMAT_TAG_DIALOGIC_ADPCM}),
                       ::testing::Values(1u, 4095u, 4096u, 4097u, 8192u, 30001u)));

class BlockWriterEmpty : public BlockWriterTest, public ::testing::WithParamInterface<uint16_t> {};

TEST_P(BlockWriterEmpty, ZeroSamplesWriteNothingAndSucceed) {
    EXPECT_TRUE(write(nullptr, 0, GetParam()));
    EXPECT_TRUE(written().empty());
    EXPECT_STREQ(messages, "");
}

INSTANTIATE_TEST_SUITE_P(Tags, BlockWriterEmpty, ::testing::Values(1, 6, 7, 23));

TEST_F(BlockWriterTest, AdpcmCarriesTheStateIntoTheShortLastBlock) {
    const std::vector<int16_t> samples = codecs::testing::speechSignal(4097);
    ASSERT_TRUE(write(samples.data(), 4097, FORMAT_TAG_DIALOGIC_ADPCM)) << messages;
    const std::vector<uint8_t> bytes = written();
    ASSERT_EQ(bytes.size(), 2049u) << "2048 bytes for the first block, 1 for the second";

    AdpcmState state;
    std::vector<uint8_t> first(2048);
    encodeAdpcmBlock(samples.data(), 4096, first.data(), state);
    EXPECT_TRUE(std::equal(first.begin(), first.end(), bytes.begin()));
    EXPECT_EQ(bytes[2048], encodeSample(state, samples[4096]) << 4) << "low nibble 0";
}

TEST_F(BlockWriterTest, EachCallStartsAFreshAdpcmState) {
    const std::vector<int16_t> samples = codecs::testing::speechSignal(5000);
    ASSERT_TRUE(write(samples.data(), 5000, FORMAT_TAG_DIALOGIC_ADPCM));
    const std::vector<uint8_t> once = written();
    ASSERT_TRUE(write(samples.data(), 5000, FORMAT_TAG_DIALOGIC_ADPCM));
    EXPECT_EQ(written(), once);
}

TEST_F(BlockWriterTest, UnknownTagWritesNothingAndSaysWhichTag) {
    const std::vector<int16_t> samples = codecs::testing::speechSignal(100);
    EXPECT_FALSE(write(samples.data(), 100, 2));
    EXPECT_TRUE(written().empty());
    char expected[common::messageBufferSize];
    char text[128];
    std::snprintf(text, sizeof text, common::loadText(103), 2);
    std::snprintf(expected, sizeof expected, "%s (\"%s\").", text, path_.c_str());
    EXPECT_STREQ(messages, expected);
    EXPECT_NE(std::strstr(messages, "2"), nullptr);
}

std::string withName(const char* text, const char* name) {
    return std::string(text) + " (\"" + name + "\").";
}

// The failed write has reported it: either a short write (string 114) or the system's text.
void expectWriteFailureMessage(int error, const char* name) {
    const std::string shortWrite = withName(common::loadText(114), name);
    const std::string systemError = withName(std::strerror(error), name);
    EXPECT_TRUE(messages == shortWrite || messages == systemError)
        << "message: " << messages << "\nexpected: " << shortWrite << "\n or: " << systemError;
}

class BlockWriterFullDisk : public ::testing::TestWithParam<uint16_t> {};

TEST_P(BlockWriterFullDisk, AFailedWriteReturnsFalseWithItsMessage) {
    common::setMessageTarget(messages);
    messages[0] = '\0';
    common::PluginFile file("/dev/full", false);
    ASSERT_TRUE(file.isOpen()) << messages;
    const std::vector<int16_t> samples = codecs::testing::speechSignal(10000);
    EXPECT_FALSE(writeEncodedBlocks(file, samples.data(), 10000, GetParam()));
    expectWriteFailureMessage(ENOSPC, "/dev/full");
}

INSTANTIATE_TEST_SUITE_P(Tags, BlockWriterFullDisk, ::testing::Values(1, 6, 7, 23));

// A file-size limit cuts the first block short; the loop must stop there and report.
TEST_F(BlockWriterTest, AWriteCutShortStopsTheLoop) {
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    void (*previous)(int) = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved;
    limited.rlim_cur = 3000;

    const std::vector<int16_t> samples = codecs::testing::speechSignal(3 * 4096);
    bool result = true;
    {
        common::PluginFile file(path_.c_str(), false);
        ASSERT_TRUE(file.isOpen());
        ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
        result = writeEncodedBlocks(file, samples.data(), 3 * 4096, FORMAT_TAG_MULAW);
        ::setrlimit(RLIMIT_FSIZE, &saved);
    }
    std::signal(SIGXFSZ, previous);

    EXPECT_FALSE(result);
    expectWriteFailureMessage(EFBIG, path_.c_str());
    const std::vector<uint8_t> bytes = written();
    ASSERT_EQ(bytes.size(), 3000u);
    const std::vector<uint8_t> expected = encodedEach(samples, encodeUlaw);
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), expected.begin()));
}

} // namespace
} // namespace sample_io
