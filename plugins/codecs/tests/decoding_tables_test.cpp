#include "codecs/decoding_tables.h"

#include <gtest/gtest.h>

namespace codecs {
namespace {

struct TableCase {
    const DecodingTable* table;
    const char* name;
    int byte;
    int sample;
};

void PrintTo(const TableCase& c, std::ostream* os) {
    *os << c.name << " 0x" << std::hex << c.byte << " -> " << std::dec << c.sample;
}

class DecodingTableValues : public ::testing::TestWithParam<TableCase> {};

TEST_P(DecodingTableValues, ByteGivesTheListedSample) {
    const TableCase c = GetParam();
    EXPECT_EQ((*c.table)[static_cast<std::size_t>(c.byte)], c.sample)
        << c.name << " byte 0x" << std::hex << c.byte;
}

INSTANTIATE_TEST_SUITE_P(
    Listed, DecodingTableValues,
    ::testing::Values(
        TableCase{&pcm8Table, "pcm8", 0x00, -32768}, TableCase{&pcm8Table, "pcm8", 0x80, 0},
        TableCase{&pcm8Table, "pcm8", 0xFF, 32512}, TableCase{&pcm8Table, "pcm8", 0x7F, -256},
        TableCase{&alawTable, "alaw", 0xD5, 8}, TableCase{&alawTable, "alaw", 0x55, -8},
        TableCase{&alawTable, "alaw", 0xAA, 32256}, TableCase{&alawTable, "alaw", 0x2A, -32256},
        TableCase{&alawTable, "alaw", 0x00, -5504}, TableCase{&alawTable, "alaw", 0xC5, 264},
        TableCase{&ulawTable, "ulaw", 0xFF, 0}, TableCase{&ulawTable, "ulaw", 0x7F, 0},
        TableCase{&ulawTable, "ulaw", 0x80, 32124}, TableCase{&ulawTable, "ulaw", 0x00, -32124},
        TableCase{&ulawTable, "ulaw", 0xFE, 8}));

// The expansion gives the middle of the input interval that the encoder maps to the code:
// A-law segment 0 covers 16-wide steps from 0, segment s >= 1 steps of 2^(s+3) from 2^(s+7);
// u-law exponent e covers steps of 2^(e+3) of the magnitude biased by 132.
int alawMidpoint(int byte) {
    const int bits = byte ^ 0x55;
    const int segment = (bits >> 4) & 7;
    const int mantissa = bits & 0x0F;
    const int magnitude = segment == 0 ? mantissa * 16 + 8
                                       : ((16 + mantissa) << (segment + 3)) + (1 << (segment + 2));
    return (bits & 0x80) ? magnitude : -magnitude;
}

int ulawMidpoint(int byte) {
    const int bits = ~byte & 0xFF;
    const int exponent = (bits >> 4) & 7;
    const int mantissa = bits & 0x0F;
    const int magnitude = ((16 + mantissa) << (exponent + 3)) + (1 << (exponent + 2)) - 132;
    return (bits & 0x80) ? -magnitude : magnitude;
}

TEST(DecodingTables, AlawIsTheMidpointOfEachInterval) {
    for (int byte = 0; byte < 256; ++byte)
        EXPECT_EQ(alawTable[static_cast<std::size_t>(byte)], alawMidpoint(byte))
            << "byte 0x" << std::hex << byte;
}

TEST(DecodingTables, UlawIsTheMidpointOfEachInterval) {
    for (int byte = 0; byte < 256; ++byte)
        EXPECT_EQ(ulawTable[static_cast<std::size_t>(byte)], ulawMidpoint(byte))
            << "byte 0x" << std::hex << byte;
}

TEST(DecodingTables, Pcm8StepsBy256) {
    for (int byte = 0; byte < 256; ++byte)
        EXPECT_EQ(pcm8Table[static_cast<std::size_t>(byte)], -32768 + 256 * byte)
            << "byte " << byte;
}

} // namespace
} // namespace codecs
