#include "pipeline_files.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

class ProcessSoundFileTest : public testing::Test {
protected:
    PipelineFolder folder;
    const std::string in = folder.path("in.wav");
    const std::string out = folder.path("out.wav");

    QcResult process(uint32_t flags, SoundSelection* selection = nullptr,
                     const QuiescenceParams* params = nullptr, uint32_t newRate = 0,
                     double gainDb = 0.0, const std::string& target = "") {
        const std::string& output = target.empty() ? out : target;
        return ProcessSoundFile(in.c_str(), 0, 0, output.c_str(), QC_FORMAT_PCM16, newRate,
                                selection, gainDb, params, flags);
    }
};

TEST_F(ProcessSoundFileTest, NoStepsCopiesTheSound) {
    writeWav(in, ramp(500, -250), 8000);
    ASSERT_EQ(process(0), QC_OK) << lastError();
    const SoundData result = readSound(out);
    EXPECT_EQ(result.samples, ramp(500, -250));
    EXPECT_EQ(result.header.sampleRate, 8000u);
}

TEST_F(ProcessSoundFileTest, NoStepsConvertsTheEncoding) {
    writeWav(in, ramp(800, -4000, 10), 8000);
    const std::string vox = folder.path("out.vox");
    ASSERT_EQ(ProcessSoundFile(in.c_str(), 0, 0, vox.c_str(), 7, 0, nullptr, 0.0, nullptr, 0),
              QC_OK)
        << lastError();
    const SoundData result = readSound(vox, 7, 8000);
    ASSERT_EQ(result.samples.size(), 800u);
    for (std::size_t i = 0; i < 800; ++i) {
        // u-law keeps a sample within a few percent.
        EXPECT_NEAR(result.samples[i], -4000 + 10 * static_cast<int>(i), 140) << "sample " << i;
    }
}

TEST_F(ProcessSoundFileTest, InvalidParametersGiveSixBeforeAnyFileIsTouched) {
    const QuiescenceParams params{0.0, 0.0, 2.0, 1};
    EXPECT_EQ(process(QC_STEP_TRIM, nullptr, &params), QC_TRIM_PARAMS_INVALID);
    EXPECT_EQ(lastError(), reportedText(201));
    EXPECT_FALSE(fileExists(out));
}

TEST_F(ProcessSoundFileTest, AMissingInputGivesOne) {
    EXPECT_EQ(process(0), QC_OPEN_FAILED);
    EXPECT_FALSE(fileExists(out));
}

TEST_F(ProcessSoundFileTest, AnUnsavableOutputGivesTwo) {
    writeWav(in, ramp(200), 8000);
    const std::string unknown = folder.path("out.xyz");
    EXPECT_EQ(process(0, nullptr, nullptr, 0, 0.0, unknown), QC_SAVE_FAILED);
    EXPECT_EQ(lastError(), reportedText(502).substr(0, reportedText(502).size() - 1) + " (\"" +
                               unknown + "\").");
}

TEST_F(ProcessSoundFileTest, SilentFileTrimmedGivesLeadPlusTrailSamples) {
    writeWav(in, std::vector<int16_t>(4000, 3), 8000);
    const QuiescenceParams params{0.01, 0.02, 0.1, 4}; // 80 and 160 samples
    ASSERT_EQ(process(QC_STEP_TRIM, nullptr, &params), QC_OK) << lastError();
    EXPECT_EQ(readSound(out).samples, std::vector<int16_t>(240, 0));
}

TEST_F(ProcessSoundFileTest, ValidateOnlyWithAnInvalidSelectionGivesFiveAndWritesNothing) {
    writeWav(in, ramp(800), 8000);
    SoundSelection selection{0.05, 0.2}; // past the 0.1 s of the sound
    EXPECT_EQ(process(QC_STEP_VALIDATE_ONLY, &selection), QC_SELECTION_INVALID);
    EXPECT_EQ(lastError(), reportedText(200));
    EXPECT_FALSE(fileExists(out));
}

