#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "platform/core/date.h"
#include "tests/book/sheet_fixture.h"

namespace sheet_test {
namespace {

using Period = std::tuple<int, std::string, std::string, char>;

std::string hhmm(int minutes) {
    std::string s = "00:00";
    putNumber(s, 0, 2, minutes / 60, true);
    putNumber(s, 3, 2, minutes % 60, true);
    return s;
}

// A random page of non-overlapping periods in chronological order: per day
// maybe a morning (05:00-12:00), an afternoon (12:00-22:00) and a night period
// from 22:00 or later to at most 05:00 of the next day.
std::vector<Period> randomPage(std::mt19937& rng, int days) {
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    std::vector<Period> page;
    for (int day = 1; day <= days; ++day) {
        auto add = [&](int from, int to) {
            page.push_back({day, hhmm(from), hhmm(to), "      !-+VM"[pick(0, 10)]});
        };
        if (pick(0, 2) == 0) continue;
        if (int from = pick(300, 700); pick(0, 1)) add(from, pick(from + 1, 720));
        if (int from = pick(720, 1300); pick(0, 1)) add(from, pick(from + 1, 1320));
        if (pick(0, 3) == 0) add(pick(1320, 1439), pick(0, 300));
    }
    return page;
}

// Everything a page shows, line numbers aside, in a comparable form.
std::vector<std::string> contents(const book::Zeitbuch& zb) {
    std::vector<std::string> lines(zb.zeilen.begin(), zb.zeilen.end() - 1);
    for (std::string& l : lines) l.replace(book::col::kLineNo, 3, "   ");
    std::sort(lines.begin(), lines.end());
    lines.insert(lines.end(), zb.summenZeilen.begin(), zb.summenZeilen.end());
    lines.emplace_back(zb.bereitschaftsListe.begin(), zb.bereitschaftsListe.end());
    for (int n : {zb.wochen, zb.wochenenden, zb.wochenPkw, zb.wochenendenPkw})
        lines.push_back(std::to_string(n));
    return lines;
}

TEST(Neuberechnung, SameLinesInAnyOrderGiveTheSamePage) {
    platform::ScriptedMessages boxes;
    std::mt19937 rng(20240531);
    for (int round = 0; round < 150; ++round) {
        const int year = std::uniform_int_distribution<int>(2019, 2027)(rng);
        const int month = std::uniform_int_distribution<int>(1, 12)(rng);
        const uint32_t bits = rng();
        SCOPED_TRACE(::testing::Message() << "round " << round << ", " << month << "/" << year);
        std::vector<Period> order = randomPage(rng, platform::daysInMonth(year, month));
        std::vector<std::string> pages[2];
        for (int shuffled = 0; shuffled < 2; ++shuffled) {
            testing_support::RecordingHost host;
            book::Zeitbuch zb{host};
            zb.proTag = bits & 1;
            zb.ganzeWochen = bits & 2;
            zb.feiertageEin = bits & 4;
            zb.mathRunden = bits & 8;
            zb.pkw = bits & 16;
            showMonth(zb, year, month);
            if (shuffled) std::shuffle(order.begin(), order.end(), rng);
            for (const auto& [day, von, bis, marker] : order) {
                const int r = typeLine(zb, day, von.c_str(), bis.c_str(), marker);
                ASSERT_TRUE(r == -1 || (shuffled && r == -2)) << r;
            }
            zb.Zuschlaege_neu_berechnen();  // a second time changes nothing
            zb.Summen_anzeigen(0);
            pages[shuffled] = contents(zb);
        }
        ASSERT_EQ(pages[0], pages[1]);
    }
    EXPECT_EQ(boxes.count(), 0u);
}

class ZuschlaegeNeu : public SheetTest {
protected:
    void SetUp() override { showMonth(2024, 3); }
};

TEST_F(ZuschlaegeNeu, EqualKeysCountInReverseListOrderAndEditingWaits) {
    EXPECT_EQ(type(4, "16:00", "18:00"), -1);
    EXPECT_EQ(type(4, "08:00", "10:00"), -2);
    // Equal keys, as a loader can leave them, count in reverse list order.
    zb.zeilen[0] = entryLine(4, 3, "08:00", "09:00");
    zb.zeitIndex[0] = {platform::dayNumber(2024, 3, 4), 480, 540, 0, 0};
    zb.zeitIndex[1].bis = 660;
    zb.zeilen[1] = entryLine(4, 3, "08:00", "11:00");
    zb.Zuschlaege_neu_berechnen();
    EXPECT_EQ(zb.zeilen[1].substr(34, 14), "  180 120   60");
    EXPECT_EQ(zb.zeilen[0].substr(34, 14), "   60       60");
    zb.summen = {};  // nothing while a line is edited
    zb.zeileInBearbeitung = true;
    zb.Zuschlaege_neu_berechnen();
    EXPECT_EQ(zb.summen[0], 0);
}

TEST_F(ZuschlaegeNeu, HandModeKeepsCountsAndListAndTheTemplateAloneGivesZero) {
    EXPECT_EQ(type(4, "08:00", "12:00"), -1);
    zb.handModus = true;
    zb.wochen = 3;
    const book::StandbyList hand{10, 4, 3, 10, 3};
    zb.bereitschaftsListe = hand;
    zb.summen = {1, 2, 3, 4, 5, 6};
    zb.Zuschlaege_neu_berechnen();
    EXPECT_TRUE(zb.bereitschaftsListe == hand && zb.wochen == 3);
    EXPECT_EQ(zb.summen, (std::array<int32_t, 6>{240, 120, 120, 0, 0, 0}));
    SheetTest::showMonth(2024, 4);  // only the entry line: everything 0, repainted
    zb.handModus = false;
    zb.seiteLeeren();
    zb.blattAngezeigt = true;
    zb.summen = {10, 20, 30, 40, 50, 60};
    zb.bereitschaftsListe = hand;
    zb.Zuschlaege_neu_berechnen();
    EXPECT_EQ(zb.summen, (std::array<int32_t, 6>{}));
    EXPECT_EQ(zb.bereitschaftsListe, book::StandbyList{});
    EXPECT_TRUE(host.has("repaint whole"));
}

TEST_F(ZuschlaegeNeu, ReplacedAndInsertedLinesAreCheckedStoredAndNumbered) {
    type(4, "08:00", "12:00");
    type(6, "08:00", "12:00");
    zb.Zeile_auswaehlen(0, false, false);
    EXPECT_EQ(type(4, "09:00", "10:00"), -2);  // replaces line 0
    EXPECT_EQ(zb.summen[0], 60 + 240);
    zb.einfuegeIndex = 1;  // as the "insert line" command does it
    zb.Zeile_einfuegen(1, zb.zeilen.back(), true);
    zb.texte.insert(zb.texte.begin() + 1, "");
    zb.Zeile_auswaehlen(1, true, false);
    // The line below the insert still has its old index: it is checked too.
    EXPECT_EQ(type(6, "11:00", "13:00"), 21);
    EXPECT_EQ(type(5, "08:00", "12:00"), -2);
    EXPECT_EQ(zb.zeilen[2].substr(0, 10), "   3 06.03");
    EXPECT_EQ(zb.summen[0], 60 + 2 * 240);
    zb.Zeile_einfuegen(9, "short", false);  // past the end: appended, padded
    EXPECT_EQ(zb.zeilen.back(), "short" + std::string(54, ' '));
}

}  // namespace
}  // namespace sheet_test
