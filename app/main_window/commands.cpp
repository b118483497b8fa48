// The main window's commands: actions, menus and tool bar with their
// captions and hints, the mapping of the book's action names onto them, and
// the handlers that exist so far. A command without its handler stays
// disabled whatever the program asks.
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QSpinBox>
#include <QToolBar>
#include <QToolButton>

#include "app/main_window/main_window.h"
#include "app/dialogs/about_dialog.h"
#include "app/dialogs/correction_dialog.h"
#include "app/dialogs/hand_dialog.h"
#include "app/dialogs/password_dialog.h"
#include "app/dialogs/settings_dialog.h"
#include "app/dialogs/sign_in_dialog.h"
#include "app/statement/statement_command.h"
#include "app/main_window/tool_icons.h"
#include "app/main_window/window_parts.h"
#include "book/files/month_file.h"
#include "platform/core/codepage.h"
#include "platform/core/message_box.h"
#include "platform/ui/drawing/qt_text.h"

namespace app {

namespace {
QString q(const std::string& cp1252) { return ui::toQString(cp1252); }
QString u(const char* utf8) { return QString::fromUtf8(utf8); }
}  // namespace

Command& TForm1::defineCommand(const std::string& name, const std::string& caption,
                               std::function<void()> handler, bool checkable) {
    Command& c = commands_[name];
    auto* a = new QAction(q(caption), this);
    a->setObjectName(QString::fromStdString(name));
    a->setCheckable(checkable);
    connect(a, &QAction::triggered, this, [this, name] {
        Command& cmd = commands_[name];
        // Qt toggles a checkable action itself; the handler decides.
        for (QAction* v : cmd.views) v->setChecked(cmd.checked);
        if (cmd.handler) cmd.handler();
    });
    c.views.insert(c.views.begin(), a);
    c.handler = std::move(handler);
    return c;
}

QAction* TForm1::addMenuItem(QMenu* menu, const std::string& name, const std::string& caption) {
    Command& c = commands_.at(name);
    QAction* primary = c.views.front();
    if (caption.empty()) {
        menu->addAction(primary);
        return primary;
    }
    auto* a = new QAction(q(caption), menu);
    a->setCheckable(primary->isCheckable());
    a->setStatusTip(primary->statusTip());
    connect(a, &QAction::triggered, primary, &QAction::trigger);
    c.views.push_back(a);
    menu->addAction(a);
    applyCommandState(c);
    return a;
}

void TForm1::addToolButton(const std::string& name) {
    QAction* a = commands_.at(name).views.front();
    a->setIcon(werkzeugBild(name, schaltflaechen_.image()));
    ToolBar1->addAction(a);
}

void TForm1::buildCommands() {
    const auto cp = [](const char* utf8) { return platform::cp1252(utf8); };
    // ActionList1.
    defineCommand("SpeichernAls", "Speichern", [this] { SpeichernAlsExecute(); });
    defineCommand("Laden", "Laden", [this] { LadenExecute(); });
    defineCommand("Speichern", "Sichern", [this] { SpeichernExecute(); }).wanted = false;
    defineCommand("PKW_Berechnung", "PKW", [this] { PKW_BerechnungExecute(); }, true);
    defineCommand("WZUschlag", "Woche_WEnde", [this] { WZUschlagExecute(); }, true).checked = true;
    defineCommand("Benutzerverwaltung", "Neuer Benutzer", [this] { BenutzerverwaltungExecute(); });
    defineCommand("Anmelden", "Anmelden", [this] { AnmeldenExecute(); });
    defineCommand("NeuSeite", "Neu", [this] { NeuSeiteExecute(); });
    defineCommand("Loeschen", cp("Löschen"), [this] { LoeschenExecute(); });
    defineCommand("Tageweise", "Tageweise", [this] { TageweiseExecute(); }, true).checked = true;
    defineCommand("Runden", "Mathematisch Runden", [this] { RundenExecute(); }, true).checked = true;
    defineCommand("ADA", "Mit \"Art der Arbei\"", [this] { ADAExecute(); }, true).checked = true;
    defineCommand("Bilanz", "Jahresbilanz", [this] { BilanzExecute(); }, true).wanted = false;
    defineCommand("Abmelden", "Abmelden", [this] { AbmeldenExecute(); }).wanted = false;
    defineCommand("ZAutomatik", cp("Zuschlag über Automatik"), [this] { ZAutomatikExecute(); }, true)
        .checked = true;
    defineCommand("ZHand", cp("Zuschlag über Handeinstellung"), [this] { ZHandExecute(*this); }, true);
    defineCommand("Extra_Kronlauf", cp("Extra Überstunden"), [this] { Extra_KronlaufExecute(); }, true);
    defineCommand("Freizeitausgleich", "Freizeitausgleich", [this] { FreizeitausgleichExecute(); }, true);
    defineCommand("EintragEinfuegen", cp("Eintrag Einfügen"), [this] { EintragEinfuegenExecute(); });
    defineCommand("UeStundenKonto", cp("Überstundenkonto"), [this] { UeStundenKontoExecute(); }, true);
    defineCommand("AZVerlagern", "Arbeitszeitverlagerung", [this] { AZVerlagernExecute(); }, true);
    defineCommand("Mehrarbeit", "Mehrarbeit", [this] { MehrarbeitExecute(); }, true);

    // Menu items and tool buttons of their own.
    defineCommand("ExportierenalsTextdatei1", "Exportieren als Textdatei",
                  [this] { ExportierenalsTextdatei1Click(); });
    defineCommand("Drucken1", "Drucken", [this] { Drucken1Click(*this); });
    defineCommand("Beenden1", "Beenden", [this] { Beenden1Click(); });
    defineCommand("HeutebisJetzt1", "Heute bis Jetzt!", [this] { Heute1Click(); });
    defineCommand("HeutebisRund1", "Heute bis Rund ( Jetzt+20 min )!", [this] { Heutebisjetzt1Click(); });
    defineCommand("Autoanmeldung", "Immer Anmelden", [this] { AutoanmeldungClick(); });
    defineCommand("Benutzereinstellungen1", "Benutzereinstellungen", [this] { Benutzereinstellungen1Click(); })
        .wanted = false;
    defineCommand("Admin", "Benutzerverwaltung", [this] { AdminClick(true); });
    defineCommand("MenuePasswort", cp("Passwort für den Administrator"), [this] { MenuePasswortClick(*this); });
    defineCommand("GanzeWochen1", "Ganze Wochen", [this] { GanzeWochen1Click(); }, true);
    defineCommand("Feiertage1", cp("Feiertage berücksichtigen"), [this] { Feiertage1Click(); }, true)
        .checked = true;
    defineCommand("Option", "Einstellung", [this] { OptionClick(*this); });
    defineCommand("berstundenkonto1", "Zuschlagskorrektur", [this] { berstundenkonto1Click(*this); });
    defineCommand("HilfezumProgramm1", "Hilfe Zum Programm", [this] { zeigeHilfe(0); });
    defineCommand("Info1", "Info", [this] { Info1Click(*this); });
    defineCommand("ToolButton10", "Drucken", [this] { ToolButton10Click(*this); });
    defineCommand("ToolButton22", "Gehe zum heutigen Monat", [this] { ToolButton22Click(); }).wanted = false;
    defineCommand("ToolButton7", cp("Monat zurück"), [this] { ToolButton7Click(); }).wanted = false;
    defineCommand("ToolButton9", "Monat vor", [this] { ToolButton9Click(); }).wanted = false;
    defineCommand("ToolButton20", "Hilfe Zum Programm", [this] { ToolButton20Click(); });
    defineCommand("ComboBox1", "Monatseinstellung", [this] { ComboBox1Change(); }).wanted = false;
    defineCommand("Anzeige_Jahr", "Jahr", [this] { Jahr_geaendert(); }).wanted = false;

    // Hints (status bar and tool tips).
    const std::pair<const char*, const char*> hints[] = {
        {"ToolButton10", "Drucken"},
        {"PKW_Berechnung", "PkW Zuschlag Ein/Aus"},
        {"Bilanz", "Jahresbilanz anzeigen"},
        {"ToolButton22", "Gehe zum heutigen Monat"},
        {"ToolButton7", "Monat zurück"},
        {"ToolButton9", "Monat vor"},
        {"ComboBox1", "Monatseinstellung"},
        {"Autoanmeldung", "Automatische Anmeldung zurücknehmen"},
    };
    for (const auto& [name, hint] : hints) {
        QAction* a = commands_.at(name).views.front();
        a->setStatusTip(u(hint));
        a->setToolTip(u(hint));
    }
    for (auto& [name, c] : commands_) applyCommandState(c);
}

void TForm1::buildMenus() {
    QMenuBar* bar = menuBar();
    // Alt + the underlined letter opens a menu, as on German desktops.
    auto add = [&](const char* key, const char* caption) {
        QMenu* m = bar->addMenu(u(caption));
        m->setObjectName(QString::fromLatin1(key));
        menus_[key] = m;
        return m;
    };
    // Every item with its access letter (its own view of the command, so the
    // tool buttons' tips keep the plain caption).
    const auto item = [&](QMenu* m, const std::string& name, const char* caption) {
        addMenuItem(m, name, platform::cp1252(caption));
    };
    QMenu* datei = add("Datei", "&Datei");
    item(datei, "NeuSeite", "&Neu");
    item(datei, "Laden", "&Laden");
    item(datei, "Speichern", "&Speichern");
    item(datei, "SpeichernAls", "Speichern &Als");
    datei->addSeparator();
    item(datei, "ExportierenalsTextdatei1", "&Exportieren als Textdatei");
    datei->addSeparator();
    item(datei, "Drucken1", "&Drucken");
    datei->addSeparator();
    item(datei, "Beenden1", "&Beenden");

    QMenu* bearbeiten = add("Bearbeiten1", "&Bearbeiten");
    item(bearbeiten, "Loeschen", "&Löschen");
    item(bearbeiten, "EintragEinfuegen", "Eintrag &Einfügen");
    bearbeiten->addSeparator();
    item(bearbeiten, "HeutebisJetzt1", "&Heute bis Jetzt!");
    item(bearbeiten, "HeutebisRund1", "Heute bis &Rund ( Jetzt+20 min )!");
    bearbeiten->addSeparator();
    item(bearbeiten, "Freizeitausgleich", "&Freizeitausgleich");
    item(bearbeiten, "Extra_Kronlauf", "E&xtra Überstunden");

    QMenu* benutzer = add("Benutzer", "Ben&utzer");
    item(benutzer, "Abmelden", "&Abmelden");
    item(benutzer, "Anmelden", "A&nmelden");
    item(benutzer, "Autoanmeldung", "&Immer Anmelden");
    benutzer->addSeparator();
    item(benutzer, "Benutzerverwaltung", "Neuer &Benutzer");
    item(benutzer, "Benutzereinstellungen1", "Benutzer&einstellungen");
    item(benutzer, "Admin", "Benutzer&verwaltung");
    item(benutzer, "MenuePasswort", "&Passwort für den Administrator");

    QMenu* berechnung = add("Berechnung", "Be&rechnung");
    item(berechnung, "WZUschlag", "&Bereitschaftszuschläge");
    item(berechnung, "PKW_Berechnung", "Mit Privat &PKW");
    berechnung->addSeparator();
    item(berechnung, "Runden", "&Mathematisch Runden");
    item(berechnung, "Tageweise", "&Normalprozente Tageweise berechnen");
    berechnung->addSeparator();
    item(berechnung, "ZAutomatik", "Zuschlag über &Automatik");
    item(berechnung, "ZHand", "Zuschlag über &Handeinstellung");
    item(berechnung, "GanzeWochen1", "&Ganze Wochen");
    berechnung->addSeparator();
    item(berechnung, "Feiertage1", "&Feiertage berücksichtigen");

    QMenu* extras = add("Extras", "E&xtras");
    item(extras, "Bilanz", "&Jahresbilanz");
    extras->addSeparator();
    item(extras, "Option", "&Einstellung");
    extras->addSeparator();
    item(extras, "berstundenkonto1", "&Zuschlagskorrektur");

    QMenu* hilfe = add("Hilfe", "&Hilfe");
    item(hilfe, "HilfezumProgramm1", "&Hilfe Zum Programm");
    item(hilfe, "Info1", "&Info");

    // The keys of the menu items, shown beside them. The sheet itself uses
    // only Ctrl+X, Ctrl+C and Ctrl+V (in its text part).
    const std::pair<const char*, QKeySequence> tasten[] = {
        {"Speichern", QKeySequence(Qt::CTRL | Qt::Key_S)},
        {"Drucken1", QKeySequence(Qt::CTRL | Qt::Key_P)},
        {"Laden", QKeySequence(Qt::CTRL | Qt::Key_O)},
        {"Beenden1", QKeySequence(Qt::CTRL | Qt::Key_Q)},
        {"HeutebisJetzt1", QKeySequence(Qt::Key_F2)},
        {"HeutebisRund1", QKeySequence(Qt::Key_F3)},
    };
    for (const auto& [name, taste] : tasten) commands_.at(name).views.back()->setShortcut(taste);

    // Hidden at start until an administrator signs in.
    for (const char* name : {"Admin", "MenuePasswort", "berstundenkonto1"}) showCommand(name, false);
}

void TForm1::buildToolBar() {
    // Images only; the texts are the tool tips.
    ToolBar1->setToolButtonStyle(Qt::ToolButtonIconOnly);
    ToolBar1->setStyleSheet(QStringLiteral(
        "QToolBar { spacing: 0px; padding: 0px; } QToolBar::separator { width: 6px; }"
        " QToolButton { padding: 1px; margin: 0px; }"));
    // A style sheet rule with a box turns the bar's background fill off when
    // it polishes the bar; see-through, the bar would have the canvas beneath
    // repainted for every change of a button, the month list or the year.
    ToolBar1->ensurePolished();
    ToolBar1->setAutoFillBackground(true);
    addToolButton("NeuSeite");
    addToolButton("Laden");
    addToolButton("Speichern");
    addToolButton("ToolButton10");
    ToolBar1->addSeparator();
    addToolButton("Anmelden");
    addToolButton("Abmelden");
    ToolBar1->addSeparator();
    addToolButton("ZAutomatik");
    addToolButton("ZHand");
    addToolButton("PKW_Berechnung");
    addToolButton("Bilanz");
    ToolBar1->addSeparator();
    addToolButton("Loeschen");
    ToolBar1->addSeparator();
    addToolButton("Extra_Kronlauf");
    addToolButton("Freizeitausgleich");
    addToolButton("UeStundenKonto");
    addToolButton("AZVerlagern");
    addToolButton("Mehrarbeit");
    ToolBar1->addSeparator();
    addToolButton("ToolButton22");
    addToolButton("ToolButton7");

    ComboBox1 = new QComboBox(ToolBar1);
    for (int m = 1; m <= 12; ++m) ComboBox1->addItem(q(book::kMonthNames[m]));
    ComboBox1->setToolTip(u("Monatseinstellung"));
    ComboBox1->setStatusTip(u("Monatseinstellung"));
    ComboBox1->setFocusPolicy(Qt::NoFocus);
    ComboBox1->setFixedWidth(96);
    ToolBar1->addWidget(ComboBox1);
    // Only the user's choice reaches the handler: the program sets the list
    // with its signals blocked.
    connect(ComboBox1, &QComboBox::currentIndexChanged, this, [this] { ComboBox1Change(); });
    commands_["ComboBox1"].widgets.push_back(ComboBox1);

    Anzeige_Jahr = new YearField(ToolBar1);
    Anzeige_Jahr->onStep = [this] { Jahr_geaendert(); };
    Anzeige_Jahr->onKeyUp = [this](int key) { Anzeige_JahrKeyUp(key); };
    Anzeige_Jahr->setFocusPolicy(Qt::ClickFocus);
    Anzeige_Jahr->setFixedWidth(62);
    ToolBar1->addWidget(Anzeige_Jahr);
    commands_["Anzeige_Jahr"].widgets.push_back(Anzeige_Jahr);

    addToolButton("ToolButton9");
    ToolBar1->addSeparator();
    addToolButton("ADA");
    ToolBar1->addSeparator();
    addToolButton("ToolButton20");
    ToolButton20 = qobject_cast<QToolButton*>(
        ToolBar1->widgetForAction(commands_["ToolButton20"].views.front()));
    commands_["ToolButton20"].views.front()->setVisible(false);
    for (auto& [name, c] : commands_) applyCommandState(c);
}

// ---- Command state -----------------------------------------------------------

void TForm1::applyCommandState(Command& c) {
    const bool on = c.wanted && static_cast<bool>(c.handler);
    for (QAction* a : c.views) {
        a->setEnabled(on);
        if (a->isCheckable()) a->setChecked(c.checked);
    }
    for (QWidget* w : c.widgets) w->setEnabled(c.wanted);
}

void TForm1::setCommand(const std::string& name, bool enabled) {
    auto it = commands_.find(name);
    if (it == commands_.end()) return;
    it->second.wanted = enabled;
    applyCommandState(it->second);
}

void TForm1::checkCommand(const std::string& name, bool checked) {
    auto it = commands_.find(name);
    if (it == commands_.end()) return;
    it->second.checked = checked;
    applyCommandState(it->second);
}

void TForm1::showCommand(const std::string& name, bool visible) {
    auto it = commands_.find(name);
    if (it == commands_.end()) return;
    for (QAction* a : it->second.views) a->setVisible(visible);
}

QAction* TForm1::action(const std::string& name) const {
    auto it = commands_.find(name);
    return it == commands_.end() ? nullptr : it->second.views.front();
}

QMenu* TForm1::menu(const std::string& name) const {
    auto it = menus_.find(name);
    return it == menus_.end() ? nullptr : it->second;
}

bool TForm1::commandEnabled(const std::string& name) const {
    auto it = commands_.find(name);
    return it != commands_.end() && it->second.wanted;
}

bool TForm1::commandChecked(const std::string& name) const {
    auto it = commands_.find(name);
    return it != commands_.end() && it->second.checked;
}

std::vector<std::string> TForm1::commandsOf(book::Action a) const {
    using A = book::Action;
    switch (a) {
        case A::Benutzereinstellungen: return {"Benutzereinstellungen1"};
        case A::Zuschlagskorrektur: return {"berstundenkonto1"};
        case A::MonthNavigation:
            return {"ToolButton7", "ToolButton9", "ToolButton22", "ComboBox1", "Anzeige_Jahr"};
        case A::ToolButton1:
        case A::Neu1: return {"NeuSeite"};
        case A::Oeffnen1:
        case A::ToolButton6: return {"Laden"};
        default: return {book::actionName(a)};
    }
}

void TForm1::enableAction(book::Action a, bool enabled) {
    if (a == book::Action::Bearbeiten1) {
        menus_.at("Bearbeiten1")->setEnabled(enabled);
        return;
    }
    for (const std::string& name : commandsOf(a)) setCommand(name, enabled);
}

void TForm1::checkAction(book::Action a, bool checked) {
    for (const std::string& name : commandsOf(a)) checkCommand(name, checked);
}

void TForm1::showAction(book::Action a, bool visible) {
    for (const std::string& name : commandsOf(a)) showCommand(name, visible);
}

bool TForm1::actionEnabled(book::Action a) const {
    if (a == book::Action::Bearbeiten1) return menus_.at("Bearbeiten1")->isEnabled();
    const std::vector<std::string> names = commandsOf(a);
    return !names.empty() && commandEnabled(names.front());
}

// ---- Handlers ------------------------------------------------------------------

void TForm1::AnmeldenExecute() {
    if (buch_.datenbankFehler != 0) {
        platform::MessageBox(platform::cp1252("Anmeldung bei defekter Datenbank nicht möglich!"),
                             "Achtung");
        return;
    }
    if (Anmeldung == nullptr) return;
    Anmeldung->leeren();
    anmeldungAbgebrochen = false;
    const int vorher = verwaltungNr_;
    Anmeldung->zeigeModal();
    if (anmeldungAbgebrochen && buch_.angemeldet) return;
    // A new sign-in ends the administration, except the one an administrator's
    // sign-in has just opened.
    if (verwaltungNr_ == vorher) verwaltungSchliessen();
    FormPaint(false);
}

void TForm1::AbmeldenExecute() {
    if (buch_.angemeldet || buch_.administrator) {
        buch_.Abgemeldet_anzeigen();
        verwaltungSchliessen();
    }
    buch_.Bearbeitung_freigeben(true);
    buch_.uebertragStart = 0;
    buch_.administrator = false;
    buch_.adminAngemeldet = false;
    FormPaint(false);
}

void TForm1::AutoanmeldungClick() {
    buch_.autoBenutzer = "0";
    buch_.autoPasswort = "0";
    buch_.autoAnmeldung = false;
}

void TForm1::NeuSeiteExecute() {
    if (!buch_.bearbeitungErlaubt) return;
    // A year balance is no month's page: emptying it leaves nothing to save
    // over the stored month.
    const bool bilanz = buch_.jahresbilanz;
    if (bilanz) Bedienelemente_setzen(true);
    bool etwas = buch_.zeilen.size() > 1 || buch_.wochen != 0 || buch_.wochenenden != 0 ||
                 buch_.wochenPkw != 0 || buch_.wochenendenPkw != 0 ||
                 (buch_.handModus && buch_.bereitschaftsAnzahl() > 0);
    for (int32_t s : buch_.summen) etwas = etwas || s != 0;
    etwas = etwas && !bilanz;
    if (!Seite_sichern_fragen()) return;
    setCommand("Speichern", etwas);
}

void TForm1::SpeichernExecute() {
    if (buch_.angemeldet && buch_.bearbeitungErlaubt)
        buch_.Monat_speichern();
    else
        SpeichernAlsExecute();
}

void TForm1::SpeichernAlsExecute() { buch_.SpeichernAlsExecute(); }

void TForm1::LadenExecute() {
    // The dialog, the end of a year balance, the save question, the file.
    buch_.LadenExecute();
    FormPaint(false);
}

void TForm1::WZUschlagExecute() {
    buch_.bereitschaft = !buch_.bereitschaft;
    checkCommand("WZUschlag", buch_.bereitschaft);
    setCommand("PKW_Berechnung", buch_.bereitschaft);
    buch_.Summen_anzeigen(0);
    repaintTotals();
}

void TForm1::PKW_BerechnungExecute() {
    buch_.pkw = !buch_.pkw;
    checkCommand("PKW_Berechnung", buch_.pkw);
    buch_.Summen_anzeigen(0);
    repaintTotals();
}

void TForm1::RundenExecute() {
    buch_.mathRunden = !buch_.mathRunden;
    checkCommand("Runden", buch_.mathRunden);
    buch_.Zuschlaege_neu_berechnen();
}

void TForm1::TageweiseExecute() {
    buch_.proTag = !buch_.proTag;
    checkCommand("Tageweise", buch_.proTag);
    buch_.Zuschlaege_neu_berechnen();
}

void TForm1::ZAutomatikExecute() {
    if (!buch_.handModus || !buch_.bearbeitungErlaubt) {
        checkCommand("ZAutomatik", !buch_.handModus);
        return;
    }
    buch_.handModus = false;
    setCommand("Speichern", true);
    checkCommand("ZHand", false);
    checkCommand("ZAutomatik", true);
    buch_.Zuschlaege_neu_berechnen();
}

void TForm1::GanzeWochen1Click() {
    buch_.ganzeWochen = !buch_.ganzeWochen;
    checkCommand("GanzeWochen1", buch_.ganzeWochen);
    buch_.Zuschlaege_neu_berechnen();
}

void TForm1::Feiertage1Click() {
    buch_.feiertageEin = !buch_.feiertageEin;
    checkCommand("Feiertage1", buch_.feiertageEin);
    buch_.Zuschlaege_neu_berechnen();
}

void TForm1::ADAExecute() { checkCommand("ADA", !commands_["ADA"].checked); }

void TForm1::BilanzExecute() {
    buch_.BilanzExecute(true);
    checkCommand("Bilanz", buch_.jahresbilanz);
}

}  // namespace app
