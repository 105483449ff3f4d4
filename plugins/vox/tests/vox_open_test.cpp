// Reading VOX files with the encoding and rate given by the caller's header.
#include "plugin_test_support.h"
#include "vox/vox_lists.h"
#include "vox/vox_plugin.h"

#include "codecs/adpcm.h"
#include "codecs/decoding_tables.h"

#include <gtest/gtest.h>

#include <ostream>

#include <cerrno>
#include <cstdlib>

namespace {

using plugintest::Bytes;

// An address no allocation returns: shows whether the reader stored into *body.
int16_t* const untouchedBody = reinterpret_cast<int16_t*>(alignof(int16_t) * 12345);

struct EncodingCase {
    const char* name;
    uint16_t formatTag;
    uint16_t bitsPerSample;
    uint32_t samplesPerByte;
};

void PrintTo(const EncodingCase& c, std::ostream* out) {
    *out << c.name;
}

// The samples each encoding must give, computed from the codec tables and coder directly.
std::vector<int16_t> expectedSamples(const EncodingCase& encoding, const Bytes& file) {
    std::vector<int16_t> samples;
    if (encoding.formatTag == FORMAT_TAG_DIALOGIC_ADPCM) {
        samples.resize(file.size() * 2);
        codecs::AdpcmState state;
        for (std::size_t i = 0; i < file.size(); ++i) {
            samples[2 * i] = codecs::decodeNibble(state, file[i] >> 4);
            samples[2 * i + 1] = codecs::decodeNibble(state, file[i] & 0x0F);
        }
        return samples;
    }
    const codecs::DecodingTable& table = encoding.formatTag == FORMAT_TAG_PCM ? codecs::pcm8Table
                                         : encoding.formatTag == FORMAT_TAG_ALAW
                                             ? codecs::alawTable
                                             : codecs::ulawTable;
    for (uint8_t byte : file) {
        samples.push_back(table[byte]);
    }
    return samples;
}

class VoxOpenEncoding : public testing::TestWithParam<EncodingCase> {};

TEST_P(VoxOpenEncoding, ThousandByteFileDecodesWithTheEncodingsCountAndBits) {
    const EncodingCase& encoding = GetParam();
    platform_test::TestFolder dir;
    const std::string name = dir.file("call.vox");
    const Bytes file = plugintest::byteSweep(1000);
    plugintest::writeBytes(name, file);

    char errorText[512] = "";
    PluginOptions options = plugintest::headerFormatOptions(errorText);
    SoundHeader header{encoding.formatTag, 8000, 0, 16};
    int16_t* body = untouchedBody;
    ASSERT_TRUE(vox::openVox(name.c_str(), &header, &body, &options)) << errorText;
    EXPECT_EQ(header.formatTag, encoding.formatTag);
    EXPECT_EQ(header.sampleRate, 8000u);
    EXPECT_EQ(header.sampleCount, 1000 * encoding.samplesPerByte);
    EXPECT_EQ(header.bitsPerSample, encoding.bitsPerSample);
    const std::vector<int16_t> expected = expectedSamples(encoding, file);
    ASSERT_EQ(expected.size(), header.sampleCount);
    EXPECT_EQ(std::vector<int16_t>(body, body + header.sampleCount), expected);
    EXPECT_STREQ(errorText, "");
    std::free(body);
}

TEST_P(VoxOpenEncoding, OneByteFileReads) {
    const EncodingCase& encoding = GetParam();
    platform_test::TestFolder dir;
    const std::string name = dir.file("one.vox");
    plugintest::writeBytes(name, {0x5A});
    char errorText[512] = "";
    PluginOptions options = plugintest::headerFormatOptions(errorText);
    SoundHeader header{encoding.formatTag, 6053, 0, 0};
    int16_t* body = nullptr;
    ASSERT_TRUE(vox::openVox(name.c_str(), &header, &body, &options)) << errorText;
    EXPECT_EQ(header.sampleCount, encoding.samplesPerByte);
    EXPECT_EQ(std::vector<int16_t>(body, body + header.sampleCount),
              expectedSamples(encoding, {0x5A}));
    std::free(body);
}

INSTANTIATE_TEST_SUITE_P(EveryEncoding, VoxOpenEncoding,
                         testing::Values(EncodingCase{"ulaw", 7, 8, 1},
                                         EncodingCase{"alaw", 6, 8, 1},
                                         EncodingCase{"adpcm", 23, 4, 2},
                                         EncodingCase{"pcm8", 1, 8, 1}));

struct OpenFixture : testing::Test {
    platform_test::TestFolder dir;
    char errorText[512] = "";
    PluginOptions options = plugintest::headerFormatOptions(errorText);
    int16_t* body = untouchedBody;

