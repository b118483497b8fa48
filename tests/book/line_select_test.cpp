#include <gtest/gtest.h>

#include "tests/book/sheet_fixture.h"

namespace sheet_test {
namespace {

class ZeileAuswaehlen : public SheetTest {
protected:
    void SetUp() override {
        showMonth(2024, 3);
        zb.tag = 14;
        zb.zeilen = {entryLine(4, 3, "08:00", "12:00"), entryLine(5, 3, "08:00", "12:00"),
                     book::kEntryLine};
        zb.texte = {"Montage", "", ""};
        zb.aktuelleZeile = 2;
    }
    void today(int day, int hour, int minute) {
        zb.heuteJahr = 2024;
        zb.heuteMonat = 3;
        zb.heuteTag = day;
        zb.heuteStunde = hour;
        zb.heuteMinute = minute;
    }
    std::string toTime() const { return zb.eingabe.substr(book::col::kToHour, 5); }
};

TEST_F(ZeileAuswaehlen, TimeProposalRoundsUpToTenMinutes) {
    struct Case {
        int hour, minute;
        const char* expected;
    };
    const Case cases[] = {{14, 3, "14:10"}, {14, 50, "14:50"}, {23, 57, "00:00"},
                          {9, 51, "10:00"}, {0, 0, "00:00"},  {12, 9, "12:10"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        zb.zeitvorschlag = true;
        zb.vorschlagGemacht = false;
        today(14, c.hour, c.minute);
        zb.Zeile_auswaehlen(2, true, false);
        EXPECT_EQ(toTime(), c.expected);
        EXPECT_EQ(zb.eingabe.substr(5, 5), "14.03");
        EXPECT_TRUE(zb.vorschlagGemacht);
    }
}

TEST_F(ZeileAuswaehlen, TimeProposalOnlyOnceAndOnlyForToday) {
    zb.zeitvorschlag = true;
    today(14, 14, 3);
    zb.Zeile_auswaehlen(2, true, false);
    EXPECT_EQ(toTime(), "14:10");
    zb.heuteMinute = 25;  // made already: the template's to-time stays empty
    zb.Zeile_auswaehlen(2, true, false);
    EXPECT_EQ(toTime(), "__:__");

    zb.tag = 13;  // another day clears the mark, today's page proposes again
    zb.Zeile_auswaehlen(2, true, false);
    EXPECT_EQ(toTime(), "__:__");
    EXPECT_FALSE(zb.vorschlagGemacht);
    zb.tag = 14;
    zb.Zeile_auswaehlen(2, true, false);
    EXPECT_EQ(toTime(), "14:30");

    zb.zeitvorschlag = false;  // the user's "Kein Zeitvorschlag"
    zb.vorschlagGemacht = false;
    zb.Zeile_auswaehlen(2, true, false);
    EXPECT_EQ(toTime(), "__:__");

    zb.zeitvorschlag = true;  // a typed to-hour is kept
    zb.eingabe[book::col::kToHour] = '1';
    zb.Zeile_auswaehlen(2, true, true);
    EXPECT_EQ(toTime(), "1_:__");
}

TEST_F(ZeileAuswaehlen, TemplateAndStoredLines) {
    zb.Zeile_auswaehlen(0, false, false);
    EXPECT_EQ(zb.aktuelleZeile, 0);
    EXPECT_EQ(zb.eingabe, zb.zeilen[0]);
    EXPECT_EQ(zb.textPuffer.size(), 151u);
    EXPECT_EQ(zb.textPuffer.substr(0, 9), "Montage  ");
    EXPECT_EQ(zb.textLaenge, 7);
    EXPECT_EQ(host.calls,
              (std::vector<std::string>{"caret 5", "enable Loeschen", "enable EintragEinfuegen",
                                        "text cursor 7 0", "calendar 2024 3 4", "visible 0"}));

    host.calls.clear();
    zb.Zeile_auswaehlen(0, false, false);  // unchanged and not forced: only scrolls
    EXPECT_EQ(host.calls, (std::vector<std::string>{"visible 0"}));

    host.calls.clear();
    zb.Zeile_auswaehlen(2, false, false);
    EXPECT_EQ(zb.eingabe.substr(0, 10), "     14.03");
    EXPECT_EQ(zb.textLaenge, 0);
    EXPECT_EQ(zb.textPuffer, std::string(151, ' '));
    EXPECT_EQ(host.calls, (std::vector<std::string>{"caret 5", "disable Loeschen",
                                                    "disable EintragEinfuegen", "text cursor 0 0",
                                                    "calendar 2024 3 14", "visible 2"}));

    host.calls.clear();
    zb.Zeile_auswaehlen(2, true, false);  // forced on the same line: the selection stays
    EXPECT_TRUE(host.has("text position 0"));
    EXPECT_FALSE(host.has("caret 5"));

    host.calls.clear();
    zb.Zeile_auswaehlen(99, false, false);  // out of range: the last line
    EXPECT_EQ(zb.aktuelleZeile, 2);
}

TEST_F(ZeileAuswaehlen, DisplayOnlyKeepsTheTypedTimes) {
    zb.Zeile_auswaehlen(2, true, false);
    zb.eingabe.replace(book::col::kFromHour, 5, "07:30");
    zb.tag = 9;
    host.calls.clear();
    zb.Zeile_auswaehlen(2, true, true);
    EXPECT_EQ(zb.eingabe.substr(5, 5), "09.03");
    EXPECT_EQ(zb.eingabe.substr(book::col::kFromHour, 5), "07:30");
    EXPECT_FALSE(host.has("disable Loeschen"));
}

TEST_F(ZeileAuswaehlen, YearBalanceNeitherEnablesNorSetsTheCalendar) {
    zb.jahresbilanz = true;
    zb.Zeile_auswaehlen(0, false, false);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"caret 5", "text cursor 7 0", "visible 0"}));
}

TEST_F(ZeileAuswaehlen, LeavingAnUncommittedInsertRemovesIt) {
    zb.zeilen.insert(zb.zeilen.begin() + 1, book::kEntryLine);
    zb.texte.insert(zb.texte.begin() + 1, "");
    zb.einfuegeIndex = 1;
    zb.aktuelleZeile = 1;

    zb.Zeile_auswaehlen(1, true, false);  // the insert itself stays
    EXPECT_EQ(zb.zeilen.size(), 4u);
    EXPECT_EQ(zb.einfuegeIndex, 1);
    EXPECT_TRUE(host.has("disable Loeschen"));

    host.calls.clear();
    zb.Zeile_auswaehlen(2, false, false);  // below it: the index moves up with the lines
    EXPECT_EQ(zb.zeilen.size(), 3u);
    EXPECT_EQ(zb.texte.size(), 3u);
    EXPECT_EQ(zb.einfuegeIndex, -1);
    EXPECT_EQ(zb.aktuelleZeile, 1);
    EXPECT_EQ(zb.eingabe, entryLine(5, 3, "08:00", "12:00"));
    EXPECT_TRUE(host.has("scroll range"));
    EXPECT_TRUE(host.has("visible 1"));
}

}  // namespace
}  // namespace sheet_test
