#include <gtest/gtest.h>

#include "book/calculation/holidays.h"
#include "book/calculation/number_text.h"
#include "book/files/settings_block.h"
#include "book/sheet/zeitbuch.h"
#include "platform/core/date.h"
#include "tests/support/recording_host.h"

namespace book {
namespace {

constexpr int hm(int h, int m = 0) {
    return 60 * h + m;
}
Minuten m(int gesamt, int normal, int extra, int nacht, int f1, int f2, int wochentag, int tag) {
    return {gesamt, normal, extra, nacht, f1, f2, 0, wochentag, tag};
}

// Meeus/Jones/Butcher: an independent form of the Gregorian computus.
platform::CivilDate easterByMeeus(int y) {
    const int a = y % 19, b = y / 100, c = y % 100, d = b / 4, e = b % 4;
    const int f = (b + 8) / 25, g = (b - f + 1) / 3, h = (19 * a + b - d - g + 15) % 30;
    const int l = (32 + 2 * e + 2 * (c / 4) - h - c % 4) % 7, m = (a + 11 * h + 22 * l) / 451;
    const int s = h + l - 7 * m + 114;
    return {y, s / 31, s % 31 + 1};
}

// The calculation core on a shown month: holidays, page calendar, surcharge split, totals.
class Surcharges : public ::testing::Test {
protected:
    testing_support::RecordingHost host;
    Zeitbuch book{host};

