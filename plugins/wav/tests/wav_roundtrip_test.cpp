// A sound written by the writer in each encoding reads back as the codec says it must.
#include "plugin_test_support.h"
#include "wav/wav_formats.h"
#include "wav/wav_plugin.h"

#include "codecs/adpcm.h"
#include "codecs/decoding_tables.h"
#include "codecs/g711.h"
#include "codecs/pcm8.h"

#include <gtest/gtest.h>

#include <ostream>

#include <cstdlib>

namespace wav {

void PrintTo(const WavFormat& format, std::ostream* out) {
    *out << format.text;
}

} // namespace wav

namespace {

// decode(encode(x)) for every sample, computed straight from the codec.
std::vector<int16_t> throughCodec(const wav::WavFormat& format,
                                  const std::vector<int16_t>& samples) {
    std::vector<int16_t> expected;
    codecs::AdpcmState encoder;
    codecs::AdpcmState decoder;
    for (int16_t sample : samples) {
        switch (format.formatTag) {
        case FORMAT_TAG_PCM:
            expected.push_back(format.bitsPerSample == 16
                                   ? sample
                                   : codecs::pcm8Table[codecs::encodePcm8(sample)]);
            break;
        case FORMAT_TAG_ALAW:
            expected.push_back(codecs::alawTable[codecs::encodeAlaw(sample)]);
            break;
        case FORMAT_TAG_MULAW:
            expected.push_back(codecs::ulawTable[codecs::encodeUlaw(sample)]);
            break;
        default:
            expected.push_back(
                codecs::decodeNibble(decoder, codecs::encodeSample(encoder, sample)));
        }
    }
    return expected;
}

class WavRoundTrip : public testing::TestWithParam<wav::WavFormat> {};

TEST_P(WavRoundTrip, ReadsBackWhatTheCodecGives) {
    const wav::WavFormat& format = GetParam();
    platform_test::TestFolder dir;
    const std::string name = dir.file("round.wav");
    // Two full blocks and an even tail, so ADPCM reads back exactly as many samples.
    const std::vector<int16_t> samples = plugintest::testSignal(4096 * 2 + 10);
    char errorText[512] = "";
    PluginOptions options = plugintest::headerFormatOptions(errorText);
    SoundHeader header{format.formatTag, 8000, static_cast<uint32_t>(samples.size()),
                       format.bitsPerSample};
    ASSERT_TRUE(wav::saveWav(name.c_str(), &header, samples.data(), &options)) << errorText;

    SoundHeader reread{};
    int16_t* body = nullptr;
    ASSERT_TRUE(wav::openWav(name.c_str(), &reread, &body, &options)) << errorText;
    EXPECT_EQ(reread.formatTag, format.formatTag);
    EXPECT_EQ(reread.bitsPerSample, format.bitsPerSample);
    EXPECT_EQ(reread.sampleRate, 8000u);
    ASSERT_EQ(reread.sampleCount, samples.size());
    EXPECT_EQ(std::vector<int16_t>(body, body + reread.sampleCount), throughCodec(format, samples));
    std::free(body);
}

INSTANTIATE_TEST_SUITE_P(EveryEncoding, WavRoundTrip, testing::ValuesIn(wav::wavFormats));

} // namespace
