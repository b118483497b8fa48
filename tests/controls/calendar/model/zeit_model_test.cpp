#include "controls/calendar/model/zeit_model.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tests/controls/calendar/zeit_test_support.h"

namespace calendar {
namespace {

using S = TZeitStyle;
using K = ZeitKey;
using test_support::setUp;

constexpr ZeitFields kEmpty{};

void press(ZeitModel& m, const char* keys) {
    for (const char* k = keys; *k != '\0'; ++k) {
        switch (*k) {
            case 'U':
                m.key(K::Up);
                break;
            case 'D':
                m.key(K::Down);
                break;
            case 'B':
                m.key(K::Backspace);
                break;
            case 'L':
                m.key(K::Left);
                break;
            case 'R':
                m.key(K::Right);
                break;
            case ' ':
                m.key(K::Space);
                break;
            default:
                m.key(K::Digit, *k - '0');
        }
    }
}

TEST(ZeitModel, TestChecksTheCalendar) {
    struct Case {
        ZeitFields f;
        char mode;
        bool ok;
        int cursor;  // after the test, starting from 2
    };
    const Case cases[] = {
        {{29, 2, 2023}, 0, false, 0}, {{29, 2, 2024}, 0, true, 2},  {{1, 1, 1899}, 0, false, 4},
        {{1, 13, 2024}, 0, false, 0}, {{1, 1, 10000}, 0, false, 4}, {{31, 4, 2024}, 2, false, 2},
        {{5, 0, 2024}, 1, true, 2},   {{5, 0, 2024}, 0, false, 0},  {kEmpty, 2, false, 2},
    };
    for (const Case& c : cases) {
        ZeitModel m;
        setUp(m, S::zaBeides, c.f, 2);
        EXPECT_EQ(m.Test(c.mode), c.ok) << c.f;
        EXPECT_EQ(m.cursor(), c.cursor) << c.f;
    }
    ZeitModel uhr;
    setUp(uhr, S::zaUhr, {0, 0, 0, 8, 30});
    EXPECT_TRUE(uhr.Test(0));
}

TEST(ZeitModel, ValuesInAndOut) {
    ZeitModel m;
    m.SetStyle(S::zaBeides);
    EXPECT_EQ(m.GetValue(), -1.0);
    const double march5 = platform::encodeDate(2024, 3, 5);
    m.SetValue(march5 + platform::encodeTime(14, 7, 42));
    EXPECT_EQ(m.fields(), (ZeitFields{5, 3, 2024, 14, 7}));  // seconds dropped
    EXPECT_EQ(m.GetValue(), march5 + platform::encodeTime(14, 7));
    EXPECT_EQ(m.GetDateValue(), march5);
    m.SetValue(0.5);  // below day 1: no date, no time
    EXPECT_EQ(m.fields(), kEmpty);
    for (double bad : {1e300, std::nan("")}) {
        m.SetValue(bad);
        EXPECT_EQ(m.fields(), kEmpty);
    }
    m.setTime(6, 0);  // a time without a date counts from -1
    EXPECT_EQ(m.GetValue(), -1.0 + 0.25);
    m.SetStyle(S::zaUhr);
    EXPECT_EQ(m.GetValue(), 0.25);
    m.SetValue(-0.5);
    EXPECT_EQ(m.GetTimeValue(), -1.0);
}

TEST(ZeitModel, KeysEditTheDigitUnderTheCursor) {
    platform::ScopedClock clock(platform::encodeDate(2024, 3, 5) + platform::encodeTime(10, 30));
    struct Case {
        S style;
        bool zeitDatum;
        ZeitFields start;
        int cursor;
        const char* keys;  // digits, U(p), D(own), B(ackspace), L(eft), R(ight), space
        ZeitFields expected;
        int expectedCursor;
    };
    const std::vector<Case> cases = {
        // The first digit fills in today, then the typing gives 31.02.2024.
        {S::zaDatum, false, kEmpty, 0, "31022024", {31, 2, 2024}, 7},
        {S::zaDatum, false, {1, 5, 1950}, 5, "U", {1, 5, 2050}, 5},
        {S::zaDatum, false, {1, 5, 1950}, 4, "D", {1, 5, 0}, 4},
        {S::zaDatum, false, {1, 5, 1950}, 2, "U", {1, 12, 1950}, 2},
        {S::zaDatum, false, {1, 5, 0}, 4, "U", {1, 5, 1900}, 4},
        {S::zaDatum, false, kEmpty, 0, "U", {5, 3, 2024}, 0},  // filled in, not stepped
        {S::zaUhr, false, kEmpty, 1, "B", {0, 0, 0, 0, -1}, 0},
        {S::zaUhr, false, {0, 0, 0, 14, 7}, 2, "9", {0, 0, 0, 14, 59}, 3},
        {S::zaUhr, false, {0, 0, 0, 14, 7}, 3, "1", {0, 0, 0, 14, 1}, 3},
        {S::zaBeides, false, {5, 3, 2024, -1, -1}, 8, "2", {5, 3, 2024, 20, -1}, 9},
        // Time first: Right wraps from the last time digit into the date and stops at its end.
        {S::zaBeides, true, {5, 3, 2024, 14, 7}, 11, "R", {5, 3, 2024, 14, 7}, 0},
        {S::zaBeides, true, {5, 3, 2024, 14, 7}, 7, "5", {5, 3, 2025, 14, 7}, 7},
        {S::zaBeides, true, {5, 3, 2024, 14, 7}, 0, "L", {5, 3, 2024, 14, 7}, 11},
        {S::zaBeides, true, {5, 3, 2024, 14, 7}, 8, "L", {5, 3, 2024, 14, 7}, 8},
        {S::zaBeides, false, {5, 3, 2024, 14, 7}, 3, " ", {5, 3, 2024, 14, 7}, 8},
        // Time first means nothing outside zaBeides: the cursor stays on the digits.
        {S::zaDatum, true, {5, 3, 2024}, 0, "L", {5, 3, 2024}, 0},
        {S::zaUhr, true, {0, 0, 0, 14, 7}, 3, "R1", {0, 0, 0, 14, 1}, 3},
    };
    for (const Case& c : cases) {
        ZeitModel m;
        setUp(m, c.style, c.start, c.cursor);
        m.setZeitDatum(c.zeitDatum);
        press(m, c.keys);
        EXPECT_EQ(m.fields(), c.expected) << c.start << " cursor " << c.cursor;
        EXPECT_EQ(m.cursor(), c.expectedCursor) << c.start << " cursor " << c.cursor;
    }
}

TEST(ZeitModel, FocusFindsTheFirstEmptyPart) {
    struct Case {
        S style;
        bool zeitDatum;
        ZeitFields f;
        int cursor;
    };
    const Case cases[] = {
        {S::zaBeides, false, kEmpty, 0},
        {S::zaBeides, true, kEmpty, 8},
        {S::zaBeides, false, {5, 3, 2024}, 8},
        {S::zaBeides, false, {5, 3, 0, 1, 2}, 4},
        {S::zaBeides, true, {5, 3, 2024, 1, 2}, 8},
        {S::zaUhr, false, {0, 0, 0, 1, -1}, 2},
        {S::zaDatum, true, {5, 3, 2024}, 0},
    };
    for (const Case& c : cases) {
        ZeitModel m;
        setUp(m, c.style, c.f, 3);
        m.setZeitDatum(c.zeitDatum);
        m.enterFocus();
        EXPECT_EQ(m.cursor(), c.cursor) << c.f;
    }
}

TEST(ZeitModel, MinutenCarriesDaysIntoAValidDate) {
    ZeitModel m;
    setUp(m, S::zaBeides, {31, 12, 2024, 23, 50});
    m.Minuten(15);
    EXPECT_EQ(m.fields(), (ZeitFields{1, 1, 2025, 0, 5}));
    m.Minuten(-10);
    EXPECT_EQ(m.fields(), (ZeitFields{31, 12, 2024, 23, 55}));
    setUp(m, S::zaBeides, {0, 0, 0, -1, -1});
    m.Minuten(1500);
    EXPECT_EQ(m.fields(), (ZeitFields{0, 0, 0, 1, 0}));
}

class ZeitPair : public ::testing::Test {
protected:
    ZeitPair() {
        for (ZeitModel* m : {&von, &bis}) m->SetStyle(S::zaBeides);
        von.Von = true;
        von.SetPartner(&bis);
        bis.SetPartner(&von);
    }
    static double at(int d, int h, int min) {
        return platform::encodeDate(2024, 3, d) + platform::encodeTime(h, min);
    }
    ZeitModel von, bis;
};

TEST_F(ZeitPair, SetValueKeepsTheRangeInOrder) {
    bis.SetValue(at(5, 10, 0));
    von.SetValue(at(6, 8, 0));
    EXPECT_EQ(bis.GetValue(), at(6, 8, 0));
    bis.SetValue(at(4, 9, 0));
    EXPECT_EQ(von.GetValue(), at(4, 9, 0));
    bis.SetAnsi("202403031200");
    EXPECT_EQ(von.GetValue(), at(3, 12, 0));
    ZeitModel other;
    EXPECT_FALSE(von.SetPartner(&other));  // the first partner sticks
    EXPECT_EQ(von.Kombi(), &bis);
}

TEST_F(ZeitPair, KeyEditsMoveThePartnerOrCrossMidnight) {
    von.SetValue(at(5, 22, 0));
    bis.SetValue(at(5, 23, 0));
    bis.setCursor(8);
    bis.key(K::Digit, 0);  // 03:00 on the same day: the range runs into the next day
    EXPECT_EQ(bis.GetValue(), at(6, 3, 0));
    EXPECT_EQ(von.GetValue(), at(5, 22, 0));
    von.setCursor(0);
    von.key(K::Digit, 1);  // 15.03: after the end, whose user has not changed it...
    EXPECT_EQ(bis.GetValue(), at(6, 3, 0));  // ...except that the key above did
    bis.Change = false;
    von.key(K::Up);
    EXPECT_EQ(bis.GetValue(), von.GetValue());
}

TEST_F(ZeitPair, MismatchedPartnersDoNotBounceForever) {
    // Two date-only starts: each one's value stays below the 12:00 the other passes on.
    bis.Von = true;
    bis.SetStyle(S::zaDatum);
    von.SetStyle(S::zaDatum);
    von.SetValue(at(5, 12, 0));
    EXPECT_EQ(bis.GetValue(), at(5, 0, 0));
    {
        ZeitModel gone;
        gone.SetPartner(&von);
    }
    von.SetValue(at(7, 1, 0));  // a partner that is gone is not touched
    EXPECT_EQ(bis.GetValue(), at(7, 0, 0));
}

TEST_F(ZeitPair, QuickPeriodsFillStartAndEnd) {
    const double feb1 = platform::encodeDate(2024, 2, 1), feb29 = platform::encodeDate(2024, 2, 29);
    const double lastMoment = platform::encodeTime(23, 59, 59, 999);
    const Period p = quickPeriod(QuickPeriod::DieserMonat, feb1 + 14.4);
    EXPECT_EQ(std::tuple(p.start, p.end), std::tuple(feb1, feb29 + lastMoment));
    von.applyPeriod(p, false);
    EXPECT_EQ(std::tuple(von.GetValue(), bis.GetValue()),
              std::tuple(feb1, feb29 + platform::encodeTime(23, 59)));
    EXPECT_TRUE(von.Change);
    bis.applyPeriod(p, false);  // from the end field: the same two values
    EXPECT_EQ(std::tuple(von.GetValue(), bis.GetValue()),
              std::tuple(feb1, feb29 + platform::encodeTime(23, 59)));

    const double jan = platform::encodeDate(2024, 1, 20);
    const Period last = quickPeriod(QuickPeriod::LetzterMonat, jan);
    EXPECT_EQ(std::tuple(last.start, last.end),
              std::tuple(platform::encodeDate(2023, 12, 1),
                         platform::encodeDate(2023, 12, 31) + lastMoment));
    EXPECT_EQ(quickPeriod(QuickPeriod::LetztesJahr, jan).start, platform::encodeDate(2023, 1, 1));
    EXPECT_EQ(quickPeriod(QuickPeriod::DiesesJahr, jan).end,
              platform::encodeDate(2024, 12, 31) + lastMoment);

    von.setTime(7, 30);  // a chosen month keeps the start's time and ends at 00:00
    von.applyPeriod(chosenMonth(2023, 2), true);
    EXPECT_EQ(std::tuple(von.fields(), bis.fields()),
              std::tuple(ZeitFields{1, 2, 2023, 7, 30}, ZeitFields{28, 2, 2023, 0, 0}));

    ZeitModel uhr;
    setUp(uhr, S::zaUhr, {0, 0, 0, 9, 0});
    uhr.applyPeriod(p, false);
    EXPECT_EQ(uhr.fields(), (ZeitFields{0, 0, 0, 9, 0}));
}

TEST(ZeitModel, ChangeDelaysGrowUntilTheyFire) {
    ChangeDelay d;
    std::vector<int> seen;
    for (int i = 0; i < 4; ++i) seen.push_back(d.arm());
    d.fired();
    seen.push_back(d.arm());
    EXPECT_EQ(seen, (std::vector<int>{400, 1000, 1600, 1600, 400}));
}

}  // namespace
}  // namespace calendar
