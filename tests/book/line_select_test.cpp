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
        zb.heuteJahr = 2024;
        zb.heuteMonat = 3;
        zb.heuteTag = 14;
    }
    std::string proposal(int hour, int minute, bool displayOnly = false) {
        zb.heuteStunde = hour;
        zb.heuteMinute = minute;
        zb.Zeile_auswaehlen(2, true, displayOnly);
        return zb.eingabe.substr(book::col::kToHour, 5);
    }
};

TEST_F(ZeileAuswaehlen, TimeProposalRoundsUpToTenMinutesOnlyOnceAndOnlyForToday) {
    zb.zeitvorschlag = true;
    for (auto [h, m, want] : {std::tuple{14, 3, "14:10"}, {14, 50, "14:50"}, {23, 57, "00:00"},
                              {9, 51, "10:00"}, {0, 0, "00:00"}}) {
        zb.vorschlagGemacht = false;
        EXPECT_EQ(proposal(h, m), want);
    }
    EXPECT_EQ(proposal(14, 25), "__:__");  // made already
    zb.tag = 13;                           // another day clears the mark
    EXPECT_EQ(proposal(14, 25), "__:__");
    zb.tag = 14;
    EXPECT_EQ(proposal(14, 25), "14:30");
    zb.zeitvorschlag = false;  // "Kein Zeitvorschlag"
    zb.vorschlagGemacht = false;
    EXPECT_EQ(proposal(14, 25), "__:__");
    zb.zeitvorschlag = true;
    zb.eingabe[book::col::kToHour] = '1';  // a typed to-hour is kept
    EXPECT_EQ(proposal(14, 25, true), "1_:__");
}

TEST_F(ZeileAuswaehlen, StoredAndTemplateLinesSetTheWindow) {
    zb.Zeile_auswaehlen(0, false, false);
    EXPECT_EQ(zb.eingabe, zb.zeilen[0]);
    EXPECT_EQ(zb.textPuffer, "Montage" + std::string(144, ' '));
    EXPECT_EQ(host.calls, (std::vector<std::string>{"caret 5", "enable Loeschen", "enable EintragEinfuegen",
                                                    "text cursor 7 0", "calendar 2024 3 4", "visible 0"}));
    host.calls.clear();
    zb.Zeile_auswaehlen(0, false, false);  // unchanged and not forced: only scrolls
    EXPECT_EQ(host.calls, (std::vector<std::string>{"visible 0"}));
    host.calls.clear();
    zb.Zeile_auswaehlen(99, false, false);  // out of range: the entry line
    EXPECT_EQ(zb.eingabe.substr(0, 10), "     14.03");
    EXPECT_EQ(zb.textPuffer, std::string(151, ' '));
    EXPECT_EQ(host.calls, (std::vector<std::string>{"caret 5", "disable Loeschen", "disable EintragEinfuegen",
                                                    "text cursor 0 0", "calendar 2024 3 14", "visible 2"}));
    zb.jahresbilanz = true;  // the balance neither enables nor sets the calendar
    host.calls.clear();
    zb.Zeile_auswaehlen(0, false, false);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"caret 5", "text cursor 7 0", "visible 0"}));
}

TEST_F(ZeileAuswaehlen, LeavingAnUncommittedInsertRemovesIt) {
    zb.zeilen.insert(zb.zeilen.begin() + 1, book::kEntryLine);
    zb.texte.insert(zb.texte.begin() + 1, "");
    zb.einfuegeIndex = zb.aktuelleZeile = 1;
    zb.Zeile_auswaehlen(1, true, false);  // the insert itself stays
    EXPECT_EQ(zb.zeilen.size(), 4u);
    zb.Zeile_auswaehlen(2, false, false);  // below it: the index moves up with the lines
    EXPECT_EQ(zb.zeilen.size() * 10 + zb.texte.size(), 33u);
    EXPECT_EQ(zb.einfuegeIndex, -1);
    EXPECT_EQ(zb.eingabe, entryLine(5, 3, "08:00", "12:00"));
    EXPECT_TRUE(host.has("scroll range") && host.has("visible 1"));
}

}  // namespace
}  // namespace sheet_test
