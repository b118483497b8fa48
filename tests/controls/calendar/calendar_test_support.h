// Helpers shared by the calendar tests: the cell that shows a day, a standby
// list from its leading bytes.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>

#include "controls/calendar/model/month_grid.h"
#include "controls/calendar/model/standby_marks.h"

namespace calendar::test_support {

inline int cellOf(const MonthGrid& g, int month, int day) {
    for (int c = 0; c < kCells; ++c)
        if (g.cellMonth(c) == month && g.day[c] == day) return c;
    ADD_FAILURE() << "no cell " << day << "." << month;
    return 0;
}

inline StandbyList listOf(std::initializer_list<uint8_t> bytes) {
    StandbyList l{};
    std::copy(bytes.begin(), bytes.end(), l.begin());
    return l;
}

}  // namespace calendar::test_support
