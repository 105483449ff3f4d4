#include "convert/text_cut.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace convert {
namespace {

struct AtolCase {
    const char* text;
    int expected;
};

// CTest lists each case by its text, quoted and escaped.
void PrintTo(const AtolCase& c, std::ostream* os) {
    *os << testing::PrintToString(std::string(c.text));
}

class ReadNumberLikeAtolTest : public testing::TestWithParam<AtolCase> {};

TEST_P(ReadNumberLikeAtolTest, ReadsAsAtolDoes) {
    EXPECT_EQ(ReadNumberLikeAtol(GetParam().text), GetParam().expected)
        << "text \"" << GetParam().text << "\"";
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ReadNumberLikeAtolTest,
    testing::Values(AtolCase{"00", 0}, AtolCase{"5", 5}, AtolCase{"123", 123}, AtolCase{"AB", 0},
                    AtolCase{"", 0}, AtolCase{"-3", -3}, AtolCase{"+7", 7}, AtolCase{" \t\n12", 12},
                    AtolCase{"12AB", 12}, AtolCase{"1 2", 1}, AtolCase{"- 3", 0},
                    AtolCase{"--3", 0}, AtolCase{"0x1F", 0}, AtolCase{"007", 7},
                    AtolCase{"2147483647", INT_MAX}, AtolCase{"2147483648", INT_MAX},
                    AtolCase{"99999999999999999999", INT_MAX}, AtolCase{"-2147483648", INT_MIN},
                    AtolCase{"-99999999999999999999", INT_MIN}));

struct TrimCase {
    std::string text;
    std::string expected;
};

// CTest lists each case by its text, quoted and escaped.
void PrintTo(const TrimCase& c, std::ostream* os) {
    *os << testing::PrintToString(c.text);
}

class TrimBlanksAndControlsTest : public testing::TestWithParam<TrimCase> {};

TEST_P(TrimBlanksAndControlsTest, RemovesOnlyTheEnds) {
    EXPECT_EQ(TrimBlanksAndControls(GetParam().text), GetParam().expected)
        << "text \"" << GetParam().text << "\"";
}

INSTANTIATE_TEST_SUITE_P(Texts, TrimBlanksAndControlsTest,
                         testing::Values(TrimCase{"1001", "1001"}, TrimCase{"  1001  ", "1001"},
                                         TrimCase{"\t\r\n1001\x01\x1f", "1001"},
                                         TrimCase{"10 01", "10 01"}, TrimCase{"   ", ""},
                                         TrimCase{"", ""}, TrimCase{std::string("\0a\0", 3), "a"},
                                         TrimCase{"\x7f"
                                                  "a",
                                                  "\x7f"
                                                  "a"}));

TEST(CutTextTest, CutsAsciiAtTheByteCount) {
    EXPECT_EQ(CutText("abcdef", 3), "abc");
    EXPECT_EQ(CutText("abc", 3), "abc");
    EXPECT_EQ(CutText("ab", 3), "ab");
    EXPECT_EQ(CutText("abc", 0), "");
}

TEST(CutTextTest, NeverSplitsAUtf8Character) {
    const std::string text = "ab\xC3\xA9z"; // "abéz": é takes bytes 3 and 4
    EXPECT_EQ(CutText(text, 3), "ab");
    EXPECT_EQ(CutText(text, 4), "ab\xC3\xA9");
    const std::string euro = "a\xE2\x82\xAC"; // "a€": € takes bytes 2 to 4
    EXPECT_EQ(CutText(euro, 2), "a");
    EXPECT_EQ(CutText(euro, 3), "a");
    EXPECT_EQ(CutText(euro, 4), euro);
}

TEST(CutTextTest, KeepsTheByteCutForTextThatIsNotUtf8) {
    const std::string latin1 = "ab\xE9\xE9\xE9"; // Latin-1 "abééé"
    EXPECT_EQ(CutText(latin1, 3), "ab\xE9");
    const std::string stray = "\x80\x80\x80\x80\x80";
    EXPECT_EQ(CutText(stray, 4), "\x80\x80\x80\x80");
}

TEST(FirstCharacterLengthTest, CountsAWholeUtf8Sequence) {
    EXPECT_EQ(FirstCharacterLength(""), 0u);
    EXPECT_EQ(FirstCharacterLength("N 0315"), 1u);
    EXPECT_EQ(FirstCharacterLength("\xC3\xA9t\xC3\xA9"), 2u);
    EXPECT_EQ(FirstCharacterLength("\xE2\x82\xAC"
                                   "1"),
              3u);
    EXPECT_EQ(FirstCharacterLength("\xE2\x82"), 1u);  // cut short
    EXPECT_EQ(FirstCharacterLength("\xE9t\xE9"), 1u); // Latin-1
}

TEST(JustifiedTest, PadsAndCutsToTheWidth) {
    EXPECT_EQ(LeftJustified("abc", 5), "abc  ");
    EXPECT_EQ(LeftJustified("abcdefg", 5), "abcde");
    EXPECT_EQ(LeftJustified("", 3), "   ");
    EXPECT_EQ(LeftJustified("abcd\xC3\xA9", 5), "abcd "); // the cut é leaves a blank
    EXPECT_EQ(RightJustified("12", 5), "   12");
    EXPECT_EQ(RightJustified("123456", 5), "123456");
    EXPECT_EQ(RightJustified(" ", 5), "     ");
}

TEST(ZeroPaddedTest, GivesAtLeastTheDigits) {
    EXPECT_EQ(ZeroPadded(1, 3), "001");
    EXPECT_EQ(ZeroPadded(999, 3), "999");
    EXPECT_EQ(ZeroPadded(1000, 3), "1000");
    EXPECT_EQ(ZeroPadded(0, 2), "00");
    EXPECT_EQ(ZeroPadded(-3, 2), "-03");
    EXPECT_EQ(ZeroPadded(INT_MIN, 2), "-2147483648");
}

} // namespace
} // namespace convert
