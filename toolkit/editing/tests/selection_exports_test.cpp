#include "test_sound.h"

#include <gtest/gtest.h>

#include <ostream>

#include <cmath>
#include <functional>
#include <limits>
#include <string>

namespace {

constexpr double nan = std::numeric_limits<double>::quiet_NaN();

struct InvalidSelection {
    std::string name;
    double start;
    double end;
};

// A sound of 8000 samples at 8000 Hz: one second.
const InvalidSelection invalidSelections[] = {
    {"start below zero", -0.001, 0.5},
    {"start not a number", nan, 0.5},
    {"end not a number", 0.0, nan},
    {"end a millionth past the duration", 0.0, 1.000001},
    {"end equal to start", 0.25, 0.25},
    {"end before start", 0.5, 0.25},
    {"less than half a sample at a boundary", 0.0001, 0.00012},
    {"less than a sample", 0.5, 0.50001},
};

using Operation = std::function<QcResult(TestSound&, SoundSelection*)>;

struct NamedOperation {
    std::string name;
    Operation run;
};

const NamedOperation operations[] = {
    {"crop", [](TestSound& s, SoundSelection* sel) { return CropSound(&s.header, &s.body, sel); }},
    {"cut", [](TestSound& s,
               SoundSelection* sel) { return CutSelectionFromSound(&s.header, &s.body, sel); }},
    {"amplify",
     [](TestSound& s, SoundSelection* sel) { return AmplifySound(&s.header, &s.body, sel, 6.0); }},
    {"trim",
     [](TestSound& s, SoundSelection* sel) {
         const QuiescenceParams params{0.1, 0.1, 0.5, 1};
         return Quiescence(&s.header, &s.body, sel, &params);
     }},
};

void PrintTo(const InvalidSelection& c, std::ostream* os) {
    *os << c.name;
}

void PrintTo(const NamedOperation& c, std::ostream* os) {
    *os << c.name;
}

class InvalidSelectionTest
    : public testing::TestWithParam<std::tuple<InvalidSelection, NamedOperation>> {};

TEST_P(InvalidSelectionTest, GivesFiveWithTheSelectionMessageAndChangesNothing) {
    const auto& [selectionCase, operation] = GetParam();
    const std::string label = operation.name + ", " + selectionCase.name;
    TestSound sound(ramp(8000), 8000);
    const auto before = sound.samples();
    int16_t* const bodyBefore = sound.body;
    SoundSelection selection{selectionCase.start, selectionCase.end};
    EXPECT_EQ(operation.run(sound, &selection), QC_SELECTION_INVALID) << label;
    EXPECT_EQ(lastError(), reportedText(200)) << label;
    EXPECT_EQ(sound.body, bodyBefore) << label;
    EXPECT_EQ(sound.samples(), before) << label;
    EXPECT_EQ(sound.header.sampleCount, 8000u) << label;
    EXPECT_EQ(std::isnan(selection.startSeconds), std::isnan(selectionCase.start)) << label;
    if (!std::isnan(selectionCase.end)) {
        EXPECT_EQ(selection.endSeconds, selectionCase.end) << label;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, InvalidSelectionTest,
                         testing::Combine(testing::ValuesIn(invalidSelections),
                                          testing::ValuesIn(operations)));

TEST(Selection, FromZeroToExactlyTheDurationIsValid) {
    TestSound sound(ramp(8000), 8000);
    SoundSelection selection{0.0, 1.0};
    EXPECT_EQ(AmplifySound(&sound.header, &sound.body, &selection, 0.0), QC_OK);
    EXPECT_EQ(sound.samples(), ramp(8000));
}

TEST(Selection, OfASoundWithRateZeroIsInvalid) {
    TestSound sound(ramp(100), 0);
    SoundSelection selection{0.0, std::numeric_limits<double>::infinity()};
    EXPECT_EQ(CropSound(&sound.header, &sound.body, &selection), QC_SELECTION_INVALID);
    EXPECT_EQ(sound.header.sampleCount, 100u);
}

TEST(GetWholeSoundSelection, SpansTheSound) {
    TestSound sound(ramp(12), 8000);
    SoundSelection selection{5.0, 6.0};
    GetWholeSoundSelection(&sound.header, &selection);
    EXPECT_EQ(selection.startSeconds, 0.0);
    EXPECT_EQ(selection.endSeconds, 12.0 / 8000.0);
}

TEST(CropSound, KeepsTheSelectedSamples) {
    TestSound sound(ramp(8000), 8000);
    SoundSelection selection{0.1, 0.2}; // samples 800 to 1599
    ASSERT_EQ(CropSound(&sound.header, &sound.body, &selection), QC_OK);
    EXPECT_EQ(sound.samples(), ramp(800, 801));
    EXPECT_EQ(selection.startSeconds, 0.0);
    EXPECT_EQ(selection.endSeconds, 800.0 / 8000.0);
}

TEST(CropSound, ToTheWholeSoundChangesOnlyTheSelection) {
    TestSound sound(ramp(10), 8000);
    SoundSelection selection{0.0, 10.0 / 8000.0};
    ASSERT_EQ(CropSound(&sound.header, &sound.body, &selection), QC_OK);
    EXPECT_EQ(sound.samples(), ramp(10));
    EXPECT_EQ(selection.endSeconds, 10.0 / 8000.0);
}

TEST(CropSound, RoundsHalvesUpward) {
    TestSound sound(ramp(10), 10);
    SoundSelection selection{0.15, 0.25}; // 1.5 + 0.5 -> 2, 2.5 + 0.5 -> 3
    ASSERT_EQ(CropSound(&sound.header, &sound.body, &selection), QC_OK);
    EXPECT_EQ(sound.samples(), (std::vector<int16_t>{3}));
}

TEST(CutSelectionFromSound, RemovesTheSelectedSamples) {
    TestSound sound(ramp(10), 10);
    SoundSelection selection{0.2, 0.5}; // samples 2, 3, 4
    ASSERT_EQ(CutSelectionFromSound(&sound.header, &sound.body, &selection), QC_OK);
    EXPECT_EQ(sound.samples(), (std::vector<int16_t>{1, 2, 6, 7, 8, 9, 10}));
    EXPECT_EQ(selection.startSeconds, 0.0);
    EXPECT_EQ(selection.endSeconds, 0.7);
}

TEST(CutSelectionFromSound, OfTheWholeSoundLeavesOneZeroSample) {
    TestSound sound(ramp(8000), 8000);
    SoundSelection selection{0.0, 1.0};
    ASSERT_EQ(CutSelectionFromSound(&sound.header, &sound.body, &selection), QC_OK);
    EXPECT_EQ(sound.samples(), (std::vector<int16_t>{0}));
    EXPECT_EQ(selection.startSeconds, 0.0);
    EXPECT_EQ(selection.endSeconds, 1.0 / 8000.0);
}

TEST(CutSelectionFromSound, AtTheEndKeepsTheStart) {
    TestSound sound(ramp(10), 10);
    SoundSelection selection{0.7, 1.0};
    ASSERT_EQ(CutSelectionFromSound(&sound.header, &sound.body, &selection), QC_OK);
    EXPECT_EQ(sound.samples(), ramp(7));
}

TEST(AmplifySound, ChangesOnlyTheSelection) {
    TestSound sound({16422, 16423, -16422, -16423, 100}, 5);
    SoundSelection selection{0.0, 0.8}; // the first four
    ASSERT_EQ(AmplifySound(&sound.header, &sound.body, &selection, 6.0), QC_OK);
    EXPECT_EQ(sound.samples(), (std::vector<int16_t>{32766, 32767, -32766, -32768, 100}));
    EXPECT_EQ(selection.endSeconds, 0.8);
}

TEST(MixSounds, OfDifferentRatesFailsWithNine) {
    TestSound a(ramp(10), 8000);
    TestSound b(ramp(10), 11025);
    SoundHeader out{};
    int16_t* mixed = reinterpret_cast<int16_t*>(&out); // must stay untouched
    int16_t* const untouched = mixed;
    EXPECT_EQ(MixSounds(&a.header, &a.body, &b.header, &b.body, &out, &mixed, 0.5), QC_MIX_FAILED);
    EXPECT_EQ(lastError(), reportedText(202));
    EXPECT_EQ(mixed, untouched);
}

TEST(MixSounds, MakesANewSoundOfTheLongerLength) {
    TestSound a({10, 20, 30, 40, 50, 60, 70, 80, 90, 100}, 8000);
    a.header.formatTag = 7;
    a.header.bitsPerSample = 8;
    TestSound b({4, -4, 4, -4}, 8000);
    SoundHeader out{};
    int16_t* mixed = nullptr;
    ASSERT_EQ(MixSounds(&a.header, &a.body, &b.header, &b.body, &out, &mixed, 0.5), QC_OK);
    EXPECT_EQ(out.sampleCount, 10u);
    EXPECT_EQ(out.sampleRate, 8000u);
    EXPECT_EQ(out.formatTag, 7);
    EXPECT_EQ(out.bitsPerSample, 8);
    const std::vector<int16_t> got(mixed, mixed + 10);
    // (x - 55) / 2 + (y - 0) / 2, truncated; past the second sound the first alone.
    EXPECT_EQ(got, (std::vector<int16_t>{-20, -19, -10, -9, -2, 2, 7, 12, 17, 22}));
    EXPECT_EQ(a.samples()[0], 10) << "inputs unchanged";
    FreeSoundBody(mixed);
}

} // namespace
