// The reader on the corpus of wave files an office meets, made here with the ffmpeg and sox
// programs: every file reads at its own rate, as long as the ffmpeg program's decoding (sox's
// where ffmpeg misreads the file) within 1 %, as loud within 2 % and with the same waveform.
#include "wavefile/sound_source.h"

#include "platform/programs.h"
#include "platform_test/test_folder.h"
#include "wave_test/recording_corpus.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

namespace wt = wave_test;

bool runProgram(const std::string& program, const std::vector<std::string>& args) {
    int exitCode = -1;
    return platform::startProgram(program, args, true, &exitCode) && exitCode == 0;
}

class WaveCorpusTest : public ::testing::TestWithParam<std::size_t> {
protected:
    platform_test::TestFolder folder;
};

double rmsOfDifference(const std::vector<float>& a, const std::vector<float>& b) {
    const std::size_t common = std::min(a.size(), b.size());
    double sum = 0;
    for (std::size_t i = 0; i < common; ++i)
        sum += (static_cast<double>(a[i]) - b[i]) * (static_cast<double>(a[i]) - b[i]);
    return common == 0 ? 0 : std::sqrt(sum / static_cast<double>(common));
}

TEST_P(WaveCorpusTest, ReadsWhatTheFfmpegProgramDecodes) {
    const wt::CorpusRecording& recording = wt::RecordingCorpus()[GetParam()];
    const auto file = folder.path() / (std::string(recording.name) + ".wav");
    ASSERT_TRUE(recording.make(runProgram, file)) << "the ffmpeg or sox program failed";
    const auto reference =
        wt::DecodeWithReference(runProgram, recording, file, folder.path() / "reference.raw");
    ASSERT_TRUE(reference) << recording.reference << " does not decode it";
    std::string error;
    const auto source =
        wavefile::OpenSoundFile(file.string(), wavefile::RecordingKind::Wave, error);
    ASSERT_TRUE(source) << error;
    EXPECT_EQ(source->SampleRate(), recording.rate);
    EXPECT_EQ(source->ShorterThanHeader(), recording.shorterThanHeader);
    std::vector<float> block(static_cast<std::size_t>(source->BlockFrames())), ours;
    long got = 0;
    while ((got = source->ReadBlock(block.data())) > 0)
        ours.insert(ours.end(), block.begin(), block.begin() + got);
    ASSERT_EQ(got, 0) << source->Error();

    const std::vector<float>& theirs = reference->mono;
    EXPECT_NEAR(static_cast<double>(ours.size()), static_cast<double>(theirs.size()),
                0.01 * static_cast<double>(theirs.size()));
    const double level = wt::LimitedRms(theirs);
    ASSERT_GT(level, 0.01) << "the reference is silent";
    EXPECT_NEAR(wt::LimitedRms(ours), level, 0.02 * level);
    EXPECT_LT(rmsOfDifference(ours, theirs), 0.02 * level) << "the waveforms differ";
}

std::string caseName(const ::testing::TestParamInfo<std::size_t>& info) {
    return wt::RecordingCorpus()[info.param].name;
}

INSTANTIATE_TEST_SUITE_P(Corpus, WaveCorpusTest,
                         ::testing::Range<std::size_t>(0, wt::RecordingCorpus().size()), caseName);

} // namespace
