#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <vector>

#include "platform/core/codepage.h"
#include "platform/core/date.h"
#include "tests/book/sheet/sheet_fixture.h"

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

// March 2024 shown: Monday the 4th, Karfreitag on the 29th.
class Line : public SheetTest {
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
    // Checks and stores a line as a new line of the page, as the sheet does.
    std::string store(int day, int month, const char* von = "08:00", const char* bis = "09:00",
                      char marker = ' ') {
        EXPECT_LT(check(entryLine(day, month, von, bis, marker), false), 0);
        std::string line = zb.Zeile_auswerten(true, false);
        ++zb.aktuelleZeile;
        return line;
    }
    std::array<int, 5> record(int i) const {
        const uint8_t* e = &zb.bereitschaftsListe[5 * i];
        return {e[0], e[1], e[2], e[3], e[4]};
    }
    std::array<int, 4> counts() const {
        return {zb.wochen, zb.wochenenden, zb.wochenPkw, zb.wochenendenPkw};
    }
};

TEST_F(Line, RefusedFieldsReportColumnStatusAndBeep) {
    const std::pair<int, const char*> cases[] = {{5, "00"},  {5, "A1"}, {5, "1A"},  {8, "13"},
                                                 {8, "00"},  {8, "1_"}, {22, "24"}, {25, "60"},
                                                 {28, "__"}, {31, ":0"}};
    for (auto [column, two] : cases) {
        std::string line = entryLine(5, 3, "08:00", "12:00");
        host.calls.clear();
        EXPECT_EQ(check(line.replace(column, 2, two)), column) << line;
        EXPECT_EQ(host.calls, (std::vector<std::string>{"beep", "status 3"})) << line;
    }
    EXPECT_EQ(boxes.count(), 0u);  // a non-digit tens character is no month-length case
}

