#include "app/dialogs/administration_dialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

#include "app/help/help_service.h"
#include "app/help/help_window.h"
#include "app/main_window/main_window.h"
#include "app/dialogs/sign_in_dialog.h"
#include "book/database/db_messages.h"
#include "book/sheet/zeitbuch.h"
#include "controls/icontab/icontab.h"
#include "controls/suchfeld/suchfeld.h"
#include "platform/core/codepage.h"
#include "platform/core/date.h"
#include "platform/core/message_box.h"
#include "platform/ui/drawing/qt_text.h"
#include "platform/ui/windows/window_placement.h"

namespace app {
namespace {

using platform::cp1252;

QString q(const std::string& text) {
    return ui::toQString(text);
}

constexpr int kBreite = 280;

void keineAuswahl() {
    platform::MessageBox(cp1252("Es muss erst ein Benutzer in der Liste ausgewählt werden!"),
                         "Hallo! welcher?");
}

}  // namespace

TVerwaltung::TVerwaltung(TForm1& form)
    : QWidget(&form, Qt::Tool | Qt::WindowStaysOnTopHint), form_(form) {
    setWindowTitle(QStringLiteral("Benutzerverwaltung"));
    setHelpContext(*this, kHelpVerwaltung);
    bauen();
    // On the application: a key goes to the widget that has the focus, and
    // its shortcut check before that, wherever in this window it is.
    qApp->installEventFilter(this);
    listeLeeren();
    if (!Lade_Benutzerliste()) return;  // the window closes itself
    geladen_ = true;

    const book::Zeitbuch& b = form_.buch();
    adminName_ = b.benutzerName;
    adminPasswort_ = b.passwort;
    Label3->setText(q(b.vorname + " " + b.nachname));

    const platform::CivilDate heute = platform::decodeDate(platform::now());
    monat_ = heute.month;
    jahr_ = heute.year;
    {
        const QSignalBlocker s1(ComboBox1), s2(Edit1);
        ComboBox1->setCurrentIndex(monat_ - 1);
        Edit1->setValue(jahr_);
    }
    for (book::Action a :
         {book::Action::Admin, book::Action::Zuschlagskorrektur, book::Action::MenuePasswort})
        form_.showAction(a, true);
    FormCreate();
}

TVerwaltung::~TVerwaltung() = default;

// ---- Access letters ------------------------------------------------------------

namespace {

// A key that can be an access letter: a letter or a digit.
bool buchstabe(int key) {
    return (key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z) ||
           (key >= Qt::Key_Agrave && key <= Qt::Key_ydiaeresis && key != Qt::Key_multiply &&
            key != Qt::Key_division);
}

bool hatZugriffstaste(const QString& text, int key) {
    const QKeySequence taste = QKeySequence::mnemonic(text);
    return !taste.isEmpty() && taste[0].key() == static_cast<Qt::Key>(key);
}

}  // namespace

bool TVerwaltung::eventFilter(QObject* target, QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
        return false;
    auto* w = qobject_cast<QWidget*>(target);
    if (w == nullptr || w->window() != this) return false;
    auto* k = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers m = k->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
    if (m != Qt::AltModifier || !buchstabe(k->key())) return false;
    // Taken from every shortcut (the main window's among them), then
    // handled here as a key: this window's own letter, or nothing at all.
    event->accept();
    if (event->type() == QEvent::KeyPress) zugriffstaste(k->key());
    return true;
}

bool TVerwaltung::zugriffstaste(int key) {
    for (QAction* a : MainMenu1->actions()) {
        if (a->isVisible() && a->isEnabled() && hatZugriffstaste(a->text(), key)) {
            MainMenu1->setActiveAction(a);  // opens the menu
            return true;
        }
    }
    for (QAbstractButton* b : findChildren<QAbstractButton*>()) {
        if (b->isVisible() && b->isEnabled() && hatZugriffstaste(b->text(), key)) {
            b->animateClick();
            return true;
        }
    }
    return false;
}

void TVerwaltung::bauen() {
    auto* spalte = new QVBoxLayout(this);
    MainMenu1 = new QMenuBar(this);
    QMenu* menue = MainMenu1->addMenu(QStringLiteral("&Benutzer"));
    Loeschen = menue->addAction(q(cp1252("&Löschen")));
    connect(Loeschen, &QAction::triggered, this, [this] { LoeschenExecute(); });
    spalte->setMenuBar(MainMenu1);

    Label2 = new QLabel(QStringLiteral("Angemeldeter Administrator"), this);
    Label3 = new QLabel(this);
    QFont fett = Label3->font();
    fett.setBold(true);
    Label3->setFont(fett);
    spalte->addWidget(Label2);
    spalte->addWidget(Label3);

    Suchfeld1 = new table::TSuchfeld(this);  // brings its own hint
    Suchfeld1->setFixedSize(Suchfeld1->size());  // its children are placed, not laid out
    Liste = new table::TIconTab(this);
    Liste->DefaultColWidth = 40;
    // Columns as wide as their heading and their widest name, so nothing is cut.
    Liste->AutoBreite = true;
    Liste->MitUeberschrift = true;
    Liste->DefaultAnzeige = table::A_Tabelle;
    Liste->SetCaption("Eingetragene Benutzer");
    Liste->SetSuchelement(Suchfeld1);
    // The table's selection event: the one place where a click picks a user.
    Liste->OnSelectCell = [this](table::IconTabModell&, long, long) { ListeSelectCell(true); };
    spalte->addWidget(Liste, 1);
    spalte->addWidget(Suchfeld1);

    Label4 = new QLabel(QStringLiteral("Zeitraum"), this);
    ComboBox1 = new QComboBox(this);
    for (int m = 1; m <= 12; ++m) ComboBox1->addItem(q(book::kMonthNames[m]));
    ComboBox1->setToolTip(q(cp1252("Monatsauswahl für den Benutzer")));
    Edit1 = new QSpinBox(this);
    Edit1->setRange(1900, 9999);
    Edit1->setToolTip(q(cp1252("Jahresauswahl für den Benutzer")));
    connect(ComboBox1, &QComboBox::currentIndexChanged, this, [this] { ComboBox1Change(); });
    connect(Edit1, &QSpinBox::valueChanged, this, [this] { Edit1Change(); });
    auto* zeitraum = new QHBoxLayout;
    zeitraum->addWidget(Label4);
    zeitraum->addWidget(ComboBox1, 1);
    zeitraum->addWidget(Edit1);
    spalte->addLayout(zeitraum);

    Button2 = new QPushButton(QStringLiteral("&Neuer Benutzer"), this);
    Button2->setToolTip(QStringLiteral("Neuen Benutzer erstellen"));
    Button3 = new QPushButton(QStringLiteral("Benutzer &Drucken"), this);
    Button3->setToolTip(q(cp1252("Daten des ausgewählten Benutzers drucken")));
    Button4 = new QPushButton(QStringLiteral("&Alle Drucken"), this);
    Button4->setToolTip(
        QStringLiteral("Die unter Zeitraum angegebenen Daten aller Benutzer drucken"));
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    connect(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });
    connect(Button4, &QPushButton::clicked, this, [this] { Button4Click(); });
    for (QPushButton* k : {Button2, Button3, Button4}) spalte->addWidget(k);
    resize(kBreite, 400);
}

