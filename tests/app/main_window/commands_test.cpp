// The main window's commands: the state of every action through a session,
// "Neu", month files with their extensions, month navigation with the save
// question, and the user dialog from the menu and from the sign-in.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <map>
#include <set>

#include "app/dialogs/file_dialogs.h"
#include "app/main_window/month_navigation.h"
#include "app/dialogs/user_dialog.h"
#include "app/main_window/window_parts.h"
#include "book/files/month_file.h"
#include "controls/calendar/kalender.h"
#include "platform/ui/dialogs/qt_message_box.h"
#include "tests/app/main_window/window_fixture.h"

namespace app_test {
namespace {

using std::tuple;

class CommandsTest : public WindowTest {
protected:
    book::Zeitbuch& b() { return form->buch(); }
    QWidget* sheet() { return &form->canvasControl(); }
    void type(const char* keys) { QTest::keyClicks(sheet(), keys); }
    // "e"/"d" enabled as the program asked, "c" checked, "h" hidden.
    std::string state(const std::string& name) {
        std::string s = form->commandEnabled(name) ? "e" : "d";
        if (form->commandChecked(name)) s += "c";
        if (!form->action(name)->isVisible()) s += "h";
        return s;
    }
    // The user dialog the next command opens: the user types these texts
    // (name, first name, number, area, user name, password, repeat; "" leaves
    // a field as it is) and presses OK; a dialog still open is cancelled.
    std::vector<int> userResults;
    std::vector<const QWidget*> userOwners;
    void scriptUserDialog(std::vector<std::string> fields) {
        app::TBenutzer::modalRunner() = [=, this](app::TBenutzer& d) {
            userOwners.push_back(d.parentWidget());
            QLineEdit* edits[] = {d.Name,         d.Vorname,  d.Personalnummer, d.Bereich,
                                  d.Benutzername, d.Passwort, d.Passwort2};
            for (size_t i = 0; i < fields.size(); ++i)
                if (!fields[i].empty()) edits[i]->setText(ui::toQString(fields[i]));
            d.show();
            if (d.Button1->isEnabled()) d.Button1Click();
            if (d.isVisible()) d.done(QDialog::Rejected);
            userResults.push_back(d.result());
            return d.hide(), d.result();
        };
    }
    std::string line(int i) { return b().zeilen.at(i).substr(0, 33); }
    void TearDown() override {
        app::TBenutzer::modalRunner() = [](app::TBenutzer& d) { return d.exec(); };
        WindowTest::TearDown();
    }
};

TEST_F(CommandsTest, EveryActionStateThroughASession) {
    addUser("anna", "geheim");
    start();
    // Command, then its state after start, a user's sign-in, the year balance,
    // sign-out and the administrator's sign-in.
    const std::vector<std::pair<std::string, std::array<const char*, 5>>> table = {
        {"Speichern", {"d", "d", "d", "d", "d"}},
        {"SpeichernAls", {"e", "e", "d", "e", "e"}},
        {"Laden", {"e", "e", "e", "e", "d"}},
        {"NeuSeite", {"e", "e", "e", "e", "d"}},
        {"Anmelden", {"e", "e", "e", "e", "e"}},
        {"Abmelden", {"d", "e", "e", "d", "e"}},
        {"Bilanz", {"d", "e", "ec", "d", "d"}},
        {"Benutzereinstellungen1", {"d", "e", "e", "d", "d"}},
        {"ToolButton7", {"d", "e", "d", "d", "d"}},
        {"ToolButton22", {"d", "e", "d", "d", "d"}},
        {"ComboBox1", {"d", "e", "d", "d", "d"}},
        {"Anzeige_Jahr", {"d", "e", "e", "d", "d"}},
        {"ZAutomatik", {"ec", "ec", "dc", "ec", "dc"}},
        {"Extra_Kronlauf", {"e", "e", "d", "e", "d"}},
        {"HeutebisJetzt1", {"e", "e", "d", "e", "e"}},
        {"Loeschen", {"d", "d", "d", "d", "d"}},
        {"PKW_Berechnung", {"e", "e", "e", "e", "e"}},
        {"WZUschlag", {"ec", "ec", "ec", "ec", "ec"}},
        {"Benutzerverwaltung", {"e", "e", "e", "e", "e"}},
        {"Admin", {"eh", "eh", "eh", "eh", "e"}},
        {"berstundenkonto1", {"eh", "eh", "eh", "eh", "e"}},
    };
    const std::function<void()> steps[] = {
        [] {},
        [&] { scriptSignIn("anna", "geheim"), form->AnmeldenExecute(); },
        [&] { form->BilanzExecute(); },
        [&] { form->BilanzExecute(), form->AbmeldenExecute(); },
        [&] { scriptSignIn("", "8542"), form->AnmeldenExecute(); },
    };
    for (int phase = 0; phase < 5; ++phase) {
        steps[phase]();
        for (const auto& [name, states] : table) EXPECT_EQ(state(name), states[phase]) << name << " " << phase;
    }
    EXPECT_FALSE(form->menu("Bearbeiten1")->isEnabled());  // the administrator edits nothing
}

TEST_F(CommandsTest, MonthStepsWrapAtTheYearsEndAndStopAtTheRange) {
    using app::MonatJahr;
    for (const auto& [from, step, to] :
         {tuple(MonatJahr{2026, 12}, 1, MonatJahr{2027, 1}), {{2027, 1}, -1, {2026, 12}},
          {{2026, 5}, -1, {2026, 4}}, {{1900, 1}, -1, {1900, 1}}, {{9999, 12}, 1, {9999, 12}}})
        EXPECT_EQ(app::monatSchritt(from, step), to) << from.jahr << "/" << from.monat;
}

// Signed in, the month is changed by every control; a changed page is saved
// first and each month comes back with its lines.
TEST_F(CommandsTest, MonthNavigationAsksSavesAndLoads) {
    addUser("anna", "geheim");
    scriptSignIn("anna", "geheim");
    start();  // December 2026, nothing stored yet
    if (form->commandChecked("ADA")) form->ADAExecute();  // lines without their texts
    const auto shown = [&] {
        return tuple(b().jahr, b().monat, form->Anzeige_Jahr->position(),
                     form->ComboBox1->currentIndex() + 1, int(form->MonthCalendar1->Get_Monat()),
                     int(b().zeilen.size()));
    };
    type("0108001200");
    boxes.answer(platform::Answer::Yes);
    form->ToolButton9Click();  // December: into January of the next year
    EXPECT_EQ(shown(), tuple(2027, 1, 2027, 1, 1, 1));
    ASSERT_EQ(boxes.count(), 1u);
    EXPECT_EQ(boxes.last().text, cp1252("Daten wurden geändert. Soll vorher gespeichert werden"));
    type("0409001000");
    boxes.answer(platform::Answer::Yes);
    form->ToolButton7Click();  // January: back into December, its line loaded
    EXPECT_EQ(shown(), tuple(2026, 12, 2026, 12, 12, 2));
    EXPECT_EQ(line(0).substr(5, 5), "01.12");
    form->ToolButton22Click();  // today's month is shown: no question, nothing changes
    EXPECT_EQ(tuple(boxes.count(), b().zeilen.size()), tuple(2u, 2u));
    form->ComboBox1->setCurrentIndex(2);  // the list as the user picks: March, empty
    EXPECT_EQ(shown(), tuple(2026, 3, 2026, 3, 3, 1));
    form->ToolButton7Click();
    EXPECT_EQ(shown(), tuple(2026, 2, 2026, 2, 2, 1));
    form->ToolButton22Click();  // back to today's month with its line
    EXPECT_EQ(shown(), tuple(2026, 12, 2026, 12, 12, 2));
    form->ToolButton9Click();
    EXPECT_EQ(tuple(shown(), line(0).substr(5, 5)), tuple(tuple(2027, 1, 2027, 1, 1, 2), "04.01"));
    EXPECT_EQ(boxes.count(), 2u);  // nothing changed since: no more questions
}

// The save question as the desktop shows it: Escape and the window's close
// leave it open with the page as it was; only "Ja" or "Nein" answer it.
TEST_F(CommandsTest, TheSaveQuestionIgnoresEscapeAndClose) {
    addUser("anna", "geheim");
    const std::pair<const char*, std::function<void()>> commands[] = {
        {"close", [&] { form->close(); }},
        {"Beenden", [&] { form->action("Beenden1")->trigger(); }},
        {"Monat vor", [&] { form->ToolButton9Click(); }},
        {"Neu", [&] { form->action("NeuSeite")->trigger(); }},
        {"Anmelden", [&] { form->AnmeldenExecute(); }},
    };
    size_t saved = 0;  // lines of December in the database
    for (const auto& [name, command] : commands) {
        scriptSignIn("anna", "geheim");
        start();  // the month comes back from the database with every line saved so far
        EXPECT_EQ(b().zeilen.size(), saved + 1) << name;
        type(("0" + std::to_string(++saved) + "08001200").c_str());  // a new day each time
        ASSERT_EQ(b().zeilen.size(), saved + 1) << name;
        ui::installQtMessageBoxes();
        bool openAfterEscape = false, openAfterClose = false, pageKept = false;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr) return;
            QTest::keyClick(box, Qt::Key_Escape);
            openAfterEscape = box->isVisible();
            box->close();
            openAfterClose = box->isVisible();
            pageKept = b().zeilen.size() == saved + 1 && form->commandEnabled("Speichern");
            for (QAbstractButton* k : box->buttons())
                if (k->text() == QStringLiteral("Ja")) k->click();
        });
        command();
        platform::setMessageHandler(nullptr);
        EXPECT_EQ(tuple(openAfterEscape, openAfterClose, pageKept), tuple(true, true, true))
            << name;
    }
    scriptSignIn("anna", "geheim");
    start();
    EXPECT_EQ(b().zeilen.size(), saved + 1);  // "Ja" saved every time
}

