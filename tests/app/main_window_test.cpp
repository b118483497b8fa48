// The main window's start-up (empty program folder, the month shown, the
// database check with its restore offer), shutdown (settings file, backup
// generations, "Beenden"), status codes, help, the clock and "today".
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QScrollBar>
#include <QSpinBox>
#include <QStatusTipEvent>

#include "app/window_parts.h"
#include "book/settings_block.h"
#include "controls/calendar/kalender.h"
#include "platform/ui/window_messages.h"
#include "tests/app/window_fixture.h"

namespace app_test {
namespace {

using std::tuple;

TEST_F(WindowTest, EmptyProgramFolderShowsTheCurrentMonthSignedOut) {
    start();  // no settings, no database: the dialog is shown and cancelled
    EXPECT_EQ(tuple(modalRuns, caption(), boxes.count()), tuple(1, "Nicht Angemeldet", 0u));
    EXPECT_EQ(form->buch().programmOrdner, std::filesystem::current_path().string());
    EXPECT_EQ(form->buch().datenOrdner, dataDir());
    for (const auto& [section, text] : {std::pair{6, " 25%"}, {7, " 50%"}, {10, "Art der Arbeit"}})
        EXPECT_EQ(form->HeaderControl1->caption(section), text);
    const std::string totals[] = {
        std::string(18, ' ') + cp1252("Gesamtüberstunden"), std::string(15, ' ') + cp1252("Überstunden mit  25%"),
        std::string(15, ' ') + cp1252("Überstunden mit  50%"), std::string(13, ' ') + "Nachtzuschlag mit  25%",
        "  " + cp1252("Überst. mit Feiertagszuschl. 140%"), "  " + cp1252("Überst. mit Feiertagszuschl. 100%"),
        std::string(37, ' ') + "Anzahl Summe", "   Wochenbereitschaft Mo-Mo  77,00\x80",
        std::string(13, ' ') + "mit privat PKW  26,00\x80", "Wochenendbereitschaft Fr-Mo  38,00\x80",
        std::string(13, ' ') + "mit privat PKW  15,00\x80"};
    const int T = form->MonthCalendar1->y();
    const QImage& img = form->canvasControl().backingImage();
    for (int i = 0; i < 11; ++i) {
        EXPECT_EQ(form->buch().summenZeilen[i].substr(0, totals[i].size()), totals[i]) << i;
        int coloured = 0;  // and on the panel
        for (int y = T + 16 * i + 1; y < T + 16 * i + 15; ++y)
            for (int x = 4; x < 410; ++x) coloured += img.pixel(x, y) != qRgb(255, 255, 255);
        EXPECT_GT(coloured, 20) << "totals line " << i;
    }
    EXPECT_EQ(tuple(form->MonthCalendar1->Get_Jahr(), form->MonthCalendar1->Get_Monat()), tuple(2026, 12));
    EXPECT_NE(form->MonthCalendar1->Heute->text().indexOf(QStringLiteral("06.12.2026")), -1);
    EXPECT_EQ(tuple(form->StatusBar1->panelText(1), form->StatusBar1->panelText(2)), tuple(cp1252("Einfügen"), "09:30"));
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
    for (const auto& [now, y, m] : {tuple(at(2026, 3, 1), 2026, 2), {at(2026, 1, 1), 2025, 12}, {at(2026, 3, 2), 2026, 3}}) {
        clock.set(now);
        createWindow();  // the book, the calendar and the month and year controls agree
        EXPECT_EQ(tuple(form->buch().jahr, form->buch().monat, form->MonthCalendar1->Get_Jahr(),
                        form->MonthCalendar1->Get_Monat(), form->Anzeige_Jahr->value(), form->ComboBox1->currentIndex()),
                  tuple(y, m, y, m, y, m - 1));
    }
}

TEST_F(WindowTest, TheWidthIsFixedOnlyTheHeightChanges) {
    createWindow();
    EXPECT_EQ(tuple(form->canvasControl().minimumWidth(), form->canvasControl().maximumWidth()), tuple(740, 740));
    EXPECT_EQ(tuple(form->geometry().visibleRows, form->ScrollBar1->x()), tuple(15, 723));
    EXPECT_FALSE(form->windowFlags() & Qt::WindowMaximizeButtonHint);
    form->show();
    form->canvasControl().setFixedHeight(522 + 18 * 3 + 7);  // not a multiple of 18
    EXPECT_EQ(tuple(form->geometry().visibleRows, form->ScrollBar1->height()), tuple(18, 18 * 18 + 2));
}

// A database with one user whose block file is cut to `size`: the check's fault character.
class DamagedDatabaseTest : public WindowTest, public ::testing::WithParamInterface<std::pair<int, char>> {};

TEST_P(DamagedDatabaseTest, StartUpNamesTheFaultAndOffersTheRestore) {
    addUser("anna", "geheim");
    std::filesystem::resize_file(dataFile("Benutzer.dat"), GetParam().first);
    boxes.answer(platform::Answer::Ok);  // the fault box
    boxes.answer(platform::Answer::No);  // no restore
    start();
    ASSERT_EQ(boxes.count(), 2u);  // declined: no second check message
    const std::string& text = boxes.shown()[0].text;
    EXPECT_EQ(boxes.shown()[0].caption, "Datenbank fehlerhaft");
    EXPECT_EQ(text.substr(text.size() - 14), std::string("Fehlernummer ") + GetParam().second);
    EXPECT_NE(text.find(cp1252("Die Datenbank enthält mindestens einen Fehler")), std::string::npos);
    EXPECT_EQ(boxes.shown()[1].buttons, platform::Buttons::YesNo);
    EXPECT_NE(form->buch().datenbankFehler, 0);
    scriptSignIn("anna", "geheim");
    form->AnmeldenExecute();
    EXPECT_EQ(modalRuns, 0);  // sign-in stays closed
    EXPECT_EQ(tuple(boxes.last().text, boxes.last().caption),
              tuple(cp1252("Anmeldung bei defekter Datenbank nicht möglich!"), "Achtung"));
    EXPECT_FALSE(form->buch().angemeldet);
}

INSTANTIATE_TEST_SUITE_P(Faults, DamagedDatabaseTest,
                         ::testing::Values(std::pair{5, '1'},    // block head cut
                                           std::pair{0, 'F'}));  // more records than blocks (22)

TEST_F(WindowTest, AnAcceptedRestoreRepairsOrSaysItStillFails) {
    addUser("anna", "geheim");
    createWindow();  // sound: takes the safety copies
    for (bool copiesDamaged : {false, true}) {
        std::filesystem::resize_file(dataFile("Benutzer.dat"), 5);
        if (copiesDamaged) std::filesystem::resize_file(dataFile("Benutzerdat.bak"), 5);
        boxes.answer(platform::Answer::Ok);
        boxes.answer(platform::Answer::Yes);
        scriptSignIn("anna", "geheim");
        start();
        EXPECT_EQ(tuple(boxes.last().text == "Die Datenbank ist immer noch fehlerhaft",
                        form->buch().datenbankFehler != 0, form->buch().angemeldet),
                  tuple(copiesDamaged, copiesDamaged, !copiesDamaged));
    }
    EXPECT_EQ(boxes.last().caption, "Datenbank fehlerhaft");
}

TEST_F(WindowTest, ClosingWritesTheSettingsAndRotatesBackupsWhenAsked) {
    addUser("anna", "geheim");
    const std::string backups = platform::joinPath(dir.path(), "Sicherung");
    for (const auto& [options, rotated] : {std::pair<uint16_t, bool>{book::kOptBackup | book::kOptBackupJedesMal, true},
                                           {book::kOptBackup, false}, {book::kOptBackupJedesMal, false}}) {
        for (bool beenden : {false, true}) {  // "Beenden" asks and writes too, but makes no backup
            std::filesystem::remove_all(backups);
            std::filesystem::create_directories(platform::joinPath(backups, "1"));
            settings([&](book::Zeitbuch& b) {
                b.backupOrdner = backups;
                b.grundlagen.optionen = static_cast<uint16_t>(0x00AE | options);
            });
            createWindow();
            terminated = false;
            form->buch().adminPasswort = "neu";  // changed during the run
            form->enableAction(book::Action::Speichern, true);  // and a changed page, not saved
            boxes.answer(platform::Answer::No);
            if (beenden) form->action("Beenden1")->trigger();
            EXPECT_TRUE(beenden ? terminated : form->FormClose());
            EXPECT_EQ(boxes.last().text, cp1252("Daten wurden geändert. Soll vorher gespeichert werden"));
            EXPECT_EQ(std::filesystem::exists(platform::joinPath(backups, "1", "Benutzer.dat")), rotated && !beenden)
                << options << beenden;
            EXPECT_EQ(tuple(settings().adminPasswort, fileAsks), tuple("neu", 0));
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
    EXPECT_EQ(tuple(fileAsks, b.texte.front(), form->commandEnabled("Speichern")), tuple(1, "Wartung", true));
    EXPECT_FALSE(std::filesystem::exists(platform::joinPath(dir.path(), "Kronlauf.ini")));
    // A name given: the month file is written and the page cleared.
    boxes.answer(platform::Answer::Yes);
    fileAnswer = platform::joinPath(dir.path(), "monat.akt");
    EXPECT_TRUE(form->FormClose());
    EXPECT_TRUE(std::filesystem::exists(fileAnswer));
    EXPECT_EQ(tuple(b.texte.size(), form->commandEnabled("Speichern")), tuple(1u, false));
    // "Neu" on the emptied page asks nothing and leaves it unchanged.
    form->action("NeuSeite")->trigger();
    EXPECT_EQ(tuple(boxes.count(), form->commandEnabled("Speichern")), tuple(2u, false));
}

TEST_F(WindowTest, StartOptionsAndTheCalendarsDate) {
    settings([](book::Zeitbuch& b) { b.grundlagen.optionen = book::kOptPkw | book::kOptGanzeWochen; });
    createWindow();
    auto& b = form->buch();
    EXPECT_EQ(tuple(b.pkw, b.ganzeWochen, b.proTag, b.bereitschaft, b.feiertageEin, b.mathRunden),
              tuple(true, true, true, false, false, false));
    for (const char* name : {"WZUschlag", "Feiertage1", "ADA"}) EXPECT_FALSE(form->commandChecked(name)) << name;
    EXPECT_FALSE(form->commandEnabled("PKW_Berechnung"));  // only with standby on

    const auto click = [&](int y, int m, int d, int right) {
        ui::SendMessage(form.get(), 0x8190, static_cast<std::uintptr_t>(platform::dayNumber(y, m, d)), right);
        return tuple(b.tag, b.eingabe.substr(5, 5), form->kalenderAbgelehnt);
    };
    EXPECT_EQ(click(2026, 12, 15, 0), tuple(15, "15.12", false));
    EXPECT_EQ(click(2026, 12, 20, 1), tuple(15, "15.12", false));  // a right click only shows the date
    // Another year with lines on the sheet is refused with a beep and code 1.
    b.zeilen.insert(b.zeilen.begin(), b.zeilen.back());
    b.texte.insert(b.texte.begin(), "");
    EXPECT_TRUE(std::get<2>(click(2025, 3, 3, 0)));
    EXPECT_EQ(tuple(beeps, form->statusCode, b.jahr), tuple(1, 1, 2026));
}

TEST_F(WindowTest, StatusCodesShowTheirTextAndHelpUntilTheEleventhSecond) {
    createWindow();
    QStatusTipEvent tip(QString::fromUtf8("Monat zurück"));  // hints land in the first panel
    QApplication::sendEvent(form.get(), &tip);
    EXPECT_EQ(form->StatusBar1->panelText(0), cp1252("Monat zurück"));
    const char* texts[] = {
        "Das aktuelle Überstunden-Jahr muß mit dem Jahr des ausgewählten Tages übereinstimmen",
        "Die maximale Anzahl an Zeichen für die 'Art der Arbeit' ist erreicht!",
        "Die Eingabezeile enthält einen Fehler im Zeitbereich oder in den erforderlichen Angaben!",
        "Achtung, das letzte Zeichen in der 'Art der Arbeit' wurde abgeschnitten!",
        "Die Handeinstellung der Zuschläge kann nicht während der Jahresbilanz vorgenommen werden!",
        "Gültige Jahresangaben beginnen ab 1900!",
        "In der ausgewählten Woche muss ein Tag selektiert werden!",
    };
    for (int code = 1; code <= 7; ++code) {
        form->Hinweis_zeigen(code);
        form->Timer1Timer();
        form->action("ToolButton20")->trigger();
        EXPECT_EQ(tuple(form->StatusBar1->panelText(0), helpShown.back()), tuple(cp1252(texts[code - 1]), 50 + code));
    }
    EXPECT_EQ(beeps, 0);  // the callers beep, not the display
    for (int tick = 1; tick <= 11; ++tick) {  // the eleventh tick withdraws code and help button
        form->Timer2Timer();
        EXPECT_EQ(tuple(form->statusCode, form->action("ToolButton20")->isVisible()),
                  tick < 11 ? tuple(7, true) : tuple(0, false)) << tick;
    }
    form->Timer1Timer();  // the text stays until the mouse moves over the window
    EXPECT_NE(form->StatusBar1->panelText(0), "");
    form->action("HilfezumProgramm1")->trigger();
    form->show();
    QApplication::setActiveWindow(form.get());
    EXPECT_EQ(tuple(helpShown.back(), form->hilfeKontext()), tuple(0, 99));  // F1 on the window: its topic
}

TEST_F(WindowTest, ClockAndTodayMoveOnAtMidnightAndAfterSleepingOverIt) {
    clock.set(at(2026, 12, 6, 23, 59));
    createWindow();
    const auto shown = [&] {
        return tuple(ui::fromQString(form->MonthCalendar1->Heute->text()).substr(10), form->buch().heuteTag,
                     form->StatusBar1->panelText(2));
    };
    EXPECT_EQ(shown(), tuple("06.12.2026", 6, "23:59"));
    clock.set(at(2026, 12, 7, 0, 0) + 0.5 / 86400);
    form->Timer2Timer();
    EXPECT_EQ(shown(), tuple("07.12.2026", 7, "00:00"));
    clock.set(at(2026, 12, 9, 8, 17));  // slept from 00:00 to 08:17 two days later: the first tick sees it
    form->Timer2Timer();
    EXPECT_EQ(shown(), tuple("09.12.2026", 9, "08:17"));
    EXPECT_EQ(form->buch().heuteMinute, 17);
}

}  // namespace
}  // namespace app_test
