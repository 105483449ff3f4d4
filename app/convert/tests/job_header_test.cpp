#include "convert/job_header.h"

#include <gtest/gtest.h>

#include <string>

namespace convert {
namespace {

struct IdCase {
    const char* userId;
    const char* dictatorId;
    const char* expected;
};

// CTest lists each case by its two IDs.
void PrintTo(const IdCase& c, std::ostream* os) {
    *os << "user " << testing::PrintToString(std::string(c.userId)) << " dictator "
        << testing::PrintToString(std::string(c.dictatorId));
}

class IdFieldTest : public testing::TestWithParam<IdCase> {};

TEST_P(IdFieldTest, FillsFiveCharacters) {
    const IdCase& c = GetParam();
    EXPECT_EQ(IdField(c.userId, c.dictatorId), c.expected)
        << "user ID \"" << c.userId << "\", dictator ID \"" << c.dictatorId << "\"";
}

INSTANTIATE_TEST_SUITE_P(
    UserAndDictatorIds, IdFieldTest,
    testing::Values(
        // A user ID: blanks at positions 2 to 4 become zeros, position 5 stays.
        IdCase{"7", "9999", "7000 "}, IdCase{"12", "9999", "1200 "}, IdCase{"123", "9999", "1230 "},
        IdCase{"1001", "9999", "1001 "}, IdCase{"12345", "9999", "12345"},
        IdCase{"123456", "9999", "12345"}, IdCase{"1234567890", "9999", "12345"},
        IdCase{"1 2", "9999", "1020 "}, IdCase{"A", "9999", "A000 "},
        // No user ID: the dictator ID, blank-padded, no zero fill.
        IdCase{"", "9999", "9999 "}, IdCase{"", "12", "12   "}, IdCase{"", "", "     "},
        IdCase{"", "1234567", "12345"}, IdCase{"", " 9", " 9   "}));

struct ExtensionCase {
    const char* name;
    const char* extension;
    const char* stem;
};

// CTest lists each case by its file name.
void PrintTo(const ExtensionCase& c, std::ostream* os) {
    *os << testing::PrintToString(std::string(c.name));
}

class ExtensionTest : public testing::TestWithParam<ExtensionCase> {};

TEST_P(ExtensionTest, SplitsAtTheLastDot) {
    const ExtensionCase& c = GetParam();
    EXPECT_EQ(ExtensionOf(c.name), c.extension) << "name \"" << c.name << "\"";
    EXPECT_EQ(WithoutExtension(c.name), c.stem) << "name \"" << c.name << "\"";
}

INSTANTIATE_TEST_SUITE_P(Names, ExtensionTest,
                         testing::Values(ExtensionCase{"abc.wav", ".wav", "abc"},
                                         ExtensionCase{"note", "", "note"},
                                         ExtensionCase{"a.b.dss", ".dss", "a.b"},
                                         ExtensionCase{".wav", ".wav", ""},
                                         ExtensionCase{"abc.", ".", "abc"},
                                         ExtensionCase{"memo.abcdefg", ".abcdefg", "memo"}));

TEST(PriorityLetterTest, NormalIsNAnythingElseS) {
    EXPECT_EQ(PriorityLetter(0), 'N');
    EXPECT_EQ(PriorityLetter(1), 'S');
    EXPECT_EQ(PriorityLetter(-1), 'S');
}

TEST(HasHeaderLayoutTest, NeedsLengthDashAndBlank) {
    const std::string header = "N 0315-012 1001 0000 00 memo"; // 28 characters
    EXPECT_TRUE(HasHeaderLayout(header, 26));
    EXPECT_TRUE(HasHeaderLayout(header, 27));
    EXPECT_FALSE(HasHeaderLayout(header, 28));
    std::string noDash = header;
    noDash[6] = '_';
    EXPECT_FALSE(HasHeaderLayout(noDash, 23));
    std::string noBlank = header;
    noBlank[20] = '0';
    EXPECT_FALSE(HasHeaderLayout(noBlank, 23));
    EXPECT_FALSE(HasHeaderLayout("", 0));
    EXPECT_FALSE(HasHeaderLayout("      -", 0)); // too short to hold position 21
}

TEST(FormatJobHeaderTest, LaysOutEveryField) {
    JobHeaderFields fields;
    fields.priority = 'S';
    fields.dateKey = "1231";
    fields.sequence = 42;
    fields.idField = "1200 ";
    fields.location = 7;
    fields.sourcePart = "abc";
    EXPECT_EQ(FormatJobHeader(fields), "S 1231-042 1200 0000 07 abc ");
    fields.sourcePart = std::string(40, 'x');
    EXPECT_EQ(FormatJobHeader(fields), "S 1231-042 1200 0000 07 " + std::string(30, 'x') + " ");
}

} // namespace
} // namespace convert
