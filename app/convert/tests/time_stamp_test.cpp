#include "convert/clock.h"
#include "convert/error_log_file.h"
#include "convert/time_stamp.h"

#include <gtest/gtest.h>

#include <iomanip>
#include <string>

namespace convert {
namespace {

const TimeStampFormats kUsFormats{"%m/%d/%Y", "%H:%M:%S"};

struct StampCase {
    int hour;
    int minute;
    int second;
    const char* expected;
};

// CTest lists each case by its time of day.
void PrintTo(const StampCase& c, std::ostream* os) {
    *os << std::setfill('0') << std::setw(2) << c.hour << ":" << std::setw(2) << c.minute << ":"
        << std::setw(2) << c.second;
}

class LogTimeStampTest : public testing::TestWithParam<StampCase> {};

TEST_P(LogTimeStampTest, LeavesTheTimeOutAtMidnightOnly) {
    const StampCase& c = GetParam();
    const std::tm time = MakeCalendarTime(2026, 3, 15, c.hour, c.minute, c.second);
    EXPECT_EQ(LogTimeStamp(time, kUsFormats), c.expected)
        << c.hour << ":" << c.minute << ":" << c.second;
}

INSTANTIATE_TEST_SUITE_P(Times, LogTimeStampTest,
                         testing::Values(StampCase{14, 35, 9, "03/15/2026 14:35:09"},
                                         StampCase{0, 0, 0, "03/15/2026"},
                                         StampCase{0, 0, 1, "03/15/2026 00:00:01"},
                                         StampCase{0, 1, 0, "03/15/2026 00:01:00"},
                                         StampCase{12, 0, 0, "03/15/2026 12:00:00"},
                                         StampCase{23, 59, 59, "03/15/2026 23:59:59"}));

TEST(LogTimeStampTest, DefaultsToTheLocaleForms) {
    // Tests run in the C locale, whose forms are "%m/%d/%y" and "%H:%M:%S".
    const std::tm time = MakeCalendarTime(2026, 3, 15, 14, 35, 9);
    EXPECT_EQ(LogTimeStamp(time, TimeStampFormats{}), "03/15/26 14:35:09");
}

TEST(ErrorLogLineTest, LaysOutTheLine) {
    EXPECT_EQ(ErrorLogLine("03/15/2026 14:35:09", "Error converting to PCM .wav format"),
              "03/15/2026 14:35:09: Error:  Error converting to PCM .wav format\r\n");
    EXPECT_EQ(ErrorLogLine("03/15/2026", ""), "03/15/2026: Error:  \r\n");
}

TEST(ErrorLogLineTest, CutsTheStampAfter24AndTheTextAfter100) {
    const std::string stamp = "Sunday, March 15, 2026 02:35:09 PM";
    const std::string text = std::string(100, 'a') + std::string(50, 'b');
    EXPECT_EQ(ErrorLogLine(stamp, text),
              "Sunday, March 15, 2026 0: Error:  " + std::string(100, 'a') + "\r\n");
}

} // namespace
} // namespace convert
