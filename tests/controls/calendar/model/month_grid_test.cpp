#include "controls/calendar/model/month_grid.h"

#include <gtest/gtest.h>

#include <chrono>

namespace calendar {
namespace {

using namespace std::chrono;

// ISO 8601 week of a date: the week belongs to the year of its Thursday.
int isoWeek(sys_days d) {
    const sys_days thursday = d - days{weekday{d}.iso_encoding() - 1} + days{3};
    const year y = year_month_day{thursday}.year();
    return static_cast<int>((thursday - sys_days{y / January / 1}).count() / 7 + 1);
}

TEST(MonthGrid, EveryMonth1901To2099MatchesCalendarAndIsoWeeks) {
    const sys_days epoch = year{1899} / December / 30;
    for (int y = 1901; y <= 2099; ++y) {
        for (unsigned m = 1; m <= 12; ++m) {
            SCOPED_TRACE(testing::Message() << y << "-" << m);
            const MonthGrid g = buildMonthGrid(y, static_cast<int>(m));
            const sys_days first = year{y} / month{m} / 1;
            // The Monday before the 1st; a whole week before a Monday 1st.
            const unsigned wd = weekday{first}.iso_encoding();
            const sys_days start = first - days{wd == 1 ? 7 : wd - 1};
            ASSERT_EQ(g.firstCellDate, (start - epoch).count());
            const int length = static_cast<int>(
                unsigned(year_month_day_last{year{y} / month{m} / last}.day()));
            ASSERT_EQ(g.monthLength, length);
            ASSERT_EQ(g.lastPrevCell, (first - start).count() - 1);
            ASSERT_EQ(g.firstNextCell, (first - start).count() + length);
            for (int c = 0; c < kCells; ++c) {
                const year_month_day ymd{start + days{c}};
                ASSERT_EQ(g.day[c], int(unsigned(ymd.day()))) << "cell " << c;
                const int expectedMonth = int(unsigned(ymd.month()));
                ASSERT_EQ(g.cellMonth(c), expectedMonth) << "cell " << c;
                ASSERT_EQ(g.inShownMonth(c), expectedMonth == int(m)) << "cell " << c;
            }
            for (int r = 0; r < kRows; ++r)
                ASSERT_EQ(g.rowWeek[r], isoWeek(start + days{7 * r})) << "row " << r;
        }
    }
}

TEST(MonthGrid, RowWeeksAroundTheTurnOfTheYear) {
    struct Case {
        int y, m;
        std::array<int8_t, kRows> weeks;
    };
    const Case cases[] = {
        {2020, 12, {49, 50, 51, 52, 53, 1}},  // Monday 28 Dec shows 53
        {2018, 1, {52, 1, 2, 3, 4, 5}},       // 25-31 Dec 2017, then week 1
        {2015, 12, {49, 50, 51, 52, 53, 1}},
        {2014, 12, {48, 49, 50, 51, 52, 1}},  // Monday 29 Dec 2014 is week 1
        {2021, 1, {53, 1, 2, 3, 4, 5}},       // first row 28 Dec 2020
        {2027, 1, {53, 1, 2, 3, 4, 5}},       // 28 Dec 2026 (a Thursday year)
    };
    for (const Case& c : cases)
        EXPECT_EQ(buildMonthGrid(c.y, c.m).rowWeek, c.weeks) << c.y << "-" << c.m;
}

}  // namespace
}  // namespace calendar