    std::string fileWith(const Bytes& bytes, const char* fileName = "in.vox") {
        const std::string name = dir.file(fileName);
        plugintest::writeBytes(name, bytes);
        return name;
    }
};

TEST_F(OpenFixture, AnyNonZeroRateIsAcceptedAndStored) {
    for (uint32_t rate : {1u, 11025u, 44100u, 4000000000u}) {
        const std::string name = fileWith({1, 2, 3});
        SoundHeader header{7, rate, 0, 0};
        ASSERT_TRUE(vox::openVox(name.c_str(), &header, &body, &options)) << rate;
        EXPECT_EQ(header.sampleRate, rate);
        std::free(body);
    }
}

TEST_F(OpenFixture, ZeroRateFailsWithString104AndLeavesTheHeader) {
    const std::string name = fileWith({1, 2, 3});
    SoundHeader header{23, 0, 77, 16};
    EXPECT_FALSE(vox::openVox(name.c_str(), &header, &body, &options));
    EXPECT_EQ(errorText, plugintest::messageWithName(104, name));
    EXPECT_EQ(body, nullptr) << "once the file is open the body is set to null";
    EXPECT_EQ(header.sampleCount, 77u);
    EXPECT_EQ(header.bitsPerSample, 16u);
}

TEST_F(OpenFixture, UnknownTagsFailWithString103AndTheTag) {
    for (uint16_t tag : {0, 2, 3, 17, 65535}) {
        const std::string name = fileWith({1, 2, 3});
        SoundHeader header{tag, 8000, 0, 8};
        body = untouchedBody;
        EXPECT_FALSE(vox::openVox(name.c_str(), &header, &body, &options)) << tag;
        EXPECT_EQ(errorText, plugintest::unsupportedTagMessage(tag, name)) << tag;
        EXPECT_EQ(body, nullptr);
    }
}

TEST_F(OpenFixture, UnknownTagIsReportedBeforeAZeroRate) {
    const std::string name = fileWith({1});
    SoundHeader header{5, 0, 0, 8};
    EXPECT_FALSE(vox::openVox(name.c_str(), &header, &body, &options));
    EXPECT_EQ(errorText, plugintest::unsupportedTagMessage(5, name));
}

TEST_F(OpenFixture, EmptyFileFailsWithString111) {
    const std::string name = fileWith({});
    SoundHeader header{7, 8000, 5, 8};
    EXPECT_FALSE(vox::openVox(name.c_str(), &header, &body, &options));
    EXPECT_EQ(errorText, plugintest::messageWithName(111, name));
    EXPECT_EQ(body, nullptr);
    EXPECT_EQ(header.sampleCount, 5u);
}

TEST_F(OpenFixture, MissingFileGivesTheSystemTextAndLeavesTheBodyAlone) {
    const std::string name = dir.file("absent.vox");
    SoundHeader header{7, 8000, 0, 8};
    EXPECT_FALSE(vox::openVox(name.c_str(), &header, &body, &options));
    EXPECT_EQ(errorText, plugintest::systemErrorMessage(ENOENT, name));
    EXPECT_EQ(body, untouchedBody) << "the body is touched only once the file is open";
}

TEST_F(OpenFixture, DirectoryIsNoFile) {
    const std::string name = dir.file("");
    SoundHeader header{7, 8000, 0, 8};
    EXPECT_FALSE(vox::openVox(name.c_str(), &header, &body, &options));
    EXPECT_EQ(errorText, plugintest::systemErrorMessage(EISDIR, name));
}

TEST_F(OpenFixture, PcmIsAlwaysEightBitsWhateverTheHeaderSays) {
    const std::string name = fileWith({0, 128, 255});
    SoundHeader header{1, 8000, 0, 16};
    ASSERT_TRUE(vox::openVox(name.c_str(), &header, &body, &options)) << errorText;
    EXPECT_EQ(header.bitsPerSample, 8u);
    EXPECT_EQ(header.sampleCount, 3u);
    EXPECT_EQ(std::vector<int16_t>(body, body + 3), (std::vector<int16_t>{-32768, 0, 32512}));
    std::free(body);
}

TEST_F(OpenFixture, AWavFileIsReadAsRawSamplesHeaderIncluded) {
    Bytes file = {'R', 'I', 'F', 'F', 40, 0, 0, 0, 'W', 'A', 'V', 'E'};
    const std::string name = fileWith(file, "really.wav");
    SoundHeader header{7, 8000, 0, 8};
    ASSERT_TRUE(vox::openVox(name.c_str(), &header, &body, &options)) << errorText;
    ASSERT_EQ(header.sampleCount, file.size());
    EXPECT_EQ(body[0], codecs::ulawTable['R']);
    EXPECT_EQ(body[11], codecs::ulawTable['E']);
    std::free(body);
}

TEST_F(OpenFixture, AdpcmOfZeroBytesClimbsFromAFreshState) {
    const std::string name = fileWith({0x00, 0x00});
    SoundHeader header{23, 8000, 0, 0};
    ASSERT_TRUE(vox::openVox(name.c_str(), &header, &body, &options)) << errorText;
    EXPECT_EQ(std::vector<int16_t>(body, body + 4), (std::vector<int16_t>{32, 64, 96, 128}));
    std::free(body);
}

} // namespace
