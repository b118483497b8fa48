// The user administration window: the list read from the user index, a
// chosen user's month shown with the administrator's rights, the period
// controls, deleting, printing one and all users, and its life beside the
// main window's sign-in commands.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <filesystem>

#include "app/dialogs/administration_dialog.h"
#include "app/dialogs/dialog_runner.h"
#include "app/dialogs/settings_dialog.h"
#include "app/dialogs/user_dialog.h"
#include "app/main_window/window_parts.h"
#include "book/database/user_index.h"
#include "controls/icontab/icontab.h"
#include "controls/suchfeld/suchfeld.h"
#include "platform/ui/dialogs/qt_message_box.h"
#include "platform/ui/windows/window_placement.h"
#include "platform/ui/drawing/font_mapping.h"
#include "platform/ui/printing/qt_printer.h"
#include "tests/app/main_window/window_fixture.h"
#include "tests/book/sheet/sheet_fixture.h"

namespace app_test {
namespace {

using std::tuple;

const std::string kKeineAuswahl =
    cp1252("Es muss erst ein Benutzer in der Liste ausgewählt werden!");

class AdministrationTest : public PrintingWindowTest {
protected:
    void TearDown() override {
        app::TBenutzer::modalRunner() = [](app::TBenutzer& d) { return d.exec(); };
        PrintingWindowTest::TearDown();
    }
    book::Zeitbuch& b() { return form->buch(); }
    app::TVerwaltung& v() { return *form->Verwaltung; }

