#include "pipeline_files.h"

#include <gtest/gtest.h>

namespace {

class MixSoundFilesTest : public testing::Test {
protected:
    PipelineFolder folder;
    const std::string a = folder.path("a.wav");
    const std::string b = folder.path("b.wav");
    const std::string out = folder.path("mix.wav");

    QcResult mix(double weight, const std::string& target = "") {
        const std::string& output = target.empty() ? out : target;
        return MixSoundFiles(a.c_str(), b.c_str(), 0, 0, output.c_str(), QC_FORMAT_PCM16, weight);
    }
};

TEST_F(MixSoundFilesTest, SavesTheMixOfTheTwoFiles) {
    writeWav(a, {10, 20, 30, 40, 50, 60, 70, 80, 90, 100}, 8000);
    writeWav(b, {4, -4, 4, -4}, 8000);
    ASSERT_EQ(mix(0.5), QC_OK) << lastError();
    EXPECT_EQ(readSound(out).samples,
              (std::vector<int16_t>{-20, -19, -10, -9, -2, 2, 7, 12, 17, 22}));
}

TEST_F(MixSoundFilesTest, DifferentRatesGiveNineAndWriteNothing) {
    writeWav(a, ramp(100), 8000);
    writeWav(b, ramp(100), 11025);
    EXPECT_EQ(mix(0.5), QC_MIX_FAILED);
    EXPECT_EQ(lastError(), reportedText(202));
    EXPECT_FALSE(fileExists(out));
}

TEST_F(MixSoundFilesTest, AMissingSecondFileGivesOne) {
    writeWav(a, ramp(100), 8000);
    EXPECT_EQ(mix(0.5), QC_OPEN_FAILED);
    EXPECT_FALSE(fileExists(out));
}

TEST_F(MixSoundFilesTest, AMissingFirstFileGivesOne) {
    writeWav(b, ramp(100), 8000);
    EXPECT_EQ(mix(0.5), QC_OPEN_FAILED);
}

TEST_F(MixSoundFilesTest, AnUnsavableOutputGivesTwo) {
    writeWav(a, ramp(100), 8000);
    writeWav(b, ramp(100), 8000);
    EXPECT_EQ(mix(0.5, folder.path("mix")), QC_SAVE_FAILED);
}

TEST_F(MixSoundFilesTest, WeightZeroGivesTheFirstSoundWithoutItsMean) {
    writeWav(a, ramp(100, 1), 8000); // mean 50 (5050 / 100 truncated)
    writeWav(b, ramp(50, 1000), 8000);
    ASSERT_EQ(mix(0.0), QC_OK);
    EXPECT_EQ(readSound(out).samples, ramp(100, 1 - 50));
}

} // namespace
