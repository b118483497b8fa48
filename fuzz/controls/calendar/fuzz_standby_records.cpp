// The calendar's standby period records as the database and month files hand
// them over: any nine records mark a month grid and turn back into records
// without a crash; any marks that fit in nine records round-trip.
//
// Input: u16 year (taken into 1900..9999), month byte, 45 record bytes, then
// one byte per grid cell (its low bit marks it).
#include <algorithm>
#include <cstring>

#include "controls/calendar/model/standby_marks.h"
#include "fuzz/fuzz_support.h"

using namespace calendar;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3 + sizeof(StandbyList)) return 0;
    const int year = 1900 + (data[0] | data[1] << 8) % 8100;
    const int month = 1 + data[2] % 12;
    StandbyList list;
    std::memcpy(list.data(), data + 3, list.size());
    const uint8_t* cells = data + 3 + list.size();
    const size_t cellBytes = size - 3 - list.size();
    const MonthGrid grid = buildMonthGrid(year, month);

    Marks marks{};
    uint32_t mask = 0;
    marksFromRecords(grid, list, marks, mask);
    FUZZ_ASSERT(mask < 1u << kMaxRecords);
    const MarkedRecords kept = recordsFromMarks(grid, marks, list, mask, kMaxRecords);
    FUZZ_ASSERT(recordCount(kept.list) <= kMaxRecords);

    Marks own{};
    for (size_t c = 0; c < own.size() && c < cellBytes; ++c) own[c] = cells[c] & 1;
    const MarkedRecords r = recordsFromMarks(grid, own, StandbyList{}, 0, kMaxRecords);
    if (r.overflow) return 0;
    Marks back{};
    uint32_t backMask = 0;
    marksFromRecords(grid, r.list, back, backMask);
    FUZZ_ASSERT(back == own && backMask == r.mask);
    return 0;
}
