#include "convert/speech_handoff.h"

#include "speech_folders.h"
#include "wave_test/wave_files.h"

#include "platform_test/folder_listing.h"
#include "platform_test/test_folder.h"
#include "platform_test/wait_for.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;
namespace wt = wave_test;
using namespace std::chrono_literals;
using platform_test::TestFolder;

// ---- Folder rules ----

struct FolderCase {
    const char* name;
    std::string result;
    std::string expected;
};

// CTest lists each case under its name.
void PrintTo(const FolderCase& c, std::ostream* os) {
    *os << c.name;
}

class SpeechFolderRuleTest : public ::testing::TestWithParam<FolderCase> {};

TEST_P(SpeechFolderRuleTest, Gives) {
    EXPECT_EQ(GetParam().result, GetParam().expected);
}

using namespace convert::steps;

INSTANTIATE_TEST_SUITE_P(
    Rules, SpeechFolderRuleTest,
    ::testing::Values(
        FolderCase{"BackslashAppended", WithTrailingSeparator("C:\\Dragon\\Input"),
                   "C:\\Dragon\\Input\\"},
        FolderCase{"PosixFolderKept", WithTrailingSeparator("/srv/speech/in/"), "/srv/speech/in/"},
        FolderCase{"VoxBecomesWav",
                   SpeechFilePath("C:\\S\\", "C:\\Out\\N 0315-001 1001 00 dict.vox"),
                   "C:\\S\\N 0315-001 1001 00 dict.wav"},
        FolderCase{"LastDotCounts", SpeechFilePath("/s/", "/out/a.b.dss"), "/s/a.b.wav"},
        FolderCase{"NameWithoutDot", SpeechFilePath("/s/", "/out/abc"), "/s/abc.wav"},
        FolderCase{"DotInFolderOnly", SpeechFilePath("/s/", "/out.d/abc"), "/s/abc.wav"},
        FolderCase{"TextsBesideOutput", TextDestination("C:\\Convert\\TSP\\type1", true),
                   "C:\\Convert\\TSP\\type1\\"},
        FolderCase{"TextsInDocuments", TextDestination("C:\\Convert\\TSP\\type1", false),
                   "C:\\Convert\\TSP\\Documents\\"},
        FolderCase{"DocumentsOfAPosixFolder", TextDestination("/srv/out/type1", false),
                   "/srv/out/Documents/"},
        FolderCase{"DocumentsOfAFolderWithoutParent", TextDestination("type1", false),
                   "Documents/"}));

// ---- The hand-off with a stand-in engine ----

// The engine: a thread that takes every complete wave file from its input folder (and the
// folders below it), checks that it is 16-bit mono at 11025, and answers with text files.
class TestEngine {
public:
    TestEngine(fs::path inputRoot, fs::path outputFolder, std::vector<std::string> texts)
        : inputRoot_(std::move(inputRoot))
        , outputFolder_(std::move(outputFolder))
        , texts_(std::move(texts))
        , thread_([this] { watch(); }) {}
    ~TestEngine() {
        stop_ = true;
        thread_.join();
    }

    std::vector<fs::path> Taken() const {
        std::lock_guard lock(mutex_);
        return taken_;
    }
    int TakenCount() const { return takenCount_; }
    bool AllWellFormed() const { return wellFormed_; }

private:
    void watch() {
        const auto deadline = std::chrono::steady_clock::now() + 20s;
        while (!stop_ && std::chrono::steady_clock::now() < deadline) {
            std::error_code ignored;
            for (const auto& entry : fs::recursive_directory_iterator(inputRoot_, ignored)) {
                const std::string name = entry.path().filename().string();
                if (!entry.is_regular_file() || name.front() == '.')
                    continue;
                if (!wt::ReadCanonicalPcm16(entry.path(), 11025))
                    wellFormed_ = false;
                // Texts and record first: once the file is gone the hand-off may look at both.
                for (const auto& text : texts_)
                    wt::WriteBytes(outputFolder_ / text, "recognised " + name);
                {
                    std::lock_guard lock(mutex_);
                    taken_.push_back(entry.path());
                }
                fs::remove(entry.path(), ignored);
                ++takenCount_;
                break;
            }
            std::this_thread::sleep_for(2ms);
        }
    }

