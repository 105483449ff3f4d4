#include "codecs/pcm8.h"

#include "codecs/decoding_tables.h"

#include <gtest/gtest.h>

#include <ostream>

namespace codecs {
namespace {

struct Pcm8Case {
    int sample;
    int byte;
};

void PrintTo(const Pcm8Case& c, std::ostream* out) {
    *out << "sample " << c.sample;
}

class Pcm8KnownAnswers : public ::testing::TestWithParam<Pcm8Case> {};

TEST_P(Pcm8KnownAnswers, EncodesToTheListedByte) {
    const Pcm8Case c = GetParam();
    EXPECT_EQ(encodePcm8(static_cast<int16_t>(c.sample)), c.byte) << "sample " << c.sample;
}

INSTANTIATE_TEST_SUITE_P(Boundaries, Pcm8KnownAnswers,
                         ::testing::Values(Pcm8Case{-32768, 0}, Pcm8Case{-32513, 0},
                                           Pcm8Case{-32512, 1}, Pcm8Case{-1, 127}, Pcm8Case{0, 128},
                                           Pcm8Case{255, 128}, Pcm8Case{256, 129},
                                           Pcm8Case{32767, 255}));

// The high byte of the offset-binary value: a division that rounds down.
TEST(Pcm8Sweep, AllInputsTruncateTheOffsetValue) {
    int failures = 0;
    for (int sample = -32768; sample <= 32767 && failures < 10; ++sample) {
        const int expected = (sample + 32768) / 256;
        const int got = encodePcm8(static_cast<int16_t>(sample));
        if (got != expected) {
            ADD_FAILURE() << "sample " << sample << ": " << got << " expected " << expected;
            ++failures;
        }
    }
}

TEST(Pcm8RoundTrip, EveryByteComesBack) {
    for (int byte = 0; byte < 256; ++byte)
        EXPECT_EQ(encodePcm8(pcm8Table[static_cast<std::size_t>(byte)]), byte) << "byte " << byte;
}

} // namespace
} // namespace codecs
