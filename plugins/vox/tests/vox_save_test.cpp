// Writing VOX files: encodings, block boundaries, the header after the call, failures.
#include "plugin_test_support.h"
#include "vox/vox_lists.h"
#include "vox/vox_plugin.h"

#include "codecs/adpcm.h"
#include "codecs/g711.h"
#include "codecs/pcm8.h"

#include <gtest/gtest.h>

#include <ostream>

#include <cstdlib>

namespace {

using plugintest::Bytes;

Bytes referenceEncoding(uint16_t formatTag, const std::vector<int16_t>& samples) {
    Bytes bytes;
    if (formatTag == FORMAT_TAG_DIALOGIC_ADPCM) {
        codecs::AdpcmState state;
        for (std::size_t i = 0; i < samples.size(); i += 2) {
            const uint8_t high = codecs::encodeSample(state, samples[i]);
            const uint8_t low =
                i + 1 < samples.size() ? codecs::encodeSample(state, samples[i + 1]) : 0;
            bytes.push_back(static_cast<uint8_t>(high << 4 | low));
        }
        return bytes;
    }
    for (int16_t sample : samples) {
        bytes.push_back(formatTag == FORMAT_TAG_PCM    ? codecs::encodePcm8(sample)
                        : formatTag == FORMAT_TAG_ALAW ? codecs::encodeAlaw(sample)
                                                       : codecs::encodeUlaw(sample));
    }
    return bytes;
}

struct SaveCase {
    const char* name;
    uint16_t formatTag;
    uint16_t bitsWritten;
};

void PrintTo(const SaveCase& c, std::ostream* out) {
    *out << c.name;
}

class VoxSaveEncoding : public testing::TestWithParam<SaveCase> {};

TEST_P(VoxSaveEncoding, WritesExactlyTheEncodersBytesAcrossBlocks) {
    const SaveCase& encoding = GetParam();
    platform_test::TestFolder dir;
    const std::string name = dir.file("out.vox");
    // 4096 + 4097 samples: two full blocks' worth plus an odd tail carry the ADPCM state.
    const std::vector<int16_t> samples = plugintest::testSignal(8193);
    char errorText[512] = "";
    PluginOptions options = plugintest::headerFormatOptions(errorText);
    SoundHeader header{encoding.formatTag, 8000, static_cast<uint32_t>(samples.size()), 16};
    ASSERT_TRUE(vox::saveVox(name.c_str(), &header, samples.data(), &options)) << errorText;
    EXPECT_EQ(plugintest::readBytes(name), referenceEncoding(encoding.formatTag, samples));
    EXPECT_EQ(header.formatTag, encoding.formatTag);
    EXPECT_EQ(header.bitsPerSample, encoding.bitsWritten);
    EXPECT_EQ(header.sampleRate, 8000u);
    EXPECT_EQ(header.sampleCount, samples.size());
}

TEST_P(VoxSaveEncoding, EmptyBodyWritesAnEmptyFile) {
    const SaveCase& encoding = GetParam();
    platform_test::TestFolder dir;
    const std::string name = dir.file("empty.vox");
    plugintest::writeBytes(name, {1, 2, 3});
    char errorText[512] = "";
    PluginOptions options = plugintest::headerFormatOptions(errorText);
    SoundHeader header{encoding.formatTag, 8000, 0, 16};
    const int16_t none[1] = {};
    ASSERT_TRUE(vox::saveVox(name.c_str(), &header, none, &options)) << errorText;
    EXPECT_TRUE(plugintest::readBytes(name).empty()) << "an existing file is truncated";
}

INSTANTIATE_TEST_SUITE_P(EveryEncoding, VoxSaveEncoding,
                         testing::Values(SaveCase{"ulaw", 7, 8}, SaveCase{"alaw", 6, 8},
                                         SaveCase{"adpcm", 23, 4}, SaveCase{"pcm8", 1, 8}));

struct SaveFixture : testing::Test {
    platform_test::TestFolder dir;
    char errorText[512] = "";
    PluginOptions options = plugintest::headerFormatOptions(errorText);
};

TEST_F(SaveFixture, AdpcmOf4097SamplesWrites2049BytesAndReadsBackAs4098) {
    const std::string name = dir.file("odd.vox");
    const std::vector<int16_t> samples = plugintest::testSignal(4097);
    SoundHeader header{23, 8000, 4097, 16};
    ASSERT_TRUE(vox::saveVox(name.c_str(), &header, samples.data(), &options)) << errorText;
    const Bytes written = plugintest::readBytes(name);
    ASSERT_EQ(written.size(), 2049u);
    EXPECT_EQ(written.back() & 0x0F, 0) << "the last byte's low nibble is 0";
    EXPECT_EQ(header.bitsPerSample, 4u);

    SoundHeader reread{23, 8000, 0, 0};
    int16_t* body = nullptr;
    ASSERT_TRUE(vox::openVox(name.c_str(), &reread, &body, &options)) << errorText;
    EXPECT_EQ(reread.sampleCount, 4098u);
    std::free(body);
}

TEST_F(SaveFixture, PcmWritesOneUnsignedBytePerSampleAndSaysEightBits) {
    const std::string name = dir.file("pcm.vox");
    const std::vector<int16_t> samples = {0, -32768, -1, 32767};
    SoundHeader header{1, 8000, 4, 16};
    ASSERT_TRUE(vox::saveVox(name.c_str(), &header, samples.data(), &options)) << errorText;
    EXPECT_EQ(plugintest::readBytes(name), (Bytes{128, 0, 127, 255}));
    EXPECT_EQ(header.bitsPerSample, 8u);
    EXPECT_EQ(header.formatTag, 1u);
}

} // namespace
