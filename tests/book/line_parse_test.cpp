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
    const std::tuple<int, const char*, const char*, char, const char*, int, int, int, int, int> cases[] = {{4, "08:00", "12:00", ' ', "Montag    ", 240, 120, 120, 0, 0},
                          {4, "08:00", "10:00", '-', "Montag    ", -120, 0, 0, 0, 0},
                          {5, "22:00", "02:00", ' ', "Dienstag  ", 240, 120, 120, 240, 0},
                          {10, "09:00", "10:00", '!', "Sonntag   ", 60, 0, 60, 0, 0},
                          {29, "10:00", "14:00", ' ', "Freitag   ", 240, 0, 0, 0, 240}};  // Karfreitag
    for (auto [day, von, bis, marker, weekday, total, normal, extra, night, holiday] : cases) {
        zb.seiteLeeren();
        zb.blattAngezeigt = true;
        EXPECT_EQ(build(0, day, von, bis, marker, true),
                  sheetLine(marker, 1, day, 3, weekday, von, bis, total, normal, extra, night, holiday));
        EXPECT_EQ(zb.summen, (std::array<int32_t, 6>{total, normal, extra, night, holiday, 0}));
    }
    EXPECT_EQ(zb.summenZeilen[0].substr(36), "    4,0");  // shown at once
    zb.eingabe.replace(11, 10, "xxxxxxxxxx");  // without compute only typed columns are copied
    zb.eingabe.replace(34, 5, "99999");
    EXPECT_EQ(std::string(zb.Zeile_auswerten(false, false)), entryLine(29, 3, "10:00", "14:00"));
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
