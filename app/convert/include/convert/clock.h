#pragma once
// The clock behind the day key, the dictation date of output names and the log's time stamps.
// It is injected so that tests fix the time.

#include <ctime>

namespace convert {

class Clock {
public:
    virtual ~Clock() = default;
    // Local civil time, daylight saving applied.
    virtual std::tm LocalTime() const = 0;
    // Local standard time: UTC plus the zone's standard offset, never daylight saving. The day
    // key uses it so that the day does not change an hour early or late in summer.
    virtual std::tm StandardTime() const = 0;
};

// The machine's clock and time zone (TZ, else the system zone).
class SystemClock final : public Clock {
public:
    std::tm LocalTime() const override;
    std::tm StandardTime() const override;
};

// A broken-down time with every field filled in (weekday and day of the year included), so
// that strftime can format any of them. month is 1-12.
std::tm MakeCalendarTime(int year, int month, int day, int hour, int minute, int second);

// A clock that tells the times it was set to; standard time follows local time unless set
// apart (a summer day whose standard time is an hour behind).
class FixedClock final : public Clock {
public:
    FixedClock(int year, int month, int day, int hour, int minute, int second = 0);

    void Set(int year, int month, int day, int hour, int minute, int second = 0);
    void SetStandard(int year, int month, int day, int hour, int minute, int second = 0);

    std::tm LocalTime() const override { return local_; }
    std::tm StandardTime() const override { return standard_; }

private:
    std::tm local_{};
    std::tm standard_{};
};

} // namespace convert
