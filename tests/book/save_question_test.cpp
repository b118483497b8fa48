#include <gtest/gtest.h>

#include "platform/core/codepage.h"
#include "tests/book/month_store_fixture.h"

namespace month_test {
namespace {

using book::Action;
using platform::Answer;

// The save question of a page, by state and answer: what is saved where, and
// whether the page is cleared (only after "Nein" or a successful save).
TEST_F(MonthStoreTest, SaveQuestionClearsOnlyAfterNoOrASuccessfulSave) {
    struct Case {
        const char* what;
        bool signedIn, changed, editable;
        Answer answer;
        int failWrite;      // 0 = the database save succeeds
        bool saveAsResult;  // the month file dialog and write
        bool cleared;
        int saveAsCalls;
    };
    const Case cases[] = {
        {"signed in, Ja", true, true, true, Answer::Yes, 0, false, true, 0},
        {"signed in, Nein", true, true, true, Answer::No, 0, false, true, 0},
        {"save fails, month file written", true, true, true, Answer::Yes, 1, true, true, 1},
        {"save fails, month file cancelled", true, true, true, Answer::Yes, 1, false, false, 1},
        {"signed out, month file written", false, true, true, Answer::Yes, 0, true, true, 1},
        {"signed out, month file cancelled", false, true, true, Answer::Yes, 0, false, false, 1},
        {"unchanged: no question", true, false, true, Answer::Yes, 1, false, true, 0},
        {"not editable: no question", true, true, false, Answer::Yes, 1, false, true, 0},
    };
    makeUsers(1);
    signIn(0);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fresh(2024, 3);
        ASSERT_EQ(type(4, "08:00", "12:00"), -1);
        zb.angemeldet = c.signedIn;
        zb.bearbeitungErlaubt = c.editable;
        host.enabled[Action::Speichern] = c.changed;
        host.saveAsResult = c.saveAsResult;
        host.calls.clear();
        boxes.clear();
        boxes.answer(c.answer);
        platform::injectWriteFailure(c.failWrite);
        const bool result = zb.Seite_sichern_fragen();
        platform::injectWriteFailure(0);
        const bool asked = c.changed && c.editable;
        ASSERT_GE(boxes.count(), asked ? 1u : 0u);
        if (asked) {
            EXPECT_EQ(boxes.shown()[0].text,
                      platform::cp1252("Daten wurden geändert. Soll vorher gespeichert werden"));
            EXPECT_EQ(boxes.shown()[0].buttons, platform::Buttons::YesNo);
        } else {
            EXPECT_EQ(boxes.count(), 0u);
        }
        EXPECT_EQ(result, c.cleared);
        EXPECT_EQ(zb.zeilen.size(), c.cleared ? 1u : 2u);
        EXPECT_EQ(host.actionEnabled(Action::Speichern), c.changed && !(asked && c.cleared));
        EXPECT_EQ(host.countOf("save as"), static_cast<size_t>(c.saveAsCalls));
        zb.angemeldet = zb.bearbeitungErlaubt = true;
    }
}

}  // namespace
}  // namespace month_test
