// Platform date values: whole days since 30 Dec 1899 plus the time of day as a
// fraction, with calendar conversions and a clock that tests can pin.
#pragma once

#include <string>

namespace platform {

using DateTime = double;

struct CivilDate {
    int year = 0;
    int month = 0;
    int day = 0;
    bool operator==(const CivilDate&) const = default;
};

struct TimeOfDay {
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

bool isLeapYear(int year);
int daysInMonth(int year, int month);  // 0 for a month outside 1..12
bool isValidDate(int year, int month, int day);

// Day number of a calendar date; the date must be valid (proleptic Gregorian).
int dayNumber(int year, int month, int day);
DateTime encodeDate(int year, int month, int day);
DateTime encodeTime(int hour, int minute, int second = 0, int millisecond = 0);
CivilDate decodeDate(DateTime value);
TimeOfDay decodeTime(DateTime value);

// Weekday as the platform counts it: 1 = Sunday .. 7 = Saturday.
int dayOfWeek(DateTime value);
// Weekday as the book counts it: 1 = Monday .. 7 = Sunday.
int isoWeekday(DateTime value);

// "dd.mm.yyyy" and "hh:mm", fixed formats independent of the desktop locale.
std::string dateToText(DateTime value);
std::string timeToText(DateTime value);

class Clock {
public:
    virtual ~Clock() = default;
    virtual DateTime now() const = 0;
};

// The process clock; tests install a PinnedClock. Passing nullptr restores
// the system clock.
void setClock(const Clock* clock);
DateTime now();
DateTime today();  // now() without the time of day

class PinnedClock : public Clock {
public:
    explicit PinnedClock(DateTime value = 0) : value_(value) {}
    DateTime now() const override { return value_; }
    void set(DateTime value) { value_ = value; }

private:
    DateTime value_;
};

// Installs a pinned clock for the lifetime of the object.
class ScopedClock {
public:
    explicit ScopedClock(DateTime value);
    ~ScopedClock();
    ScopedClock(const ScopedClock&) = delete;
    ScopedClock& operator=(const ScopedClock&) = delete;
    void set(DateTime value) { clock_.set(value); }

private:
    PinnedClock clock_;
};

}  // namespace platform
