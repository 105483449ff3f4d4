#include "editing/mix_samples.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

TEST(SampleMean, TruncatesTowardZero) {
    const std::vector<int16_t> negative{-3, 0};
    const std::vector<int16_t> positive{3, 0};
    EXPECT_EQ(editing::sampleMean(negative.data(), 2), -1);
    EXPECT_EQ(editing::sampleMean(positive.data(), 2), 1);
    EXPECT_EQ(editing::sampleMean(nullptr, 0), 0);
}

TEST(SampleMean, DoesNotOverflowOnLongLoudSounds) {
    const std::vector<int16_t> loud(200000, 32767);
    EXPECT_EQ(editing::sampleMean(loud.data(), 200000), 32767);
}

TEST(MixSamples, ShorterSoundContinuesAsSilence) {
    const std::vector<int16_t> a{10, 20, 30, 40, 50, 60, 70, 80, 90, 100};
    const std::vector<int16_t> b{4, -4, 4, -4};
    const double w = 0.25;
    std::vector<int16_t> out(10);
    editing::mixSamples(a.data(), 10, b.data(), 4, w, out.data());
    const int meanA = 55; // 550 / 10
    const int meanB = 0;
    for (int i = 0; i < 10; ++i) {
        const double first = a[i] - meanA;
        const double second = i < 4 ? b[i] - meanB : 0.0;
        EXPECT_EQ(out[i], static_cast<int16_t>(std::trunc((1 - w) * first + w * second)))
            << "sample " << i;
    }
    EXPECT_EQ(out[9], static_cast<int16_t>(0.75 * 45)) << "past the second sound: first alone";
}

TEST(MixSamples, TwoCopiesAtHalfWeightRemoveTheOffset) {
    std::vector<int16_t> sound(64);
    for (int i = 0; i < 64; ++i) {
        sound[i] = static_cast<int16_t>(1000 + ((i % 4) * 2 - 3) * 100);
    }
    std::vector<int16_t> out(64);
    editing::mixSamples(sound.data(), 64, sound.data(), 64, 0.5, out.data());
    for (int i = 0; i < 64; ++i) {
        EXPECT_EQ(out[i], ((i % 4) * 2 - 3) * 100) << "sample " << i;
    }
}

TEST(MixSamples, ClampsToTheSixteenBitRange) {
    const std::vector<int16_t> a{32767, -32768};
    const std::vector<int16_t> b{32767, -32768};
    std::vector<int16_t> out(2);
    // Means are 0 (sum -1 over 2 truncates to 0); weights beyond 1 push past the range.
    editing::mixSamples(a.data(), 2, b.data(), 2, 3.0, out.data());
    EXPECT_EQ(out[0], 32767);
    EXPECT_EQ(out[1], -32768);
}

TEST(MixSamples, WeightThatIsNotANumberGivesSilence) {
    const std::vector<int16_t> a{5, -5};
    std::vector<int16_t> out{1, 1};
    editing::mixSamples(a.data(), 2, a.data(), 2, std::nan(""), out.data());
    EXPECT_EQ(out, (std::vector<int16_t>{0, 0}));
}

} // namespace
