#include "jobs/job_sort.h"

#include <gtest/gtest.h>

namespace {

using shell::JobRow;

JobRow row(const std::string& caption, const std::string& inSize = "1",
           const std::string& outSize = " ", const std::string& user = "1001") {
    JobRow r;
    r.columns = {caption, inSize, " ", outSize, "C:\\In", "C:\\Out", user, "00"};
    return r;
}

std::vector<std::string> column(const std::vector<JobRow>& rows, int c) {
    std::vector<std::string> values;
    for (const auto& r : rows) {
        values.push_back(r.columns[static_cast<std::size_t>(c)]);
    }
    return values;
}

// The first click sorts ascending, every later one (on any column) flips the direction.
TEST(SortJobRowsTest, TheFlagIsSharedByAllColumns) {
    std::vector<JobRow> rows = {row("b.wav", "1", " ", "300"), row("c.wav", "1", " ", "100"),
                                row("a.wav", "1", " ", "200")};
    shell::SortDirection direction;
    shell::SortJobRows(rows, shell::kColInputFile, direction.Flip());
    EXPECT_EQ(column(rows, 0), (std::vector<std::string>{"a.wav", "b.wav", "c.wav"}));
    shell::SortJobRows(rows, shell::kColInputFile, direction.Flip());
    EXPECT_EQ(column(rows, 0), (std::vector<std::string>{"c.wav", "b.wav", "a.wav"}));
    shell::SortJobRows(rows, shell::kColUserId, direction.Flip());
    EXPECT_EQ(column(rows, shell::kColUserId), (std::vector<std::string>{"100", "200", "300"}));
}

TEST(CompareTextTest, IsCaseSensitiveDictionaryOrder) {
    const struct {
        const char* a;
        const char* b;
        int expected;
    } cases[] = {{"a", "b", -1},    {"a", "A", -1},    {"A", "b", -1},      {"B", "a", 1},
                 {"abc", "abc", 0}, {"ab", "abc", -1}, {"Zed", "apple", 1}, {"10", "9", -1},
                 {"", "a", -1},     {"x", "", 1}};
    for (const auto& c : cases) {
        const int result = shell::CompareText(c.a, c.b);
        EXPECT_EQ((result > 0) - (result < 0), c.expected) << c.a << " vs " << c.b;
    }
}

TEST(SortJobRowsTest, InputSizeSortsByNumber) {
    std::vector<JobRow> rows = {row("a", "10"), row("b", "9"), row("c", "100"), row("d", "0")};
    shell::SortJobRows(rows, shell::kColInputSize, true);
    EXPECT_EQ(column(rows, 1), (std::vector<std::string>{"0", "9", "10", "100"}));
    shell::SortJobRows(rows, shell::kColInputSize, false);
    EXPECT_EQ(column(rows, 1), (std::vector<std::string>{"100", "10", "9", "0"}));
    EXPECT_EQ(shell::CompareJobRows(row("a", "3"), row("b", "3"), shell::kColInputSize), 0);
}

TEST(SortJobRowsTest, ANonNumberAbandonsTheSort) {
    std::vector<JobRow> rows = {row("b", "2"), row("a", "x1"), row("c", "1")};
    const std::vector<JobRow> before = rows;
    try {
        shell::SortJobRows(rows, shell::kColInputSize, true);
        FAIL() << "no error";
    } catch (const shell::SortValueError& e) {
        EXPECT_STREQ(e.what(), "'x1' is not a valid floating point value");
    }
    EXPECT_EQ(column(rows, 0), column(before, 0)) << "rows stay as they were";
    EXPECT_THROW(shell::CompareJobRows(row("a", " "), row("b", "1"), shell::kColInputSize),
                 shell::SortValueError);
    EXPECT_THROW(shell::CompareJobRows(row("a", "inf"), row("b", "1"), shell::kColInputSize),
                 shell::SortValueError);
}

TEST(SortJobRowsTest, OutputSizePutsBlanksBeforeNumbers) {
    std::vector<JobRow> rows = {row("a", "1", "12"), row("b", "1", " "), row("c", "1", "3"),
                                row("d", "1", "Could not convert"), row("e", "1", "0")};
    shell::SortJobRows(rows, shell::kColOutputSize, true);
    EXPECT_EQ(column(rows, 0), (std::vector<std::string>{"b", "d", "e", "c", "a"}));
    shell::SortJobRows(rows, shell::kColOutputSize, false);
    EXPECT_EQ(column(rows, 0), (std::vector<std::string>{"a", "c", "e", "b", "d"}))
        << "rows without a size keep their order among themselves";
}

TEST(SortedOrderTest, GivesThePositionsWithoutMovingRows) {
    const std::vector<JobRow> rows = {row("b"), row("c"), row("a")};
    EXPECT_EQ(shell::SortedOrder(rows, shell::kColInputFile, true),
              (std::vector<std::size_t>{2, 0, 1}));
    EXPECT_EQ(shell::SortedOrder(rows, shell::kColInputFile, false),
              (std::vector<std::size_t>{1, 0, 2}));
    EXPECT_EQ(shell::SortedOrder(rows, 8, true), (std::vector<std::size_t>{0, 1, 2}))
        << "no such column: scan order";
    EXPECT_THROW(shell::SortedOrder({row("a", "?")}, shell::kColInputSize, true),
                 shell::SortValueError)
        << "a single row is checked too";
}

TEST(SortJobRowsTest, EqualRowsKeepTheirOrder) {
    std::vector<JobRow> rows = {row("1", "1", " ", "7"), row("2", "1", " ", "7"),
                                row("3", "1", " ", "5"), row("4", "1", " ", "7")};
    shell::SortJobRows(rows, shell::kColUserId, true);
    EXPECT_EQ(column(rows, 0), (std::vector<std::string>{"3", "1", "2", "4"}));
}

TEST(SortJobRowsTest, EveryTextColumnSortsByItsOwnCells) {
    for (int c : {0, 2, 4, 5, 6, 7}) {
        std::vector<JobRow> rows(3);
        const char* values[] = {"m", "Z", "a"};
        for (int i = 0; i < 3; ++i) {
            rows[static_cast<std::size_t>(i)].columns[static_cast<std::size_t>(c)] = values[i];
            rows[static_cast<std::size_t>(i)].columns[1] = "1";
        }
        shell::SortJobRows(rows, c, true);
        EXPECT_EQ(column(rows, c), (std::vector<std::string>{"a", "m", "Z"})) << "column " << c;
    }
}

} // namespace
