#include <gtest/gtest.h>

#include <string>

#include "book/standby_lines.h"
#include "book/zeitbuch.h"
#include "tests/support/recording_host.h"

namespace book {
namespace {

class Totals : public ::testing::Test {
protected:
    testing_support::RecordingHost host;
    Zeitbuch book{host};

    // The last 7 characters of totals line i after showing `minutes` there.
    std::string figure(int minutes, int unit, int decimals, bool halfUp, int line = 0) {
        book.summen.fill(0);
        book.summen[line] = minutes;
        book.grundlagen.rundung = static_cast<uint8_t>(unit);
        book.grundlagen.kommastellen = static_cast<uint8_t>(decimals);
        book.mathRunden = halfUp;
        book.Summen_anzeigen(0);
        const std::string& text = book.summenZeilen[line];
        return text.substr(text.size() - 7);
    }
    std::string standby(int line) {
        const std::string& text = book.summenZeilen[line];
        return text.substr(37);  // count, blanks, amount, euro sign
    }
};

TEST_F(Totals, LinesAsCreatedWithTheDefaultSettings) {
    // Windows-1252 bytes, in octal so no letter extends an escape:
    // \374 "ü", \334 "Ü", \200 "€".
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

    book.grundlagen.prozentNormal = 0;
    book.grundlagen.prozentFeiertag = 200;
    book.grundlagen.bereitschaftWoche = 99900;
    book.grundlagen.pkwWochenende = 5;
    book.einstellungenEintragen();
    EXPECT_EQ(book.summenZeilen[1].substr(31, 4), "  0%");
    EXPECT_EQ(book.summenZeilen[4].substr(31, 4), "200%");
    EXPECT_EQ(book.summenZeilen[7].substr(27, 8), " 999,00\x80");
    EXPECT_EQ(book.summenZeilen[10].substr(27, 8), "   0,05\x80");
}

TEST_F(Totals, RoundingAndDecimals) {
    struct Case {
        int minutes, unit, decimals;
        bool halfUp;
        const char* shown;
    };
    const Case cases[] = {
        {63, 6, 1, true, "    1,1"},   // 66
        {62, 6, 1, true, "    1,0"},   // 60
        {61, 6, 1, false, "    1,1"},  // 66
        {7, 15, 1, false, "    0,2"},  // 15: 2.5 tenths, truncated
        {61, 1, 2, true, "   1,01"},
        {114, 6, 0, true, "      1"},  // 114 stays, whole hours truncated
        {0, 6, 1, true, "       "},    // zero shows blank
        {60, 6, 1, false, "    1,0"},  // already a multiple
        // An odd unit: the exact half is below 7.5, so 7 rounds down, 8 up.
        {7, 15, 2, true, "       "},
        {8, 15, 2, true, "   0,25"},
        {2, 5, 2, true, "       "},
        {3, 5, 2, true, "   0,08"},
        {90, 60, 0, true, "      2"},
        {89, 60, 0, true, "      1"},
        {44640, 1, 2, true, " 744,00"},  // a whole month of 31 days
        // Negative totals: always up to the smallest multiple >= v, half-up
        // to the nearest with ties toward +infinity.
        {-61, 6, 1, false, "   -1,0"},
        {-7, 6, 2, false, "  -0,10"},
        {-63, 6, 1, true, "   -1,0"},
        {-64, 6, 1, true, "   -1,1"},
        {-62, 6, 1, true, "   -1,0"},
        {-3, 6, 1, true, "       "},
        {-4, 6, 2, true, "  -0,10"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(figure(c.minutes, c.unit, c.decimals, c.halfUp), c.shown)
            << c.minutes << " unit " << c.unit << (c.halfUp ? " half-up" : " up");
    }
}

TEST_F(Totals, RundenAndAZeroUnit) {
    book.grundlagen.rundung = 15;
    book.mathRunden = true;
    EXPECT_EQ(book.runden(7), 0);
    EXPECT_EQ(book.runden(8), 15);
    EXPECT_EQ(book.runden(-8), -15);
    book.mathRunden = false;
    EXPECT_EQ(book.runden(1), 15);
    EXPECT_EQ(book.runden(-14), 0);
    EXPECT_EQ(book.runden(INT32_MAX), INT32_MAX);
    book.grundlagen.rundung = 0;  // as a damaged settings file would give
    EXPECT_EQ(book.runden(61), 120);
}

TEST_F(Totals, EachTotalInItsLineWithTheCorrections) {
    book.grundlagen.rundung = 1;
    book.summen = {600, 300, 240, 120, 60, 30};
    book.korrekturNormal = 60;
    book.korrekturExtra = 300;
    book.Summen_anzeigen(0);
    const char* expected[6] = {"   10,0", "    4,0", "   -1,0", "    2,0", "    1,0", "    0,5"};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(book.summenZeilen[i].substr(36), expected[i]) << "line " << i;
        EXPECT_EQ(book.summenZeilen[i].size(), 43u);
    }
    // The correction comes before the rounding.
    book.grundlagen.rundung = 6;
    book.mathRunden = false;
    book.summen = {0, 62, 0, 0, 0, 0};
    book.korrekturNormal = 1;
    book.korrekturExtra = 0;
    book.Summen_anzeigen(0);
    EXPECT_EQ(book.summenZeilen[1].substr(36), "    1,1");
}

TEST_F(Totals, StandbyCountsAndAmounts) {
    book.wochen = 2;
    book.wochenenden = 1;
    book.wochenPkw = 2;
    book.wochenendenPkw = 1;
    book.bereitschaft = true;
    book.pkw = false;
    book.Summen_anzeigen(0);
    EXPECT_EQ(standby(7), "   2   154,00\x80");
    EXPECT_EQ(standby(9), "   1    38,00\x80");
    EXPECT_EQ(standby(8), "              ");
    EXPECT_EQ(standby(10), "              ");

    book.pkw = true;
    book.Summen_anzeigen(0);
    EXPECT_EQ(standby(8), "   2    52,00\x80");
    EXPECT_EQ(standby(10), "   1    15,00\x80");

    book.bereitschaft = false;  // allowances off: blanks and no euro sign
    book.Summen_anzeigen(0);
    for (int line = 7; line <= 10; ++line) {
        EXPECT_EQ(standby(line), "              ") << line;
        EXPECT_EQ(book.summenZeilen[line][34], '\x80');  // the label's sign stays
    }

    book.bereitschaft = true;
    book.wochen = 0;
    book.Summen_anzeigen(0);
    EXPECT_EQ(standby(7), "              ");
}

TEST_F(Totals, LargeAmountsKeepTheirDigits) {
    struct Case {
        int32_t count;
        uint32_t cents;
        const char* shown;
    };
    const Case cases[] = {
        {52, 20000, "  52 10400,00\x80"},    // grows into one blank
        {15, 99900, "  15 14985,00\x80"},    // the most a count of 4 bits needs
        {150, 99900, " 150149850,00\x80"},   // nine characters: the most that fits
        {9999, 99900, "9999  *******\x80"},  // does not fit: marked, not cut
        {12345, 10, "****  1234,50\x80"},    // neither does the count
        {-2, 7700, "  -2  -154,00\x80"},
    };
    for (const Case& c : cases) {
        book.wochen = c.count;
        book.grundlagen.bereitschaftWoche = c.cents;
        book.Summen_anzeigen(0);
        EXPECT_EQ(standby(7), c.shown) << c.count << " x " << c.cents;
        EXPECT_EQ(book.summenZeilen[7].size(), 51u);
        EXPECT_EQ(book.summenZeilen[7].substr(0, 37),
                  "   Wochenbereitschaft Mo-Mo  77,00\x80  ");  // untouched
    }
}

TEST_F(Totals, HostSeesRepaintAndCalendarOnlyWhileTheSheetIsShown) {
    book.jahr = 2024;
    book.Monat_einstellen(12);
    book.tag = 5;
    book.bereitschaftsListe[0] = 49;
    book.blattAngezeigt = false;
    book.Summen_anzeigen(0);
    EXPECT_TRUE(host.calls.empty());

    book.blattAngezeigt = true;
    book.Summen_anzeigen(0);
    book.Summen_anzeigen(3);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"repaint totals", "calendar 2024 12 5",
                                                    "repaint totals", "calendar 2024 3 0"}));
    EXPECT_EQ(host.lastStandby[0], 49);
}