void TVerwaltung::FormCreate() {
    const QRect bereich = ui::availableArea(&form_);
    if (!bereich.isValid()) return;
    const QRect haupt = form_.frameGeometry();
    // Side by side, centred; on a screen narrower than both this window
    // overlaps the main window's right part (it stays on top) rather than
    // pushing either title bar off the screen.
    const int links =
        std::max(bereich.left(), bereich.center().x() - (haupt.width() + width()) / 2);
    const int oben = std::max(bereich.top(), haupt.top());
    form_.move(links, oben);
    const int rahmen = std::max(0, haupt.width() - form_.width());  // as the main window's
    const int rechts = std::min(links + haupt.width(), bereich.right() + 1 - width() - rahmen);
    move(std::max(bereich.left(), rechts), oben);
    resize(width(), form_.height());
}

// ---- The list ----------------------------------------------------------------

void TVerwaltung::listeLeeren() {
    benutzer_.clear();
    Liste->SetTabelle(1, 3, 3, 0);
    Liste->SetCell(0, 0, "PersNr");
    Liste->SetCell(0, 1, "Name");
    Liste->SetCell(0, 2, "Vorname");
}

bool TVerwaltung::Lade_Benutzerliste() {
    std::vector<ListenBenutzer> gelesen;
    const ListeStatus status = benutzerListeLesen(form_.buch().datenOrdner, gelesen);
    // The rows read before a format error are listed; they are sound.
    for (ListenBenutzer& u : gelesen) {
        const std::vector<std::string> zellen{u.personalnummer, u.name, u.vorname};
        if (Liste->InsertRow(-1, &zellen, 1, -1) < 0) break;
        benutzer_.push_back(std::move(u));
    }
    erzwingen_ = true;
    Liste->FEndUpdate(false);
    switch (status) {
        case ListeStatus::Gelesen:
            return true;
        case ListeStatus::KeinZugriff:
        case ListeStatus::Gesperrt:
            book::showNoAccess(status == ListeStatus::Gesperrt ? book::kCaptionGesperrt
                                                               : book::kCaptionVerwaltung);
            return false;
        case ListeStatus::Formatfehler:
            book::showIndexFormatError();
            return false;
    }
    return false;
}

