// Writing WAV files: the canonical header byte for byte, the data sizes, the header after the
// call, and failures.
#include "plugin_test_support.h"
#include "wav/wav_plugin.h"
#include "wav_bytes.h"

#include <gtest/gtest.h>

#include <ostream>

#include <cstdlib>

namespace {

using namespace wavtest;

struct HeaderCase {
    const char* name;
    uint16_t formatTag;
    uint16_t bitsPerSample;
    uint32_t averageBytesPerSecond;
    uint16_t blockAlign;
    uint32_t dataSizeOf1000Samples;
};

void PrintTo(const HeaderCase& c, std::ostream* out) {
    *out << c.name;
}

class WavHeader : public testing::TestWithParam<HeaderCase> {};

TEST_P(WavHeader, CanonicalFortyFourBytesAt8000Hz) {
    const HeaderCase& c = GetParam();
    platform_test::TestFolder dir;
    const std::string name = dir.file("out.wav");
    const std::vector<int16_t> samples = plugintest::testSignal(1000);
    char errorText[512] = "";
    PluginOptions options = plugintest::headerFormatOptions(errorText);
    SoundHeader header{c.formatTag, 8000, 1000, c.bitsPerSample};
    ASSERT_TRUE(wav::saveWav(name.c_str(), &header, samples.data(), &options)) << errorText;
    const Bytes file = plugintest::readBytes(name);
    ASSERT_EQ(file.size(), 44u + c.dataSizeOf1000Samples);
    const Bytes expected = concat({{'R', 'I', 'F', 'F'},
                                   le32(36 + c.dataSizeOf1000Samples),
                                   {'W', 'A', 'V', 'E'},
                                   {'f', 'm', 't', ' '},
                                   le32(16),
                                   le16(c.formatTag),
                                   le16(1),
                                   le32(8000),
                                   le32(c.averageBytesPerSecond),
                                   le16(c.blockAlign),
                                   le16(c.bitsPerSample),
                                   {'d', 'a', 't', 'a'},
                                   le32(c.dataSizeOf1000Samples)});
    EXPECT_EQ(Bytes(file.begin(), file.begin() + 44), expected);
    EXPECT_EQ(header.formatTag, c.formatTag);
    EXPECT_EQ(header.bitsPerSample, c.bitsPerSample);
    EXPECT_EQ(header.sampleRate, 8000u);
    EXPECT_EQ(header.sampleCount, 1000u);
}

INSTANTIATE_TEST_SUITE_P(EveryEncoding, WavHeader,
                         testing::Values(HeaderCase{"pcm16", 1, 16, 16000, 2, 2000},
                                         HeaderCase{"pcm8", 1, 8, 8000, 1, 1000},
                                         HeaderCase{"ulaw", 7, 8, 8000, 1, 1000},
                                         HeaderCase{"alaw", 6, 8, 8000, 1, 1000},
                                         HeaderCase{"adpcm", 23, 4, 4000, 1, 500}));

struct WavSave : testing::Test {
    platform_test::TestFolder dir;
    char errorText[512] = "";
    PluginOptions options = plugintest::headerFormatOptions(errorText);
};

TEST_F(WavSave, FiveAdpcmSamplesGiveDataSizeThreeAPadByteAndSixSamplesBack) {
    const std::string name = dir.file("five.wav");
    const std::vector<int16_t> samples = {100, 2000, -3000, 400, 5000};
    SoundHeader header{23, 8000, 5, 16};
    ASSERT_TRUE(wav::saveWav(name.c_str(), &header, samples.data(), &options)) << errorText;
    const Bytes file = plugintest::readBytes(name);
    ASSERT_EQ(file.size(), 48u) << "44 header bytes, 3 data bytes and the pad byte";
    EXPECT_EQ(Bytes(file.begin() + 40, file.begin() + 44), le32(3));
    EXPECT_EQ(Bytes(file.begin() + 4, file.begin() + 8), le32(40)) << "RIFF size counts the pad";
    EXPECT_EQ(file[46] & 0x0F, 0) << "the last code's partner nibble is 0";
    EXPECT_EQ(file[47], 0) << "pad byte";

    SoundHeader reread{};
    int16_t* body = nullptr;
    ASSERT_TRUE(wav::openWav(name.c_str(), &reread, &body, &options)) << errorText;
    EXPECT_EQ(reread.sampleCount, 6u);
    std::free(body);
}

TEST_F(WavSave, OddEightBitDataIsPaddedAndReadsBackExactly) {
    const std::string name = dir.file("odd.wav");
    const std::vector<int16_t> samples = {0, 256, -256};
    SoundHeader header{1, 8000, 3, 8};
    ASSERT_TRUE(wav::saveWav(name.c_str(), &header, samples.data(), &options)) << errorText;
    const Bytes file = plugintest::readBytes(name);
    EXPECT_EQ(Bytes(file.begin() + 44, file.end()), (Bytes{128, 129, 127, 0}));
    EXPECT_EQ(Bytes(file.begin() + 4, file.begin() + 8), le32(40));
}

TEST_F(WavSave, EmptyBodyWritesFortyFourBytesThatTheReaderRejects) {
    const std::string name = dir.file("empty.wav");
    const int16_t none[1] = {};
    SoundHeader header{1, 8000, 0, 16};
    ASSERT_TRUE(wav::saveWav(name.c_str(), &header, none, &options)) << errorText;
    const Bytes file = plugintest::readBytes(name);
    ASSERT_EQ(file.size(), 44u);
    EXPECT_EQ(Bytes(file.begin() + 40, file.end()), le32(0));
    SoundHeader reread{};
    int16_t* body = nullptr;
    EXPECT_FALSE(wav::openWav(name.c_str(), &reread, &body, &options));
    EXPECT_EQ(errorText, plugintest::messageWithName(113, name));
}

TEST_F(WavSave, ALawIsEightBitsWhateverTheHeaderSaid) {
    const std::string name = dir.file("alaw.wav");
    const std::vector<int16_t> samples = {1, 2};
    SoundHeader header{6, 8000, 2, 12};
    ASSERT_TRUE(wav::saveWav(name.c_str(), &header, samples.data(), &options)) << errorText;
    EXPECT_EQ(header.bitsPerSample, 8);
    EXPECT_EQ(plugintest::readBytes(name)[34], 8);
}

TEST_F(WavSave, PcmOfAnOddWidthIsWrittenAndLabelledAsEightBits) {
    const std::string name = dir.file("pcm12.wav");
    const std::vector<int16_t> samples = {0, 32767};
    SoundHeader header{1, 8000, 2, 12};
    ASSERT_TRUE(wav::saveWav(name.c_str(), &header, samples.data(), &options)) << errorText;
    const Bytes file = plugintest::readBytes(name);
    EXPECT_EQ(Bytes(file.begin() + 34, file.begin() + 36), le16(8));
    EXPECT_EQ(Bytes(file.begin() + 44, file.end()), (Bytes{128, 255}));
    EXPECT_EQ(header.bitsPerSample, 8);
}

TEST_F(WavSave, SoundTooLargeForTheRiffSizeIsRefused) {
    const std::string name = dir.file("huge.wav");
    // 2^31 samples of 16 bits need 2^32 data bytes; the body is never read.
    const int16_t samples[1] = {};
    SoundHeader header{1, 8000, 0x80000000u, 16};
    EXPECT_FALSE(wav::saveWav(name.c_str(), &header, samples, &options));
    EXPECT_EQ(errorText, plugintest::messageWithName(116, name));
    EXPECT_EQ(header.bitsPerSample, 16);
    EXPECT_FALSE(plugintest::fileExists(name)) << "refused before the file is touched";
}

TEST_F(WavSave, ZeroRateIsRefusedBeforeTheFileIsTouched) {
    const std::string name = dir.file("zero.wav");
    const std::vector<int16_t> samples = {1, 2};
    SoundHeader header{1, 0, 2, 16};
    EXPECT_FALSE(wav::saveWav(name.c_str(), &header, samples.data(), &options));
    EXPECT_EQ(errorText, plugintest::messageWithName(104, name));
    EXPECT_FALSE(plugintest::fileExists(name));
}

} // namespace
