// Recordings an office meets, through the real import-batch to u-law VOX in one run: each
// converts as long and as loud as the reference program's decoding says, a source shorter
// than its header converts with a notice in its line, and a DSS variant fails with Dictconv's
// reason in the job's text.
#include "batch_program.h"

#include "codecs/decoding_tables.h"
#include "dss_test/dss_writer.h"
#include "platform/programs.h"
#include "wave_test/recording_corpus.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <sstream>

namespace batch_test {
namespace {

namespace wt = wave_test;

bool runProgram(const std::string& program, const std::vector<std::string>& args) {
    int exitCode = -1;
    return platform::startProgram(program, args, true, &exitCode) && exitCode == 0;
}

// The lines of the run by their input's name.
std::map<std::string, std::string> linesByInput(const std::string& out) {
    std::map<std::string, std::string> lines;
    std::istringstream stream(out);
    for (std::string line; std::getline(stream, line);) {
        const std::size_t name = line.find("Type1\\") + 6;
        const std::size_t end = line.find_first_of(":-", line.find('.', name));
        lines[line.substr(name, end - name - (line[end] == '-' ? 1 : 0))] = line;
    }
    return lines;
}

// The headline cases; the reader's own tests take the whole corpus.
const std::vector<std::string> kHeadlines = {"Rf64",
                                             "RifxBigEndian",
                                             "Extensible24Bit",
                                             "SixChannels",
                                             "Gsm610WithFactChunk",
                                             "DataSizeBeyondTheEnd",
                                             "DataBeforeFormat",
                                             "YamahaAdpcm"};

std::vector<wt::CorpusRecording> headlineRecordings() {
    std::vector<wt::CorpusRecording> recordings;
    for (const wt::CorpusRecording& recording : wt::RecordingCorpus())
        if (std::find(kHeadlines.begin(), kHeadlines.end(), recording.name) != kHeadlines.end())
            recordings.push_back(recording);
    return recordings;
}

// A u-law VOX file as floats at full scale 1.
std::vector<float> ulawVox(const fs::path& file) {
    std::vector<float> samples;
    for (const char byte : platform_test::readFileBytes(file))
        samples.push_back(static_cast<float>(codecs::ulawTable[static_cast<uint8_t>(byte)]) /
                          32768.0f);
    return samples;
}

TEST(BatchCorpusTest, ConvertsEveryRecordingAnOfficeMeets) {
    BatchWorkspace workspace(true);
    workspace.writeConfig({"InputDir1=C:\\Dict\\Type1", "OutputDir1=C:\\Convert\\TSP\\type1",
                           "UserID1=1001", "Loc1=00", "VoxFormat=0"});
    const fs::path input = workspace.drive("c/Dict/Type1");
    fs::create_directories(input);
    fs::create_directories(workspace.drive("c/Convert/TSP/type1"));
    const std::vector<wt::CorpusRecording> recordings = headlineRecordings();
    ASSERT_EQ(recordings.size(), kHeadlines.size());
    std::map<std::string, wt::ReferenceSound> references;
    for (const wt::CorpusRecording& recording : recordings) {
        const fs::path file = input / (std::string(recording.name) + ".wav");
        ASSERT_TRUE(recording.make(runProgram, file)) << recording.name;
        auto reference =
            wt::DecodeWithReference(runProgram, recording, file, workspace.root() / "ref.raw");
        ASSERT_TRUE(reference) << recording.name;
        references[recording.name] = *reference;
    }
    dss_test::DssShape variant;
    std::string dss = dss_test::DssFile(variant);
    dss[0] = 6;
    workspace.addFile("c/Dict/Type1/Variant.dss", dss);

    const BatchResult result = runBatch(workspace, {});

    EXPECT_EQ(result.exitCode, 1) << result.err;
    const auto lines = linesByInput(result.out);
    EXPECT_EQ(
        lines.at("Variant.dss"),
        "C:\\Dict\\Type1\\Variant.dss: Could not convert C:\\Dict\\Type1\\Variant.dss to .wav "
        "format (a DSS variant this converter does not decode: it begins with 06 64 73 73)");
    for (const wt::CorpusRecording& recording : recordings) {
        SCOPED_TRACE(recording.name);
        const std::string inputPath = "C:\\Dict\\Type1\\" + std::string(recording.name) + ".wav";
        const std::string& line = lines.at(std::string(recording.name) + ".wav");
        const std::size_t arrow = line.find(" -> C:\\Convert\\TSP\\type1\\");
        ASSERT_NE(arrow, std::string::npos) << line;
        const std::string notice = "; " + inputPath + " is shorter than its header says";
        EXPECT_EQ(line.ends_with(notice), recording.shorterThanHeader) << line;
        const std::size_t nameAt = arrow + std::string(" -> C:\\Convert\\TSP\\type1\\").size();
        const std::string outputName = line.substr(nameAt, line.find(".vox", nameAt) + 4 - nameAt);
        const auto ours = ulawVox(workspace.drive("c/Convert/TSP/type1/" + outputName));

        const wt::ReferenceSound& reference = references.at(recording.name);
        const double seconds = reference.Seconds(recording.rate);
        EXPECT_NEAR(static_cast<double>(ours.size()) / 8000, seconds, 0.01 * seconds);
        const double level = wt::LimitedRms(reference.mono);
        EXPECT_NEAR(wt::LimitedRms(ours), level, 0.03 * level);
    }
    EXPECT_NE(result.err.find(std::to_string(recordings.size()) + " converted, 1 with errors"),
              std::string::npos)
        << result.err;
}

} // namespace
} // namespace batch_test
