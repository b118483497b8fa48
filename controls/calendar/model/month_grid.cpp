#include "controls/calendar/model/month_grid.h"

#include "platform/core/week_number.h"

namespace calendar {

MonthGrid buildMonthGrid(int year, int month) {
    MonthGrid g;
    g.year = year;
    g.month = month;
    g.monthLength = platform::daysInMonth(year, month);

    const platform::DateTime first = platform::encodeDate(year, month, 1);
    // One to seven days of the previous month: a month starting on a Monday
    // gets a whole week of them.
    const int w = platform::isoWeekday(first);
    const int leading = w == 1 ? 7 : w - 1;
    g.firstCellDate = first - leading;
    g.lastPrevCell = leading - 1;
    g.firstNextCell = leading + g.monthLength;

    const platform::CivilDate start = platform::decodeDate(g.firstCellDate);
    const int prevLength = platform::daysInMonth(start.year, start.month);
    int d = start.day;
    int length = prevLength;
    for (int i = 0; i < kCells; ++i) {
        g.day[i] = static_cast<int8_t>(d);
        if (++d > length) {
            d = 1;
            length = i < leading ? g.monthLength : 31;
        }
    }

    const int firstWeek = platform::Get_Kalenderwoche(start.year, g.firstCellDate);
    g.rowWeek = rowWeekNumbers(firstWeek, g.day);
    return g;
}

std::array<int8_t, kRows> rowWeekNumbers(int firstRowWeek,
                                         const std::array<int8_t, kCells>& day) {
    std::array<int8_t, kRows> weeks{};
    int counter = firstRowWeek;
    for (int r = 0; r < kRows; ++r, ++counter) {
        const int monday = day[r * kColumns];
        if (counter > 53 || (counter == 53 && (monday < 10 || monday > 28))) counter = 1;
        weeks[r] = static_cast<int8_t>(counter);
    }
    return weeks;
}

}  // namespace calendar
