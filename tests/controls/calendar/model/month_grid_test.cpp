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

TEST(MonthGrid, NeighbourMonthCellsAtTheEdges) {
    struct Case {
        int y, m;
        int prevDays;  // cells of the previous month
        int firstDay;  // day number of cell 0
    };
    const Case cases[] = {
        {2024, 1, 7, 25},  // 1 Jan 2024 is a Monday: a whole week before it
        {2023, 10, 6, 25},  // 1 Oct 2023 is a Sunday
        {2024, 3, 4, 26},  // Friday
        {2021, 2, 7, 25},  // Monday, 28-day February: 7 + 28 + 7 cells
    };
    for (const Case& c : cases) {
        const MonthGrid g = buildMonthGrid(c.y, c.m);
        EXPECT_EQ(g.lastPrevCell, c.prevDays - 1) << c.y << "-" << c.m;
        EXPECT_EQ(g.day[0], c.firstDay) << c.y << "-" << c.m;
        EXPECT_EQ(g.day[c.prevDays], 1) << c.y << "-" << c.m;
        EXPECT_EQ(g.firstNextCell, c.prevDays + g.monthLength) << c.y << "-" << c.m;
        EXPECT_EQ(g.day[g.firstNextCell], 1) << c.y << "-" << c.m;
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
    for (const Case& c : cases) EXPECT_EQ(buildMonthGrid(c.y, c.m).rowWeek, c.weeks) << c.y << "-" << c.m;
}

TEST(MonthGrid, WeekRuleKeeps53OnlyForMondaysTenToTwentyEight) {
    std::array<int8_t, kCells> day{};
    for (const int monday : {9, 10, 28, 29, 1}) {
        for (int r = 0; r < kRows; ++r) day[r * kColumns] = static_cast<int8_t>(monday);
        const auto weeks = rowWeekNumbers(53, day);
        EXPECT_EQ(weeks[0], monday >= 10 && monday <= 28 ? 53 : 1) << monday;
        EXPECT_EQ(weeks[1], weeks[0] == 53 ? 1 : 2) << monday;  // 54 restarts at 1
    }
}

}  // namespace
}  // namespace calendar
