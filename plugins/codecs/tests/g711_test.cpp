#include "codecs/g711.h"

#include "codecs/decoding_tables.h"

#include <gtest/gtest.h>

#include <ostream>

#include <algorithm>

namespace codecs {
namespace {

// G.711 u-law by the rule, one step after the other.
int referenceUlaw(int sample) {
    const int sign = sample < 0 ? 0x80 : 0;
    int magnitude = sample;
    if (sample < 0)
        magnitude = sample == -32768 ? 32767 : -sample;
    magnitude = std::min(magnitude, 32635) + 132;
    int exponent = 0;
    for (int e = 7; e >= 0; --e) {
        if (magnitude >= (128 << e)) {
            exponent = e;
            break;
        }
    }
    const int mantissa = (magnitude >> (exponent + 3)) & 0x0F;
    return ~(sign | exponent << 4 | mantissa) & 0xFF;
}

// G.711 A-law by the rule: fold, find the segment by its end, take four bits, apply the mask.
int referenceAlaw(int sample) {
    int mask = 0xD5;
    int value = sample;
    if (sample < 0) {
        mask = 0x55;
        value = std::max(-sample - 8, 0);
    }
    int segment = 0;
    while (value > (256 << segment) - 1)
        ++segment;
    const int bits = segment < 2 ? (value >> 4) & 0x0F : (value >> (segment + 3)) & 0x0F;
    return (segment << 4 | bits) ^ mask;
}

TEST(UlawExponentTable, EachEntryIsTheHighestSetBit) {
    for (unsigned i = 0; i < 256; ++i) {
        int expected = 0;
        for (unsigned v = i; v > 1; v >>= 1)
            ++expected;
        EXPECT_EQ(ulawExponentTable[i], expected) << "entry " << i;
    }
}

TEST(AlawSegmentEnds, AreTheEightPowersOfTwoMinusOne) {
    const unsigned expected[8] = {0xFF, 0x1FF, 0x3FF, 0x7FF, 0xFFF, 0x1FFF, 0x3FFF, 0x7FFF};
    for (std::size_t i = 0; i < 8; ++i)
        EXPECT_EQ(alawSegmentEnds[i], expected[i]) << "segment " << i;
}

struct EncodeCase {
    int sample;
    int byte;
};

void PrintTo(const EncodeCase& c, std::ostream* os) {
    *os << "sample " << c.sample << " -> 0x" << std::hex << c.byte;
}

class UlawKnownAnswers : public ::testing::TestWithParam<EncodeCase> {};

TEST_P(UlawKnownAnswers, EncodesToTheListedByte) {
    const EncodeCase c = GetParam();
    EXPECT_EQ(encodeUlaw(static_cast<int16_t>(c.sample)), c.byte) << "sample " << c.sample;
}

INSTANTIATE_TEST_SUITE_P(Boundaries, UlawKnownAnswers,
                         ::testing::Values(EncodeCase{-32768, 0x00}, EncodeCase{-32767, 0x00},
                                           EncodeCase{0, 0xFF}, EncodeCase{32767, 0x80},
                                           EncodeCase{31612, 0x80}, EncodeCase{31611, 0x81},
                                           EncodeCase{-1, 0x7F}, EncodeCase{32635, 0x80},
                                           EncodeCase{-32635, 0x00}, EncodeCase{3, 0xFF},
                                           EncodeCase{4, 0xFE}));

class AlawKnownAnswers : public ::testing::TestWithParam<EncodeCase> {};

TEST_P(AlawKnownAnswers, EncodesToTheListedByte) {
    const EncodeCase c = GetParam();
    EXPECT_EQ(encodeAlaw(static_cast<int16_t>(c.sample)), c.byte) << "sample " << c.sample;
}

INSTANTIATE_TEST_SUITE_P(Boundaries, AlawKnownAnswers,
                         ::testing::Values(EncodeCase{0, 0xD5}, EncodeCase{-1, 0x55},
                                           EncodeCase{-2, 0x55}, EncodeCase{-5, 0x55},
                                           EncodeCase{-8, 0x55}, EncodeCase{-9, 0x55},
                                           EncodeCase{-24, 0x54}, EncodeCase{32767, 0xAA},
                                           EncodeCase{-32768, 0x2A}, EncodeCase{255, 0xDA},
                                           EncodeCase{256, 0xC5}));

using Encoder = uint8_t (*)(int16_t);
using Reference = int (*)(int);

struct SweepCase {
    const char* name;
    Encoder encode;
    Reference reference;
};

void PrintTo(const SweepCase& c, std::ostream* out) {
    *out << c.name;
}

class G711Sweep : public ::testing::TestWithParam<SweepCase> {};

TEST_P(G711Sweep, AllInputsMatchTheRule) {
    const SweepCase c = GetParam();
    int failures = 0;
    for (int sample = -32768; sample <= 32767 && failures < 10; ++sample) {
        const int got = c.encode(static_cast<int16_t>(sample));
        const int expected = c.reference(sample);
        if (got != expected) {
            ADD_FAILURE() << c.name << " sample " << sample << ": 0x" << std::hex << got
                          << " expected 0x" << expected;
            ++failures;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Encoders, G711Sweep,
                         ::testing::Values(SweepCase{"u-law", encodeUlaw, referenceUlaw},
                                           SweepCase{"A-law", encodeAlaw, referenceAlaw}));

TEST(G711RoundTrip, UlawBytesComeBackExceptNegativeZero) {
    for (int byte = 0; byte < 256; ++byte) {
        const int expected = byte == 0x7F ? 0xFF : byte;
        EXPECT_EQ(encodeUlaw(ulawTable[static_cast<std::size_t>(byte)]), expected)
            << "byte 0x" << std::hex << byte;
    }
}

TEST(G711RoundTrip, AlawBytesComeBack) {
    for (int byte = 0; byte < 256; ++byte)
        EXPECT_EQ(encodeAlaw(alawTable[static_cast<std::size_t>(byte)]), byte)
            << "byte 0x" << std::hex << byte;
}

} // namespace
} // namespace codecs
