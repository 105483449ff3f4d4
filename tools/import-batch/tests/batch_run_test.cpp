// One run of import-batch over a workspace: the result lines, the exit status, the files, the
// dry run, the lock shared with the window, a full output file system, many jobs.
#include "batch_fixture.h"

#include "convert/run_lock.h"
#include "convert/toolkit_vox_writer.h"
#include "dss_test/dss_writer.h"
#include "wave_test/wave_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace batch_test {
namespace {

class BatchRunTest : public OneRowTest, public ::testing::Test {
protected:
    explicit BatchRunTest(bool inMemory = false)
        : OneRowTest(inMemory) {}
};

TEST_F(BatchRunTest, ConvertsEveryWaitingJobAndPrintsALinePerJob) {
    configure({"VoxFormat=2"});
    workspace.addFile("c/Dict/Type1/b memo.wav", wave(2));
    workspace.addFile("c/Dict/Type1/A.wav", wave(1));
    workspace.addFile("c/Dict/Type1/_done.wav", wave(3));

    const BatchResult result = runBatch(workspace, {});

    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(linesOf(result.out),
              (Names{"C:\\Dict\\Type1\\A.wav -> " + outputPath(1) + " (8 KB)",
                     "C:\\Dict\\Type1\\b memo.wav -> " + outputPath(2) + " (8 KB)"}));
    EXPECT_NE(result.err.find("2 converted, 0 with errors"), std::string::npos) << result.err;
    EXPECT_EQ(namesIn(in1), (Names{"_A.wav", "_b memo.wav", "_done.wav"}));
    EXPECT_EQ(namesIn(out1), (Names{name(1), name(2)}));
    EXPECT_EQ(platform_test::readFileBytes(out1 / name(2)), wave(2));
    EXPECT_TRUE(
        namesIn(workspace.temp() / ("quorvel-import-" + std::to_string(::geteuid()))).empty())
        << "the run's temporary folder is gone";

    const BatchResult again = runBatch(workspace, {});
    EXPECT_EQ(again.exitCode, 0);
    EXPECT_EQ(again.out, "");
    EXPECT_NE(again.err.find("no dictation is waiting"), std::string::npos);
}

// Through the real wave conversion chain and the toolkit: an 8 kHz mono dictation passes the
// chain unchanged, so its VOX output equals the toolkit's own encoding of it; a 44.1 kHz stereo
// one is mixed down and resampled to 8 kHz.
TEST_F(BatchRunTest, WritesVoxThroughTheWaveChainAndTheToolkit) {
    configure({"VoxFormat=1"});
    const std::string telephone = wave(1, 8001);
    workspace.addFile("c/Dict/Type1/a telephone.wav", telephone);
    std::vector<int16_t> stereo(2 * 44100);
    for (std::size_t i = 0; i < stereo.size(); ++i)
        stereo[i] = static_cast<int16_t>((i * 7) % 3000);
    std::string studio = toolkit_test::pcm16Wave(stereo, 88200);
    studio[22] = 2; // two channels of 44100 Hz
    studio[24] = 0x44, studio[25] = static_cast<char>(0xAC), studio[26] = 0, studio[27] = 0;
    studio[32] = 4; // four bytes a frame
    workspace.addFile("c/Dict/Type1/b studio.wav", studio);

    const BatchResult result = runBatch(workspace, {});

    ASSERT_EQ(result.exitCode, 0) << result.out << result.err;
    const fs::path expected = workspace.root() / "expected.vox";
    ASSERT_TRUE(convert::WriteVoxWithToolkit(workspace.drive("c/Dict/Type1/_a telephone.wav"),
                                             expected.string(), 23));
    EXPECT_EQ(platform_test::readFileBytes(out1 / name(1, ".vox")),
              platform_test::readFileBytes(expected));
    EXPECT_EQ(fs::file_size(out1 / name(1, ".vox")), 4001u);
    // One second of sound: 8000 samples at 4 bits, within a block of the resampler's edges.
    const auto studioBytes = static_cast<long>(fs::file_size(out1 / name(2, ".vox")));
    EXPECT_NEAR(studioBytes, 4000, 40);
    EXPECT_EQ(linesOf(result.out).at(1),
              "C:\\Dict\\Type1\\b studio.wav -> " + outputPath(2, ".vox") + " (4 KB)");
}

// A DSS dictation through the DSS converter beside the program, the chain and the toolkit.
TEST_F(BatchRunTest, ConvertsADssDictationThroughTheConverter) {
    configure({"VoxFormat=1"});
    dss_test::DssShape shape;
    shape.frames = 400;
    workspace.addFile("c/Dict/Type1/memo.dss", dss_test::DssFile(shape));

    const BatchResult result = runBatch(workspace, {});

    ASSERT_EQ(result.exitCode, 0) << result.out << result.err;
    EXPECT_EQ(namesIn(in1), (Names{"_memo.dss"}));
    ASSERT_TRUE(fs::exists(out1 / name(1, ".vox")));
    EXPECT_GT(fs::file_size(out1 / name(1, ".vox")), 1000u);
    EXPECT_FALSE(fs::exists(workspace.drive("c/tmp.wav"))) << "the converter's result is taken";
}

TEST_F(BatchRunTest, AFailedJobIsPrintedWithItsErrorAndSetsTheExitStatus) {
    configure({"ShowErrors=1", "InputDir2=C:\\Dict\\Type2", "OutputDir2=C:\\Missing",
               "UserID2=2002", "Loc2=00"});
    workspace.addFile("c/Dict/Type1/a.wav", wave(1));
    workspace.addFile("c/Dict/Type2/b.wav", wave(2));

    const BatchResult result = runBatch(workspace, {});

    EXPECT_EQ(result.exitCode, 1);
    const std::vector<std::string> lines = linesOf(result.out);
    ASSERT_EQ(lines.size(), 2u) << result.out;
    EXPECT_EQ(lines[0], "C:\\Dict\\Type1\\a.wav -> " + outputPath(1) + " (8 KB)");
    const std::string missing = "C:\\Missing\\N " + key + "-001 2002 0000 00  .wav";
    EXPECT_EQ(lines[1], "C:\\Dict\\Type2\\b.wav: Error creating output file - " + missing +
                            " (No such file or directory)");
    EXPECT_TRUE(fs::exists(workspace.drive("c/Dict/Type2/b.wav")));
    const std::string log = platform_test::readFileBytes(workspace.work() / "errorlog.txt");
    EXPECT_NE(log.find(": Error:  Error creating output file - C:\\Missing\\"), std::string::npos);
}

TEST_F(BatchRunTest, TheDryRunListsTheNamesAndChangesNothing) {
    configure({"VoxFormat=1", "AppendSource=1", "InputDir2=C:\\Dict\\Type2",
               "OutputDir2=C:\\Convert\\TSP\\type2", "UserID2=2002", "Loc2=07"});
    workspace.addFile("c/Dict/Type1/a.wav", wave(1));
    workspace.addFile("c/Dict/Type1/b.dss", "dss");
    workspace.addFile("c/Dict/Type2/c.wav", wave(3));
    workspace.addFile("c/Convert/TSP/type2/S " + key + "-041 2002 0000 07 x .vox", "earlier");

    const BatchResult result = runBatch(workspace, {"--dry-run"});

    EXPECT_EQ(result.exitCode, 0) << result.err;
    const std::string prefix = "N " + key + "-";
    EXPECT_EQ(linesOf(result.out), (Names{"C:\\Dict\\Type1\\a.wav -> C:\\Convert\\TSP\\type1\\" +
                                              prefix + "042 1001 0000 00 a .vox",
                                          "C:\\Dict\\Type1\\b.dss -> C:\\Convert\\TSP\\type1\\" +
                                              prefix + "043 1001 0000 00 b .vox",
                                          "C:\\Dict\\Type2\\c.wav -> C:\\Convert\\TSP\\type2\\" +
                                              prefix + "044 2002 0000 07 c .vox"}));
    EXPECT_EQ(namesIn(in1), (Names{"a.wav", "b.dss"}));
    EXPECT_TRUE(namesIn(out1).empty());
    EXPECT_FALSE(fs::exists(workspace.work() / "import.lock"));
}

// A run waits while the window's run holds the lock and converts as soon as it is free; --watch
// then waits for its next round until SIGTERM ends it.
TEST_F(BatchRunTest, WatchConvertsAsSoonAsTheLockIsFree) {
    configure({"ConvertInterval=1"});
    workspace.addFile("c/Dict/Type1/a.wav", wave(1));
    std::optional<convert::RunLock> windowRun =
        convert::RunLock::TryAcquire((workspace.work() / "import.lock").string());
    ASSERT_TRUE(windowRun->held());
    RunningBatch batch(workspace, {"--watch"});
    ASSERT_TRUE(batch.waitForError("waiting for the conversion running in this folder to end"));
    EXPECT_EQ(namesIn(in1), Names{"a.wav"});
    windowRun.reset();
    ASSERT_TRUE(batch.waitForError("1 converted, 0 with errors"));
    EXPECT_EQ(namesIn(in1), Names{"_a.wav"});
    batch.signal(SIGTERM);
    const BatchResult result = batch.wait();
    EXPECT_EQ(result.exitCode, 3) << result.err;
    EXPECT_NE(result.err.find("import-batch: stopped by SIGTERM; 0 dictations are still waiting"),
              std::string::npos)
        << result.err;
}

// The output folder on a file system too small for the first output: that job fails cleanly,
// its partial output goes, and the next job still fits.
TEST_F(BatchRunTest, AFullOutputFileSystemFailsTheJobAndLeavesNothingBehind) {
    configure({"VoxFormat=3"});
    workspace.addFile("c/Dict/Type1/a big.wav", wave(1, 60000));
    workspace.addFile("c/Dict/Type1/b small.wav", wave(2, 2000));
    const BatchResult result = runBatch(workspace, {}, smallFileSystemAt(out1, "64k"));
    if (result.exitCode == 125)
        GTEST_SKIP() << "no mount namespace here to make a small file system";

    EXPECT_EQ(result.exitCode, 1) << result.err;
    const std::vector<std::string> lines = linesOf(result.out);
    ASSERT_EQ(lines.size(), 2u) << result.out;
    EXPECT_EQ(lines[0], "C:\\Dict\\Type1\\a big.wav: Error creating output file - " +
                            outputPath(1) + " (No space left on device)");
    EXPECT_EQ(lines[1], "C:\\Dict\\Type1\\b small.wav -> " + outputPath(1) + " (4 KB)");
    EXPECT_EQ(namesIn(in1), (Names{"_b small.wav", "a big.wav"}));
}

class BatchManyJobsTest : public BatchRunTest {
protected:
    BatchManyJobsTest()
        : BatchRunTest(true) {}
};

TEST_F(BatchManyJobsTest, AThousandJobsInOneFolderAreNumberedInNameOrder) {
    configure({"VoxFormat=3"});
    for (int i = 999; i >= 0; --i) {
        char file[32];
        std::snprintf(file, sizeof file, "c/Dict/Type1/d%04d.wav", i);
        workspace.addFile(file, std::to_string(i));
    }
    const BatchResult result = runBatch(workspace, {});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    const std::vector<std::string> lines = linesOf(result.out);
    ASSERT_EQ(lines.size(), 1000u);
    EXPECT_EQ(lines[0], "C:\\Dict\\Type1\\d0000.wav -> " + outputPath(1) + " (1 KB)");
    EXPECT_EQ(lines[998], "C:\\Dict\\Type1\\d0998.wav -> " + outputPath(999) + " (1 KB)");
    EXPECT_EQ(lines[999], "C:\\Dict\\Type1\\d0999.wav -> C:\\Convert\\TSP\\type1\\N " + key +
                              "-1000 1001 0000 00  .wav (1 KB)");
    EXPECT_EQ(platform_test::readFileBytes(out1 / name(500)), "499");
    EXPECT_EQ(namesIn(out1).size(), 1000u);
}

} // namespace
} // namespace batch_test
