#include "controls/calendar/model/standby_marks.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "tests/controls/calendar/calendar_test_support.h"

namespace calendar {
namespace {

using Record = std::array<uint8_t, kRecordSize>;

StandbyList listOf(const std::vector<Record>& records) {
    StandbyList l{};
    for (size_t i = 0; i < records.size(); ++i)
        std::copy(records[i].begin(), records[i].end(), l.begin() + i * kRecordSize);
    return l;
}

using test_support::cellOf;

TEST(StandbyMarks, RunsBecomeRecords) {
    struct Case {
        int y, m;
        std::vector<std::pair<Record, Record>> runs;  // {start d, m}, {end d, m} as cells
        std::vector<Record> expected;
    };
    // A week and a day; Friday to Monday breaks after Sunday; a Sunday plus the next week
    // is one run; into the next month; the last row of a December in week 1; a grey
    // December cell in a January; week 53 into January and its January days (these would
    // otherwise read as a January of the same year).
    const Case cases[] = {
        {2024, 3, {{{4, 3}, {10, 3}}, {{14, 3}, {14, 3}}}, {{10, 4, 3, 10, 3}, {11, 14, 3, 14, 3}}},
        {2024, 3, {{{8, 3}, {11, 3}}}, {{10, 8, 3, 10, 3}, {11, 11, 3, 11, 3}}},
        {2024, 3, {{{10, 3}, {17, 3}}}, {{10, 10, 3, 17, 3}}},
        {2015, 2, {{{23, 2}, {1, 3}}}, {{9, 23, 2, 1, 3}}},
        {2014, 12, {{{29, 12}, {31, 12}}}, {{1 | kIntoNextYear, 29, 12, 31, 12}}},
        {2021, 1, {{{30, 12}, {2, 1}}}, {{53 | kFromPreviousYear, 30, 12, 2, 1}}},
        {2020, 12, {{{30, 12}, {2, 1}}}, {{53 | kIntoNextYear, 30, 12, 2, 1}}},
        {2020, 12, {{{1, 1}, {3, 1}}}, {{53 | kIntoNextYear, 1, 1, 3, 1}}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.y << "-" << c.m);
        const MonthGrid g = buildMonthGrid(c.y, c.m);
        Marks marks{};
        for (const auto& [s, e] : c.runs)
            for (int i = cellOf(g, s[1], s[0]); i <= cellOf(g, e[1], e[0]); ++i) marks[i] = 1;
        const MarkedRecords r = recordsFromMarks(g, marks, StandbyList{}, 0, kMaxRecords);
        EXPECT_EQ(r.list, listOf(c.expected));
    }
}

TEST(StandbyMarks, RecordsOfOtherMonthsKeepTheirPlaceInTimeOrder) {
    const MonthGrid march = buildMonthGrid(2024, 3);  // third row: week 11
    const Record january{2, 8, 1, 14, 1}, february{6, 5, 2, 11, 2}, april{15, 8, 4, 14, 4};
    const Record marchOld{11, 11, 3, 17, 3};
    const StandbyList old = listOf({january, february, marchOld, april});
    Marks marks{};
    uint32_t mask = 0;
    marksFromRecords(march, old, marks, mask);
    EXPECT_EQ(mask, 0b0100u);
    for (int c = 0; c < kCells; ++c) EXPECT_EQ(marks[c], c >= 14 && c <= 20) << c;

    // Replace the March week by two single days.
    marks = Marks{};
    marks[cellOf(march, 3, 5)] = 1;
    marks[cellOf(march, 3, 20)] = 1;
    MarkedRecords r = recordsFromMarks(march, marks, old, mask, kMaxRecords);
    EXPECT_EQ(r.list, listOf({january, february, {10, 5, 3, 5, 3}, {12, 20, 3, 20, 3}, april}));
    EXPECT_EQ(r.mask, 0b01100u);

    // Clearing the marks removes exactly the shown records.
    r = recordsFromMarks(march, Marks{}, old, 0b0100u, kMaxRecords);
    EXPECT_EQ(r.list, listOf({january, february, april}));  // unused slots zeroed whole
    EXPECT_EQ(recordsFromMarks(march, Marks{}, StandbyList{}, 0, 9).list, StandbyList{});
}

TEST(StandbyMarks, OverflowDropsLaterMonthsFirstAndNeverExceedsNine) {
    const MonthGrid march = buildMonthGrid(2024, 3);
    // Two February records before the grid, two April records after it.
    const StandbyList old =
        listOf({{6, 5, 2, 5, 2}, {7, 12, 2, 12, 2}, {15, 8, 4, 8, 4}, {16, 15, 4, 15, 4}});
    Marks marks{};
    for (int d = 4; d <= 19; d += 3) marks[cellOf(march, 3, d)] = 1;  // 6 single days
    MarkedRecords r = recordsFromMarks(march, marks, old, 0, kMaxRecords);
    EXPECT_TRUE(r.overflow && recordCount(r.list) == 9);
    const Record last{r.list[40], r.list[41], r.list[42], r.list[43], r.list[44]};
    EXPECT_EQ(last, (Record{15, 8, 4, 8, 4}));  // the later April record is dropped
}

TEST(StandbyMarks, DamagedRecordsMarkNothingAndAreKept) {
    const MonthGrid g = buildMonthGrid(2024, 3);
    // Day 0, day 40, month 13, 31 February (would match 31 March), and an end never found
    // (marks to the last cell).
    const StandbyList damaged = listOf({{10, 0, 3, 5, 3},
                                        {10, 40, 3, 41, 3},
                                        {10, 5, 13, 9, 13},
                                        {10, 31, 2, 3, 3},
                                        {10, 30, 3, 99, 3}});
    Marks marks{};
    uint32_t mask = 0;
    marksFromRecords(g, damaged, marks, mask);
    EXPECT_EQ(mask, 0b10000u);
    for (int c = 0; c < kCells; ++c) EXPECT_EQ(marks[c], c >= cellOf(g, 3, 30) ? 1 : 0) << c;
}

// Runs as the calendar forms them, counted independently: a run breaks at an
// unmarked cell and after a Sunday unless it opened on that Sunday.
int countRuns(const Marks& m) {
    int runs = 0, length = 0;
    for (int c = 0; c < kCells; ++c) {
        length = m[c] ? length + 1 : 0;
        runs += length == 1;
        if (c % 7 == 6 && length > 1) length = 0;  // the next marked cell opens a run
    }
    return runs;
}

TEST(StandbyMarks, RandomMarksRoundTrip) {
    std::mt19937 rng(20240305);
    for (int i = 0; i < 4000; ++i) {
        const int y = 1901 + static_cast<int>(rng() % 199);
        const int m = 1 + static_cast<int>(rng() % 12);
        const MonthGrid g = buildMonthGrid(y, m);
        Marks marks{};
        const unsigned density = 1 + rng() % 6;  // sparse to nearly full
        for (auto& c : marks) c = rng() % 7 < density ? 1 : 0;
        SCOPED_TRACE(testing::Message() << y << "-" << m << " case " << i);

        const int runs = countRuns(marks);
        const MarkedRecords r = recordsFromMarks(g, marks, StandbyList{}, 0, kMaxRecords);
        ASSERT_EQ(r.overflow, runs > kMaxRecords);
        ASSERT_EQ(recordCount(r.list), std::min(runs, kMaxRecords));
        if (r.overflow) continue;

        Marks back{};
        uint32_t mask = 0;
        marksFromRecords(g, r.list, back, mask);
        ASSERT_TRUE(back == marks && mask == r.mask);
        // Turning the shown marks into records again changes nothing.
        ASSERT_EQ(recordsFromMarks(g, back, r.list, mask, kMaxRecords).list, r.list);
    }
}

}  // namespace
}  // namespace calendar
