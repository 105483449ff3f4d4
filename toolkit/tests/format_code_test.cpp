#include "format_code.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

struct FormatCodeCase {
    uint32_t formatCode;
    uint16_t formatTag;
    uint16_t bitsPerSample;
};

void PrintTo(const FormatCodeCase& c, std::ostream* out) {
    char text[32];
    std::snprintf(text, sizeof text, "code 0x%08X", c.formatCode);
    *out << text;
}

class FormatCodeTest : public testing::TestWithParam<FormatCodeCase> {};

TEST_P(FormatCodeTest, SetsTagBitsAndRateButNotCount) {
    const FormatCodeCase& c = GetParam();
    SoundHeader header{0x1234, 1, 4242, 0x5678};
    quiesc::applyFormatCode(header, c.formatCode, 11025);
    EXPECT_EQ(header.formatTag, c.formatTag);
    EXPECT_EQ(header.bitsPerSample, c.bitsPerSample);
    EXPECT_EQ(header.sampleRate, 11025u);
    EXPECT_EQ(header.sampleCount, 4242u) << "sampleCount must not be touched";
}

INSTANTIATE_TEST_SUITE_P(
    Table, FormatCodeTest,
    testing::Values(FormatCodeCase{0x8000, 1, 8}, FormatCodeCase{0x8001, 1, 16},
                    FormatCodeCase{0, 0, 0}, FormatCodeCase{1, 1, 0}, FormatCodeCase{6, 6, 0},
                    FormatCodeCase{7, 7, 0}, FormatCodeCase{23, 23, 0},
                    FormatCodeCase{0x8002, 0x8002, 0}, FormatCodeCase{0x7FFF, 0x7FFF, 0},
                    FormatCodeCase{0xFFFF, 0xFFFF, 0},
                    // Only the low 16 bits count.
                    FormatCodeCase{0x00018000, 1, 8}, FormatCodeCase{0xFFFF8000, 1, 8},
                    FormatCodeCase{0xABCD8001, 1, 16}, FormatCodeCase{0x00010007, 7, 0},
                    FormatCodeCase{0x80000000, 0, 0}));

} // namespace
