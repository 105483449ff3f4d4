#include "config/config_store.h"

#include <gtest/gtest.h>

namespace {

struct IntegerCase {
    const char* stored;
    int expected; // with default 42
};

void PrintTo(const IntegerCase& c, std::ostream* os) {
    *os << '"' << c.stored << '"';
}

class StoredIntegerTest : public ::testing::TestWithParam<IntegerCase> {};

TEST_P(StoredIntegerTest, ReadsDecimalOrHexOrTheDefault) {
    EXPECT_EQ(shell::ParseStoredInteger(GetParam().stored, 42), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, StoredIntegerTest,
    ::testing::Values(IntegerCase{"007", 7}, IntegerCase{"-5", -5}, IntegerCase{"+5", 5},
                      IntegerCase{"0x1F", 31}, IntegerCase{"0X10", 16}, IntegerCase{"0x", 42},
                      IntegerCase{"0xZZ", 42}, IntegerCase{"0x-1", 42}, IntegerCase{"x10", 42},
                      IntegerCase{"", 42}, IntegerCase{" ", 42}, IntegerCase{"12abc", 42},
                      IntegerCase{"1.5", 42}, IntegerCase{"-", 42}, IntegerCase{"--1", 42},
                      IntegerCase{"2147483647", 2147483647}, IntegerCase{"2147483648", 42},
                      IntegerCase{"-2147483648", -2147483647 - 1}, IntegerCase{"-2147483649", 42},
                      IntegerCase{"0x7FFFFFFF", 2147483647}, IntegerCase{"0x80000000", 42},
                      IntegerCase{"99999999999999999999", 42}));

TEST(StoredBooleanTest, AnyIntegerButZeroIsTrueAndTheRestTheDefault) {
    for (const char* text : {"1", "2", "-1", "0x10"})
        EXPECT_TRUE(shell::ParseStoredBoolean(text, false)) << text;
    for (const char* text : {"0", "0x0"})
        EXPECT_FALSE(shell::ParseStoredBoolean(text, true)) << text;
    for (const char* text : {"yes", "true", ""}) {
        EXPECT_FALSE(shell::ParseStoredBoolean(text, false)) << text;
        EXPECT_TRUE(shell::ParseStoredBoolean(text, true)) << text;
    }
}

TEST(DictatorIdTest, AcceptsExactlyFourAsciiDigits) {
    for (const char* id : {"0042", "9999"})
        EXPECT_TRUE(shell::IsValidDictatorID(id)) << id;
    // The last two: Arabic-Indic digits (four characters of eight bytes), and two ASCII digits
    // with one two-byte digit (four bytes, three characters).
    for (const char* id : {"123", "12345", "12a4", "12 4", "123 ", "", "+123",
                           "\xd9\xa1\xd9\xa2\xd9\xa3\xd9\xa4", "12\xd9\xa3"})
        EXPECT_FALSE(shell::IsValidDictatorID(id)) << id;
}

} // namespace
