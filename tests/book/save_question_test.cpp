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
    // Signed in, changed, editable, answer, failing write (0: the database save
    // succeeds), the month file written; page cleared, month file offered.
    const std::tuple<const char*, bool, bool, bool, Answer, int, bool, bool, size_t> cases[] = {
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
    for (auto [what, signedIn, changed, editable, answer, fail, saveAs, cleared, saveAsCalls] : cases) {
        SCOPED_TRACE(what);
        fresh(2024, 3);
        ASSERT_EQ(type(4, "08:00", "12:00"), -1);
        zb.angemeldet = signedIn;
        zb.bearbeitungErlaubt = editable;
        host.enabled[Action::Speichern] = changed;
        host.saveAsResult = saveAs;
        host.calls.clear();
        boxes.clear();
        boxes.answer(answer);
        platform::injectWriteFailure(fail);
        EXPECT_EQ(zb.Seite_sichern_fragen(), cleared);
        platform::injectWriteFailure(0);
        const bool asked = changed && editable;
        ASSERT_EQ(boxes.count() > 0, asked);
        EXPECT_EQ(zb.zeilen.size(), cleared ? 1u : 2u);
        EXPECT_EQ(host.actionEnabled(Action::Speichern), changed && !(asked && cleared));
        EXPECT_EQ(host.countOf("save as"), saveAsCalls);
        zb.angemeldet = zb.bearbeitungErlaubt = true;
        if (!asked) continue;
        EXPECT_EQ(boxes.shown()[0].text, platform::cp1252("Daten wurden geändert. Soll vorher gespeichert werden"));
        EXPECT_EQ(boxes.shown()[0].buttons, platform::Buttons::YesNo);
    }
}

}  // namespace
}  // namespace month_test