TEST_F(ProcessSoundFileTest, ValidateOnlyWithAValidSelectionSavesTheSoundUnchanged) {
    writeWav(in, ramp(800), 8000);
    SoundSelection selection{0.05, 0.075};
    ASSERT_EQ(process(QC_STEP_VALIDATE_ONLY, &selection), QC_OK);
    EXPECT_EQ(readSound(out).samples, ramp(800));
    EXPECT_EQ(selection.startSeconds, 0.05);
    EXPECT_EQ(selection.endSeconds, 0.075);
}

TEST_F(ProcessSoundFileTest, CutRemovesTheSelectionAndSetsItToTheWholeSound) {
    writeWav(in, ramp(800), 8000);
    SoundSelection selection{0.0125, 0.025}; // samples 100 to 199
    ASSERT_EQ(process(QC_STEP_CUT, &selection), QC_OK);
    std::vector<int16_t> expected = ramp(100);
    const auto tail = ramp(600, 201);
    expected.insert(expected.end(), tail.begin(), tail.end());
    EXPECT_EQ(readSound(out).samples, expected);
    EXPECT_EQ(selection.startSeconds, 0.0);
    EXPECT_EQ(selection.endSeconds, 700.0 / 8000);
}

TEST_F(ProcessSoundFileTest, CropKeepsTheSelection) {
    writeWav(in, ramp(800), 8000);
    SoundSelection selection{0.0125, 0.025};
    ASSERT_EQ(process(QC_STEP_CROP, &selection), QC_OK);
    EXPECT_EQ(readSound(out).samples, ramp(100, 101));
    EXPECT_EQ(selection.endSeconds, 100.0 / 8000);
}

TEST_F(ProcessSoundFileTest, ResamplingFewerThanOneHundredSamplesGivesThreeAndWritesNothing) {
    writeWav(in, ramp(99), 8000);
    EXPECT_EQ(process(QC_STEP_RESAMPLE, nullptr, nullptr, 16000), QC_RESAMPLE_FAILED);
    EXPECT_EQ(lastError(), reportedText(203));
    EXPECT_FALSE(fileExists(out));
}

// Applies the in-memory exports one after another, for comparison.
std::vector<int16_t> trimmedThenResampled(const std::vector<int16_t>& x, uint32_t rate,
                                          const QuiescenceParams& params, uint32_t newRate,
                                          double gainDb) {
    SoundHeader header{1, rate, static_cast<uint32_t>(x.size()), 16};
    int16_t* body = nullptr;
    AllocateSoundBody(&body, header.sampleCount);
    std::copy(x.begin(), x.end(), body);
    SoundSelection whole{};
    GetWholeSoundSelection(&header, &whole);
    EXPECT_EQ(Quiescence(&header, &body, &whole, &params), QC_OK);
    EXPECT_EQ(ResampleSound(&header, &body, newRate), QC_OK);
    GetWholeSoundSelection(&header, &whole);
    EXPECT_EQ(AmplifySound(&header, &body, &whole, gainDb), QC_OK);
    std::vector<int16_t> result(body, body + header.sampleCount);
    FreeSoundBody(body);
    return result;
}

TEST_F(ProcessSoundFileTest, TrimsAtTheInputRateThenResamplesThenAmplifies) {
    std::vector<int16_t> x(6000, 0);
    for (int i = 1000; i < 5000; ++i) {
        x[i] = static_cast<int16_t>(8000 * std::sin(i * 0.05));
    }
    writeWav(in, x, 16000);
    const QuiescenceParams params{0.05, 0.1, 0.05, 3};
    ASSERT_EQ(
        process(QC_STEP_TRIM | QC_STEP_RESAMPLE | QC_STEP_AMPLIFY, nullptr, &params, 8000, -3.0),
        QC_OK)
        << lastError();
    const SoundData result = readSound(out);
    EXPECT_EQ(result.header.sampleRate, 8000u);
    EXPECT_EQ(result.samples, trimmedThenResampled(x, 16000, params, 8000, -3.0));
}

} // namespace
