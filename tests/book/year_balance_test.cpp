#include "book/year_balance.h"

#include <gtest/gtest.h>

#include "platform/core/codepage.h"
#include "tests/book/month_store_fixture.h"

namespace month_test {
namespace {

using book::Action;

// The month line as the layout gives it: figures right-aligned in four
// characters ending at columns 38, 42, 47, 52, 57 and 62, zero as blanks.
std::string monthLine(std::array<int, 6> hours) {
    std::string s = ">>>>         Gesamt h";
    s.resize(65, ' ');
    const int last[6] = {38, 42, 47, 52, 57, 62};
    for (size_t i = 0; i < 6; ++i) {
        if (hours[i] == 0) continue;
        const std::string v = std::to_string(hours[i]);
        s.replace(static_cast<size_t>(last[i]) + 1 - v.size(), v.size(), v);
    }
    return s;
}

class YearBalance : public MonthStoreTest {
protected:
    Seite march, july, september, november;

    // 2024: March 125 minutes (120 normal, 5 extra), July 150 minutes (120
    // normal, 30 extra), September only time off (-125), November only an
    // overtime account line (total 0: no month line); December 2023 and
    // January 2025 lie outside the year.
    void SetUp() override {
        MonthStoreTest::SetUp();
        makeUsers(2);
        signIn(1);
        fresh(2023, 12);
        ASSERT_EQ(type(4, "08:00", "18:00"), -1);
        ASSERT_TRUE(save());
        fresh(2024, 3);
        ASSERT_EQ(type(4, "08:00", "10:05"), -1);
        zb.texte[0] = "Montage";
        march = snapshot();
        ASSERT_TRUE(save());
        fresh(2024, 7);
        ASSERT_EQ(type(1, "08:00", "10:30"), -1);
        july = snapshot();
        ASSERT_TRUE(save());
        fresh(2024, 9);
        ASSERT_EQ(type(2, "08:00", "10:05", '-'), -1);
        september = snapshot();
        ASSERT_TRUE(save());
        fresh(2024, 11);
        ASSERT_EQ(type(4, "08:00", "10:00", '+'), -1);
        november = snapshot();
        ASSERT_TRUE(save());
        fresh(2025, 1);
        ASSERT_EQ(type(6, "08:00", "09:00"), -1);
        ASSERT_TRUE(save());
        fresh(2024, 5);
        boxes.clear();
        host.calls.clear();
    }

