// Start-up and shutdown of the main window: the empty program folder, the
// month shown at start, the database check with its restore offer, closing
// with the settings file and the backup generations, and "Beenden".
#include <QComboBox>
#include <QScrollBar>
#include <QSpinBox>
#include <QLabel>

#include "app/window_parts.h"
#include "book/settings_block.h"
#include "controls/calendar/kalender.h"
#include "platform/core/codepage.h"
#include "platform/ui/window_messages.h"
#include "tests/app/window_fixture.h"

namespace app_test {
namespace {

using platform::cp1252;

TEST_F(WindowTest, EmptyProgramFolderShowsTheCurrentMonthSignedOut) {
    start();  // no settings, no database: the dialog is shown and cancelled
    EXPECT_EQ(modalRuns, 1);
    EXPECT_EQ(caption(), "Nicht Angemeldet");
    EXPECT_EQ(boxes.count(), 0u);
    EXPECT_EQ(form->buch().programmOrdner, std::filesystem::current_path().string());
    EXPECT_EQ(form->buch().datenOrdner, dataDir());

    EXPECT_EQ(form->HeaderControl1->caption(6), " 25%");
    EXPECT_EQ(form->HeaderControl1->caption(7), " 50%");
    EXPECT_EQ(form->HeaderControl1->caption(10), "Art der Arbeit");

    const auto& t = form->buch().summenZeilen;
    EXPECT_EQ(t[0].substr(0, 35), std::string(18, ' ') + cp1252("Gesamtüberstunden"));
    EXPECT_EQ(t[1].substr(0, 35), std::string(15, ' ') + cp1252("Überstunden mit  25%"));
    EXPECT_EQ(t[2].substr(0, 35), std::string(15, ' ') + cp1252("Überstunden mit  50%"));
    EXPECT_EQ(t[3].substr(0, 35), std::string(13, ' ') + "Nachtzuschlag mit  25%");
    EXPECT_EQ(t[4].substr(0, 35), "  " + cp1252("Überst. mit Feiertagszuschl. 140%"));
    EXPECT_EQ(t[5].substr(0, 35), "  " + cp1252("Überst. mit Feiertagszuschl. 100%"));
    EXPECT_EQ(t[6], std::string(37, ' ') + "Anzahl Summe");
    EXPECT_EQ(t[7].substr(0, 35), "   Wochenbereitschaft Mo-Mo  77,00\x80");
    EXPECT_EQ(t[8].substr(0, 35), std::string(13, ' ') + "mit privat PKW  26,00\x80");
    EXPECT_EQ(t[9].substr(0, 35), "Wochenendbereitschaft Fr-Mo  38,00\x80");
    EXPECT_EQ(t[10].substr(0, 35), std::string(13, ' ') + "mit privat PKW  15,00\x80");

    // Every totals line is on the panel: its band holds coloured text pixels.
    const int T = form->MonthCalendar1->y();
    const QImage& img = form->canvasControl().backingImage();
    for (int i = 0; i < 11; ++i) {
        int coloured = 0;
        for (int y = T + 16 * i + 1; y < T + 16 * i + 15; ++y)
            for (int x = 4; x < 410; ++x) {
                const QRgb p = img.pixel(x, y);
                if (p != qRgb(255, 255, 255)) ++coloured;
            }
        EXPECT_GT(coloured, 20) << "totals line " << i;
    }

    EXPECT_EQ(form->MonthCalendar1->Get_Jahr(), 2026);
    EXPECT_EQ(form->MonthCalendar1->Get_Monat(), 12);
    EXPECT_NE(form->MonthCalendar1->Heute->text().indexOf(QStringLiteral("06.12.2026")), -1);
    EXPECT_EQ(form->ComboBox1->currentIndex(), 11);
    EXPECT_EQ(form->Anzeige_Jahr->value(), 2026);
    EXPECT_EQ(form->StatusBar1->panelText(1), cp1252("Einfügen"));
    EXPECT_EQ(form->StatusBar1->panelText(2), "09:30");
    // Line 0, the entry line, is the open line in the top row.
    EXPECT_EQ(form->offeneZeilenReihe, 0);
    EXPECT_EQ(form->buch().eingabe.substr(5, 5), "06.12");
}

TEST_F(WindowTest, FirstOfAMonthShowsThePreviousMonth) {
    struct Case {
        platform::DateTime now;
        int year, month;
    } cases[] = {{at(2026, 3, 1), 2026, 2}, {at(2026, 1, 1), 2025, 12}, {at(2026, 3, 2), 2026, 3}};
    for (const Case& c : cases) {
        clock.set(c.now);
        createWindow();
        EXPECT_EQ(form->buch().jahr, c.year);
        EXPECT_EQ(form->buch().monat, c.month);
        EXPECT_EQ(form->MonthCalendar1->Get_Monat(), c.month);
        EXPECT_EQ(form->ComboBox1->currentIndex(), c.month - 1);
        EXPECT_EQ(form->Anzeige_Jahr->value(), c.year);
        form.reset();
    }
}

TEST_F(WindowTest, TheWidthIsFixedOnlyTheHeightChanges) {
    createWindow();
    EXPECT_EQ(form->canvasControl().minimumWidth(), 740);
    EXPECT_EQ(form->canvasControl().maximumWidth(), 740);
    EXPECT_EQ(form->geometry().visibleRows, 15);
    EXPECT_EQ(form->ScrollBar1->x(), 723);
    form->show();
    form->canvasControl().setFixedHeight(522 + 18 * 3 + 7);  // not a multiple of 18
    EXPECT_EQ(form->geometry().visibleRows, 18);
    EXPECT_EQ(form->ScrollBar1->height(), 18 * 18 + 2);
}

// A database with one user whose block file is cut: the check's fault code.
struct Damage {
    std::uintmax_t datSize;
    char character;
};

class DamagedDatabaseTest : public WindowTest, public ::testing::WithParamInterface<Damage> {};

TEST_P(DamagedDatabaseTest, StartUpNamesTheFaultAndOffersTheRestore) {
    addUser("anna", "geheim");
    truncateFile(platform::joinPath(dataDir(), "Benutzer.dat"), GetParam().datSize);
    boxes.answer(platform::Answer::Ok);  // the fault box
    boxes.answer(platform::Answer::No);  // no restore
    start();
    ASSERT_GE(boxes.count(), 2u);
    EXPECT_EQ(boxes.shown()[0].caption, "Datenbank fehlerhaft");
    const std::string& text = boxes.shown()[0].text;
    EXPECT_EQ(text.substr(text.size() - 14), std::string("Fehlernummer ") + GetParam().character);
    EXPECT_NE(text.find(cp1252("Die Datenbank enthält mindestens einen Fehler")), std::string::npos);
    EXPECT_EQ(boxes.shown()[1].buttons, platform::Buttons::YesNo);
    // Declined: no second check message, sign-in stays closed.
    EXPECT_EQ(boxes.count(), 2u);
    EXPECT_EQ(modalRuns, 0);
    EXPECT_NE(form->buch().datenbankFehler, 0);
    EXPECT_FALSE(form->buch().angemeldet);

    scriptSignIn("anna", "geheim");
    form->AnmeldenExecute();
    EXPECT_EQ(modalRuns, 0);
    EXPECT_EQ(boxes.last().text, cp1252("Anmeldung bei defekter Datenbank nicht möglich!"));
    EXPECT_EQ(boxes.last().caption, "Achtung");
    EXPECT_FALSE(form->buch().angemeldet);
}

INSTANTIATE_TEST_SUITE_P(Faults, DamagedDatabaseTest,
                         ::testing::Values(Damage{5, '1'},     // block head cut
                                           Damage{0, 'F'}));  // more records than blocks (22)

TEST_F(WindowTest, AnAcceptedRestoreThatStillFailsSaysSo) {
    addUser("anna", "geheim");
    // The safety copies are damaged too.
    std::filesystem::copy_file(platform::joinPath(dataDir(), "Benutzer.dat"),
                               platform::joinPath(dataDir(), "Benutzerdat.bak"));
    std::filesystem::copy_file(platform::joinPath(dataDir(), "Benutzer.log"),
                               platform::joinPath(dataDir(), "Benutzerlog.bak"));
    truncateFile(platform::joinPath(dataDir(), "Benutzer.dat"), 5);
    truncateFile(platform::joinPath(dataDir(), "Benutzerdat.bak"), 5);
    boxes.answer(platform::Answer::Ok);
    boxes.answer(platform::Answer::Yes);
    createWindow();
    EXPECT_TRUE(shownText("Die Datenbank ist immer noch fehlerhaft"));
    EXPECT_EQ(boxes.last().caption, "Datenbank fehlerhaft");
    EXPECT_NE(form->buch().datenbankFehler, 0);
}

TEST_F(WindowTest, AnAcceptedRestoreRepairsAndOpensTheSignIn) {
    addUser("anna", "geheim");
    createWindow();  // sound: takes the safety copies
    form.reset();
    EXPECT_TRUE(std::filesystem::exists(platform::joinPath(dataDir(), "Benutzerdat.bak")));
    truncateFile(platform::joinPath(dataDir(), "Benutzer.dat"), 5);
    boxes.answer(platform::Answer::Ok);
    boxes.answer(platform::Answer::Yes);
    scriptSignIn("anna", "geheim");
    start();
    EXPECT_FALSE(shownText("Die Datenbank ist immer noch fehlerhaft"));
    EXPECT_EQ(form->buch().datenbankFehler, 0);
    EXPECT_TRUE(form->buch().angemeldet);
}

TEST_F(WindowTest, ClosingWritesTheSettingsAndRotatesBackupsWhenAsked) {
    struct Case {
        uint16_t options;
        bool rotated;
    } cases[] = {{book::kOptBackup | book::kOptBackupJedesMal, true},
                 {book::kOptBackup, false},
                 {book::kOptBackupJedesMal, false}};
    addUser("anna", "geheim");
    const std::string backups = platform::joinPath(dir.path(), "Sicherung");
    for (const Case& c : cases) {
        std::filesystem::remove_all(backups);
        std::filesystem::create_directories(platform::joinPath(backups, "1"));
        writeSettings([&](book::Zeitbuch& b) {
            b.backupOrdner = backups;
            b.grundlagen.optionen = static_cast<uint16_t>(0x00AE | c.options);
        });
        createWindow();
        form->buch().adminPasswort = "neu";  // changed during the run
        EXPECT_TRUE(form->FormClose());
        EXPECT_EQ(std::filesystem::exists(platform::joinPath(backups, "1", "Benutzer.dat")), c.rotated)
            << c.options;
        book::NullHost host;
        book::Zeitbuch read(host);
        read.programmOrdner = dir.path();
        ASSERT_TRUE(read.Einstellungen_laden_speichern(true));
        EXPECT_EQ(read.adminPasswort, "neu");
        form.reset();
    }
}

TEST_F(WindowTest, ClosingAChangedPageAskedNoStillWritesTheSettings) {
    createWindow();
    form->enableAction(book::Action::Speichern, true);  // a changed page
    boxes.answer(platform::Answer::No);
    EXPECT_TRUE(form->FormClose());
    EXPECT_EQ(boxes.last().text, cp1252("Daten wurden geändert. Soll vorher gespeichert werden"));
    EXPECT_TRUE(std::filesystem::exists(platform::joinPath(dir.path(), "Kronlauf.ini")));
    EXPECT_EQ(fileAsks, 0);
}

TEST_F(WindowTest, AFailedSaveOffersSaveAsAndKeepsThePage) {
    createWindow();
    // Not signed in: "Yes" saves a month file; the dialog is cancelled.
    form->buch().zeilen.insert(form->buch().zeilen.begin(), form->buch().zeilen.back());
    form->buch().texte.insert(form->buch().texte.begin(), "Wartung");
    form->enableAction(book::Action::Speichern, true);
    boxes.answer(platform::Answer::Yes);
    fileAnswer.clear();
    EXPECT_FALSE(form->FormClose());
    EXPECT_EQ(fileAsks, 1);
    EXPECT_EQ(form->buch().texte.front(), "Wartung");  // the page is kept
    EXPECT_TRUE(form->commandEnabled("Speichern"));
    EXPECT_FALSE(std::filesystem::exists(platform::joinPath(dir.path(), "Kronlauf.ini")));

    // A name given: the month file is written and the page cleared.
    boxes.answer(platform::Answer::Yes);
    fileAnswer = platform::joinPath(dir.path(), "monat.akt");
    EXPECT_TRUE(form->FormClose());
    EXPECT_TRUE(std::filesystem::exists(fileAnswer));
    EXPECT_EQ(form->buch().texte.size(), 1u);
    EXPECT_FALSE(form->commandEnabled("Speichern"));
}

TEST_F(WindowTest, BeendenAsksAndWritesTheSettingsButMakesNoBackup) {
    addUser("anna", "geheim");
    const std::string backups = platform::joinPath(dir.path(), "Sicherung");
    std::filesystem::create_directories(platform::joinPath(backups, "1"));
    writeSettings([&](book::Zeitbuch& b) {
        b.backupOrdner = backups;
        b.grundlagen.optionen = 0x00AE | book::kOptBackup | book::kOptBackupJedesMal;
    });
    createWindow();
    form->buch().adminPasswort = "4711";
    form->enableAction(book::Action::Speichern, true);
    boxes.answer(platform::Answer::No);
    form->action("Beenden1")->trigger();
    EXPECT_TRUE(terminated);
    EXPECT_EQ(boxes.last().caption, "Achtung");
    EXPECT_FALSE(std::filesystem::exists(platform::joinPath(backups, "1", "Benutzer.dat")));
    book::NullHost host;
    book::Zeitbuch read(host);
    read.programmOrdner = dir.path();
    ASSERT_TRUE(read.Einstellungen_laden_speichern(true));
    EXPECT_EQ(read.adminPasswort, "4711");
}

TEST_F(WindowTest, StartOptionsSetTheCalculationSwitches) {
    writeSettings([](book::Zeitbuch& b) {
        // Private car on, standby off, holidays off, whole weeks on, rounding off.
        b.grundlagen.optionen = book::kOptPkw | book::kOptGanzeWochen;
    });
    createWindow();
    const book::Zeitbuch& b = form->buch();
    EXPECT_FALSE(b.bereitschaft);
    EXPECT_FALSE(form->commandChecked("WZUschlag"));
    EXPECT_FALSE(form->commandEnabled("PKW_Berechnung"));  // only with standby on
    EXPECT_TRUE(b.pkw);
    EXPECT_FALSE(b.feiertageEin);
    EXPECT_FALSE(form->commandChecked("Feiertage1"));
    EXPECT_TRUE(b.ganzeWochen);
    EXPECT_FALSE(b.mathRunden);
    EXPECT_FALSE(form->commandChecked("ADA"));
    EXPECT_TRUE(b.proTag);
}

TEST_F(WindowTest, CommandsWithoutTheirHandlerStayDisabled) {
    createWindow();
    for (const char* name : {"Loeschen", "Drucken1", "Option", "Info1", "ZHand", "Mehrarbeit"}) {
        form->setControls(true);
        EXPECT_FALSE(form->action(name)->isEnabled()) << name;
    }
    EXPECT_TRUE(form->action("Beenden1")->isEnabled());
    EXPECT_TRUE(form->action("Anmelden")->isEnabled());
    EXPECT_EQ(ui::fromQString(form->action("Speichern")->text()), "Sichern");
    EXPECT_EQ(form->action("HeutebisJetzt1")->shortcut(), QKeySequence(Qt::Key_F2));
    EXPECT_FALSE(form->action("Admin")->isVisible());
}

}  // namespace
}  // namespace app_test

