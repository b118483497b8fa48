#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "platform/core/date.h"
#include "tests/book/sheet_fixture.h"

namespace sheet_test {
namespace {

struct Period {
    int day;
    std::string von, bis;
    char marker;
};

std::string hhmm(int minutes) {
    std::string s = "00:00";
    s[0] = static_cast<char>('0' + minutes / 600);
    s[1] = static_cast<char>('0' + minutes / 60 % 10);
    s[3] = static_cast<char>('0' + minutes % 60 / 10);
    s[4] = static_cast<char>('0' + minutes % 10);
    return s;
}

// A random page of non-overlapping periods in chronological order: per day
// a morning period within 05:00-12:00, an afternoon one within 12:00-22:00
// and a night one from 22:00 or later to at most 05:00 of the next day.
std::vector<Period> randomPage(std::mt19937& rng, int days) {
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    static const char kMarkers[] = "      !-+VM";
    std::vector<Period> page;
    for (int day = 1; day <= days; ++day) {
        if (pick(0, 2) == 0) continue;
        auto add = [&](int from, int to) {
            page.push_back({day, hhmm(from), hhmm(to), kMarkers[pick(0, 10)]});
        };
        if (pick(0, 1)) {
            const int from = pick(300, 700);
            add(from, pick(from + 1, 720));
        }
        if (pick(0, 1)) {
            const int from = pick(720, 1300);
            add(from, pick(from + 1, 1320));
        }
        if (pick(0, 3) == 0) add(pick(1320, 1439), pick(0, 300));
    }
    return page;
}

struct Page {
    testing_support::RecordingHost host;
    book::Zeitbuch zb{host};
};

// The sheet lines without their line numbers, in any order.
std::vector<std::string> contents(const book::Zeitbuch& zb) {
    std::vector<std::string> lines(zb.zeilen.begin(), zb.zeilen.end() - 1);
    for (std::string& l : lines) l.replace(book::col::kLineNo, 3, "   ");
    std::sort(lines.begin(), lines.end());
    return lines;
}

void configure(book::Zeitbuch& zb, uint32_t bits, int year, int month) {
    zb.proTag = bits & 1;
    zb.ganzeWochen = bits & 2;
    zb.feiertageEin = bits & 4;
    zb.mathRunden = bits & 8;
    zb.pkw = bits & 16;
    showMonth(zb, year, month);
}

TEST(Neuberechnung, SameLinesInAnyOrderGiveTheSamePage) {
    platform::ScriptedMessages boxes;
    std::mt19937 rng(20240531);
    for (int round = 0; round < 150; ++round) {
        const int year = std::uniform_int_distribution<int>(2019, 2027)(rng);
        const int month = std::uniform_int_distribution<int>(1, 12)(rng);
        const uint32_t bits = rng();
        SCOPED_TRACE(::testing::Message() << "round " << round << ", " << month << "/" << year);
        const std::vector<Period> periods = randomPage(rng, platform::daysInMonth(year, month));

        Page inOrder;
        configure(inOrder.zb, bits, year, month);
        for (const Period& p : periods)
            ASSERT_EQ(typeLine(inOrder.zb, p.day, p.von.c_str(), p.bis.c_str(), p.marker), -1);

        Page shuffled;
        configure(shuffled.zb, bits, year, month);
        std::vector<Period> order = periods;
        std::shuffle(order.begin(), order.end(), rng);
        for (const Period& p : order)
            ASSERT_LT(typeLine(shuffled.zb, p.day, p.von.c_str(), p.bis.c_str(), p.marker), 0);
        shuffled.zb.Zuschlaege_neu_berechnen();

        for (book::Zeitbuch* zb : {&inOrder.zb, &shuffled.zb}) zb->Summen_anzeigen(0);
        const book::Zeitbuch& a = inOrder.zb;
        const book::Zeitbuch& b = shuffled.zb;
        ASSERT_EQ(contents(a), contents(b));
        EXPECT_EQ(a.summen, b.summen);
        EXPECT_EQ(a.summenZeilen, b.summenZeilen);
        EXPECT_EQ(a.bereitschaftsListe, b.bereitschaftsListe);
        EXPECT_EQ((std::array<int, 4>{a.wochen, a.wochenenden, a.wochenPkw, a.wochenendenPkw}),
                  (std::array<int, 4>{b.wochen, b.wochenenden, b.wochenPkw, b.wochenendenPkw}));

        // Recomputing a page changes nothing of it.
        const std::vector<std::string> before = b.zeilen;
        const auto totals = b.summen;
        shuffled.zb.Zuschlaege_neu_berechnen();
        EXPECT_EQ(b.zeilen, before);
        EXPECT_EQ(b.summen, totals);
    }
    EXPECT_EQ(boxes.count(), 0u);
}

class ZuschlaegeNeu : public SheetTest {
protected:
    void SetUp() override { showMonth(2024, 3); }
};

TEST_F(ZuschlaegeNeu, OutOfOrderLineIsCountedInTimeOrder) {
    // With the per-day budget the earlier period takes the budget whichever
    // was typed first; the sheet keeps the typed order.
    EXPECT_EQ(type(4, "16:00", "18:00"), -1);
    EXPECT_EQ(type(4, "08:00", "10:00"), -2);
    EXPECT_EQ(zb.zeilen[0].substr(34, 24), "  120      120          ");
    EXPECT_EQ(zb.zeilen[1].substr(34, 24), "  120 120               ");
    EXPECT_EQ(zb.zeilen[0].substr(1, 3), "  1");
    EXPECT_EQ(zb.zeilen[1].substr(1, 3), "  2");
    EXPECT_EQ(zb.summen, (std::array<int32_t, 6>{240, 120, 120, 0, 0, 0}));
}

TEST_F(ZuschlaegeNeu, EqualKeysAreCountedInReverseListOrder) {
    // As a loader leaves them: two lines with the same date and from-time.
    zb.Zeile_einfuegen(0, entryLine(4, 3, "08:00", "09:00"), false);
    zb.Zeile_einfuegen(1, entryLine(4, 3, "08:00", "11:00"), false);
    zb.texte.assign(3, "");
    const int32_t d = platform::dayNumber(2024, 3, 4);
    zb.zeitIndex = {{d, 480, 540, 0, 0}, {d, 480, 660, 1, 0}};
    zb.aktuelleZeile = 2;
    zb.Zuschlaege_neu_berechnen();
    // Line 1 first: 180 minutes, 120 of them normal; line 0 then finds the
    // day's budget used up.
    EXPECT_EQ(zb.zeilen[1].substr(34, 14), "  180 120   60");
    EXPECT_EQ(zb.zeilen[0].substr(34, 14), "   60       60");
}

TEST_F(ZuschlaegeNeu, HandModeKeepsCountsAndStandbyList) {
    EXPECT_EQ(type(4, "08:00", "12:00"), -1);
    zb.handModus = true;
    zb.wochen = 3;
    zb.wochenenden = 2;
    zb.wochenPkw = 1;
    zb.wochenendenPkw = 0;
    book::StandbyList hand{};
    hand[0] = 10;
    hand[1] = 4;
    hand[2] = 3;
    hand[3] = 10;
    hand[4] = 3;
    zb.bereitschaftsListe = hand;
    zb.summen = {1, 2, 3, 4, 5, 6};
    zb.Zuschlaege_neu_berechnen();
    EXPECT_EQ(zb.bereitschaftsListe, hand);
    EXPECT_EQ((std::array<int, 4>{zb.wochen, zb.wochenenden, zb.wochenPkw, zb.wochenendenPkw}),
              (std::array<int, 4>{3, 2, 1, 0}));
    EXPECT_EQ(zb.summen, (std::array<int32_t, 6>{240, 120, 120, 0, 0, 0}));
}

TEST_F(ZuschlaegeNeu, OnlyTheEntryLineGivesZeroTotals) {
    zb.blattAngezeigt = true;
    zb.summen = {10, 20, 30, 40, 50, 60};
    zb.wochen = 2;
    zb.bereitschaftsListe[0] = 9;
    zb.Zuschlaege_neu_berechnen();
    EXPECT_EQ(zb.summen, (std::array<int32_t, 6>{}));
    EXPECT_EQ(zb.wochen, 0);
    EXPECT_EQ(zb.bereitschaftsListe, book::StandbyList{});
    EXPECT_TRUE(zb.blattAngezeigt);
    ASSERT_FALSE(host.calls.empty());
    EXPECT_EQ(host.calls.back(), "repaint whole");
}

TEST_F(ZuschlaegeNeu, ReselectsTheRememberedLine) {
    type(4, "08:00", "12:00");
    type(5, "08:00", "12:00");
    zb.Zeile_auswaehlen(0, false, false);
    zb.Zuschlaege_neu_berechnen();
    EXPECT_EQ(zb.aktuelleZeile, 0);
    EXPECT_EQ(zb.eingabe, zb.zeilen[0]);
}

TEST_F(ZuschlaegeNeu, NothingHappensWhileEditingOrInAShownYearBalance) {
    type(4, "08:00", "12:00");
    const auto totals = zb.summen;
    zb.summen = {};
    zb.zeileInBearbeitung = true;
    zb.Zuschlaege_neu_berechnen();
    EXPECT_EQ(zb.summen, (std::array<int32_t, 6>{}));
    zb.zeileInBearbeitung = false;
    zb.jahresbilanz = true;
    zb.blattAngezeigt = true;
    host.calls.clear();
    zb.Zuschlaege_neu_berechnen();
    EXPECT_TRUE(host.calls.empty());
    zb.jahresbilanz = false;
    zb.Zuschlaege_neu_berechnen();
    EXPECT_EQ(zb.summen, totals);
}

TEST_F(ZuschlaegeNeu, YearBalanceAddsToTheTotalsAndKeepsTheSheetHidden) {
    type(4, "08:00", "12:00");
    zb.jahresbilanz = true;
    zb.blattAngezeigt = false;
    zb.zeilenAnzahl = 1;
    zb.summen = {1000, 0, 0, 0, 0, 0};
    host.calls.clear();
    zb.Zuschlaege_neu_berechnen();
    EXPECT_EQ(zb.summen[0], 1240);
    EXPECT_FALSE(zb.blattAngezeigt);
    EXPECT_FALSE(host.has("repaint whole"));
}

TEST_F(ZuschlaegeNeu, ReplacingAStoredLineRecomputesThePage) {
    type(4, "08:00", "12:00");
    type(5, "08:00", "12:00");
    zb.Zeile_auswaehlen(0, false, false);
    EXPECT_EQ(type(4, "09:00", "10:00"), -2);
    EXPECT_EQ(zb.zeilen.size(), 3u);
    EXPECT_EQ(zb.zeilen[0].substr(22, 11), "09:00 10:00");
    EXPECT_EQ(zb.summen[0], 60 + 240);
    EXPECT_EQ(zb.zeitIndex.size(), 2u);
}

TEST_F(ZuschlaegeNeu, InsertedLineIsCheckedStoredAndNumbered) {
    type(4, "08:00", "12:00");
    type(6, "08:00", "12:00");
    auto insertAbove = [&](int index) {  // as the "insert line" command does it
        zb.einfuegeIndex = index;
        zb.Zeile_einfuegen(index, zb.zeilen.back(), true);
        zb.texte.insert(zb.texte.begin() + index, "");
        zb.Zeile_auswaehlen(index, true, false);
    };
    insertAbove(1);
    // The line below the insert still has its old index: it is checked too.
    EXPECT_EQ(type(6, "11:00", "13:00"), 21);
    EXPECT_NE(boxes.last().text.find(zb.zeilen[2]), std::string::npos);
    EXPECT_EQ(type(5, "08:00", "12:00"), -2);
    ASSERT_EQ(zb.zeilen.size(), 4u);
    EXPECT_EQ(zb.zeilen[1].substr(0, 10), "   2 05.03");
    EXPECT_EQ(zb.zeilen[2].substr(0, 10), "   3 06.03");
    EXPECT_EQ(zb.einfuegeIndex, -1);
    EXPECT_EQ(zb.summen[0], 3 * 240);
}

TEST(ZeileEinfuegen, InsertsAndReportsToTheHost) {
    testing_support::RecordingHost host;
    book::Zeitbuch zb{host};
    zb.Zeile_einfuegen(0, "short", false);
    EXPECT_EQ(zb.zeilen.size(), 2u);
    EXPECT_EQ(zb.zeilen[0].size(), 59u);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"year block on"}));
    host.calls.clear();
    zb.Zeile_einfuegen(5, book::kTemplateLine, true);  // past the end: appended
    EXPECT_EQ(zb.zeilen.size(), 3u);
    EXPECT_EQ(zb.zeilen[2], book::kTemplateLine);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"scroll range"}));

    book::Zeitbuch signedIn{host};
    signedIn.angemeldet = true;
    host.calls.clear();
    signedIn.Zeile_einfuegen(0, book::kTemplateLine, true);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"scroll range"}));
}

}  // namespace
}  // namespace sheet_test
