#include "jobs/job_row.h"
#include "jobs/job_scan.h"

#include <gtest/gtest.h>

namespace {

TEST(GetImageIndexTest, UnderscoreMarksConvertedFiles) {
    const struct {
        const char* text;
        int image;
    } cases[] = {{"_abc.wav", 2}, {"_", 2}, {"abc.wav", 1}, {"", 1}, {" _x", 1}, {"x_", 1}};
    for (const auto& c : cases) {
        EXPECT_EQ(shell::GetImageIndex(c.text), c.image) << "text \"" << c.text << "\"";
    }
}

TEST(JobColumnsTest, HeadersWidthsAndAlignments) {
    using shell::ColumnAlignment;
    const struct {
        const char* header;
        int width;
        ColumnAlignment alignment;
    } expected[] = {
        {"Input File", 175, ColumnAlignment::Left},  {"Size (KB)", 55, ColumnAlignment::Right},
        {"Output File", 175, ColumnAlignment::Left}, {"Size (KB)", 55, ColumnAlignment::Right},
        {"Input Dir", 100, ColumnAlignment::Left},   {"Output Dir", 100, ColumnAlignment::Left},
        {"User ID", 60, ColumnAlignment::Left},      {"Loc", 40, ColumnAlignment::Left}};
    ASSERT_EQ(std::size(expected), shell::kJobColumns.size());
    for (std::size_t i = 0; i < shell::kJobColumns.size(); ++i) {
        EXPECT_STREQ(shell::kJobColumns[i].header, expected[i].header) << "column " << i;
        EXPECT_EQ(shell::kJobColumns[i].width, expected[i].width) << "column " << i;
        EXPECT_EQ(shell::kJobColumns[i].alignment, expected[i].alignment) << "column " << i;
    }
}

TEST(SizeInKbTest, RoundsTheLow32BitsToTheNearestKb) {
    const struct {
        uint64_t bytes;
        const char* text;
    } cases[] = {{0, "0"},
                 {1, "0"},
                 {511, "0"},
                 {512, "1"},
                 {1000, "1"},
                 {1024, "1"},
                 {1535, "1"},
                 {1536, "2"},
                 {2600, "3"},
                 {1048576, "1024"},
                 {0xFFFFFFFFull, "4194304"},
                 {0x100000000ull, "0"},
                 {0x100000000ull + 2600, "3"}};
    for (const auto& c : cases) {
        EXPECT_EQ(shell::SizeInKbText(c.bytes), c.text) << c.bytes << " bytes";
    }
}

TEST(StatusTextsTest, AreTheDesignedTexts) {
    EXPECT_EQ(shell::TotalFilesText(0), "Total Files:  0");
    EXPECT_EQ(shell::TotalFilesText(20000), "Total Files:  20000");
    EXPECT_EQ(shell::NextConversionText(30), "Next scheduled conversion in 30 min");
}

TEST(MakeJobRowTest, CopiesTheTableRowAndLeavesTheOutputBlank) {
    shell::DirectoryRow table;
    table.cells = {"C:\\Dict\\Type1", "C:\\Convert\\TSP\\type1", "1001", "00"};
    const shell::JobRow row = shell::MakeJobRow("abc.wav", 2600, table);
    EXPECT_EQ(row.columns, (std::array<std::string, 8>{"abc.wav", "3", " ", " ", "C:\\Dict\\Type1",
                                                       "C:\\Convert\\TSP\\type1", "1001", "00"}));
    EXPECT_EQ(row.image, 1);
}

} // namespace
