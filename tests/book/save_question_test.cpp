#include <gtest/gtest.h>

#include "platform/core/codepage.h"
#include "tests/book/month_store_fixture.h"

namespace month_test {
namespace {

using book::Action;

// The save question of a changed page, by sign-in state and answer: what is
// saved where, and whether the page is cleared.
TEST_F(MonthStoreTest, SaveQuestionClearsOnlyAfterNoOrASuccessfulSave) {
    struct Case {
        const char* what;
        bool signedIn;
        platform::Answer answer;
        int failWrite;      // 0 = the database save succeeds
        bool saveAsResult;  // the month file dialog and write
        bool cleared;
        int saveAsCalls;
    };
    const Case cases[] = {
        {"signed in, Ja", true, platform::Answer::Yes, 0, false, true, 0},
        {"signed in, Nein", true, platform::Answer::No, 0, false, true, 0},
        {"signed in, save fails, month file written", true, platform::Answer::Yes, 1, true, true,
         1},
        {"signed in, save fails, month file cancelled", true, platform::Answer::Yes, 1, false,
         false, 1},
        {"signed out, month file written", false, platform::Answer::Yes, 0, true, true, 1},
        {"signed out, month file cancelled", false, platform::Answer::Yes, 0, false, false, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        makeUsers(1);
        signIn(0);
        fresh(2024, 3);
        ASSERT_EQ(type(4, "08:00", "12:00"), -1);
        zb.angemeldet = c.signedIn;
        host.enabled[Action::Speichern] = true;
        host.saveAsResult = c.saveAsResult;
        host.calls.clear();
        boxes.clear();
        boxes.answer(c.answer);
        platform::injectWriteFailure(c.failWrite);
        const bool result = zb.Seite_sichern_fragen();
        platform::injectWriteFailure(0);

        ASSERT_GE(boxes.count(), 1u);
        EXPECT_EQ(boxes.shown()[0].text,
                  platform::cp1252("Daten wurden geändert. Soll vorher gespeichert werden"));
        EXPECT_EQ(boxes.shown()[0].buttons, platform::Buttons::YesNo);
        EXPECT_EQ(result, c.cleared);
        EXPECT_EQ(zb.zeilen.size(), c.cleared ? 1u : 2u);
        EXPECT_EQ(host.actionEnabled(Action::Speichern), !c.cleared);
        EXPECT_EQ(host.countOf("save as"), static_cast<size_t>(c.saveAsCalls));
    }
}

// An unchanged page, or one the user may not edit, is cleared without asking.
TEST_F(MonthStoreTest, SaveQuestionOnlyForAChangedEditablePage) {
    for (bool changed : {false, true}) {
        fresh(2024, 3);
        ASSERT_EQ(type(4, "08:00", "12:00"), -1);
        host.enabled[Action::Speichern] = changed;
        zb.bearbeitungErlaubt = !changed;
        boxes.clear();
        EXPECT_TRUE(zb.Seite_sichern_fragen());
        EXPECT_EQ(boxes.count(), 0u);
        EXPECT_EQ(zb.zeilen.size(), 1u);
        EXPECT_EQ(zb.summen, (std::array<int32_t, 6>{}));
    }
}

}  // namespace
}  // namespace month_test
