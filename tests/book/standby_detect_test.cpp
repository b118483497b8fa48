#include <gtest/gtest.h>

#include <array>

#include "tests/book/sheet_fixture.h"

namespace sheet_test {
namespace {

using Record = std::array<int, 5>;
using Counts = std::array<int, 4>;  // weeks, weekends, with the car

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
    Counts counts() const { return {zb.wochen, zb.wochenenden, zb.wochenPkw, zb.wochenendenPkw}; }
};

TEST_F(Bereitschaft, WeeksAndWeekendsOfAPage) {
    showMonth(2024, 3);
    for (char marker : {'!', '-', '+', 'V', 'M'}) store(4, 3, marker);  // open nothing
    EXPECT_EQ(counts(), (Counts{0, 0, 0, 0}));
    // Weekend 1-3 March: ISO week 9 from its Monday, not 10 of its Friday.
    for (int day : {2, 4, 5, 10, 15, 17, 21, 25}) store(day, 3);
    EXPECT_EQ(counts(), (Counts{3, 2, 3, 2}));
    const Record expected[4] = {{9, 1, 3, 3, 3}, {10, 4, 3, 10, 3}, {11, 15, 3, 17, 3}, {12, 18, 3, 24, 3}};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(record(i), expected[i]) << i;
    EXPECT_EQ(zb.bereitschaftsAnzahl(), 5);
    for (int day : {1, 8, 15, 22, 29}) store(day, 4);  // April lines: nine listed at most
    EXPECT_EQ(counts(), (Counts{8, 2, 8, 2}));
    EXPECT_EQ(zb.bereitschaftsAnzahl(), 9);
    EXPECT_EQ(record(8), (Record{17, 22, 4, 28, 4}));
    zb.handModus = true;  // hand mode: nothing detected
    store(13, 5);
    zb.handModus = false;
    zb.jahresbilanz = true;  // the balance counts without listing
    store(20, 5);
    EXPECT_EQ(counts(), (Counts{9, 2, 9, 2}));
    EXPECT_EQ(zb.bereitschaftsAnzahl(), 9);
}

TEST_F(Bereitschaft, WeekNumbersAndYearFlags) {
    const std::tuple<int, int, int, bool, Record> cases[] = {
        {2024, 12, 28, false, {52, 27, 12, 29, 12}},      {2026, 1, 1, false, {0x81, 29, 12, 4, 1}},
        {2025, 12, 31, false, {0x41, 29, 12, 4, 1}},      {2027, 1, 2, false, {53, 1, 1, 3, 1}},
        {2027, 1, 2, true, {0x80 | 53, 28, 12, 3, 1}},    {2021, 1, 3, false, {53, 1, 1, 3, 1}},
        {2024, 1, 1, false, {1, 1, 1, 7, 1}},             {2024, 3, 2, true, {9, 26, 2, 3, 3}},
    };
    for (auto [year, month, day, wholeWeeks, expected] : cases) {
        zb.seiteLeeren();
        zb.ganzeWochen = wholeWeeks;
        showMonth(year, month);
        store(day, month);
        EXPECT_EQ(record(0), expected) << day << "." << month << "." << year;
    }
}

}  // namespace
}  // namespace sheet_test
