// The real plug-ins through the toolkit: a 16-bit PCM WAV file read with OpenSoundFileEx and
// written with SaveSoundFileEx, as the conversion of a dictation does it.
#include "test_support.h"
#include "wave_test/wave_fixture.h"

#include "Quiesc.h"

#include "codecs/adpcm.h"
#include "codecs/g711.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

using toolkit_test::lastError;
using toolkit_test::pcm16Wave;
using toolkit_test::readFile;
using toolkit_test::TempFolder;
using toolkit_test::testSamples;
using toolkit_test::writeFile;

namespace {

std::string expectedUlaw(const std::vector<int16_t>& samples) {
    std::string bytes;
    for (const int16_t sample : samples) {
        bytes.push_back(static_cast<char>(codecs::encodeUlaw(sample)));
    }
    return bytes;
}

std::string expectedAdpcm(const std::vector<int16_t>& samples) {
    std::string bytes((samples.size() + 1) / 2, '\0');
    codecs::AdpcmState state;
    codecs::encodeAdpcmBlock(samples.data(), static_cast<uint32_t>(samples.size()),
                             reinterpret_cast<uint8_t*>(bytes.data()), state);
    return bytes;
}

class RealPluginsTest : public testing::Test {
protected:
    void SetUp() override {
        ::unsetenv("QUIESC_PLUGIN_DIR"); // the plug-ins beside the toolkit
        writeFile(input_, pcm16Wave(samples_, 8000));
        ASSERT_EQ(OpenSoundFileEx(input_.c_str(), &header_, &body_, 0, 0), QC_OK) << lastError();
    }
    void TearDown() override { FreeSoundBody(body_); }

    TempFolder folder_;
    const std::string input_ = folder_.file("dictation.wav");
    const std::vector<int16_t> samples_ = testSamples();
    SoundHeader header_{};
    int16_t* body_ = nullptr;
};

TEST_F(RealPluginsTest, OpensA16BitWaveFileAsIs) {
    EXPECT_EQ(header_.formatTag, 1);
    EXPECT_EQ(header_.bitsPerSample, 16);
    EXPECT_EQ(header_.sampleRate, 8000u);
    ASSERT_EQ(header_.sampleCount, samples_.size());
    EXPECT_EQ(std::memcmp(body_, samples_.data(), samples_.size() * 2), 0);
}

struct VoxCase {
    uint32_t formatCode;
    uint16_t writtenTag;
    uint16_t writtenBits;
    std::string (*expected)(const std::vector<int16_t>&);
};

void PrintTo(const VoxCase& c, std::ostream* out) {
    *out << "format code " << c.formatCode;
}

class VoxOutputTest : public RealPluginsTest, public testing::WithParamInterface<VoxCase> {};

TEST_P(VoxOutputTest, WritesExactlyTheCodecsBytes) {
    const VoxCase& c = GetParam();
    const std::string output = folder_.file("dictation.vox");
    ASSERT_EQ(SaveSoundFileEx(output.c_str(), &header_, &body_, c.formatCode), QC_OK)
        << lastError();
    EXPECT_EQ(header_.formatTag, c.writtenTag);
    EXPECT_EQ(header_.bitsPerSample, c.writtenBits);
    EXPECT_EQ(header_.sampleRate, 8000u);
    EXPECT_EQ(header_.sampleCount, samples_.size());
    const std::string written = readFile(output);
    const std::string expected = c.expected(samples_);
    ASSERT_EQ(written.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        ASSERT_EQ(written[i], expected[i]) << "byte " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Encodings, VoxOutputTest,
                         testing::Values(VoxCase{7, 7, 8, expectedUlaw},
                                         VoxCase{23, 23, 4, expectedAdpcm}));

TEST_F(RealPluginsTest, SavingAsPcm16WaveGivesBackTheSameFile) {
    const std::string output = folder_.file("copy.wav");
    ASSERT_EQ(SaveSoundFileEx(output.c_str(), &header_, &body_, 0x8001), QC_OK) << lastError();
    EXPECT_EQ(readFile(output), readFile(input_));
}

TEST_F(RealPluginsTest, FailedSaveLeavesTheHeaderAndReportsTheFile) {
    const std::string output = folder_.file("missing-folder/out.vox");
    const SoundHeader before = header_;
    EXPECT_EQ(SaveSoundFileEx(output.c_str(), &header_, &body_, 23), QC_SAVE_FAILED);
    EXPECT_EQ(std::memcmp(&header_, &before, sizeof before), 0);
    const std::string message = lastError();
    EXPECT_NE(message.find("(\"" + output + "\")."), std::string::npos) << message;
}

TEST_F(RealPluginsTest, AnOverrideFolderWithoutThePluginFallsBackToTheToolkitsFolder) {
    TempFolder empty;
    toolkit_test::PluginFolder plugins(empty.str());
    SoundHeader header{};
    int16_t* body = nullptr;
    ASSERT_EQ(OpenSoundFileEx(input_.c_str(), &header, &body, 0, 0), QC_OK) << lastError();
    EXPECT_EQ(header.sampleCount, samples_.size());
    FreeSoundBody(body);
}

TEST_F(RealPluginsTest, FailedOpenReportsTheFile) {
    const std::string missing = folder_.file("absent.wav");
    SoundHeader header{};
    int16_t* body = nullptr;
    EXPECT_EQ(OpenSoundFileEx(missing.c_str(), &header, &body, 0, 0), QC_OPEN_FAILED);
    EXPECT_EQ(lastError(), "No such file or directory (\"" + missing + "\").");
}

} // namespace