    // User `name` (password "pw"), last name `nachname`, first name "Vorname".
    void benutzer(const std::string& name, const std::string& nachname, uint8_t optionen = 0x01) {
        std::filesystem::create_directories(dataDir());
        book::NullHost host;
        book::Zeitbuch zb(host);
        zb.datenOrdner = dataDir();
        ASSERT_TRUE(
            zb.Benutzer_anlegen({name, "pw", nachname, "Vorname", "P-" + name, "", optionen}));
    }
    // `tage` lines (the 1st, 2nd ... of the month) stored for the user.
    void monat(const std::string& name, int jahr, int m, int tage) {
        book::NullHost host;
        book::Zeitbuch zb(host);
        zb.datenOrdner = dataDir();
        ASSERT_TRUE(zb.Pruefe_Anmeldung(name, "pw"));
        sheet_test::showMonth(zb, jahr, m);
        zb.seitenMonat = m;
        for (int d = 1; d <= tage; ++d) ASSERT_LT(sheet_test::typeLine(zb, d, "16:00", "18:00"), 0);
        ASSERT_TRUE(zb.Monat_speichern());
    }
    // The administrator signs in at start-up: the window opens with the sign-in.
    void adminStart() {
        scriptSignIn("", "8542");
        start();
    }
    // The user clicks row r of the list (r = -1: a click that selects nothing).
    void klick(int r) {
        v().Liste->SetRow(r);
        v().Liste->OnSelectCell(*v().Liste, r, 0);
    }
    bool adminMenues() {
        return form->action("Admin")->isVisible() && form->action("MenuePasswort")->isVisible() &&
               form->action("berstundenkonto1")->isVisible();
    }
    // The page now shown: user, lines without the entry line, editing allowed.
    tuple<std::string, int, int, int, bool, bool> seite() {
        return tuple(b().benutzerName, b().jahr, b().monat, int(b().zeilen.size()) - 1,
                     b().bearbeitungErlaubt, b().administrator);
    }
    // Names printed in the statements' heads, one per printed document.
    std::vector<std::string> gedruckt() {
        std::vector<std::string> namen;
        for (const ui::RecordedPage& p : printer->pages())
            for (const ui::RecordedText& t : p.texts)
                if (t.text.ends_with(" Vorname") && !t.text.ends_with(", Vorname"))
                    namen.push_back(t.text);
        return namen;
    }
};

TEST_F(AdministrationTest, ListsEveryUserBesideTheMainWindow) {
    // 21 users: the list outgrows its first 20 places.
    for (int i = 1; i <= 21; ++i) benutzer("u" + std::to_string(i), "Name" + std::to_string(i));
    monat("u21", 2026, 12, 2);
    adminStart();
    ASSERT_TRUE(form->administrationOpen());
    auto& liste = *v().Liste;
    EXPECT_EQ(tuple(v().windowTitle().toStdString(), v().Label3->text().toStdString(),
                    liste.GetRowCount(true), liste.Caption()),
              tuple("Benutzerverwaltung", " Administrator", 22, "Eingetragene Benutzer"));
    for (const auto& [row, cells] :
         {tuple(0, std::vector<std::string>{"PersNr", "Name", "Vorname"}),
          {1, {"P-u1", "Name1", "Vorname"}},
          {21, {"P-u21", "Name21", "Vorname"}}})
        EXPECT_EQ(v().Liste->GetRowCells(row), cells) << row;
    // The block offsets are those of the index, the 21st one too.
    platform::File f;
    ASSERT_TRUE(f.open(book::indexPath(dataDir()), platform::OpenMode::ReadOnly));
    book::DbReader in(f);
    std::vector<book::IndexSatz> records;
    int64_t ende = 0;
    ASSERT_TRUE(book::readIndex(in, records, ende));
    ASSERT_EQ(v().benutzer().size(), records.size());
    for (size_t i = 0; i < records.size(); ++i)
        EXPECT_EQ(v().benutzer()[i].block, records[i].block);
    // Today's month, the search field linked, the administrator's menus, the
    // window at the right of the main window.
    EXPECT_EQ(tuple(v().ComboBox1->currentIndex(), v().Edit1->value(), v().Suchfeld1->HatZiel()),
              tuple(11, 2026, true));
    EXPECT_TRUE(adminMenues());
    // Beside the main window where the screen has room, else over its right
    // part; both title bars on the screen.
    const QRect area = ui::availableArea(form.get());
    EXPECT_TRUE(v().x() > form->x() && v().x() <= form->frameGeometry().right() + 1);
    EXPECT_EQ(v().y(), form->frameGeometry().top());
    EXPECT_TRUE(form->x() >= area.left() && v().geometry().right() <= area.right());
    klick(21);
    EXPECT_EQ(seite(), tuple("u21", 2026, 12, 2, false, true));
    EXPECT_EQ(b().blockPosition, records[20].block);
}

// Every column is as wide as its heading and its widest text.
TEST_F(AdministrationTest, ColumnsFitTheirHeadingAndNames) {
    benutzer("kurz", "Li");
    benutzer("lang", cp1252("Müller-Lüdenscheidt-Wachtmeister"));
    adminStart();
    const table::Tabdefinition& t = *v().Liste->aktuelleTabelle();
    const QFont normal = ui::toQFont(v().Liste->Font(), v().Liste->logicalDpiY());
    QFont fett = normal;
    fett.setBold(true);
    for (int c = 0; c < 3; ++c) {
        const int breite = t.SpaltenInfo.at(static_cast<size_t>(c)).Breite;
        for (int r = 0; r < 3; ++r) {
            const QString text = ui::toQString(v().Liste->GetRowCells(r).at(c));
            EXPECT_GE(breite, QFontMetrics(r == 0 ? fett : normal).horizontalAdvance(text))
                << r << " " << c;
        }
    }
}

TEST_F(AdministrationTest, AChosenUsersMonthWithTheAdministratorsRights) {
    benutzer("anna", "Muster");
    benutzer("bernd", "Beispiel", 0x01 | 0x04);  // "Adminfreigabe": the administrator may edit
    monat("anna", 2026, 12, 3);
    monat("anna", 2026, 11, 1);
    monat("bernd", 2026, 12, 2);
    adminStart();
    using Seite = tuple<std::string, int, int, int, bool, bool>;
    const std::vector<tuple<const char*, std::function<void()>, Seite, bool>> schritte = {
        {"anna", [&] { klick(1); }, {"anna", 2026, 12, 3, false, true}, true},
        // The shown user again: the period is loaded, nobody signs in anew.
        {"again", [&] { klick(1); }, {"anna", 2026, 12, 3, false, true}, false},
        {"November",
         [&] { v().ComboBox1->setCurrentIndex(10); },
         {"anna", 2026, 11, 1, false, true},
         false},
        {"2025", [&] { v().Edit1->setValue(2025); }, {"anna", 2025, 11, 0, false, true}, false},
        {"bernd", [&] { klick(2); }, {"bernd", 2025, 11, 0, true, true}, true},
        {"December",
         [&] { v().ComboBox1->setCurrentIndex(11), v().Edit1->setValue(2026); },
         {"bernd", 2026, 12, 2, true, true},
         false},
        // After a reload even the shown user signs in again.
        {"reload",
         [&] { v().Liste_aktualisieren(), klick(2); },
         {"bernd", 2026, 12, 2, true, true},
         true},
    };
    for (const auto& [name, schritt, erwartet, angemeldet] : schritte) {
        b().nachname = "x";  // a new sign-in reads the name again
        schritt();
        EXPECT_EQ(seite(), erwartet) << name;
        EXPECT_EQ(b().nachname != "x", angemeldet) << name;
        EXPECT_EQ(tuple(form->ComboBox1->currentIndex() + 1, form->Anzeige_Jahr->position()),
                  tuple(b().monat, b().jahr))
            << name;
        EXPECT_TRUE(adminMenues()) << name;
    }
    EXPECT_EQ(caption(), "Kronlaufbuch Benutzer:Beispiel Vorname   Bereich:");
    ASSERT_EQ(boxes.count(), 0u);
    // Without a selection: the period controls say nothing, the table does.
    klick(-1);
    v().ComboBox1->setCurrentIndex(0);
    EXPECT_EQ(tuple(b().monat, boxes.count()), tuple(12, 1u));
    EXPECT_EQ(tuple(boxes.last().text, boxes.last().caption),
              tuple(kKeineAuswahl, "Hallo! welcher?"));
}

TEST_F(AdministrationTest, DeletesAfterTheQuestionAndKeepsTheShownPage) {
    benutzer("anna", "Muster");
    benutzer("bernd", "Beispiel", 0x01 | 0x04);
    benutzer("carl", "Cordes");
    adminStart();
    v().LoeschenExecute();  // nothing selected
    EXPECT_EQ(boxes.last().text, kKeineAuswahl);
    // Bernd's page changed and not saved; anna's block lies before his.
    klick(2);
    if (form->commandChecked("ADA")) form->ADAExecute();
    QTest::keyClicks(&form->canvasControl(), "0108001200");
    ASSERT_EQ(b().zeilen.size(), 2u);
    v().Liste->SetRow(1);
    boxes.clear();
    boxes.answer(platform::Answer::No);
    v().LoeschenExecute();
    EXPECT_EQ(tuple(boxes.count(), boxes.last().caption, int(v().benutzer().size())),
              tuple(1u, "Wirklich sicher", 3));
    boxes.answer(platform::Answer::Yes);  // delete
    boxes.answer(platform::Answer::Yes);  // save bernd's page first
    v().LoeschenExecute();
    std::vector<std::string> captions;
    for (const auto& m : boxes.shown()) captions.push_back(m.caption);
    EXPECT_EQ(captions, (std::vector<std::string>{"Wirklich sicher", "Wirklich sicher", "Achtung",
                                                  "Bitte Neu anmelden!"}));
    std::vector<std::string> namen;
    for (const auto& u : v().benutzer()) namen.push_back(u.benutzername);
    EXPECT_EQ(namen, (std::vector<std::string>{"bernd", "carl"}));
    EXPECT_EQ(v().Liste->GetRowCount(true), 3);
    EXPECT_TRUE(b().Datenbank_pruefen());
    klick(1);  // bernd again, with the line he typed
    EXPECT_EQ(seite(), tuple("bernd", 2026, 12, 1, true, true));
}

// The administration window stays on top: the boxes and dialogs it or the main
// window opens stay above it and on the screen.
TEST_F(AdministrationTest, BoxesAndDialogsOpenAboveTheAdministrationWindow) {
    benutzer("anna", "Muster");
    adminStart();
    ASSERT_TRUE(form->administrationOpen());
    ui::installQtMessageBoxes();
    bool onTop = false, onScreen = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) return;
        // For the window manager the box belongs to the window on top.
        onTop = box->windowFlags() & Qt::WindowStaysOnTopHint &&
                box->windowHandle()->transientParent() == v().windowHandle();
        onScreen = ui::availableArea(box).contains(box->frameGeometry());
        box->buttons().front()->click();
    });
    v().LoeschenExecute();  // nothing selected: the box says so
    platform::setMessageHandler(nullptr);
    EXPECT_EQ(tuple(onTop, onScreen), tuple(true, true));
    bool dialogOnTop = false;
    app::TBenutzer::modalRunner() = [&](app::TBenutzer& d) {
        dialogOnTop = d.windowFlags() & Qt::WindowStaysOnTopHint;
        return int(QDialog::Rejected);
    };
    v().Button2Click();  // "Neuer Benutzer"
    EXPECT_TRUE(dialogOnTop);
}