    void SetUp() override { show(2024, 12); }
    void show(int year, int month) {
        book.jahr = year;
        book.Monat_einstellen(month);
    }
    // Splits one line; `fresh` starts a new daily budget as a recomputation does.
    Minuten split(int day, int from, int to, int kind = 0, bool fresh = true) {
        if (fresh) book.budgetTag = book.budgetMinuten = 0;
        book.pTag = day;
        book.pDatum = platform::dayNumber(book.jahr, book.monat, day);
        book.pVon = from;
        book.pBis = to;
        book.Zuschlaege_berechnen(kind);
        return book.rec;
    }
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
using Calendar = Surcharges;
using Totals = Surcharges;

// Includes 2015, 2018, 2019 and 2035, which a mean-lunation estimate gets wrong.
TEST_F(Calendar, EasterItsFeastsAndBussUndBettagForEveryYear) {
    for (int year = 1900; year <= 2099; ++year) {
        show(year, 6);
        const platform::CivilDate e = easterByMeeus(year);
        const int32_t easter = platform::dayNumber(year, e.month, e.day);
        EXPECT_EQ(easterSunday(year), easter) << year;
        for (auto [index, offset] :
             {std::pair{2, -2}, {3, 0}, {4, 1}, {6, 39}, {7, 49}, {8, 50}, {9, 60}}) {
            const Feiertag& f = book.feiertage[index];
            EXPECT_EQ((platform::CivilDate{year, f.monat, f.tag}),
                      platform::decodeDate(easter + offset))
                << year << " " << index;
        }
        // Buß- und Bettag: the Wednesday of 16 to 22 November.
        EXPECT_EQ(platform::isoWeekday(platform::dayNumber(year, 11, book.feiertage[15].tag)), 3);
        EXPECT_EQ(book.feiertage[15].monat * 100 + (book.feiertage[15].tag - 16) / 7, 1100);
    }
}

TEST_F(Calendar, LengthFirstWeekdayAndToday) {
    const int months[][4] = {{2024, 2, 29, 4}, {2025, 2, 28, 6},  {2000, 2, 29, 2},
                             {1900, 2, 28, 4}, {2025, 12, 31, 1}, {2026, 11, 30, 7}};
    for (auto [year, month, length, firstWeekday] : months) {
        show(year, month);
        EXPECT_EQ(book.monatsLaenge * 10 + book.ersterWochentag, length * 10 + firstWeekday)
            << year << "-" << month;
    }
    // Month 0 is today's month, the previous one on the 1st.
    const int today[][5] = {{2025, 1, 1, 2024, 12}, {2025, 1, 2, 2025, 1}, {2024, 3, 1, 2024, 2}};
    for (auto [year, month, day, shownYear, shownMonth] : today) {
        platform::ScopedClock clock(platform::encodeDate(year, month, day) + 0.5);
        book.Monat_einstellen(0);
        EXPECT_EQ((std::array{book.jahr, book.monat, book.tag, book.feiertagsJahr}),
                  (std::array{shownYear, shownMonth, day, shownYear}));
    }
}

TEST_F(Calendar, HolidayBitsForTheDateAndItsNeighboursAcrossTheYear) {
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
    show(2025, 12);  // still off: 31 December only as a fixed holiday of its own
    book.feiertage[17] = {31, 12, true};  // seen from 1 January as the day before
    EXPECT_EQ(book.Ist_Feiertag(1, 1) * 10 + book.Ist_Feiertag(31, 12), 21);
    book.feiertage[17] = {26, 12, true};
    book.feiertage[15] = {31, 12, true};  // movable: a date of the shown year only
    EXPECT_EQ(book.Ist_Feiertag(1, 1), 0);
}

// December 2024: the 1st is a Sunday, the 25th a Wednesday, 1 January 2025 too.
TEST_F(Surcharges, DefaultSettingsCases) {
    const std::tuple<int, int, int, int, Minuten> cases[] = {
        {2, hm(8), hm(12), 0, m(240, 120, 120, 0, 0, 0, 1, 2)},        // Monday morning
        {3, hm(22), hm(2), 0, m(240, 120, 120, 240, 0, 0, 2, 3)},      // across midnight
        {2, hm(8), hm(8), 0, m(1440, 120, 1320, 600, 0, 0, 1, 2)},     // a whole day
        {25, hm(10), hm(14), 0, m(240, 0, 0, 0, 240, 0, 3, 25)},       // holiday
        {24, hm(22), hm(8), 0, m(600, 120, 360, 480, 120, 0, 2, 24)},  // into a holiday
        {26, hm(4), hm(10), 0, m(360, 0, 0, 120, 360, 0, 4, 26)},      // A and B
        {31, hm(22), hm(8), 0, m(600, 120, 360, 480, 120, 0, 2, 31)},  // into New Year
    };
    for (auto [day, from, to, kind, expected] : cases)
        EXPECT_EQ(split(day, from, to, kind), expected) << day << " " << from << " " << kind;
    book.feiertageEin = false;
    EXPECT_EQ(split(25, hm(10), hm(14)), m(240, 120, 120, 0, 0, 0, 3, 25));
}

TEST_F(Surcharges, DailyBudgetExtraRangeAndNightWindow) {
    // Monday's lines share the day's 120 minutes; a new day starts afresh.
    split(2, hm(16), hm(17));
    EXPECT_EQ(split(2, hm(18), hm(20), 0, false), m(120, 60, 60, 0, 0, 0, 1, 2));
    EXPECT_EQ(split(3, hm(8), hm(9), 0, false).normal, 60);
    book.proTag = false;  // every line has the whole budget
    split(2, hm(16), hm(17));
    EXPECT_EQ(split(2, hm(18), hm(20), 0, false).normal, 120);
    // Day 2 is a Monday .. 8 a Sunday; 1 = all four hours at the extra percentage.
    const int ranges[][3] = {{0x77, 8, 1}, {0x77, 7, 0}, {0x51, 2, 1}, {0x51, 6, 1},
                             {0x51, 7, 0}, {0x88, 8, 0}, {0x76, 7, 1}};
    for (auto [range, day, allExtra] : ranges) {
        book.grundlagen.extraTage = static_cast<uint8_t>(range);
        EXPECT_EQ(split(day, hm(8), hm(12)).extra, allExtra ? 240 : 120) << range << " " << day;
    }
    // The night window as entered; start = end is the whole day.
    const int windows[][5] = {{60, 300, hm(23), hm(6), 240},
                              {1320, 360, hm(5), hm(23), 120},
                              {1200, 1200, hm(0), hm(0), 1440}};
    for (auto [start, end, from, to, night] : windows) {
        book.grundlagen.setNachtfenster(start, end);
        EXPECT_EQ(split(2, from, to).nacht, night) << start << "-" << end;
    }
}

// Every kind, every from/to pair on a 15-minute grid, 23 to 31 December 2022,
// against an independent model that walks the period minute by minute; each
// minute belongs to the holiday window (06:00 to 06:00) of one calendar day.
// Holidays: Sunday 25 and Monday 26 December and, across the year, Sunday 1 January.
TEST_F(Surcharges, PropertiesOverAWeekWithHolidays) {
    show(2022, 12);
    const Berechnungsgrundlagen& g = book.grundlagen;
    auto holidayClass = [](int32_t d) {
        for (int32_t h : {platform::dayNumber(2022, 12, 25), platform::dayNumber(2022, 12, 26),
                          platform::dayNumber(2023, 1, 1)})
            if (d == h) return platform::isoWeekday(d) >= 6 ? 2 : 1;
        return 0;
    };
    for (int day = 23; day <= 31; ++day) {
        for (int from = 0; from < 1440; from += 15) {
            for (int to = 0; to < 1440; to += 15) {
                const int worked = to > from ? to - from : 1440 - from + to;
                int e[3] = {};  // night, class 1, class 2
                for (int t = from; t < from + worked; ++t) {
                    const int clock = t % 1440;
                    e[0] += (clock >= int(g.nachtStart) && clock < int(g.nachtEnde)) ||
                            clock < int(g.morgenEnde);
                    const int32_t d = platform::dayNumber(2022, 12, day) + t / 1440;
                    if (const int c = holidayClass(d - (clock < 360))) ++e[c];
                }
                for (int kind = 0; kind <= 4; ++kind) {
                    book.proTag = (from / 15 + kind) % 2;
                    const Minuten r = split(day, from, to, kind, false);
                    const auto where = ::testing::Message()
                                       << kind << " " << day << " " << from << "-" << to;
                    ASSERT_TRUE(r.normal >= 0 && r.extra >= 0 && r.normal <= 120) << where;
                    if (kind == 1) {  // Freizeitausgleich: only the negative total
                        ASSERT_EQ(r, m(-worked, 0, 0, 0, 0, 0, r.wochentag, day)) << where;
                        continue;
                    }
                    // Ordinary lines: normal + extra + holiday = worked; shifts: no split.
                    const int parts =
                        r.normal + r.extra + (kind <= 2 ? r.feiertag1 + r.feiertag2 : 0);
                    ASSERT_EQ((std::array{r.gesamt, parts, r.nacht, r.feiertag1, r.feiertag2}),
                              (std::array{kind == 0 || kind == 4 ? worked : 0,
                                          kind <= 2 ? worked : 0, e[0], e[1], e[2]}))
                        << where;
                }
            }
        }
    }
}

TEST(SettingsBlock, DefaultsEncodeToTheExactImageAndBack) {
    const std::array<uint8_t, 56> expected = {
        25,   0,    50, 0, 25,   0,    140,  0, 100, 0, 0, 0,   // percentages, reserved
        0xB0, 0x04, 0,  0, 0xA0, 0x05, 0,    0,                 // night 1200 to 1440
        0x68, 0x01, 0,  0, 120,  0,    0,    0,                 // morning end 360, budget
        0x77, 0,    0,  0, 0x14, 0x1E, 0,    0,                 // Sunday only; 7700 cents
        0xD8, 0x0E, 0,  0, 0x28, 0x0A, 0,    0,                 // 3800, 2600
        0xDC, 0x05, 0,  0, 1,    6,    0xAE, 0, 1,   0, 0, 0};  // 1500; flags
    const Berechnungsgrundlagen defaults;
    EXPECT_EQ(defaults.encode(), expected);
    EXPECT_EQ(Berechnungsgrundlagen::decode(expected), defaults);
    // Reserved bytes survive; a rounding unit of 0 reads as 60.
    auto image = expected;
    image[55] = 0xEF;
    image[49] = 0;
    const auto decoded = Berechnungsgrundlagen::decode(image);
    EXPECT_EQ(decoded.rundung, 60);
    image[49] = 60;
    EXPECT_EQ(decoded.encode(), image);
}

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
        {0, 6, 2, true, "  0,00"},
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
