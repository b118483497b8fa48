#include "platform/core/date.h"

#include <gtest/gtest.h>

#include <chrono>

#include "platform/core/week_number.h"

namespace platform {
namespace {

TEST(Date, KnownDayNumbersAndWeekdays) {
    struct Case {
        int y, m, d, number, dayOfWeek;
    };
    const Case cases[] = {
        {1899, 12, 30, 0, 7},  {1900, 1, 1, 2, 2},     {2000, 1, 1, 36526, 7},
        {2024, 3, 5, 45356, 3}, {2024, 2, 29, 45351, 5}, {1900, 3, 1, 61, 5},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(dayNumber(c.y, c.m, c.d), c.number) << c.y << "-" << c.m << "-" << c.d;
        EXPECT_EQ(dayOfWeek(c.number), c.dayOfWeek) << c.number;
        EXPECT_EQ(decodeDate(c.number), (CivilDate{c.y, c.m, c.d}));
    }
}

TEST(Date, RoundTripsAgainstChrono) {
    using namespace std::chrono;
    const sys_days epoch = year{1899} / December / 30;
    for (int n = 0; n < 80000; n += 7) {
        const year_month_day ymd{epoch + days{n}};
        const CivilDate d = decodeDate(n + 0.75);
        ASSERT_EQ(d.year, int(ymd.year()));
        ASSERT_EQ(d.month, int(unsigned(ymd.month())));
        ASSERT_EQ(d.day, int(unsigned(ymd.day())));
        ASSERT_EQ(isoWeekday(n), int(weekday{sys_days{ymd}}.iso_encoding()));
    }
}

TEST(Date, MonthLengthsAndTexts) {
    EXPECT_EQ(daysInMonth(2024, 2), 29);
    EXPECT_EQ(daysInMonth(2025, 2), 28);
    EXPECT_EQ(daysInMonth(1900, 2), 28);
    EXPECT_EQ(daysInMonth(2000, 2), 29);
    EXPECT_EQ(daysInMonth(2024, 13), 0);
    EXPECT_EQ(dateToText(encodeDate(2024, 3, 5) + encodeTime(14, 3)), "05.03.2024");
    EXPECT_EQ(timeToText(encodeDate(2024, 3, 5) + encodeTime(14, 3)), "14:03");
    EXPECT_EQ(timeToText(encodeTime(23, 59, 59, 999)), "23:59");
}

TEST(Date, PinnedClock) {
    ScopedClock clock(encodeDate(2024, 3, 5) + encodeTime(8, 30));
    EXPECT_EQ(today(), encodeDate(2024, 3, 5));
    EXPECT_EQ(timeToText(now()), "08:30");
}

// ISO 8601 week of a Monday, computed through the Thursday of its week.
int isoWeekOfMonday(std::chrono::sys_days monday) {
    using namespace std::chrono;
    const sys_days thursday = monday + days{3};
    const year y = year_month_day{thursday}.year();
    return int((thursday - sys_days{y / January / 1}).count()) / 7 + 1;
}

TEST(WeekNumber, EveryMondayMatchesIso8601) {
    using namespace std::chrono;
    const sys_days epoch = year{1899} / December / 30;
    sys_days d = year{1901} / January / 7;  // a Monday
    ASSERT_EQ(weekday{d}, Monday);
    for (; d < sys_days{year{2100} / January / 1}; d += days{7}) {
        const int n = int((d - epoch).count());
        const int y = int(year_month_day{d}.year());
        ASSERT_EQ(Get_Kalenderwoche(y, n), isoWeekOfMonday(d)) << dateToText(n);
    }
}

TEST(WeekNumber, DocumentedExamples) {
    EXPECT_EQ(Get_Kalenderwoche(2015, encodeDate(2015, 12, 28)), 53);
    EXPECT_EQ(Get_Kalenderwoche(2014, encodeDate(2014, 12, 29)), 1);
    EXPECT_EQ(Get_Kalenderwoche(2021, encodeDate(2021, 1, 4)), 1);
    EXPECT_EQ(Get_Kalenderwoche(2020, encodeDate(2020, 12, 28)), 53);
    // A Monday in the previous year asked for the next year's number.
    EXPECT_EQ(Get_Kalenderwoche(2021, encodeDate(2020, 12, 28)), 53);
}

}  // namespace
}  // namespace platform
