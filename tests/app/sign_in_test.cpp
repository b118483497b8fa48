// The sign-in dialog: administrator and users with right and wrong
// passwords, the automatic sign-in, "Automatisch anmelden", cancel and sign-out.
#include "controls/calendar/kalender.h"
#include "tests/app/window_fixture.h"

namespace app_test {
namespace {

using std::tuple;
constexpr const char* kUserCaption = "Kronlaufbuch Benutzer:Muster Erika   Bereich:Technik";

TEST_F(WindowTest, AdministratorAndUserSignIn) {
    scriptSignIn("", "8542");  // empty name, administrator password
    start();
    // The dialog leaves the caption to the administrator sign-in; editing follows its release (off).
    EXPECT_EQ(tuple(stillOpenAfterOk, form->buch().angemeldet, form->buch().administrator, boxes.count(), caption(),
                    form->buch().bearbeitungErlaubt, form->commandEnabled("Abmelden")),
              tuple(false, true, true, 0u, "Administrator angemeldet", false, true));
    addUser("anna", "geheim", 0x01 | 0x20);
    scriptSignIn("anna", "geheim");
    form->AnmeldenExecute();
    EXPECT_EQ(tuple(stillOpenAfterOk, form->buch().angemeldet, form->buch().administrator, boxes.count(), caption(),
                    form->buch().bearbeitungErlaubt, form->buch().ganzeWochen, form->commandEnabled("ToolButton7")),
              tuple(false, true, false, 0u, kUserCaption, true, true, true));
    EXPECT_TRUE(form->MonthCalendar1->model().yearBlock());
    // Cancel after a successful sign-in keeps the user; the dialog comes up emptied.
    app::TAnmeldung::modalRunner() = [](QDialog& d) {
        EXPECT_TRUE(static_cast<app::TAnmeldung&>(d).Edit1->text().isEmpty());
        static_cast<app::TAnmeldung&>(d).Button1Click();
        return d.result();
    };
    form->AnmeldenExecute();
    EXPECT_EQ(tuple(form->anmeldungAbgebrochen, caption()), tuple(true, kUserCaption));
    form->action("Abmelden")->trigger();
    EXPECT_EQ(tuple(form->buch().angemeldet, caption(), form->commandEnabled("Abmelden"), form->buch().bearbeitungErlaubt),
              tuple(false, "Nicht Angemeldet", false, true));
}

TEST_F(WindowTest, WrongPasswordsAreRefusedAndTheDialogStaysOpen) {
    addUser("anna", "geheim");
    for (const auto& [name, password] : {std::pair{"", "1234"}, {"anna", "falsch"}, {"niemand", "geheim"}, {"", ""}}) {
        boxes.clear();
        scriptSignIn(name, password, true);
        start();
        ASSERT_EQ(boxes.count(), 1u);
        // "Automatisch anmelden" stores nothing on a failure.
        EXPECT_EQ(tuple(stillOpenAfterOk, boxes.last().text, boxes.last().caption, caption(), form->buch().angemeldet,
                        form->buch().autoAnmeldung),
                  tuple(true, cp1252("Passwort und/oder Benutzername ungültig"), "Fehler", "Fehlerhafte Anmeldung",
                        false, false)) << name << "/" << password;
        for (const char* command : {"Abmelden", "Bilanz", "Anzeige_Jahr"}) EXPECT_FALSE(form->commandEnabled(command));
        EXPECT_FALSE(form->action("Admin")->isVisible());
    }
    scriptSignIn("anna", "geheim", true);  // ...and stores the user on a success
    start();
    const book::Zeitbuch& b = form->buch();
    EXPECT_EQ(tuple(b.autoAnmeldung, b.autoBenutzer, b.autoPasswort, anmeldung->CheckBox1->isChecked()),
              tuple(true, "anna", "geheim", false));
    form->action("Autoanmeldung")->trigger();  // "Immer Anmelden" takes it back
    EXPECT_EQ(tuple(b.autoAnmeldung, b.autoBenutzer, b.autoPasswort), tuple(false, "0", "0"));
}

TEST_F(WindowTest, AutomaticSignInRunsWithoutTheDialog) {
    // A deleted user gets the long message; with a damaged database this dialog says nothing.
    for (const auto& [user, damaged, signedIn, count, title] :
         {tuple("anna", false, true, 0u, kUserCaption), {"bernd", false, false, 1u, "Fehlerhafte Anmeldung"},
          {"anna", true, false, 2u, "Nicht Angemeldet"}}) {
        std::filesystem::remove_all(dataDir());
        addUser("anna", "geheim");
        settings([&](book::Zeitbuch& b) { b.autoAnmeldung = true, b.autoBenutzer = user, b.autoPasswort = "geheim"; });
        if (damaged) std::filesystem::resize_file(dataFile("Benutzer.dat"), 5);
        boxes.clear();
        boxes.answer(platform::Answer::Ok);
        boxes.answer(platform::Answer::No);
        start();
        EXPECT_EQ(tuple(modalRuns, form->buch().angemeldet, boxes.count()), tuple(0, signedIn, count)) << user;
        EXPECT_EQ(caption(), title);
        if (count != 1) continue;
        EXPECT_EQ(boxes.last().text.rfind(cp1252("Automatische Anmeldung konnte nicht ausgeführt werden!\n"), 0), 0u);
        EXPECT_NE(boxes.last().text.find("'Immer Anmelden' klicken."), std::string::npos);
        EXPECT_EQ(boxes.last().caption, "Fehler");
    }
}

}  // namespace
}  // namespace app_test
