// Two windows of one user on one month: a save that finds the month stored
// otherwise than its window loaded (or last saved) it asks before it
// overwrites; "Nein" keeps the stored month and the page on screen.
#include <gtest/gtest.h>

#include <functional>

#include "platform/core/codepage.h"
#include "tests/book/database/db_fixture.h"

namespace book {
namespace {

using namespace dbtest;
using platform::Answer;

const std::string kQuestion = platform::cp1252(
    "Dieser Monat wurde inzwischen von einem anderen Programm gespeichert.\n"
    "Soll er mit den angezeigten Daten überschrieben werden?");

// One program's window on the data folder, signed in as anna.
struct Window {
    testing_support::RecordingHost host;
    Zeitbuch zb{host};
    explicit Window(const std::string& dir) { zb.datenOrdner = dir; }
    void open(int month) {
        zb.angemeldet = false;
        ASSERT_TRUE(zb.Pruefe_Anmeldung("anna", "pw1"));
        zb.seiteLeeren();
        zb.jahr = 2008;
        zb.Monat_einstellen(month);
        zb.Monat_laden(static_cast<uint8_t>(month), 2008);
        ASSERT_FALSE(zb.ladeFehler);
    }
    // The page changed: a work text (or, on a page without lines, nothing).
    void change(const std::string& text) {
        if (zb.texte.size() > 1) zb.texte[0] = text;
        host.enableAction(Action::Speichern, true);
    }
};

// The month as stored now: the first work text, "-" for none, "absent".
std::string stored(const std::string& dir, int month) {
    Window w(dir);
    w.open(month);
    if (!w.zb.seiteGespeichert) return "absent";
    return w.zb.texte.size() > 1 ? w.zb.texte[0] : "-";
}

struct Case {
    const char* what;
    int monthA, monthB;           // the months the two windows show
    std::vector<Answer> answers;  // to B's questions
    bool asked;
    bool savedB;
    const char* after;  // B's month as stored afterwards
};

TEST(SameMonth, TheSecondSaveAsksBeforeOverwriting) {
    const Case cases[] = {
        {"Nein keeps the first save", 3, 3, {Answer::No}, true, false, "A"},
        {"Ja overwrites", 3, 3, {Answer::Yes}, true, true, "B"},
        {"another month is no question", 4, 3, {}, false, true, "B"},
        {"a month stored meanwhile", 5, 5, {Answer::No}, true, false, "-"},
        {"stored meanwhile, Ja", 5, 5, {Answer::Yes}, true, true, "-"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Fixture f(twoUsers());
        Window a(f.dir.path()), b(f.dir.path());
        a.open(c.monthA);
        b.open(c.monthB);
        a.change("A");
        b.change("B");
        platform::ScriptedMessages boxes;
        ASSERT_TRUE(a.zb.Monat_speichern());
        EXPECT_EQ(boxes.count(), 0u);
        for (Answer x : c.answers) boxes.answer(x);
        EXPECT_EQ(b.zb.Monat_speichern(), c.savedB);
        EXPECT_EQ(lastBox(boxes), c.asked ? kQuestion + "|Achtung" : "");
        if (c.asked) {
            EXPECT_EQ(boxes.last().buttons, platform::Buttons::YesNo);
        }
        EXPECT_EQ(boxes.count(), c.asked ? 1u : 0u);
        // The page on screen is B's either way; unsaved it stays changed.
        if (b.zb.texte.size() > 1) {
            EXPECT_EQ(b.zb.texte[0], "B");
        }
        EXPECT_EQ(b.host.actionEnabled(Action::Speichern), !c.savedB);
        EXPECT_EQ(stored(f.dir.path(), c.monthB), c.after);
        if (!c.savedB) continue;
        // B's own save is what it compares with next: no question again.
        boxes.clear();
        b.change("B2");
        EXPECT_TRUE(b.zb.Monat_speichern());
        EXPECT_EQ(boxes.count(), 0u);
    }
}

// The save question before a page change: "Nein" to overwriting keeps the
// page and its month, and offers no month file instead.
TEST(SameMonth, NeinInTheSaveQuestionKeepsThePage) {
    Fixture f(twoUsers());
    Window a(f.dir.path()), b(f.dir.path());
    a.open(3);
    b.open(3);
    a.change("A");
    b.change("B");
    platform::ScriptedMessages boxes;
    ASSERT_TRUE(a.zb.Monat_speichern());
    boxes.answer(Answer::Yes);  // save first?
    boxes.answer(Answer::No);   // overwrite?
    EXPECT_FALSE(b.zb.Seite_sichern_fragen());
    EXPECT_EQ(boxes.count(), 2u);
    EXPECT_FALSE(b.host.has("save as"));
    EXPECT_EQ(b.zb.texte[0], "B");
    EXPECT_TRUE(b.host.actionEnabled(Action::Speichern));
    EXPECT_EQ(stored(f.dir.path(), 3), "A");
}

// A saves again while B's question is open: B's "Ja" was for the month as
// it stood then, so B asks once more.
TEST(SameMonth, ASaveDuringTheQuestionIsAskedAbout) {
    for (const Answer second : {Answer::Yes, Answer::No}) {
        Fixture f(twoUsers());
        Window a(f.dir.path()), b(f.dir.path());
        a.open(3);
        b.open(3);
        a.change("A");
        b.change("B");
        platform::ScriptedMessages quiet;
        ASSERT_TRUE(a.zb.Monat_speichern());
        int questions = 0;
        platform::setMessageHandler([&](const platform::MessageRequest& r) {
            EXPECT_EQ(r.text, kQuestion);
            if (++questions == 1) {
                a.change("A2");
                EXPECT_TRUE(a.zb.Monat_speichern());
                return Answer::Yes;
            }
            return second;
        });
        EXPECT_EQ(b.zb.Monat_speichern(), second == Answer::Yes);
        platform::setMessageHandler(nullptr);
        EXPECT_EQ(questions, 2);
        EXPECT_EQ(stored(f.dir.path(), 3), second == Answer::Yes ? "B" : "A2");
    }
}

}  // namespace
}  // namespace book
