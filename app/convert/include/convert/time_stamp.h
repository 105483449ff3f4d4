#pragma once
// The time stamp of an error-log line: the short date, then a blank and the long time, both in
// the forms of the user's regional settings (the LC_TIME locale).

#include <ctime>
#include <string>

namespace convert {

// strftime forms of the two parts. The defaults are the locale's own date ("%x") and time
// ("%X") forms; in the C locale they give "12/07/26" and "14:05:09".
struct TimeStampFormats {
    std::string shortDate = "%x";
    std::string longTime = "%X";
};

// The date, then a blank and the time; the blank and the time are left out when hour, minute
// and second are all zero (midnight exactly).
std::string LogTimeStamp(const std::tm& time, const TimeStampFormats& formats);

} // namespace convert