TEST_F(Line, DayIsCheckedAgainstTheLengthOfTheLinesOwnMonth) {
    for (auto [year, month, day, text] :
         {std::tuple{2024, 3, 32, "M\xE4rz hat nur eine L\xE4nge von 31"},
          {2024, 4, 31, "April hat nur eine L\xE4nge von 30"}}) {
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
}

TEST_F(Line, OverlapCases) {
    // Stored day, from, to (minutes); new day, from, to; conflict. A period ending at
    // midnight leaves an empty span on the next day, which never conflicts.
    const std::tuple<int, int, int, int, const char*, const char*, bool> cases[] = {
        {5, 1320, 360, 6, "05:00", "07:00", true}, {6, 300, 420, 5, "22:00", "06:00", true},
        {5, 1320, 360, 5, "23:00", "23:30", true}, {5, 1320, 360, 6, "06:00", "07:00", false},
        {5, 480, 720, 5, "12:00", "16:00", false}, {5, 720, 960, 5, "08:00", "12:00", false},
        {5, 480, 720, 5, "09:00", "10:00", true},  {5, 540, 600, 5, "08:00", "12:00", true},
        {5, 480, 480, 6, "07:00", "07:30", true},  {5, 480, 480, 6, "08:00", "09:00", false},
        {9, 1320, 0, 10, "00:00", "02:00", false}, {10, 0, 120, 9, "22:00", "00:00", false}};
    for (auto [storedDay, storedVon, storedBis, day, von, bis, conflict] : cases) {
        zb.zeitIndex.clear();
        node(0, storedDay, storedVon, storedBis);
        zb.zeilen.assign({"stored line", book::kEntryLine});
        zb.aktuelleZeile = 1;
        zb.chronoDatum = 0;
        EXPECT_EQ(check(entryLine(day, 3, von, bis)), conflict ? 21 : -1)
            << storedDay << " " << storedVon << "-" << storedBis << " / " << day << " " << von;
    }
}

TEST_F(Line, ConflictMessageNamesTheLineAndAnEditedLineSkipsItsOwnPeriod) {
    zb.zeilen.assign({"line zero", "line one", book::kEntryLine});
    node(0, 4, 480, 720);
    node(1, 5, 480, 720);
    zb.aktuelleZeile = 2;
    EXPECT_EQ(check(entryLine(5, 3, "11:00", "13:00")), 21);
    ASSERT_EQ(boxes.count(), 1u);
    EXPECT_EQ(boxes.last().caption, "Fehler");
    EXPECT_EQ(boxes.last().text, platform::cp1252("Die Zeit der aktuellen Eingabe überschneidet "
                                                  "sich mit der Zeile\n'line one'"));
    zb.aktuelleZeile = 1;
    EXPECT_EQ(check(entryLine(5, 3, "09:00", "13:00")), -1);
}

TEST_F(Line, ChronologyPairAndItsResetWithThePage) {
    // Day, from, to; the check's result and the pair (date, to-time) after it.
    const std::tuple<int, const char*, const char*, int, int, int> steps[] = {
        {5, "08:00", "12:00", -1, 5, 720},
        {5, "12:30", "14:00", -1, 5, 840},
        {4, "18:00", "19:00", -2, 5, 840},
        {6, "22:00", "01:00", -1, 6, 60},
        {6, "00:30", "00:45", -2, 6, 60}};
    for (auto [day, von, bis, result, pairDay, pairBis] : steps) {
        EXPECT_EQ(check(entryLine(day, 3, von, bis), false), result) << day << " " << von;
        EXPECT_EQ(std::pair(zb.chronoDatum, zb.chronoBis),
                  std::pair(platform::dayNumber(2024, 3, pairDay), pairBis));
    }
    zb.seiteLeeren();
    EXPECT_EQ(check(entryLine(1, 3, "08:00", "12:00"), false), -1);
}

TEST_F(Line, BuildsTheSheetLineAndAddsItToTheTotals) {
    const std::tuple<int, const char*, const char*, char, const char*> cases[] = {
        {4, "08:00", "12:00", ' ', "   1 04.03 Montag     08:00 12:00   240 120  120           "},
        {4, "08:00", "10:00", '-', "-  1 04.03 Montag     08:00 10:00  -120                    "},
        {5, "22:00", "02:00", ' ', "   1 05.03 Dienstag   22:00 02:00   240 120  120  240      "},
        {10, "09:00", "10:00", '!', "!  1 10.03 Sonntag    09:00 10:00    60       60           "},
        {29, "10:00", "14:00", ' ', "   1 29.03 Freitag    10:00 14:00   240                240 "}};
    zb.blattAngezeigt = true;
    for (auto [day, von, bis, marker, expected] : cases) {
        zb.aktuelleZeile = 0;
        EXPECT_EQ(store(day, 3, von, bis, marker), expected);
    }
    EXPECT_EQ(zb.summen, (std::array<int32_t, 6>{660, 240, 300, 240, 240, 0}));
    EXPECT_EQ(zb.summenZeilen[0].substr(36), "   11,0");  // shown at once
}

TEST_F(Line, StandbyWeeksAndWeekendsOfAPage) {
    for (char marker : {'!', '-', '+', 'V', 'M'}) store(4, 3, "08:00", "09:00", marker);
    EXPECT_EQ(counts(), (std::array{0, 0, 0, 0}));  // these kinds open nothing
    // Weekend 1-3 March: ISO week 9 from its Monday, not 10 of its Friday.
    for (int day : {2, 4, 5, 10, 15, 17, 21, 25}) store(day, 3);
    EXPECT_EQ(counts(), (std::array{3, 2, 3, 2}));
    EXPECT_EQ(record(0), (std::array{9, 1, 3, 3, 3}));
    for (int day : {1, 8, 15, 22, 29}) store(day, 4);  // April lines: nine listed at most
    EXPECT_EQ(counts(), (std::array{8, 2, 8, 2}));
    EXPECT_EQ(zb.bereitschaftsAnzahl(), 9);
    EXPECT_EQ(record(8), (std::array{17, 22, 4, 28, 4}));
    zb.handModus = true;  // hand mode: nothing detected
    store(13, 5);
    EXPECT_EQ(counts(), (std::array{8, 2, 8, 2}));
}

TEST_F(Line, StandbyWeekNumbersAndYearFlags) {
    const std::tuple<int, int, int, bool, std::array<int, 5>> cases[] = {
        {2024, 12, 28, false, {52, 27, 12, 29, 12}},   {2026, 1, 1, false, {0x81, 29, 12, 4, 1}},
        {2025, 12, 31, false, {0x41, 29, 12, 4, 1}},   {2027, 1, 2, false, {53, 1, 1, 3, 1}},
        {2027, 1, 2, true, {0x80 | 53, 28, 12, 3, 1}}, {2024, 3, 2, true, {9, 26, 2, 3, 3}}};
    for (auto [year, month, day, wholeWeeks, expected] : cases) {
        zb.seiteLeeren();
        zb.ganzeWochen = wholeWeeks;
        showMonth(year, month);
        store(day, month);
        EXPECT_EQ(record(0), expected) << day << "." << month << "." << year;
    }
}

TEST_F(Line, TimeProposalRoundsUpToTenMinutesOnlyOnce) {
    zb.tag = zb.heuteTag = 14;
    zb.heuteJahr = 2024;
    zb.heuteMonat = 3;
    zb.zeitvorschlag = true;
    auto proposal = [&](int hour, int minute) {
        zb.heuteStunde = hour;
        zb.heuteMinute = minute;
        zb.Zeile_auswaehlen(0, true, false);
        return zb.eingabe.substr(book::col::kToHour, 5);
    };
    for (auto [h, m, want] : {std::tuple{14, 3, "14:10"}, {14, 50, "14:50"}, {23, 57, "00:00"}}) {
        zb.vorschlagGemacht = false;
        EXPECT_EQ(proposal(h, m), want);
    }
    EXPECT_EQ(proposal(14, 25), "__:__");  // made already
}

TEST_F(Line, EqualKeysCountInReverseListOrder) {
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
}

TEST_F(Line, HandModeKeepsCountsAndListAndTheTemplateAloneGivesZero) {
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
    zb.Zuschlaege_neu_berechnen();
    EXPECT_EQ(zb.summen, (std::array<int32_t, 6>{}));
    EXPECT_TRUE(host.has("repaint whole"));
}

TEST_F(Line, ReplacedAndInsertedLinesAreCheckedStoredAndNumbered) {
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
}

}  // namespace
}  // namespace sheet_test
