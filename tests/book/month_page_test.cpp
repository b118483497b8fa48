#include <gtest/gtest.h>

#include "book/holidays.h"
#include "book/zeitbuch.h"
#include "platform/core/date.h"

namespace book {
namespace {

// Meeus/Jones/Butcher: an independent form of the Gregorian computus.
platform::CivilDate easterByMeeus(int y) {
    const int a = y % 19, b = y / 100, c = y % 100, d = b / 4, e = b % 4;
    const int f = (b + 8) / 25, g = (b - f + 1) / 3, h = (19 * a + b - d - g + 15) % 30;
    const int l = (32 + 2 * e + 2 * (c / 4) - h - c % 4) % 7, m = (a + 11 * h + 22 * l) / 451;
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
    platform::CivilDate entry(int i) const {
        return {book.jahr, book.feiertage[i].monat, book.feiertage[i].tag};
    }
};

// Includes 2015, 2018, 2019 and 2035, which a mean-lunation estimate gets wrong.
TEST_F(MonthPage, EasterItsFeastsAndBussUndBettagForEveryYear) {
    for (int year = 1900; year <= 2099; ++year) {
        show(year, 6);
        const platform::CivilDate e = easterByMeeus(year);
        const int32_t easter = platform::dayNumber(year, e.month, e.day);
        EXPECT_EQ(easterSunday(year), easter) << year;
        for (auto [index, offset] :
             {std::pair{2, -2}, {3, 0}, {4, 1}, {6, 39}, {7, 49}, {8, 50}, {9, 60}}) {
            EXPECT_EQ(entry(index), platform::decodeDate(easter + offset)) << year << " " << index;
        }
        // Buß- und Bettag: the Wednesday of 16 to 22 November.
        EXPECT_EQ(platform::isoWeekday(platform::dayNumber(year, 11, book.feiertage[15].tag)), 3);
        EXPECT_EQ(book.feiertage[15].monat * 100 + (book.feiertage[15].tag - 16) / 7, 1100);
    }
}

TEST_F(MonthPage, LengthFirstWeekdayAndToday) {
    const int months[][4] = {{2024, 2, 29, 4}, {2025, 2, 28, 6},  {2000, 2, 29, 2},
                             {1900, 2, 28, 4}, {2025, 12, 31, 1}, {2026, 11, 30, 7}};
    for (auto [year, month, length, firstWeekday] : months) {
        show(year, month);
        EXPECT_EQ(std::pair(book.monatsLaenge, book.ersterWochentag),
                  std::pair(length, firstWeekday))
            << year << "-" << month;
    }
    book.Monat_einstellen(13);  // outside the year: the page stays
    book.Monat_einstellen(-1);
    EXPECT_EQ(book.monat, 11);
    // Month 0 is today's month, the previous one on the 1st.
    const int today[][5] = {{2025, 1, 1, 2024, 12}, {2025, 1, 2, 2025, 1}, {2024, 3, 1, 2024, 2}};
    for (auto [year, month, day, shownYear, shownMonth] : today) {
        platform::ScopedClock clock(platform::encodeDate(year, month, day) + 0.5);
        book.Monat_einstellen(0);
        EXPECT_EQ((std::array{book.jahr, book.monat, book.tag, book.feiertagsJahr}),
                  (std::array{shownYear, shownMonth, day, shownYear}));
    }
}

TEST_F(MonthPage, HolidayBitsForTheDateAndItsNeighbours) {
    show(2024, 1);
    // Month, day, bits: 1 the day, 2 the day before, 4 the day after.
    const int dates[][3] = {{1, 1, 1},   {1, 2, 2},   {1, 5, 4},   {1, 6, 1},  {12, 31, 4},
                            {12, 25, 5}, {12, 26, 3}, {3, 28, 4},  {3, 30, 6}, {3, 31, 5},
                            {4, 1, 3},   {5, 8, 4},   {11, 20, 0}, {2, 30, 0}, {13, 1, 0}};
    for (auto [month, day, bits] : dates)
        EXPECT_EQ(book.Ist_Feiertag(day, month), bits) << day << "." << month;
    book.feiertage[1].ein = false;  // Heilige Drei Könige off
    book.feiertage[0].ein = false;  // Neujahr off
    for (auto [day, month] : {std::pair{5, 1}, {6, 1}, {31, 12}, {1, 1}})
        EXPECT_EQ(book.Ist_Feiertag(day, month), 0) << day << "." << month;
    show(2026, 4);  // the table follows the year
    EXPECT_EQ(book.Ist_Feiertag(3, 4), 1);
}

TEST_F(MonthPage, FixedHolidaysCountAcrossTheYearBoundary) {
    show(2025, 12);
    book.feiertage[17] = {31, 12, true};  // fixed: seen from 1 January as the day before
    EXPECT_EQ(book.Ist_Feiertag(1, 1), 1 | 2);
    EXPECT_EQ(book.Ist_Feiertag(31, 12), 1 | 4);
    book.feiertage[17] = {26, 12, true};
    book.feiertage[15] = {31, 12, true};  // movable: a date of the shown year only
    EXPECT_EQ(book.Ist_Feiertag(1, 1), 1);
}

}  // namespace
}  // namespace book
