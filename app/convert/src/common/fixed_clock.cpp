#include "convert/clock.h"

namespace convert {

std::tm MakeCalendarTime(int year, int month, int day, int hour, int minute, int second) {
    std::tm fields{};
    fields.tm_year = year - 1900;
    fields.tm_mon = month - 1;
    fields.tm_mday = day;
    fields.tm_hour = hour;
    fields.tm_min = minute;
    fields.tm_sec = second;
    // timegm normalises the fields as UTC and fills in the weekday and the day of the year,
    // without consulting the machine's time zone.
#ifdef _WIN32
    _mkgmtime(&fields);
#else
    ::timegm(&fields);
#endif
    return fields;
}

FixedClock::FixedClock(int year, int month, int day, int hour, int minute, int second) {
    Set(year, month, day, hour, minute, second);
}

void FixedClock::Set(int year, int month, int day, int hour, int minute, int second) {
    local_ = MakeCalendarTime(year, month, day, hour, minute, second);
    standard_ = local_;
}

void FixedClock::SetStandard(int year, int month, int day, int hour, int minute, int second) {
    standard_ = MakeCalendarTime(year, month, day, hour, minute, second);
}

} // namespace convert
