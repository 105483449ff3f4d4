#include "convert/job_number_search.h"
#include "convert/output_namer.h"

#include "platform_test/test_folder.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

namespace convert {
namespace {

struct EntryCase {
    const char* name;
    std::optional<int> expected;
};

std::ostream& operator<<(std::ostream& out, const EntryCase& c) {
    return out << "\"" << c.name << "\"";
}

class JobNumberInEntryNameTest : public testing::TestWithParam<EntryCase> {};

TEST_P(JobNumberInEntryNameTest, ReadsTheNumberOfTheDay) {
    EXPECT_EQ(JobNumberInEntryName(GetParam().name, "0315"), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    EntryNames, JobNumberInEntryNameTest,
    testing::Values(EntryCase{"N 0315-041 1001 0000 00  .vox", 41},
                    EntryCase{"S 0315-108 1001 0000 00 abc .wav", 108},
                    EntryCase{"N 0315-1000 1001 0000 00  .vox", 1000},
                    EntryCase{"N 0315-12345 1001 0000 00  .vox", 12345},
                    EntryCase{"N 0315-999999 1001 0000 00  .vox", 999999},
                    // A stray number that would use up the day at once.
                    EntryCase{"N 0315-1000000 1 0000 00  .vox", std::nullopt},
                    EntryCase{"N 0315-99999999999 notes.txt", std::nullopt},
                    EntryCase{"N 0315- +0000000 x", std::nullopt}, EntryCase{"N 0315- 12 x", 12},
                    EntryCase{"N 0315-", 0}, EntryCase{"N 0315-abc", 0},
                    EntryCase{"xx03150123", 123}, EntryCase{"xx0315x123", 0},
                    EntryCase{"xx031501239", 123}, EntryCase{"xx0315", 0},
                    EntryCase{"N 0314-500 1001 0000 00  .vox", std::nullopt},
                    EntryCase{"N 1503-500", std::nullopt}, EntryCase{"N 031", std::nullopt},
                    EntryCase{"", std::nullopt}, EntryCase{"abc.wav", std::nullopt}));

TEST(JobNumberInEntryNameTest, NeedsADayKey) {
    EXPECT_EQ(JobNumberInEntryName("N 0315-041", ""), std::nullopt);
}

// One sibling for each row the table can hold, so that rows 100 and 101 number with the rest.
TEST(JobNumberFoldersTest, TheFolderThenTypeSiblings) {
    const auto folders = JobNumberFolders("C:\\Convert\\TSP\\type1");
    ASSERT_EQ(folders.size(), 102u);
    EXPECT_EQ(folders[0], "C:\\Convert\\TSP\\type1");
    EXPECT_EQ(folders[1], "C:\\Convert\\TSP\\Type1");
    EXPECT_EQ(folders[99], "C:\\Convert\\TSP\\Type99");
    EXPECT_EQ(folders[101], "C:\\Convert\\TSP\\Type101");
    EXPECT_EQ(JobNumberFolders("/srv/out/x")[7], "/srv/out/Type7");
    EXPECT_EQ(JobNumberFolders("C:out")[2], "C:Type2");
    EXPECT_EQ(JobNumberFolders("outbox")[3], "Type3");
    EXPECT_EQ(JobNumberFolders("")[1], "Type1");
    EXPECT_EQ(JobNumberFolders("C:\\Out\\type2\\")[0], "C:\\Out\\type2\\");
    EXPECT_EQ(JobNumberFolders("C:\\Out\\type2\\")[5], "C:\\Out\\Type5");
    EXPECT_EQ(JobNumberFolders("/srv/out/x//")[2], "/srv/out/Type2");
    EXPECT_EQ(JobNumberFolders("/")[1], "/Type1");
}

// Real folders below a temporary drive root.
class JobNumberSearchTest : public testing::Test {
protected:
    platform_test::TestFolder root;
    platform_test::ScopedEnv drive{"IMPORT_DRIVE_ROOT", root.str()};
    FixedClock clock{2026, 3, 15, 9, 0};
    shell::Settings settings;

    void SetUp() override {
        root.writeFile("c/Out/type2/S 0315-041 1001 0000 00  .vox");
        root.writeFile("c/Out/type2/N 0314-500 1001 0000 00  .vox"); // another day
        root.writeFile("c/Out/Type7/N 0315-108 1002 0000 00  .vox");
        root.writeFile("c/Out/Type7/N 0316-900 1002 0000 00  .vox");   // another day
        root.writeFile("c/Out/Type102/N 0315-700 1002 0000 00  .vox"); // not a sibling searched
        root.writeFile("c/Elsewhere/Type3/N 0315-600 1002 0000 00  .vox");
    }
};

TEST_F(JobNumberSearchTest, FindsTheHighestNumberAmongSiblings) {
    OutputNamer namer(clock);
    namer.UpdateJobDateKey();
    namer.FindLastJobNumber("C:\\Out\\type2");
    EXPECT_EQ(namer.JobSequence(), 108);
    EXPECT_EQ(namer.BuildOutputName(settings, "a.wav", "1001", "00"),
              "N 0315-109 1001 0000 00  .wav");
}

// A partial file reserves its target's number; a stray number too long to be real is passed
// over instead of taking every number of the day.
TEST_F(JobNumberSearchTest, CountsReservedNamesAndPassesOverStrayNumbers) {
    root.writeFile("c/Out/Type3/.N 0315-150 1001 0000 00  .vox.pc-12-0.part");
    root.writeFile("c/Out/Type3/.N 0315-990 1001 0000 00  .vox.12-0.part"); // no writer named
    root.writeFile("c/Out/Type4/N 0315-99999999999 notes.txt");
    EXPECT_EQ(HighestJobNumberOfDay("C:\\Out\\type2", "0315"), 150);
}

// A sibling is the folder its stored name leads to: the exact "TypeN", else the smallest name
// equal to it ignoring case.
TEST_F(JobNumberSearchTest, ASiblingIsTheFolderItsNameLeadsTo) {
    root.writeFile("c/Out/type6/N 0315-400 1001 0000 00  .vox");
    root.writeFile("c/Out/TYPE6/N 0315-300 1001 0000 00  .vox");
    EXPECT_EQ(HighestJobNumberOfDay("C:\\Out\\type2", "0315"), 300);
    root.writeFile("c/Out/Type6/N 0315-200 1001 0000 00  .vox");
    EXPECT_EQ(HighestJobNumberOfDay("C:\\Out\\type2", "0315"), 200);
    root.writeFile("c/Out/Type8", "a file, not a folder: N 0315-900");
    EXPECT_EQ(HighestJobNumberOfDay("C:\\Out\\type2", "0315"), 200);
}

TEST_F(JobNumberSearchTest, RowsOneHundredAndOneHundredAndOneShareTheSequence) {
    root.writeFile("c/Out/Type100/N 0315-200 1001 0000 00  .vox");
    EXPECT_EQ(HighestJobNumberOfDay("C:\\Out\\type101", "0315"), 200);
    root.writeFile("c/Out/type101/N 0315-201 1001 0000 00  .vox");
    EXPECT_EQ(HighestJobNumberOfDay("C:\\Out\\type1", "0315"), 201);
}

TEST_F(JobNumberSearchTest, SearchesTheOutputFolderEvenWhenNotATypeFolder) {
    root.writeFile("c/Out/Special/N 0315-300 1001 0000 00  .vox");
    EXPECT_EQ(HighestJobNumberOfDay("C:\\Out\\Special", "0315"), 300);
    EXPECT_EQ(HighestJobNumberOfDay("c:/out/special", "0315"), 300);
}

TEST_F(JobNumberSearchTest, CountsFoldersAndFilesWithoutExtension) {
    root.makeFolder("c/Out/Type9/N 0315-222 folder");
    root.writeFile("c/Out/Type9/xx0315-0333");
    EXPECT_EQ(HighestJobNumberOfDay("C:\\Out\\type2", "0315"), 333);
}

TEST_F(JobNumberSearchTest, IgnoresOtherDays) {
    EXPECT_EQ(HighestJobNumberOfDay("C:\\Out\\type2", "0316"), 900);
    EXPECT_EQ(HighestJobNumberOfDay("C:\\Out\\type2", "0317"), 0);
}

TEST_F(JobNumberSearchTest, AMissingOutputFolderStillSearchesItsSiblings) {
    EXPECT_EQ(HighestJobNumberOfDay("C:\\Out\\type55", "0315"), 108);
    EXPECT_EQ(HighestJobNumberOfDay("C:\\Nowhere\\type1", "0315"), 0);
    EXPECT_EQ(HighestJobNumberOfDay("", "0315"), 0);
}

TEST_F(JobNumberSearchTest, AFolderWithoutParentLooksInTheWorkingFolder) {
    root.writeFile("work/Type4/N 0315-077 1001 0000 00  .vox");
    platform_test::ScopedWorkingFolder cwd(root.path() / "work");
    EXPECT_EQ(HighestJobNumberOfDay("outbox", "0315"), 77);
}

TEST_F(JobNumberSearchTest, PosixFoldersAreSearchedAsWell) {
    const std::string out = (root.path() / "c" / "Out" / "type2").string();
    EXPECT_EQ(HighestJobNumberOfDay(out, "0315"), 108);
}

TEST_F(JobNumberSearchTest, TheThousandthJobAndTheOneAfterIt) {
    root.writeFile("c/Out/Type7/N 0315-999 1002 0000 00  .vox");
    OutputNamer namer(clock);
    namer.UpdateJobDateKey();
    namer.FindLastJobNumber("C:\\Out\\type2");
    const std::string thousandth = namer.BuildOutputName(settings, "a.wav", "1001", "00");
    EXPECT_EQ(thousandth, "N 0315-1000 1001 0000 00  .wav");
    root.writeFile("c/Out/type2/" + thousandth);
    namer.FindLastJobNumber("C:\\Out\\type2");
    EXPECT_EQ(namer.JobSequence(), 1000);
    EXPECT_EQ(namer.BuildOutputName(settings, "b.wav", "1001", "00"),
              "N 0315-1001 1001 0000 00  .wav");
}

TEST_F(JobNumberSearchTest, ADayChangeRestartsFromTheNewDaysFiles) {
    OutputNamer namer(clock);
    namer.UpdateJobDateKey();
    namer.FindLastJobNumber("C:\\Out\\type2");
    EXPECT_EQ(namer.JobSequence(), 108);
    clock.Set(2026, 3, 16, 0, 5);
    namer.UpdateJobDateKey();
    namer.FindLastJobNumber("C:\\Out\\type2");
    EXPECT_EQ(namer.BuildOutputName(settings, "a.wav", "1001", "00"),
              "N 0316-901 1001 0000 00  .wav");
}

} // namespace
} // namespace convert
