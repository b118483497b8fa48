// The sign-in dialog: administrator and users with right and wrong
// passwords, the automatic sign-in, "Automatisch anmelden", cancel and sign-out.
#include "controls/calendar/kalender.h"
#include "tests/app/window_fixture.h"

namespace app_test {
namespace {

const std::string kUserCaption = "Kronlaufbuch Benutzer:Muster Erika   Bereich:Technik";

TEST_F(WindowTest, AdministratorAndUserSignIn) {
    scriptSignIn("", "8542");  // empty name, administrator password
    start();
    EXPECT_FALSE(stillOpenAfterOk);
    EXPECT_TRUE(form->buch().angemeldet && form->buch().administrator);
    EXPECT_EQ(boxes.count(), 0u);
    // The dialog leaves the caption to the administrator sign-in; editing follows its release (off).
    EXPECT_EQ(caption(), "Administrator angemeldet");
    EXPECT_FALSE(form->buch().bearbeitungErlaubt);
    EXPECT_TRUE(form->commandEnabled("Abmelden"));

    addUser("anna", "geheim", 0x01 | 0x20);
    scriptSignIn("anna", "geheim");
    form->AnmeldenExecute();
    EXPECT_FALSE(stillOpenAfterOk);
    EXPECT_TRUE(form->buch().angemeldet);
    EXPECT_FALSE(form->buch().administrator);
    EXPECT_EQ(caption(), kUserCaption);
    EXPECT_TRUE(form->buch().bearbeitungErlaubt && form->buch().ganzeWochen);
    EXPECT_TRUE(form->commandEnabled("ToolButton7"));
    EXPECT_TRUE(form->MonthCalendar1->model().yearBlock());
    EXPECT_EQ(boxes.count(), 0u);

    // Cancel after a successful sign-in keeps the user; the dialog comes up emptied.
    app::TAnmeldung::modalRunner() = [](QDialog& d) {
        EXPECT_TRUE(static_cast<app::TAnmeldung&>(d).Edit1->text().isEmpty());
        static_cast<app::TAnmeldung&>(d).Button1Click();
        return d.result();
    };
    form->AnmeldenExecute();
    EXPECT_TRUE(form->anmeldungAbgebrochen);
    EXPECT_EQ(caption(), kUserCaption);

    form->action("Abmelden")->trigger();
    EXPECT_FALSE(form->buch().angemeldet);
    EXPECT_EQ(caption(), "Nicht Angemeldet");
    EXPECT_FALSE(form->commandEnabled("Abmelden"));
    EXPECT_TRUE(form->buch().bearbeitungErlaubt);
}

TEST_F(WindowTest, WrongPasswordsAreRefusedAndTheDialogStaysOpen) {
    addUser("anna", "geheim");
    const std::pair<const char*, const char*> cases[] = {{"", "1234"}, {"anna", "falsch"}, {"niemand", "geheim"}, {"", ""}};
    for (const auto& [name, password] : cases) {
        boxes.clear();
        scriptSignIn(name, password, true);
        start();
        EXPECT_TRUE(stillOpenAfterOk) << name << "/" << password;
        ASSERT_EQ(boxes.count(), 1u);
        EXPECT_EQ(boxes.last().text, cp1252("Passwort und/oder Benutzername ungültig"));
        EXPECT_EQ(boxes.last().caption, "Fehler");
        EXPECT_EQ(caption(), "Fehlerhafte Anmeldung");
        EXPECT_FALSE(form->buch().angemeldet);
        EXPECT_FALSE(form->buch().autoAnmeldung);  // "Automatisch anmelden" stores nothing on a failure
        for (const char* command : {"Abmelden", "Bilanz", "Anzeige_Jahr"}) EXPECT_FALSE(form->commandEnabled(command));
        EXPECT_FALSE(form->action("Admin")->isVisible());
        anmeldung.reset();
        form.reset();
    }
    scriptSignIn("anna", "geheim", true);  // ...and stores the user on a success
    start();
    EXPECT_TRUE(form->buch().autoAnmeldung);
    EXPECT_EQ(form->buch().autoBenutzer, "anna");
    EXPECT_EQ(form->buch().autoPasswort, "geheim");
    EXPECT_FALSE(anmeldung->CheckBox1->isChecked());
    form->action("Autoanmeldung")->trigger();  // "Immer Anmelden" takes it back
    EXPECT_FALSE(form->buch().autoAnmeldung);
    EXPECT_EQ(form->buch().autoBenutzer, "0");
    EXPECT_EQ(form->buch().autoPasswort, "0");
}

TEST_F(WindowTest, AutomaticSignInRunsWithoutTheDialog) {
    struct Case {
        const char* user;
        bool damaged, signedIn;
        size_t boxes;  // a deleted user: the long message; a damaged database: its own two boxes only
    } cases[] = {{"anna", false, true, 0}, {"bernd", false, false, 1}, {"anna", true, false, 2}};
    for (const Case& c : cases) {
        std::filesystem::remove_all(dataDir());
        addUser("anna", "geheim");
        settings([&](book::Zeitbuch& b) {
            b.autoAnmeldung = true;
            b.autoBenutzer = c.user;
            b.autoPasswort = "geheim";
        });
        if (c.damaged) std::filesystem::resize_file(dataFile("Benutzer.dat"), 5);
        boxes.clear();
        boxes.answer(platform::Answer::Ok);
        boxes.answer(platform::Answer::No);
        start();
        EXPECT_EQ(modalRuns, 0) << c.user;
        EXPECT_EQ(form->buch().angemeldet, c.signedIn) << c.user;
        ASSERT_EQ(boxes.count(), c.boxes) << c.user;
        EXPECT_TRUE(!c.signedIn || caption() == kUserCaption);
        if (c.boxes == 1) {
            EXPECT_EQ(boxes.last().text.rfind(cp1252("Automatische Anmeldung konnte nicht ausgeführt werden!\n"), 0), 0u);
            EXPECT_NE(boxes.last().text.find("'Immer Anmelden' klicken."), std::string::npos);
            EXPECT_EQ(boxes.last().caption, "Fehler");
            EXPECT_EQ(caption(), "Fehlerhafte Anmeldung");
        }
        anmeldung.reset();
        form.reset();
    }
}

}  // namespace
}  // namespace app_test
