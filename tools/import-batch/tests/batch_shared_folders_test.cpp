// Folders that more than one run works in, through the real import-batch: two working folders
// converting at once into sibling output folders, two working folders sharing an input folder,
// a shared folder with the sticky bit as an unprivileged user, a stray number in a sibling
// folder, and the last rows of a full directory table.
#include "batch_program.h"
#include "dictation_ledger.h"

#include "config/directory_table.h"
#include "platform_test/folder_listing.h"
#include "platform_test/unprivileged.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <optional>
#include <set>

namespace batch_test {
namespace {

using Names = std::vector<std::string>;
const auto namesIn = platform_test::folderEntries;

std::vector<std::string> rowLines(int row, const std::string& input, const std::string& output) {
    const std::string n = std::to_string(row);
    return {"InputDir" + n + "=" + input, "OutputDir" + n + "=" + output, "UserID" + n + "=1001",
            "Loc" + n + "=00"};
}

std::vector<std::string> withFormat(std::vector<std::string> lines) {
    lines.insert(lines.begin(), "VoxFormat=3");
    return lines;
}

// The job numbers of the day in the outputs of the folders, each as often as it is found.
std::multiset<int> jobNumbers(const std::vector<fs::path>& folders) {
    const std::string prefix = "N " + todayKey() + "-";
    std::multiset<int> numbers;
    for (const fs::path& folder : folders)
        for (const std::string& name : namesIn(folder))
            if (name.starts_with(prefix))
                numbers.insert(std::stoi(name.substr(prefix.size())));
    return numbers;
}

std::multiset<int> oneToN(int n) {
    std::multiset<int> numbers;
    for (int i = 1; i <= n; ++i)
        numbers.insert(i);
    return numbers;
}

class SharedFoldersTest : public ::testing::Test {
protected:
    BatchWorkspace workspace{true};
    fs::path type1 = workspace.drive("c/Convert/TSP/type1");
    fs::path type2 = workspace.drive("c/Convert/TSP/type2");

    // Two runs of two working folders at once; both end without an error.
    void runBothAtOnce() {
        RunningBatch first(workspace, {});
        RunningBatch second({.workspace = workspace, .workFolder = "work2"});
        for (RunningBatch* run : {&first, &second}) {
            const BatchResult result = run->wait();
            EXPECT_EQ(result.exitCode, 0) << result.out << result.err;
            outputs += result.out;
        }
    }
    std::string outputs;
};

// The working folders' run locks do not exclude each other; the number lock of the parent
// folder does.
TEST_F(SharedFoldersTest, TwoWorkingFoldersConvertingAtOnceNeverShareANumber) {
    workspace.writeConfig(withFormat(rowLines(1, "C:\\Dict\\A", "C:\\Convert\\TSP\\type1")));
    workspace.writeConfig(withFormat(rowLines(1, "C:\\Dict\\B", "C:\\Convert\\TSP\\type2")),
                          "work2");
    DictationLedger a(workspace, "c/Dict/A", {"c/Convert/TSP/type1"});
    DictationLedger b(workspace, "c/Dict/B", {"c/Convert/TSP/type2"});
    a.add(12);
    b.add(12);

    runBothAtOnce();

    EXPECT_EQ(a.check("after both runs").converted, 12);
    EXPECT_EQ(b.check("after both runs").converted, 12);
    EXPECT_EQ(jobNumbers({type1, type2}), oneToN(24));
}

// Whichever run claims a dictation converts it; the other passes it by without an error.
TEST_F(SharedFoldersTest, TwoWorkingFoldersSharingAnInputFolderConvertEachDictationOnce) {
    workspace.writeConfig(withFormat(rowLines(1, "C:\\Dict\\Shared", "C:\\Convert\\TSP\\type1")));
    workspace.writeConfig(withFormat(rowLines(1, "C:\\Dict\\Shared", "C:\\Convert\\TSP\\type2")),
                          "work2");
    DictationLedger shared(workspace, "c/Dict/Shared",
                           {"c/Convert/TSP/type1", "c/Convert/TSP/type2"});
    shared.add(20);

    runBothAtOnce();

    const DictationLedger::Count count = shared.check("after both runs");
    EXPECT_EQ(count.converted, 20);
    EXPECT_EQ(count.records, 0);
    EXPECT_EQ(jobNumbers({type1, type2}), oneToN(20));
    for (const std::string& line : linesOf(outputs)) {
        const bool expected = line.find(" -> ") != std::string::npos ||
                              line.ends_with(": Being converted by another run") ||
                              line.ends_with(": Converted by another run");
        EXPECT_TRUE(expected) << line;
    }
}

// Anyone may write into a folder with the sticky bit, but only the owner of a file (or of the
// folder) may rename it there: a dictation of another user cannot be marked done, so it is
// not converted at all, run after run, while the user's own dictation is.
TEST_F(SharedFoldersTest, AStickyFolderKeepsOtherUsersDictationsFromBeingConverted) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs a dictation of another user";
    workspace.writeConfig(withFormat(rowLines(1, "C:\\Drop", "C:\\Convert\\TSP\\type1")));
    workspace.addFile("c/Drop/mine.wav", wave(1));
    workspace.addFile("c/Drop/theirs.wav", wave(2));
    fs::create_directories(type1);
    platform_test::shareWithEveryone(workspace.root());
    const fs::path drop = workspace.drive("c/Drop");
    fs::permissions(drop, fs::perms::all | fs::perms::sticky_bit);
    fs::permissions(drop / "theirs.wav", fs::perms(0644));
    ASSERT_EQ(
        ::chown((drop / "mine.wav").c_str(), platform_test::kNobodyId, platform_test::kNobodyId),
        0);

