#include "convert/output_namer.h"

#include "platform_test/test_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

namespace convert {
namespace {

TEST(UpdateJobDateKeyTest, IsMonthThenDayOfStandardTime) {
    FixedClock clock(2026, 3, 5, 10, 0);
    OutputNamer namer(clock);
    namer.UpdateJobDateKey();
    EXPECT_EQ(namer.JobDateKey(), "0305");
    clock.Set(2026, 12, 31, 23, 59);
    namer.UpdateJobDateKey();
    EXPECT_EQ(namer.JobDateKey(), "1231");
}

TEST(UpdateJobDateKeyTest, IgnoresDaylightSaving) {
    // Half past midnight on 1 July in summer time is still 30 June in standard time.
    FixedClock clock(2026, 7, 1, 0, 30);
    clock.SetStandard(2026, 6, 30, 23, 30);
    OutputNamer namer(clock);
    namer.UpdateJobDateKey();
    EXPECT_EQ(namer.JobDateKey(), "0630");
}

TEST(UpdateJobDateKeyTest, ANewDayRestartsTheSequence) {
    FixedClock clock(2026, 3, 15, 23, 58);
    OutputNamer namer(clock);
    const shell::Settings settings;
    namer.UpdateJobDateKey();
    namer.BuildOutputName(settings, "a.wav", "1001", "00");
    namer.BuildOutputName(settings, "b.wav", "1001", "00");
    namer.UpdateJobDateKey(); // the same day keeps counting
    EXPECT_EQ(namer.JobSequence(), 2);
    clock.Set(2026, 3, 16, 0, 1);
    namer.UpdateJobDateKey();
    EXPECT_EQ(namer.JobDateKey(), "0316");
    EXPECT_EQ(namer.JobSequence(), 0);
    EXPECT_EQ(namer.BuildOutputName(settings, "c.wav", "1001", "00"),
              "N 0316-001 1001 0000 00  .wav");
}

// The system clock applies the zone's standard offset, never the summer hour.
TEST(SystemClockTest, StandardTimeIsUtcPlusTheStandardOffset) {
    platform_test::ScopedEnv zone("TZ", "EST5EDT,M3.2.0,M11.1.0");
    ::tzset();
    const SystemClock clock;
    std::tm standard = clock.StandardTime();
    const std::time_t now = std::time(nullptr);
    const long long offset = static_cast<long long>(::timegm(&standard)) - now;
    // A second may pass between the two readings.
    EXPECT_GE(offset, -5 * 3600 - 2);
    EXPECT_LE(offset, -5 * 3600);
}

TEST(SystemClockTest, LocalTimeFollowsTheZone) {
    platform_test::ScopedEnv zone("TZ", "UTC0");
    ::tzset();
    const SystemClock clock;
    std::tm local = clock.LocalTime();
    const long long offset = static_cast<long long>(::timegm(&local)) - std::time(nullptr);
    EXPECT_GE(offset, -2);
    EXPECT_LE(offset, 0);
}

} // namespace
} // namespace convert
