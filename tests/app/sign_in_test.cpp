// The sign-in dialog: administrator and users with right and wrong
// passwords, the automatic sign-in, "Automatisch anmelden" and cancel.
#include <QLineEdit>

#include "controls/calendar/kalender.h"
#include "platform/core/codepage.h"
#include "tests/app/window_fixture.h"

namespace app_test {
namespace {

using platform::cp1252;

const std::string kLongMessageStart = cp1252("Automatische Anmeldung konnte nicht ausgeführt werden!\n");

TEST_F(WindowTest, AdministratorSignsInWithTheAdministratorPassword) {
    scriptSignIn("", "8542");
    start();
    EXPECT_FALSE(stillOpenAfterOk);
    EXPECT_TRUE(form->buch().angemeldet);
    EXPECT_TRUE(form->buch().administrator);
    EXPECT_EQ(boxes.count(), 0u);
    // The dialog leaves the caption to the administrator sign-in itself.
    EXPECT_NE(caption(), "Fehlerhafte Anmeldung");
    EXPECT_EQ(caption().rfind("Kronlaufbuch Benutzer:", 0), std::string::npos);
    // Editing follows the administrator release, which is off.
    EXPECT_FALSE(form->buch().bearbeitungErlaubt);
    EXPECT_TRUE(form->commandEnabled("Abmelden"));
}

TEST_F(WindowTest, WrongPasswordsAreRefusedAndTheDialogStaysOpen) {
    addUser("anna", "geheim");
    struct Case {
        const char* name;
        const char* password;
    } cases[] = {{"", "1234"}, {"anna", "falsch"}, {"niemand", "geheim"}, {"", ""}};
    for (const Case& c : cases) {
        boxes.clear();
        scriptSignIn(c.name, c.password);
        start();
        EXPECT_TRUE(stillOpenAfterOk) << c.name << "/" << c.password;
        ASSERT_EQ(boxes.count(), 1u);
        EXPECT_EQ(boxes.last().text, cp1252("Passwort und/oder Benutzername ungültig"));
        EXPECT_EQ(boxes.last().caption, "Fehler");
        EXPECT_EQ(caption(), "Fehlerhafte Anmeldung");
        EXPECT_FALSE(form->buch().angemeldet);
        EXPECT_TRUE(form->buch().bearbeitungErlaubt);
        EXPECT_FALSE(form->commandEnabled("Abmelden"));
        EXPECT_FALSE(form->commandEnabled("Bilanz"));
        EXPECT_FALSE(form->commandEnabled("Anzeige_Jahr"));
        EXPECT_FALSE(form->action("Admin")->isVisible());
        anmeldung.reset();
        form.reset();
    }
}

TEST_F(WindowTest, AUserSignsInAndTheirMonthIsShown) {
    addUser("anna", "geheim", 0x01 | 0x20);
    scriptSignIn("anna", "geheim");
    start();
    EXPECT_FALSE(stillOpenAfterOk);
    EXPECT_TRUE(form->buch().angemeldet);
    EXPECT_EQ(caption(), "Kronlaufbuch Benutzer:Muster Erika   Bereich:Technik");
    EXPECT_TRUE(form->buch().bearbeitungErlaubt);
    EXPECT_TRUE(form->buch().ganzeWochen);
    EXPECT_TRUE(form->commandEnabled("ToolButton7"));
    EXPECT_TRUE(form->commandEnabled("Abmelden"));
    EXPECT_TRUE(form->MonthCalendar1->model().yearBlock());
    EXPECT_EQ(boxes.count(), 0u);
}

TEST_F(WindowTest, AutomaticSignInRunsWithoutTheDialog) {
    addUser("anna", "geheim");
    writeSettings([](book::Zeitbuch& b) {
        b.autoAnmeldung = true;
        b.autoBenutzer = "anna";
        b.autoPasswort = "geheim";
    });
    start();
    EXPECT_EQ(modalRuns, 0);
    EXPECT_TRUE(form->buch().angemeldet);
    EXPECT_EQ(caption(), "Kronlaufbuch Benutzer:Muster Erika   Bereich:Technik");
    EXPECT_EQ(boxes.count(), 0u);
}

TEST_F(WindowTest, AutomaticSignInOfADeletedUserGivesTheLongMessage) {
    addUser("anna", "geheim");
    writeSettings([](book::Zeitbuch& b) {
        b.autoAnmeldung = true;
        b.autoBenutzer = "bernd";
        b.autoPasswort = "x";
    });
    start();
    EXPECT_EQ(modalRuns, 0);
    ASSERT_EQ(boxes.count(), 1u);
    EXPECT_EQ(boxes.last().text.rfind(kLongMessageStart, 0), 0u);
    EXPECT_NE(boxes.last().text.find("'Immer Anmelden' klicken."), std::string::npos);
    EXPECT_EQ(boxes.last().caption, "Fehler");
    EXPECT_EQ(caption(), "Fehlerhafte Anmeldung");
    EXPECT_FALSE(form->buch().angemeldet);
}

TEST_F(WindowTest, AutomaticSignInWithADamagedDatabaseSaysNothingMore) {
    addUser("anna", "geheim");
    writeSettings([](book::Zeitbuch& b) {
        b.autoAnmeldung = true;
        b.autoBenutzer = "anna";
        b.autoPasswort = "geheim";
    });
    truncateFile(platform::joinPath(dataDir(), "Benutzer.dat"), 5);
    boxes.answer(platform::Answer::Ok);
    boxes.answer(platform::Answer::No);
    start();
    EXPECT_EQ(boxes.count(), 2u);  // the fault and the restore question only
    EXPECT_EQ(modalRuns, 0);
    EXPECT_FALSE(form->buch().angemeldet);
}

TEST_F(WindowTest, AutomatischAnmeldenIsStoredOnlyAfterASuccess) {
    addUser("anna", "geheim");
    scriptSignIn("anna", "falsch", true);
    start();
    EXPECT_FALSE(form->buch().autoAnmeldung);
    EXPECT_EQ(form->buch().autoBenutzer, "");

    scriptSignIn("anna", "geheim", true);
    form->AnmeldenExecute();
    EXPECT_TRUE(form->buch().angemeldet);
    EXPECT_TRUE(form->buch().autoAnmeldung);
    EXPECT_EQ(form->buch().autoBenutzer, "anna");
    EXPECT_EQ(form->buch().autoPasswort, "geheim");
    EXPECT_FALSE(anmeldung->CheckBox1->isChecked());

    // "Immer Anmelden" takes it back.
    form->action("Autoanmeldung")->trigger();
    EXPECT_FALSE(form->buch().autoAnmeldung);
    EXPECT_EQ(form->buch().autoBenutzer, "0");
    EXPECT_EQ(form->buch().autoPasswort, "0");
}

TEST_F(WindowTest, CancelAfterASignInKeepsTheUser) {
    addUser("anna", "geheim");
    scriptSignIn("anna", "geheim");
    start();
    ASSERT_TRUE(form->buch().angemeldet);
    app::TAnmeldung::modalRunner() = [this](QDialog& d) {
        ++modalRuns;
        d.show();
        EXPECT_TRUE(static_cast<app::TAnmeldung&>(d).Edit1->text().isEmpty());  // emptied
        static_cast<app::TAnmeldung&>(d).Button1Click();
        d.hide();
        return d.result();
    };
    form->AnmeldenExecute();
    EXPECT_TRUE(form->anmeldungAbgebrochen);
    EXPECT_TRUE(form->buch().angemeldet);
    EXPECT_EQ(caption(), "Kronlaufbuch Benutzer:Muster Erika   Bereich:Technik");
}

TEST_F(WindowTest, SigningOutReturnsToTheSignedOutWindow) {
    addUser("anna", "geheim");
    scriptSignIn("anna", "geheim");
    start();
    form->action("Abmelden")->trigger();
    EXPECT_FALSE(form->buch().angemeldet);
    EXPECT_EQ(caption(), "Nicht Angemeldet");
    EXPECT_FALSE(form->commandEnabled("Abmelden"));
    EXPECT_TRUE(form->buch().bearbeitungErlaubt);
}

}  // namespace
}  // namespace app_test
