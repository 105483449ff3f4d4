#include "reference_resampler.h"
#include "test_sound.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

TEST(ResampleSound, FewerThanOneHundredSamplesFailWithThree) {
    TestSound sound(ramp(99), 8000);
    EXPECT_EQ(ResampleSound(&sound.header, &sound.body, 16000), QC_RESAMPLE_FAILED);
    EXPECT_EQ(lastError(), reportedText(203));
    EXPECT_EQ(sound.samples(), ramp(99));
    EXPECT_EQ(sound.header.sampleRate, 8000u);
}

TEST(ResampleSound, OneHundredSamplesSucceed) {
    TestSound sound(ramp(100), 8000);
    EXPECT_EQ(ResampleSound(&sound.header, &sound.body, 11025), QC_OK);
    EXPECT_EQ(sound.header.sampleRate, 11025u);
    EXPECT_EQ(sound.header.sampleCount, 137u); // 11025 / 8000 * 100 = 137.8
}

class ZeroRate : public testing::TestWithParam<std::pair<uint32_t, uint32_t>> {};

TEST_P(ZeroRate, FailsWithThreeAndTheZeroRateMessage) {
    const auto [rate, newRate] = GetParam();
    TestSound sound(ramp(200), rate);
    EXPECT_EQ(ResampleSound(&sound.header, &sound.body, newRate), QC_RESAMPLE_FAILED)
        << rate << " -> " << newRate;
    EXPECT_EQ(lastError(), reportedText(104)) << rate << " -> " << newRate;
    EXPECT_EQ(sound.samples(), ramp(200));
    EXPECT_EQ(sound.header.sampleRate, rate);
}

INSTANTIATE_TEST_SUITE_P(Rates, ZeroRate,
                         testing::Values(std::pair<uint32_t, uint32_t>{8000, 0},
                                         std::pair<uint32_t, uint32_t>{0, 8000},
                                         std::pair<uint32_t, uint32_t>{0, 0}));

TEST(ResampleSound, ToTheSameRateChangesNothing) {
    TestSound sound(reference::testSignal(500), 8000);
    const auto before = sound.samples();
    EXPECT_EQ(ResampleSound(&sound.header, &sound.body, 8000), QC_OK);
    EXPECT_EQ(sound.samples(), before);
}

TEST(ResampleSound, HalvingOneThousandAndOneSamplesGivesFiveHundred) {
    TestSound sound(reference::testSignal(1001), 16000);
    EXPECT_EQ(ResampleSound(&sound.header, &sound.body, 8000), QC_OK);
    EXPECT_EQ(sound.header.sampleCount, 500u);
    EXPECT_EQ(sound.header.sampleRate, 8000u);
}

TEST(ResampleSound, DoublingOneHundredSamplesGivesTwoHundredWithoutInterpolation) {
    const auto x = reference::testSignal(100);
    TestSound sound(x, 8000);
    EXPECT_EQ(ResampleSound(&sound.header, &sound.body, 16000), QC_OK);
    EXPECT_EQ(sound.header.sampleCount, 200u);
    EXPECT_EQ(sound.header.sampleRate, 16000u);
    EXPECT_EQ(sound.samples(), reference::twice(x));
}

struct Conversion {
    uint32_t from;
    uint32_t to;
    uint32_t count;
    uint32_t expectedCount;
};

void PrintTo(const Conversion& c, std::ostream* os) {
    *os << c.from << " -> " << c.to << ", " << c.count << " samples";
}

class ResampleAgainstReference : public testing::TestWithParam<Conversion> {};

TEST_P(ResampleAgainstReference, GivesTheReferenceSamples) {
    const Conversion& c = GetParam();
    const auto x = reference::testSignal(c.count, c.from);
    TestSound sound(x, c.from);
    sound.header.formatTag = 23;
    sound.header.bitsPerSample = 4;
    ASSERT_EQ(ResampleSound(&sound.header, &sound.body, c.to), QC_OK) << c.from << " -> " << c.to;
    const auto expected = reference::resample({x, c.from}, c.to);
    EXPECT_EQ(sound.header.sampleCount, c.expectedCount) << c.from << " -> " << c.to;
    EXPECT_EQ(sound.header.sampleRate, c.to);
    EXPECT_EQ(sound.header.formatTag, 23) << "the encoding is kept";
    EXPECT_EQ(sound.header.bitsPerSample, 4) << "the encoding is kept";
    EXPECT_EQ(sound.samples(), expected.samples) << c.from << " -> " << c.to;
}

// 44100 -> 8000 halves twice to 11025 (11025 samples) and interpolates to 8000 samples;
// 11025 halved twice is 2756 Hz; 8000 -> 44100 doubles twice to 32000 and interpolates.
INSTANTIATE_TEST_SUITE_P(
    Rates, ResampleAgainstReference,
    testing::Values(Conversion{44100, 8000, 44100, 8000}, Conversion{44100, 8000, 44101, 8000},
                    Conversion{8000, 44100, 8000, 44100}, Conversion{11025, 8000, 11025, 8000},
                    Conversion{8000, 11025, 8000, 11025}, Conversion{11025, 2756, 11025, 2756},
                    Conversion{11025, 2000, 5000, 907}, Conversion{8000, 1, 100, 0}));

TEST(ResampleSound, EmptyResultIsAFreeableBody) {
    TestSound sound(reference::testSignal(100), 8000);
    ASSERT_EQ(ResampleSound(&sound.header, &sound.body, 1), QC_OK);
    EXPECT_EQ(sound.header.sampleCount, 0u);
    EXPECT_EQ(sound.header.sampleRate, 1u);
    EXPECT_NE(sound.body, nullptr);
}

} // namespace

namespace {

TEST(ResampleSound, AnOctaveStepTooLargeForASampleCountFailsAndChangesNothing) {
    // 1 Hz doubled 31 times is 2147483648 Hz; 100 samples would become 100 * 2^31.
    TestSound sound(reference::testSignal(100), 1);
    markLastError();
    EXPECT_EQ(ResampleSound(&sound.header, &sound.body, 4000000000u), QC_RESAMPLE_FAILED);
    EXPECT_EQ(lastError(), reportedText(200) + textOf(115));
    EXPECT_EQ(sound.samples(), reference::testSignal(100));
    EXPECT_EQ(sound.header.sampleRate, 1u);
}

} // namespace