namespace app_test {
namespace {

TEST_F(WindowTest, TheCalendarsDateReachesTheEntryLine) {
    createWindow();
    const int day = platform::dayNumber(2026, 12, 15);
    ui::SendMessage(form.get(), 0x8190, static_cast<std::uintptr_t>(day), 0);
    EXPECT_EQ(form->buch().tag, 15);
    EXPECT_EQ(form->buch().eingabe.substr(5, 5), "15.12");
    EXPECT_FALSE(form->kalenderAbgelehnt);

    // A right click only shows the date.
    ui::SendMessage(form.get(), 0x8190, static_cast<std::uintptr_t>(platform::dayNumber(2026, 12, 20)), 1);
    EXPECT_EQ(form->buch().eingabe.substr(5, 5), "15.12");

    // Another year with lines on the sheet is refused with a beep and code 1.
    form->buch().zeilen.insert(form->buch().zeilen.begin(), form->buch().zeilen.back());
    form->buch().texte.insert(form->buch().texte.begin(), "");
    ui::SendMessage(form.get(), 0x8190, static_cast<std::uintptr_t>(platform::dayNumber(2025, 3, 3)), 0);
    EXPECT_TRUE(form->kalenderAbgelehnt);
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(form->statusCode, 1);
    EXPECT_EQ(form->buch().jahr, 2026);
}

}  // namespace
}  // namespace app_test

namespace app_test {
namespace {

TEST_F(WindowTest, NeuClearsThePageAndMarksItChangedOnlyWhenItHeldSomething) {
    createWindow();
    form->action("NeuSeite")->trigger();
    EXPECT_FALSE(form->commandEnabled("Speichern"));
    EXPECT_EQ(boxes.count(), 0u);

    form->buch().zeilen.insert(form->buch().zeilen.begin(), form->buch().zeilen.back());
    form->buch().texte.insert(form->buch().texte.begin(), "Wartung");
    form->enableAction(book::Action::Speichern, true);
    boxes.answer(platform::Answer::No);
    form->action("NeuSeite")->trigger();
    EXPECT_EQ(boxes.count(), 1u);
    EXPECT_EQ(form->buch().zeilen.size(), 1u);
    EXPECT_TRUE(form->commandEnabled("Speichern"));  // the emptied page can be saved over the old one
}

}  // namespace
}  // namespace app_test
