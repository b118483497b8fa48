#include <gtest/gtest.h>

#include "book/zeitbuch.h"
#include "platform/core/date.h"

namespace book {
namespace {

constexpr int hm(int h, int m = 0) { return 60 * h + m; }
Minuten m(int gesamt, int normal, int extra, int nacht, int f1, int f2, int wochentag, int tag) {
    return {gesamt, normal, extra, nacht, f1, f2, 0, wochentag, tag};
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
        if (fresh) book.budgetTag = book.budgetMinuten = 0;
        book.pTag = day;
        book.pDatum = platform::dayNumber(book.jahr, book.monat, day);
        book.pVon = from;
        book.pBis = to;
        book.Zuschlaege_berechnen(kind);
        return book.rec;
    }
};

// December 2024: the 1st is a Sunday, the 25th a Wednesday, 1 January 2025 too.
TEST_F(Surcharges, DefaultSettingsCases) {
    show(2024, 12);
    struct Case {
        const char* what;
        int day, from, to, kind;
        Minuten expected;
    };
    const Case cases[] = {
        {"Monday morning", 2, hm(8), hm(12), 0, m(240, 120, 120, 0, 0, 0, 1, 2)},
        {"across midnight", 3, hm(22), hm(2), 0, m(240, 120, 120, 240, 0, 0, 2, 3)},
        {"Sunday", 8, hm(10), hm(14), 0, m(240, 0, 240, 0, 0, 0, 7, 8)},
        {"Saturday", 7, hm(10), hm(14), 0, m(240, 120, 120, 0, 0, 0, 6, 7)},
        {"a whole day", 2, hm(8), hm(8), 0, m(1440, 120, 1320, 600, 0, 0, 1, 2)},
        {"night before 06:00", 4, hm(3), hm(7), 0, m(240, 120, 120, 180, 0, 0, 3, 4)},
        {"holiday Wednesday", 25, hm(10), hm(14), 0, m(240, 0, 0, 0, 240, 0, 3, 25)},
        {"into a holiday", 24, hm(22), hm(8), 0, m(600, 120, 360, 480, 120, 0, 2, 24)},
        {"after a holiday's night", 26, hm(4), hm(10), 0, m(360, 0, 0, 120, 360, 0, 4, 26)},
        {"morning after a holiday", 27, hm(4), hm(10), 0, m(360, 120, 120, 120, 120, 0, 5, 27)},
        {"no holiday near", 19, hm(4), hm(10), 0, m(360, 120, 240, 120, 0, 0, 4, 19)},
        {"into New Year", 31, hm(22), hm(8), 0, m(600, 120, 360, 480, 120, 0, 2, 31)},
        {"Freizeitausgleich", 2, hm(8), hm(10), 1, m(-120, 0, 0, 0, 0, 0, 1, 2)},
        {"Freizeitausgleich night", 2, hm(22), hm(2), 1, m(-240, 0, 0, 0, 0, 0, 1, 2)},
        {"Ueberstundenkonto", 2, hm(8), hm(12), 2, m(0, 120, 120, 0, 0, 0, 1, 2)},
        {"Ueberstundenkonto Sunday", 8, hm(8), hm(12), 2, m(0, 0, 240, 0, 0, 0, 7, 8)},
        {"Verlagerung", 3, hm(22), hm(2), 3, m(0, 0, 0, 240, 0, 0, 2, 3)},
        {"Verlagerung holiday", 25, hm(5), hm(7), 3, m(0, 0, 0, 60, 60, 0, 3, 25)},
        {"Mehrarbeit", 2, hm(8), hm(12), 4, m(240, 0, 0, 0, 0, 0, 1, 2)},
        {"Mehrarbeit holiday", 26, hm(20), hm(7), 4, m(660, 0, 0, 600, 600, 0, 4, 26)},
    };
    for (const Case& c : cases) EXPECT_EQ(split(c.day, c.from, c.to, c.kind), c.expected) << c.what;
    book.feiertage[0].ein = false;  // Neujahr off: the morning is ordinary
    EXPECT_EQ(split(31, hm(22), hm(8)), m(600, 120, 480, 480, 0, 0, 2, 31));
    book.feiertageEin = false;
    EXPECT_EQ(split(25, hm(10), hm(14)), m(240, 120, 120, 0, 0, 0, 3, 25));
}

TEST_F(Surcharges, HolidayClassesFollowTheWeekdayOfTheHoliday) {
    struct Case {
        int year, day, from, to, f1, f2;
    };
    // 2021: the 25th is a Saturday, the 26th a Sunday; 2022: Sunday and Monday.
    const Case cases[] = {
        {2021, 25, hm(10), hm(14), 0, 240}, {2021, 24, hm(22), hm(8), 0, 120},
        {2021, 26, hm(4), hm(10), 0, 360},  {2022, 26, hm(4), hm(10), 240, 120},
        {2022, 24, hm(22), hm(8), 0, 120},  {2022, 27, hm(4), hm(10), 120, 0},
        {2021, 27, hm(4), hm(10), 0, 120},  {2022, 26, hm(23), hm(9), 420, 0},
    };
    for (const Case& c : cases) {
        show(c.year, 12);
        const Minuten r = split(c.day, c.from, c.to);
        EXPECT_EQ(r.feiertag1 * 10000 + r.feiertag2, c.f1 * 10000 + c.f2) << c.year << "/" << c.day;
    }
}

TEST_F(Surcharges, DailyBudget) {
    show(2024, 12);
    struct Step {
        int day, from, to;
        bool fresh;
        int normal, extra;
    };
    // Per day: Monday's lines share 120 minutes; a new day starts afresh.
    for (const Step& s : {Step{2, hm(16), hm(17), true, 60, 0}, Step{2, hm(18), hm(20), false, 60, 60},
                          Step{2, hm(20), hm(21), false, 0, 60}, Step{3, hm(8), hm(9), false, 60, 0}}) {
        const Minuten r = split(s.day, s.from, s.to, 0, s.fresh);
        EXPECT_EQ(r.normal * 10000 + r.extra, s.normal * 10000 + s.extra) << s.day << " " << s.from;
    }
    book.proTag = false;  // every line has the whole budget
    split(2, hm(16), hm(17));
    EXPECT_EQ(split(2, hm(18), hm(20), 0, false), m(120, 120, 0, 0, 0, 0, 1, 2));
    book.grundlagen.tagesBudget = 0;  // no budget: all at the normal percentage
    EXPECT_EQ(split(2, hm(8), hm(18)).normal, 600);
}

TEST_F(Surcharges, ExtraPercentageWeekdayRange) {
    show(2024, 12);
    struct Case {
        uint8_t range;
        int day;  // 2 Monday .. 8 Sunday
        bool allExtra;
    };
    const Case cases[] = {{0x77, 8, true}, {0x77, 7, false}, {0x77, 2, false}, {0x51, 2, true},
                          {0x51, 6, true}, {0x51, 7, false}, {0x51, 8, false}, {0x88, 8, false},
                          {0x88, 2, false}, {0x76, 7, true}, {0x76, 8, true}};
    for (const Case& c : cases) {
        book.grundlagen.extraTage = c.range;
        EXPECT_EQ(split(c.day, hm(8), hm(12)).extra, c.allExtra ? 240 : 120)
            << std::hex << int{c.range} << " day " << c.day;
    }
}

TEST_F(Surcharges, NightWindowSettings) {
    show(2024, 12);
    struct Case {
        uint32_t start, end;  // as entered
        int from, to, night;
    };
    const Case cases[] = {{60, 300, hm(0), hm(6), 240},      {60, 300, hm(23), hm(2), 60},
                          {1320, 360, hm(21), hm(7), 480},   {1320, 360, hm(5), hm(23), 120},
                          {1200, 1200, hm(0), hm(0), 1440}};  // start = end: the whole day
    for (const Case& c : cases) {
        book.grundlagen.setNachtfenster(c.start, c.end);
        EXPECT_EQ(split(2, c.from, c.to).nacht, c.night) << c.start << "-" << c.end;
    }
    // A stored window starting in the morning part counts no minute twice.
    book.grundlagen.nachtStart = 120;
    book.grundlagen.nachtEnde = 300;
    book.grundlagen.morgenEnde = 360;
    EXPECT_EQ(split(2, hm(0), hm(8)).nacht, 360);
}

// Independent model: walks the period minute by minute; every minute belongs
// to the holiday window (06:00 to 06:00) of one calendar day. Holidays: 25 and
// 26 December 2022 (Sunday, Monday) and, across the year, Sunday 1 January.
void minuteByMinute(int32_t date, int from, int to, const Berechnungsgrundlagen& g, int out[3]) {
    auto cls = [](int32_t d) {
        const bool holiday = d == platform::dayNumber(2022, 12, 25) ||
                             d == platform::dayNumber(2022, 12, 26) ||
                             d == platform::dayNumber(2023, 1, 1);
        return !holiday ? 0 : platform::isoWeekday(d) >= 6 ? 2 : 1;
    };
    out[0] = out[1] = out[2] = 0;
    const int length = to > from ? to - from : 1440 - from + to;
    for (int t = from; t < from + length; ++t) {
        const int clock = t % 1440;
        if ((clock >= int(g.nachtStart) && clock < int(g.nachtEnde)) || clock < int(g.morgenEnde))
            ++out[0];
        const int c = cls(date + t / 1440 - (clock < 360 ? 1 : 0));
        if (c) ++out[c];
    }
}

// Every kind, every from/to pair on a 15-minute grid, 23 to 31 December 2022.
TEST_F(Surcharges, PropertiesOverAWeekWithHolidays) {
    show(2022, 12);
    for (int day = 23; day <= 31; ++day) {
        for (int from = 0; from < 1440; from += 15) {
            for (int to = 0; to < 1440; to += 15) {
                int e[3];
                minuteByMinute(platform::dayNumber(2022, 12, day), from, to, book.grundlagen, e);
                const int worked = to > from ? to - from : 1440 - from + to;
                for (int kind = 0; kind <= 4; ++kind) {
                    book.proTag = (from / 15 + kind) % 2;
                    const Minuten r = split(day, from, to, kind, false);
                    const int classes = r.normal + r.extra + r.feiertag1 + r.feiertag2;
                    const auto where = ::testing::Message()
                                       << "kind " << kind << " day " << day << " " << from << "-" << to;
                    ASSERT_TRUE(r.normal >= 0 && r.extra >= 0 && r.normal <= 120) << where;
                    if (kind == 1) {
                        ASSERT_EQ(r, m(-worked, 0, 0, 0, 0, 0, r.wochentag, day)) << where;
                        continue;
                    }
                    ASSERT_EQ(r.nacht, e[0]) << where;
                    ASSERT_EQ(r.feiertag1, e[1]) << where;
                    ASSERT_EQ(r.feiertag2, e[2]) << where;
                    ASSERT_EQ(r.gesamt, kind == 0 || kind == 4 ? worked : 0) << where;
                    if (kind <= 2) ASSERT_EQ(classes, worked) << where;  // ordinary lines
                    else ASSERT_EQ(r.normal + r.extra, 0) << where;
                }
            }
        }
    }
}

}  // namespace
}  // namespace book