// Alt+letters typed in the administration window reach its own menu and
// buttons, never the main window's menus behind it.
TEST_F(AdministrationTest, ItsAltLettersStayInTheWindow) {
    benutzer("anna", "Muster");
    adminStart();
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    // The window the user clicked into (a tool window counts as active with
    // its main window, so the activation is checked by name).
    const auto aktivieren = [&] {
        v().show();
        v().activateWindow();
        QApplication::setActiveWindow(&v());
        return QApplication::activeWindow() == &v();
    };
    ASSERT_TRUE(aktivieren());
    int neueBenutzer = 0;
    app::TBenutzer::modalRunner() = [&](app::TBenutzer&) {
        return ++neueBenutzer, int(QDialog::Rejected);
    };
    // The key, the menu it opens in this window ("" none), the user dialogs
    // and the boxes it brings: Alt+D and Alt+B are the main window's
    // "Datei" and "Bearbeiten" too, Alt+U and Alt+X only the main window's.
    const tuple<Qt::Key, std::string, int, size_t> faelle[] = {
        {Qt::Key_B, "&Benutzer", 0, 0}, {Qt::Key_D, "", 0, 1}, {Qt::Key_N, "", 1, 0},
        {Qt::Key_U, "", 0, 0},          {Qt::Key_X, "", 0, 0}};
    for (const auto& [taste, menue, dialoge, meldungen] : faelle) {
        SCOPED_TRACE(QKeySequence(taste).toString().toStdString());
        neueBenutzer = 0;
        boxes.clear();
        ASSERT_TRUE(aktivieren());
        v().Edit1->setFocus();
        QWidget* ziel = QApplication::focusWidget();
        ASSERT_TRUE(ziel != nullptr && ziel->window() == &v());
        QTest::keyClick(ziel, taste, Qt::AltModifier);
        if (menue.empty()) QTest::qWait(250);  // a button pressed by its letter shows it pressed
        auto* offen = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        const bool eigenes =
            offen != nullptr && v().MainMenu1->actions().contains(offen->menuAction());
        EXPECT_EQ(tuple(offen != nullptr ? offen->title().toStdString() : std::string(), eigenes,
                        form->menuBar()->activeAction() == nullptr, neueBenutzer, boxes.count()),
                  tuple(menue, !menue.empty(), true, dialoge, meldungen));
        if (offen == nullptr) continue;
        // "Löschen" by its letter: nobody is selected, the box says so.
        QTest::keyClick(offen, Qt::Key_L);
        EXPECT_EQ(tuple(boxes.count(), boxes.last().text), tuple(1u, kKeineAuswahl));
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
        ASSERT_TRUE(aktivieren());
    }
}

