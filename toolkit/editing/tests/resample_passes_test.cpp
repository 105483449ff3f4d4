#include "editing/interpolation.h"
#include "editing/octave_passes.h"
#include "reference_resampler.h"

#include <gtest/gtest.h>

#include <ostream>

#include <vector>

namespace {

using editing::OctavePlan;

struct PlanCase {
    uint32_t from;
    uint32_t to;
    OctavePlan::Direction direction;
    uint32_t steps;
    uint32_t rate;
};

void PrintTo(const PlanCase& c, std::ostream* os) {
    *os << c.from << " -> " << c.to;
}

class PlanOctaves : public testing::TestWithParam<PlanCase> {};

TEST_P(PlanOctaves, StepsWholeOctaves) {
    const PlanCase& c = GetParam();
    const OctavePlan plan = editing::planOctaves(c.from, c.to);
    EXPECT_EQ(plan.direction, c.direction) << c.from << " -> " << c.to;
    EXPECT_EQ(plan.steps, c.steps) << c.from << " -> " << c.to;
    EXPECT_EQ(plan.rate, c.rate) << c.from << " -> " << c.to;
}

INSTANTIATE_TEST_SUITE_P(
    Rates, PlanOctaves,
    testing::Values(PlanCase{44100, 8000, OctavePlan::Direction::down, 2, 11025},
                    PlanCase{8000, 44100, OctavePlan::Direction::up, 2, 32000},
                    PlanCase{11025, 8000, OctavePlan::Direction::none, 0, 11025},
                    PlanCase{8000, 11025, OctavePlan::Direction::none, 0, 8000},
                    PlanCase{8000, 8000, OctavePlan::Direction::none, 0, 8000},
                    PlanCase{8000, 16000, OctavePlan::Direction::up, 1, 16000},
                    PlanCase{16000, 8000, OctavePlan::Direction::down, 1, 8000},
                    PlanCase{44100, 2756, OctavePlan::Direction::down, 4, 2756},
                    PlanCase{4000000000u, 1, OctavePlan::Direction::down, 31, 1},
                    PlanCase{1, 4000000000u, OctavePlan::Direction::up, 31, 2147483648u}));

TEST(HalvingPass, MatchesTheShiftingDelayLine) {
    auto x = reference::testSignal(1001);
    bool expectedKeep = true;
    const auto expected = reference::halve(x, expectedKeep);
    bool keep = true;
    const uint32_t n = editing::halvingPass(x.data(), 1001, keep);
    ASSERT_EQ(n, 500u);
    EXPECT_EQ(std::vector<int16_t>(x.begin(), x.begin() + n), expected);
    EXPECT_EQ(keep, expectedKeep);
    EXPECT_FALSE(keep) << "an odd pass leaves the next one skipping its first sample";
}

TEST(HalvingPass, KeepFlagCarriesOverBetweenPasses) {
    auto x = reference::testSignal(2003, 7);
    bool expectedKeep = true;
    const auto expected = reference::halve(reference::halve(x, expectedKeep), expectedKeep);
    bool keep = true;
    uint32_t n = editing::halvingPass(x.data(), 2003, keep);
    n = editing::halvingPass(x.data(), n, keep);
    ASSERT_EQ(n, 500u);
    EXPECT_EQ(std::vector<int16_t>(x.begin(), x.begin() + n), expected);
}

TEST(DoublingPass, MatchesTheShiftingDelayLine) {
    const auto x = reference::testSignal(100, 3);
    std::vector<int16_t> out(200);
    editing::doublingPass(x.data(), 100, out.data());
    EXPECT_EQ(out, reference::twice(x));
}

TEST(Interpolation, MatchesTheFormula) {
    const auto x = reference::testSignal(11025, 5);
    const uint64_t m = editing::interpolatedLength(11025, 8000, 11025);
    ASSERT_EQ(m, 8000u);
    std::vector<int16_t> out(m);
    editing::interpolate(x.data(), 11025, 11025, 8000, out.data(), static_cast<uint32_t>(m));
    EXPECT_EQ(out, reference::interpolate(x, 11025, 8000));
}

TEST(Interpolation, LastNeighbourIsTheLastSample) {
    // Upsampling 3 samples by 4 (exact binary times): the outputs after the last input hold it.
    const std::vector<int16_t> x{0, 400, 800};
    std::vector<int16_t> out(12);
    editing::interpolate(x.data(), 3, 1, 4, out.data(), 12);
    EXPECT_EQ(out,
              (std::vector<int16_t>{0, 100, 200, 300, 400, 500, 600, 700, 800, 800, 800, 800}));
}

TEST(Interpolation, OneOutputIsTheFirstSample) {
    const std::vector<int16_t> x{-7, 5};
    int16_t out = 0;
    editing::interpolate(x.data(), 2, 3, 2, &out, 1);
    EXPECT_EQ(out, -7);
}

} // namespace
