#include "controls/calendar/model/kalender_model.h"

#include <gtest/gtest.h>

#include <tuple>

#include "platform/core/codepage.h"
#include "platform/core/message_box.h"
#include "tests/controls/calendar/calendar_test_support.h"

namespace calendar {

namespace {

using test_support::listOf;

int cellOf(const KalenderModel& k, int month, int day) {
    return test_support::cellOf(k.grid(), month, day);
}

// A click at a point of the grid image, carried out as the frame does it.
ClickResult clickAt(KalenderModel& k, int x, int y, bool right = false) {
    const ClickResult r = k.click(x, y, right);
    if (r.takeMarks) k.Get_Marker(kMaxRecords);
    return r;
}

// A click on the centre of a day's cell.
ClickResult clickDay(KalenderModel& k, int month, int day, bool right = false) {
    const Rect b = GridLayout::cellFill(cellOf(k, month, day));
    return clickAt(k, (b.left + b.right) / 2, (b.top + b.bottom) / 2, right);
}

KalenderModel normalCalendar(int y, int m, int tag = 0, const StandbyList* host = nullptr) {
    KalenderModel k;
    k.Setze_Modus(false);
    k.Init(static_cast<uint16_t>(y), static_cast<uint16_t>(m), tag, host);
    return k;
}

TEST(KalenderModel, DatesAndARightClick) {
    KalenderModel k = normalCalendar(2024, 3, 5);
    EXPECT_EQ(k.Get_Datum(), 45356);
    EXPECT_EQ(clickDay(k, 3, 5, true).message, (CalendarMessage{WM_KALENDERDATUM, 45356, 1}));
    k.Init(2024, 2, 30, nullptr);  // no such day: no date
    EXPECT_EQ(k.Get_Datum(), 0);
    k.Setze_Datum(platform::encodeDate(2025, 7, 4) + 0.5);
    EXPECT_TRUE(k.Get_Datum() == platform::encodeDate(2025, 7, 4) && k.Get_Monat() == 7);
}

TEST(KalenderModel, MonthButtonsAndSteps) {
    struct Case {
        int month;
        bool block, hostRecords, back, forward;
    };
    const Case cases[] = {
        {6, true, true, true, true},    {12, false, false, true, true},
        {12, true, false, true, false}, {12, false, true, true, false},
        {1, true, false, false, true},  {1, false, true, false, true},
    };
    for (const Case& c : cases) {
        const StandbyList host = listOf({uint8_t(c.hostRecords ? 5 : 0)});
        KalenderModel k;
        k.Setze_Modus(false);
        k.Setze_JahresBlock(c.block);
        k.Init(2024, static_cast<uint16_t>(c.month), 0, &host);
        EXPECT_EQ(std::pair(k.backEnabled(), k.forwardEnabled()), std::pair(c.back, c.forward))
            << c.month << c.block << c.hostRecords;
        const bool steps = !(c.block && c.month == 12);  // host records tie only the button
        EXPECT_TRUE(k.stepMonth(+1) == steps && k.Get_Monat() == (steps ? c.month % 12 + 1 : 12));
    }
    // Internal records tie the view to its year, in normal mode too.
    KalenderModel k = normalCalendar(2024, 12);
    k.Setze_Daten(listOf({49}));
    EXPECT_FALSE(k.stepMonth(+1));
    EXPECT_EQ(clickDay(k, 1, 2).message, (CalendarMessage{WM_KALENDERDATUM, 0, 0}));
    k.Setze_Daten(StandbyList{});
    k.Setze_JahresBlock(true);
    k.chooseMonth(0);  // the month list ignores the block
    EXPECT_EQ(k.Get_Monat(), 1);
}

// The first and last months of the year range show themselves, with their own
// weekdays, and the buttons stop at the range's ends.
TEST(KalenderModel, TheYearRangesEndsShowTheirOwnMonths) {
    using std::tuple;
    struct Case {
        int year, month;
        const char* title;
        bool back, forward;
    };
    for (const Case& c : {Case{9999, 12, "Dezember 9999", true, false},
                          {9999, 1, "Januar 9999", true, true},
                          {1900, 1, "Januar 1900", false, true},
                          {1900, 12, "Dezember 1900", true, true}}) {
        KalenderModel k = normalCalendar(c.year, c.month);
        const MonthGrid& g = k.grid();
        const platform::DateTime first = platform::encodeDate(c.year, c.month, 1);
        // Day 1 stands in its weekday's column.
        EXPECT_EQ(tuple(k.title(), k.Get_Jahr(), g.month, platform::isoWeekday(g.firstCellDate),
                        g.firstCellDate + cellOf(k, c.month, 1)),
                  tuple(std::string(c.title), c.year, c.month, 1, first))
            << c.title;
        EXPECT_EQ(g.day[cellOf(k, c.month, 31)], 31) << c.title;
        EXPECT_EQ(std::pair(k.backEnabled(), k.forwardEnabled()), std::pair(c.back, c.forward))
            << c.title;
        EXPECT_EQ(k.stepMonth(+1), c.forward) << c.title;
    }
}

TEST(KalenderModel, MarkerClicksRewriteTheRecordsAtOnce) {
    platform::ScriptedMessages boxes;
    KalenderModel k;
    k.Init(2024, 3, 0, nullptr);
    for (int d = 4; d <= 9; ++d) EXPECT_EQ(clickDay(k, 3, d).redraw, Redraw::Grid);
    EXPECT_EQ(k.Get_Daten(), listOf({10, 4, 3, 9, 3}));
    // The week column completes the row, then clears it.
    const Rect monday = GridLayout::cellFill(cellOf(k, 3, 4));
    EXPECT_EQ(clickAt(k, 10, monday.top + 2).message, (CalendarMessage{WM_KALENDERMARKER, 0, 0}));
    EXPECT_EQ(k.Get_Daten(), listOf({10, 4, 3, 10, 3}));
    clickAt(k, 10, monday.top + 2);
    EXPECT_EQ(k.Get_Daten(), StandbyList{});
    EXPECT_EQ(boxes.count(), 0u);
}

TEST(KalenderModel, TenthRecordShowsTheOverflowBoxOnce) {
    platform::ScriptedMessages boxes;
    KalenderModel k;
    k.Init(2024, 3, 0, nullptr);
    for (int d = 1; d <= 17; d += 2) clickDay(k, 3, d);  // nine single days
    EXPECT_EQ(boxes.count(), 0u);
    clickDay(k, 3, 19);
    ASSERT_EQ(boxes.count(), 1u);
    EXPECT_EQ(
        boxes.last().text,
        platform::cp1252("Zu viele Bereitschaftseinträge im Kalender! Ich kann maximal "
                         "nur 9 Einträge verarbeiten.\nAlle Einträge darüber wurden gelöscht"));
    EXPECT_EQ(boxes.last().caption, "Kann ich nicht!");
    EXPECT_EQ(recordCount(k.Get_Daten()), 9);
}

}  // namespace
}  // namespace calendar
