#include <gtest/gtest.h>

#include <array>

#include "tests/book/sheet_fixture.h"

namespace sheet_test {
namespace {

using Record = std::array<int, 5>;

class Bereitschaft : public SheetTest {
protected:
    // Checks and stores a line of `month` as a new line of the page.
    void store(int day, int month, char marker = ' ') {
        zb.eingabe = entryLine(day, month, "08:00", "09:00", marker);
        ASSERT_LT(zb.Zeile_pruefen(false), 0);
        zb.Zeile_auswerten(true, false);
        ++zb.aktuelleZeile;
    }
    Record record(int i) const {
        const uint8_t* e = &zb.bereitschaftsListe[5 * i];
        return {e[0], e[1], e[2], e[3], e[4]};
    }
    std::array<int, 4> counts() const {
        return {zb.wochen, zb.wochenenden, zb.wochenPkw, zb.wochenendenPkw};
    }
};

TEST_F(Bereitschaft, WeekendThenWeek) {
    showMonth(2024, 3);
    store(2, 3);  // Saturday: the weekend 1-3 March, ISO week 9 (not 10 of its Friday)
    EXPECT_EQ(counts(), (std::array<int, 4>{0, 1, 0, 1}));
    EXPECT_EQ(record(0), (Record{9, 1, 3, 3, 3}));
    store(4, 3);  // Monday: the week 4-10 March
    EXPECT_EQ(counts(), (std::array<int, 4>{1, 1, 1, 1}));
    EXPECT_EQ(record(1), (Record{10, 4, 3, 10, 3}));
    store(5, 3);   // inside the running week
    store(10, 3);  // its Sunday
    EXPECT_EQ(counts(), (std::array<int, 4>{1, 1, 1, 1}));
    store(15, 3);  // Friday of the next week: a weekend
    EXPECT_EQ(record(2), (Record{11, 15, 3, 17, 3}));
    store(17, 3);
    store(21, 3);  // Thursday after it: a week
    EXPECT_EQ(record(3), (Record{12, 18, 3, 24, 3}));
    EXPECT_EQ(counts(), (std::array<int, 4>{2, 2, 2, 2}));
    EXPECT_EQ(zb.bereitschaftsAnzahl(), 4);
}

TEST_F(Bereitschaft, WholeWeeksMakeEveryDayOpenAWeek) {
    showMonth(2024, 3);
    zb.ganzeWochen = true;
    store(2, 3);
    EXPECT_EQ(counts(), (std::array<int, 4>{1, 0, 1, 0}));
    EXPECT_EQ(record(0), (Record{9, 26, 2, 3, 3}));
}

TEST_F(Bereitschaft, WeekNumbersAndYearFlags) {
    struct Case {
        int year, month, day;
        bool wholeWeeks;
        Record expected;
    };
    const Case cases[] = {
        {2024, 12, 28, false, {52, 27, 12, 29, 12}},        // weekend at the year's end
        {2026, 1, 1, false, {0x80 | 1, 29, 12, 4, 1}},      // week from the previous year
        {2025, 12, 31, false, {0x40 | 1, 29, 12, 4, 1}},    // week into the next year
        {2027, 1, 2, false, {53, 1, 1, 3, 1}},              // weekend of week 53 of 2026
        {2027, 1, 2, true, {0x80 | 53, 28, 12, 3, 1}},
        {2021, 1, 3, false, {53, 1, 1, 3, 1}},
        {2024, 1, 1, false, {1, 1, 1, 7, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.day << "." << c.month << "." << c.year);
        zb.seiteLeeren();
        zb.ganzeWochen = c.wholeWeeks;
        showMonth(c.year, c.month);
        store(c.day, c.month);
        EXPECT_EQ(record(0), c.expected);
    }
}

TEST_F(Bereitschaft, TenthPeriodIsCountedButNotListed) {
    showMonth(2024, 3);
    // A page that also holds April lines: weekend 1 March, the weeks of
    // 4, 11, 18, 25 March and 1, 8, 15, 22, 29 April.
    store(1, 3);
    for (int day : {4, 11, 18, 25}) store(day, 3);
    for (int day : {1, 8, 15, 22}) store(day, 4);
    EXPECT_EQ(zb.bereitschaftsAnzahl(), 9);
    const book::StandbyList before = zb.bereitschaftsListe;
    store(29, 4);
    EXPECT_EQ(counts(), (std::array<int, 4>{9, 1, 9, 1}));
    EXPECT_EQ(zb.bereitschaftsListe, before);
    EXPECT_EQ(record(8), (Record{17, 22, 4, 28, 4}));
}

TEST_F(Bereitschaft, OnlyOrdinaryLinesOutsideHandModeOpenPeriods) {
    showMonth(2024, 3);
    for (char marker : {'!', '-', '+', 'V', 'M'}) store(4, 3, marker);
    EXPECT_EQ(counts(), (std::array<int, 4>{0, 0, 0, 0}));
    zb.handModus = true;
    store(5, 3);
    EXPECT_EQ(counts(), (std::array<int, 4>{0, 0, 0, 0}));
    EXPECT_EQ(zb.bereitschaftsAnzahl(), 0);
}

TEST_F(Bereitschaft, YearBalanceCountsWithoutListing) {
    showMonth(2024, 3);
    zb.jahresbilanz = true;
    store(4, 3);
    store(15, 3);
    EXPECT_EQ(counts(), (std::array<int, 4>{1, 1, 1, 1}));
    EXPECT_EQ(zb.bereitschaftsAnzahl(), 0);
}

TEST_F(Bereitschaft, CountOfListedPeriodsStopsAtTheFirstEmptyWeek) {
    zb.bereitschaftsListe.fill(0);
    EXPECT_EQ(zb.bereitschaftsAnzahl(), 0);
    zb.bereitschaftsListe[0] = 0x80 | 1;
    zb.bereitschaftsListe[5] = 0x40;  // flags only: no week number
    zb.bereitschaftsListe[10] = 12;
    EXPECT_EQ(zb.bereitschaftsAnzahl(), 1);
    for (int i = 0; i < 9; ++i) zb.bereitschaftsListe[5 * i] = static_cast<uint8_t>(i + 1);
    EXPECT_EQ(zb.bereitschaftsAnzahl(), 9);
}

}  // namespace
}  // namespace sheet_test
