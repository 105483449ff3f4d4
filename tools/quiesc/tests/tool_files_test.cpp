// The program on real files, through the real plug-ins.
#include "platform_test/test_folder.h"
#include "program_run.h"
#include "wave_test/wave_fixture.h"

#include "codecs/adpcm.h"
#include "codecs/g711.h"
#include "codecs/pcm8.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using quiesc_tool_test::runQuiesc;

namespace {

#if QUIESC_WITH_PLUGINS

std::string readFile(const std::string& fileName) {
    std::ifstream in(fileName, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

template <typename Encode>
std::string encodeBytes(const std::vector<int16_t>& samples, Encode encode) {
    std::string bytes;
    for (const int16_t sample : samples) {
        bytes.push_back(static_cast<char>(encode(sample)));
    }
    return bytes;
}

std::string adpcmBytes(const std::vector<int16_t>& samples) {
    std::string bytes((samples.size() + 1) / 2, '\0');
    codecs::AdpcmState state;
    codecs::encodeAdpcmBlock(samples.data(), static_cast<uint32_t>(samples.size()),
                             reinterpret_cast<uint8_t*>(bytes.data()), state);
    return bytes;
}

class ToolFilesTest : public testing::Test {
protected:
    void SetUp() override {
        input_ = file("dictation.wav");
        std::ofstream(input_, std::ios::binary) << toolkit_test::pcm16Wave(samples_, 8000);
    }
    std::string file(const char* name) const { return dir_.file(name); }

    platform_test::TestFolder dir_;
    const std::string folder_ = dir_.str();
    const std::vector<int16_t> samples_ = toolkit_test::testSamples();
    std::string input_;
};

struct ConvertCase {
    const char* outFormat;
    std::string (*expected)(const std::vector<int16_t>&);
};

void PrintTo(const ConvertCase& c, std::ostream* out) {
    *out << "--out-format " << c.outFormat;
}

class ConvertToVoxTest : public ToolFilesTest, public testing::WithParamInterface<ConvertCase> {
protected:
    void SetUp() override { ToolFilesTest::SetUp(); }
};

TEST_P(ConvertToVoxTest, WritesTheEncodedSamples) {
    const ConvertCase& c = GetParam();
    const std::string output = file("out.vox");
    const auto run = runQuiesc({"convert", input_, output, "--out-format", c.outFormat});
    ASSERT_EQ(run.exitCode, 0) << run.standardError;
    EXPECT_EQ(run.standardError, "");
    const std::string written = readFile(output);
    const std::string expected = c.expected(samples_);
    ASSERT_EQ(written.size(), expected.size()) << c.outFormat;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        ASSERT_EQ(static_cast<int>(static_cast<uint8_t>(written[i])),
                  static_cast<int>(static_cast<uint8_t>(expected[i])))
            << "byte " << i << " of " << c.outFormat << ", sample " << samples_[i];
    }
}

INSTANTIATE_TEST_SUITE_P(Encodings, ConvertToVoxTest,
                         testing::Values(ConvertCase{"ulaw",
                                                     [](const std::vector<int16_t>& s) {
                                                         return encodeBytes(s, codecs::encodeUlaw);
                                                     }},
                                         ConvertCase{"7",
                                                     [](const std::vector<int16_t>& s) {
                                                         return encodeBytes(s, codecs::encodeUlaw);
                                                     }},
                                         ConvertCase{"ALAW",
                                                     [](const std::vector<int16_t>& s) {
                                                         return encodeBytes(s, codecs::encodeAlaw);
                                                     }},
                                         ConvertCase{"pcm8",
                                                     [](const std::vector<int16_t>& s) {
                                                         return encodeBytes(s, codecs::encodePcm8);
                                                     }},
                                         ConvertCase{"adpcm", adpcmBytes},
                                         ConvertCase{"0x17", adpcmBytes}));

TEST_F(ToolFilesTest, InfoDescribesAWaveFile) {
    const auto run = runQuiesc({"info", input_});
    ASSERT_EQ(run.exitCode, 0) << run.standardError;
    EXPECT_EQ(run.standardOutput, "file: " + input_ +
                                      "\n"
                                      "encoding: 16-bit PCM (format tag 1)\n"
                                      "bits per sample: 16\n"
                                      "sample rate: 8000 Hz\n"
                                      "samples: 10001\n"
                                      "duration: 1.250 s\n");
}

TEST_F(ToolFilesTest, VoxInputDefaultsToAdpcmAt8000) {
    const std::string vox = file("take.vox");
    std::ofstream(vox, std::ios::binary) << std::string(2000, '\x55');
    const auto run = runQuiesc({"info", vox});
    ASSERT_EQ(run.exitCode, 0) << run.standardError;
    EXPECT_NE(run.standardOutput.find("encoding: Dialogic ADPCM (format tag 23)\n"),
              std::string::npos);
    EXPECT_NE(run.standardOutput.find("sample rate: 8000 Hz\nsamples: 4000\nduration: 0.500 s"),
              std::string::npos)
        << run.standardOutput;
}

// x.wav to a.vox to b.wav: the VOX file is written and read as Dialogic ADPCM at 8000 Hz, and
// the WAV file made from it holds the decoded samples as 16-bit PCM.
TEST_F(ToolFilesTest, VoxRoundTripIsFaithful) {
    const std::string vox = file("a.vox");
    const std::string back = file("b.wav");
    const auto there = runQuiesc({"convert", input_, vox});
    ASSERT_EQ(there.exitCode, 0) << there.standardError;
    EXPECT_TRUE(readFile(vox) == adpcmBytes(samples_));
    const auto again = runQuiesc({"convert", vox, back});
    ASSERT_EQ(again.exitCode, 0) << again.standardError;

    std::vector<int16_t> decoded((samples_.size() + 1) / 2 * 2);
    const std::string codes = adpcmBytes(samples_);
    codecs::AdpcmState state;
    codecs::decodeAdpcmBlock(reinterpret_cast<const uint8_t*>(codes.data()),
                             static_cast<uint32_t>(decoded.size()), decoded.data(), state);
    EXPECT_TRUE(readFile(back) == toolkit_test::pcm16Wave(decoded, 8000));
}

// Headerless files whose names the toolkit does not know go to the VOX plug-in with the
// encoding their type implies; -t names the type of a name that does not tell it.
TEST_F(ToolFilesTest, TypesOfHeaderlessNames) {
    const std::string ulaw = file("call.ul");
    const auto written = runQuiesc({"convert", input_, ulaw});
    ASSERT_EQ(written.exitCode, 0) << written.standardError;
    EXPECT_TRUE(readFile(ulaw) == encodeBytes(samples_, codecs::encodeUlaw));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_),
                            std::filesystem::directory_iterator()),
              2)
        << "nothing but the input and the output";

    const std::string unnamed = file("call.bin");
    std::filesystem::copy_file(ulaw, unnamed);
    const auto info = runQuiesc({"info", "-t", "ul", unnamed});
    ASSERT_EQ(info.exitCode, 0) << info.standardError;
    EXPECT_NE(info.standardOutput.find("encoding: u-law (format tag 7)\nbits per sample: 8\n"
                                       "sample rate: 8000 Hz\nsamples: 10001\n"),
              std::string::npos)
        << info.standardOutput;
}