    fs::path inputRoot_;
    fs::path outputFolder_;
    std::vector<std::string> texts_;
    mutable std::mutex mutex_;
    std::vector<fs::path> taken_;
    std::atomic<int> takenCount_{0};
    std::atomic<bool> wellFormed_{true};
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

// Records every pause; a one-second pause lasts until the engine has taken a file (with a
// deadline), so the tests never wait for real seconds.
class RecordingPauses final : public convert::SpeechPauses {
public:
    void Pause(std::chrono::milliseconds duration) override {
        pauses.push_back(duration);
        if (engine == nullptr || duration != 1000ms)
            return;
        const int before = taken;
        platform_test::waitFor([&] { return engine->TakenCount() != before; });
        taken = engine->TakenCount();
    }
    int Count(std::chrono::milliseconds duration) const {
        return static_cast<int>(std::count(pauses.begin(), pauses.end(), duration));
    }
    std::vector<std::chrono::milliseconds> pauses;
    const TestEngine* engine = nullptr;
    int taken = 0;
};

class NamedProgress final : public convert::ProgressView {
public:
    void SetStatusText(const std::string&) override {}
    void SetFileNameText(const std::string& text) override { fileName = text; }
    void SetInputText(const std::string&) override {}
    void SetOutputText(const std::string&) override {}
    void SetGauge(int) override {}
    std::string fileName;
};

class SpeechHandOffTest : public ::testing::Test {
protected:
    SpeechHandOffTest()
        : drives_("IMPORT_DRIVE_ROOT", folder.str()) {
        settings.SpeechInput = "C:\\Speech\\In";
        settings.SpeechOutput = "C:\\Speech\\Out";
        input = folder.makeFolder("c/Speech/In");
        output = folder.makeFolder("c/Speech/Out");
        outputDir = folder.makeFolder("c/Convert/TSP/type1");
        documents = folder.makeFolder("c/Convert/TSP/Documents");
        tempWave = folder
                       .writeFile("tmp/dict.wav",
                                  wt::WaveFile({}, wt::Pcm16Bytes(wt::NoiseSamples(4000, 1))))
                       .string();
        loop.onProcessEvents = [this] { ++processed; };
    }

    bool Run(const std::string& userId = "1001",
             const std::string& outputPath = "C:\\Convert\\TSP\\type1\\N 0315-001 1001 00.vox") {
        convert::SpeechHandOff handOff(settings, converter, reporter, progress, loop, pauses, ends);
        return handOff.Run(2, "dict.wav", tempWave, outputPath, userId, "C:\\Convert\\TSP\\type1");
    }

