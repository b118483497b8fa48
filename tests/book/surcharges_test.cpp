#include <gtest/gtest.h>

#include <ostream>

#include "book/zeitbuch.h"
#include "platform/core/date.h"

namespace book {

void PrintTo(const Minuten& m, std::ostream* os) {
    *os << "{gesamt " << m.gesamt << ", normal " << m.normal << ", extra " << m.extra << ", nacht "
        << m.nacht << ", F1 " << m.feiertag1 << ", F2 " << m.feiertag2 << ", wochentag "
        << m.wochentag << ", tag " << m.tag << "}";
}

namespace {

constexpr int hm(int h, int m) {
    return 60 * h + m;
}

class Surcharges : public ::testing::Test {
protected:
    NullHost host;
    Zeitbuch book{host};

    void show(int year, int month) {
        book.jahr = year;
        book.Monat_einstellen(month);
    }
    // Splits one line; `fresh` starts a new daily budget as a recomputation does.
    Minuten split(int day, int from, int to, int kind = 0, bool fresh = true) {
        if (fresh) {
            book.budgetTag = 0;
            book.budgetMinuten = 0;
        }
        book.pTag = day;
        book.pDatum = platform::dayNumber(book.jahr, book.monat, day);
        book.pVon = from;
        book.pBis = to;
        book.Zuschlaege_berechnen(kind);
        return book.rec;
    }
    static Minuten m(int gesamt, int normal, int extra, int nacht, int f1, int f2, int wochentag,
                     int tag) {
        return {gesamt, normal, extra, nacht, f1, f2, 0, wochentag, tag};
    }
};

// December 2024: the 1st is a Sunday, the 25th a Wednesday.
TEST_F(Surcharges, DefaultSettingsCases) {
    show(2024, 12);
    struct Case {
        const char* what;
        int day, from, to, kind;
        Minuten expected;
    };
    const Case cases[] = {
        {"Monday morning", 2, hm(8, 0), hm(12, 0), 0, m(240, 120, 120, 0, 0, 0, 1, 2)},
        {"across midnight", 3, hm(22, 0), hm(2, 0), 0, m(240, 120, 120, 240, 0, 0, 2, 3)},
        {"Sunday", 8, hm(10, 0), hm(14, 0), 0, m(240, 0, 240, 0, 0, 0, 7, 8)},
        {"Saturday", 7, hm(10, 0), hm(14, 0), 0, m(240, 120, 120, 0, 0, 0, 6, 7)},
        {"a whole day", 2, hm(8, 0), hm(8, 0), 0, m(1440, 120, 1320, 600, 0, 0, 1, 2)},
        {"night only before 06:00", 4, hm(3, 0), hm(7, 0), 0, m(240, 120, 120, 180, 0, 0, 3, 4)},
        {"holiday Wednesday", 25, hm(10, 0), hm(14, 0), 0, m(240, 0, 0, 0, 240, 0, 3, 25)},
        {"into a holiday", 24, hm(22, 0), hm(8, 0), 0, m(600, 120, 360, 480, 120, 0, 2, 24)},
        {"after a holiday's night", 26, hm(4, 0), hm(10, 0), 0, m(360, 0, 0, 120, 360, 0, 4, 26)},
        {"the morning after a holiday", 27, hm(4, 0), hm(10, 0), 0,
         m(360, 120, 120, 120, 120, 0, 5, 27)},
        {"no holiday near", 19, hm(4, 0), hm(10, 0), 0, m(360, 120, 240, 120, 0, 0, 4, 19)},
        {"Freizeitausgleich", 2, hm(8, 0), hm(10, 0), 1, m(-120, 0, 0, 0, 0, 0, 1, 2)},
        {"Freizeitausgleich at night", 2, hm(22, 0), hm(2, 0), 1, m(-240, 0, 0, 0, 0, 0, 1, 2)},
        {"Ueberstundenkonto", 2, hm(8, 0), hm(12, 0), 2, m(0, 120, 120, 0, 0, 0, 1, 2)},
        {"Ueberstundenkonto Sunday", 8, hm(8, 0), hm(12, 0), 2, m(0, 0, 240, 0, 0, 0, 7, 8)},
        {"Verlagerung", 3, hm(22, 0), hm(2, 0), 3, m(0, 0, 0, 240, 0, 0, 2, 3)},
        {"Verlagerung holiday", 25, hm(5, 0), hm(7, 0), 3, m(0, 0, 0, 60, 60, 0, 3, 25)},
        {"Mehrarbeit", 2, hm(8, 0), hm(12, 0), 4, m(240, 0, 0, 0, 0, 0, 1, 2)},
        {"Mehrarbeit holiday", 26, hm(20, 0), hm(7, 0), 4, m(660, 0, 0, 600, 600, 0, 4, 26)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(split(c.day, c.from, c.to, c.kind), c.expected) << c.what;
        EXPECT_EQ(book.tag, c.day) << c.what;
    }
}

TEST_F(Surcharges, HolidayClassesFollowTheWeekdayOfTheHoliday) {
    struct Case {
        int year, day, from, to, f1, f2;
    };
    // 2021: the 24th is a Friday, the 25th a Saturday, the 26th a Sunday.
    // 2022: the 25th is a Sunday, the 26th a Monday.
    const Case cases[] = {
        {2021, 25, hm(10, 0), hm(14, 0), 0, 240},
        {2021, 24, hm(22, 0), hm(8, 0), 0, 120},
        {2021, 26, hm(4, 0), hm(10, 0), 0, 360},
        {2022, 26, hm(4, 0), hm(10, 0), 240, 120},
        {2022, 24, hm(22, 0), hm(8, 0), 0, 120},
        {2022, 27, hm(4, 0), hm(10, 0), 120, 0},  // A: the 26th is a Monday
        {2021, 27, hm(4, 0), hm(10, 0), 0, 120},  // A: the 26th is a Sunday
        {2022, 26, hm(23, 0), hm(9, 0), 420, 0},  // C: the 27th is no holiday
    };
    for (const Case& c : cases) {
        show(c.year, 12);
        const Minuten r = split(c.day, c.from, c.to);
        EXPECT_EQ(r.feiertag1, c.f1) << c.year << "-12-" << c.day;
        EXPECT_EQ(r.feiertag2, c.f2) << c.year << "-12-" << c.day;
    }
}

TEST_F(Surcharges, NewYearsMorningAfterANewYearsEveShift) {
    show(2024, 12);  // 1 January 2025 is a Wednesday
    EXPECT_EQ(split(31, hm(22, 0), hm(8, 0)), m(600, 120, 360, 480, 120, 0, 2, 31));
    book.feiertage[0].ein = false;
    EXPECT_EQ(split(31, hm(22, 0), hm(8, 0)), m(600, 120, 480, 480, 0, 0, 2, 31));
}

TEST_F(Surcharges, HolidaysOffCountAsOrdinaryDays) {
    show(2024, 12);
    book.feiertageEin = false;
    EXPECT_EQ(split(25, hm(10, 0), hm(14, 0)), m(240, 120, 120, 0, 0, 0, 3, 25));
}

TEST_F(Surcharges, DailyBudget) {
    show(2024, 12);
    // Per day: two lines of Monday share the 120 minutes.
    split(2, hm(16, 0), hm(17, 0));
    EXPECT_EQ(book.rec.normal, 60);
    split(2, hm(18, 0), hm(20, 0), 0, false);
    EXPECT_EQ(book.rec.normal, 60);
    EXPECT_EQ(book.rec.extra, 60);
    split(2, hm(20, 0), hm(21, 0), 0, false);  // exhausted
    EXPECT_EQ(book.rec.normal, 0);
    EXPECT_EQ(book.rec.extra, 60);
    split(3, hm(8, 0), hm(9, 0), 0, false);  // a new day starts afresh
    EXPECT_EQ(book.rec.normal, 60);
    EXPECT_EQ(book.budgetTag, 3);

    // Without the per-day flag every line has the whole budget.
    book.proTag = false;
    split(2, hm(16, 0), hm(17, 0));
    split(2, hm(18, 0), hm(20, 0), 0, false);
    EXPECT_EQ(book.rec.normal, 120);
    EXPECT_EQ(book.rec.extra, 0);
    EXPECT_EQ(book.budgetMinuten, 0);

    // No budget: everything at the normal percentage.
    book.grundlagen.tagesBudget = 0;
    EXPECT_EQ(split(2, hm(8, 0), hm(18, 0)).normal, 600);
}

TEST_F(Surcharges, ExtraPercentageWeekdayRange) {
    show(2024, 12);
    struct Case {
        uint8_t range;
        int day;  // 2 Monday .. 8 Sunday
        bool allExtra;
    };
    const Case cases[] = {
        {0x77, 8, true},  {0x77, 7, false}, {0x77, 2, false}, {0x51, 2, true},
        {0x51, 6, true},  {0x51, 7, false}, {0x51, 8, false}, {0x88, 8, false},
        {0x88, 2, false}, {0x76, 7, true},  {0x76, 8, true},
    };
    for (const Case& c : cases) {
        book.grundlagen.extraTage = c.range;
        const Minuten r = split(c.day, hm(8, 0), hm(12, 0));
        EXPECT_EQ(r.extra, c.allExtra ? 240 : 120) << std::hex << int{c.range} << " day " << c.day;
        EXPECT_EQ(r.normal, c.allExtra ? 0 : 120);
    }
}

TEST_F(Surcharges, NightWindowSettings) {
    show(2024, 12);
    struct Case {
        uint32_t start, end;  // as entered
        int from, to, night;
    };
    const Case cases[] = {
        {60, 300, hm(0, 0), hm(6, 0), 240},     {60, 300, hm(23, 0), hm(2, 0), 60},
        {1320, 360, hm(21, 0), hm(7, 0), 480},  {1320, 360, hm(5, 0), hm(23, 0), 120},
        {1200, 1200, hm(0, 0), hm(0, 0), 1440},  // start = end: the whole day
    };
    for (const Case& c : cases) {
        book.grundlagen.setNachtfenster(c.start, c.end);
        EXPECT_EQ(split(2, c.from, c.to).nacht, c.night) << c.start << "-" << c.end;
    }
    // A stored window whose start lies in the morning part counts no minute twice.
    book.grundlagen.nachtStart = 120;
    book.grundlagen.nachtEnde = 300;
    book.grundlagen.morgenEnde = 360;
    EXPECT_EQ(split(2, hm(0, 0), hm(8, 0)).nacht, 360);
    book.grundlagen.nachtEnde = 1440;
    EXPECT_EQ(split(2, hm(0, 0), hm(8, 0)).nacht, 480);
}

// Independent model: walks the period minute by minute; every minute belongs
// to the holiday window (06:00 to 06:00) of one calendar day.
struct Expected {
    int night = 0, f1 = 0, f2 = 0;
};
Expected minuteByMinute(int32_t date, int from, int to, const Berechnungsgrundlagen& g,
                        bool (*isHoliday)(int32_t)) {
    // Holiday class of the windows owned by the day before, the day, the day after.
    int ownerClass[3];
    for (int k = 0; k < 3; ++k) {
        const int32_t owner = date - 1 + k;
        ownerClass[k] = !isHoliday(owner) ? 0 : platform::isoWeekday(owner) >= 6 ? 2 : 1;
    }
    Expected e;
    const int length = to > from ? to - from : 1440 - from + to;
    for (int t = from; t < from + length; ++t) {
        const int clock = t % 1440;
        if ((clock >= static_cast<int>(g.nachtStart) && clock < static_cast<int>(g.nachtEnde)) ||
            clock < static_cast<int>(g.morgenEnde)) {
            ++e.night;
        }
        const int cls = ownerClass[1 + t / 1440 - (clock < 360 ? 1 : 0)];
        if (cls == 1) ++e.f1;
        if (cls == 2) ++e.f2;
    }
    return e;
}

bool holidayAroundChristmas2022(int32_t date) {
    return date == platform::dayNumber(2022, 12, 25) || date == platform::dayNumber(2022, 12, 26) ||
           date == platform::dayNumber(2023, 1, 1);
}

// Every kind, every from/to pair on a 15-minute grid, 23 to 31 December 2022:
// holidays on Sunday the 25th, Monday the 26th and, across the year, Sunday
// 1 January, so every share meets both classes.
TEST_F(Surcharges, PropertiesOverAWeekWithHolidays) {
    show(2022, 12);
    for (int day = 23; day <= 31; ++day) {
        const int32_t date = platform::dayNumber(2022, 12, day);
        for (int from = 0; from < 1440; from += 15) {
            for (int to = 0; to < 1440; to += 15) {
                const Expected e =
                    minuteByMinute(date, from, to, book.grundlagen, holidayAroundChristmas2022);
                const int worked = to > from ? to - from : 1440 - from + to;
                for (bool perDay : {true, false}) {
                    book.proTag = perDay;
                    for (int kind = 0; kind <= 4; ++kind) {
                        const Minuten r = split(day, from, to, kind, false);
                        const int classes = r.normal + r.extra + r.feiertag1 + r.feiertag2;
                        auto where = [&] {
                            return ::testing::Message()
                                   << "kind " << kind << " day " << day << " " << from << "-" << to;
                        };
                        ASSERT_TRUE(r.normal >= 0 && r.extra >= 0 && r.nacht >= 0 &&
                                    r.feiertag1 >= 0 && r.feiertag2 >= 0)
                            << where();
                        ASSERT_LE(classes, worked) << where();
                        ASSERT_LE(r.nacht, worked) << where();
                        ASSERT_LE(r.normal, 120) << where();
                        if (kind == 1) {
                            ASSERT_EQ(r, m(-worked, 0, 0, 0, 0, 0, r.wochentag, day)) << where();
                            continue;
                        }
                        ASSERT_EQ(r.nacht, e.night) << where();
                        ASSERT_EQ(r.feiertag1, e.f1) << where();
                        ASSERT_EQ(r.feiertag2, e.f2) << where();
                        switch (kind) {
                            case 0:
                                ASSERT_EQ(r.gesamt, worked) << where();
                                ASSERT_EQ(classes, worked) << where();
                                break;
                            case 2:
                                ASSERT_EQ(r.gesamt, 0) << where();
                                ASSERT_EQ(classes, worked) << where();
                                break;
                            default:  // 3 and 4: no normal/extra split
                                ASSERT_EQ(r.gesamt, kind == 4 ? worked : 0) << where();
                                ASSERT_EQ(r.normal + r.extra, 0) << where();
                                break;
                        }
                        if (kind == 0 || kind == 4) {
                            ASSERT_LE(classes, r.gesamt) << where();
                        }
                    }
                }
            }
        }
    }
}

}  // namespace
}  // namespace book
