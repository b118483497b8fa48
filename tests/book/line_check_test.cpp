#include <gtest/gtest.h>

#include "platform/core/codepage.h"
#include "platform/core/date.h"
#include "tests/book/sheet_fixture.h"

namespace sheet_test {
namespace {

using book::ZeitIndex;

class ZeilePruefen : public SheetTest {
protected:
    void SetUp() override { showMonth(2024, 3); }

    // A stored period at sheet line `zeile` (as a loader leaves it).
    void node(int zeile, int day, int von, int bis) {
        zb.zeitIndex.push_back({platform::dayNumber(2024, 3, day), von, bis, zeile, 0});
    }
};

TEST_F(ZeilePruefen, RefusedFieldsReportColumnStatusAndBeep) {
    struct Case {
        std::string line;
        int column;
    };
    auto with = [](int column, const char* two) {
        std::string e = entryLine(5, 3, "08:00", "12:00");
        e.replace(column, 2, two);
        return e;
    };
    const Case cases[] = {
        {with(5, "00"), 5},  {with(5, "__"), 5},  {with(5, "A1"), 5},  {with(5, "1A"), 5},
        {with(5, "/1"), 5},  {with(8, "13"), 8},  {with(8, "00"), 8},  {with(8, "1_"), 8},
        {with(22, "24"), 22}, {with(22, "_8"), 22}, {with(25, "60"), 25}, {with(25, "5_"), 25},
        {with(28, "99"), 28}, {with(28, "__"), 28}, {with(31, "60"), 31}, {with(31, ":0"), 31},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        host.calls.clear();
        zb.eingabe = c.line;
        EXPECT_EQ(zb.Zeile_pruefen(true), c.column);
        EXPECT_EQ(host.calls, (std::vector<std::string>{"beep", "status 3"}));
        EXPECT_EQ(zb.chronoDatum, 0);
    }
    EXPECT_EQ(boxes.count(), 0u);  // a non-digit tens character is no month-length case
}

TEST_F(ZeilePruefen, DayBeyondTheLineMonthShowsTheMonthLengthBox) {
    struct Case {
        int year, month, day;
        const char* text;
    };
    const Case cases[] = {
        {2024, 3, 32, "Der Monat M\xE4rz hat nur eine L\xE4nge von 31Tagen !"},
        {2024, 2, 30, "Der Monat Februar hat nur eine L\xE4nge von 29Tagen !"},
        {2025, 2, 29, "Der Monat Februar hat nur eine L\xE4nge von 28Tagen !"},
        {2024, 4, 31, "Der Monat April hat nur eine L\xE4nge von 30Tagen !"},
        {2024, 3, 99, "Der Monat M\xE4rz hat nur eine L\xE4nge von 31Tagen !"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        zb.jahr = c.year;
        boxes.clear();
        host.calls.clear();
        zb.eingabe = entryLine(c.day, c.month, "08:00", "12:00");
        EXPECT_EQ(zb.Zeile_pruefen(true), 5);
        ASSERT_EQ(boxes.count(), 1u);
        EXPECT_EQ(boxes.last().text, c.text);
        EXPECT_EQ(boxes.last().caption, platform::cp1252("Monatslänge überschritten"));
        EXPECT_TRUE(host.calls.empty());  // no beep, no status code
    }
}

TEST_F(ZeilePruefen, DayIsCheckedAgainstTheLinesOwnMonth) {
    // The page shows March, the line belongs to February (as a loaded line can).
    zb.eingabe = entryLine(29, 2, "08:00", "12:00");
    EXPECT_EQ(zb.Zeile_pruefen(true), -1);
    EXPECT_EQ(zb.pDatum, platform::dayNumber(2024, 2, 29));
    zb.Monat_einstellen(2);
    zb.eingabe = entryLine(31, 3, "08:00", "12:00");
    EXPECT_EQ(zb.Zeile_pruefen(true), -1);
    EXPECT_EQ(boxes.count(), 0u);
}

TEST_F(ZeilePruefen, ValidLineStoresParsedValues) {
    zb.eingabe = entryLine(5, 3, "22:15", "06:45");
    EXPECT_EQ(zb.Zeile_pruefen(false), -1);
    EXPECT_EQ(zb.pTag, 5);
    EXPECT_EQ(zb.pDatum, platform::dayNumber(2024, 3, 5));
    EXPECT_EQ(zb.pVon, 22 * 60 + 15);
    EXPECT_EQ(zb.pBis, 6 * 60 + 45);
    EXPECT_TRUE(host.calls.empty());
}

// New line on `day` from..to against one stored period at line 0.
struct OverlapCase {
    int storedDay, storedVon, storedBis;
    int day;
    const char* von;
    const char* bis;
    bool conflict;
};

TEST_F(ZeilePruefen, OverlapCases) {
    const OverlapCase cases[] = {
        // Across midnight into the next day, both ways round.
        {5, 1320, 360, 6, "05:00", "07:00", true},
        {6, 300, 420, 5, "22:00", "06:00", true},
        {5, 1320, 360, 5, "23:00", "23:30", true},
        {5, 1320, 360, 6, "06:00", "07:00", false},
        // Touching periods do not conflict.
        {5, 480, 720, 5, "12:00", "16:00", false},
        {5, 720, 960, 5, "08:00", "12:00", false},
        // Inside, start inside, end inside, identical.
        {5, 480, 720, 5, "09:00", "10:00", true},
        {5, 540, 600, 5, "08:00", "12:00", true},
        {5, 480, 720, 5, "10:00", "14:00", true},
        {5, 480, 720, 5, "06:00", "09:00", true},
        {5, 480, 720, 5, "08:00", "12:00", true},
        // A period ending at midnight leaves an empty span on the next day.
        {9, 1320, 0, 10, "00:00", "02:00", false},
        {10, 0, 120, 9, "22:00", "00:00", false},
        {9, 1320, 0, 9, "23:00", "23:59", true},
        // A whole day from 08:00 to 08:00 reaches into the next morning.
        {5, 480, 480, 6, "07:00", "07:30", true},
        {5, 480, 480, 6, "08:00", "09:00", false},
        // Dates further apart are never compared.
        {5, 1320, 360, 7, "00:00", "05:00", false},
        {7, 1320, 360, 5, "22:00", "23:00", false},
    };
    for (const OverlapCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << "stored day " << c.storedDay << " " << c.storedVon
                                          << "-" << c.storedBis << ", new day " << c.day << " "
                                          << c.von << "-" << c.bis);
        zb.zeitIndex.clear();
        zb.chronoDatum = zb.chronoBis = 0;
        boxes.clear();
        node(0, c.storedDay, c.storedVon, c.storedBis);
        zb.zeilen.assign({"stored line", book::kEntryLine});
        zb.aktuelleZeile = 1;
        zb.eingabe = entryLine(c.day, 3, c.von, c.bis);
        EXPECT_EQ(zb.Zeile_pruefen(true), c.conflict ? 21 : -1);
        EXPECT_EQ(boxes.count(), c.conflict ? 1u : 0u);
        // Without the overlap test the same line passes.
        zb.chronoDatum = zb.chronoBis = 0;
        EXPECT_EQ(zb.Zeile_pruefen(false), -1);
    }
}

TEST_F(ZeilePruefen, ConflictMessageNamesTheLineAndMovesTheCaret) {
    zb.blattAngezeigt = true;
    zb.zeilen.assign({"line zero", "line one", book::kEntryLine});
    node(0, 4, 480, 720);
    node(1, 5, 480, 720);
    zb.aktuelleZeile = 2;
    zb.eingabe = entryLine(5, 3, "11:00", "13:00");
    EXPECT_EQ(zb.Zeile_pruefen(true), 21);
    ASSERT_EQ(boxes.count(), 1u);
    EXPECT_EQ(boxes.last().caption, "Fehler");
    EXPECT_EQ(boxes.last().text,
              platform::cp1252("Die Zeit der aktuellen Eingabe überschneidet sich mit der Zeile\n") +
                  "'line one'");
    EXPECT_EQ(host.calls, (std::vector<std::string>{"caret 22", "blink reset", "repaint"}));
    EXPECT_EQ(zb.chronoDatum, 0);  // a refused line does not move the chronology
}

TEST_F(ZeilePruefen, EditedLineDoesNotConflictWithItsOwnOldPeriod) {
    zb.zeilen.assign({"line zero", "line one", book::kEntryLine});
    node(0, 4, 480, 720);
    node(1, 5, 480, 720);
    zb.aktuelleZeile = 1;
    zb.eingabe = entryLine(5, 3, "09:00", "13:00");
    EXPECT_EQ(zb.Zeile_pruefen(true), -1);
    zb.aktuelleZeile = 0;  // editing the other line: now it conflicts
    zb.chronoDatum = 0;
    EXPECT_EQ(zb.Zeile_pruefen(true), 21);
}

TEST_F(ZeilePruefen, PendingInsertChecksTheLineBelowIt) {
    // A line was inserted at index 1, above "line one" whose node still
    // carries index 1: that node must not be skipped, and the message names
    // the sheet line where it now stands.
    zb.zeilen.assign({"line zero", "inserted", "line one", book::kEntryLine});
    node(0, 4, 480, 720);
    node(1, 5, 480, 720);
    zb.einfuegeIndex = 1;
    zb.aktuelleZeile = 1;
    zb.eingabe = entryLine(5, 3, "11:00", "13:00");
    EXPECT_EQ(zb.Zeile_pruefen(true), 21);
    ASSERT_EQ(boxes.count(), 1u);
    EXPECT_NE(boxes.last().text.find("'line one'"), std::string::npos);

    boxes.clear();
    zb.eingabe = entryLine(4, 3, "07:00", "09:00");  // against line zero, above the insert
    EXPECT_EQ(zb.Zeile_pruefen(true), 21);
    ASSERT_EQ(boxes.count(), 1u);
    EXPECT_NE(boxes.last().text.find("'line zero'"), std::string::npos);
}

TEST_F(ZeilePruefen, ChronologyPair) {
    struct Step {
        int day;
        const char* von;
        const char* bis;
        int result;
        int pairDay, pairBis;
    };
    const Step steps[] = {
        {5, "08:00", "12:00", -1, 5, 720},
        {5, "12:00", "13:00", -1, 5, 780},   // starts where the last one ended
        {5, "12:30", "14:00", -2, 5, 780},   // starts before the last one's end
        {4, "18:00", "19:00", -2, 5, 780},   // an earlier date
        {6, "01:00", "02:00", -1, 6, 120},
        {6, "22:00", "01:00", -1, 6, 60},    // runs past midnight: the pair keeps its to-time
        {6, "00:30", "00:45", -2, 6, 60},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(::testing::Message() << s.day << " " << s.von << "-" << s.bis);
        zb.eingabe = entryLine(s.day, 3, s.von, s.bis);
        EXPECT_EQ(zb.Zeile_pruefen(false), s.result);
        EXPECT_EQ(zb.chronoDatum, platform::dayNumber(2024, 3, s.pairDay));
        EXPECT_EQ(zb.chronoBis, s.pairBis);
    }
}

TEST_F(ZeilePruefen, PageClearResetsTheChronologyPair) {
    zb.eingabe = entryLine(20, 3, "08:00", "12:00");
    EXPECT_EQ(zb.Zeile_pruefen(false), -1);
    zb.seiteLeeren();
    zb.eingabe = entryLine(1, 3, "08:00", "12:00");
    EXPECT_EQ(zb.Zeile_pruefen(false), -1);
}

}  // namespace
}  // namespace sheet_test
