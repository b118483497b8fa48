// The main window's start-up (empty program folder, the month shown, the
// database check with its restore offer), shutdown (settings file, backup
// generations, "Beenden"), status codes, help, the clock and "today"; the
// sign-in dialog; the handler exception catch.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QScrollBar>
#include <QSpinBox>
#include <stdexcept>

#include "app/application.h"
#include "app/main_window/window_parts.h"
#include "book/files/settings_block.h"
#include "controls/calendar/kalender.h"
#include "platform/ui/windows/window_placement.h"
#include "tests/app/main_window/window_fixture.h"

namespace app_test {
namespace {

using std::tuple;

TEST_F(WindowTest, EmptyProgramFolderShowsTheCurrentMonthSignedOut) {
    start();  // no settings, no database: the dialog is shown and cancelled
    EXPECT_EQ(tuple(modalRuns, caption(), boxes.count()), tuple(1, "Nicht Angemeldet", 0u));
    EXPECT_EQ(tuple(form->buch().programmOrdner, form->buch().datenOrdner),
              tuple(std::filesystem::current_path().string(), dataDir()));
    for (const auto& [section, text] : {std::pair{6, " 25%"}, {7, " 50%"}, {10, "Art der Arbeit"}})
        EXPECT_EQ(form->HeaderControl1->caption(section), text);
    // The eleven totals lines (their texts are the book's; the panel's pixels in the sheet tests).
    ASSERT_EQ(form->buch().summenZeilen.size(), 11u);
    EXPECT_NE(form->buch().summenZeilen[0].find(cp1252("Gesamtüberstunden")), std::string::npos);
    EXPECT_NE(form->MonthCalendar1->Heute->text().indexOf(QStringLiteral("06.12.2026")), -1);
    EXPECT_EQ(tuple(form->StatusBar1->panelText(1), form->StatusBar1->panelText(2)),
              tuple(cp1252("Einfügen"), "09:30"));
    // The entry line is the open line in the top row; everything fits.
    EXPECT_EQ(tuple(form->offeneZeilenReihe, form->buch().eingabe.substr(5, 5),
                    form->ScrollBar1->isEnabled()),
              tuple(0, "06.12", false));
}

TEST_F(WindowTest, OpensOnTheScreenAndTakesTheKeyboard) {
    start();
    const QRect area = ui::availableArea(form.get());
    EXPECT_TRUE(area.contains(form->QWidget::geometry())) << form->x() << "," << form->y();
    form->show();
    QApplication::processEvents();
    EXPECT_EQ(QApplication::activeWindow(), form.get());
}

TEST_F(WindowTest, FirstOfAMonthShowsThePreviousMonth) {
    for (const auto& [now, y, m] :
         {tuple(at(2026, 3, 1), 2026, 2), {at(2026, 1, 1), 2025, 12}, {at(2026, 3, 2), 2026, 3}}) {
        clock.set(now);
        createWindow();  // the book, the calendar and the month and year controls agree
        EXPECT_EQ(tuple(form->buch().jahr, form->buch().monat, form->MonthCalendar1->Get_Jahr(),
                        form->MonthCalendar1->Get_Monat(), form->Anzeige_Jahr->value(),
                        form->ComboBox1->currentIndex()),
                  tuple(y, m, y, m, y, m - 1));
    }
}

TEST_F(WindowTest, ADamagedDatabaseNamesTheFaultAndOffersTheRestore) {
    addUser("anna", "geheim");
    createWindow();  // sound: takes the safety copies
    // Block file cut to `size` (5: block head cut, 0: more records than blocks; with the
    // index cut to nothing too, while the copies hold the user: "H"), the fault character,
    // the restore accepted, the safety copy damaged too.
    for (const auto& [size, fault, restore, copyDamaged, indexCut] :
         {tuple(5, '1', 0, 0, 0), {0, 'F', 0, 0, 0}, {0, 'H', 0, 0, 1}, {0, 'H', 1, 0, 1},
          {5, '1', 1, 0, 0}, {5, '1', 1, 1, 0}}) {
        std::filesystem::resize_file(platform::joinPath(dataDir(), "Benutzer.dat"), size);
        if (indexCut)
            std::filesystem::resize_file(platform::joinPath(dataDir(), "Benutzer.log"), 0);
        if (copyDamaged)
            std::filesystem::resize_file(platform::joinPath(dataDir(), "Benutzerdat.bak"), 5);
        boxes.clear();
        boxes.answer(platform::Answer::Ok);  // the fault box
        boxes.answer(restore ? platform::Answer::Yes : platform::Answer::No);
        scriptSignIn("anna", "geheim");
        modalRuns = 0;
        start();
        ASSERT_GE(boxes.count(), 2u);
        const std::string& text = boxes.shown()[0].text;
        EXPECT_EQ(tuple(boxes.shown()[0].caption, text.substr(text.size() - 14),
                        boxes.shown()[1].buttons),
                  tuple("Datenbank fehlerhaft", std::string("Fehlernummer ") + fault,
                        platform::Buttons::YesNo));
        // Declined: no second check message and sign-in stays closed; a failed restore says so.
        const bool repaired = restore && !copyDamaged;
        EXPECT_EQ(tuple(boxes.count(), form->buch().datenbankFehler != 0, form->buch().angemeldet,
                        modalRuns),
                  tuple(copyDamaged ? 3u : 2u, !repaired, repaired, repaired ? 1 : 0))
            << size << restore << copyDamaged;
    }
    EXPECT_EQ(tuple(boxes.last().text, boxes.last().caption),
              tuple("Die Datenbank ist immer noch fehlerhaft", "Datenbank fehlerhaft"));
    form->AnmeldenExecute();
    EXPECT_EQ(
        tuple(modalRuns, boxes.last().text, boxes.last().caption, form->buch().angemeldet),
        tuple(0, cp1252("Anmeldung bei defekter Datenbank nicht möglich!"), "Achtung", false));
}

TEST_F(WindowTest, ClosingWritesTheSettingsAndRotatesBackupsWhenAsked) {
    addUser("anna", "geheim");
    const std::string backups = platform::joinPath(dir.path(), "Sicherung");
    // "Beenden" asks and writes too, but makes no backup.
    for (const auto& [options, beenden, rotated] :
         {tuple(book::kOptBackup | book::kOptBackupJedesMal, false, true),
          {book::kOptBackup | book::kOptBackupJedesMal, true, false},
          {book::kOptBackup, false, false}}) {
        std::filesystem::remove_all(backups);
        std::filesystem::create_directories(platform::joinPath(backups, "1"));
        settings([&](book::Zeitbuch& b) {
            b.backupOrdner = backups;
            b.grundlagen.optionen = static_cast<uint16_t>(0x00AE | options);
        });
        createWindow();
        form->buch().adminPasswort = "neu";                 // changed during the run
        form->enableAction(book::Action::Speichern, true);  // and a changed page, not saved
        boxes.answer(platform::Answer::No);
        if (beenden) form->action("Beenden1")->trigger();
        EXPECT_TRUE(beenden ? terminated : form->FormClose());
        EXPECT_EQ(boxes.last().text,
                  cp1252("Daten wurden geändert. Soll vorher gespeichert werden"));
        EXPECT_EQ(std::filesystem::exists(platform::joinPath(backups, "1", "Benutzer.dat")),
                  rotated)
            << options << beenden;
        EXPECT_EQ(tuple(settings().adminPasswort, fileAsks), tuple("neu", 0));
    }
}

// Two windows on one program folder: the administrator changes "Nacht in %"
// in the first, which closes first; the second, which changed nothing, keeps it.
TEST_F(WindowTest, ASecondWindowKeepsTheSettingsTheFirstChanged) {
    settings([](book::Zeitbuch& b) { b.grundlagen.prozentNacht = 25; });
    createWindow();
    auto second = std::make_unique<app::TForm1>();
    form->buch().grundlagen.prozentNacht = 30;
    EXPECT_TRUE(form->FormClose() && second->FormClose());
    EXPECT_EQ(tuple(settings().grundlagen.prozentNacht, boxes.count()), tuple(30, 0u));
}

TEST_F(WindowTest, AFailedSaveOffersSaveAsAndKeepsThePage) {
    createWindow();
    // Not signed in: "Yes" saves a month file; the dialog is cancelled.
    auto& b = form->buch();
    b.zeilen.insert(b.zeilen.begin(), b.zeilen.back());
    b.texte.insert(b.texte.begin(), "Wartung");
    form->enableAction(book::Action::Speichern, true);
    boxes.answer(platform::Answer::Yes);
    EXPECT_FALSE(form->FormClose());
    EXPECT_EQ(tuple(fileAsks, b.texte.front(), form->commandEnabled("Speichern")),
              tuple(1, "Wartung", true));
    EXPECT_FALSE(std::filesystem::exists(platform::joinPath(dir.path(), "Kronlauf.ini")));
    // A name given: the month file is written and the page cleared.
    boxes.answer(platform::Answer::Yes);
    fileAnswer = platform::joinPath(dir.path(), "monat.akt");
    EXPECT_TRUE(form->FormClose());
    EXPECT_TRUE(std::filesystem::exists(fileAnswer));
    EXPECT_EQ(tuple(b.texte.size(), form->commandEnabled("Speichern")), tuple(1u, false));
}

TEST_F(WindowTest, StatusCodesHelpClockAndToday) {
    createWindow();
    for (const auto& [code, text] :
         {std::pair{2, "Die maximale Anzahl an Zeichen für die 'Art der Arbeit' ist erreicht!"},
          {7, "In der ausgewählten Woche muss ein Tag selektiert werden!"}}) {
        form->Hinweis_zeigen(code);
        form->Timer1Timer();
        form->action("ToolButton20")->trigger();
        EXPECT_EQ(tuple(form->StatusBar1->panelText(0), helpShown.back()),
                  tuple(cp1252(text), 50 + code));
    }
    for (int tick = 1; tick <= 11; ++tick) {  // the eleventh tick withdraws code and help button
        form->Timer2Timer();
        EXPECT_EQ(tuple(form->statusCode, form->action("ToolButton20")->isVisible()),
                  tick < 11 ? tuple(7, true) : tuple(0, false))
            << tick;
    }

    // The clock, and "today" moving on at midnight and after sleeping over it.
    const auto shown = [&] {
        return tuple(ui::fromQString(form->MonthCalendar1->Heute->text()).substr(10),
                     form->buch().heuteTag, form->StatusBar1->panelText(2));
    };
    clock.set(at(2026, 12, 7, 0, 0) + 0.5 / 86400);
    form->Timer2Timer();
    EXPECT_EQ(shown(), tuple("07.12.2026", 7, "00:00"));
    // Slept from 00:00 to 08:17 two days later: the first tick sees it.
    clock.set(at(2026, 12, 9, 8, 17));
    form->Timer2Timer();
    EXPECT_EQ(shown(), tuple("09.12.2026", 9, "08:17"));
}

// ---- Sign-in dialog ----

constexpr const char* kUserCaption = "Kronlaufbuch Benutzer:Muster Erika   Bereich:Technik";

TEST_F(WindowTest, AdministratorAndUserSignIn) {
    scriptSignIn("", "8542");  // empty name, administrator password
    start();
    // The dialog leaves the caption to the administrator sign-in; editing follows its release
    // (off).
    EXPECT_EQ(
        tuple(stillOpenAfterOk, form->buch().angemeldet, form->buch().administrator, boxes.count(),
              caption(), form->buch().bearbeitungErlaubt, form->commandEnabled("Abmelden")),
        tuple(false, true, true, 0u, "Administrator angemeldet", false, true));
    // A new installation: the administration window opens with an empty list.
    EXPECT_TRUE(form->administrationOpen());
    addUser("anna", "geheim", 0x01 | 0x20);
    boxes.clear();
    scriptSignIn("anna", "geheim");
    form->AnmeldenExecute();
    EXPECT_EQ(tuple(stillOpenAfterOk, form->buch().angemeldet, form->buch().administrator,
                    boxes.count(), caption(), form->buch().bearbeitungErlaubt,
                    form->buch().ganzeWochen, form->commandEnabled("ToolButton7")),
              tuple(false, true, false, 0u, kUserCaption, true, true, true));
}

TEST_F(WindowTest, WrongPasswordsAreRefusedAndTheDialogStaysOpen) {
    addUser("anna", "geheim");
    for (const auto& [name, password] :
         {std::pair{"", "1234"}, {"anna", "falsch"}, {"niemand", "geheim"}, {"", ""}}) {
        boxes.clear();
        scriptSignIn(name, password, true);
        start();
        ASSERT_EQ(boxes.count(), 1u);
        // "Automatisch anmelden" stores nothing on a failure.
        EXPECT_EQ(tuple(stillOpenAfterOk, boxes.last().text, boxes.last().caption, caption(),
                        form->buch().angemeldet, form->buch().autoAnmeldung),
                  tuple(true, cp1252("Passwort und/oder Benutzername ungültig"), "Fehler",
                        "Fehlerhafte Anmeldung", false, false))
            << name << "/" << password;
    }
    scriptSignIn("anna", "geheim", true);  // ...and stores the user on a success
    start();
    const book::Zeitbuch& b = form->buch();
    EXPECT_EQ(
        tuple(b.autoAnmeldung, b.autoBenutzer, b.autoPasswort, anmeldung->CheckBox1->isChecked()),
        tuple(true, "anna", "geheim", false));
}

TEST_F(WindowTest, AutomaticSignInRunsWithoutTheDialog) {
    // A deleted user gets the long message; with a damaged database this dialog says nothing.
    for (const auto& [user, damaged, signedIn, count, title] :
         {tuple("anna", false, true, 0u, kUserCaption),
          {"bernd", false, false, 1u, "Fehlerhafte Anmeldung"},
          {"anna", true, false, 2u, "Nicht Angemeldet"}}) {
        std::filesystem::remove_all(dataDir());
        addUser("anna", "geheim");
        settings([&](book::Zeitbuch& b) {
            b.autoAnmeldung = true, b.autoBenutzer = user, b.autoPasswort = "geheim";
        });
        if (damaged) std::filesystem::resize_file(platform::joinPath(dataDir(), "Benutzer.dat"), 5);
        boxes.clear();
        boxes.answer(platform::Answer::Ok);
        boxes.answer(platform::Answer::No);
        start();
        EXPECT_EQ(tuple(modalRuns, form->buch().angemeldet, boxes.count()),
                  tuple(0, signedIn, count))
            << user;
        EXPECT_EQ(caption(), title);
        if (count != 1) continue;
        EXPECT_EQ(boxes.last().text.find(cp1252("Automatische Anmeldung konnte nicht ausgef")), 0u);
    }
}

TEST(Application, AHandlerExceptionIsShownAndTheProgramGoesOn) {
    platform::ScriptedMessages boxes;
    EXPECT_FALSE(app::deliverCatching([]() -> bool { throw std::runtime_error("kaputt"); }));
    EXPECT_TRUE(app::deliverCatching([] { return true; }));  // the program goes on
    EXPECT_EQ(tuple(boxes.count(), boxes.last().text), tuple(1u, "kaputt"));
}

}  // namespace
}  // namespace app_test
