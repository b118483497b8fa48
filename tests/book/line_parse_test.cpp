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
    // Monday 4 March 2024 with the default settings; 29 March is Karfreitag.
    const std::tuple<int, const char*, const char*, char, const char*> cases[] = {
        {4, "08:00", "12:00", ' ', "   1 04.03 Montag     08:00 12:00   240 120  120           "},
        {4, "08:00", "10:00", '-', "-  1 04.03 Montag     08:00 10:00  -120                    "},
        {5, "22:00", "02:00", ' ', "   1 05.03 Dienstag   22:00 02:00   240 120  120  240      "},
        {10, "09:00", "10:00", '!', "!  1 10.03 Sonntag    09:00 10:00    60       60           "},
        {29, "10:00", "14:00", ' ', "   1 29.03 Freitag    10:00 14:00   240                240 "}};
    zb.blattAngezeigt = true;
    for (auto [day, von, bis, marker, expected] : cases) EXPECT_EQ(build(0, day, von, bis, marker, true), expected);
    EXPECT_EQ(zb.summen, (std::array<int32_t, 6>{660, 240, 300, 240, 240, 0}));
    EXPECT_EQ(zb.summenZeilen[0].substr(36), "   11,0");  // shown at once
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
