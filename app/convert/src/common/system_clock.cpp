#include "convert/clock.h"

#include <time.h>

namespace convert {

namespace {

// Seconds west of UTC of the zone's standard time.
long StandardOffsetWestOfUtc() {
#ifdef _WIN32
    _tzset();
    long offset = 0;
    _get_timezone(&offset);
    return offset;
#else
    ::tzset();
    return ::timezone;
#endif
}

std::tm BreakDownAsUtc(std::time_t seconds) {
    std::tm fields{};
#ifdef _WIN32
    gmtime_s(&fields, &seconds);
#else
    ::gmtime_r(&seconds, &fields);
#endif
    return fields;
}

} // namespace

std::tm SystemClock::LocalTime() const {
    const std::time_t now = std::time(nullptr);
    std::tm fields{};
#ifdef _WIN32
    localtime_s(&fields, &now);
#else
    ::localtime_r(&now, &fields);
#endif
    return fields;
}

std::tm SystemClock::StandardTime() const {
    const std::time_t now = std::time(nullptr);
    return BreakDownAsUtc(now - static_cast<std::time_t>(StandardOffsetWestOfUtc()));
}

} // namespace convert