TEST_F(AdministrationTest, AnAdministratorWhoDeletesHimselfIsSignedOut) {
    benutzer("anna", "Muster");
    benutzer("chef", "Chef", 0x01 | 0x08);
    scriptSignIn("chef", "pw");
    start();
    ASSERT_FALSE(form->Verwaltung);  // only the administrator's own sign-in opens it
    form->action("Admin")->trigger();
    ASSERT_TRUE(form->administrationOpen());
    klick(2);
    boxes.answer(platform::Answer::Yes);
    v().LoeschenExecute();
    EXPECT_EQ(tuple(v().isVisible(), b().angemeldet, b().administrator, caption(), adminMenues()),
              tuple(false, false, false, "Nicht Angemeldet", false));
    EXPECT_EQ(v().benutzer().size(), 1u);
}

TEST_F(AdministrationTest, PrintsTheChosenUserAfterThePrintDialog) {
    benutzer("anna", "Muster");
    monat("anna", 2026, 12, 2);
    adminStart();
    int dialoge = 0;
    bool drucken = false;
    ui::setPrintDialogRunner([&](ui::Printer&) { return ++dialoge, drucken; });
    v().Button3Click();
    EXPECT_EQ(tuple(dialoge, boxes.count(), boxes.last().text), tuple(0, 1u, kKeineAuswahl));
    klick(1);
    v().Button3Click();  // the dialog is cancelled
    drucken = true;
    v().Button3Click();
    // No standby question while the administration is open.
    EXPECT_EQ(tuple(dialoge, printer->documents(), boxes.count()), tuple(2, 1, 1u));
    EXPECT_EQ(gedruckt(), std::vector<std::string>{"Muster Vorname"});
}

