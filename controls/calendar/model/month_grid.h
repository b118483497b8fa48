// The 6 x 7 day grid of one month as the month calendar shows it: Monday first,
// days of the neighbouring months in the first and last rows, a week number per row.
#pragma once

#include <array>
#include <cstdint>

#include "platform/core/date.h"

namespace calendar {

constexpr int kRows = 6;
constexpr int kColumns = 7;
constexpr int kCells = kRows * kColumns;

inline int monthBefore(int month) { return month == 1 ? 12 : month - 1; }
inline int monthAfter(int month) { return month == 12 ? 1 : month + 1; }

struct MonthGrid {
    int year = 1900;
    int month = 1;
    int monthLength = 31;
    platform::DateTime firstCellDate = 0;  // always a Monday
    std::array<int8_t, kCells> day{};      // day numbers, row by row
    int lastPrevCell = 0;   // last cell of the previous month
    int firstNextCell = 0;  // first cell of the next month
    std::array<int8_t, kRows> rowWeek{};  // week numbers as the rows show them

    bool inPreviousMonth(int cell) const { return cell <= lastPrevCell; }
    bool inNextMonth(int cell) const { return cell >= firstNextCell; }
    bool inShownMonth(int cell) const { return cell > lastPrevCell && cell < firstNextCell; }
    // Calendar month (1..12) of a cell.
    int cellMonth(int cell) const {
        if (inPreviousMonth(cell)) return monthBefore(month);
        if (inNextMonth(cell)) return monthAfter(month);
        return month;
    }
};

// Grid of `month` (1..12) in `year` (1900..9999).
MonthGrid buildMonthGrid(int year, int month);

// Week numbers of the six rows: the first row's ISO week, then one more per
// row, where a 53 stays only for a Monday between the 10th and the 28th and
// anything else past 52 restarts at 1.
std::array<int8_t, kRows> rowWeekNumbers(int firstRowWeek,
                                         const std::array<int8_t, kCells>& day);

}  // namespace calendar
