// The settings and holidays dialog: the range rules of its fields, what an
// administrator's OK stores (and what reaches "Kronlauf.ini" and comes back
// at the next start), and that nobody else changes anything.
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

#include "app/dialogs/settings_dialog.h"
#include "app/dialogs/settings_values.h"
#include "app/main_window/window_parts.h"
#include "platform/ui/dialogs/folder_dialog.h"
#include "tests/app/dialogs/dialog_fixture.h"

namespace app_test {
namespace {

using app::Eingabefehler;
using app::Feld;
using std::tuple;

TEST(SettingsValues, FieldReaders) {
    const tuple<const char*, std::optional<uint32_t>, std::optional<uint32_t>> cases[] = {
        // text, as a whole number, as an amount in cents
        {"77,00", std::nullopt, 7700},
        {" 77,00", std::nullopt, 7700},
        {"999,01", std::nullopt, 99901},
        {"7,5", std::nullopt, 750},
        {"12", 12, 1200},
        {"  ,50", std::nullopt, 50},
        {"", std::nullopt, std::nullopt},
        {"  ,  ", std::nullopt, std::nullopt},
        {"1a", std::nullopt, std::nullopt},
        {"  200 ", 200, 20000},
    };
    for (const auto& [text, zahl, betrag] : cases) {
        EXPECT_EQ(app::zahlLesen(text), zahl) << text;
        EXPECT_EQ(app::betragLesen(text), betrag) << text;
    }
    for (const auto& [text, minutes] :
         {tuple("20:00", 1200u), tuple("2_:__", 1200u), tuple("__:__", 0u), tuple("06:30", 390u),
          tuple("24:00", 1440u)})
        EXPECT_EQ(app::uhrzeitLesen(text), minutes) << text;
    EXPECT_EQ(tuple(app::betragText(7700), app::betragText(0), app::uhrzeitText(1440),
                    app::uhrzeitText(360)),
              tuple(std::string("77,00"), std::string("0,00"), std::string("00:00"),
                    std::string("06:00")));
}

TEST(SettingsValues, RangesRefuseAndKeepTheOldValue) {
    book::NullHost host;
    platform::ScriptedMessages boxes;
    struct Case {
        std::function<void(app::EinstellungsFelder&)> enter;
        std::vector<Eingabefehler> refused;
        std::function<bool(const book::Berechnungsgrundlagen&)> stored;
    };
    const Case cases[] = {
        {[](auto& f) { f.prozente[0] = "250", f.rundung = "70"; },
         {{1, Feld::Prozent1}, {12, Feld::Rundung}},
         [](auto& g) { return g.prozentNormal == 25 && g.rundung == 6; }},
        {[](auto& f) { f.prozente[4] = "200", f.rundung = "60"; },
         {},
         [](auto& g) { return g.prozentFeiertagWE == 200 && g.rundung == 60; }},
        {[](auto& f) {
             f.betraege = {"999,00", "999,01", "0", ""};
         },
         {{7, Feld::Betrag2}, {0, Feld::Betrag4}},
         [](auto& g) {
             return g.bereitschaftWoche == 99900 && g.bereitschaftWochenende == 3800 &&
                    g.pkwWoche == 0 && g.pkwWochenende == 1500;
         }},
        {[](auto& f) { f.nachtBeginn = "20:00", f.nachtEnde = "06:00"; },
         {},
         [](auto& g) {
             return g.nachtStart == 1200 && g.nachtEnde == 1440 && g.morgenEnde == 360;
         }},
        {[](auto& f) { f.nachtBeginn = "00:00", f.nachtEnde = "06:00"; },
         {},
         [](auto& g) { return g.nachtStart == 0 && g.nachtEnde == 360 && g.morgenEnde == 0; }},
        {[](auto& f) { f.nachtBeginn = "24:00", f.nachtEnde = "24:00"; },
         {{10, Feld::NachtBeginn}, {11, Feld::NachtEnde}},
         [](auto& g) { return g.nachtStart == 1200 && g.nachtEnde == 1440; }},
        {[](auto& f) { f.tagesMinuten = "", f.rundung = "0"; },
         {{0, Feld::TagesMinuten}, {12, Feld::Rundung}},
         [](auto& g) { return g.tagesBudget == 120 && g.rundung == 6; }},
        {[](auto& f) { f.vonTag = app::kVonTagDeaktiviert, f.bisTag = 3; },
         {},
         [](auto& g) { return g.extraTage == 0x88; }},
        {[](auto& f) { f.vonTag = 2, f.bisTag = 5, f.kommastellen = 2; },
         {},
         [](auto& g) { return g.extraTage == 0x63 && g.kommastellen == 2; }},
        {[](auto& f) { f.optionen = 0xFDFF; }, {}, [](auto& g) { return g.optionen == 0x0DFF; }},
    };
    for (const Case& c : cases) {
        book::Zeitbuch b(host);
        app::EinstellungsFelder f = app::einstellungenLaden(b, 2026);
        c.enter(f);
        EXPECT_EQ(app::einstellungenSpeichern(f, b), c.refused) << (&c - cases);
        EXPECT_TRUE(c.stored(b.grundlagen)) << (&c - cases) << " " << b.grundlagen;
    }
    EXPECT_EQ(platform::cp1252ToUtf8(app::eingabefehlerText(9)),
              "Die Eurobeträge die das Programm verarbeiten kann sind auf 999€ begrenzt!\n"
              "Diese Grenze überschreitet die Privat PKW angabe für eine ganzes Wochenende!");
}

class SettingsDialogTest : public DialogTest {
protected:
    book::Zeitbuch& b() { return form->buch(); }
    void TearDown() override {
        ui::setFolderDialogHandler({});
        DialogTest::TearDown();
    }
    void startAsAdministrator() {
        scriptSignIn("", "8542");
        start();
        ASSERT_TRUE(b().administrator);
        boxes.clear();  // no user index for the administration window to list
    }
};

TEST_F(SettingsDialogTest, RefusedValuesKeepTheDialogOpenUntilCorrected) {
    startAsAdministrator();
    std::vector<std::string> captions;
    scriptDialog<app::TFeiertage>([&](app::TFeiertage& d) {
        d.Prozent[0]->setText("250");
        d.Prozent[1]->setText("60");
        d.Rundung->setText("70");
        d.Button1->click();  // the percentage only; the extra percentage is stored
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(d.PageControl1->currentIndex(), 1);  // "Prozente" shows the field
        d.Prozent[0]->setText("30");
        d.Button1->click();  // now the rounding unit
        EXPECT_TRUE(d.isVisible());
        d.Rundung->setText("15");
        d.Button1->click();
    });
    app::OptionClick(*form);
    ASSERT_EQ(boxes.count(), 2u);
    EXPECT_EQ(boxes.shown()[0].text.substr(0, 29), cp1252("Für die Prozentangaben dürfen"));
    EXPECT_EQ(boxes.shown()[1].caption, cp1252("Bereichsüberschreitung"));
    EXPECT_EQ(tuple(openAfterScript, b().grundlagen.prozentNormal, b().grundlagen.prozentExtra,
                    b().grundlagen.rundung),
              tuple(false, 30, 60, 15));
    // The header of the sheet shows the new percentages.
    EXPECT_EQ(form->HeaderControl1->caption(6), " 30%");
}

TEST_F(SettingsDialogTest, ChangesReachTheSettingsFileAndComeBackAtTheNextStart) {
    startAsAdministrator();
    const std::string neuerOrdner = platform::joinPath(dir.path(), "Anderswo");
    const std::string backupDir = platform::joinPath(dir.path(), "Sicherung");
    std::filesystem::create_directories(backupDir);
    std::filesystem::create_directories(neuerOrdner);
    ui::setFolderDialogHandler([&](const QString&, const QString&) { return ui::toQString(neuerOrdner); });
    boxes.answer(platform::Answer::Yes);  // no database there: take the folder all the same
    scriptDialog<app::TFeiertage>([&](app::TFeiertage& d) {
        d.CheckListBox1->item(10)->setCheckState(Qt::Checked);  // "Friedensfest"
        d.CheckListBox1->item(0)->setCheckState(Qt::Unchecked);
        d.Prozent[2]->setText("40");
        d.Betrag[3]->setText("12,34");
        d.MaskEdit1->setText("21:30");
        d.MaskEdit2->setText("05:00");
        d.Edit6->setText("90");
        d.ComboBox1->setCurrentIndex(1), d.ComboBox1->activated(1);
        d.ComboBox2->setCurrentIndex(0),
            d.ComboBox2->activated(0);  // "to" before "from" pulls "from"
        d.K_Stellen->button(2)->click();
        d.CheckBox[6]->setChecked(true);
        d.CheckBox[1]->setChecked(false);  // no standby surcharges: no private-car option
        EXPECT_FALSE(d.CheckBox[0]->isEnabled());
        d.CheckBox[1]->setChecked(true);
        EXPECT_TRUE(d.CheckBox[0]->isEnabled());
        d.Edit9->setText(QString::fromUtf8("Störungsdienst"));
        d.CheckBox[9]->setChecked(true);  // "Backup Ein/Aus" with two generations
        d.Edit8->setText(ui::toQString(backupDir));
        d.MaskEdit3->setText("2");
        d.Button3->click();
        for (int page = 0; page < d.PageControl1->count(); ++page) {
            d.PageControl1->setCurrentIndex(page);
            screenshot(d, ("settings_" + std::to_string(page)).c_str());
        }
        d.Button1->click();
    });
    app::OptionClick(*form);
    ASSERT_EQ(boxes.count(), 2u);
    EXPECT_EQ(boxes.shown()[0].caption, "Warnung");
    EXPECT_EQ(boxes.shown()[1].caption, "Hinweis");  // the new folder waits for the next start
    EXPECT_EQ(b().datenOrdner, dataDir());
    EXPECT_TRUE(platform::dirExists(platform::joinPath(backupDir, "2")));
    EXPECT_EQ(tuple(b().backupOrdner, b().grundlagen.folgesicherungen),
              tuple(backupDir, uint8_t{2}));
    const book::Berechnungsgrundlagen stored = b().grundlagen;
    EXPECT_EQ(tuple(stored.prozentNacht, stored.pkwWochenende, stored.nachtStart, stored.nachtEnde,
                    stored.morgenEnde, stored.tagesBudget, stored.extraTage, stored.kommastellen),
              tuple(40, 1234u, 1290u, 1440u, 300u, 90u, uint8_t{0x11}, uint8_t{2}));
    const auto holidays = b().feiertage;
    const std::string bereich = b().bereichVorgabe;
    ASSERT_TRUE(form->FormClose());

    scriptSignIn({}, {});
    start();
    EXPECT_EQ(tuple(b().grundlagen, b().feiertage, b().bereichVorgabe, b().datenOrdner),
              tuple(stored, holidays, bereich, neuerOrdner));
}

TEST_F(SettingsDialogTest, AFolderWithUmlautsKeepsItsLettersAcrossARestart) {
    // A database with a user in "Daten Müller/Benutzer".
    const std::string ordner = platform::joinPath(dir.path(), cp1252("Daten Müller"), "Benutzer");
    std::filesystem::create_directories(dir.path() + "/Daten Müller/Benutzer");  // as on the desktop
    {
        book::NullHost host;
        book::Zeitbuch db(host);
        db.datenOrdner = ordner;
        book::Benutzerdaten u;
        u.benutzername = "erika", u.passwort = "geheim", u.name = "Muster";
        ASSERT_TRUE(db.Benutzer_anlegen(u));
    }
    startAsAdministrator();
    // The dialog names the folder as the desktop does.
    ui::setFolderDialogHandler([&](const QString&, const QString&) {
        return QString::fromStdString(dir.path()) + QString::fromUtf8("/Daten Müller/Benutzer");
    });
    scriptDialog<app::TFeiertage>([&](app::TFeiertage& d) {
        d.Button3->click();  // the database is found: no question
        EXPECT_EQ(d.Edit7->text(), ui::toQString(ordner));
        EXPECT_TRUE(d.Edit7->text().endsWith(QString::fromUtf8("Daten Müller/Benutzer")));
        d.Button1->click();
    });
    app::OptionClick(*form);
    ASSERT_EQ(boxes.count(), 1u);
    EXPECT_EQ(boxes.last().caption, "Hinweis");
    ASSERT_TRUE(form->FormClose());
    std::string ini;
    ASSERT_TRUE(platform::readWholeFile(platform::joinPath(dir.path(), "Kronlauf.ini"), ini));
    for (char& c : ini) c = static_cast<char>(c ^ 0x2D);
    EXPECT_NE(ini.find(ordner), std::string::npos);  // Windows-1252 in the file

    boxes.clear();
    scriptSignIn("erika", "geheim");
    start();
    EXPECT_EQ(tuple(b().datenOrdner, b().angemeldet, boxes.count()), tuple(ordner, true, 0u))
        << (boxes.count() ? boxes.last().text : "");
}

TEST_F(SettingsDialogTest, AFolderWithLettersOutsideTheCodePageIsRefusedWhenChosen) {
    startAsAdministrator();
    const std::string vorher = b().backupOrdner;
    std::filesystem::create_directories(dir.path() + "/\u0141\u00F3d\u017A");
    ui::setFolderDialogHandler([&](const QString&, const QString&) {
        return QString::fromStdString(dir.path()) + QString::fromUtf8("/\u0141\u00F3d\u017A");
    });
    scriptDialog<app::TFeiertage>([&](app::TFeiertage& d) {
        const QString alt = d.Edit7->text();
        d.Button3->click();
        EXPECT_EQ(d.Edit7->text(), alt);
        d.Button4->click();
        EXPECT_EQ(d.Edit8->text(), ui::toQString(vorher));
        ASSERT_EQ(boxes.count(), 2u);
        EXPECT_EQ(boxes.last().caption, "Fehler");
        // Typed: OK stores nothing and the dialog stays on the field.
        d.Prozent[0]->setText("30");
        d.Edit8->setText(QString::fromUtf8("/tmp/\u65E5\u672C"));
        d.Button1->click();
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(d.PageControl1->currentIndex(), 6);  // "Backup"
        d.Button2->click();
    });
    app::OptionClick(*form);
    EXPECT_EQ(tuple(boxes.count(), b().grundlagen.prozentNormal, b().backupOrdner), tuple(3u, 25, vorher));
}

TEST_F(SettingsDialogTest, OthersSeeEverythingAndChangeNothing) {
    settings([](book::Zeitbuch& s) { s.grundlagen.extraTage = 0x88; });
    start();
    form->setYearField(2027);
    ASSERT_FALSE(b().administrator);
    const book::Berechnungsgrundlagen before = b().grundlagen;
    scriptDialog<app::TFeiertage>([&](app::TFeiertage& d) {
        // The holidays of the year the main window shows: Easter 2027 is 28 March.
        EXPECT_EQ(d.ListBox1->item(3)->text(), "28.03.2027");
        EXPECT_EQ(tuple(d.Prozent[0]->text(), d.Betrag[0]->text(), d.MaskEdit1->text(),
                        d.MaskEdit2->text(), d.ComboBox1->currentText()),
                  tuple("25", "77,00", "20:00", "06:00", "Deaktiviert"));
        for (QWidget* w : d.findChildren<QWidget*>()) {
            if (qobject_cast<QTabBar*>(w->parentWidget())) continue;  // its scroll buttons
            if (qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractButton*>(w) ||
                qobject_cast<QComboBox*>(w) || w == d.CheckListBox1) {
                EXPECT_TRUE(!w->isEnabled() || w == d.Button1 || w == d.Button2)
                    << w->metaObject()->className() << " " << w->objectName().toStdString();
            }
        }
        d.Prozent[0]->setText("99");  // even so
        d.Button1->click();
    });
    app::OptionClick(*form);
    EXPECT_EQ(tuple(openAfterScript, b().grundlagen, boxes.count()), tuple(false, before, 0u));
}

}  // namespace
}  // namespace app_test