// "Benutzer Drucken" one user after another: the print dialog offers each
// statement's file under the name of the user being printed, on a printer
// that printed the one before into a file too.
TEST_F(AdministrationTest, PrintingAUserIntoAFileOffersThatUsersName) {
    benutzer("juergen", cp1252("Jürgen"));
    benutzer("uemit", cp1252("Ümit"));
    monat("juergen", 2026, 12, 1);
    monat("uemit", 2026, 12, 1);
    adminStart();
    v().ComboBox1->setCurrentIndex(11);
    v().Edit1->setValue(2026);
    std::vector<std::string> angeboten;
    ui::setPrintDialogRunner([&](ui::Printer& p) {
        angeboten.push_back(p.proposedFileName());
        return false;
    });
    for (int r : {1, 2, 1}) {
        klick(r);
        v().Button3Click();
    }
    const std::string dezember = cp1252("Überstunden Dezember 2026 ");
    EXPECT_EQ(angeboten, (std::vector<std::string>{dezember + cp1252("Jürgen Vorname.pdf"),
                                                   dezember + cp1252("Ümit Vorname.pdf"),
                                                   dezember + cp1252("Jürgen Vorname.pdf")}));
    // The real printer: a file chosen for the one before keeps its folder
    // and takes the new name; without a file the name is the document's.
    ui::QtPrinter qt;
    qt.proposeFileName(dezember + cp1252("Jürgen Vorname.pdf"));
    EXPECT_FALSE(qt.printsToFile());
    EXPECT_EQ(ui::fromQString(qt.qprinter().docName()), dezember + cp1252("Jürgen Vorname.pdf"));
    qt.setPdfOutput(dir.file(dezember + cp1252("Jürgen Vorname.pdf")));
    qt.proposeFileName(dezember + cp1252("Ümit Vorname.pdf"));
    EXPECT_EQ(ui::fromQString(qt.qprinter().outputFileName()),
              dir.file(dezember + cp1252("Ümit Vorname.pdf")));
}

TEST_F(AdministrationTest, PrintsAllUsersWithDataAndNamesTheOthers) {
    benutzer("anna", "Muster");
    benutzer("bernd", "Beispiel");
    benutzer("carl", "Cordes", 0x01 | 0x80);  // hand mode: printed without lines
    benutzer("dora", "Dorn");
    benutzer("emil", "Ernst");
    monat("anna", 2026, 12, 2);
    monat("bernd", 2026, 11, 2);  // another month only
    monat("dora", 2026, 12, 1);
    adminStart();
    v().Button4Click();
    EXPECT_EQ(gedruckt(),
              (std::vector<std::string>{"Muster Vorname", "Cordes Vorname", "Dorn Vorname"}));
    ASSERT_EQ(boxes.count(), 1u);
    EXPECT_EQ(tuple(boxes.last().text, boxes.last().caption),
              tuple("Folgede Benutzer hatten keine Daten eingegeben:\rBeispiel Vorname\r\n"
                    "Ernst Vorname\r\nund wurden deshalb nicht gedruckt!",
                    "Nicht gedruckt!"));
    EXPECT_EQ(tuple(form->isEnabled(), form->kalenderMarken, b().benutzerName),
              tuple(true, true, "emil"));
}

