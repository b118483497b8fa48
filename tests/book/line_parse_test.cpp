#include <gtest/gtest.h>

#include "platform/core/date.h"
#include "tests/book/sheet_fixture.h"

namespace sheet_test {
namespace {

class ZeileAuswerten : public SheetTest {
protected:
    void SetUp() override { showMonth(2024, 3); }

    void check(int day, const char* von, const char* bis, char marker = ' ') {
        zb.eingabe = entryLine(day, 3, von, bis, marker);
        ASSERT_LT(zb.Zeile_pruefen(false), 0);
    }
    int32_t date(int day) const { return platform::dayNumber(2024, 3, day); }
};

TEST_F(ZeileAuswerten, BuildsTheSheetLine) {
    struct Case {
        int day;
        const char* von;
        const char* bis;
        char marker;
        std::string expected;
        std::array<int32_t, 6> totals;
    };
    // Monday 4 March 2024 with the default settings.
    const Case cases[] = {
        {4, "08:00", "12:00", ' ',
         sheetLine(' ', 1, 4, 3, "Montag    ", "08:00", "12:00", 240, 120, 120, 0, 0),
         {240, 120, 120, 0, 0, 0}},
        {4, "08:00", "10:00", '-',
         sheetLine('-', 1, 4, 3, "Montag    ", "08:00", "10:00", -120, 0, 0, 0, 0),
         {-120, 0, 0, 0, 0, 0}},
        {5, "22:00", "02:00", ' ',
         sheetLine(' ', 1, 5, 3, "Dienstag  ", "22:00", "02:00", 240, 120, 120, 240, 0),
         {240, 120, 120, 240, 0, 0}},
        {10, "09:00", "10:00", '!',
         sheetLine('!', 1, 10, 3, "Sonntag   ", "09:00", "10:00", 60, 0, 60, 0, 0),
         {60, 0, 60, 0, 0, 0}},
        {29, "10:00", "14:00", ' ',  // Karfreitag
         sheetLine(' ', 1, 29, 3, "Freitag   ", "10:00", "14:00", 240, 0, 0, 0, 240),
         {240, 0, 0, 0, 240, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        zb.seiteLeeren();
        zb.aktuelleZeile = 0;
        check(c.day, c.von, c.bis, c.marker);
        EXPECT_EQ(std::string(zb.Zeile_auswerten(true, false)), c.expected);
        EXPECT_EQ(zb.summen, c.totals);
        EXPECT_EQ(zb.rec.zeile, 1);
    }
}

TEST_F(ZeileAuswerten, WithoutComputeOnlyTheTypedColumnsAreCopied) {
    check(4, "08:00", "12:00", 'M');
    zb.eingabe.replace(11, 10, "xxxxxxxxxx");  // not copied
    zb.eingabe.replace(34, 5, "99999");
    EXPECT_EQ(std::string(zb.Zeile_auswerten(false, false)), entryLine(4, 3, "08:00", "12:00", 'M'));
    EXPECT_EQ(zb.summen, (std::array<int32_t, 6>{}));
}

TEST_F(ZeileAuswerten, TimeIndexAppendsUpdatesAndMakesRoomForAnInsert) {
    zb.aktuelleZeile = 0;
    check(4, "08:00", "12:00");
    zb.Zeile_auswerten(false, false);
    zb.aktuelleZeile = 1;
    check(5, "08:00", "12:00");
    zb.Zeile_auswerten(false, false);
    ASSERT_EQ(zb.zeitIndex.size(), 2u);

    zb.aktuelleZeile = 0;  // the line at index 0 edited: its node changes
    check(6, "07:00", "09:00");
    zb.Zeile_auswerten(false, false);
    ASSERT_EQ(zb.zeitIndex.size(), 2u);
    EXPECT_EQ(zb.zeitIndex[0].datum, date(6));
    EXPECT_EQ(zb.zeitIndex[0].von, 420);
    EXPECT_EQ(zb.zeitIndex[0].bis, 540);
    EXPECT_EQ(zb.zeitIndex[0].zeile, 0);

    zb.einfuegeIndex = 1;  // inserted above line 1: that node moves down
    zb.aktuelleZeile = 1;
    check(7, "07:00", "09:00");
    zb.Zeile_auswerten(false, false);
    ASSERT_EQ(zb.zeitIndex.size(), 3u);
    EXPECT_EQ(zb.zeitIndex[0].zeile, 0);
    EXPECT_EQ(zb.zeitIndex[1].zeile, 2);
    EXPECT_EQ(zb.zeitIndex[2].zeile, 1);
    EXPECT_EQ(zb.zeitIndex[2].datum, date(7));
}

TEST_F(ZeileAuswerten, ParseTakesTheLineItselfAndLeavesTheIndexAlone) {
    zb.eingabe = entryLine(12, 3, "06:30", "07:45");
    zb.Zeile_auswerten(false, true);
    EXPECT_EQ(zb.pTag, 12);
    EXPECT_EQ(zb.pDatum, date(12));
    EXPECT_EQ(zb.pVon, 390);
    EXPECT_EQ(zb.pBis, 465);
    EXPECT_TRUE(zb.zeitIndex.empty());
}

TEST_F(ZeileAuswerten, ALineOfAnotherMonthSetsThatMonthUp) {
    zb.eingabe = entryLine(1, 4, "08:00", "09:00");  // Monday 1 April
    const std::string line = zb.Zeile_auswerten(true, true);
    EXPECT_EQ(zb.monat, 4);
    EXPECT_EQ(zb.monatsLaenge, 30);
    EXPECT_EQ(line.substr(11, 10), "Montag    ");
}

TEST_F(ZeileAuswerten, ShowsTheTotalsOnceALineIsAdded) {
    zb.blattAngezeigt = true;
    check(4, "08:00", "12:00");
    zb.Zeile_auswerten(true, false);
    EXPECT_EQ(zb.summenZeilen[0].substr(zb.summenZeilen[0].size() - 7), "    4,0");
}

}  // namespace
}  // namespace sheet_test
