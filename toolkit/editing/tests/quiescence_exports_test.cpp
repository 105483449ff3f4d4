#include "test_sound.h"

#include <gtest/gtest.h>

#include <ostream>

#include <limits>
#include <string>

namespace {

constexpr double nan = std::numeric_limits<double>::quiet_NaN();

struct InvalidParams {
    std::string name;
    QuiescenceParams params;
};

void PrintTo(const InvalidParams& c, std::ostream* os) {
    *os << c.name;
}

class InvalidQuiescenceParams : public testing::TestWithParam<InvalidParams> {};

TEST_P(InvalidQuiescenceParams, GiveSixWithTheParameterMessage) {
    TestSound sound(ramp(100), 8000);
    SoundSelection selection{0.0, 100.0 / 8000};
    EXPECT_EQ(Quiescence(&sound.header, &sound.body, &selection, &GetParam().params),
              QC_TRIM_PARAMS_INVALID)
        << GetParam().name;
    EXPECT_EQ(lastError(), reportedText(201)) << GetParam().name;
    EXPECT_EQ(sound.samples(), ramp(100)) << GetParam().name;
    EXPECT_EQ(selection.endSeconds, 100.0 / 8000) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(Cases, InvalidQuiescenceParams,
                         testing::Values(InvalidParams{"negative lead", {-0.1, 0.0, 0.5, 1}},
                                         InvalidParams{"lead not a number", {nan, 0.0, 0.5, 1}},
                                         InvalidParams{"negative trail", {0.0, -1e-9, 0.5, 1}},
                                         InvalidParams{"trail not a number", {0.0, nan, 0.5, 1}},
                                         InvalidParams{"negative threshold", {0.0, 0.0, -0.01, 1}},
                                         InvalidParams{"threshold above one", {0.0, 0.0, 1.01, 1}},
                                         InvalidParams{"threshold not a number",
                                                       {0.0, 0.0, nan, 1}},
                                         InvalidParams{"minimum run of zero", {0.0, 0.0, 0.5, 0}}),
                         [](const auto& info) { return std::to_string(info.index); });

TEST(Quiescence, NullParametersAreInvalid) {
    TestSound sound(ramp(10), 8000);
    SoundSelection selection{0.0, 10.0 / 8000};
    EXPECT_EQ(Quiescence(&sound.header, &sound.body, &selection, nullptr), QC_TRIM_PARAMS_INVALID);
}

TEST(Quiescence, SelectionOfZerosBecomesLeadAndTrailSilence) {
    // 10 loud samples, 100 zeros (selected), 10 loud samples; lead 0.25 s = 2000 samples at
    // 8000 Hz, trail 0.00006 s = 0.48 samples rounds to 0.
    std::vector<int16_t> x(120, 0);
    for (int i = 0; i < 10; ++i) {
        x[i] = 1000;
        x[110 + i] = -1000;
    }
    TestSound sound(x, 8000);
    SoundSelection selection{10.0 / 8000, 110.0 / 8000};
    const QuiescenceParams params{0.25, 0.00006, 0.01, 1};
    ASSERT_EQ(Quiescence(&sound.header, &sound.body, &selection, &params), QC_OK);
    std::vector<int16_t> expected(x.begin(), x.begin() + 10);
    expected.insert(expected.end(), 2000, 0);
    expected.insert(expected.end(), x.begin() + 110, x.end());
    EXPECT_EQ(sound.samples(), expected);
    EXPECT_EQ(selection.startSeconds, 10.0 / 8000);
    EXPECT_EQ(selection.endSeconds, 2010.0 / 8000);
}

TEST(Quiescence, ThresholdZeroKeepsEverythingAndAddsSilence) {
    TestSound sound({0, 0, 5, 0, 0}, 10);
    SoundSelection selection{0.0, 0.5};
    const QuiescenceParams params{0.2, 0.1, 0.0, 3};
    ASSERT_EQ(Quiescence(&sound.header, &sound.body, &selection, &params), QC_OK);
    EXPECT_EQ(sound.samples(), (std::vector<int16_t>{0, 0, 0, 0, 5, 0, 0, 0}));
    EXPECT_EQ(selection.endSeconds, 0.8);
}

TEST(Quiescence, DropsAClickShorterThanTheMinimumRun) {
    std::vector<int16_t> x(400, 3);
    x[200] = x[201] = x[202] = 30000; // three loud samples, the run needs four
    TestSound sound(x, 8000);
    SoundSelection selection{0.0, 400.0 / 8000};
    const QuiescenceParams params{0.0005, 0.00025, 0.5, 4}; // 4 and 2 samples
    ASSERT_EQ(Quiescence(&sound.header, &sound.body, &selection, &params), QC_OK);
    EXPECT_EQ(sound.samples(), std::vector<int16_t>(6, 0));
}

TEST(Quiescence, KeepsALoudSoundWhoseEndsAreLoud) {
    auto x = ramp(50, 1000, 10);
    x[25] = 0; // a quiet sample inside does not matter
    TestSound sound(x, 10);
    SoundSelection selection{0.0, 5.0};
    const QuiescenceParams params{0.1, 0.2, 0.01, 5};
    ASSERT_EQ(Quiescence(&sound.header, &sound.body, &selection, &params), QC_OK);
    std::vector<int16_t> expected{0};
    expected.insert(expected.end(), x.begin(), x.end());
    expected.insert(expected.end(), {0, 0});
    EXPECT_EQ(sound.samples(), expected);
}

TEST(Quiescence, MinusFullScaleIsLoudAtThresholdOne) {
    TestSound sound({0, 0, -32768, 32767, 0}, 10);
    SoundSelection selection{0.0, 0.5};
    const QuiescenceParams params{0.0, 0.0, 1.0, 1};
    ASSERT_EQ(Quiescence(&sound.header, &sound.body, &selection, &params), QC_OK);
    EXPECT_EQ(sound.samples(), (std::vector<int16_t>{-32768, 32767}));
}

TEST(Quiescence, SilentWholeSoundWithoutSilencesBecomesEmpty) {
    TestSound sound(std::vector<int16_t>(50, 1), 8000);
    SoundSelection selection{0.0, 50.0 / 8000};
    const QuiescenceParams params{0.0, 0.0, 0.5, 1};
    ASSERT_EQ(Quiescence(&sound.header, &sound.body, &selection, &params), QC_OK);
    EXPECT_EQ(sound.header.sampleCount, 0u);
    EXPECT_NE(sound.body, nullptr) << "an empty sound still has a block to free";
    EXPECT_EQ(selection.endSeconds, 0.0);
}

TEST(Quiescence, SilenceTooLongForACountFailsWithFourAndChangesNothing) {
    TestSound sound(ramp(20), 8000);
    SoundSelection selection{0.0, 20.0 / 8000};
    const QuiescenceParams params{std::numeric_limits<double>::infinity(), 0.0, 0.5, 1};
    markLastError();
    ASSERT_EQ(Quiescence(&sound.header, &sound.body, &selection, &params), QC_TRIM_FAILED);
    EXPECT_EQ(lastError(), reportedText(200) + textOf(115));
    EXPECT_EQ(sound.samples(), ramp(20));
}

} // namespace
