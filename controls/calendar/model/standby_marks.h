// Standby period records (five bytes each, nine per list) shown as marked days
// of a month grid, and marked days turned back into records.
#pragma once

#include <array>
#include <cstdint>

#include "controls/calendar/model/month_grid.h"

namespace calendar {

constexpr int kMaxRecords = 9;
constexpr int kRecordSize = 5;

// Record bytes: 0 week number | flags, 1 start day, 2 start month, 3 end day,
// 4 end month. A record whose byte 0 is 0 ends the list.
using StandbyList = std::array<uint8_t, kMaxRecords * kRecordSize>;
constexpr uint8_t kFromPreviousYear = 0x80;
constexpr uint8_t kIntoNextYear = 0x40;

using Marks = std::array<uint8_t, kCells>;  // 0 or 1 per cell

// Records before the terminating one (at most nine).
int recordCount(const StandbyList& list);

// Marks the days of the records of `list` that lie in the grid; bit i of
// `mask` is set for each record i shown. A record whose start day cannot be
// found among its month's cells (a damaged record) is left out.
void marksFromRecords(const MonthGrid& grid, const StandbyList& list, Marks& marks,
                      uint32_t& mask);

struct MarkedRecords {
    StandbyList list{};  // unused slots all zero
    uint32_t mask = 0;   // the records that the grid's runs became
    bool overflow = false;
};

// Turns the runs of marked days into records (a run breaks after a Sunday),
// keeping the records of `old` that the grid did not show, in time order.
// At most `capacity` (<= 9) runs are taken; records beyond nine are dropped
// and reported through `overflow`.
MarkedRecords recordsFromMarks(const MonthGrid& grid, const Marks& marks, const StandbyList& old,
                               uint32_t oldMask, int capacity);

}  // namespace calendar
