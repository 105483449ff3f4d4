// import-batch killed with SIGKILL at random moments, run after run: after every kill each
// dictation is converted once (output complete, input renamed) or still waiting (perhaps with
// an output already, the worst window), never lost and never half-written under an output
// name. A last run without a kill converts everything and leaves no partial or temporary file.
#include "batch_program.h"

#include "wave_test/wave_fixture.h"

#include <gtest/gtest.h>
#include <signal.h>

#include <map>
#include <random>
#include <set>
#include <thread>

namespace batch_test {
namespace {

constexpr int kKills = 60;
constexpr int kMaxRounds = 300;
constexpr int kFirstDictations = 12;
constexpr int kDictationsPerRound = 3;

// Each dictation's content is its own, so every output can be traced to its input.
std::string dictation(int id) {
    std::vector<int16_t> samples(8000);
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<int16_t>((static_cast<int>(i) * (id + 3)) % 30011 - 15000);
    samples[0] = static_cast<int16_t>(id);
    return toolkit_test::pcm16Wave(samples, 8000);
}

class KillTest : public ::testing::Test {
protected:
    BatchWorkspace workspace{true};
    fs::path input = workspace.drive("c/Dict/Type1");
    fs::path output = workspace.drive("c/Convert/TSP/type1");
    std::map<std::string, int> idOfContent;
    int nextId = 0;

    void addDictations(int count) {
        for (int i = 0; i < count; ++i, ++nextId) {
            const std::string content = dictation(nextId);
            idOfContent[content] = nextId;
            workspace.addFile("c/Dict/Type1/d" + std::to_string(nextId) + ".wav", content);
        }
    }

    // The invariant; returns the number of partial files seen in the output folder.
    int checkInvariant(const std::string& when) {
        std::set<int> pending, renamed, output_;
        for (const auto& entry : fs::directory_iterator(input)) {
            const std::string name = entry.path().filename().string();
            const auto found = idOfContent.find(platform_test::readFileBytes(entry.path()));
            EXPECT_NE(found, idOfContent.end()) << when << ": an input changed: " << name;
            if (found == idOfContent.end())
                continue;
            (name.front() == '_' ? renamed : pending).insert(found->second);
        }
        int partials = 0;
        for (const auto& entry : fs::directory_iterator(output)) {
            const std::string name = entry.path().filename().string();
            if (name.front() == '.') {
                EXPECT_TRUE(name.ends_with(".part")) << when << ": " << name;
                ++partials;
                continue;
            }
            const auto found = idOfContent.find(platform_test::readFileBytes(entry.path()));
            EXPECT_NE(found, idOfContent.end()) << when << ": a half-written output: " << name;
            if (found != idOfContent.end())
                output_.insert(found->second);
        }
        for (int id = 0; id < nextId; ++id) {
            const bool isPending = pending.count(id) != 0;
            const bool isRenamed = renamed.count(id) != 0;
            EXPECT_TRUE(isPending != isRenamed)
                << when << ": dictation " << id << " lost or doubled";
            if (isRenamed) {
                EXPECT_TRUE(output_.count(id) != 0) << when << ": " << id << " renamed unconverted";
            }
        }
        return partials;
    }
};

TEST_F(KillTest, EveryDictationSurvivesKillsAtRandomMoments) {
    workspace.writeConfig({"VoxFormat=2", "InputDir1=C:\\Dict\\Type1",
                           "OutputDir1=C:\\Convert\\TSP\\type1", "UserID1=1001", "Loc1=00"});
    fs::create_directories(output);
    addDictations(kFirstDictations);
    std::mt19937 random(20260315);
    // The moments follow the run's length: a run that ended before its kill shortens the
    // range, a kill that landed widens it, so the kills keep falling inside the runs.
    double longestDelayMs = 150;
    int killsLanded = 0;
    for (int round = 0; killsLanded < kKills && round < kMaxRounds; ++round) {
        RunningBatch batch(workspace, {});
        std::uniform_real_distribution<double> delayMs(0, longestDelayMs);
        std::this_thread::sleep_for(
            std::chrono::microseconds(static_cast<long>(1000 * delayMs(random))));
        batch.signal(SIGKILL);
        const BatchResult result = batch.wait();
        const bool landed = result.exitCode == 128 + SIGKILL;
        killsLanded += landed ? 1 : 0;
        longestDelayMs = landed ? longestDelayMs * 1.1 : std::max(5.0, longestDelayMs * 0.7);
        checkInvariant("after round " + std::to_string(round));
        if (HasFailure())
            return;
        addDictations(kDictationsPerRound);
    }
    EXPECT_GE(killsLanded, kKills) << "the kills must land while the program runs";

    const BatchResult last = runBatch(workspace, {});
    EXPECT_EQ(last.exitCode, 0) << last.out << last.err;
    EXPECT_EQ(checkInvariant("after the last run"), 0) << "partial files of killed runs remain";
    for (const auto& entry : fs::directory_iterator(input))
        EXPECT_EQ(entry.path().filename().string().front(), '_') << entry.path();
    const fs::path userTemp = workspace.temp() / ("quorvel-import-" + std::to_string(::geteuid()));
    EXPECT_TRUE(fs::is_empty(userTemp)) << "temporary folders of killed runs remain";
}

} // namespace
} // namespace batch_test