// Without a printer each user's statement goes to a PDF file whose dialog
// title and offered name say whose statement it is.
TEST_F(AdministrationTest, PrintAllWithoutAPrinterNamesEachUsersFile) {
    auto qt = std::make_unique<ui::QtPrinter>();
    if (qt->hasPrinter()) GTEST_SKIP() << "a printer is configured";
    benutzer("anna", cp1252("Müller"));
    benutzer("bernd", "Beispiel");
    monat("anna", 2026, 12, 2);
    monat("bernd", 2026, 12, 1);
    adminStart();
    v().ComboBox1->setCurrentIndex(11);
    v().Edit1->setValue(2026);
    std::vector<std::pair<std::string, std::string>> fragen;
    form->fileDialog = [&](const app::DateiFrage& f) {
        fragen.emplace_back(f.titel, f.vorschlag);
        return dir.path() + "/" + std::to_string(fragen.size()) + ".pdf";
    };
    auto vorher = ui::replacePrinter(std::move(qt));
    v().Button4Click();
    ui::replacePrinter(std::move(vorher));
    const std::string dezember = cp1252("Überstunden Dezember 2026 ");
    EXPECT_EQ(fragen, (std::vector<std::pair<std::string, std::string>>{
                          {dezember + cp1252("Müller Vorname als PDF speichern"),
                           dezember + cp1252("Müller Vorname.pdf")},
                          {dezember + "Beispiel Vorname als PDF speichern",
                           dezember + "Beispiel Vorname.pdf"}}));
    for (const char* datei : {"/1.pdf", "/2.pdf"})
        EXPECT_GT(std::filesystem::file_size(dir.path() + datei), 1000u) << datei;
}

TEST_F(AdministrationTest, PrintAllWithoutUsersDoesNothing) {
    benutzer("anna", "Muster");
    adminStart();
    klick(1);
    boxes.answer(platform::Answer::Yes);
    v().LoeschenExecute();
    ASSERT_EQ(v().Liste->GetRowCount(true), 1);
    boxes.clear();
    v().Button4Click();
    EXPECT_EQ(tuple(printer->documents(), boxes.count(), form->isEnabled(), form->kalenderMarken),
              tuple(0, 0u, true, true));
}

// A folder without user files is a new installation: an empty list, no message.
// An index that cannot be read: a message, no window; the administrator's
// menu items stay all the same.
TEST_F(AdministrationTest, AnUnreadableIndexOpensNoWindow) {
    adminStart();
    EXPECT_EQ(tuple(form->administrationOpen(), v().Liste->GetRowCount(true), boxes.count()),
              tuple(true, 1, 0u));
    for (const auto& [schaden, text, titel] :
         {tuple(1, "Kein Zugriff auf die Datenbank!", "Fehler in der Benutzerverwaltung"),
          {2, "Fehler in der Benutzerverwaltung", "Fehlerhaftes Datenformat"}}) {
        std::filesystem::remove_all(dataDir());
        benutzer("anna", "Muster");
        const std::string index = book::indexPath(dataDir());
        if (schaden == 1)
            std::filesystem::remove(index);  // the block file stays
        else
            std::filesystem::resize_file(index, std::filesystem::file_size(index) - 6);
        boxes.clear();
        form->AdminClick(false);
        EXPECT_EQ(tuple(form->administrationOpen(), adminMenues()), tuple(false, true)) << schaden;
        ASSERT_EQ(boxes.count(), 1u) << schaden;
        EXPECT_EQ(tuple(boxes.last().text, boxes.last().caption), tuple(text, titel)) << schaden;
    }
}

