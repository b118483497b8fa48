#include "book/calculation/year_balance.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>

#include "book/database/db_lock.h"
#include "platform/core/codepage.h"
#include "platform/core/file.h"
#include "tests/book/database/month_store_fixture.h"

namespace month_test {
namespace {

using book::Action;
using platform::Answer;
using Hours = std::array<int, 6>;

// The month line as the layout gives it: figures right-aligned in four
// characters ending at columns 38, 42, 47, 52, 57 and 62, zero as blanks.
std::string monthLine(Hours hours) {
    std::string s = ">>>>         Gesamt h" + std::string(44, ' ');
    const int last[6] = {38, 42, 47, 52, 57, 62};
    for (size_t i = 0; i < 6; ++i) sheet_test::putNumber(s, last[i] - 3, 4, hours[i]);
    return s;
}

class YearBalance : public MonthStoreTest {
protected:
    Seite pages[13];  // of 2024 by month

    // 2024: March 125 minutes (120 normal, 5 extra), July 150 (120, 30),
    // September only time off (-125), November only an overtime account line
    // (total 0: no month line); December 2023 and January 2025 lie outside.
    void SetUp() override {
        MonthStoreTest::SetUp();
        makeUsers(2);
        signIn(1);
        const std::tuple<int, int, int, const char*, char> months[] = {
            {2023, 12, 4, "18:00", ' '}, {2024, 3, 4, "10:05", ' '},  {2024, 7, 1, "10:30", ' '},
            {2024, 9, 2, "10:05", '-'},  {2024, 11, 4, "10:00", '+'}, {2025, 1, 6, "09:00", ' '}};
        for (auto [year, month, day, bis, marker] : months) {
            fresh(year, month);
            ASSERT_EQ(type(day, "08:00", bis, marker), -1);
            if (month == 3) zb.texte[0] = "Montage";
            if (year == 2024) pages[month] = snapshot();
            ASSERT_TRUE(save());
        }
        fresh(2024, 5);
        boxes.clear();
        host.calls.clear();
    }

