#include "platform/core/date.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace platform {
namespace {

// Days from 1 Jan 1970 for a proleptic Gregorian date (H. Hinnant's algorithm).
long long daysFromCivil(long long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

CivilDate civilFromDays(long long z) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long y = static_cast<long long>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    return {static_cast<int>(y + (m <= 2)), static_cast<int>(m), static_cast<int>(d)};
}

// 30 Dec 1899 counted from 1 Jan 1970.
constexpr long long kEpochOffset = -25569;

long long wholeDays(DateTime value) { return static_cast<long long>(std::floor(value)); }

class SystemClock : public Clock {
public:
    DateTime now() const override {
        const auto t = std::chrono::system_clock::now();
        const std::time_t secs = std::chrono::system_clock::to_time_t(t);
        std::tm local{};
        localtime_r(&secs, &local);
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                            t.time_since_epoch()).count() % 1000;
        return encodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) +
               encodeTime(local.tm_hour, local.tm_min, local.tm_sec, static_cast<int>(ms));
    }
};

const SystemClock systemClock;
const Clock* currentClock = &systemClock;

}  // namespace

bool isLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int daysInMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

bool isValidDate(int year, int month, int day) {
    return year >= 1 && year <= 9999 && day >= 1 && day <= daysInMonth(year, month);
}

int dayNumber(int year, int month, int day) {
    return static_cast<int>(daysFromCivil(year, static_cast<unsigned>(month),
                                          static_cast<unsigned>(day)) -
                            kEpochOffset);
}

DateTime encodeDate(int year, int month, int day) { return dayNumber(year, month, day); }

DateTime encodeTime(int hour, int minute, int second, int millisecond) {
    return (((hour * 60.0 + minute) * 60.0 + second) * 1000.0 + millisecond) / 86400000.0;
}

CivilDate decodeDate(DateTime value) { return civilFromDays(wholeDays(value) + kEpochOffset); }

TimeOfDay decodeTime(DateTime value) {
    const double frac = value - std::floor(value);
    long long ms = std::llround(frac * 86400000.0);
    if (ms >= 86400000) ms = 86400000 - 1;
    TimeOfDay t;
    t.millisecond = static_cast<int>(ms % 1000);
    ms /= 1000;
    t.second = static_cast<int>(ms % 60);
    ms /= 60;
    t.minute = static_cast<int>(ms % 60);
    t.hour = static_cast<int>(ms / 60);
    return t;
}

int dayOfWeek(DateTime value) {
    // Day 0 (30 Dec 1899) was a Saturday.
    long long r = (wholeDays(value) + 6) % 7;
    if (r < 0) r += 7;
    return static_cast<int>(r) + 1;
}

int isoWeekday(DateTime value) { return (dayOfWeek(value) + 5) % 7 + 1; }

std::string dateToText(DateTime value) {
    const CivilDate d = decodeDate(value);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d.%02d.%04d", d.day % 100, d.month % 100, d.year % 10000);
    return buf;
}

std::string timeToText(DateTime value) {
    const TimeOfDay t = decodeTime(value);
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02d:%02d", t.hour % 100, t.minute % 100);
    return buf;
}

void setClock(const Clock* clock) { currentClock = clock ? clock : &systemClock; }
DateTime now() { return currentClock->now(); }
DateTime today() { return std::floor(now()); }

ScopedClock::ScopedClock(DateTime value) : clock_(value) { setClock(&clock_); }
ScopedClock::~ScopedClock() { setClock(nullptr); }

}  // namespace platform