TEST_F(ToolFilesTest, MissingHeaderlessInputIsNamedAsGiven) {
    const std::string missing = file("absent.al");
    const auto run = runQuiesc({"info", missing});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.standardError, "quiesc: No such file or directory (\"" + missing + "\").\n");
}

// The plug-in's message says that the file cannot be read; the tool names what it holds.
TEST_F(ToolFilesTest, RefusedWaveFilesNameWhatIsUnsupported) {
    std::string unknownTag = toolkit_test::pcm16Wave({1, 2}, 8000);
    unknownTag[20] = 85; // the format tag
    const std::string tagged = file("tag85.wav");
    std::ofstream(tagged, std::ios::binary) << unknownTag;
    const auto run = runQuiesc({"info", tagged});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.standardError.find("(\"" + tagged +
                                     "\"). [format tag 85, 16 bits per sample, 1 channel]\n"),
              std::string::npos)
        << run.standardError;

    const std::string noFormat = wave_test::Riff(wave_test::Chunk("data", std::string(2, '\0')));
    const std::string bare = file("bare.wav");
    std::ofstream(bare, std::ios::binary) << noFormat;
    const auto bareRun = runQuiesc({"info", bare});
    EXPECT_EQ(bareRun.exitCode, 1);
    EXPECT_NE(bareRun.standardError.find("[no format chunk]\n"), std::string::npos)
        << bareRun.standardError;
}

