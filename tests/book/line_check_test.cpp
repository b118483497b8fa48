#include <gtest/gtest.h>

#include "platform/core/codepage.h"
#include "platform/core/date.h"
#include "tests/book/sheet_fixture.h"

namespace sheet_test {
namespace {

class ZeilePruefen : public SheetTest {
protected:
    void SetUp() override { showMonth(2024, 3); }
    // A stored period at sheet line `zeile` (as a loader leaves it).
    void node(int zeile, int day, int von, int bis) {
        zb.zeitIndex.push_back({platform::dayNumber(2024, 3, day), von, bis, zeile, 0});
    }
    int check(std::string line, bool overlap = true) {
        zb.eingabe = std::move(line);
        return zb.Zeile_pruefen(overlap);
    }
};

TEST_F(ZeilePruefen, RefusedFieldsReportColumnStatusAndBeep) {
    const std::pair<int, const char*> cases[] = {
        {5, "00"},  {5, "__"},  {5, "A1"},  {5, "1A"},  {5, "/1"},  {8, "13"},  {8, "00"},  {8, "1_"},
        {22, "24"}, {22, "_8"}, {25, "60"}, {25, "5_"}, {28, "99"}, {28, "__"}, {31, "60"}, {31, ":0"}};
    for (auto [column, two] : cases) {
        std::string line = entryLine(5, 3, "08:00", "12:00");
        host.calls.clear();
        EXPECT_EQ(check(line.replace(column, 2, two)), column) << line;
        EXPECT_EQ(host.calls, (std::vector<std::string>{"beep", "status 3"})) << line;
    }
    EXPECT_EQ(boxes.count(), 0u);  // a non-digit tens character is no month-length case
}

TEST_F(ZeilePruefen, DayIsCheckedAgainstTheLengthOfTheLinesOwnMonth) {
    for (auto [year, month, day, text] :
         {std::tuple{2024, 3, 32, "M\xE4rz hat nur eine L\xE4nge von 31"},
          {2024, 2, 30, "Februar hat nur eine L\xE4nge von 29"}, {2025, 2, 29, "Februar hat nur eine L\xE4nge von 28"},
          {2024, 4, 31, "April hat nur eine L\xE4nge von 30"}, {2024, 3, 99, "M\xE4rz hat nur eine L\xE4nge von 31"}}) {
        zb.jahr = year;
        boxes.clear();
        host.calls.clear();
        EXPECT_EQ(check(entryLine(day, month, "08:00", "12:00")), 5);
        ASSERT_EQ(boxes.count(), 1u);
        EXPECT_EQ(boxes.last().text, "Der Monat " + std::string(text) + "Tagen !");
        EXPECT_EQ(boxes.last().caption, platform::cp1252("Monatslänge überschritten"));
        EXPECT_TRUE(host.calls.empty());  // no beep, no status code
    }
    zb.jahr = 2024;  // a February line on the March page is valid and parsed
    EXPECT_EQ(check(entryLine(29, 2, "22:15", "06:45")), -1);
    EXPECT_EQ(zb.pDatum, platform::dayNumber(2024, 2, 29));
    EXPECT_EQ(zb.pVon * 10000 + zb.pBis, (22 * 60 + 15) * 10000 + 6 * 60 + 45);
}

TEST_F(ZeilePruefen, OverlapCases) {
    // Stored day, from, to (minutes); new day, from, to; conflict.
    const std::tuple<int, int, int, int, const char*, const char*, bool> cases[] = {
        {5, 1320, 360, 6, "05:00", "07:00", true},  {6, 300, 420, 5, "22:00", "06:00", true},
        {5, 1320, 360, 5, "23:00", "23:30", true},  {5, 1320, 360, 6, "06:00", "07:00", false},
        {5, 480, 720, 5, "12:00", "16:00", false},  {5, 720, 960, 5, "08:00", "12:00", false},
        {5, 480, 720, 5, "09:00", "10:00", true},   {5, 540, 600, 5, "08:00", "12:00", true},
        {5, 480, 720, 5, "10:00", "14:00", true},   {5, 480, 720, 5, "06:00", "09:00", true},
        {5, 480, 720, 5, "08:00", "12:00", true},   {5, 480, 480, 6, "07:00", "07:30", true},
        {5, 480, 480, 6, "08:00", "09:00", false},  {5, 1320, 360, 7, "00:00", "05:00", false},
        {7, 1320, 360, 5, "22:00", "23:00", false}, {9, 1320, 0, 9, "23:00", "23:59", true},
        // A period ending at midnight leaves an empty span on the next day.
        {9, 1320, 0, 10, "00:00", "02:00", false},  {10, 0, 120, 9, "22:00", "00:00", false},
    };
    for (auto [storedDay, storedVon, storedBis, day, von, bis, conflict] : cases) {
        zb.zeitIndex.clear();
        boxes.clear();
        node(0, storedDay, storedVon, storedBis);
        zb.zeilen.assign({"stored line", book::kEntryLine});
        zb.aktuelleZeile = 1;
        zb.chronoDatum = 0;
        EXPECT_EQ(check(entryLine(day, 3, von, bis)), conflict ? 21 : -1)
            << storedDay << " " << storedVon << "-" << storedBis << " / " << day << " " << von;
        EXPECT_EQ(boxes.count(), conflict ? 1u : 0u);
        zb.chronoDatum = 0;
        EXPECT_EQ(zb.Zeile_pruefen(false), -1);  // without the overlap test it passes
    }
}

TEST_F(ZeilePruefen, ConflictMessageNamesTheLineAndAnEditedLineSkipsItsOwnPeriod) {
    zb.blattAngezeigt = true;
    zb.zeilen.assign({"line zero", "line one", book::kEntryLine});
    node(0, 4, 480, 720);
    node(1, 5, 480, 720);
    zb.aktuelleZeile = 2;
    EXPECT_EQ(check(entryLine(5, 3, "11:00", "13:00")), 21);
    ASSERT_EQ(boxes.count(), 1u);
    EXPECT_EQ(boxes.last().caption, "Fehler");
    EXPECT_EQ(boxes.last().text,
              platform::cp1252("Die Zeit der aktuellen Eingabe überschneidet sich mit der Zeile\n'line one'"));
    EXPECT_EQ(host.calls, (std::vector<std::string>{"caret 22", "blink reset", "repaint"}));
    EXPECT_EQ(zb.chronoDatum, 0);  // a refused line does not move the chronology
    zb.aktuelleZeile = 1;
    EXPECT_EQ(check(entryLine(5, 3, "09:00", "13:00")), -1);
}

TEST_F(ZeilePruefen, ChronologyPairAndItsResetWithThePage) {
    // Day, from, to; the check's result and the pair (date, to-time) after it.
    const std::tuple<int, const char*, const char*, int, int, int> steps[] = {
        {5, "08:00", "12:00", -1, 5, 720}, {5, "12:00", "13:00", -1, 5, 780},
        {5, "12:30", "14:00", -2, 5, 780}, {4, "18:00", "19:00", -2, 5, 780},
        {6, "01:00", "02:00", -1, 6, 120}, {6, "22:00", "01:00", -1, 6, 60},  // past midnight
        {6, "00:30", "00:45", -2, 6, 60},
    };
    for (auto [day, von, bis, result, pairDay, pairBis] : steps) {
        EXPECT_EQ(check(entryLine(day, 3, von, bis), false), result) << day << " " << von;
        EXPECT_EQ(std::pair(zb.chronoDatum, zb.chronoBis),
                  std::pair(platform::dayNumber(2024, 3, pairDay), pairBis)) << day << " " << von;
    }
    zb.seiteLeeren();
    EXPECT_EQ(check(entryLine(1, 3, "08:00", "12:00"), false), -1);
}

}  // namespace
}  // namespace sheet_test