TEST_F(Totals, StandbyLinesFollowTheList) {
    book.jahr = 2024;
    const uint8_t records[] = {
        0x80 | 1, 30, 12, 5,  1,   // from the previous year
        49,       2,  12, 8,  12,  // a week
        5,        6,  12, 6,  12,  // one day
        50,       13, 12, 15, 12,  // a weekend
        0x40 | 1, 30, 12, 5,  1,   // into the next year
        0,        0,  0,  0,  0,   // end of the list
        7,        1,  1,  2,  2,   // never shown
    };
    std::copy(std::begin(records), std::end(records), book.bereitschaftsListe.begin());
    book.Summen_anzeigen(0);
    EXPECT_EQ(book.bereitschaftsZeilen,
              (std::vector<std::string>{" Bereitschaft", "KW  von   bis ", "<J 30.12-05.01",
                                        "49 02.12-08.12", " 5  am 06.12  ", "50 13.12-15.12",
                                        ">J 30.12-05.01"}));
    for (size_t i = 2; i < book.bereitschaftsZeilen.size(); ++i) {
        EXPECT_EQ(book.bereitschaftsZeilen[i].size(), 14u);
    }
    // Shown again, the list is rebuilt, not appended to.
    book.Summen_anzeigen(0);
    EXPECT_EQ(book.bereitschaftsZeilen.size(), 7u);

    book.jahresbilanz = true;
    book.Summen_anzeigen(0);
    EXPECT_EQ(book.bereitschaftsZeilen.size(), 2u);

    // Nine periods at most, and a damaged record keeps the line's width.
    StandbyList full{};
    for (int i = 0; i < 9; ++i) {
        const uint8_t r[5] = {static_cast<uint8_t>(10 + i), 255, 12, 8, 200};
        std::copy(r, r + 5, full.begin() + 5 * i);
    }
    std::vector<std::string> lines{"old"};
    Bereitschaftszeile(lines, full, false);
    ASSERT_EQ(lines.size(), 11u);
    EXPECT_EQ(lines[10], "18 55.12-08.00");
}

TEST_F(Totals, DamagedLinesAreMadeAgain) {
    book.summenZeilen[3].clear();
    book.summenZeilen[8] = "x";
    book.summen[3] = 120;
    book.Summen_anzeigen(0);
    EXPECT_EQ(book.summenZeilen[3], "             Nachtzuschlag mit  25%     2,0");
    EXPECT_EQ(book.summenZeilen[8].size(), 51u);
}

}  // namespace
}  // namespace book