    void expectBalance(const std::array<int, 6>& marchHours, const std::array<int, 6>& julyHours,
                       const std::array<int, 6>& septemberHours) {
        std::vector<std::string> lines, texts;
        for (int m = 1; m <= 12; ++m) {
            if (m > 1) {
                lines.push_back("   ");
                texts.push_back("");
            }
            lines.push_back("===========" + std::string(book::kMonthNames[m]) +
                            std::string(46, '='));
            texts.push_back(std::string(30, '='));
            const Seite* page = m == 3    ? &march
                                : m == 7  ? &july
                                : m == 9  ? &september
                                : m == 11 ? &november
                                          : nullptr;
            if (!page) continue;
            lines.insert(lines.end(), page->zeilen.begin(), page->zeilen.end());
            texts.insert(texts.end(), page->texte.begin(), page->texte.end());
            if (m == 11) continue;
            lines.push_back(monthLine(m == 3 ? marchHours : m == 7 ? julyHours : septemberHours));
            texts.push_back("<<<<");
        }
        ASSERT_EQ(zb.zeilen.size(), lines.size() + 1);
        EXPECT_EQ(std::vector<std::string>(zb.zeilen.begin(), zb.zeilen.end() - 1), lines);
        EXPECT_EQ(std::vector<std::string>(zb.texte.begin(), zb.texte.end() - 1), texts);
        EXPECT_EQ(zb.summen[0], 125 + 150 - 125);
        EXPECT_EQ(zb.summen[1], 240 + 120);
        EXPECT_EQ(zb.summen[2], 35);
        EXPECT_EQ(zb.aktuelleZeile, 0);
        EXPECT_TRUE(zb.blattAngezeigt);
        EXPECT_EQ(zb.bilanzZusatzzeilen, 36);
    }
};

TEST_F(YearBalance, AlwaysUpRounding) {
    zb.mathRunden = false;
    ASSERT_TRUE(zb.BilanzExecute(true));
    EXPECT_TRUE(zb.jahresbilanz);
    EXPECT_TRUE(host.has("controls balance"));
    expectBalance({3, 2, 1, 0, 0, 0}, {3, 2, 1, 0, 0, 0}, {-2, 0, 0, 0, 0, 0});
    EXPECT_EQ(boxes.count(), 0u);
}

TEST_F(YearBalance, HalfUpRounding) {
    zb.mathRunden = true;
    ASSERT_TRUE(zb.BilanzExecute(true));
    expectBalance({2, 2, 0, 0, 0, 0}, {3, 2, 1, 0, 0, 0}, {-2, 0, 0, 0, 0, 0});
}

TEST_F(YearBalance, HoursOfAMonth) {
    struct Case {
        int minutes, up, halfUp;
    };
    const Case cases[] = {{125, 3, 2}, {150, 3, 3},    {149, 3, 2}, {60, 1, 1},
                          {0, 0, 0},   {-125, -2, -2}, {-1, 0, 0},  {44640, 744, 744}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.minutes);
        EXPECT_EQ(book::bilanzStunden(c.minutes, false), c.up);
        EXPECT_EQ(book::bilanzStunden(c.minutes, true), c.halfUp);
    }
}

// Leaving the balance loads the last saved page again.
TEST_F(YearBalance, LeavingTheBalanceLoadsTheLastSavedPage) {
    ASSERT_TRUE(zb.BilanzExecute(true));
    ASSERT_TRUE(zb.BilanzExecute(true));
    EXPECT_FALSE(zb.jahresbilanz);
    EXPECT_TRUE(host.has("controls normal"));
    EXPECT_EQ(zb.seitenMonat, 1);
    EXPECT_EQ(zb.jahr, 2025);
    EXPECT_EQ(zb.zeilen.size(), 2u);
}

// The save question comes before the balance: "Ja" stores the changed page,
// "Nein" drops it, and a failed save keeps the page and the month view.
TEST_F(YearBalance, ChangedPageIsSavedBeforeTheBalance) {
    ASSERT_EQ(type(6, "08:00", "09:00"), -1);  // May
    const Seite may = snapshot();
    host.enabled[Action::Speichern] = true;
    boxes.answer(platform::Answer::Yes);
    ASSERT_TRUE(zb.BilanzExecute(true));
    ASSERT_GE(boxes.count(), 1u);
    EXPECT_EQ(boxes.shown()[0].text,
              platform::cp1252("Daten wurden geändert. Soll vorher gespeichert werden"));
    EXPECT_EQ(boxes.shown()[0].caption, "Achtung");
    EXPECT_TRUE(zb.jahresbilanz);
    ASSERT_TRUE(zb.BilanzExecute(false));  // off without loading
    load(2024, 5);
    Seite want = may;
    want.monat = 5;
    expectPage(want);

    fresh(2024, 8);
    ASSERT_EQ(type(6, "08:00", "09:00"), -1);
    host.enabled[Action::Speichern] = true;
    boxes.answer(platform::Answer::No);
    ASSERT_TRUE(zb.BilanzExecute(true));
    ASSERT_TRUE(zb.BilanzExecute(false));
    load(2024, 8);
    EXPECT_FALSE(zb.seiteGespeichert);
}

TEST_F(YearBalance, FailedSaveKeepsThePageAndTheMonthView) {
    ASSERT_EQ(type(6, "08:00", "09:00"), -1);
    const Seite may = snapshot();
    host.enabled[Action::Speichern] = true;
    boxes.answer(platform::Answer::Yes);
    platform::injectWriteFailure(1);
    EXPECT_FALSE(zb.BilanzExecute(true));
    platform::injectWriteFailure(0);
    EXPECT_FALSE(zb.jahresbilanz);
    EXPECT_FALSE(host.has("controls balance"));
    EXPECT_TRUE(host.has("save as"));  // the month file was offered
    EXPECT_TRUE(host.actionEnabled(Action::Speichern));
    EXPECT_EQ(snapshot().zeilen, may.zeilen);
}

}  // namespace
}  // namespace month_test
