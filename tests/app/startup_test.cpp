// Start-up and shutdown of the main window: the empty program folder, the
// month shown at start, the database check with its restore offer, closing
// with the settings file and the backup generations, and "Beenden".
#include <QComboBox>
#include <QLabel>
#include <QScrollBar>
#include <QSpinBox>

#include "app/window_parts.h"
#include "book/settings_block.h"
#include "controls/calendar/kalender.h"
#include "platform/ui/window_messages.h"
#include "tests/app/window_fixture.h"

namespace app_test {
namespace {

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
    const std::string totals[] = {
        std::string(18, ' ') + cp1252("Gesamtüberstunden"), std::string(15, ' ') + cp1252("Überstunden mit  25%"),
        std::string(15, ' ') + cp1252("Überstunden mit  50%"), std::string(13, ' ') + "Nachtzuschlag mit  25%",
        "  " + cp1252("Überst. mit Feiertagszuschl. 140%"), "  " + cp1252("Überst. mit Feiertagszuschl. 100%"),
        std::string(35, ' '), "   Wochenbereitschaft Mo-Mo  77,00\x80",
        std::string(13, ' ') + "mit privat PKW  26,00\x80", "Wochenendbereitschaft Fr-Mo  38,00\x80",
        std::string(13, ' ') + "mit privat PKW  15,00\x80"};
    EXPECT_EQ(form->buch().summenZeilen[6], std::string(37, ' ') + "Anzahl Summe");
    const int T = form->MonthCalendar1->y();
    const QImage& img = form->canvasControl().backingImage();
    for (int i = 0; i < 11; ++i) {
        EXPECT_EQ(form->buch().summenZeilen[i].substr(0, totals[i].size()), totals[i]) << i;
        int coloured = 0;  // every totals line is on the panel
        for (int y = T + 16 * i + 1; y < T + 16 * i + 15; ++y)
            for (int x = 4; x < 410; ++x) coloured += img.pixel(x, y) != qRgb(255, 255, 255);
        EXPECT_GT(coloured, 20) << "totals line " << i;
    }
    EXPECT_EQ(form->MonthCalendar1->Get_Jahr(), 2026);
    EXPECT_EQ(form->MonthCalendar1->Get_Monat(), 12);
    EXPECT_NE(form->MonthCalendar1->Heute->text().indexOf(QStringLiteral("06.12.2026")), -1);
    EXPECT_EQ(form->StatusBar1->panelText(1), cp1252("Einfügen"));
    EXPECT_EQ(form->StatusBar1->panelText(2), "09:30");
    EXPECT_EQ(form->offeneZeilenReihe, 0);  // the entry line is the open line in the top row
    EXPECT_EQ(form->buch().eingabe.substr(5, 5), "06.12");
    EXPECT_FALSE(form->ScrollBar1->isEnabled());  // everything fits
    // Commands come with their captions and shortcuts; those without a handler stay disabled.
    form->setControls(true);
    for (const char* name : {"Loeschen", "Drucken1", "Option", "Info1", "ZHand", "Mehrarbeit"})
        EXPECT_FALSE(form->action(name)->isEnabled()) << name;
    EXPECT_TRUE(form->action("Beenden1")->isEnabled());
    EXPECT_EQ(ui::fromQString(form->action("Speichern")->text()), "Sichern");
    EXPECT_EQ(form->action("HeutebisJetzt1")->shortcut(), QKeySequence(Qt::Key_F2));
}

TEST_F(WindowTest, FirstOfAMonthShowsThePreviousMonth) {
    const std::tuple<platform::DateTime, int, int> cases[] = {
        {at(2026, 3, 1), 2026, 2}, {at(2026, 1, 1), 2025, 12}, {at(2026, 3, 2), 2026, 3}};
    for (const auto& [now, year, month] : cases) {
        clock.set(now);
        form.reset();
        createWindow();
        EXPECT_EQ(form->buch().jahr, year);
        EXPECT_EQ(form->buch().monat, month);
        EXPECT_EQ(form->MonthCalendar1->Get_Monat(), month);
        EXPECT_EQ(form->ComboBox1->currentIndex(), month - 1);
        EXPECT_EQ(form->Anzeige_Jahr->value(), year);
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
    EXPECT_FALSE(form->windowFlags() & Qt::WindowMaximizeButtonHint);
}

// A database with one user whose block file is cut: the check's fault character.
class DamagedDatabaseTest : public WindowTest, public ::testing::WithParamInterface<std::pair<int, char>> {};

TEST_P(DamagedDatabaseTest, StartUpNamesTheFaultAndOffersTheRestore) {
    addUser("anna", "geheim");
    std::filesystem::resize_file(dataFile("Benutzer.dat"), GetParam().first);
    boxes.answer(platform::Answer::Ok);  // the fault box
    boxes.answer(platform::Answer::No);  // no restore
    start();
    ASSERT_EQ(boxes.count(), 2u);  // declined: no second check message
    EXPECT_EQ(boxes.shown()[0].caption, "Datenbank fehlerhaft");
    const std::string& text = boxes.shown()[0].text;
    EXPECT_EQ(text.substr(text.size() - 14), std::string("Fehlernummer ") + GetParam().second);
    EXPECT_NE(text.find(cp1252("Die Datenbank enthält mindestens einen Fehler")), std::string::npos);
    EXPECT_EQ(boxes.shown()[1].buttons, platform::Buttons::YesNo);
    EXPECT_EQ(modalRuns, 0);  // sign-in stays closed
    EXPECT_NE(form->buch().datenbankFehler, 0);
    scriptSignIn("anna", "geheim");
    form->AnmeldenExecute();
    EXPECT_EQ(modalRuns, 0);
    EXPECT_EQ(boxes.last().text, cp1252("Anmeldung bei defekter Datenbank nicht möglich!"));
    EXPECT_EQ(boxes.last().caption, "Achtung");
    EXPECT_FALSE(form->buch().angemeldet);
}

INSTANTIATE_TEST_SUITE_P(Faults, DamagedDatabaseTest,
                         ::testing::Values(std::pair{5, '1'},    // block head cut
                                           std::pair{0, 'F'}));  // more records than blocks (22)

TEST_F(WindowTest, AnAcceptedRestoreRepairsOrSaysItStillFails) {
    addUser("anna", "geheim");
    createWindow();  // sound: takes the safety copies
    form.reset();
    std::filesystem::resize_file(dataFile("Benutzer.dat"), 5);
    for (bool copiesDamaged : {false, true}) {
        anmeldung.reset(), form.reset();
        if (copiesDamaged) std::filesystem::resize_file(dataFile("Benutzerdat.bak"), 5);
        boxes.answer(platform::Answer::Ok);
        boxes.answer(platform::Answer::Yes);
        scriptSignIn("anna", "geheim");
        start();
        EXPECT_EQ(shownText("Die Datenbank ist immer noch fehlerhaft"), copiesDamaged);
        EXPECT_EQ(form->buch().datenbankFehler != 0, copiesDamaged);
        EXPECT_EQ(form->buch().angemeldet, !copiesDamaged);
        std::filesystem::resize_file(dataFile("Benutzer.dat"), 5);
    }
    EXPECT_EQ(boxes.last().caption, "Datenbank fehlerhaft");
}

TEST_F(WindowTest, ClosingWritesTheSettingsAndRotatesBackupsWhenAsked) {
    const std::pair<uint16_t, bool> cases[] = {
        {book::kOptBackup | book::kOptBackupJedesMal, true}, {book::kOptBackup, false}, {book::kOptBackupJedesMal, false}};
    addUser("anna", "geheim");
    const std::string backups = platform::joinPath(dir.path(), "Sicherung");
    for (const auto& [options, rotated] : cases) {
        for (bool beenden : {false, true}) {  // "Beenden" asks and writes too, but makes no backup
            form.reset();
            terminated = false;
            std::filesystem::remove_all(backups);
            std::filesystem::create_directories(platform::joinPath(backups, "1"));
            settings([&](book::Zeitbuch& b) {
                b.backupOrdner = backups;
                b.grundlagen.optionen = static_cast<uint16_t>(0x00AE | options);
            });
            createWindow();
            form->buch().adminPasswort = "neu";  // changed during the run
            form->enableAction(book::Action::Speichern, true);  // and a changed page, not saved
            boxes.answer(platform::Answer::No);
            if (beenden) form->action("Beenden1")->trigger();
            EXPECT_TRUE(beenden ? terminated : form->FormClose());
            EXPECT_EQ(boxes.last().text, cp1252("Daten wurden geändert. Soll vorher gespeichert werden"));
            EXPECT_EQ(std::filesystem::exists(platform::joinPath(backups, "1", "Benutzer.dat")), rotated && !beenden)
                << options << beenden;
            EXPECT_EQ(settings().adminPasswort, "neu");
            EXPECT_EQ(fileAsks, 0);
        }
    }
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
    EXPECT_EQ(fileAsks, 1);
    EXPECT_EQ(b.texte.front(), "Wartung");  // the page is kept
    EXPECT_TRUE(form->commandEnabled("Speichern"));
    EXPECT_FALSE(std::filesystem::exists(platform::joinPath(dir.path(), "Kronlauf.ini")));
    // A name given: the month file is written and the page cleared.
    boxes.answer(platform::Answer::Yes);
    fileAnswer = platform::joinPath(dir.path(), "monat.akt");
    EXPECT_TRUE(form->FormClose());
    EXPECT_TRUE(std::filesystem::exists(fileAnswer));
    EXPECT_EQ(b.texte.size(), 1u);
    EXPECT_FALSE(form->commandEnabled("Speichern"));
    // "Neu" on the emptied page asks nothing and leaves it unchanged.
    form->action("NeuSeite")->trigger();
    EXPECT_FALSE(form->commandEnabled("Speichern"));
    EXPECT_EQ(boxes.count(), 2u);
}

TEST_F(WindowTest, StartOptionsSetTheCalculationSwitches) {
    settings([](book::Zeitbuch& b) { b.grundlagen.optionen = book::kOptPkw | book::kOptGanzeWochen; });
    createWindow();
    const book::Zeitbuch& b = form->buch();
    EXPECT_TRUE(b.pkw && b.ganzeWochen && b.proTag);
    EXPECT_FALSE(b.bereitschaft || b.feiertageEin || b.mathRunden);
    for (const char* name : {"WZUschlag", "Feiertage1", "ADA"}) EXPECT_FALSE(form->commandChecked(name)) << name;
    EXPECT_FALSE(form->commandEnabled("PKW_Berechnung"));  // only with standby on
}

TEST_F(WindowTest, TheCalendarsDateReachesTheEntryLine) {
    createWindow();
    const auto click = [&](int y, int m, int d, int right) {
        ui::SendMessage(form.get(), 0x8190, static_cast<std::uintptr_t>(platform::dayNumber(y, m, d)), right);
    };
    click(2026, 12, 15, 0);
    EXPECT_EQ(form->buch().tag, 15);
    EXPECT_EQ(form->buch().eingabe.substr(5, 5), "15.12");
    EXPECT_FALSE(form->kalenderAbgelehnt);
    click(2026, 12, 20, 1);  // a right click only shows the date
    EXPECT_EQ(form->buch().eingabe.substr(5, 5), "15.12");
    // Another year with lines on the sheet is refused with a beep and code 1.
    form->buch().zeilen.insert(form->buch().zeilen.begin(), form->buch().zeilen.back());
    form->buch().texte.insert(form->buch().texte.begin(), "");
    click(2025, 3, 3, 0);
    EXPECT_TRUE(form->kalenderAbgelehnt);
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(form->statusCode, 1);
    EXPECT_EQ(form->buch().jahr, 2026);
}

}  // namespace
}  // namespace app_test
