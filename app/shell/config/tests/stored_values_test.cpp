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
    EXPECT_EQ(shell::ParseStoredInteger(GetParam().stored, 42), GetParam().expected)
        << "stored \"" << GetParam().stored << "\"";
}

INSTANTIATE_TEST_SUITE_P(
    Values, StoredIntegerTest,
    ::testing::Values(IntegerCase{"12", 12}, IntegerCase{"0", 0}, IntegerCase{"007", 7},
                      IntegerCase{"-5", -5}, IntegerCase{"+5", 5}, IntegerCase{"0x1F", 31},
                      IntegerCase{"0X10", 16}, IntegerCase{"0xff", 255}, IntegerCase{"0x", 42},
                      IntegerCase{"0X", 42}, IntegerCase{"0xZZ", 42}, IntegerCase{"0x-1", 42},
                      IntegerCase{"0x+1", 42}, IntegerCase{"x10", 42}, IntegerCase{"abc", 42},
                      IntegerCase{"", 42}, IntegerCase{" ", 42}, IntegerCase{"12abc", 42},
                      IntegerCase{"1.5", 42}, IntegerCase{"-", 42}, IntegerCase{"--1", 42},
                      IntegerCase{"2147483647", 2147483647}, IntegerCase{"2147483648", 42},
                      IntegerCase{"-2147483648", -2147483647 - 1}, IntegerCase{"-2147483649", 42},
                      IntegerCase{"0x7FFFFFFF", 2147483647}, IntegerCase{"0x80000000", 42},
                      IntegerCase{"99999999999999999999", 42}));

struct BooleanCase {
    const char* stored;
    bool whenDefaultFalse;
    bool whenDefaultTrue;
};

void PrintTo(const BooleanCase& c, std::ostream* os) {
    *os << '"' << c.stored << '"';
}

class StoredBooleanTest : public ::testing::TestWithParam<BooleanCase> {};

TEST_P(StoredBooleanTest, AnyIntegerButZeroIsTrue) {
    const BooleanCase& c = GetParam();
    EXPECT_EQ(shell::ParseStoredBoolean(c.stored, false), c.whenDefaultFalse) << c.stored;
    EXPECT_EQ(shell::ParseStoredBoolean(c.stored, true), c.whenDefaultTrue) << c.stored;
}

INSTANTIATE_TEST_SUITE_P(
    Values, StoredBooleanTest,
    ::testing::Values(BooleanCase{"1", true, true}, BooleanCase{"0", false, false},
                      BooleanCase{"2", true, true}, BooleanCase{"-1", true, true},
                      BooleanCase{"0x0", false, false}, BooleanCase{"0x10", true, true},
                      BooleanCase{"yes", false, true}, BooleanCase{"true", false, true},
                      BooleanCase{"", false, true}));

} // namespace