// "Einstellung" -> OK reads an open administration window's list anew: a user
// added meanwhile appears, the old selection is gone and the next choice signs in.
TEST_F(AdministrationTest, TheSettingsDialogRefreshesTheList) {
    benutzer("anna", "Muster");
    adminStart();
    klick(1);
    ASSERT_EQ(b().benutzerName, "anna");
    benutzer("bernd", "Beispiel");  // written beside the open window
    ASSERT_EQ(v().Liste->GetRowCount(true), 2);
    const auto vorher = app::dialogRunner();
    app::dialogRunner() = [](QDialog& d) {
        d.show();
        dynamic_cast<app::TFeiertage&>(d).Button1->click();  // OK
        return d.hide(), d.result();
    };
    app::OptionClick(*form);
    app::dialogRunner() = vorher;
    EXPECT_EQ(tuple(v().Liste->GetRowCount(true), v().Liste->GetRow() < 1), tuple(3, true));
    EXPECT_EQ(v().Liste->GetRowCells(2), (std::vector<std::string>{"P-bernd", "Beispiel", "Vorname"}));
    b().nachname = "x";
    klick(1);
    EXPECT_EQ(b().nachname, "Muster");  // anna signed in anew
    EXPECT_EQ(boxes.count(), 0u);
}

TEST_F(AdministrationTest, LivesFromTheAdministratorsSignInToTheNextSignIn) {
    benutzer("anna", "Muster");
    adminStart();
    // "Neuer Benutzer" from the window: the list shows the new user at once.
    app::TBenutzer::modalRunner() = [](app::TBenutzer& d) {
        d.Name->setText("Neu"), d.Vorname->setText("Vorname"), d.Personalnummer->setText("7");
        d.Benutzername->setText("neu"), d.Passwort->setText("pw"), d.Passwort2->setText("pw");
        d.show(), d.Button1Click();
        return d.hide(), d.result();
    };
    v().Button2Click();
    EXPECT_EQ(v().Liste->GetRowCells(2), (std::vector<std::string>{"7", "Neu", "Vorname"}));
    // Closed by its frame it still exists; the menu shows it again.
    v().close();
    EXPECT_FALSE(form->administrationOpen());
    form->action("Admin")->trigger();
    EXPECT_TRUE(form->administrationOpen());
    klick(1);
    // A cancelled sign-in keeps it; the administrator's sign-in makes it anew;
    // a user's sign-in and the sign-out end it.
    QPointer<app::TVerwaltung> alt = form->Verwaltung;
    scriptSignIn({}, {}), form->AnmeldenExecute();
    EXPECT_EQ(form->Verwaltung, alt);
    scriptSignIn("", "8542"), form->AnmeldenExecute();
    EXPECT_TRUE(form->administrationOpen());
    EXPECT_NE(form->Verwaltung, alt);
    scriptSignIn("anna", "pw"), form->AnmeldenExecute();
    EXPECT_EQ(tuple(form->Verwaltung.isNull(), adminMenues()), tuple(true, false));
    scriptSignIn("", "8542"), form->AnmeldenExecute();
    ASSERT_TRUE(form->administrationOpen());
    form->AbmeldenExecute();
    EXPECT_EQ(tuple(form->Verwaltung.isNull(), adminMenues()), tuple(true, false));
}

TEST_F(AdministrationTest, EscapeInTheSignInKeepsTheWindowAsAbbruchDoes) {
    benutzer("anna", "Muster");
    adminStart();
    klick(1);  // anna signed in from the window
    for (const bool escape : {true, false}) {
        const QPointer<app::TVerwaltung> alt = form->Verwaltung;
        bool offen = true;
        app::TAnmeldung::modalRunner() = [&](QDialog& d) {
            auto& a = static_cast<app::TAnmeldung&>(d);
            d.show();
            if (escape)
                QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : a.Edit1,
                                Qt::Key_Escape);
            else
                QTest::mouseClick(a.Button1, Qt::LeftButton);
            offen = d.isVisible();
            return d.hide(), d.result();
        };
        form->AnmeldenExecute();
        EXPECT_EQ(tuple(offen, form->anmeldungAbgebrochen, form->Verwaltung == alt, b().angemeldet),
                  tuple(false, true, true, true))
            << (escape ? "Escape" : "Abbruch");
    }
}

}  // namespace
}  // namespace app_test