    for (int run = 1; run <= 2; ++run) {
        const BatchResult result = runBatch(workspace, {}, platform_test::dropPrivileges);
        EXPECT_EQ(result.exitCode, 1) << result.err;
        const std::string refused = "C:\\Drop\\theirs.wav: Error renaming input file "
                                    "C:\\Drop\\theirs.wav (Operation not permitted)";
        EXPECT_NE(result.out.find(refused), std::string::npos) << result.out;
        EXPECT_EQ(namesIn(drop), (Names{"_mine.wav", "theirs.wav"})) << "run " << run;
        EXPECT_EQ(namesIn(type1).size(), 1u) << "run " << run << ": converted once";
    }
}

// A stray file whose number no day reaches is passed over instead of using up the day.
TEST_F(SharedFoldersTest, AStrayNumberTooLongToBeRealIsPassedOver) {
    workspace.writeConfig(withFormat(rowLines(1, "C:\\Dict\\Type1", "C:\\Convert\\TSP\\type1")));
    workspace.addFile("c/Convert/TSP/Type3/N " + todayKey() + "-99999999999 notes.txt", "notes");
    workspace.addFile("c/Dict/Type1/a.wav", wave(1));
    workspace.addFile("c/Dict/Type1/b.wav", wave(2));
    fs::create_directories(type1);

    const BatchResult result = runBatch(workspace, {});

    EXPECT_EQ(result.exitCode, 0) << result.out << result.err;
    EXPECT_EQ(jobNumbers({type1}), oneToN(2));
}

// Rows 100 and 101 write into the siblings Type100 and Type101, which every job's search
// covers; rows after 101 are said to be ignored.
TEST_F(SharedFoldersTest, TheLastRowsOfAFullTableShareTheSequenceAndRowsAfterThemAreIgnored) {
    std::vector<std::string> lines = {"VoxFormat=3"};
    for (int row = 1; row <= 102; ++row) {
        const std::string n = std::to_string(row);
        const std::vector<std::string> cells =
            row < 100 ? rowLines(row, "\" \"", "\" \"")
                      : rowLines(row, "C:\\Dict\\In" + n, "C:\\Convert\\TSP\\type" + n);
        lines.insert(lines.end(), cells.begin(), cells.end());
        if (row >= 100)
            workspace.addFile("c/Dict/In" + n + "/d.wav", wave(row));
    }
    workspace.writeConfig(lines);
    for (const char* folder : {"type100", "type101", "type102"})
        fs::create_directories(workspace.drive("c/Convert/TSP") / folder);

    const BatchResult result = runBatch(workspace, {});

    EXPECT_EQ(result.exitCode, 0) << result.out << result.err;
    EXPECT_EQ(linesOf(result.out).size(), 2u) << result.out;
    EXPECT_EQ(jobNumbers({workspace.drive("c/Convert/TSP/type100"),
                          workspace.drive("c/Convert/TSP/type101")}),
              oneToN(2));
    EXPECT_NE(result.err.find(shell::kRowsBeyondLimitText), std::string::npos) << result.err;
    EXPECT_EQ(namesIn(workspace.drive("c/Dict/In102")), Names{"d.wav"});
}

} // namespace
} // namespace batch_test
