#include <gtest/gtest.h>

#include <string>

#include "book/number_text.h"
#include "book/standby_lines.h"
#include "book/zeitbuch.h"
#include "tests/support/recording_host.h"

namespace book {
namespace {

class Totals : public ::testing::Test {
protected:
    testing_support::RecordingHost host;
    Zeitbuch book{host};

    // The last 7 characters of totals line 0 after showing `minutes` there.
    std::string figure(int minutes, int unit, int decimals, bool halfUp) {
        book.summen = {minutes, 0, 0, 0, 0, 0};
        book.grundlagen.rundung = static_cast<uint8_t>(unit);
        book.grundlagen.kommastellen = static_cast<uint8_t>(decimals);
        book.mathRunden = halfUp;
        book.Summen_anzeigen(0);
        return book.summenZeilen[0].substr(book.summenZeilen[0].size() - 7);
    }
    std::string standby(int line) { return book.summenZeilen[line].substr(37); }
};

TEST_F(Totals, LinesAsCreatedWithTheDefaultSettings) {
    // Windows-1252 in octal so no letter extends an escape: \374 ü, \334 Ü, \200 €.
    const std::array<std::string, 11> expected = {
        "                  Gesamt\374berstunden        ",
        "               \334berstunden mit  25%        ",
        "               \334berstunden mit  50%        ",
        "             Nachtzuschlag mit  25%        ",
        "  \334berst. mit Feiertagszuschl. 140%        ",
        "  \334berst. mit Feiertagszuschl. 100%        ",
        "                                     Anzahl Summe",
        "   Wochenbereitschaft Mo-Mo  77,00\200                ",
        "             mit privat PKW  26,00\200                ",
        "Wochenendbereitschaft Fr-Mo  38,00\200                ",
        "             mit privat PKW  15,00\200                ",
    };
    EXPECT_EQ(book.summenZeilen, expected);
    EXPECT_EQ(book.bereitschaftsZeilen,
              (std::vector<std::string>{" Bereitschaft", "KW  von   bis "}));
}

TEST_F(Totals, RoundingAndDecimals) {
    // Minutes, unit, decimals, half-up, shown; 7 and 8 of 15 lie either side of the odd half;
    // negative: always up to the smallest multiple >= v, half-up ties toward +infinity;
    // unit 0 from a damaged settings file counts as 60.
    const std::tuple<int, int, int, bool, const char*> cases[] = {
        {63, 6, 1, true, "    1,1"},  {62, 6, 1, true, "    1,0"},    {61, 6, 1, false, "    1,1"},
        {7, 15, 1, false, "    0,2"}, {61, 1, 2, true, "   1,01"},    {114, 6, 0, true, "      1"},
        {0, 6, 1, true, "       "},   {44640, 1, 2, true, " 744,00"}, {7, 15, 2, true, "       "},
        {8, 15, 2, true, "   0,25"},  {-61, 6, 1, false, "   -1,0"},  {-7, 6, 2, false, "  -0,10"},
        {-63, 6, 1, true, "   -1,0"}, {-64, 6, 1, true, "   -1,1"},   {61, 0, 1, false, "    2,0"}};
    for (auto [minutes, unit, decimals, halfUp, shown] : cases)
        EXPECT_EQ(figure(minutes, unit, decimals, halfUp), shown) << minutes << " " << unit;
    book.mathRunden = false;
    book.grundlagen.rundung = 15;
    EXPECT_EQ(book.runden(INT32_MAX), INT32_MAX);
    // Each total in its line, the corrections added before rounding.
    book.grundlagen.rundung = 6;
    book.summen = {600, 62, 240, 120, 60, 30};
    book.korrekturNormal = 1;
    book.korrekturExtra = 300;
    book.Summen_anzeigen(0);
    const char* expected[6] = {"   10,0", "    1,1", "   -1,0", "    2,0", "    1,0", "    0,5"};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(book.summenZeilen[i].substr(36), expected[i]) << i;
}

TEST_F(Totals, StandbyCountsAndAmounts) {
    const char* blank = "              ";
    // Weeks, cents, allowances on, car on, line 7, line 8 (always 2 weeks by car). Too large
    // amounts grow into the blanks before them; where even that fails, marked, not cut.
    const std::tuple<int, int, bool, bool, const char*, const char*> cases[] = {
        {2, 7700, true, false, "   2   154,00\x80", blank},
        {2, 7700, false, true, blank, blank},
        {0, 7700, true, true, blank, "   2    52,00\x80"},
        {52, 20000, true, false, "  52 10400,00\x80", blank},
        {9999, 99900, true, false, "9999  *******\x80", blank},
        {12345, 10, true, false, "****  1234,50\x80", blank}};
    for (auto [weeks, cents, allowance, car, week, byCar] : cases) {
        book.wochen = weeks;
        book.wochenPkw = 2;
        book.grundlagen.bereitschaftWoche = static_cast<uint32_t>(cents);
        book.bereitschaft = allowance;
        book.pkw = car;
        book.Summen_anzeigen(0);
        EXPECT_EQ(standby(7) + "|" + standby(8), std::string(week) + "|" + byCar) << weeks;
    }
    book.wochenenden = 1;
    book.wochenendenPkw = 1;
    book.Summen_anzeigen(0);
    EXPECT_EQ(standby(9) + "|" + standby(10), "   1    38,00\x80|" + std::string(blank));
}

TEST_F(Totals, StandbyLinesFollowTheList) {
    book.jahr = 2024;
    const uint8_t records[] = {
        0x80 | 1, 30, 12,       5,  1,  49, 2, 12, 8, 12, 5, 6, 12, 6, 12, 50, 13, 12,
        15,       12, 0x40 | 1, 30, 12, 5,  1, 0,  0, 0,  0, 0, 7,  1, 1,  2,  2};  // after the end
    std::copy(std::begin(records), std::end(records), book.bereitschaftsListe.begin());
    for (int twice = 0; twice < 2; ++twice) book.Summen_anzeigen(0);
    EXPECT_EQ(book.bereitschaftsZeilen,
              (std::vector<std::string>{" Bereitschaft", "KW  von   bis ", "<J 30.12-05.01",
                                        "49 02.12-08.12", " 5  am 06.12  ", "50 13.12-15.12",
                                        ">J 30.12-05.01"}));
}

TEST(ZahlInText, FixedFieldsPredictedWidthAndZweistelligLesen) {
    // The last row loses digits on the left: zahlInFeld guards against that.
    const std::tuple<int32_t, int, int, bool, const char*> cases[] = {
        {5, 6, 2, false, "  0,05"},
        {-125, 6, 2, false, " -1,25"},
        {0, 6, 2, false, "      "},
        {0, 6, 2, true, "  0,00"},
        {-120, 5, -1, false, " -120"},
        {7, 4, -1, true, "  07"},
        {INT32_MIN, 12, -1, false, " -2147483648"},
        {1040000, 7, 2, false, "0400,00"}};
    for (auto [value, width, decimals, showZero, expected] : cases) {
        std::string field(width + 2, '#');  // guard characters on both sides
        Zeitbuch::Zahl_in_Text(value, &field[1], width - 1, decimals, showZero);
        EXPECT_EQ(field, "#" + std::string(expected) + "#") << value;
        const int shown = width + 1 - int(field.find_first_not_of(' ', 1));
        EXPECT_EQ(zahlBreite(value, decimals, showZero), value == 1040000 ? 8 : shown) << value;
    }
    // A blank tens character reads as -16; "ü0" as a signed char.
    for (auto [two, value] : {std::pair{"07", 7}, {"99", 99}, {" 5", -155}, {"\3740", -520}})
        EXPECT_EQ(Zeitbuch::Zweistellig_lesen(two), value) << two;
}

}  // namespace
}  // namespace book
