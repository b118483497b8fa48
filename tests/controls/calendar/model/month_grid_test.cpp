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
            const int length =
                static_cast<int>(unsigned(year_month_day_last{year{y} / month{m} / last}.day()));
            ASSERT_EQ(g.monthLength, length);
            ASSERT_EQ(g.lastPrevCell, (first - start).count() - 1);
            ASSERT_EQ(g.firstNextCell, (first - start).count() + length);
            for (int c = 0; c < kCells; ++c) {
                const year_month_day ymd{start + days{c}};
                ASSERT_EQ(g.day[c], int(unsigned(ymd.day()))) << "cell " << c;
                const int expectedMonth = int(unsigned(ymd.month()));
                ASSERT_EQ(g.cellMonth(c), expectedMonth) << "cell " << c;
            }
            for (int r = 0; r < kRows; ++r)
                ASSERT_EQ(g.rowWeek[r], isoWeek(start + days{7 * r})) << "row " << r;
        }
    }
}

}  // namespace
}  // namespace calendar
