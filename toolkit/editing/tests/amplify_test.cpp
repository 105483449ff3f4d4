#include "editing/amplify.h"

#include <gtest/gtest.h>

#include <ostream>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

struct KnownAnswer {
    double gainDb;
    int16_t in;
    int16_t out;
};

void PrintTo(const KnownAnswer& c, std::ostream* os) {
    *os << c.gainDb << " dB on " << c.in;
}

class AmplifyKnownAnswer : public testing::TestWithParam<KnownAnswer> {};

TEST_P(AmplifyKnownAnswer, GivesTheExpectedSample) {
    int16_t sample = GetParam().in;
    editing::amplifySamples(&sample, 1, GetParam().gainDb);
    EXPECT_EQ(sample, GetParam().out) << GetParam().gainDb << " dB on " << GetParam().in;
}

// +6 dB: g = 1.99526..., the limits are 16422 and -16422.
INSTANTIATE_TEST_SUITE_P(
    Gains, AmplifyKnownAnswer,
    testing::Values(KnownAnswer{6.0, 16422, 32766}, KnownAnswer{6.0, 16423, 32767},
                    KnownAnswer{6.0, -16422, -32766}, KnownAnswer{6.0, -16423, -32768},
                    KnownAnswer{6.0, 32767, 32767}, KnownAnswer{6.0, -32768, -32768},
                    KnownAnswer{6.0, 0, 0}, KnownAnswer{6.0, 1, 1}, KnownAnswer{6.0, 100, 199},
                    KnownAnswer{-6.0, 3, 1}, KnownAnswer{-6.0, -3, -1},
                    KnownAnswer{-6.0, 32767, 16422}, KnownAnswer{0.0, -32768, -32768},
                    KnownAnswer{-1000.0, 32767, 0}, KnownAnswer{1000.0, 1, 32767},
                    KnownAnswer{1000.0, -1, -32768}, KnownAnswer{1000.0, 0, 0}));

// Every 16-bit input against the plain formula: clamp(x * 10^(0.05 dB)) truncated toward zero.
class AmplifyExhaustive : public testing::TestWithParam<double> {};

TEST_P(AmplifyExhaustive, MatchesClampedProductForEveryInput) {
    const double gain = GetParam();
    const double factor = std::pow(10.0, 0.05 * gain);
    std::vector<int16_t> samples(65536);
    for (int i = 0; i < 65536; ++i) {
        samples[i] = static_cast<int16_t>(i - 32768);
    }
    editing::amplifySamples(samples.data(), 65536, gain);
    for (int i = 0; i < 65536; ++i) {
        const int x = i - 32768;
        const double product = std::clamp(x * factor, -32768.0, 32767.0);
        ASSERT_EQ(samples[i], static_cast<int16_t>(std::trunc(product)))
            << "gain " << gain << " dB, input " << x;
    }
}

INSTANTIATE_TEST_SUITE_P(Gains, AmplifyExhaustive,
                         testing::Values(-40.0, -6.0, -0.1, 0.0, 0.1, 3.0, 6.0, 20.0, 60.0));

TEST(Amplify, GainThatIsNotANumberLeavesTheSamples) {
    std::vector<int16_t> samples{-32768, -5, 0, 7, 32767};
    const auto before = samples;
    editing::amplifySamples(samples.data(), 5, std::nan(""));
    EXPECT_EQ(samples, before);
}

} // namespace
