#include <gtest/gtest.h>

#include "book/holidays.h"
#include "book/zeitbuch.h"
#include "platform/core/date.h"

namespace book {
namespace {

// Meeus/Jones/Butcher: an independent form of the Gregorian computus.
platform::CivilDate easterByMeeus(int y) {
    const int a = y % 19, b = y / 100, c = y % 100, d = b / 4, e = b % 4;
    const int f = (b + 8) / 25, g = (b - f + 1) / 3;
    const int h = (19 * a + b - d - g + 15) % 30;
    const int i = c / 4, k = c % 4;
    const int l = (32 + 2 * e + 2 * i - h - k) % 7;
    const int m = (a + 11 * h + 22 * l) / 451;
    const int s = h + l - 7 * m + 114;
    return {y, s / 31, s % 31 + 1};
}

class MonthPage : public ::testing::Test {
protected:
    NullHost host;
    Zeitbuch book{host};

    void show(int year, int month) {
        book.jahr = year;
        book.Monat_einstellen(month);
    }
    platform::CivilDate entry(int index) const {
        return {book.jahr, book.feiertage[index].monat, book.feiertage[index].tag};
    }
};

TEST_F(MonthPage, EasterAgreesWithAnIndependentComputus) {
    for (int year = 1900; year <= 2099; ++year) {
        show(year, 6);
        EXPECT_EQ(entry(3), easterByMeeus(year)) << year;
    }
}

TEST_F(MonthPage, EasterAndItsFeasts) {
    struct Case {
        int year, month, day;
    };
    // 2015, 2018, 2019 and 2035 are the years a mean-lunation estimate gets wrong.
    for (const Case& c :
         {Case{2013, 3, 31}, Case{2024, 3, 31}, Case{2014, 4, 20}, Case{2025, 4, 20},
          Case{2026, 4, 5}, Case{2015, 4, 5}, Case{2018, 4, 1}, Case{2019, 4, 21},
          Case{2035, 3, 25}, Case{2008, 3, 23}, Case{2038, 4, 25}, Case{1943, 4, 25},
          Case{1954, 4, 18}, Case{1981, 4, 19}}) {
        show(c.year, 1);
        const int32_t easter = platform::dayNumber(c.year, c.month, c.day);
        EXPECT_EQ(easterSunday(c.year), easter) << c.year;
        struct Feast {
            int index, offset;
        };
        for (const Feast& f : {Feast{2, -2}, Feast{3, 0}, Feast{4, 1}, Feast{6, 39}, Feast{7, 49},
                               Feast{8, 50}, Feast{9, 60}}) {
            EXPECT_EQ(entry(f.index), platform::decodeDate(easter + f.offset))
                << c.year << " entry " << f.index;
        }
    }
}

TEST_F(MonthPage, BussUndBettag) {
    struct Case {
        int year, day;
    };
    for (const Case& c : {Case{2013, 20}, Case{2024, 20}, Case{2025, 19}, Case{2026, 18},
                          Case{2017, 22}, Case{2022, 16}}) {
        show(c.year, 11);
        EXPECT_EQ(entry(15), (platform::CivilDate{c.year, 11, c.day})) << c.year;
        EXPECT_EQ(platform::isoWeekday(platform::encodeDate(c.year, 11, c.day)), 3);
    }
}

TEST_F(MonthPage, MovableFeastsFollowTheYearAndKeepTheirFlags) {
    book.feiertage[9].ein = true;  // Fronleichnam, off by default
    show(2025, 4);
    EXPECT_EQ(book.feiertagsJahr, 2025);
    show(2026, 4);
    EXPECT_EQ(book.feiertagsJahr, 2026);
    EXPECT_EQ(entry(3), (platform::CivilDate{2026, 4, 5}));
    EXPECT_TRUE(book.feiertage[9].ein);
    EXPECT_FALSE(book.feiertage[15].ein);
    EXPECT_EQ(book.feiertage[0], (Feiertag{1, 1, true}));
}

TEST_F(MonthPage, LengthAndFirstWeekday) {
    struct Case {
        int year, month, length, firstWeekday;
    };
    for (const Case& c :
         {Case{2024, 2, 29, 4}, Case{2025, 2, 28, 6}, Case{2000, 2, 29, 2}, Case{1900, 2, 28, 4},
          Case{2025, 12, 31, 1}, Case{2026, 11, 30, 7}, Case{2024, 9, 30, 7}}) {
        show(c.year, c.month);
        EXPECT_EQ(book.monat, c.month);
        EXPECT_EQ(book.monatsLaenge, c.length) << c.year << "-" << c.month;
        EXPECT_EQ(book.ersterWochentag, c.firstWeekday) << c.year << "-" << c.month;
    }
}

TEST_F(MonthPage, TodayMeansThePreviousMonthOnTheFirst) {
    struct Case {
        int year, month, day;
        int shownYear, shownMonth;
    };
    for (const Case& c :
         {Case{2025, 1, 1, 2024, 12}, Case{2025, 1, 2, 2025, 1}, Case{2025, 1, 31, 2025, 1},
          Case{2024, 3, 1, 2024, 2}, Case{2026, 12, 1, 2026, 11}}) {
        platform::ScopedClock clock(platform::encodeDate(c.year, c.month, c.day) + 0.5);
        book.jahr = 1999;
        book.Monat_einstellen(0);
        EXPECT_EQ(book.jahr, c.shownYear);
        EXPECT_EQ(book.monat, c.shownMonth);
        EXPECT_EQ(book.tag, c.day);
        EXPECT_EQ(book.feiertagsJahr, c.shownYear);
    }
}

TEST_F(MonthPage, AMonthOutsideTheYearLeavesThePage) {
    show(2025, 5);
    book.Monat_einstellen(13);
    book.Monat_einstellen(-1);
    EXPECT_EQ(book.monat, 5);
    EXPECT_EQ(book.monatsLaenge, 31);
}

TEST_F(MonthPage, HolidayBitsForTheDateAndItsNeighbours) {
    show(2024, 1);
    struct Case {
        int month, day, bits;
    };
    const Case cases[] = {
        {1, 1, 1},  // Neujahr; 31.12.2023 is no holiday
        {1, 2, 2},     {1, 5, 4},       {1, 6, 1},
        {1, 7, 2},     {12, 31, 4},  // Neujahr of the next year
        {12, 24, 4},   {12, 25, 1 | 4}, {12, 26, 1 | 2},
        {12, 27, 2},   {3, 28, 4},  // Karfreitag 29 March 2024
        {3, 29, 1},    {3, 30, 2 | 4},  {3, 31, 1 | 4},
        {4, 1, 1 | 2},  // Ostermontag, Ostersonntag the day before across the month
        {4, 30, 4},    {5, 2, 2},       {5, 8, 4},  // Christi Himmelfahrt 9 May
        {11, 20, 0},                                // Buß- und Bettag is off by default
        {6, 15, 0},    {2, 30, 0},      {0, 1, 0},
        {13, 1, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(book.Ist_Feiertag(c.day, c.month), c.bits) << c.day << "." << c.month;
    }
}

TEST_F(MonthPage, DisabledHolidaysCountForNothing) {
    show(2025, 1);
    book.feiertage[1].ein = false;  // Heilige Drei Könige
    EXPECT_EQ(book.Ist_Feiertag(6, 1), 0);
    EXPECT_EQ(book.Ist_Feiertag(5, 1), 0);
    EXPECT_EQ(book.Ist_Feiertag(7, 1), 0);
    book.feiertage[0].ein = false;  // Neujahr
    EXPECT_EQ(book.Ist_Feiertag(31, 12), 0);
    EXPECT_EQ(book.Ist_Feiertag(1, 1), 0);
}

TEST_F(MonthPage, HolidayBitsFollowChangesOfTableYearAndMonth) {
    show(2025, 4);
    EXPECT_EQ(book.Ist_Feiertag(18, 4), 1);  // Karfreitag 2025
    book.feiertage[2].ein = false;
    EXPECT_EQ(book.Ist_Feiertag(18, 4), 0);
    book.feiertage[2].ein = true;
    show(2026, 4);
    EXPECT_EQ(book.Ist_Feiertag(18, 4), 0);
    EXPECT_EQ(book.Ist_Feiertag(3, 4), 1);  // Karfreitag 2026
    EXPECT_EQ(book.Ist_Feiertag(1, 5), 1);
    book.feiertage[5].tag = 2;  // a table read from elsewhere
    EXPECT_EQ(book.Ist_Feiertag(1, 5), 4);
}

TEST_F(MonthPage, FixedHolidaysCountAcrossTheYearBoundary) {
    show(2025, 12);
    // A fixed entry on 31 December shows on 1 January as the day before.
    book.feiertage[17] = {31, 12, true};
    EXPECT_EQ(book.Ist_Feiertag(1, 1), 1 | 2);
    EXPECT_EQ(book.Ist_Feiertag(31, 12), 1 | 4);
    // A movable entry is a date of the shown year only.
    book.feiertage[17] = {26, 12, true};
    book.feiertage[15] = {31, 12, true};
    EXPECT_EQ(book.Ist_Feiertag(1, 1), 1);
    EXPECT_EQ(book.Ist_Feiertag(31, 12), 1 | 4);
}

}  // namespace
}  // namespace book