    void expectBalance(const Hours& march, const Hours& july) {
        std::vector<std::string> lines, texts;
        for (int m = 1; m <= 12; ++m) {
            if (m > 1) lines.push_back("   "), texts.push_back("");
            lines.push_back("===========" + std::string(book::kMonthNames[m]) +
                            std::string(46, '='));
            texts.push_back(std::string(30, '='));
            const Seite& page = pages[m];
            lines.insert(lines.end(), page.zeilen.begin(), page.zeilen.end());
            texts.insert(texts.end(), page.texte.begin(), page.texte.end());
            if (m != 3 && m != 7 && m != 9) continue;
            lines.push_back(monthLine(m == 3 ? march : m == 7 ? july : Hours{-2, 0, 0, 0, 0, 0}));
            texts.push_back("      <<<<");  // the marker behind the line's 65 columns
        }
        EXPECT_EQ(std::vector<std::string>(zb.zeilen.begin(), zb.zeilen.end() - 1), lines);
        EXPECT_EQ(std::vector<std::string>(zb.texte.begin(), zb.texte.end() - 1), texts);
        EXPECT_EQ(zb.summen, (std::array<int32_t, 6>{125 + 150 - 125, 240 + 120, 35, 0, 0, 0}));
        EXPECT_TRUE(zb.jahresbilanz && zb.blattAngezeigt && host.has("controls balance"));
    }
};

TEST_F(YearBalance, BothRoundingModesAndLeavingLoadsTheLastSavedPage) {
    zb.mathRunden = false;
    ASSERT_TRUE(zb.BilanzExecute(true));
    expectBalance({3, 2, 1, 0, 0, 0}, {3, 2, 1, 0, 0, 0});
    ASSERT_TRUE(zb.BilanzExecute(true));
    EXPECT_TRUE(!zb.jahresbilanz && host.has("controls normal"));
    EXPECT_EQ(zb.jahr * 100 + zb.seitenMonat, 202501);
    fresh(2024, 5);
    zb.mathRunden = true;
    ASSERT_TRUE(zb.BilanzExecute(true));
    expectBalance({2, 2, 0, 0, 0, 0}, {3, 2, 1, 0, 0, 0});
}

// The save question of a page, by state and answer: the page is cleared only
// after "Nein" or a successful save (to the database or, failing that, to a file).
TEST_F(MonthStoreTest, SaveQuestionClearsOnlyAfterNoOrASuccessfulSave) {
    // Signed in, changed, editable, answer, failing write, month file written; cleared.
    const std::tuple<bool, bool, bool, Answer, int, bool, bool> cases[] = {
        {true, true, true, Answer::Yes, 0, false, true},
        {true, true, true, Answer::No, 0, false, true},
        {true, true, true, Answer::Yes, 1, true, true},
        {true, true, true, Answer::Yes, 1, false, false},
        {false, true, true, Answer::Yes, 0, false, false},
        {true, false, true, Answer::Yes, 1, false, true},
        {true, true, false, Answer::Yes, 1, false, true}};
    makeUsers(1);
    signIn(0);
    for (auto [signedIn, changed, editable, answer, fail, saveAs, cleared] : cases) {
        fresh(2024, 3);
        ASSERT_EQ(type(4, "08:00", "12:00"), -1);
        zb.angemeldet = signedIn;
        zb.bearbeitungErlaubt = editable;
        host.enabled[Action::Speichern] = changed;
        host.saveAsResult = saveAs;
        boxes.clear();
        boxes.answer(answer);
        platform::injectWriteFailure(fail);
        EXPECT_EQ(zb.Seite_sichern_fragen(), cleared) << signedIn << changed << editable << fail;
        platform::injectWriteFailure(0);
        const bool asked = changed && editable;
        EXPECT_EQ(zb.zeilen.size(), cleared ? 1u : 2u);
        EXPECT_EQ(host.actionEnabled(Action::Speichern), changed && !(asked && cleared));
        zb.angemeldet = zb.bearbeitungErlaubt = true;
        ASSERT_EQ(boxes.count() > 0, asked);
        if (!asked) continue;
        EXPECT_EQ(boxes.shown()[0].text,
                  platform::cp1252("Daten wurden geändert. Soll vorher gespeichert werden"));
    }
}

// The save question comes before the balance: "Ja" stores the changed page;
// a failed save keeps the page and the month view.
TEST_F(YearBalance, ChangedPageIsSavedBeforeTheBalance) {
    ASSERT_EQ(type(6, "08:00", "09:00"), -1);
    Seite page = snapshot();
    host.enabled[Action::Speichern] = true;
    boxes.answer(Answer::Yes);
    platform::injectWriteFailure(1);
    EXPECT_FALSE(zb.BilanzExecute(true));
    platform::injectWriteFailure(0);
    EXPECT_FALSE(zb.jahresbilanz || host.has("controls balance"));
    EXPECT_EQ(snapshot().zeilen, page.zeilen);
    boxes.answer(Answer::Yes);
    ASSERT_TRUE(zb.BilanzExecute(true));
    EXPECT_EQ(boxes.last().caption, "Achtung");  // the save question
    ASSERT_TRUE(zb.BilanzExecute(false));        // off without loading
    load(2024, 5);
    page.monat = 5;
    expectPage(page);
}

// Another program's live lock file (record locks refused): the balance waits
// once and says so once, not once for each month.
TEST_F(YearBalance, ALockThatCannotBeHadIsToldOnce) {
    char host[256] = {};
    ::gethostname(host, sizeof host - 1);
    dbtest::writeFile(book::lockFilePath(zb.datenOrdner),
                      std::string(host) + "\n" + std::to_string(::getppid()) + "\n1\n");
    platform::refuseRecordLocks(ENOLCK);
    book::setLockWaitLimit(50);
    EXPECT_TRUE(zb.BilanzExecute(true));
    book::setLockWaitLimit(0);
    platform::refuseRecordLocks(0);
    ASSERT_EQ(boxes.count(), 1u);
    EXPECT_EQ(boxes.last().caption, "Zugriff auf Datenbank gesperrt");
    EXPECT_TRUE(zb.jahresbilanz && zb.ladeFehler);
}

}  // namespace
}  // namespace month_test