    TestFolder folder;
    fs::path input, output, outputDir, documents;
    std::string tempWave;
    shell::Settings settings;
    convert::TaskQueueLoop loop;
    int processed = 0;
    NamedProgress progress;
    convert::WaveConverter converter{loop, progress};
    convert::FixedClock clock{2026, 3, 15, 14, 35, 9};
    std::vector<shell::JobRow> rows = std::vector<shell::JobRow>(3);
    std::string panel3;
    convert::JobRowsErrorView view{rows, panel3};
    convert::JobErrorReporter reporter{settings, clock, view};
    RecordingPauses pauses;
    convert::WaitEnds ends;

private:
    platform_test::ScopedEnv drives_;
};

TEST_F(SpeechHandOffTest, WritesIntoTheUsersSubfolderWhenItExists) {
    folder.makeFolder("c/Speech/In/1001");
    TestEngine engine(input, output, {});
    pauses.engine = &engine;
    ASSERT_TRUE(Run("1001"));
    ASSERT_TRUE(Run("1002"));
    const auto taken = engine.Taken();
    ASSERT_EQ(taken.size(), 2u);
    EXPECT_EQ(taken[0], input / "1001" / "N 0315-001 1001 00.wav");
    EXPECT_EQ(taken[1], input / "N 0315-001 1001 00.wav");
    EXPECT_TRUE(engine.AllWellFormed());
}

TEST_F(SpeechHandOffTest, WaitsForTheEngineAndMovesItsTextsIntoDocuments) {
    TestEngine engine(input, output, {"dict.txt", "dict.TXT.txt"});
    pauses.engine = &engine;
    ASSERT_TRUE(Run());
    EXPECT_EQ(progress.fileName, "Speech Rec: dict.wav");
    EXPECT_LE(pauses.Count(1000ms), 1);
    EXPECT_EQ(pauses.Count(3000ms), 1);
    EXPECT_EQ(wt::ReadBytes(documents / "dict.txt"), "recognised N 0315-001 1001 00.wav");
    EXPECT_TRUE(fs::exists(documents / "dict.TXT.txt"));
    EXPECT_TRUE(platform_test::folderEntries(output).empty());
    EXPECT_GE(processed, 1 + pauses.Count(1000ms));
    EXPECT_EQ(rows[2].columns[shell::kColOutputFile], "");
}

TEST_F(SpeechHandOffTest, MovesTheTextsBesideTheOutputWhenAsked) {
    settings.MoveOutputText = true;
    TestEngine engine(input, output, {"letter.txt"});
    pauses.engine = &engine;
    ASSERT_TRUE(Run());
    EXPECT_TRUE(fs::exists(outputDir / "letter.txt"));
    EXPECT_FALSE(fs::exists(documents / "letter.txt"));
}

// Every text of the folder goes, an earlier job's too, but none over one already there.
TEST_F(SpeechHandOffTest, MovesEveryTextButNeverReplacesOne) {
    wt::WriteBytes(documents / "dict.txt", "the user's own text");
    wt::WriteBytes(output / "old.txt", "from an earlier job");
    TestEngine engine(input, output, {"dict.txt"});
    pauses.engine = &engine;
    ASSERT_TRUE(Run());
    EXPECT_EQ(wt::ReadBytes(documents / "dict.txt"), "the user's own text");
    EXPECT_EQ(platform_test::folderEntries(output), std::vector<std::string>{"dict.txt"});
    EXPECT_TRUE(fs::exists(documents / "old.txt"));
}

// A folder named like a text, another file, or no output folder at all: no three-second pause.
TEST_F(SpeechHandOffTest, DoesNotPauseWithoutTexts) {
    folder.makeFolder("c/Speech/Out/folder.txt");
    wt::WriteBytes(output / "notes.doc", "not a text");
    TestEngine engine(input, output, {});
    pauses.engine = &engine;
    ASSERT_TRUE(Run());
    EXPECT_TRUE(fs::exists(output / "notes.doc"));
    fs::remove_all(output);
    ASSERT_TRUE(Run());
    EXPECT_EQ(pauses.Count(3000ms), 0);
}

TEST_F(SpeechHandOffTest, GoesOnAfterAboutHundredMinutesWhenTheEngineNeverTakesTheFile) {
    ASSERT_TRUE(Run());
    EXPECT_EQ(pauses.Count(1000ms), 6000);
    EXPECT_EQ(pauses.pauses.size(), 6000u);
    EXPECT_GE(processed, 6000);
    EXPECT_TRUE(fs::exists(input / "N 0315-001 1001 00.wav"));
}

// A source that cannot be read, or no speech input folder: reported, and nothing waited for.
TEST_F(SpeechHandOffTest, ReportsAFailedConversionAndWaitsForNothing) {
    fs::remove_all(input);
    EXPECT_FALSE(Run());
    fs::create_directory(input);
    fs::remove(tempWave);
    EXPECT_FALSE(Run());
    EXPECT_EQ(rows[2].columns[shell::kColOutputFile],
              "Error converting to PCM .wav format in Speech Rec folder");
    EXPECT_EQ(panel3, "Error converting to PCM .wav format in Speech Rec folder");
    EXPECT_TRUE(pauses.pauses.empty());
    EXPECT_TRUE(platform_test::folderEntries(input).empty());
}

// A stop (the program ends) or Cancel after the third check: the job goes on at once, and the
// texts, which the engine may still be writing, wait for the next job's hand-off.
TEST_F(SpeechHandOffTest, AStopOrCancelEndsTheWaitForTheEngine) {
    wt::WriteBytes(output / "earlier.txt", "from an earlier job");
    const auto third = [this] { return pauses.pauses.size() >= 3; };
    for (const bool stop : {true, false}) {
        pauses.pauses.clear();
        ends = stop ? convert::WaitEnds{third, {}} : convert::WaitEnds{{}, third};
        ASSERT_TRUE(Run()) << (stop ? "stop" : "cancel");
        EXPECT_EQ(pauses.pauses, std::vector<std::chrono::milliseconds>(3, 1000ms));
        EXPECT_TRUE(fs::exists(output / "earlier.txt"));
        EXPECT_TRUE(fs::exists(input / "N 0315-001 1001 00.wav")) << "the engine may still take it";
    }
}

TEST(RealSpeechPausesTest, AStopEndsAPauseAtOnce) {
    convert::TaskQueueLoop loop;
    std::atomic<int> asked{0};
    convert::RealSpeechPauses(loop, [&] { return ++asked > 3; }).Pause(std::chrono::hours(1));
    EXPECT_EQ(asked, 4);
}

// The real pauses keep the window live: events posted before a pause are handled during it.
TEST(RealSpeechPausesTest, ProcessEventsWhilePausing) {
    convert::TaskQueueLoop loop;
    bool handled = false;
    loop.Post([&] { handled = true; });
    convert::RealSpeechPauses(loop).Pause(1ms);
    EXPECT_TRUE(handled);
}

} // namespace