// Each menu's access letters differ; the desktop's keys reach their commands
// from the sheet in both its parts, beside the sheet's own Ctrl+X/C/V.
TEST_F(CommandsTest, MenusHaveAccessLettersAndTheDesktopsKeys) {
    createWindow();
    for (const char* name : {"Datei", "Bearbeiten1", "Benutzer", "Berechnung", "Extras", "Hilfe"}) {
        std::set<QChar> letters;
        for (QAction* a : form->menu(name)->actions()) {
            if (a->isSeparator()) continue;
            const qsizetype amp = a->text().indexOf('&');
            ASSERT_GE(amp, 0) << a->text().toStdString();
            EXPECT_TRUE(letters.insert(a->text().at(amp + 1).toLower()).second)
                << a->text().toStdString();
        }
    }
    std::map<QString, QString> keys;
    for (QAction* a : form->menu("Datei")->actions())
        if (!a->shortcut().isEmpty()) keys[a->text()] = a->shortcut().toString();
    EXPECT_EQ(keys, (std::map<QString, QString>{{"&Speichern", "Ctrl+S"},
                                                {"&Drucken", "Ctrl+P"},
                                                {"&Laden", "Ctrl+O"},
                                                {"&Beenden", "Ctrl+Q"}}));

    form->show();
    QApplication::setActiveWindow(form.get());
    sheet()->setFocus();
    if (form->commandChecked("ADA")) form->ADAExecute();
    for (const bool textPart : {false, true}) {
        if (textPart) QTest::keyClick(sheet(), Qt::Key_Tab);
        ASSERT_EQ(form->textModus, textPart);
        fileAsks = 0, terminated = false;
        QTest::keyClick(sheet(), Qt::Key_O, Qt::ControlModifier);  // "Laden": its file dialog
        EXPECT_EQ(fileAsks, 1);
        QTest::keyClick(sheet(), Qt::Key_S,
                        Qt::ControlModifier);  // nothing changed: nothing to save
        EXPECT_EQ(fileAsks, 1);
        QTest::keyClick(sheet(), Qt::Key_Q, Qt::ControlModifier);
        EXPECT_TRUE(terminated) << textPart;
    }
    QTest::keyClick(sheet(), Qt::Key_Tab);
    type("0108001200");  // a changed page: Ctrl+S saves it (as a month file, nobody signed in)
    QTest::keyClick(sheet(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(fileAsks, 2);
}

TEST_F(CommandsTest, SignInTabOrderFollowsTheLayout) {
    start();
    app::TAnmeldung& a = *anmeldung;
    std::vector<QWidget*> order{a.Edit1};
    for (QWidget* w = a.Edit1->nextInFocusChain(); w != a.Edit1 && order.size() < 10;
         w = w->nextInFocusChain())
        if (w->focusPolicy() & Qt::TabFocus) order.push_back(w);
    EXPECT_EQ(order,
              (std::vector<QWidget*>{a.Edit1, a.Edit2, a.CheckBox1, a.Ok1, a.Button1, a.Button2}));
}

TEST_F(CommandsTest, NeuLeavesSaveEnabledOnlyAfterAPageThatHeldSomething) {
    createWindow();
    form->NeuSeiteExecute();
    EXPECT_EQ(tuple(form->commandEnabled("Speichern"), boxes.count()), tuple(false, 0u));
    type("0108001200");
    boxes.answer(platform::Answer::No);
    form->NeuSeiteExecute();
    EXPECT_EQ(tuple(form->commandEnabled("Speichern"), boxes.count(), b().zeilen.size()),
              tuple(true, 1u, 1u));
}

// "Neu" on the year balance empties no month: nothing asks to save an empty
// page over the stored one afterwards.
TEST_F(CommandsTest, NeuOnTheYearBalanceLeavesTheStoredMonth) {
    addUser("anna", "geheim");
    scriptSignIn("anna", "geheim");
    start();
    type("0108001200"), form->SpeichernExecute();
    form->BilanzExecute(), form->NeuSeiteExecute();
    boxes.answer(platform::Answer::Yes);
    form->ToolButton7Click(), form->ToolButton9Click();
    EXPECT_EQ(tuple(b().jahresbilanz, boxes.count(), b().zeilen.size()), tuple(false, 0u, 2u));
}

TEST_F(CommandsTest, ABareFileNameTakesTheExtensionOfTheFilter) {
    createWindow();
    type("0108001200");
    fileAnswer = platform::joinPath(dir.path(), "monat");
    form->SpeichernAlsExecute();
    EXPECT_EQ(tuple(std::filesystem::exists(fileAnswer + ".akt"), std::filesystem::exists(fileAnswer)),
              tuple(true, false));
    createWindow();
    form->LadenExecute();  // the same bare name finds "monat.akt"
    EXPECT_EQ(line(0).substr(5, 5), "01.12");
    // Names that have an extension keep it; the second filter gives ".txt".
    for (const auto& [name, index, ext, want] :
         {tuple("a/b", 1, "1", "a/b.akt"), {"a/b", 2, "2", "a/b.txt"}, {"a/b.x", 2, "2", "a/b.x"},
          {"a.d/b", 1, "1", "a.d/b.akt"}, {"a/b", 1, "", "a/b"}, {"", 1, "1", ""}})
        EXPECT_EQ(app::mitFilterEndung(name, book::monthFileSaveFilter(), index, ext), want) << name;
}

// A fresh installation: the sign-in dialog's "Neuer Benutzer" creates the data
// folder and the user, and signs that user in; from the menu it only creates.
TEST_F(CommandsTest, NewUserFromTheSignInDialogSignsInAtOnce) {
    bool stillOpen = true;
    app::TAnmeldung::modalRunner() = [&](QDialog& d) {
        d.show();
        static_cast<app::TAnmeldung&>(d).Button2->click();
        stillOpen = d.isVisible();
        return d.hide(), d.result();
    };
    scriptUserDialog({"Muster", "Erika", "42", "Technik", "erika", "geheim", "geheim"});
    start();
    EXPECT_EQ(tuple(userResults, stillOpen, anmeldung->result(), b().angemeldet, b().benutzerName, caption()),
              tuple(std::vector<int>{99}, false, int(QDialog::Accepted), true, "erika",
                    "Kronlaufbuch Benutzer:Muster Erika   Bereich:Technik"));
    scriptUserDialog({"Beispiel", "Bernd", "43", "", "bernd", "pw", "pw"});
    form->BenutzerverwaltungExecute();
    EXPECT_EQ(tuple(userResults.back(), b().benutzerName, boxes.count()), tuple(99, "erika", 0u));
    // From the sign-in dialog the user dialog stands over it; from the menu over the window.
    EXPECT_EQ(userOwners, (std::vector<const QWidget*>{anmeldung.get(), form.get()}));
    book::NullHost host;
    book::Zeitbuch other(host);
    other.datenOrdner = dataDir();
    EXPECT_TRUE(other.Pruefe_Anmeldung("bernd", "pw"));
    EXPECT_EQ(tuple(other.bereich, other.benutzerOptionen), tuple("", uint8_t{0x11}));
    // With a damaged database no dialog opens.
    b().datenbankFehler = 3;
    form->BenutzerverwaltungExecute();
    EXPECT_EQ(tuple(userResults.size(), boxes.last().text),
              tuple(2u, cp1252("Neuen Benutzer erstellen bei defekter Datenbank nicht möglich!")));
}

TEST_F(CommandsTest, TheUserDialogChecksItsFields) {
    addUser("anna", "geheim");
    createWindow();
    app::TBenutzer d(*form);
    QLineEdit* required[] = {d.Name, d.Vorname, d.Personalnummer, d.Benutzername, d.Passwort, d.Passwort2};
    for (QLineEdit* e : required) e->setText(QStringLiteral("x"));
    EXPECT_TRUE(d.Button1->isEnabled());  // the area may stay empty
    for (QLineEdit* e : required) {
        e->clear();
        EXPECT_FALSE(d.Button1->isEnabled());
        e->setText(QStringLiteral("x"));
    }
    EXPECT_TRUE(d.CheckBox2->isHidden());  // "Administrator" only for an administrator
    b().administrator = true;
    EXPECT_FALSE(app::TBenutzer(*form).CheckBox2->isHidden());
    // Refused: passwords that differ, a name that exists; nothing is written.
    for (const auto& [user, repeat, text, title] :
         {tuple("neu", "y", cp1252("Passwörter nicht gleich"), "Fehlerhaftes Passwort"),
          {"anna", "x", "Benutzername schon vorhanden, einen anderen Benutzernamen bitte.", "Achtung"}}) {
        scriptUserDialog({"N", "V", "1", "", user, "x", repeat});
        form->BenutzerverwaltungExecute();
        EXPECT_EQ(tuple(userResults.back(), boxes.last().text, boxes.last().caption),
                  tuple(int(QDialog::Rejected), text, title));
    }
    book::NullHost host;
    book::Zeitbuch other(host);
    other.datenOrdner = dataDir();
    EXPECT_FALSE(other.Pruefe_Anmeldung("neu", "x"));
}

// No block file can be made: the dialog stays open, no user record is written
// and the next start finds a sound database.
TEST_F(CommandsTest, ANewUserWhoseBlockFailsIsNotWritten) {
    std::filesystem::create_directories(platform::joinPath(dataDir(), "Benutzer.dat"));
    createWindow();
    scriptUserDialog({"N", "V", "1", "", "neu", "x", "x"});
    form->BenutzerverwaltungExecute();
    EXPECT_EQ(tuple(userResults.back(), boxes.count()), tuple(int(QDialog::Rejected), 1u));
    std::filesystem::remove(platform::joinPath(dataDir(), "Benutzer.dat"));
    boxes.clear();
    createWindow();
    EXPECT_EQ(tuple(boxes.count(), b().datenbankFehler), tuple(0u, uint8_t{0}));
}

// The own record changes, the own user name stays acceptable, the user is
// signed in again and the shown month comes back.
TEST_F(CommandsTest, UserSettingsRewriteTheOwnRecord) {
    addUser("anna", "geheim", 0x01 | 0x40);
    addUser("bert", "pw");
    scriptSignIn("anna", "geheim");
    start();
    type("0108001200");
    form->SpeichernExecute();
    form->ToolButton7Click();  // November is shown when the settings change
    scriptUserDialog({"", "Anna"});
    form->Benutzereinstellungen1Click();
    EXPECT_EQ(tuple(userResults.back(), boxes.count(), caption(), b().monat, b().zeitvorschlag),
              tuple(1, 0u, "Kronlaufbuch Benutzer:Muster Anna   Bereich:Technik", 11, false));
    scriptUserDialog({"", "", "", "", "bert"});  // another user's name is refused
    form->Benutzereinstellungen1Click();
    EXPECT_EQ(tuple(userResults.back(), boxes.count(), b().vorname), tuple(int(QDialog::Rejected), 1u, "Anna"));
    form->ToolButton9Click();
    EXPECT_EQ(line(0).substr(5, 5), "01.12");  // the month still belongs to anna
}

// A typed line, then a new password: "Ja" to the save question saves the line
// under the changed record, the month comes back with it, and the next save
// goes into the database as well.
TEST_F(CommandsTest, UserSettingsWithAChangedPageSaveItUnderTheNewPassword) {
    addUser("anna", "geheim");
    scriptSignIn("anna", "geheim");
    start();
    type("0108001200");
    scriptUserDialog({"", "", "", "", "", "neu", "neu"});
    boxes.answer(platform::Answer::Yes);
    form->Benutzereinstellungen1Click();
    type("0213001400");
    form->SpeichernExecute();
    EXPECT_EQ(tuple(boxes.count(), boxes.last().caption, fileAsks, b().passwort,
                    form->commandEnabled("Speichern")),
              tuple(1u, "Achtung", 0, "neu", false));
    book::NullHost host;
    book::Zeitbuch other(host);
    other.datenOrdner = dataDir();
    ASSERT_TRUE(other.Pruefe_Anmeldung("anna", "neu"));
    other.Monat_laden(12, 2026);
    EXPECT_EQ(other.zeilen.size(), 3u);
}

// The record changes, but the page cannot be saved (nor as a month file):
// it stays as typed, and the stored month is not loaded over it.
TEST_F(CommandsTest, UserSettingsKeepAPageWhoseSaveFailed) {
    addUser("anna", "geheim");
    scriptSignIn("anna", "geheim");
    start();
    if (form->commandChecked("ADA")) form->ADAExecute();  // lines without their texts
    type("0108001200"), form->SpeichernExecute(), type("0209001000");
    const auto seite = b().zeilen;
    b().ladeFehler = true;  // a page not wholly loaded is not saved into the database
    scriptUserDialog({"", "Anna"}), boxes.answer(platform::Answer::Yes);
    form->Benutzereinstellungen1Click();
    EXPECT_EQ(tuple(b().zeilen == seite, form->commandEnabled("Speichern"), fileAsks, b().vorname),
              tuple(true, true, 1, "Anna"));
}

// On the shown window every way of changing the month paints the sheet's
// canvas once: the controls of the tool bar that change with it repaint
// only themselves.
TEST_F(CommandsTest, AMonthChangePaintsTheSheetOnce) {
    addUser("anna", "geheim");
    scriptSignIn("anna", "geheim");
    start();
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    form->Timer1.setEnabled(false);  // no caret blink among the counted paints
    struct PaintCount : QObject {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* e) override {
            return paints += e->type() == QEvent::Paint, false;
        }
    } count;
    sheet()->installEventFilter(&count);
    const auto click = [&](const char* name) {
        QTest::mouseClick(form->ToolBar1->widgetForAction(form->action(name)), Qt::LeftButton);
    };
    // December holds a line, the other months are empty: each change
    // shows a different sheet.
    type("0108001200");
    boxes.answer(platform::Answer::Yes);
    const std::pair<const char*, std::function<void()>> changes[] = {
        {"month back", [&] { click("ToolButton7"); }},
        {"month on", [&] { click("ToolButton9"); }},
        {"year back", [&] { form->Anzeige_Jahr->stepBy(-1); }},
        {"year on", [&] { form->Anzeige_Jahr->stepBy(1); }},
        {"month list", [&] { form->ComboBox1->setCurrentIndex(2); }},
        {"today's month", [&] { click("ToolButton22"); }},
        {"into the next year", [&] { click("ToolButton9"); }},
    };
    for (const auto& [name, change] : changes) {
        QCoreApplication::processEvents();  // what the keys painted
        count.paints = 0;
        change();
        QCoreApplication::processEvents();
        EXPECT_EQ(count.paints, 1) << name;
    }
    EXPECT_EQ(tuple(b().jahr, b().monat, boxes.count()), tuple(2027, 1, 1u));
}

}  // namespace
}  // namespace app_test