void TVerwaltung::Liste_aktualisieren() {
    listeLeeren();
    Lade_Benutzerliste();
}

int TVerwaltung::gewaehlt() const {
    const int r = Liste->GetRow();
    return r >= 1 && r <= static_cast<int>(benutzer_.size()) ? r - 1 : -1;
}

// ---- Choosing a user and a period ------------------------------------------------

void TVerwaltung::ListeSelectCell(bool vonTabelle) {
    const int i = gewaehlt();
    if (i < 0) {
        if (vonTabelle) keineAuswahl();
        return;
    }
    book::Zeitbuch& b = form_.buch();
    TAnmeldung* anmeldung = form_.Anmeldung;
    if (anmeldung == nullptr) return;
    const ListenBenutzer u = benutzer_[static_cast<size_t>(i)];
    // An empty name would be the administrator's own sign-in, which makes
    // this window anew.
    if (u.benutzername.empty()) return;
    if (erzwingen_ || u.benutzername != b.benutzerName) {
        // A changed page that could not be saved stays shown.
        if (!form_.Seite_sichern_fragen()) return;
        b.Bearbeitung_freigeben(u.benutzername == adminName_);
        anmeldung->Edit1->setText(q(u.benutzername));
        anmeldung->Edit2->setText(q(u.passwort));
        form_.kalenderMarken = false;
        anmeldung->Ok1Click();
        erzwingen_ = false;
        b.administrator = true;
    }
    form_.setYearField(jahr_);
    form_.showMonthInList(monat_);
    form_.kalenderMarken = marken_;
    form_.Jahr_geaendert();
}

void TVerwaltung::ComboBox1Change() {
    monat_ = ComboBox1->currentIndex() + 1;
    ListeSelectCell(false);
}

void TVerwaltung::Edit1Change() {
    jahr_ = Edit1->value();
    ListeSelectCell(false);
}

// ---- Delete and new user --------------------------------------------------------

void TVerwaltung::LoeschenExecute() {
    const int i = gewaehlt();
    if (i < 0) {
        keineAuswahl();
        return;
    }
    const platform::Answer antwort = platform::MessageBox(
        cp1252("Als Administrator darfst Du zwar alles machen, trotzdem, soll der Benutzer "
               "wirklich gelöscht werden? Alle Daten sind dann unwiderruflich verloren!!"),
        "Wirklich sicher", platform::Buttons::YesNo, platform::Icon::Question);
    if (antwort != platform::Answer::Yes) return;
    const ListenBenutzer u = benutzer_[static_cast<size_t>(i)];
    book::Zeitbuch& b = form_.buch();
    book::Benutzerdaten gemeint;
    gemeint.benutzername = u.benutzername;
    b.Datenbank_aendern(u.block, true, gemeint);
    if (u.benutzername == adminName_) {
        // The administrator deleted himself: his rights end with his record.
        hide();
        b.Abgemeldet_anzeigen();
        b.Bearbeitung_freigeben(true);
        b.administrator = false;
        b.adminAngemeldet = false;
        form_.FormPaint(false);
    }
    Liste_aktualisieren();
}

void TVerwaltung::Button2Click() {
    form_.BenutzerverwaltungExecute();
}

}  // namespace app
