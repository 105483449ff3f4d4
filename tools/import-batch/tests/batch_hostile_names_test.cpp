// Input folders are drop folders anyone may write into, through the real import-batch: only
// regular files are dictations (a link would publish what it points to, a FIFO would never
// end), a name is never a path, any name the file system allows converts, and a folder that
// two table rows list gives each dictation one job.
#include "batch_program.h"

#include "dss_test/dss_writer.h"
#include "platform_test/folder_listing.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace batch_test {
namespace {

using Names = std::vector<std::string>;
const auto namesIn = platform_test::folderEntries;

class HostileNamesTest : public ::testing::Test {
protected:
    BatchWorkspace workspace;
    fs::path type1 = workspace.drive("c/Convert/TSP/type1");
    fs::path type2 = workspace.drive("c/Convert/TSP/type2");

    void configure(const std::vector<std::string>& lines) {
        workspace.writeConfig(lines);
        fs::create_directories(type1);
        fs::create_directories(type2);
    }
};

TEST_F(HostileNamesTest, LinksFifosAndNamesWithBackslashesAreNotJobs) {
    configure({"VoxFormat=3", "InputDir1=C:\\Dict\\Type1", "OutputDir1=C:\\Convert\\TSP\\type1",
               "InputDir2=C:\\Dict\\Type2", "OutputDir2=C:\\Convert\\TSP\\type2"});
    const fs::path in1 = workspace.drive("c/Dict/Type1");
    workspace.addFile("c/Dict/Type1/a.wav", wave(1));
    workspace.addFile("c/Dict/Type2/b.wav", wave(2));
    const fs::path secret = workspace.addFile("c/secret/private.wav", wave(3));
    fs::permissions(secret, fs::perms(0640));
    workspace.addFile("c/secret/confidential.wav", wave(4));
    fs::create_symlink(secret, in1 / "leak.wav");
    fs::create_symlink("../Type2/b.wav", in1 / "other.wav");
    ASSERT_EQ(::mkfifo((in1 / "pipe.dss").c_str(), 0666), 0);
    ASSERT_EQ(::mkfifo((in1 / "pipe.wav").c_str(), 0666), 0);
    const std::string pathName = "..\\..\\secret\\confidential.wav";
    workspace.addFile("c/Dict/Type1/" + pathName, "a name, not a path");

    for (int run = 1; run <= 2; ++run) {
        RunningBatch batch(workspace, {});
        ASSERT_TRUE(batch.endsWithin(std::chrono::seconds(30))) << "a FIFO held the run";
        const BatchResult result = batch.wait();
        EXPECT_EQ(result.exitCode, 0) << result.err;
        if (run == 1) {
            EXPECT_EQ(linesOf(result.out).size(), 2u) << result.out;
        } else {
            EXPECT_EQ(result.out, "");
        }
        // Said once in every run.
        for (const std::string& said :
             {"\"" + pathName + "\" in C:\\Dict\\Type1 has a \"\\\" in its name, not converted",
              std::string("C:\\Dict\\Type1\\leak.wav is a link, not converted"),
              std::string("C:\\Dict\\Type1\\other.wav is a link, not converted"),
              std::string("C:\\Dict\\Type1\\pipe.dss is not a regular file, not converted"),
              std::string("C:\\Dict\\Type1\\pipe.wav is not a regular file, not converted")}) {
            const std::size_t at = result.err.find("import-batch: " + said + "\n");
            EXPECT_NE(at, std::string::npos) << said << "\n" << result.err;
            EXPECT_EQ(result.err.find(said, at + said.size()), std::string::npos) << said;
        }
    }
    ASSERT_EQ(namesIn(type1).size(), 1u);
    EXPECT_EQ(platform_test::readFileBytes(type1 / namesIn(type1)[0]), wave(1));
    ASSERT_EQ(namesIn(type2).size(), 1u) << "the linked dictation is converted once, by its row";
    EXPECT_EQ(platform_test::readFileBytes(type2 / namesIn(type2)[0]), wave(2));
    EXPECT_EQ(namesIn(in1),
              (Names{pathName, "_a.wav", "leak.wav", "other.wav", "pipe.dss", "pipe.wav"}));
    EXPECT_EQ(namesIn(workspace.drive("c/secret")), (Names{"confidential.wav", "private.wav"}));
}

// The temporary files carry short names of their own, so the longest name that can still be
// marked done ("_" + it fits the file system's 255 bytes) converts, through the wave chain and
// through the DSS converter.
TEST_F(HostileNamesTest, TheLongestNamesConvert) {
    configure({"VoxFormat=1", "AppendSource=1", "InputDir1=C:\\Dict\\Type1",
               "OutputDir1=C:\\Convert\\TSP\\type1", "UserID1=1001", "Loc1=00"});
    // 250 and 254 bytes.
    const std::string wavName = std::string(246, 'n') + ".wav";
    const std::string dssName = std::string(250, 'n') + ".dss";
    dss_test::DssShape shape;
    shape.frames = 60;
    workspace.addFile("c/Dict/Type1/" + wavName, wave(1));
    workspace.addFile("c/Dict/Type1/" + dssName, dss_test::DssFile(shape));

    const BatchResult result = runBatch(workspace, {});

    EXPECT_EQ(result.exitCode, 0) << result.out << result.err;
    EXPECT_EQ(namesIn(workspace.drive("c/Dict/Type1")), (Names{"_" + wavName, "_" + dssName}));
    const std::string header = "N " + todayKey() + "-00";
    const std::string source(30, 'n');
    EXPECT_EQ(namesIn(type1), (Names{header + "1 1001 0000 00 " + source + " .vox",
                                     header + "2 1001 0000 00 " + source + " .vox"}));
}

// The scan lists the files of a folder once for each row that names it; the first row's job
// converts each, and the second row's finds it done and says nothing.
TEST_F(HostileNamesTest, TwoRowsSharingAFolderConvertEachDictationOnce) {
    configure({"VoxFormat=3", "InputDir1=C:\\Dict\\Shared", "OutputDir1=C:\\Convert\\TSP\\type1",
               "InputDir2=c:/dict/shared", "OutputDir2=C:\\Convert\\TSP\\type2"});
    workspace.addFile("c/Dict/Shared/a.wav", wave(1));
    workspace.addFile("c/Dict/Shared/b.dss", "not looked at in a dry run");

    const BatchResult dry = runBatch(workspace, {"--dry-run"});
    EXPECT_EQ(linesOf(dry.out).size(), 2u) << dry.out;

    fs::remove(workspace.drive("c/Dict/Shared/b.dss"));
    const BatchResult result = runBatch(workspace, {});
    EXPECT_EQ(result.exitCode, 0) << result.out << result.err;
    EXPECT_EQ(linesOf(result.out).size(), 1u) << result.out;
    EXPECT_NE(result.err.find("1 converted, 0 with errors"), std::string::npos) << result.err;
    EXPECT_EQ(namesIn(type1).size(), 1u);
    EXPECT_TRUE(namesIn(type2).empty());
}

} // namespace
} // namespace batch_test