TEST_F(ToolFilesTest, DoubleDashEndsTheOptions) {
    const std::string dashed = file("-t.wav");
    std::filesystem::copy_file(input_, dashed);
    const auto run = runQuiesc({"info", "--", dashed});
    ASSERT_EQ(run.exitCode, 0) << run.standardError;
    EXPECT_EQ(run.standardOutput.rfind("file: " + dashed + "\n", 0), 0u) << run.standardOutput;
}

TEST_F(ToolFilesTest, VoxAtAnUnusualRateWarnsAndRateResamples) {
    const std::string odd = file("odd.wav");
    std::ofstream(odd, std::ios::binary) << toolkit_test::pcm16Wave(samples_, 11025);
    const auto warned = runQuiesc({"convert", odd, file("odd.vox")});
    ASSERT_EQ(warned.exitCode, 0) << warned.standardError;
    EXPECT_NE(warned.standardError.find("warning: " + file("odd.vox") + " stores no sample rate"),
              std::string::npos)
        << warned.standardError;

    const auto resampled = runQuiesc({"convert", odd, file("even.vox"), "--rate", "8000"});
    ASSERT_EQ(resampled.exitCode, 0) << resampled.standardError;
    EXPECT_EQ(resampled.standardError, "");
    const auto info = runQuiesc({"info", file("even.vox")});
    EXPECT_NE(info.standardOutput.find("samples: 7256\n"), std::string::npos)
        << info.standardOutput;
}

TEST_F(ToolFilesTest, VoxInputWithGivenEncodingAndRate) {
    const std::string vox = file("take.vox");
    std::ofstream(vox, std::ios::binary) << std::string(3000, '\x11');
    const auto run = runQuiesc({"info", vox, "--in-format", "adpcm", "--in-rate", "6000"});
    ASSERT_EQ(run.exitCode, 0) << run.standardError;
    EXPECT_NE(run.standardOutput.find("encoding: Dialogic ADPCM (format tag 23)\n"
                                      "bits per sample: 4\n"
                                      "sample rate: 6000 Hz\n"
                                      "samples: 6000\n"
                                      "duration: 1.000 s\n"),
              std::string::npos)
        << run.standardOutput;
}

TEST_F(ToolFilesTest, WaveToWaveKeepsTheEncodingByDefault) {
    const std::string output = file("copy.wav");
    const auto run = runQuiesc({"convert", input_, output});
    ASSERT_EQ(run.exitCode, 0) << run.standardError;
    EXPECT_TRUE(readFile(output) == readFile(input_));
}

TEST_F(ToolFilesTest, MissingInputFailsWithTheFileName) {
    const std::string missing = file("absent.wav");
    const auto run = runQuiesc({"convert", missing, file("out.vox")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.standardError, "quiesc: No such file or directory (\"" + missing + "\").\n");
    EXPECT_FALSE(std::filesystem::exists(file("out.vox")));
}

TEST_F(ToolFilesTest, UnwritableOutputFailsWithTheFileName) {
    const std::string output = file("no-such-folder/out.vox");
    const auto run = runQuiesc({"convert", input_, output, "--out-format", "ulaw"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.standardError, "quiesc: No such file or directory (\"" + output + "\").\n");
}

TEST_F(ToolFilesTest, UnknownTagIsRefusedByThePlugin) {
    const auto run = runQuiesc({"convert", input_, file("out.vox"), "--out-format", "85"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.standardError.find("85"), std::string::npos) << run.standardError;
}

TEST_F(ToolFilesTest, FailedConversionOntoItsInputLeavesTheInputWhole) {
    const std::string before = readFile(input_);
    const auto run = runQuiesc({"convert", input_, input_, "--out-format", "3"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.standardError.find("3"), std::string::npos) << run.standardError;
    EXPECT_TRUE(readFile(input_) == before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_),
                            std::filesystem::directory_iterator()),
              1)
        << "no partial file is left beside the input";
}

TEST_F(ToolFilesTest, ConversionOntoItsInputReplacesIt) {
    const auto run = runQuiesc({"convert", input_, input_, "--out-format", "ulaw"});
    ASSERT_EQ(run.exitCode, 0) << run.standardError;
    const std::string written = readFile(input_);
    ASSERT_EQ(written.size(), 44 + samples_.size() + samples_.size() % 2) << "with the pad byte";
    EXPECT_TRUE(written.substr(44, samples_.size()) == encodeBytes(samples_, codecs::encodeUlaw));
}

#endif

} // namespace
