#include <gtest/gtest.h>

#include "platform/core/date.h"
#include "tests/book/sheet_fixture.h"

namespace sheet_test {
namespace {

class ZeileAuswerten : public SheetTest {
protected:
    void SetUp() override { showMonth(2024, 3); }
    std::string build(int at, int day, const char* von, const char* bis, char marker = ' ',
                      bool compute = false) {
        zb.aktuelleZeile = at;
        zb.eingabe = entryLine(day, 3, von, bis, marker);
        EXPECT_LT(zb.Zeile_pruefen(false), 0);
        return zb.Zeile_auswerten(compute, false);
    }
};

TEST_F(ZeileAuswerten, BuildsTheSheetLineAndAddsItToTheTotals) {
    struct Case {
        int day;
        const char *von, *bis;
        char marker;
        const char* weekday;
        int total, normal, extra, night, holiday;
    };
    const Case cases[] = {{4, "08:00", "12:00", ' ', "Montag    ", 240, 120, 120, 0, 0},
                          {4, "08:00", "10:00", '-', "Montag    ", -120, 0, 0, 0, 0},
                          {5, "22:00", "02:00", ' ', "Dienstag  ", 240, 120, 120, 240, 0},
                          {10, "09:00", "10:00", '!', "Sonntag   ", 60, 0, 60, 0, 0},
                          {29, "10:00", "14:00", ' ', "Freitag   ", 240, 0, 0, 0, 240}};  // Karfreitag
    for (const Case& c : cases) {
        zb.seiteLeeren();
        zb.blattAngezeigt = true;
        EXPECT_EQ(build(0, c.day, c.von, c.bis, c.marker, true),
                  sheetLine(c.marker, 1, c.day, 3, c.weekday, c.von, c.bis, c.total, c.normal,
                            c.extra, c.night, c.holiday));
        EXPECT_EQ(zb.summen, (std::array<int32_t, 6>{c.total, c.normal, c.extra, c.night, c.holiday, 0}));
    }
    EXPECT_EQ(zb.summenZeilen[0].substr(36), "    4,0");  // shown at once
    zb.eingabe.replace(11, 10, "xxxxxxxxxx");  // without compute only typed columns are copied
    zb.eingabe.replace(34, 5, "99999");
    EXPECT_EQ(std::string(zb.Zeile_auswerten(false, false)), entryLine(29, 3, "10:00", "14:00"));
}

TEST_F(ZeileAuswerten, TimeIndexAppendsUpdatesAndMakesRoomForAnInsert) {
    build(0, 4, "08:00", "12:00");
    build(1, 5, "08:00", "12:00");
    build(0, 6, "07:00", "09:00");  // line 0 edited: its node changes
    zb.einfuegeIndex = 1;           // inserted above line 1: that node moves down
    build(1, 7, "07:00", "09:00");
    const int32_t d = platform::dayNumber(2024, 3, 1) - 1;
    const std::vector<std::array<int32_t, 4>> expected = {
        {d + 6, 420, 540, 0}, {d + 5, 480, 720, 2}, {d + 7, 420, 540, 1}};
    std::vector<std::array<int32_t, 4>> index;
    for (const book::ZeitIndex& n : zb.zeitIndex) index.push_back({n.datum, n.von, n.bis, n.zeile});
    EXPECT_EQ(index, expected);
}

TEST_F(ZeileAuswerten, ParseModeTakesTheLinesOwnMonthAndLeavesTheIndexAlone) {
    zb.eingabe = entryLine(1, 4, "06:30", "07:45");  // Monday 1 April
    const std::string line = zb.Zeile_auswerten(true, true);
    EXPECT_EQ(zb.monat * 100 + zb.monatsLaenge, 430);
    EXPECT_EQ(line.substr(11, 10), "Montag    ");
    EXPECT_EQ(zb.pDatum, platform::dayNumber(2024, 4, 1));
    EXPECT_EQ(zb.pVon * 1000 + zb.pBis, 390 * 1000 + 465);
    EXPECT_TRUE(zb.zeitIndex.empty());
}

}  // namespace
}  // namespace sheet_test
