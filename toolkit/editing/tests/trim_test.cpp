#include "editing/trim_plan.h"

#include <gtest/gtest.h>

#include <ostream>

#include <algorithm>
#include <string>
#include <vector>

namespace {

TEST(LoudnessLevel, RoundsHalvesAwayFromZero) {
    EXPECT_EQ(editing::loudnessLevel(0.0), 0);
    EXPECT_EQ(editing::loudnessLevel(1.0), 32767);
    EXPECT_EQ(editing::loudnessLevel(0.5), 16384); // 16383.5
    EXPECT_EQ(editing::loudnessLevel(0.1), 3277);  // 3276.7
}

TEST(IsLoud, MinusFullScaleIsLoudForEveryLevel) {
    EXPECT_TRUE(editing::isLoud(-32768, 32767));
    EXPECT_TRUE(editing::isLoud(-32768, editing::loudnessLevel(1.0)));
    EXPECT_FALSE(editing::isLoud(32766, 32767));
    EXPECT_TRUE(editing::isLoud(0, 0));
}

struct LoudCase {
    std::string name;
    std::vector<int16_t> samples;
    uint32_t start;
    uint32_t end;
    uint32_t minRun;
    int64_t first;
    int64_t last;
};

void PrintTo(const LoudCase& c, std::ostream* os) {
    *os << c.name;
}

class FindLoudPart : public testing::TestWithParam<LoudCase> {};

// 9 is loud, 0 quiet (level 5).
TEST_P(FindLoudPart, FindsTheRunsAtBothEnds) {
    const LoudCase& c = GetParam();
    const auto part = editing::findLoudPart(c.samples.data(), c.start, c.end, 5, c.minRun);
    EXPECT_EQ(part.first, c.first) << c.name;
    EXPECT_EQ(part.last, c.last) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FindLoudPart,
    testing::Values(LoudCase{"quiet", {0, 0, 0, 0}, 0, 4, 1, 4, -1},
                    LoudCase{"quiet inside", {9, 0, 0, 0, 9}, 1, 4, 1, 4, 0},
                    LoudCase{"one loud sample", {0, 0, 9, 0}, 0, 4, 1, 2, 2},
                    LoudCase{"click shorter than the run", {0, 0, 9, 9, 0, 0, 0}, 0, 7, 3, 7, -1},
                    LoudCase{
                        "runs of three", {0, 9, 0, 9, 9, 9, 0, 9, 9, 9, 9, 0, 9}, 0, 13, 3, 3, 10},
                    LoudCase{"loud at both ends only", {9, 9, 0, 0, 0, 9}, 0, 6, 3, 5, 1},
                    LoudCase{"all loud", {9, 9, 9, 9}, 0, 4, 2, 0, 3},
                    LoudCase{"negative samples", {0, -9, -9, 0}, 0, 4, 2, 1, 2}));

// Builds the trimmed sound the plain way: before, lead zeros, loud part, trail zeros, tail.
std::vector<int16_t> expectedTrim(const std::vector<int16_t>& x, const editing::TrimLayout& t) {
    std::vector<int16_t> out(x.begin(), x.begin() + t.start);
    out.insert(out.end(), t.lead, 0);
    if (t.loud.length() != 0) {
        out.insert(out.end(), x.begin() + t.loud.first, x.begin() + t.loud.last + 1);
    }
    out.insert(out.end(), t.trail, 0);
    out.insert(out.end(), x.begin() + t.end, x.end());
    return out;
}

struct LayoutCase {
    std::string name;
    uint32_t lead;
    uint32_t trail;
};

void PrintTo(const LayoutCase& c, std::ostream* os) {
    *os << c.name;
}

class RearrangeForTrim : public testing::TestWithParam<LayoutCase> {};

TEST_P(RearrangeForTrim, BuildsTheSoundInPlace) {
    // Before: 1..3; selection 3..17 with quiet 0s around a loud part; tail 101..105.
    std::vector<int16_t> x{1, 2, 3, 0, 0, 0, 0,   9,   8,   7,   6,
                           0, 0, 0, 0, 0, 0, 101, 102, 103, 104, 105};
    const auto loud = editing::findLoudPart(x.data(), 3, 17, 5, 1);
    ASSERT_EQ(loud.first, 7);
    ASSERT_EQ(loud.last, 10);
    const editing::TrimLayout layout{
        static_cast<uint32_t>(x.size()), 3, 17, loud, GetParam().lead, GetParam().trail};
    const auto expected = expectedTrim(x, layout);
    ASSERT_EQ(layout.newCount(), expected.size());
    std::vector<int16_t> block = x;
    block.resize(std::max<std::size_t>(x.size(), expected.size()), -1);
    editing::rearrangeForTrim(block.data(), layout);
    block.resize(expected.size());
    EXPECT_EQ(block, expected) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(Silences, RearrangeForTrim,
                         testing::Values(LayoutCase{"none", 0, 0}, LayoutCase{"short", 1, 2},
                                         LayoutCase{"same length", 4, 6},
                                         LayoutCase{"longer", 12, 9},
                                         LayoutCase{"lead only", 20, 0}),
                         [](const auto& info) { return std::to_string(info.index); });

} // namespace
