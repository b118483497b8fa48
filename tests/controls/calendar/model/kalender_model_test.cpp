#include "controls/calendar/model/kalender_model.h"

#include <gtest/gtest.h>

#include "platform/core/codepage.h"
#include "platform/core/message_box.h"

namespace calendar {

void PrintTo(const CalendarMessage& m, std::ostream* os) {
    *os << std::hex << "{0x" << m.msg << std::dec << ", " << m.wParam << ", " << m.lParam << "}";
}

namespace {

// Centre of a cell in grid image coordinates.
Point centreOf(int cell) {
    const Box b = GridLayout::cellFill(cell);
    return {(b.left + b.right) / 2, (b.top + b.bottom) / 2};
}

int cellOf(const KalenderModel& k, int month, int day) {
    for (int c = 0; c < kCells; ++c)
        if (k.grid().cellMonth(c) == month && k.grid().day[c] == day) return c;
    ADD_FAILURE() << "no cell " << day << "." << month;
    return 0;
}

// A click as the frame carries it out.
ClickResult clickAt(KalenderModel& k, int x, int y, bool right = false) {
    const ClickResult r = k.click(x, y, right);
    if (r.takeMarks) k.Get_Marker(kMaxRecords);
    return r;
}

ClickResult clickDay(KalenderModel& k, int month, int day, bool right = false) {
    const Point p = centreOf(cellOf(k, month, day));
    return clickAt(k, p.x, p.y, right);
}

CalendarMessage datum(int y, int m, int d, int right = 0) {
    return {WM_KALENDERDATUM, static_cast<uintptr_t>(platform::dayNumber(y, m, d)), right};
}
const CalendarMessage kRefused{WM_KALENDERDATUM, 0, 0};
const CalendarMessage kMarker{WM_KALENDERMARKER, 0, 0};

KalenderModel normalCalendar(int y, int m, int tag = 0, const StandbyList* host = nullptr) {
    KalenderModel k;
    k.Setze_Modus(false);
    k.Init(static_cast<uint16_t>(y), static_cast<uint16_t>(m), tag, host);
    return k;
}

TEST(KalenderModel, StartsInMarkerModeWithColourModeOne) {
    KalenderModel k;
    EXPECT_TRUE(k.markerMode());
    EXPECT_FALSE(k.yearBlock());
    EXPECT_EQ(k.chosenDay(), 0);
    EXPECT_EQ(k.titleColour(), 0xFF8000u);
    EXPECT_EQ(k.titleFontColour(), 0xFFFFFFu);
    EXPECT_EQ(k.fillColour(), 0x00FFFFu);
}

TEST(KalenderModel, ColourModes) {
    KalenderModel k;
    k.Setze_Farbmodus(2);
    EXPECT_EQ(k.titleColour(), 0x80000018u);
    EXPECT_EQ(k.titleFontColour(), 0x000000u);
    EXPECT_EQ(k.fillColour(), 0xFFFFFFu);
    k.Setze_Farbmodus(7);  // unknown: unchanged
    EXPECT_EQ(k.titleColour(), 0x80000018u);
    k.Setze_Farbmodus(1);
    EXPECT_EQ(k.fillColour(), 0x00FFFFu);
}

TEST(KalenderModel, TitleAndTexts) {
    KalenderModel k;
    k.Init(2024, 3, 5, nullptr);
    EXPECT_EQ(k.title(), "M\xE4rz 2024");
    EXPECT_EQ(k.Get_Jahr(), 2024);
    EXPECT_EQ(k.Get_Monat(), 3);
    EXPECT_EQ(k.Get_Datum(), 45356);
    EXPECT_EQ(KalenderModel::heuteText(platform::encodeDate(2024, 3, 5)), "   Heute: 05.03.2024");
    k.Init(2024, 2, 0, nullptr);
    EXPECT_EQ(k.Get_Datum(), 0);
    k.Init(2024, 2, 30, nullptr);  // no such day: no date
    EXPECT_EQ(k.Get_Datum(), 0);
}

TEST(KalenderModel, NormalClicksReportDates) {
    struct Case {
        const char* what;
        int y, m;
        bool block;
        int cellMonth, cellDay;
        bool right;
        CalendarMessage expected;
        int shownYear, shownMonth;
    };
    const Case cases[] = {
        {"right button", 2024, 3, false, 3, 5, true, datum(2024, 3, 5, 1), 2024, 3},
        {"left button", 2024, 3, false, 3, 31, false, datum(2024, 3, 31), 2024, 3},
        {"previous month steps back", 2024, 3, false, 2, 27, false, datum(2024, 2, 27), 2024, 2},
        {"next month steps on", 2024, 3, true, 4, 2, false, datum(2024, 4, 2), 2024, 4},
        {"into the next year", 2024, 12, false, 1, 3, false, datum(2025, 1, 3), 2025, 1},
        {"into the previous year", 2024, 1, false, 12, 30, true, datum(2023, 12, 30, 1), 2023, 12},
        {"year block in December", 2024, 12, true, 1, 3, false, kRefused, 2024, 12},
        {"year block in January", 2024, 1, true, 12, 25, false, kRefused, 2024, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        KalenderModel k = normalCalendar(c.y, c.m, 10);
        k.Setze_JahresBlock(c.block);
        const ClickResult r = clickDay(k, c.cellMonth, c.cellDay, c.right);
        ASSERT_TRUE(r.message.has_value());
        EXPECT_EQ(*r.message, c.expected);
        EXPECT_EQ(k.Get_Jahr(), c.shownYear);
        EXPECT_EQ(k.Get_Monat(), c.shownMonth);
    }
}

TEST(KalenderModel, NormalClickLeavesChosenDayToTheHost) {
    KalenderModel k = normalCalendar(2024, 3, 10);
    clickDay(k, 3, 20);
    EXPECT_EQ(k.chosenDay(), 10);
    EXPECT_EQ(k.marks(), Marks{});
}

TEST(KalenderModel, NormalClicksOutsideTheDaysDoNothing) {
    KalenderModel k = normalCalendar(2024, 3);
    for (const Point p : {Point{10, 50}, Point{22, 50}, Point{50, 10}, Point{176, 50},
                          Point{177, 50}, Point{100, 140}}) {
        const ClickResult r = clickAt(k, p.x, p.y, false);
        EXPECT_FALSE(r.message.has_value()) << p.x << "," << p.y;
        EXPECT_EQ(r.redraw, Redraw::None);
    }
}

TEST(KalenderModel, RecordsTieTheViewToItsYear) {
    // Internal records refuse leaving the year, in normal mode too: the click
    // reports no date, like the year block.
    KalenderModel k = normalCalendar(2024, 12);
    StandbyList records{};
    records[0] = 49;
    k.Setze_Daten(records);
    EXPECT_EQ(*clickDay(k, 1, 2).message, kRefused);
    EXPECT_EQ(k.Get_Monat(), 12);
    EXPECT_FALSE(k.stepMonth(+1));
    EXPECT_EQ(k.Get_Monat(), 12);
    EXPECT_TRUE(k.stepMonth(-1));
    EXPECT_EQ(k.Get_Monat(), 11);
}

TEST(KalenderModel, MonthButtons) {
    struct Case {
        int month;
        bool block;
        bool hostRecords;
        bool back, forward;
    };
    const Case cases[] = {
        {6, true, true, true, true},      {12, false, false, true, true},
        {12, true, false, true, false},   {12, false, true, true, false},
        {1, false, false, true, true},    {1, true, false, false, true},
        {1, false, true, false, true},
    };
    StandbyList host{};
    for (const Case& c : cases) {
        host[0] = c.hostRecords ? 5 : 0;
        KalenderModel k;
        k.Setze_Modus(false);
        k.Setze_JahresBlock(c.block);
        k.Init(2024, static_cast<uint16_t>(c.month), 0, &host);
        EXPECT_EQ(k.backEnabled(), c.back) << c.month << c.block << c.hostRecords;
        EXPECT_EQ(k.forwardEnabled(), c.forward) << c.month << c.block << c.hostRecords;
    }
    // The block follows its setter at once.
    KalenderModel k = normalCalendar(2024, 1);
    k.Setze_JahresBlock(true);
    EXPECT_FALSE(k.backEnabled());
    k.Setze_JahresBlock(false);
    EXPECT_TRUE(k.backEnabled());
}

TEST(KalenderModel, MonthSteppingWrapsAndRespectsTheBlock) {
    KalenderModel k = normalCalendar(2024, 12, 24);
    EXPECT_TRUE(k.stepMonth(+1));
    EXPECT_EQ(k.Get_Jahr(), 2025);
    EXPECT_EQ(k.Get_Monat(), 1);
    EXPECT_EQ(k.chosenDay(), 0);
    k.Setze_JahresBlock(true);
    EXPECT_FALSE(k.stepMonth(-1));
    EXPECT_EQ(k.Get_Monat(), 1);
    EXPECT_TRUE(k.stepMonth(+1));
    EXPECT_EQ(k.Get_Monat(), 2);
    // The month list stays within the year and ignores the block.
    k.chooseMonth(11);
    EXPECT_EQ(k.Get_Monat(), 12);
    EXPECT_EQ(k.Get_Jahr(), 2025);
    k.chooseMonth(12);  // no such item
    EXPECT_EQ(k.Get_Monat(), 12);
}

TEST(KalenderModel, HostListShowsMarksInNormalMode) {
    StandbyList host{};
    const uint8_t week10[] = {10, 4, 3, 10, 3};
    std::copy(std::begin(week10), std::end(week10), host.begin());
    KalenderModel k = normalCalendar(2024, 3, 0, &host);
    for (int d = 1; d <= 31; ++d) EXPECT_EQ(k.marks()[cellOf(k, 3, d)], d >= 4 && d <= 10) << d;
    // Stepping keeps using the host's list.
    k.stepMonth(+1);
    k.stepMonth(-1);
    EXPECT_EQ(k.marks()[cellOf(k, 3, 4)], 1);
    EXPECT_EQ(k.Get_Daten(), StandbyList{});  // the internal list is untouched
}

TEST(KalenderModel, MarkerClicksRewriteTheRecordsAtOnce) {
    platform::ScriptedMessages boxes;
    KalenderModel k;
    k.Init(2024, 3, 0, nullptr);
    const int monday = cellOf(k, 3, 4);
    for (int c = monday; c < monday + 6; ++c) {
        const Point p = centreOf(c);
        const ClickResult r = clickAt(k, p.x, p.y, false);
        EXPECT_EQ(r.redraw, Redraw::Grid);
        EXPECT_EQ(r.message, kMarker);
    }
    EXPECT_EQ(k.Get_Daten()[0], 10);
    EXPECT_EQ(k.Get_Daten()[3], 9);  // Monday to Saturday so far

    // The week column completes the row, then clears it.
    const Point week = {10, centreOf(monday).y};
    EXPECT_EQ(clickAt(k, week.x, week.y, false).message, kMarker);
    const uint8_t whole[] = {10, 4, 3, 10, 3};
    EXPECT_TRUE(std::equal(std::begin(whole), std::end(whole), k.Get_Daten().begin()));
    clickAt(k, week.x, week.y, false);
    EXPECT_EQ(k.Get_Daten(), StandbyList{});
    EXPECT_EQ(boxes.count(), 0u);

    // Neighbour-month cells can be marked, and a click outside the cells does nothing.
    EXPECT_EQ(clickDay(k, 4, 2).message, kMarker);
    EXPECT_EQ(k.Get_Monat(), 3);
    EXPECT_FALSE(clickAt(k, 177, 100, false).message.has_value());
    EXPECT_FALSE(clickAt(k, 100, 140, false).message.has_value());
}

TEST(KalenderModel, TenthRecordShowsTheOverflowBoxOnce) {
    platform::ScriptedMessages boxes;
    KalenderModel k;
    k.Init(2024, 3, 0, nullptr);
    for (int d = 1; d <= 17; d += 2) clickDay(k, 3, d);  // nine single days
    EXPECT_EQ(boxes.count(), 0u);
    EXPECT_EQ(recordCount(k.Get_Daten()), 9);
    clickDay(k, 3, 19);
    ASSERT_EQ(boxes.count(), 1u);
    EXPECT_EQ(boxes.last().text,
              platform::cp1252("Zu viele Bereitschaftseinträge im Kalender! Ich kann maximal "
                               "nur 9 Einträge verarbeiten.\nAlle Einträge darüber wurden gelöscht"));
    EXPECT_EQ(boxes.last().caption, "Kann ich nicht!");
    EXPECT_EQ(boxes.last().buttons, platform::Buttons::Ok);
    EXPECT_EQ(recordCount(k.Get_Daten()), 9);
    EXPECT_EQ(k.marks()[cellOf(k, 3, 19)], 1);  // the mark itself stays
    k.Init(2024, 3, 0, nullptr);
    EXPECT_EQ(k.marks()[cellOf(k, 3, 19)], 0);
}

TEST(KalenderModel, MarkerRecordsFollowMonthSteps) {
    platform::ScriptedMessages boxes;
    KalenderModel k;
    k.Init(2024, 3, 0, nullptr);
    clickDay(k, 3, 12);
    k.stepMonth(+1);
    clickDay(k, 4, 16);
    k.stepMonth(-1);
    EXPECT_EQ(k.marks()[cellOf(k, 3, 12)], 1);
    EXPECT_EQ(k.Get_Daten()[6], 16);  // the April day after the March one
    // Stepping out of the year is refused while records exist.
    k.chooseMonth(11);
    EXPECT_FALSE(k.stepMonth(+1));
    EXPECT_FALSE(k.forwardEnabled());
}

TEST(KalenderModel, DelMarkerAndDelEintraege) {
    platform::ScriptedMessages boxes;
    KalenderModel k;
    StandbyList list{};
    const uint8_t recs[] = {6, 5, 2, 11, 2, 10, 4, 3, 10, 3, 15, 8, 4, 14, 4};
    std::copy(std::begin(recs), std::end(recs), list.begin());
    k.Setze_Daten(list);
    k.Init(2024, 3, 0, nullptr);
    EXPECT_EQ(k.shownMask(), 0b010u);
    k.Del_Marker();
    EXPECT_EQ(k.marks(), Marks{});
    const uint8_t kept[] = {6, 5, 2, 11, 2, 15, 8, 4, 14, 4, 0};
    EXPECT_TRUE(std::equal(std::begin(kept), std::end(kept), k.Get_Daten().begin()));

    uint8_t out[45];
    std::fill(std::begin(out), std::end(out), 0xAA);
    clickDay(k, 3, 20);
    k.Get_Eintraege(out, 9);
    EXPECT_TRUE(std::equal(std::begin(out), std::end(out), k.Get_Daten().begin()));
    EXPECT_EQ(out[5], 12);  // the new March day between February and April

    k.Del_Eintraege();
    EXPECT_EQ(k.Get_Daten(), StandbyList{});
    EXPECT_EQ(k.marks(), Marks{});
}

TEST(KalenderModel, SetzeDatumMovesTheDayOrTheMonth) {
    KalenderModel k;
    k.Setze_Modus(false);
    k.Init(2024, 3, 1, nullptr);
    EXPECT_EQ(k.Setze_Datum(platform::encodeDate(2024, 3, 17)), Redraw::Full);
    EXPECT_EQ(k.chosenDay(), 17);
    EXPECT_EQ(k.Get_Monat(), 3);
    k.Setze_Datum(platform::encodeDate(2025, 7, 4) + 0.5);
    EXPECT_EQ(k.Get_Jahr(), 2025);
    EXPECT_EQ(k.Get_Monat(), 7);
    EXPECT_EQ(k.Get_Datum(), platform::encodeDate(2025, 7, 4));
}

}  // namespace
}  // namespace calendar
