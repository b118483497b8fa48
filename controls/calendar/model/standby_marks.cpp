#include "controls/calendar/model/standby_marks.h"

#include <algorithm>

namespace calendar {
namespace {

bool bit(uint32_t mask, int i) { return (mask >> i) & 1u; }

// Where a record's start may lie: the cells of its start month, or nothing
// when the record belongs to neither the grid nor this month's view of it.
struct Range {
    int from = 0;
    int to = -1;
};

Range startRange(const MonthGrid& g, uint8_t week, int startDay, int startMonth) {
    const bool fromPrev = week & kFromPreviousYear;
    const bool intoNext = week & kIntoNextYear;
    const int m = g.month;
    if (startMonth == monthBefore(m) && !intoNext && (m != 1 || fromPrev)) {
        if (startDay < g.day[0]) return {};  // starts before the grid
        return {0, g.lastPrevCell};
    }
    if (startMonth == m && (!fromPrev || m == 1) && (!intoNext || m == 12))
        return {g.lastPrevCell + 1, g.firstNextCell - 1};
    if (startMonth == monthAfter(m) && !fromPrev && (monthAfter(m) > m || intoNext) &&
        startDay <= g.day[kCells - 1])
        return {g.firstNextCell, kCells - 1};
    return {};
}

}  // namespace

int recordCount(const StandbyList& list) {
    int n = 0;
    while (n < kMaxRecords && list[n * kRecordSize] != 0) ++n;
    return n;
}

void marksFromRecords(const MonthGrid& g, const StandbyList& list, Marks& marks,
                      uint32_t& mask) {
    const int count = recordCount(list);
    for (int i = 0; i < count; ++i) {
        const uint8_t* r = &list[i * kRecordSize];
        const Range range = startRange(g, r[0], r[1], r[2]);
        int start = -1;
        for (int c = range.from; c <= range.to; ++c) {
            if (g.day[c] == r[1]) {
                start = c;
                break;
            }
        }
        if (start < 0) continue;
        mask |= 1u << i;
        // The end search starts at the start cell, so a one-day record marks one cell.
        for (int c = start; c < kCells; ++c) {
            marks[c] = 1;
            if (g.day[c] == r[3]) break;
        }
    }
}

MarkedRecords recordsFromMarks(const MonthGrid& g, const Marks& marks, const StandbyList& old,
                               uint32_t oldMask, int capacity) {
    capacity = std::clamp(capacity, 0, kMaxRecords);
    const int oldCount = recordCount(old);

    // Insertion point: where the grid's records stood, else after the records
    // of earlier weeks (byte 0 read signed, so previous-year records count as
    // earlier and next-year ones as later).
    int insertAt = -1;
    for (int i = 0; i < oldCount && insertAt < 0; ++i)
        if (bit(oldMask, i)) insertAt = i;
    if (insertAt < 0) {
        insertAt = 0;
        for (int i = 0; i < oldCount; ++i)
            if (static_cast<int8_t>(old[i * kRecordSize]) < g.rowWeek[2]) insertAt = i + 1;
    }

    MarkedRecords out;
    int size = 0;
    auto append = [&](const uint8_t* rec) {
        std::copy(rec, rec + kRecordSize, out.list.begin() + size * kRecordSize);
        ++size;
    };
    for (int i = 0; i < insertAt; ++i) append(&old[i * kRecordSize]);

    uint8_t rec[kRecordSize] = {};
    bool open = false;
    int openCell = 0;
    int cellMonth = monthBefore(g.month);
    for (int c = 0; c < kCells; ++c) {
        if (g.day[c] == 1) cellMonth = monthAfter(cellMonth);
        if (!marks[c]) {
            if (open) {
                append(rec);
                out.mask |= 1u << (size - 1);
                open = false;
            }
            continue;
        }
        if (!open) {
            if (size >= capacity) {
                out.overflow = true;
                continue;
            }
            const int week = g.rowWeek[c / kColumns];
            rec[0] = static_cast<uint8_t>(week);
            if (g.month == 12 && week < 10) rec[0] |= kIntoNextYear;
            if (g.month == 1 && cellMonth == 12) rec[0] |= kFromPreviousYear;
            rec[1] = static_cast<uint8_t>(g.day[c]);
            rec[2] = static_cast<uint8_t>(cellMonth);
            open = true;
            openCell = c;
        }
        rec[3] = static_cast<uint8_t>(g.day[c]);
        rec[4] = static_cast<uint8_t>(cellMonth);
        // A run reaching January from a December view ends in the next year,
        // also in a week 53 (the week-number rule alone misses that case).
        if (g.month == 12 && cellMonth == 1) rec[0] |= kIntoNextYear;
        const bool sunday = c % kColumns == kColumns - 1;
        if ((sunday && c != openCell) || c == kCells - 1) {
            append(rec);
            out.mask |= 1u << (size - 1);
            open = false;
        }
    }

    // Records of other months after the grid's runs; a list never exceeds nine.
    for (int i = insertAt; i < oldCount; ++i) {
        if (bit(oldMask, i)) continue;
        if (size >= kMaxRecords) {
            out.overflow = true;
            break;
        }
        append(&old[i * kRecordSize]);
    }
    return out;
}

}  // namespace calendar
